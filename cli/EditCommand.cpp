#include "EditCommand.h"
#include "Cli.h"

#include "DataOptions.h"

#include "cobol/DataFile.h"
#include "cobol/DataSave.h"
#include "cobol/RecordEdits.h"
#include "cobol/RecordFields.h"

#include <QIODevice>

namespace orvane::cli
{

using namespace orvane::cobol;

namespace
{

struct EditOptions : DataOptions {
    QString data;
    qint64 record = 0;
    std::vector<std::pair<QString, QString>> sets;
    bool dryRun = false;
    QString error;
};

EditOptions parse(const QStringList &args)
{
    EditOptions o;
    QStringList files;
    o.DataOptions::parse(
        args, {QStringLiteral("--dry-run")},
        {QStringLiteral("--record"), QStringLiteral("--set"), QStringLiteral("--layout-record")},
        files, o.error, [&](const QString &a, const QString &v) {
            bool ok = false;
            const qsizetype eq = v.indexOf(u'=');
            if (a == u"--dry-run") {
                o.dryRun = true;
            } else if (a == u"--record") {
                o.record = v.toLongLong(&ok);
                if (!ok || o.record < 1)
                    o.error = QStringLiteral("--record takes a record number, counted from 1, "
                                             "not %1")
                                  .arg(v);
            } else if (a == u"--set" && eq <= 0) {
                o.error = QStringLiteral("--set takes FIELD=VALUE, not %1").arg(v);
            } else if (a == u"--set") {
                o.sets.emplace_back(v.left(eq), v.mid(eq + 1));
            } else { // --layout-record: --record is the record's number here
                o.choice.record = v;
            }
        });
    if (!o.error.isEmpty())
        return o;
    if (files.size() != 1)
        o.error = QStringLiteral("edit takes one data file");
    else if (o.layout.isEmpty())
        o.error = QStringLiteral("edit needs --layout PROJECT.qel|COPYBOOK");
    else if (o.record < 1)
        o.error = QStringLiteral("edit needs --record N");
    else if (o.sets.empty())
        o.error = QStringLiteral("edit needs at least one --set FIELD=VALUE");
    else
        o.data = files[0];
    return o;
}

} // namespace

int editData(const QStringList &arguments, QIODevice &out, QIODevice &err)
{
    auto fail = [&](const QString &line, int status = kFailed) {
        err.write(line.toUtf8() + '\n');
        return status;
    };
    EditOptions o = parse(arguments);
    RecordLayout layout;
    DataFile file;
    Framing framing;
    if (const int status = o.start(o.error, o.data, layout, file, framing, err); status >= 0)
        return status;
    layout.length = o.framing.recordLength;
    const FrameWriter writer(framing, file.data(), file.size());
    if (!writer.refusal().isEmpty())
        return fail(writer.refusal());
    if (o.record > framing.records())
        return fail(QStringLiteral("%1 has %2 records; there is no record %3")
                        .arg(o.data)
                        .arg(framing.records())
                        .arg(o.record));
    RecordEdits edits(writer, file.data(), file.size());
    const qint64 index = o.record - 1;
    const QStringList before = RecordValues(edits, index, layout, o.decode);
    for (const auto &[name, value] : o.sets) {
        const QString refusal = SetNamedField(edits, index, layout, o.decode, name, value);
        if (!refusal.isEmpty())
            return fail(refusal);
    }
    if (o.dryRun) {
        const QStringList after = RecordValues(edits, index, layout, o.decode);
        out.write(BeforeAfterText(layout, before, after).toUtf8());
        return kOk;
    }
    if (!edits.modified())
        return kOk;
    const SaveResult saved = SaveDataFile(edits, o.data);
    if (!saved.ok)
        return fail(saved.message);
    return kOk;
}

} // namespace orvane::cli
