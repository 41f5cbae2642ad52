// The help texts and the bash completion script, made from the command table.
#include "CommandLine.h"

#include <string>

namespace cli {

namespace {

// Descriptions start at this column; at most 50 characters follow.
constexpr std::size_t descriptionColumn = 30;

std::string optionLine(const std::string &indent, const Option &option)
{
    std::string line = indent + optionNames(option);
    line += line.size() + 2 <= descriptionColumn ? std::string(descriptionColumn - line.size(), ' ') : std::string("  ");
    return line + option.description + "\n";
}

std::string indented(const std::string &text, const std::string &indent)
{
    std::string result;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        result += (line.empty() ? "" : indent) + line + "\n";
        start = end + 1;
    }
    return result;
}

// "merge, split and split-outline": the commands that share `group`.
std::string commandsSharing(const OptionGroup &group)
{
    std::vector<std::string> names;
    for (const Command &command : commands())
        for (const OptionGroup *shared : command.groups)
            if (shared == &group)
                names.push_back(command.name);
    std::string text;
    for (std::size_t i = 0; i < names.size(); ++i)
        text += (i == 0 ? "" : i + 1 == names.size() ? " and " : ", ") + names[i];
    return text;
}

std::string generalHelp()
{
    std::string text =
        "Usage: colligo COMMAND [OPTIONS] [ARGUMENTS]\n"
        "       colligo COMMAND --help\n"
        "       colligo --version\n"
        "\n"
        "Merge, split and inspect PDF files.\n"
        "\n"
        "Commands and their options:\n";
    std::vector<const OptionGroup *> groups;
    for (const Command &command : commands()) {
        text += "  " + command.name + (command.synopsis.empty() ? "" : " " + command.synopsis) + "\n";
        text += "    " + command.summary + "\n";
        for (const Option &option : command.options)
            text += optionLine("    ", option);
        for (const OptionGroup *group : command.groups) {
            bool listed = false;
            for (const OptionGroup *seen : groups)
                listed = listed || seen == group;
            if (!listed)
                groups.push_back(group);
        }
    }
    for (const OptionGroup *group : groups) {
        text += "\n" + group->heading + " of " + commandsSharing(*group) + ":\n";
        for (const Option &option : group->options)
            text += optionLine("  ", option);
        if (!group->note.empty())
            text += "\n" + indented(group->note, "  ");
    }
    text += "\n" + programOptions().heading + ":\n";
    for (const Option &option : programOptions().options)
        text += optionLine("  ", option);
    return text + "\n" + generalNotes();
}

std::string commandHelp(const Command &command)
{
    std::string text = "Usage: colligo " + command.name + (command.synopsis.empty() ? "" : " " + command.synopsis) + "\n\nOptions:\n";
    for (const Option &option : command.options)
        text += optionLine("  ", option);
    text += optionLine("  ", helpOption());
    for (const OptionGroup *group : command.groups) {
        text += "\n" + group->heading + ":\n";
        for (const Option &option : group->options)
            text += optionLine("  ", option);
        if (!group->note.empty())
            text += "\n" + indented(group->note, "  ");
    }
    return text + "\n" + command.details;
}

// Words of a bash list in single quotes (option names hold no quotes).
std::string words(const std::vector<std::string> &list)
{
    std::string text;
    for (const std::string &word : list)
        text += (text.empty() ? "" : " ") + word;
    return "'" + text + "'";
}

// "-o --output" for one option.
void addSpellings(std::vector<std::string> &list, const Option &option)
{
    if (option.shortName)
        list.push_back(std::string("-") + option.shortName);
    list.push_back(option.name);
}

} // namespace

std::string optionNames(const Option &option)
{
    std::string names = option.shortName ? std::string("-") + option.shortName + ", " : std::string("    ");
    names += option.name;
    if (!option.placeholder.empty())
        names += " " + option.placeholder;
    return names;
}

void printGeneralHelp(std::FILE *to)
{
    std::fputs(generalHelp().c_str(), to);
}

void printCommandHelp(const Command &command, std::FILE *to)
{
    std::fputs(commandHelp(command).c_str(), to);
}

