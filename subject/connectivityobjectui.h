#pragma once

#include "study/subjectsource.h"

#include <QDialog>

namespace Ui {
class ConnectivityObjectUI;
}

// A subject's analysis window: the hub from which its matrix viewer, circular
// plot and graph measures are opened.
class ConnectivityObjectUI : public QDialog, public SubjectSource {
    Q_OBJECT

public:
    ConnectivityObjectUI(ConnectivityObject* subject, QWidget* parent = nullptr);
    ~ConnectivityObjectUI() override;

    ConnectivityObject* getConnectivityObject() const override { return m_subject; }

private:
    Ui::ConnectivityObjectUI* ui;
    ConnectivityObject* m_subject;
};
