#include "study/connectivityobject.h"

#include "study/subjectmatrices.h"

#include <iostream>
#include <utility>

ConnectivityObject::ConnectivityObject(const SubjectRecord* subject, QObject* parent)
    : QObject(parent)
    , m_subject(subject)
{
}

ConnectivityObject::~ConnectivityObject()
{
    delete std::exchange(m_dialog, nullptr);
}

bool ConnectivityObject::loadMatrices()
{
    SubjectMatrices loaded;
    try {
        loaded = readSubjectMatrices(*m_subject, [](const Eigen::MatrixXf& matrix) {
            std::cout << '\n' << matrix << '\n' << std::flush;
        });
    } catch (const std::exception& e) {
        m_errorString = QString::fromStdString(e.what());
        return false;
    }

    // A second load replaces both, so one name per matrix row still holds.
    m_matrices = std::move(loaded.matrices);
    m_nodeNames.clear();
    for (const std::string& name : loaded.nodeNames)
        m_nodeNames.append(QString::fromStdString(name));
    m_errorString.clear();
    return true;
}

void ConnectivityObject::setDialogFactory(DialogFactory factory)
{
    m_dialogFactory = std::move(factory);
}

void ConnectivityObject::openUI()
{
    if (!m_dialog && m_dialogFactory) {
        m_dialog = m_dialogFactory(this);
        connect(m_dialog, &QObject::destroyed, this, &ConnectivityObject::connectivityObjectUIDestroyed);
    }
    if (m_dialog)
        QMetaObject::invokeMethod(m_dialog, "show");
}

void ConnectivityObject::connectivityObjectUIDestroyed(QObject*)
{
    m_dialog = nullptr;
}
