// colligo outline IN, and colligo split-outline IN -d FOLDER --level N
#include "Commands.h"
#include "OutputSettings.h"
#include "Progress.h"

#include "colligo.h"

#include <cstdio>
#include <cstdlib>
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

int outlineCommand(const Invocation &invocation)
{
    const std::vector<std::string> &args = invocation.operands();
    if (args.size() != 1)
        return invocation.usageError("needs exactly one FILE");
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

int splitOutlineCommand(const Invocation &invocation)
{
    const std::vector<std::string> &operands = invocation.operands();
    const std::string folder = invocation.value("--folder").value_or("");
    // The parser has checked that a given level is a whole number from 1 up.
    const int level = std::atoi(invocation.value("--level").value_or("1").c_str());
    if (operands.size() > 1)
        return invocation.usageError("takes one FILE");
    if (operands.empty() || operands[0].empty() || folder.empty())
        return invocation.usageError("needs IN -d FOLDER [--level N]");
    const std::string &source = operands[0];
    const OutputSettings settings = OutputSettings::from(invocation);

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
