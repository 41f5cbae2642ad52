// A page range given on the command line (merge's FILE:RANGE, split's RANGE).
// The engine reads any text and never says what it could not read, so the
// command line checks the range first, piece by piece, and names the first
// wrong piece with its place. A right range is handed on in the clean form
// the engine reads exactly as meant: as typed, "1, 2, 3" would lose its 3 (the
// engine's reading stops at a blank after a comma).
#pragma once

#include <string>

namespace cli {

struct RangeArgument
{
    std::string expression; // the clean form for the engine, when the range is right
    std::string problem;    // otherwise what is wrong: "'x-3' at character 3 is not ..."

    bool right() const { return problem.empty(); }
};

RangeArgument readRangeArgument(const std::string &text);

} // namespace cli
