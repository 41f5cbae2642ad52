#include "PageRangeWriter.h"

#include <algorithm>
#include <cstdint>

namespace pageranges {

namespace {

// Appends pieces, each after a "," unless it is the first.
class ExpressionText
{
public:
    void page(int number)
    {
        separate();
        append(number);
    }

    void run(Run run)
    {
        separate();
        append(run.first);
        if (run.last != run.first) {
            text += '-';
            append(run.last);
        }
    }

    // from, from + step, ... as long as they do not pass `to`.
    void pages(std::int64_t from, std::int64_t to, int step)
    {
        for (std::int64_t number = from; step > 0 ? number <= to : number >= to; number += step)
            page(static_cast<int>(number));
    }

    std::string take() { return std::move(text); }

private:
    void separate()
    {
        if (!text.empty())
            text += ',';
    }

    // By hand, not std::to_chars: its table of digit pairs is a unique global
    // symbol that would keep the application's plug-in from ever unloading.
    void append(int number)
    {
        char digits[16];
        char *start = digits + sizeof digits;
        unsigned magnitude = number < 0 ? 0u - static_cast<unsigned>(number) : static_cast<unsigned>(number);
        do {
            *--start = static_cast<char>('0' + magnitude % 10);
            magnitude /= 10;
        } while (magnitude != 0);
        if (number < 0)
            *--start = '-';
        text.append(start, digits + sizeof digits);
    }

    std::string text;
};

std::int64_t runSize(Run run)
{
    return (run.last >= run.first ? std::int64_t(run.last) - run.first : std::int64_t(run.first) - run.last) + 1;
}

int step(Run run)
{
    return run.last >= run.first ? 1 : -1;
}

// Pages first, first + 2, ... up to pageCount (at least `first`), in the order asked.
std::string everySecondPage(int first, int pageCount, Order order)
{
    const int last = std::max(first, pageCount - (pageCount - first) % 2);
    ExpressionText text;
    if (order == Order::sequence)
        text.pages(first, last, 2);
    else
        text.pages(last, first, -2);
    return text.take();
}

} // namespace

std::string allPages(int pageCount, Order order)
{
    ExpressionText text;
    if (pageCount <= 1)
        text.page(1);
    else if (order == Order::sequence)
        text.run({ 1, pageCount });
    else
        text.pages(pageCount, 1, -1);
    return text.take();
}

std::string oddPages(int pageCount, Order order)
{
    return everySecondPage(1, pageCount, order);
}

std::string evenPages(int pageCount, Order order)
{
    return everySecondPage(2, pageCount, order);
}

std::string writeRuns(const std::vector<Run> &runs)
{
    ExpressionText text;
    for (Run run : runs)
        text.run(run);
    return text.take();
}

std::string writeReversed(const std::vector<Run> &runs)
{
    ExpressionText text;
    for (auto run = runs.rbegin(); run != runs.rend(); ++run)
        text.pages(run->last, run->first, -step(*run));
    return text.take();
}

std::string writeSlice(const std::vector<Run> &runs, int first, int last)
{
    ExpressionText text;
    std::int64_t position = 0; // the position of the last page of the runs walked so far
    for (Run run : runs) {
        if (position >= last)
            break;
        // Only the positions of this run that fall inside first..last are walked.
        const std::int64_t runStart = position + 1;
        position += runSize(run);
        const std::int64_t keepFrom = std::max<std::int64_t>(runStart, first);
        const std::int64_t keepTo = std::min<std::int64_t>(position, last);
        if (keepFrom <= keepTo)
            text.pages(run.first + (keepFrom - runStart) * step(run), run.first + (keepTo - runStart) * step(run), step(run));
    }
    return text.take();
}

} // namespace pageranges
