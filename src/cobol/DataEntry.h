#pragma once

// One COBOL data description entry as the reader understood it, and the field text Orvane
// keeps for it. QtCore only.

#include "SourceText.h"
#include "UsageWords.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <unordered_map>
#include <vector>

namespace orvane::cobol
{

enum class SignPosition { None, Leading, Trailing };

enum class Category {
    Group,
    Alphabetic,
    Alphanumeric,
    AlphanumericEdited,
    Numeric,
    NumericEdited,
    National,
    Condition, // 88
    Renames,   // 66
};

// What a PICTURE string says about the item.
struct PictureInfo {
    Category category = Category::Alphanumeric;
    qint64 positions = 0; // character positions: every symbol but S, V and P; CR and DB count 2
    int digits = 0;       // the 9s of a numeric picture (Z and * too when edited)
    int scale = 0;        // digits right of the decimal point; negative for trailing Ps
    bool isSigned = false;
};

// The constants read so far (78 entries, 01 ... CONSTANT AS): upper-case name to its value as
// written. A later OCCURS count or picture repeat count may name one.
using Constants = QHash<QString, QString>;

// Reads a picture string; returns an error message, empty when the picture is sound. A repeat
// count may name one of the `constants`.
QString AnalyzePicture(QStringView picture, PictureInfo &info,
                       const Constants *constants = nullptr);

// Picture strings shared across the entries of a layout: a layout repeats few pictures over
// many fields, so each is kept once and found again without building a string.
class PictureStrings
{
public:
    // The picture (upper case), sharing the copy kept when it was met before.
    QString get(QStringView picture);
    // AnalyzePicture, remembered for a sound picture kept here and read without constants: that
    // reading depends on the string alone, and a layout would repeat it for every field.
    QString analyze(const QString &picture, PictureInfo &info, const Constants *constants);

private:
    struct Hash {
        using is_transparent = void;
        size_t operator()(QStringView s) const { return qHash(s); }
    };
    struct Equal {
        using is_transparent = void;
        bool operator()(QStringView a, QStringView b) const { return a == b; }
    };
    struct Known {
        PictureInfo info;
        bool analyzed = false;
    };
    std::unordered_map<QString, Known, Hash, Equal> strings_;
};

// The whole number a count names: digits, or a constant holding them. False for anything else.
bool CountValue(QStringView word, const Constants *constants, qint64 &value);

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
