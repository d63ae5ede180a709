#pragma once

// The text changes of COPY ... REPLACING and of the REPLACE statement, on tokens. QtCore only.

#include "SourceText.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace orvane::cobol
{

struct Replacement {
    enum class Mode { Whole, Leading, Trailing };
    Mode mode = Mode::Whole;
    QStringList from; // the tokens to find: words upper case, literals as written
    QStringList to;   // what stands in their place, as written
    // A single tag such as ":PFX:" or "(PFX)" is found inside words too, as compilers do for
    // the prefixes of shared members.
    bool inWords = false;
};

// Reads "operand BY operand ..." from tokens[pos] up to (not including) `end`: pseudo-text
// (==...==), words and literals, LEADING and TRAILING. Returns an error message naming what is
// wrong, empty when all was read; `pos` ends at the problem or at `end`.
QString ParseReplacing(const std::vector<Token> &tokens, size_t &pos, size_t end,
                       std::vector<Replacement> &into);

// Applies the replacements to the tokens from `from` on, each token once, the first matching
// replacement winning. With `stopAtReplace`, stops at the next REPLACE statement, which starts
// a text of its own. Tokens that stand in keep the line and column of what they replaced.
void ApplyReplacing(TokenizedSource &source, size_t from,
                    const std::vector<Replacement> &replacements, bool stopAtReplace);

} // namespace orvane::cobol
