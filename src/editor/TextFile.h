#pragma once

#include <QByteArray>
#include <QString>

class QIODevice;

namespace orvane
{

// The file boxes' choice for COBOL sources, then all files.
QString cobolFileFilter();

// Larger files are refused: the editor could not hold them without stalling the window.
inline constexpr qint64 MaxTextFileBytes = qint64(256) * 1024 * 1024;

enum class TextEncoding { Utf8, Windows1252 };

// How a file stores its text, remembered when it is read so it can be written back the same
// way: the encoding (UTF-8 when the bytes are valid UTF-8, else Windows-1252), a UTF-8 byte
// order mark, and the line end (decided by the first one; CR LF for a file without any).
struct TextForm {
    TextEncoding encoding = TextEncoding::Windows1252;
    bool byteOrderMark = false;
    QString lineEnd = QStringLiteral("\r\n");

    bool operator==(const TextForm &) const = default;
};

// The form of a text that has no file yet: CR LF, Windows-1252 unless the text holds
// characters that only UTF-8 can store.
TextForm newTextForm(QStringView text);

struct DecodedText {
    QString text; // line ends as they stand in the file, without the byte order mark
    TextForm form;
};

DecodedText decodeText(const QByteArray &bytes);
// The text's characters in the form's encoding, the byte order mark first when the form has
// one. `ok` turns false when a character has no byte in Windows-1252 (it would come out as '?').
QByteArray encodeText(QStringView text, const TextForm &form, bool *ok);

// Editors hold lines separated by LF only; a file's own line ends come back on saving.
QString toEditorText(QStringView fileText);
// The editor's text in the file's line ends, followed by one line end unless it already ends
// with one (an empty text stays empty), so opening and saving never grows a file.
QString toFileText(QStringView editorText, const TextForm &form);

enum class TextFileStatus {
    Ok,
    Missing,
    NotRegular, // a folder, a pipe or a device
    OpenFailed,
    ReadFailed,
    TooLarge,
    NotText, // holds NUL bytes
    ReadOnly,
    NotEncodable,
    WriteFailed,
};

struct TextFileResult {
    TextFileStatus status = TextFileStatus::Ok;
    QString reason; // for the user, empty when Ok

    bool ok() const { return status == TextFileStatus::Ok; }
};

// Reads a whole file, refusing what an editor cannot show: something other than a regular
// file, more than MaxTextFileBytes, NUL bytes.
TextFileResult readTextFile(QIODevice &device, DecodedText &out);
TextFileResult readTextFile(const QString &path, DecodedText &out);

// Writes the text (line ends already as the file wants them) in the form's encoding. The
// file-name overload replaces the file in one step through a temporary file; it refuses a
// read-only file (replacing it would lift the protection) and anything but a regular file.
TextFileResult writeTextFile(QIODevice &device, QStringView text, const TextForm &form);
TextFileResult writeTextFile(const QString &path, QStringView text, const TextForm &form);

} // namespace orvane
