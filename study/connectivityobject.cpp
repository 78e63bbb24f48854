#include "study/connectivityobject.h"

#include "quiver/csv.h"

#include <iostream>
#include <stdexcept>
#include <utility>

namespace {

std::string matrixShape(const Eigen::MatrixXf& m)
{
    return std::to_string(m.rows()) + " x " + std::to_string(m.cols());
}

} // namespace

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
    std::vector<Eigen::MatrixXf> matrices;
    std::vector<std::string> paths;
    std::vector<std::string> names;
    try {
        for (const std::string& file : m_subject->getFinalMatrixFiles()) {
            paths.push_back(m_subject->getDirectory() + "/" + file);
            matrices.push_back(quiver::from_csv(paths.back()));
            std::cout << '\n' << matrices.back() << '\n';
        }
        std::cout.flush();
        try {
            names = m_subject->selectedVoiNames();
        } catch (const std::out_of_range& e) {
            throw std::runtime_error(m_subject->getManifestPath() + ": " + e.what());
        }
        for (std::size_t k = 0; k < matrices.size(); ++k) {
            const Eigen::MatrixXf& m = matrices[k];
            if (m.rows() != m.cols())
                throw std::runtime_error(paths[k] + ": the matrix is " + matrixShape(m) + ", not square");
            if (static_cast<std::size_t>(m.rows()) != names.size())
                throw std::runtime_error(paths[k] + ": the matrix is " + matrixShape(m) + ", but the subject has "
                                         + std::to_string(names.size()) + " nodes (configuration.selected_vois)");
        }
    } catch (const std::exception& e) {
        m_errorString = QString::fromStdString(e.what());
        return false;
    }

    m_matrices = std::move(matrices);
    for (const std::string& name : names)
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
