#pragma once

// What several of these tests start from: a copybook imported and laid out, and the values a
// decoder shows for one record.

#include "cobol/CopybookReader.h"
#include "cobol/RecordDecoder.h"
#include "cobol/StorageMap.h"

#include "../common/Files.h"
#include "../common/QStringPrinter.h"

#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

namespace orvane::testing
{

// The copybook's storage map; `tree`, when given, keeps the imported fields.
inline cobol::StorageMap mapOf(const QString &text,
                               cobol::Dialect dialect = cobol::Dialect::Default,
                               cobol::SourceFormat format = cobol::SourceFormat::Free,
                               FieldTree *tree = nullptr)
{
    const cobol::ReadResult read = cobol::ReadDataDescriptions(text, {format, {}, {}});
    EXPECT_TRUE(read.ok()) << read.errorText().toStdString();
    FieldTree own;
    cobol::ImportEntries(tree ? *tree : own, read);
    return cobol::BuildStorageMap(tree ? *tree : own, dialect);
}

// The map's first record, or the one `choice` names, laid out for the decoder.
inline cobol::RecordLayout layoutOf(const cobol::StorageMap &map,
                                    const cobol::LayoutChoice &choice = {})
{
    cobol::RecordLayout layout;
    QString error;
    EXPECT_TRUE(cobol::BuildRecordLayout(map, choice, layout, error)) << error.toStdString();
    return layout;
}

// The first record of a copybook, laid out.
inline cobol::RecordLayout layoutOf(const QString &text,
                                    cobol::Dialect dialect = cobol::Dialect::Default,
                                    cobol::SourceFormat format = cobol::SourceFormat::Free)
{
    return layoutOf(mapOf(text, dialect, format));
}

// A record descriptor word: big-endian 2-byte length, two zero bytes.
inline QByteArray descriptorWord(int length)
{
    return QByteArray(1, char(length >> 8)) + char(length & 0xFF) + QByteArray(2, '\0');
}

// The record's values joined by `separator`: "-" for an absent field, "<bad HEX>" for one that
// does not decode.
inline QString shownValues(cobol::RecordDecoder &decoder, const cobol::RecordLayout &layout,
                           const void *record, qint64 length, QChar separator = u' ')
{
    decoder.setRecord(static_cast<const unsigned char *>(record), length);
    QStringList values;
    std::string out;
    for (size_t c = 0; c < layout.columns.size(); ++c) {
        const cobol::FieldState state = decoder.field(c, out);
        const QString value = QString::fromStdString(out);
        values << (state == cobol::FieldState::Ok       ? value
                   : state == cobol::FieldState::Absent ? QStringLiteral("-")
                                                        : QStringLiteral("<bad %1>").arg(value));
    }
    return values.join(separator);
}

// A program's divisions up to its FILE SECTION, with OUT-FILE a sequential `file`.
inline QString programHead(const char *file)
{
    return QStringLiteral("       IDENTIFICATION DIVISION.\n"
                          "       PROGRAM-ID. WRITER.\n"
                          "       ENVIRONMENT DIVISION.\n"
                          "       INPUT-OUTPUT SECTION.\n"
                          "       FILE-CONTROL.\n"
                          "           SELECT OUT-FILE ASSIGN TO '%1'\n"
                          "               ORGANIZATION IS SEQUENTIAL.\n"
                          "       DATA DIVISION.\n"
                          "       FILE SECTION.\n")
        .arg(QLatin1String(file));
}

// cobc's path; a test that needs it is skipped where it is not installed, but fails on CI.
#define COBC_OR_SKIP(cobc)                                                                         \
    const QString cobc = QStandardPaths::findExecutable(QStringLiteral("cobc"));                   \
    if (cobc.isEmpty()) {                                                                          \
        if (qEnvironmentVariableIsSet("CI"))                                                       \
            FAIL() << "cobc not found (Debian package gnucobol3)";                                 \
        GTEST_SKIP() << "cobc not found (Debian package gnucobol3)";                               \
    }

// Writes `program` to DIR/program.cbl and compiles it with cobc and `options`: cobc's messages
// and the program when it fails, else nothing.
inline QString compile(const QString &cobc, const QString &dir, const QString &program,
                       const QStringList &options)
{
    const QString source = dir + QStringLiteral("/program.cbl");
    writeBytes(source, program.toLatin1());
    QProcess process;
    process.setWorkingDirectory(dir);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(cobc, options + QStringList{source});
    if (!process.waitForFinished(120000) || process.exitCode() != 0)
        return QString::fromLocal8Bit(process.readAll()) + u'\n' + program;
    return {};
}

// The same, compiled to a program that is then run in DIR; its output.
inline QByteArray compileAndRun(const QString &cobc, const QString &dir, const QString &program,
                                const QStringList &options = {})
{
    const QString binary = dir + QStringLiteral("/program");
    EXPECT_EQ(compile(cobc, dir, program, options + QStringList{"-x", "-o", binary}).toStdString(),
              "");
    QProcess process;
    process.setWorkingDirectory(dir);
    process.start(binary, {});
    EXPECT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    return process.readAllStandardOutput();
}

} // namespace orvane::testing
