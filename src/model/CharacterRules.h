#pragma once

// Which characters an entry box accepts: the sorted character sets and the check that
// colours a name or number box red. QtCore only.

#include <QString>
#include <QStringList>

namespace orvane
{

// Characters that may not appear in a data name or a number box: every code 0..255 except
// the letters, the digits and the hyphen, ascending (positions start at 0 here).
const QStringList &SpecialChars();
// The 52 letters A-Z and a-z, ascending.
const QStringList &LetterChars();

// Sorts ascending by swapping neighbours until a pass swaps nothing; true when anything moved.
bool BubbleSort(QStringList &list);
// Position of `value` in the ascending list (exact, case-sensitive), -1 when absent.
int BinarySearch(const QStringList &list, const QString &value);

// Whether an entry box shows its text in red. Name boxes want a letter first and then only
// letters, digits and hyphens; number boxes want digits only (`forbidden` is "-" for them).
bool FieldTextIsInvalid(const QString &text, const QString &forbidden, bool isName);

} // namespace orvane
