#include "editor/TextFile.h"

#include "../common/Files.h"

#include <QBuffer>
#include <functional>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace orvane
{
namespace
{

using testing::readBytes;
using testing::writeBytes;

// What the editor does with a file: read it, show it with LF line ends, write it back.
QByteArray openAndSave(const QString &path, const std::function<QString(QString)> &edit = {})
{
    DecodedText file;
    EXPECT_TRUE(readTextFile(path, file).ok());
    QString shown = toEditorText(file.text);
    if (edit)
        shown = edit(shown);
    EXPECT_TRUE(writeTextFile(path, toFileText(shown, file.form), file.form).ok());
    return readBytes(path);
}

struct RoundTrip {
    const char *name;
    QByteArray bytes;
    const char *shown; // UTF-8
    TextForm form;
    QByteArray saved; // after open and save
};

TEST(TextFileTest, OpenAndSaveKeepsTheBytes)
{
    const TextForm lf1252{TextEncoding::Windows1252, false, "\n"};
    const TextForm crlfUtf8{TextEncoding::Utf8, false, "\r\n"}, lfUtf8{TextEncoding::Utf8, false, "\n"};
    const RoundTrip cases[] = {
        {"crlf", "A.\r\nB.\r\n", "A.\nB.\n", crlfUtf8, "A.\r\nB.\r\n"},
        {"lf", "A.\nB.\n", "A.\nB.\n", lfUtf8, "A.\nB.\n"},
        {"utf8 accents", "CAF\xC3\x89\r\nNI\xC3\x91O\r\n", "CAF\xC3\x89\nNI\xC3\x91O\n", crlfUtf8,
         "CAF\xC3\x89\r\nNI\xC3\x91O\r\n"},
        {"utf8 bom", "\xEF\xBB\xBF" "A\n", "A\n", {TextEncoding::Utf8, true, "\n"},
         "\xEF\xBB\xBF" "A\n"},
        {"cp1252 accents", "CAF\xC9\nNI\xD1O \x80\n", "CAF\xC3\x89\nNI\xC3\x91O \xE2\x82\xAC\n",
         lf1252, "CAF\xC9\nNI\xD1O \x80\n"},
        // The one line end a file without one gains, once.
        {"no final line end", "ABC", "ABC", crlfUtf8, "ABC\r\n"},
        {"lf without final", "A\nB", "A\nB", lfUtf8, "A\nB\n"},
        {"empty", "", "", crlfUtf8, ""},
        {"blank lines kept", "A\r\n\r\n\r\n", "A\n\n\n", crlfUtf8, "A\r\n\r\n\r\n"},
    };
    QTemporaryDir dir;
    for (const RoundTrip &c : cases) {
        const QString path = dir.filePath(QStringLiteral("r.cbl"));
        writeBytes(path, c.bytes);
        DecodedText file;
        ASSERT_TRUE(readTextFile(path, file).ok()) << c.name;
        EXPECT_EQ(toEditorText(file.text), QString::fromUtf8(c.shown)) << c.name;
        EXPECT_EQ(file.form, c.form) << c.name;
        EXPECT_EQ(openAndSave(path), c.saved) << c.name;
        EXPECT_EQ(openAndSave(path), c.saved) << c.name << " (second time)";
    }
}

TEST(TextFileTest, TypedTextTakesTheFilesForm)
{
    struct Case {
        const char *name;
        QByteArray bytes;
        QByteArray saved;
    };
    const Case cases[] = {
        {"cp1252 crlf", "A\xC9\r\n", "A\xC9\r\n\xC9\r\n"},
        {"utf8 lf", "A\xC3\x89\n", "A\xC3\x89\n\xC3\x89\n"},
    };
    QTemporaryDir dir;
    for (const Case &c : cases) {
        const QString path = dir.filePath(QStringLiteral("t.cbl"));
        writeBytes(path, c.bytes);
        EXPECT_EQ(openAndSave(path, [](QString t) { return t + QChar(0xC9); }), c.saved) << c.name;
    }
}

TEST(TextFileTest, NewTextIsCrLfAndWindows1252UnlessItNeedsMore)
{
    EXPECT_EQ(newTextForm(u"CAF\u00C9 \u20AC"), TextForm{});
    EXPECT_EQ(newTextForm(u"\u0391").encoding, TextEncoding::Utf8);
    EXPECT_EQ(toFileText(u"A\nB", TextForm{}), u"A\r\nB\r\n");
}

TEST(TextFileTest, RefusesWhatIsNoText)
{
    QTemporaryDir dir;
    const QString binary = dir.filePath(QStringLiteral("bin.cbl"));
    writeBytes(binary, QByteArray("AB\0CD", 5));
    const QString huge = dir.filePath(QStringLiteral("huge.cbl"));
    {
        QFile f(huge);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_TRUE(f.resize(MaxTextFileBytes + 1)); // sparse: costs no disk
    }
    const QString fifo = dir.filePath(QStringLiteral("pipe"));
    ASSERT_EQ(QProcess::execute(QStringLiteral("mkfifo"), {fifo}), 0);
    struct Case {
        QString path;
        TextFileStatus status;
    };
    const Case cases[] = {
        {binary, TextFileStatus::NotText},
        {huge, TextFileStatus::TooLarge},
        {fifo, TextFileStatus::NotRegular},
        {dir.path(), TextFileStatus::NotRegular},
        {dir.filePath(QStringLiteral("none.cbl")), TextFileStatus::Missing},
    };
    for (const Case &c : cases) {
        DecodedText file;
        const TextFileResult r = readTextFile(c.path, file);
        EXPECT_EQ(r.status, c.status) << c.path.toStdString();
        EXPECT_FALSE(r.reason.isEmpty());
    }
}

TEST(TextFileTest, FailedWritesLeaveTheFileAsItWas)
{
    QTemporaryDir dir;
    const QString readOnly = dir.filePath(QStringLiteral("ro.cbl"));
    writeBytes(readOnly, "OLD\r\n");
    QFile::setPermissions(readOnly, QFileDevice::ReadOwner | QFileDevice::ReadGroup);
    EXPECT_EQ(writeTextFile(readOnly, u"NEW\r\n", TextForm{}).status, TextFileStatus::ReadOnly);
    EXPECT_EQ(readBytes(readOnly), "OLD\r\n");
    EXPECT_FALSE(QFileInfo(readOnly).permissions() & QFileDevice::WriteOwner);

    const QString plain = dir.filePath(QStringLiteral("a.cbl"));
    writeBytes(plain, "OLD\r\n");
    EXPECT_EQ(writeTextFile(plain, u"\u0391\r\n", TextForm{}).status,
              TextFileStatus::NotEncodable);
    EXPECT_EQ(readBytes(plain), "OLD\r\n");

    const QString fifo = dir.filePath(QStringLiteral("pipe"));
    ASSERT_EQ(QProcess::execute(QStringLiteral("mkfifo"), {fifo}), 0);
    EXPECT_EQ(writeTextFile(fifo, u"A", TextForm{}).status, TextFileStatus::NotRegular);
    EXPECT_FALSE(QFileInfo(fifo).isFile());

    EXPECT_FALSE(writeTextFile(dir.filePath(QStringLiteral("no/such/dir.cbl")), u"A", TextForm{})
                     .ok());
}

// A device that takes only so many bytes.
class FullDevice : public QBuffer
{
public:
    explicit FullDevice(qint64 room) : room_(room) {}

protected:
    qint64 writeData(const char *data, qint64 len) override
    {
        if (len > room_) {
            setErrorString(QStringLiteral("No space left on device"));
            return -1;
        }
        room_ -= len;
        return QBuffer::writeData(data, len);
    }

private:
    qint64 room_;
};

TEST(TextFileTest, WriteErrorsAreReported)
{
    FullDevice device(3);
    ASSERT_TRUE(device.open(QIODevice::WriteOnly));
    const TextFileResult r = writeTextFile(device, u"ABCDEF", TextForm{});
    EXPECT_EQ(r.status, TextFileStatus::WriteFailed);
    EXPECT_EQ(r.reason, u"No space left on device");
}

} // namespace
} // namespace orvane
