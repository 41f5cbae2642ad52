// The options SetOutputOptions sets for the next merge or split export call.
#pragma once

#include "writer/OutputOptions.h"

namespace colligo {

// Hands the pending options to the call that uses them and resets them, so
// that the next call writes pages only again.
OutputOptions takeOutputOptions();

} // namespace colligo