std::string bashCompletion()
{
    std::vector<std::string> commandNames, programSpellings;
    for (const Command &command : commands())
        commandNames.push_back(command.name);
    for (const Option &option : programOptions().options)
        addSpellings(programSpellings, option);

    std::string arms;
    for (const Command &command : commands()) {
        std::vector<std::string> options, files, folders, values;
        for (const Option *option : command.acceptedOptions()) {
            addSpellings(options, *option);
            switch (option->value) {
            case Value::none:
                break;
            case Value::pdfFile:
                addSpellings(files, *option);
                break;
            case Value::folder:
                addSpellings(folders, *option);
                break;
            case Value::text:
            case Value::number:
                addSpellings(values, *option);
                break;
            }
        }
        arms += "    " + command.name + ")\n"
                "        options=" + words(options) + "\n"
                "        files=" + words(files) + " folders=" + words(folders) + " values=" + words(values) + " ;;\n";
    }

    return "# bash completion for colligo, the command line of Quellan PDF Merger.\n"
           "# Made from the command table (tools/colligo/CommandTable.cpp) by\n"
           "#   cmake --build BUILD --target update-completion\n"
           "# Edit the table, not this file: a test fails while the two disagree.\n"
           "\n"
           "# Is word $1 one of the words of $2?\n"
           "_colligo_one_of()\n"
           "{\n"
           "    [[ -n $1 && \" $2 \" == *\" $1 \"* ]]\n"
           "}\n"
           "\n"
           "# PDF files (any letter case) and the folders on the way to them.\n"
           "_colligo_pdf_files()\n"
           "{\n"
           "    local IFS=$'\\n'\n"
           "    compopt -o filenames 2>/dev/null\n"
           "    COMPREPLY=($(compgen -d -- \"$1\") $(compgen -f -X '!*.[pP][dD][fF]' -- \"$1\"))\n"
           "}\n"
           "\n"
           "_colligo()\n"
           "{\n"
           "    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]}\n"
           "    # --output=FILE: bash splits the word at '='.\n"
           "    if [[ $cur == = ]]; then\n"
           "        cur=\n"
           "    elif [[ $prev == = ]]; then\n"
           "        prev=${COMP_WORDS[COMP_CWORD-2]}\n"
           "    fi\n"
           "    local command= ended= i\n"
           "    for ((i = 1; i < COMP_CWORD; i++)); do\n"
           "        if [[ -z $command ]]; then\n"
           "            [[ ${COMP_WORDS[i]} != -* ]] && command=${COMP_WORDS[i]}\n"
           "        elif [[ ${COMP_WORDS[i]} == -- ]]; then\n"
           "            ended=1\n"
           "        fi\n"
           "    done\n"
           "    COMPREPLY=()\n"
           "    local options files folders values\n"
           "    case $command in\n"
           "    '')\n"
           "        if [[ $cur == -* ]]; then\n"
           "            COMPREPLY=($(compgen -W " + words(programSpellings) + " -- \"$cur\"))\n"
           "        else\n"
           "            COMPREPLY=($(compgen -W " + words(commandNames) + " -- \"$cur\"))\n"
           "        fi\n"
           "        return ;;\n" +
           arms +
           "    *)\n"
           "        return ;;\n"
           "    esac\n"
           "    if [[ -z $ended ]]; then\n"
           "        if _colligo_one_of \"$prev\" \"$files\"; then\n"
           "            _colligo_pdf_files \"$cur\"\n"
           "            return\n"
           "        elif _colligo_one_of \"$prev\" \"$folders\"; then\n"
           "            local IFS=$'\\n'\n"
           "            compopt -o filenames 2>/dev/null\n"
           "            COMPREPLY=($(compgen -d -- \"$cur\"))\n"
           "            return\n"
           "        elif _colligo_one_of \"$prev\" \"$values\"; then\n"
           "            return # text or a number: nothing to offer\n"
           "        elif [[ $cur == -* ]]; then\n"
           "            COMPREPLY=($(compgen -W \"$options\" -- \"$cur\"))\n"
           "            return\n"
           "        fi\n"
           "    fi\n"
           "    _colligo_pdf_files \"$cur\"\n"
           "}\n"
           "complete -F _colligo colligo\n";
}

} // namespace cli
