#pragma once

// What a PICTURE string says about an item, apart from the entry that holds it. QtCore only.

#include <QHash>
#include <QString>
#include <QStringView>

#include <unordered_map>

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

} // namespace orvane::cobol
