#pragma once

#include <QPointer>
#include <QString>

#include <functional>

class HostWindow;

struct HostVersion {
    int major = 2;
    int minor = 8;
    int patch = 0;
};

// What stands behind the host functions the plug-in calls. The exported C
// functions carry no context, so they reach the one instance.
class HostApi {
public:
    using MessagePresenter = std::function<void(const QString& text)>;

    static HostApi& instance();

    void setVersion(const HostVersion& version);
    // The window whose log pane receives the log; may be null.
    void setWindow(HostWindow* window);
    // Shows a message to the user after it went to standard error. Without
    // one the message is only printed, so nothing waits for a click.
    void setMessagePresenter(MessagePresenter presenter);

    HostVersion version() const;
    void showLogPane();
    // Appends a line to the log pane and echoes it to standard output.
    void log(const QString& line);
    void showMessage(const QString& text);

private:
    HostApi() = default;

    HostVersion m_version;
    QPointer<HostWindow> m_window;
    MessagePresenter m_presentMessage;
};
