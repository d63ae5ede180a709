#pragma once

// The code pages a data file's text may be in: the ASCII family of the PC and the EBCDIC pages
// of a mainframe download. Tables of our own, so decoding never depends on what the system's
// converters happen to know. QtCore only.

#include <QString>

#include <string>

namespace orvane::cobol
{

enum class Encoding { Ascii, Cp1252, Utf8, Cp037, Cp1140, Cp273, Cp500, Cp1047 };

bool EncodingFromName(QStringView name, Encoding &encoding);
QString EncodingName(Encoding encoding);
bool IsEbcdic(Encoding encoding);

// The Unicode character of each byte in a single-byte code page; null for UTF-8.
const char16_t *CodePageTable(Encoding encoding);

// Appends the bytes as UTF-8. Bytes ASCII does not define come out as U+FFFD; so do malformed
// sequences in UTF-8.
void AppendText(std::string &out, const unsigned char *bytes, qint64 size, Encoding encoding);

// The byte of a character in the code page (for building test files and finding values);
// -1 when the page has none.
int EncodeChar(char16_t c, Encoding encoding);

} // namespace orvane::cobol
