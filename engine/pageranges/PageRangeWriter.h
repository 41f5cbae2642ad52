// Writing page-range expressions: the one place that decides how a selection
// is spelt for the engine. Numbers are decimal without leading zeros or
// blanks, pieces are joined by "," and nothing else is written, so the engine
// reads every expression written here exactly as meant (its reading stops at
// a blank after a comma). The texts are ASCII: the application widens them
// and narrows them again without loss.
#pragma once

#include "PageRangeReader.h"

#include <string>
#include <vector>

namespace pageranges {

enum class Order { sequence, reverse };

// "1-N" for a file of N pages, "1" for one of at most one page; in reverse
// order every page on its own, last first ("7,6,5,4,3,2,1").
std::string allPages(int pageCount, Order order = Order::sequence);

// "1,3,5,..." up to the last odd page; page 1 is named even when the file has
// none. In reverse order the same pages, last first.
std::string oddPages(int pageCount, Order order = Order::sequence);

// "2,4,6,..." up to the last even page; page 2 is named even when the file
// has none. In reverse order the same pages, last first.
std::string evenPages(int pageCount, Order order = Order::sequence);

// The runs as they are: a page alone as its number, a range as "first-last"
// ("1,3,6-8"; a descending run stays descending).
std::string writeRuns(const std::vector<Run> &runs);

// Every page of the runs on its own, in exactly the reverse order: "1,3,6-8"
// gives "8,7,6,3,1". Never a range, so never a descending one.
std::string writeReversed(const std::vector<Run> &runs);

// The pages at positions first..last (1-based, counting every page of every
// run) on their own, in order. A long run costs only the pages it gives.
std::string writeSlice(const std::vector<Run> &runs, int first, int last);

} // namespace pageranges
