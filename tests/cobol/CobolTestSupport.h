#pragma once

// What several of these tests start from: a copybook imported and laid out, and the values a
// decoder shows for one record.

#include "cobol/CopybookReader.h"
#include "cobol/RecordDecoder.h"
#include "cobol/StorageMap.h"

#include <gtest/gtest.h>

namespace orvane::testing
{

inline cobol::StorageMap mapOf(const QString &text,
                               cobol::Dialect dialect = cobol::Dialect::Default,
                               cobol::SourceFormat format = cobol::SourceFormat::Free)
{
    const cobol::ReadResult read = cobol::ReadDataDescriptions(text, {format, {}, {}});
    EXPECT_TRUE(read.ok()) << read.errorText().toStdString();
    FieldTree tree;
    cobol::ImportEntries(tree, read);
    return cobol::BuildStorageMap(tree, dialect);
}

// The record's values joined by `separator`: "-" for an absent field, "<bad HEX>" for one that
// does not decode.
inline QString shownValues(cobol::RecordDecoder &decoder, const cobol::RecordLayout &layout,
                           const char *record, qint64 length, QChar separator = u' ')
{
    decoder.setRecord(reinterpret_cast<const unsigned char *>(record), length);
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

} // namespace orvane::testing
