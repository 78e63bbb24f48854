#pragma once

#include "study/subjectrecord.h"

#include <Eigen/Dense>
#include <QObject>
#include <QStringList>

#include <functional>
#include <vector>

// One opened subject: its connectivity matrices and node names, and the
// subject's analysis dialog, which the object owns.
class ConnectivityObject : public QObject {
    Q_OBJECT

public:
    // Makes the subject's dialog: a top-level window that deletes itself
    // when closed. The main window supplies it, so this layer knows no widgets.
    using DialogFactory = std::function<QObject*(ConnectivityObject*)>;

    ConnectivityObject(const SubjectRecord* subject, QObject* parent);
    ~ConnectivityObject() override;

    // Reads every final matrix file, in list order, and the node names. On a
    // missing or malformed file, a matrix that is not square or does not have
    // one row per node, or a bad selected VOI, it keeps nothing, returns
    // false and leaves the reason in errorString(). Loading again replaces
    // what an earlier load read.
    bool loadMatrices();
    QString errorString() const { return m_errorString; }

    void setDialogFactory(DialogFactory factory);
    // Shows the analysis dialog, creating it first if there is none.
    void openUI();
    QObject* dialog() const { return m_dialog; }

    // Read-only: a caller that keeps the matrices copies them.
    const std::vector<Eigen::MatrixXf>& getMatrices() const { return m_matrices; }
    const SubjectRecord* getSubject() const { return m_subject; }
    QStringList getNodeNames() const { return m_nodeNames; }

public slots:
    void connectivityObjectUIDestroyed(QObject* qobject);

private:
    const SubjectRecord* m_subject;
    std::vector<Eigen::MatrixXf> m_matrices;
    QStringList m_nodeNames;
    QObject* m_dialog = nullptr;
    DialogFactory m_dialogFactory;
    QString m_errorString;
};
