#include "editor/TextFile.h"

#include "../common/FailingDevice.h"
#include "../common/Files.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace orvane;

using orvane::testing::readBytes;
using orvane::testing::writeBytes;

// Round trips through the window live with the editor's tests; here: what a file's bytes say
// about its form, and the text written back for the form.
TEST(TextFileTest, TheBytesDecideTheForm)
{
    const TextForm lf1252{TextEncoding::Windows1252, false, "\n"};
    const TextForm crlfUtf8{TextEncoding::Utf8, false, "\r\n"};
    const struct {
        QByteArray bytes;
        const char *shown; // UTF-8
        TextForm form;
    } cases[] = {
        {"A.\r\nB.\r\n", "A.\nB.\n", crlfUtf8},
        {"A.\nB.\r\n", "A.\nB.\n", {TextEncoding::Utf8, false, "\n"}}, // the first one decides
        {"CAF\xC3\x89", "CAF\xC3\x89", crlfUtf8},
        {"\uFEFFA\n", "A\n", {TextEncoding::Utf8, true, "\n"}}, // U+FEFF: a byte order mark
        {"CAF\xC9\n\x80", "CAF\xC3\x89\n\xE2\x82\xAC", lf1252},
        {"", "", crlfUtf8},
    };
    for (const auto &c : cases) {
        const DecodedText file = decodeText(c.bytes);
        EXPECT_EQ(toEditorText(file.text), QString::fromUtf8(c.shown)) << c.bytes.toStdString();
        EXPECT_EQ(file.form, c.form) << c.bytes.toStdString();
        bool ok = false;
        EXPECT_EQ(encodeText(file.text, file.form, &ok), c.bytes);
        EXPECT_TRUE(ok);
    }
}

TEST(TextFileTest, FinalLineEndIsAddedOnceAndNewTextTakesTheDefaultForm)
{
    const TextForm lf{TextEncoding::Utf8, false, "\n"};
    EXPECT_EQ(toFileText(u"A\nB", TextForm{}), u"A\r\nB\r\n");
    EXPECT_EQ(toFileText(u"A\nB\n", TextForm{}), u"A\r\nB\r\n");
    EXPECT_EQ(toFileText(u"A\nB", lf), u"A\nB\n");
    EXPECT_EQ(toFileText(u"", TextForm{}), u"");
    // New text is CR LF and Windows-1252 unless it needs more.
    EXPECT_EQ(newTextForm(u"CAF\u00C9 \u20AC"), TextForm{});
    EXPECT_EQ(newTextForm(u"\u0391").encoding, TextEncoding::Utf8);
}

TEST(TextFileTest, RefusesWhatIsNoTextAndLeavesTheFileWhenAWriteFails)
{
    QTemporaryDir dir;
    const QString binary = dir.filePath(QStringLiteral("bin.cbl"));
    writeBytes(binary, QByteArray("AB\0CD", 5));
    const QString huge = dir.filePath(QStringLiteral("huge.cbl"));
    writeBytes(huge, {});
    ASSERT_TRUE(QFile::resize(huge, MaxTextFileBytes + 1)); // sparse: costs no disk
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

    // Failed writes leave the file as it was.
    const QString readOnly = dir.filePath(QStringLiteral("ro.cbl"));
    writeBytes(readOnly, "OLD\r\n");
    QFile::setPermissions(readOnly, QFileDevice::ReadOwner | QFileDevice::ReadGroup);
    EXPECT_EQ(writeTextFile(readOnly, u"NEW\r\n", TextForm{}).status, TextFileStatus::ReadOnly);
    EXPECT_EQ(readBytes(readOnly), "OLD\r\n");
    EXPECT_FALSE(QFileInfo(readOnly).permissions() & QFileDevice::WriteOwner);

    const QString plain = dir.filePath(QStringLiteral("a.cbl"));
    writeBytes(plain, "OLD\r\n");
    EXPECT_EQ(writeTextFile(plain, u"\u0391\r\n", TextForm{}).status, TextFileStatus::NotEncodable);
    EXPECT_EQ(readBytes(plain), "OLD\r\n");

    EXPECT_EQ(writeTextFile(fifo, u"A", TextForm{}).status, TextFileStatus::NotRegular);
    EXPECT_FALSE(QFileInfo(fifo).isFile());

    EXPECT_FALSE(
        writeTextFile(dir.filePath(QStringLiteral("no/such/dir.cbl")), u"A", TextForm{}).ok());
    // A device that fails as a full disk does names why.
    orvane::testing::FailingDevice device({}, 0);
    ASSERT_TRUE(device.open(QIODevice::WriteOnly));
    const TextFileResult r = writeTextFile(device, u"ABCDEF", TextForm{});
    EXPECT_EQ(r.status, TextFileStatus::WriteFailed);
    EXPECT_EQ(r.reason, u"No space left on device");
}
