#pragma once

#include <QString>

#include <optional>

namespace orvane
{

// The header generated code goes behind: seven spaces, the header and its period.
inline constexpr QStringView WorkingStorageHeader = u"       WORKING-STORAGE SECTION.";

// The line end a text uses, decided by its first line end: "\r\n" or "\n". A text without any
// line end gets "\r\n".
QString LineEndOf(QStringView text);

// The text with every line end (CR LF, LF or a lone CR) replaced by `lineEnd`.
QString ConvertLineEnds(QStringView text, QStringView lineEnd);

// The source with the code inserted directly behind the period of its first WORKING-STORAGE
// SECTION header (letter case ignored; a header inside a comment does not count), ahead of
// that line's own line end: a line end, the code,
// a line end. The code's line ends follow the source's convention. nullopt when there is no
// header.
std::optional<QString> InsertAfterWorkingStorage(const QString &source, const QString &code);

} // namespace orvane
