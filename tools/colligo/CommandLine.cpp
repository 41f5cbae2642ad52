// The one parser of every command, driven by the command table.
#include "CommandLine.h"

#include "Commands.h"

#include <cctype>
#include <cstdlib>

namespace cli {

std::vector<const Option *> Command::acceptedOptions() const
{
    std::vector<const Option *> accepted;
    for (const Option &option : options)
        accepted.push_back(&option);
    for (const OptionGroup *group : groups)
        for (const Option &option : group->options)
            accepted.push_back(&option);
    accepted.push_back(&helpOption());
    return accepted;
}

const Option *Command::find(std::string_view spelling) const
{
    for (const Option *option : acceptedOptions()) {
        if (spelling == option->name)
            return option;
        if (option->shortName && spelling.size() == 2 && spelling[0] == '-' && spelling[1] == option->shortName)
            return option;
    }
    return nullptr;
}

const Command *findCommand(std::string_view name)
{
    for (const Command &command : commands())
        if (command.name == name)
            return &command;
    return nullptr;
}

namespace {

// "-o", "--plain", "--title=x"; not "-", "-5" (a range), or a plain word.
bool looksLikeOption(const std::string &argument)
{
    return argument.size() > 1 && argument[0] == '-' && !std::isdigit(static_cast<unsigned char>(argument[1]));
}

bool isWholeNumberFromOne(const std::string &text)
{
    if (text.empty() || text.size() > 9 || text[0] == '0')
        return false;
    for (char c : text)
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return false;
    return true;
}

} // namespace

ParseResult parse(const Command &command, const Arguments &args)
{
    ParseResult result { Invocation(command), false, {} };
    Invocation &invocation = result.invocation;
    // The first mistake is reported, but the rest is still read: a --help
    // anywhere shows the help instead.
    auto wrong = [&](const std::string &message) {
        if (result.error.empty())
            result.error = message;
    };
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string &argument = args[i];
        if (optionsEnded || !looksLikeOption(argument)) {
            invocation.operandList.push_back(argument);
            continue;
        }
        if (argument == "--") {
            optionsEnded = true;
            continue;
        }
        std::string spelling = argument;
        std::optional<std::string> attached; // the value of "--name=value"
        if (argument.rfind("--", 0) == 0) {
            std::size_t equals = argument.find('=');
            if (equals != std::string::npos) {
                spelling = argument.substr(0, equals);
                attached = argument.substr(equals + 1);
            }
        }
        const Option *option = command.find(spelling);
        if (!option) {
            wrong("unknown option '" + spelling + "'");
            continue;
        }
        if (option == &helpOption()) {
            result.help = true;
            continue;
        }
        if (option->value == Value::none) {
            if (attached)
                wrong("option '" + spelling + "' takes no value");
            else
                invocation.options[option->name] = "";
            continue;
        }
        std::string value;
        if (attached) {
            value = *attached;
        } else if (i + 1 < args.size()) {
            value = args[++i]; // taken as it is, even when it starts with '-'
        } else {
            wrong("option '" + spelling + "' needs a value: " + spelling + " " + option->placeholder);
            continue;
        }
        if (option->value == Value::number && !isWholeNumberFromOne(value)) {
            wrong("option '" + spelling + "' needs a whole number from 1 up, not '" + value + "'");
            continue;
        }
        invocation.options[option->name] = value;
    }
    return result;
}

const Option &Invocation::declared(std::string_view name) const
{
    for (const Option *option : command->acceptedOptions())
        if (option->name == name)
            return *option;
    // A command asked for an option its table entry does not declare: a
    // mistake in the program, not on the command line.
    std::fprintf(stderr, "colligo: internal error: '%s' asks for %.*s, which its table entry does not declare\n",
                 command->name.c_str(), static_cast<int>(name.size()), name.data());
    std::abort();
}

bool Invocation::has(std::string_view name) const
{
    return options.find(declared(name).name) != options.end();
}

std::optional<std::string> Invocation::value(std::string_view name) const
{
    auto found = options.find(declared(name).name);
    if (found == options.end())
        return std::nullopt;
    return found->second;
}

int Invocation::usageError(const std::string &message) const
{
    return cli::usageError(*command, message);
}

int usageError(const std::string &message)
{
    std::fprintf(stderr, "colligo: %s\nTry 'colligo --help' for more information.\n", message.c_str());
    return exitUsage;
}

int usageError(const Command &command, const std::string &message)
{
    std::fprintf(stderr, "colligo: %s: %s\nTry 'colligo %s --help' for more information.\n", command.name.c_str(), message.c_str(),
                 command.name.c_str());
    return exitUsage;
}

} // namespace cli
