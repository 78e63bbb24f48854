#include "plugin/lshxplugininterface.h"

// Defined out of line so that the library emits, and exports, the
// constructors, the destructor and the virtual-function table.

LSHXPluginInterface::LSHXPluginInterface() = default;

LSHXPluginInterface::LSHXPluginInterface(const LSHXPluginInterface&) = default;

LSHXPluginInterface& LSHXPluginInterface::operator=(const LSHXPluginInterface&) = default;

LSHXPluginInterface::~LSHXPluginInterface() = default;
