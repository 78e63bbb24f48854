#pragma once

class ConnectivityObject;

// What a window opened from a subject's dialog needs of that dialog: the
// subject. Plot windows find it by casting their Qt parent to this interface.
class SubjectSource {
public:
    virtual ConnectivityObject* getConnectivityObject() const = 0;

protected:
    ~SubjectSource() = default;
};
