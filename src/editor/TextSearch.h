#pragma once

#include <QString>

#include <vector>

namespace orvane
{

struct SearchOptions {
    bool matchCase = false; // otherwise letters compare without regard to case
    bool wholeWord = false;
};

// A match as a 0-based start and a length; start -1 when nothing was found.
struct TextMatch {
    qsizetype start = -1;
    qsizetype length = 0;

    bool found() const { return start >= 0; }
    bool operator==(const TextMatch &) const = default;
};

// Words are made of ASCII letters and digits; everything else, "_" and "." included, and the
// ends of the text bound them.
bool isWordBoundary(QChar c);
bool isWholeWord(QStringView text, qsizetype start, qsizetype length);

// The next match at or after the selection's start, one character further when something is
// selected, so overlapping matches are found one after the other. With whole word, a match
// inside a longer word is passed over.
TextMatch findDown(QStringView text, QStringView what, qsizetype selStart, qsizetype selLength,
                   const SearchOptions &options);
// The last match that ends before the selection starts.
TextMatch findUp(QStringView text, QStringView what, qsizetype selStart,
                 const SearchOptions &options);

// Where Replace All replaces, as starts in the original text, in order: each search starts
// just behind the previous replacement, so a replacement that contains the find text is never
// replaced again. The whole-word test sees the text as it stands after the earlier
// replacements.
std::vector<qsizetype> replaceAllMatches(QStringView text, QStringView what, QStringView with,
                                         const SearchOptions &options);
// The text with those matches replaced.
QString applyReplacements(QStringView text, const std::vector<qsizetype> &starts,
                          qsizetype findLength, QStringView with);

// Every occurrence replaced, without the whole-word rule (as field texts are replaced).
// An empty find text changes nothing.
QString replaceEvery(QStringView text, QStringView what, QStringView with, bool matchCase);

} // namespace orvane
