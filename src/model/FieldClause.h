#pragma once

#include <QString>

namespace orvane
{

// Stands directly before PIC and before VALUE(S) in a clause text, so readers can split the
// text there. Character 160 is byte 0xA0 in Windows-1252 and is never trimmed as a blank.
inline constexpr QChar ClauseMark = QChar(0x00A0);

// The most characters a field's clause text may hold.
inline constexpr int MaxClauseLength = 255;

// What the entry panel holds while a field is described, as the user typed it.
struct FieldEntry {
    QString level = QStringLiteral("01");
    QString name;
    QString pictureText; // a picture kind from the list, or a picture typed by hand
    QString length;
    QString occurs;
    QString keyKindText = QStringLiteral("Key");
    QString keyDataName;
    QString indexName;
    QString value;
    bool multipleValues = false;
    bool treatAsString = false;
    bool inputField = true; // false: output field, the picture text is an edit picture
};

// The clause text for an entry, upper case and ending in a period,
// for example "05 CUST-NAME \u00A0PIC X(30).".
QString BuildFieldClause(const FieldEntry &entry);

// The picture letter of a picture kind ("AlphaNum (X)" gives 'X'), or a null QChar when the
// text is not one of the three kinds. Case is ignored.
QChar pictureKindLetter(QStringView text);
// "ascending key is", "descending key is" or empty, for the key-kind box text.
QString keyPhraseFor(QStringView keyKindText);

// Upper case that stays inside Windows-1252: a character whose upper case has no byte there
// is kept as it is, and nothing expands (no "SS" for sharp s).
QString upperCp1252(QStringView text);
// Removes blanks (code 32 only) at both ends; the clause marker is not a blank.
QStringView trimBlanksView(QStringView text);
QString trimBlanks(QStringView text);

// The level of a clause text: the number in its first two characters.
double clauseLevel(QStringView clauseText);

} // namespace orvane
