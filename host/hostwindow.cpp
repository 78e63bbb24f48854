#include "hostwindow.h"

#include "ui_hostwindow.h"

#include <QCloseEvent>

HostWindow::HostWindow(QWidget* parent)
    : QMainWindow(parent)
    , ui(new Ui::HostWindow)
{
    ui->setupUi(this);
    ui->dock_Log->hide();
    connect(ui->action_Quit, &QAction::triggered, this, &HostWindow::quitRequested);
    connect(ui->action_ShowLog, &QAction::triggered, this, &HostWindow::showLogPane);
}

HostWindow::~HostWindow()
{
    delete ui;
}

void HostWindow::appendLog(const QString& line)
{
    ui->plain_Log->appendPlainText(line);
}

void HostWindow::showLogPane()
{
    ui->dock_Log->show();
    ui->dock_Log->raise();
}

QAction* HostWindow::addPluginAction(const QString& pluginName)
{
    return ui->menu_Plugins->addAction(pluginName);
}

void HostWindow::closeEvent(QCloseEvent* event)
{
    QMainWindow::closeEvent(event);
    if (event->isAccepted())
        emit quitRequested();
}
