#include "editor/TextFile.h"

#include "codegen/WorkingStorage.h"
#include "model/Cp1252.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

namespace orvane
{

namespace
{

const QByteArray Utf8Bom = QByteArrayLiteral("\xEF\xBB\xBF");

TextFileResult failed(TextFileStatus status, const QString &reason)
{
    return {status, reason};
}

bool allRepresentable(QStringView text)
{
    for (QChar c : text)
        if (c.unicode() >= 0x80 && !cp1252::representable(c))
            return false;
    return true;
}

} // namespace

QString cobolFileFilter()
{
    return QStringLiteral("Cobol Files (*.cbl);;All Files (*)");
}

TextForm newTextForm(QStringView text)
{
    TextForm form;
    if (!allRepresentable(text))
        form.encoding = TextEncoding::Utf8;
    return form;
}

DecodedText decodeText(const QByteArray &bytes)
{
    DecodedText out;
    QStringDecoder utf8(QStringConverter::Utf8);
    out.text = utf8.decode(bytes);
    if (utf8.hasError()) {
        out.text = cp1252::decode(bytes);
        out.form.encoding = TextEncoding::Windows1252;
    } else {
        out.form.encoding = TextEncoding::Utf8;
        out.form.byteOrderMark = bytes.startsWith(Utf8Bom);
    }
    out.form.lineEnd = LineEndOf(out.text);
    return out;
}

QByteArray encodeText(QStringView text, const TextForm &form, bool *ok)
{
    if (form.encoding == TextEncoding::Utf8) {
        if (ok)
            *ok = true;
        QByteArray bytes = form.byteOrderMark ? Utf8Bom : QByteArray();
        return bytes + text.toUtf8();
    }
    if (ok)
        *ok = allRepresentable(text);
    return cp1252::encode(text);
}

QString toEditorText(QStringView fileText)
{
    if (!fileText.contains(u'\r'))
        return fileText.toString();
    return ConvertLineEnds(fileText, u"\n");
}

QString toFileText(QStringView editorText, const TextForm &form)
{
    QString out = (form.lineEnd == u"\n" && !editorText.contains(u'\r'))
                      ? editorText.toString()
                      : ConvertLineEnds(editorText, form.lineEnd);
    if (!out.isEmpty() && !out.endsWith(u'\n') && !out.endsWith(u'\r'))
        out += form.lineEnd;
    return out;
}

TextFileResult readTextFile(QIODevice &device, DecodedText &out)
{
    const QString tooLarge = QStringLiteral("it is larger than 256 MB");
    if (!device.isSequential() && device.size() > MaxTextFileBytes)
        return failed(TextFileStatus::TooLarge, tooLarge);
    const QByteArray bytes = device.read(MaxTextFileBytes + 1);
    if (bytes.size() > MaxTextFileBytes)
        return failed(TextFileStatus::TooLarge, tooLarge);
    const auto *file = qobject_cast<const QFileDevice *>(&device);
    if (file && file->error() != QFileDevice::NoError)
        return failed(TextFileStatus::ReadFailed, device.errorString());
    if (bytes.contains('\0'))
        return failed(TextFileStatus::NotText,
                      QStringLiteral("it is not a text file (it holds NUL bytes)"));
    out = decodeText(bytes);
    return {};
}

TextFileResult readTextFile(const QString &path, DecodedText &out)
{
    const QFileInfo info(path);
    if (!info.exists())
        return failed(TextFileStatus::Missing, QStringLiteral("the file does not exist"));
    if (!info.isFile())
        return failed(TextFileStatus::NotRegular, QStringLiteral("it is not a regular file"));
    if (info.size() > MaxTextFileBytes)
        return failed(TextFileStatus::TooLarge, QStringLiteral("it is larger than 256 MB"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return failed(TextFileStatus::OpenFailed, file.errorString());
    return readTextFile(file, out);
}

TextFileResult writeTextFile(QIODevice &device, QStringView text, const TextForm &form)
{
    bool encodable = true;
    const QByteArray bytes = encodeText(text, form, &encodable);
    if (!encodable)
        return failed(TextFileStatus::NotEncodable,
                      QStringLiteral("the text holds characters that Windows-1252 cannot store"));
    if (device.write(bytes) != bytes.size())
        return failed(TextFileStatus::WriteFailed, device.errorString());
    return {};
}

TextFileResult writeTextFile(const QString &path, QStringView text, const TextForm &form)
{
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        return failed(TextFileStatus::NotRegular, QStringLiteral("it is not a regular file"));
    // A temporary file renamed over it would quietly lift the protection.
    if (info.exists() && !(info.permissions() & QFileDevice::WriteOwner))
        return failed(TextFileStatus::ReadOnly, QStringLiteral("the file is read only"));
    if (form.encoding == TextEncoding::Windows1252 && !allRepresentable(text))
        return failed(TextFileStatus::NotEncodable,
                      QStringLiteral("the text holds characters that Windows-1252 cannot store"));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return failed(TextFileStatus::OpenFailed, file.errorString());
    TextFileResult result = writeTextFile(file, text, form);
    if (!result.ok()) {
        file.cancelWriting();
        return result;
    }
    if (!file.commit())
        return failed(TextFileStatus::WriteFailed, file.errorString());
    return {};
}

} // namespace orvane
