#pragma once

#include <QByteArray>
#include <QString>

namespace orvane
{

// Project files and 8-bit COBOL sources are Windows-1252. Qt may be built without a codec for
// it, so the table lives here.
namespace cp1252
{

// The byte for a character, or -1 when the character has none in Windows-1252.
int byteFor(char16_t ch);
QChar charFor(unsigned char byte);
bool representable(QChar ch);
// Characters without a byte become '?'.
QByteArray encode(QStringView text);
QString decode(QByteArrayView bytes);

} // namespace cp1252
} // namespace orvane
