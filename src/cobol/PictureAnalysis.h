#pragma once

// What a PICTURE string says about an item, apart from the entry that holds it. QtCore only.

#include <QHash>
#include <QString>
#include <QStringView>

namespace orvane::cobol
{

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

// The whole number a count names: digits, or a constant holding them. False for anything else.
bool CountValue(QStringView word, const Constants *constants, qint64 &value);

} // namespace orvane::cobol
