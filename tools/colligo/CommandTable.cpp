// THE table of colligo's command line: every command with its usage, its help
// and its options. The parser (CommandLine.cpp), the help texts (Help.cpp) and
// the bash completion script (colligo.bash-completion, made by Help.cpp) all
// read it; nothing else names an option. See CommandLine.h for how to add an
// option or a command.
//
// Texts: a description is one line of at most 50 characters; details and
// notes are wrapped by hand at 76 columns. The tests check both.
#include "CommandLine.h"

#include "Commands.h"

namespace cli {

namespace {

const char rangeText[] =
    "RANGE selects pages and their order: comma-separated items, each a page\n"
    "number or two numbers joined by '-': \"1,3,6-18\". A descending range such\n"
    "as \"5-3\" counts down; pages may repeat (\"2,2,1\"). A number beyond the\n"
    "file's last page ends that file's part. Blanks around items do not matter;\n"
    "an item that is not a page number from 1 up or a range is named, with its\n"
    "place, before anything is written.\n";

const char exitText[] =
    "Exit status: 0 on success, 1 when the engine refused or failed (the reason\n"
    "is printed on standard error), 2 for a wrong command line, 130 when\n"
    "interrupted.\n";

// -o of merge and split.
const Option outputFile { "--output", 'o', "OUT", Value::pdfFile, "the file to write" };

// What merge and both splits write besides the pages, and the document
// information of what they write.
const OptionGroup outputOptions {
    "Output options",
    "By default the output keeps the whole document: bookmarks, links,\n"
    "annotations, forms, page labels, tagged structure, layers, metadata and\n"
    "PDF/A where it holds, document settings (language, viewer preferences,\n"
    "page layout, open action) and attachments. --plain writes pages only.\n"
    "The output is compact: objects in compressed object streams, a\n"
    "cross-reference stream, and what several files hold alike (fonts, images)\n"
    "written once; --classic writes a cross-reference table and every object\n"
    "on its own, as hosts that never ask otherwise get. --jobs N uses N threads\n"
    "in all (COLLIGO_JOBS does the same for host programs); the output is the\n"
    "same whatever N.\n",
    {
        { "--plain", 0, "", Value::none, "write pages only, nothing else the file holds" },
        { "--classic", 0, "", Value::none, "write the classic layout: a cross-reference table" },
        { "--no-dedupe", 0, "", Value::none, "write alike objects of several files separately" },
        { "--compress", 0, "", Value::none, "flate-compress streams that have no filter" },
        { "--jobs", 'j', "N", Value::number, "use N threads in all, 1 to 64 (default: cores)" },
        { "--bookmark-per-file", 0, "", Value::none, "add a top-level bookmark per source file" },
        { "--title", 0, "TITLE", Value::text, "set the output's title" },
        { "--author", 0, "AUTHOR", Value::text, "set the output's author" },
        { "--subject", 0, "SUBJECT", Value::text, "set the output's subject" },
        { "--keywords", 0, "KEYWORDS", Value::text, "set the output's keywords" },
    },
};

const OptionGroup program {
    "Program options",
    "",
    {
        { "--help", 'h', "", Value::none, "show the help (COMMAND --help: that command's)" },
        { "--version", 'V', "", Value::none, "print the version and exit" },
    },
};

const Option help { "--help", 'h', "", Value::none, "show this help and exit" };

} // namespace

const std::vector<Command> &commands()
{
    static const std::vector<Command> table = {
        {
            "info",
            "[--json] FILE...",
            "print each file's page count and what it holds",
            "Prints one line per file: its page count, what it holds besides its pages\n"
            "(an outline, links, annotations, form fields, page labels, tagged\n"
            "structure, layers, metadata, document settings, attachments) and the\n"
            "PDF/A or PDF/UA part it declares. A file that cannot be used gets a line\n"
            "on standard error instead: it needs a password, is restricted (copying,\n"
            "printing or changing is not allowed), or is unreadable (missing, damaged\n"
            "or not a PDF file).\n"
            "\n"
            "With --json every file gives one JSON object, on one line of standard\n"
            "output (JSON Lines):\n"
            "  {\"path\": \"a.pdf\", \"pages\": 3, \"holds\": {\"outline\": true,\n"
            "   \"links\": false, \"annotations\": ..., \"forms\": ..., \"page_labels\": ...,\n"
            "   \"tagged\": ..., \"layers\": ..., \"metadata\": ..., \"settings\": ...,\n"
            "   \"attachments\": ...}, \"conformance\": \"PDF/A-2b\"}\n"
            "  {\"path\": \"b.pdf\", \"refused\": \"needs a password\", \"reason\": \"...\"}\n"
            "\"conformance\" is null when the file declares none, and names both parts\n"
            "when it declares two (\"PDF/A-2a PDF/UA-1\"); \"refused\" is \"needs a\n"
            "password\", \"restricted\" or \"unreadable\", and \"reason\" the sentence of\n"
            "the plain listing. Bytes of a path that are not UTF-8 become U+FFFD.\n"
            "\n"
            "Exit status: 0 when every file could be used, 1 otherwise, 2 for a wrong\n"
            "command line.\n",
            {
                { "--json", 0, "", Value::none, "one JSON object per file and line (JSON Lines)" },
            },
            {},
            infoCommand,
        },
        {
            "merge",
            "-o OUT FILE[:RANGE]... [OPTIONS]",
            "merge the chosen pages of two or more files into OUT",
            "Merges the chosen pages of two or more files into OUT, in the order\n"
            "given. FILE:RANGE takes the pages RANGE selects (report.pdf:1,3,6-18);\n"
            "without :RANGE every page is taken. A file may be listed several times.\n"
            "A path that itself contains a colon is taken whole when that file exists.\n"
            "\n" +
                std::string(rangeText) +
                "\n"
                "Progress goes to standard error. Ctrl-C stops the merge cleanly and\n"
                "removes the partial output.\n"
                "\n" +
                exitText,
            { outputFile },
            { &outputOptions },
            mergeCommand,
        },
        {
            "split",
            "IN RANGE -o OUT [--rest] [OPTIONS]",
            "copy the pages RANGE selects from IN into OUT",
            "Copies the pages RANGE selects from IN into OUT. With --rest every other\n"
            "page then goes into a second file, named like OUT less its last four\n"
            "characters plus \"-2.PDF\" (part.pdf gives part-2.PDF), and both names are\n"
            "printed. IN must allow changes.\n"
            "\n" +
                std::string(rangeText) +
                "\n"
                "Progress goes to standard error. Ctrl-C stops the split cleanly and\n"
                "removes the partial output.\n"
                "\n" +
                exitText,
            {
                outputFile,
                { "--rest", 0, "", Value::none, "also write the other pages (part.pdf: part-2.PDF)" },
            },
            { &outputOptions },
            splitCommand,
        },
        {
            "outline",
            "FILE",
            "print the outline, indented, with each entry's page",
            "Prints the outline (bookmarks) of FILE, indented by two spaces per level,\n"
            "each entry with the page it points to: \"Preface  (page 7)\". A file\n"
            "without an outline gives \"FILE has no outline\".\n"
            "\n"
            "Exit status: 0 on success, 1 when FILE cannot be opened, 2 for a wrong\n"
            "command line.\n",
            {},
            {},
            outlineCommand,
        },
        {
            "split-outline",
            "IN -d FOLDER [--level N] [OPTIONS]",
            "write one file per outline entry of level N",
            "Writes one file per outline entry of level N (1, the top level, by\n"
            "default) into FOLDER: \"A-B.PDF\" holds the pages from entry A's page up\n"
            "to entry B's, \"Z-end.PDF\" runs from the last entry to the end, and\n"
            "\"start-A.PDF\" holds the pages before the first entry. In a title used as\n"
            "a file name, '/', '\\' and control characters become '_'.\n"
            "\n"
            "Progress goes to standard error. Ctrl-C stops the split; the files\n"
            "written so far stay in FOLDER.\n"
            "\n" +
                std::string(exitText),
            {
                { "--folder", 'd', "FOLDER", Value::folder, "the folder to write the files into" },
                { "--level", 0, "N", Value::number, "split at the entries of level N (default 1)" },
            },
            { &outputOptions },
            splitOutlineCommand,
        },
    };
    return table;
}

const OptionGroup &programOptions()
{
    return program;
}

const Option &helpOption()
{
    return help;
}

const std::string &generalNotes()
{
    static const std::string notes =
        std::string(rangeText) +
        "In merge, FILE without :RANGE gives every page, and a file may be listed\n"
        "several times.\n"
        "\n"
        "Progress goes to standard error. Ctrl-C stops a merge or split cleanly and\n"
        "removes the partial output.\n"
        "\n"
        "Exit status: 0 on success, 1 when the engine refused or failed (for info:\n"
        "a file could not be used), 2 for a wrong command line, 130 when\n"
        "interrupted.\n";
    return notes;
}

} // namespace cli
