// Registers the application module while the plug-in library loads.
#include "PlugRegistry.h"
#include "Vellumor.h"

namespace {
Plug::AutoReg registration(Plug::VellumorModuleName, &Vellumor::Create);
}
