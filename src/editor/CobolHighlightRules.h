#pragma once

#include <QStringView>

#include <vector>

namespace orvane
{

// What a run of characters in a fixed-format COBOL line is, for colouring.
enum class CobolSpanKind {
    SequenceArea, // columns 1-6
    Indicator,    // column 7 when it marks continuation or debugging
    Comment,      // the whole line when column 7 holds '*' or '/'
    Literal,      // alphanumeric, national and hex literals
    Level,        // a level number opening an entry
    Picture,      // the character string after PIC / PICTURE [IS]
    Keyword,      // reserved words
    Number,       // numeric literals
    Ignored,      // past column 72, which the compiler never reads
};

struct CobolSpan {
    int start = 0;
    int length = 0;
    CobolSpanKind kind = CobolSpanKind::Keyword;

    bool operator==(const CobolSpan &) const = default;
};

// A literal still open at the end of a line (column 72) goes on in the next continuation line.
// The state is the quote that opened it, or 0.
struct CobolLineState {
    char16_t openQuote = 0;

    bool operator==(const CobolLineState &) const = default;
};

// Splits one fixed-format line into coloured spans, left to right and not overlapping;
// characters in no span are plain text. `state` is the state after the previous line and
// becomes the state after this one.
std::vector<CobolSpan> cobolLineSpans(QStringView line, CobolLineState &state);

// True for the reserved words that are coloured (division, section and paragraph headers,
// verbs, data clauses), in any case.
bool isCobolKeyword(QStringView word);

} // namespace orvane
