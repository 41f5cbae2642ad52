// colligo outline IN, and colligo split-outline IN -d FOLDER --level N
#include "Commands.h"
#include "OutputSettings.h"
#include "Progress.h"

#include "colligo.h"

#include <cstdio>
#include <vector>

namespace cli {

namespace {

// Remembers each inserted entry's depth, so the listing can be indented.
struct IndentedTree
{
    struct Line
    {
        int depth;
        std::string title;
    };
    std::vector<Line> lines;

    static void *insert(void *context, void *parent, const char *title, int, int)
    {
        auto *tree = static_cast<IndentedTree *>(context);
        int depth = parent ? tree->lines[reinterpret_cast<std::size_t>(parent) - 1].depth + 1 : 0;
        tree->lines.push_back({ depth, title });
        return reinterpret_cast<void *>(tree->lines.size()); // index + 1, never null
    }
};

} // namespace

int outlineCommand(const Arguments &args)
{
    if (args.size() != 1)
        return usageError("outline needs exactly one FILE");
    DocumentHandle document = OpenPDF(args[0].c_str(), nullptr);
    if (document < 0) {
        std::fprintf(stderr, "colligo: %s: cannot be opened (missing, damaged, encrypted or restricted)\n", args[0].c_str());
        return exitFailed;
    }
    IndentedTree tree;
    OutlineTreeSink sink = { &tree, &IndentedTree::insert };
    int depth = GetOutline(document, &sink, 0);
    if (depth == COLLIGO_RESTRICTED) {
        std::printf("%s has no outline\n", args[0].c_str());
    } else {
        for (std::size_t i = 0; i < tree.lines.size(); ++i) {
            int page = GetOutlineEntryPage(document, static_cast<int32_t>(i));
            std::string where = page > 0 ? "page " + std::to_string(page) : "no page";
            std::printf("%*s%s  (%s)\n", 2 * tree.lines[i].depth, "", tree.lines[i].title.c_str(), where.c_str());
        }
    }
    ClosePDF(document);
    return exitOk;
}

int splitOutlineCommand(const Arguments &args)
{
    std::string source, folder;
    int level = 1;
    OutputSettings settings;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string error;
        if (settings.take(args, i, error)) {
            if (!error.empty())
                return usageError(error);
        } else if (args[i] == "-d" || args[i] == "--level") {
            if (i + 1 == args.size())
                return usageError(args[i] + " needs a value");
            if (args[i] == "-d")
                folder = args[++i];
            else
                level = std::atoi(args[++i].c_str());
        } else if (args[i].size() > 1 && args[i][0] == '-') {
            return usageError("unknown option '" + args[i] + "'");
        } else if (source.empty()) {
            source = args[i];
        } else {
            return usageError("split-outline takes one FILE");
        }
    }
    if (source.empty() || folder.empty())
        return usageError("split-outline needs IN -d FOLDER [--level N]");

    Progress progress(1);
    settings.apply();
    int result = SplitWithOutline(source.c_str(), folder.c_str(), level, 0, Progress::callback);
    progress.finish();
    if (progress.interrupted()) {
        std::fprintf(stderr, "colligo: interrupted; the files written so far stay in %s\n", folder.c_str());
        return exitInterrupted;
    }
    if (result != 1) {
        reportFailure("splitting " + source + " at level " + std::to_string(level) + " failed");
        return exitFailed;
    }
    return exitOk;
}

} // namespace cli
