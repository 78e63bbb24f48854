#pragma once

#include <QMainWindow>

class QAction;

namespace Ui {
class HostWindow;
}

// The stand-in host's main window: an empty workspace, a log pane docked at
// the bottom (hidden until someone asks for it) and a "Plugins" menu.
class HostWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit HostWindow(QWidget* parent = nullptr);
    ~HostWindow() override;

    void appendLog(const QString& line);
    void showLogPane();
    // Adds an entry to the "Plugins" menu; the caller connects it.
    QAction* addPluginAction(const QString& pluginName);

signals:
    // The user closed the window or chose "Quit": the host ends even while
    // plug-in windows are open.
    void quitRequested();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    Ui::HostWindow* ui;
};
