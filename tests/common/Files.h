#pragma once

// Whole-file reads and writes for tests that compare files byte for byte.

#include <QByteArray>
#include <QFile>
#include <QString>

#include <gtest/gtest.h>

namespace orvane::testing
{

// The file's bytes, or "<missing>" when it cannot be read, so a comparison shows why it failed.
inline QByteArray readBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

inline void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
    ASSERT_EQ(f.write(bytes), bytes.size());
}

} // namespace orvane::testing
