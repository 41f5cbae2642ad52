// colligo split IN RANGE -o OUT [--rest]
#include "Commands.h"
#include "OutputSettings.h"
#include "Progress.h"
#include "RangeArgument.h"

#include "colligo.h"

#include <cstdio>

namespace cli {

int splitCommand(const Invocation &invocation)
{
    const std::string output = invocation.value("--output").value_or("");
    const std::vector<std::string> &positional = invocation.operands();
    const bool rest = invocation.has("--rest");
    if (positional.size() != 2 || output.empty())
        return invocation.usageError("needs IN RANGE -o OUT");
    const OutputSettings settings = OutputSettings::from(invocation);
    const std::string &source = positional[0];
    const RangeArgument range = readRangeArgument(positional[1]);
    if (!range.right())
        return invocation.usageError("page range '" + positional[1] + "': " + range.problem);

    Progress progress(rest ? 2 : 1);
    settings.apply();
    int result = SplitPDF(source.c_str(), range.expression.c_str(), output.c_str(), rest ? 1 : 0, Progress::callback);
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
