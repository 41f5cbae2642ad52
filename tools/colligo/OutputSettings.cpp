#include "OutputSettings.h"

#include "colligo.h"

#include <cstdio>

namespace cli {

bool OutputSettings::take(const Arguments &args, std::size_t &i, std::string &error)
{
    const std::string &arg = args[i];
    if (arg == "--plain") {
        plain = true;
        return true;
    }
    if (arg == "--bookmark-per-file") {
        bookmarkPerFile = true;
        return true;
    }
    const std::pair<const char *, std::optional<std::string> *> texts[] = {
        { "--title", &title }, { "--subject", &subject }, { "--author", &author }, { "--keywords", &keywords }
    };
    for (const auto &[name, value] : texts) {
        std::string option = name;
        if (arg.rfind(option + "=", 0) == 0) {
            *value = arg.substr(option.size() + 1);
            return true;
        }
        if (arg == option) {
            if (i + 1 == args.size()) {
                error = option + " needs a value";
                return true;
            }
            *value = args[++i];
            return true;
        }
    }
    return false;
}

void OutputSettings::apply() const
{
    auto text = [](const std::optional<std::string> &value) { return value ? value->c_str() : nullptr; };
    SetOutputOptions(plain ? 0 : COLLIGO_KEEP_ALL, bookmarkPerFile ? 1 : 0, text(title), text(subject), text(author), text(keywords));
}

void reportFailure(const std::string &what)
{
    char reason[1024];
    if (GetLastFailure(reason, sizeof reason) != COLLIGO_FAILURE_NONE)
        std::fprintf(stderr, "colligo: %s: %s\n", what.c_str(), reason);
    else
        std::fprintf(stderr, "colligo: %s failed\n", what.c_str());
}

} // namespace cli
