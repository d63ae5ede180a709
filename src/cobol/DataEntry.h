#pragma once

// One COBOL data description entry as the reader understood it, and the field text Orvane
// keeps for it. QtCore only.

#include "PictureAnalysis.h"
#include "SourceText.h"
#include "UsageWords.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace orvane::cobol
{

enum class SignPosition { None, Leading, Trailing };

struct DataEntry {
    int level = 0;
    QString name;            // upper case; empty for an unnamed item
    bool filler = false;     // named FILLER
    QString picture;         // as written, upper case
    PictureInfo pictureInfo; // what the picture says, when there is one
    Usage usage = Usage::Display;
    UsageDetail usageDetail;
    bool usageGiven = false;
    bool constant = false; // 78, or 01 ... CONSTANT: no storage, a value later entries may use
    QString constantValue; // as written
    qint64 occursMin = 0;  // both 0 without OCCURS
    qint64 occursMax = 0;
    QString dependingOn;
    QString redefines;
    QString renames;
    QString renamesThru;
    SignPosition sign = SignPosition::None;
    bool signSeparate = false;
    bool sync = false;
    bool justified = false;
    bool blankWhenZero = false;
    bool external = false;
    bool global = false;
    bool hasValue = false;

    // The field text: level, name, clauses with their words; the clause mark before PIC and
    // VALUE, keywords upper case, literals as written.
    QString fieldText;
    int line = 0;
    int column = 0;
    QString file; // the copybook an expanded COPY brought it from; empty for the main text
};

// Reads one entry from its tokens (from the level number up to, not including, the period).
// Returns an error message naming what is wrong, empty when the entry is sound; the token
// index of the problem goes to `errorToken`.
QString ParseEntry(const std::vector<Token> &tokens, size_t begin, size_t end, DataEntry &entry,
                   size_t &errorToken, const Constants *constants = nullptr);

// Reads a field text back (the clause mark counts as a blank). A text that is not a data
// description entry gives an error message. Without `keepText` the entry's own field text is
// not built, which is all a reader of sizes needs. With `pictures` the entry's picture is
// the one kept there.
QString ParseFieldText(const QString &fieldText, DataEntry &entry, bool keepText = true,
                       const Constants *constants = nullptr, PictureStrings *pictures = nullptr);

// Whether a word is a level number as COBOL writes it (1 or 2 digits).
bool IsLevelWord(QStringView word);

} // namespace orvane::cobol
