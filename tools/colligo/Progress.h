// Progress of a long engine call on standard error: a redrawn bar on a
// terminal, plain percentage lines otherwise. Ctrl-C asks the engine to stop
// through the progress callback, so the output is finished cleanly.
#pragma once

#include "colligo.h"

namespace cli {

class Progress
{
public:
    // `parts`: how many equal parts (listed files, passes) the whole run has.
    // Each part's positions start again at 1, which is how a new part shows.
    explicit Progress(int parts);
    ~Progress();

    bool interrupted() const;
    void finish();

    // The engine's callback; it reports to the Progress made last.
    static int32_t COLLIGO_CALL callback(int32_t phase, int32_t total, int32_t page, int32_t position);

private:
    void show(int percent);

    int parts;
    int currentPart = -1;
    int shownPercent = -1;
    bool onTerminal;
};

} // namespace cli
