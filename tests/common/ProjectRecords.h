#pragma once

// Project files as bytes: records made by hand, and layouts written the way the program
// writes them.

#include "model/FieldTree.h"
#include "project/ProjectFile.h"

#include <QBuffer>
#include <QByteArray>

#include <gtest/gtest.h>

#include <initializer_list>

namespace orvane::testing
{

// One record with the given text bytes; `length` may claim another length than the text has,
// and `padding` fills the rest of the record.
inline QByteArray projectRecord(const QByteArray &text, int length = -1, char padding = '\0')
{
    if (length < 0)
        length = int(text.size());
    QByteArray r(ProjectRecordSize, padding);
    r[0] = 8; // the type code of a text record, written out so the writer's constant is checked
    r[1] = 0;
    r[2] = char(length & 0xFF);
    r[3] = char(length >> 8);
    r.replace(4, text.size(), text);
    r.truncate(ProjectRecordSize);
    return r;
}

inline QByteArray projectRecords(std::initializer_list<const char *> texts)
{
    QByteArray out;
    for (const char *t : texts)
        out += projectRecord(t);
    return out;
}

// The bytes the writer makes of a tree; a refusal fails the test unless `result` takes it.
inline QByteArray projectBytes(const FieldTree &tree, ProjectResult *result = nullptr)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    const ProjectResult r = SaveNodes(tree, buffer);
    if (result)
        *result = r;
    else
        EXPECT_TRUE(r.ok()) << r.message.toStdString();
    return buffer.data();
}

} // namespace orvane::testing
