#include "Data_unit1.h"

#include <algorithm>
#include <limits>

bool MergeAlternately = false;

// ---- Page-range texts ------------------------------------------------------

namespace {

const QString pieceSeparator = QStringLiteral(",");
const QString rangeSeparator = QStringLiteral("-");

// A part read as a decimal number after optional leading blanks; anything
// else, an empty part and a number too large for an int read as 0.
int PartValue(const QString &part)
{
    qsizetype index = 0;
    while (index < part.size() && (part[index] == u' ' || part[index] == u'\t'))
        ++index;
    if (index == part.size())
        return 0;
    long long value = 0;
    for (; index < part.size(); ++index) {
        const QChar character = part[index];
        if (character < u'0' || character > u'9')
            return 0;
        value = value * 10 + (character.unicode() - u'0');
        if (value > std::numeric_limits<int>::max())
            return 0;
    }
    return static_cast<int>(value);
}

// Blanks and control characters around a piece do not count.
QString TrimPiece(const QString &piece)
{
    qsizetype first = 0;
    qsizetype last = piece.size();
    while (first < last && piece[first].unicode() <= u' ')
        ++first;
    while (last > first && piece[last - 1].unicode() <= u' ')
        --last;
    return piece.mid(first, last - first);
}

// The trimmed, non-empty pieces of a page-range text.
QStringList TrimmedPieces(const QString &text)
{
    QStringList pieces;
    for (const QString &piece : SplitPieces(text, pieceSeparator)) {
        QString trimmed = TrimPiece(piece);
        if (!trimmed.isEmpty())
            pieces.append(std::move(trimmed));
    }
    return pieces;
}

QString PieceText(int from, int to)
{
    return from == to ? QString::number(from) : QString::number(from) + rangeSeparator + QString::number(to);
}

// "to,to-1,...,from": every page of a range, last first.
QString DescendingPages(int from, int to)
{
    QString pages;
    pages.reserve(static_cast<qsizetype>(to - from + 1) * 5);
    for (int page = to; page >= from; --page) {
        if (!pages.isEmpty())
            pages += u',';
        pages += QString::number(page);
    }
    return pages;
}

} // namespace

QStringList SplitPieces(const QString &text, const QString &separator)
{
    QStringList pieces;
    if (separator.isEmpty())
        return pieces;
    qsizetype start = 0;
    for (;;) {
        const qsizetype found = text.indexOf(separator, start);
        const qsizetype end = found < 0 ? text.size() : found;
        if (end > start)
            pieces.append(text.mid(start, end - start));
        if (found < 0)
            return pieces;
        start = found + separator.size();
    }
}

bool ParsePiece(const QString &piece, int &from, int &to, int pageCount)
{
    const QStringList parts = SplitPieces(piece, rangeSeparator);
    if (parts.size() == 1) {
        from = to = PartValue(parts[0]);
        return from >= 1 && from <= pageCount;
    }
    if (parts.size() != 2)
        return false;
    from = std::max(PartValue(parts[0]), 1);
    to = PartValue(parts[1]);
    if (to > pageCount) {
        to = pageCount;
        return false;
    }
    return from <= to;
}

void ParsePieceLoose(const QString &piece, int &from, int &to)
{
    const QStringList parts = SplitPieces(piece, rangeSeparator);
    if (parts.size() == 1) {
        from = to = PartValue(parts[0]);
    } else if (parts.size() == 2) {
        from = std::max(PartValue(parts[0]), 1);
        to = std::max(PartValue(parts[1]), 1);
    }
}

// The pieces of `text` that are valid for a file of `pageCount` pages, as
// (from, to) pairs in their order; `allValid` tells whether none was dropped.
static QList<QPair<int, int>> ValidPieces(const QString &text, int pageCount, bool &allValid)
{
    QList<QPair<int, int>> pieces;
    allValid = true;
    for (const QString &piece : TrimmedPieces(text)) {
        int from = 0;
        int to = 0;
        if (ParsePiece(piece, from, to, pageCount))
            pieces.append({ from, to });
        else
            allValid = false;
    }
    return pieces;
}

bool NormalizeRange(QString &text, int pageCount)
{
    bool allValid = true;
    QStringList parts;
    for (const auto &[from, to] : ValidPieces(text, pageCount, allValid))
        parts.append(PieceText(from, to));
    text = parts.join(pieceSeparator);
    return allValid && !text.isEmpty();
}

bool ReverseRange(QString &text, int pageCount)
{
    // Parts are collected first and joined last to first: putting each one in
    // front of a growing text would copy it again for every piece.
    bool allValid = true;
    QStringList parts;
    for (const auto &[from, to] : ValidPieces(text, pageCount, allValid))
        parts.append(DescendingPages(from, to));
    std::reverse(parts.begin(), parts.end());
    text = parts.join(pieceSeparator);
    return allValid && !text.isEmpty();
}

int CountRangePages(const QString &text, int pageCount)
{
    long long count = 0;
    for (const QString &piece : TrimmedPieces(text)) {
        int from = 0;
        int to = 0;
        if (ParsePiece(piece, from, to, pageCount))
            count += static_cast<long long>(to) - from + 1;
    }
    return static_cast<int>(std::min<long long>(count, std::numeric_limits<int>::max()));
}

int SliceRange(const QString &text, int first, int last, QString &slice)
{
    slice.clear();
    long long position = 0; // position of the last page of the pieces walked so far
    for (const QString &piece : TrimmedPieces(text)) {
        if (position >= last)
            break;
        int from = 0;
        int to = 0;
        ParsePieceLoose(piece, from, to);
        if (to < from)
            continue;
        // Only the pages of this piece that fall inside first..last are
        // walked, so a long range costs no more than the pages it yields.
        const long long pieceStart = position + 1;
        const long long pieceEnd = position + (static_cast<long long>(to) - from + 1);
        const long long keepFrom = std::max<long long>(pieceStart, first);
        const long long keepTo = std::min<long long>(pieceEnd, last);
        for (long long kept = keepFrom; kept <= keepTo; ++kept) {
            if (!slice.isEmpty())
                slice += pieceSeparator;
            slice += QString::number(from + (kept - pieceStart));
        }
        position = pieceEnd;
    }
    return last - first + 1;
}
