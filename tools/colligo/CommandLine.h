// The command line's one table and what reads it. Every command declares its
// options once, in CommandTable.cpp; the parser, the help texts and the bash
// completion script are all made from that table, so they cannot disagree.
//
// To add an option: add a line to the command's `options` (or to a shared
// group such as the output options) in CommandTable.cpp, and read it in the
// command with `invocation.has("--name")` or `invocation.value("--name")`.
// To add a command: add an entry to the table with its function, declared in
// Commands.h. Then run `cmake --build BUILD --target update-completion`; the
// command-line tests fail until the completion file matches the table.
#pragma once

#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cli {

using Arguments = std::vector<std::string>;

// What an option's value is: how it is checked, and how the shell completes it.
enum class Value {
    none,    // a switch: given or not
    text,    // any text
    number,  // a whole number from 1 up
    pdfFile, // a file name, completed with PDF files
    folder,  // a folder name, completed with folders
};

struct Option
{
    std::string name;        // the long name with its dashes: "--output"
    char shortName;          // 'o' for -o; 0 when the option has none
    std::string placeholder; // the value as the help shows it ("OUT"); empty for a switch
    Value value;
    std::string description; // one line of at most 50 characters
};

// Options that several commands share, listed once in the general help.
struct OptionGroup
{
    std::string heading;     // "Output options"
    std::string note;        // a paragraph shown under the options (lines wrapped), or empty
    std::vector<Option> options;
};

class Invocation;
struct ParseResult;

struct Command
{
    std::string name;
    std::string synopsis; // what follows "colligo NAME" in the usage line
    std::string summary;  // one line for the general help
    std::string details;  // the paragraphs of `colligo NAME --help` (lines wrapped)
    std::vector<Option> options;             // its own options
    std::vector<const OptionGroup *> groups; // options it shares with other commands
    int (*run)(const Invocation &);

    // Every option the command accepts: its own, its groups', then -h/--help.
    std::vector<const Option *> acceptedOptions() const;
    // The option spelt `spelling` ("--output" or "-o"), or null.
    const Option *find(std::string_view spelling) const;
};

// ---- The table (CommandTable.cpp) -------------------------------------------

const std::vector<Command> &commands();
// -h/--help and -V/--version, the options of `colligo` without a command.
const OptionGroup &programOptions();
// -h/--help, which every command accepts too.
const Option &helpOption();
// The paragraphs at the end of the general help (ranges, progress, exit status).
const std::string &generalNotes();

const Command *findCommand(std::string_view name);

// ---- Parsing (CommandLine.cpp) -------------------------------------------------

// A command with the options and operands it was given.
class Invocation
{
public:
    explicit Invocation(const Command &command) : command(&command) {}

    const Command &which() const { return *command; }
    const std::vector<std::string> &operands() const { return operandList; }
    // Whether the option (by its long name) was given.
    bool has(std::string_view name) const;
    // The value it was given last, if it was given.
    std::optional<std::string> value(std::string_view name) const;
    // "colligo NAME: message" and the pointer to NAME's help; returns the exit status 2.
    int usageError(const std::string &message) const;

private:
    friend ParseResult parse(const Command &, const Arguments &);
    const Option &declared(std::string_view name) const;

    const Command *command;
    std::map<std::string, std::string, std::less<>> options; // long name -> last value ("" for a switch)
    std::vector<std::string> operandList;
};

struct ParseResult
{
    Invocation invocation;
    bool help = false;  // -h or --help was given: show the command's help
    std::string error;  // the first thing wrong, or empty
};

// Reads a command's arguments: options in any order among the operands,
// "--name value", "--name=value" and "-x value"; "--" ends the options; "-"
// and words such as "-5" are operands. The last of a repeated option wins.
ParseResult parse(const Command &command, const Arguments &args);

// "colligo: message" and the pointer to the general help; returns 2.
int usageError(const std::string &message);
int usageError(const Command &command, const std::string &message);

// ---- Texts made from the table (Help.cpp) ----------------------------------------

// "-o, --output OUT" or "    --plain".
std::string optionNames(const Option &option);
void printGeneralHelp(std::FILE *to);
void printCommandHelp(const Command &command, std::FILE *to);
// The whole bash completion script (tools/colligo/colligo.bash-completion).
std::string bashCompletion();

} // namespace cli
