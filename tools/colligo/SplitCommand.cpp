// colligo split IN RANGE -o OUT [--rest]
#include "Commands.h"
#include "OutputSettings.h"
#include "Progress.h"

#include "colligo.h"

#include <cstdio>

namespace cli {

int splitCommand(const Arguments &args)
{
    std::string output;
    std::vector<std::string> positional;
    bool rest = false;
    OutputSettings settings;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string error;
        if (settings.take(args, i, error)) {
            if (!error.empty())
                return usageError(error);
        } else if (args[i] == "-o" || args[i] == "--output") {
            if (++i == args.size())
                return usageError("-o needs a file name");
            output = args[i];
        } else if (args[i] == "--rest") {
            rest = true;
        } else if (args[i].size() > 1 && args[i][0] == '-' && !std::isdigit(static_cast<unsigned char>(args[i][1]))) {
            return usageError("unknown option '" + args[i] + "'");
        } else {
            positional.push_back(args[i]);
        }
    }
    if (positional.size() != 2 || output.empty())
        return usageError("split needs IN RANGE -o OUT");
    const std::string &source = positional[0];
    const std::string &range = positional[1];

    Progress progress(rest ? 2 : 1);
    settings.apply();
    int result = SplitPDF(source.c_str(), range.c_str(), output.c_str(), rest ? 1 : 0, Progress::callback);
    progress.finish();
    std::string restOutput = (output.size() < 4 ? std::string() : output.substr(0, output.size() - 4)) + "-2.PDF";
    if (progress.interrupted()) {
        std::remove(output.c_str());
        if (rest)
            std::remove(restOutput.c_str());
        std::fprintf(stderr, "colligo: interrupted; the partial output was removed\n");
        return exitInterrupted;
    }
    if (result == 0) {
        reportFailure("splitting " + source + " failed");
        return exitFailed;
    }
    if (rest)
        std::printf("%s\n%s\n", output.c_str(), restOutput.c_str());
    return exitOk;
}

} // namespace cli
