#pragma once

#include "plugin/lshxplugininterface.h"

#include <QPointer>

class Kestrel;

// The Kestrel plug-in object: binds to the host and checks its version when
// initialised, and opens the one main window when executed.
class KESTREL_EXPORT lsplugin : public LSHXPluginInterface {
public:
    lsplugin();
    // Leaves an open main window alone: it deletes itself when closed.
    ~lsplugin() override;

    bool execute() override;
    bool initPlugin() override;

private:
    // Empties itself when the window, which deletes itself on close, is gone.
    QPointer<Kestrel> m_mainWindow;
};
