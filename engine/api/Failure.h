// The reason of the engine's latest failure, for GetLastFailure. Each export
// that can fail clears it on entry; the first reason recorded during a call
// is the one kept, since later failures are usually its consequences.
#pragma once

#include <string>

namespace colligo {

void clearFailure();
void recordFailure(int code, std::string text);
int failureCode();

// The reason a source file did not open: `parserError` is poppler's error code.
void recordOpenFailure(int parserError, const std::string &path);

// A path as it appears in a failure text: in double quotes.
std::string inQuotes(const std::string &path);

} // namespace colligo
