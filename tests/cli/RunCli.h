#pragma once

// Runs the command-line tool in-process and keeps what it wrote to each stream.
#include "Cli.h"

#include <QBuffer>

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

} // namespace orvane::testing
