#pragma once

// The options `view` and `edit` share: the layout, how the data file's records are framed, and
// how their fields decode.

#include "cobol/DataFile.h"
#include "cobol/RecordDecoder.h"
#include "cobol/RecordFraming.h"
#include "cobol/StorageMap.h"

#include <QStringList>

#include <functional>

class QIODevice;

namespace orvane::cli
{

struct DataOptions {
    QString layout;
    QStringList includeDirs;
    bool dialectGiven = false;
    cobol::Dialect dialect = cobol::Dialect::Default;
    qint64 recordLength = -1;
    cobol::LineEnds lineEnds = cobol::LineEnds::Auto;
    cobol::FramingOptions framing;
    cobol::LayoutChoice choice;
    cobol::DecodeOptions decode;
    bool comp5Given = false;

    // Walks the arguments after the command: the positional ones into `files`, the command's
    // own options, `flags` (without a value) and `own` (with one), to `handle`, and these
    // options here. Stops at the first error, put in `error`.
    void parse(const QStringList &args, const QStringList &flags, const QStringList &own,
               QStringList &files, QString &error,
               const std::function<void(const QString &name, const QString &value)> &handle);
    // Whether `name` is one of these options (each takes a value).
    static bool known(const QString &name);
    // Takes option `name` with its value when it is one of these; `error` then says what is
    // wrong with the value, if anything. False: not one of these.
    bool take(const QString &name, const QString &value, QString &error);
    // A mainframe download: binary items sized and ordered as the mainframe has them.
    void applyEncoding();
    // Applies the encoding's defaults, reads the layout, then `data`, and finds its records (the
    // record length taken from the layout when not given); false after writing why to `err`.
    bool open(const QString &data, cobol::RecordLayout &layout, cobol::DataFile &file,
              cobol::Framing &framing, QIODevice &err);
    // The start `view` and `edit` share: a usage error is said, else `data` is opened. The exit
    // status to end with, or -1 to go on.
    int start(const QString &usageError, const QString &data, cobol::RecordLayout &layout,
              cobol::DataFile &file, cobol::Framing &framing, QIODevice &err);
};

} // namespace orvane::cli
