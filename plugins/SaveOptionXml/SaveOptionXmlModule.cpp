// Registers the option store while the library loads.
#include "SaveOptionXml.h"

#include "PlugRegistry.h"

namespace {
Plug::AutoReg registration(Plug::SaveOptionXmlModuleName, &SaveOptionXml::Create);
}
