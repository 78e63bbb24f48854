#include "subject/connectivityobjectui.h"

#include "ui_connectivityobjectui.h"

ConnectivityObjectUI::ConnectivityObjectUI(ConnectivityObject* subject, QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::ConnectivityObjectUI)
    , m_subject(subject)
{
    ui->setupUi(this);
}

ConnectivityObjectUI::~ConnectivityObjectUI()
{
    delete ui;
}
