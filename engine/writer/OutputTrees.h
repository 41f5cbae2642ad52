// Name trees and number trees (ISO 32000, 7.9.6 and 7.9.7) of the output,
// written in leaves of a bounded size under one root, so that readers find
// an entry without reading a huge array.
#pragma once

#include "OutputFile.h"

#include <map>
#include <string>

namespace colligo {

// Each value is the text of the entry's value (" 12 0 R", "[...]").
// Return the root's object number.
int writeNameTree(OutputFile &output, const std::map<std::string, std::string> &entries);
int writeNumberTree(OutputFile &output, const std::map<int, std::string> &entries);

} // namespace colligo
