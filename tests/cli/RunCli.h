#pragma once

// Runs the command-line tool in-process and keeps what it wrote to each stream; each test's
// files go in a folder of its own.
#include "../common/Files.h"
#include "Cli.h"

#include <QBuffer>
#include <QTemporaryDir>

#include <ostream>

namespace orvane::testing
{

struct Outcome {
    int status = -1;
    QByteArray out;
    QByteArray err;
    bool operator==(const Outcome &) const = default;
};

inline void PrintTo(const Outcome &o, std::ostream *os)
{
    *os << "status " << o.status << ", out \"" << o.out.toStdString() << "\", err \""
        << o.err.toStdString() << '"';
}

inline Outcome runCli(const QStringList &arguments)
{
    Outcome o;
    QBuffer out(&o.out);
    QBuffer err(&o.err);
    out.open(QIODevice::WriteOnly);
    err.open(QIODevice::WriteOnly);
    o.status = cli::run(arguments, out, err);
    return o;
}

class CliFolder : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString path(const char *name) const { return dir.filePath(QString::fromLatin1(name)); }
    // Writes the file and gives its path.
    QString write(const char *name, const QByteArray &bytes) const
    {
        writeBytes(path(name), bytes);
        return path(name);
    }

    QTemporaryDir dir;
};

} // namespace orvane::testing
