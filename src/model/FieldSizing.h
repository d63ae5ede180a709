#pragma once

// How a field's length, last position and output picture follow one another while the
// entry panel is filled in. QtCore only.

#include <QString>

namespace orvane
{

// The length box's text after a position changed: To - From + 1, or a null string while To is
// not above 0 (the length then stays as it is).
QString LengthFromPositions(const QString &from, const QString &to);

// An output field follows its edit picture: the length is the number of picture characters,
// or by positions the last position is the first one minus 1 plus that number.
QString OutputLengthForPicture(const QString &picture);
QString OutputToPositionFor(const QString &from, int characters);

// Whether a changed value text sizes an output field to the value: one quoted string on an
// output field. An empty value or picture text would only produce a "(0)" picture and a last
// position of -1, so neither sizes anything.
bool SizesOutputFieldToValue(bool inputField, bool treatAsString, bool multipleValues,
                             const QString &value, const QString &picture);
// The picture of an output field sized to its value: its first character and the length in
// parentheses ("X" and "5" give "X(5)").
QString OutputPictureForLength(const QString &picture, const QString &length);

} // namespace orvane
