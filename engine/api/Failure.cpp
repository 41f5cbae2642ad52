#include "Failure.h"

#include "ExportGuard.h"
#include "platform/WideText.h"
#include "colligo.h"

#include <ErrorCodes.h>

#include <algorithm>
#include <cstring>

namespace colligo {

namespace {

struct LastFailure
{
    int code = COLLIGO_FAILURE_NONE;
    std::string text;
};

LastFailure &lastFailure()
{
    static LastFailure failure;
    return failure;
}

} // namespace

void clearFailure()
{
    lastFailure() = {};
}

void recordFailure(int code, std::string text)
{
    LastFailure &failure = lastFailure();
    if (failure.code != COLLIGO_FAILURE_NONE)
        return;
    failure.code = code;
    failure.text = std::move(text);
}

int failureCode()
{
    return lastFailure().code;
}

void recordOpenFailure(int parserError, const std::string &path)
{
    if (parserError == errEncrypted)
        recordFailure(COLLIGO_FAILURE_SOURCE_ENCRYPTED, inQuotes(path) + " needs a password");
    else
        recordFailure(COLLIGO_FAILURE_SOURCE_UNREADABLE, "cannot open " + inQuotes(path) + ": missing, damaged or not a PDF file");
}

std::string inQuotes(const std::string &path)
{
    return "\"" + path + "\"";
}

} // namespace colligo

using namespace colligo;

extern "C" {

int32_t COLLIGO_CALL GetLastFailure(char *text, int32_t capacity)
{
    return guarded<int32_t>(COLLIGO_FAILURE_INTERNAL, [&] {
        const LastFailure &failure = lastFailure();
        if (text && capacity > 0) {
            std::string cut = cutUtf8(failure.text, static_cast<std::size_t>(capacity) - 1);
            std::memcpy(text, cut.c_str(), cut.size() + 1);
        }
        return failure.code;
    });
}

} // extern "C"
