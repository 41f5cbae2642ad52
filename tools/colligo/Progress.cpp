#include "Progress.h"

#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace cli {

namespace {

volatile std::sig_atomic_t stopRequested = 0;
Progress *active = nullptr;

void requestStop(int)
{
    stopRequested = 1;
    std::signal(SIGINT, SIG_DFL); // a second Ctrl-C ends the program at once
}

constexpr int barWidth = 40;

} // namespace

Progress::Progress(int parts)
    : parts(parts > 0 ? parts : 1), onTerminal(isatty(STDERR_FILENO) != 0)
{
    stopRequested = 0;
    active = this;
    std::signal(SIGINT, requestStop);
}

Progress::~Progress()
{
    std::signal(SIGINT, SIG_DFL);
    active = nullptr;
}

bool Progress::interrupted() const
{
    return stopRequested != 0;
}

int32_t COLLIGO_CALL Progress::callback(int32_t, int32_t total, int32_t, int32_t position)
{
    if (active && position == 1 && active->currentPart + 1 < active->parts)
        ++active->currentPart;
    if (active && total > 0) {
        double withinPart = static_cast<double>(position) / total;
        active->show(static_cast<int>(100.0 * (active->currentPart + withinPart) / active->parts));
    }
    return stopRequested ? 0 : 1;
}

void Progress::show(int percent)
{
    if (percent > 100)
        percent = 100;
    if (percent == shownPercent)
        return;
    shownPercent = percent;
    if (!onTerminal) {
        std::fprintf(stderr, "%d%%\n", percent);
        return;
    }
    int filled = percent * barWidth / 100;
    std::fprintf(stderr, "\r[");
    for (int i = 0; i < barWidth; ++i)
        std::fputc(i < filled ? '#' : '.', stderr);
    std::fprintf(stderr, "] %3d%%", percent);
    std::fflush(stderr);
}

void Progress::finish()
{
    if (onTerminal && shownPercent >= 0)
        std::fputc('\n', stderr);
}

} // namespace cli
