#include "EditCommand.h"
#include "Cli.h"

#include "CopybookCommands.h"

#include "cobol/DataFile.h"
#include "cobol/DataSave.h"
#include "cobol/RecordEdits.h"
#include "cobol/RecordFields.h"
#include "model/FieldTree.h"

#include <QIODevice>

namespace orvane::cli
{

using namespace orvane::cobol;

namespace
{

struct EditOptions {
    QString data;
    QString layout;
    QStringList includeDirs;
    bool dialectGiven = false;
    Dialect dialect = Dialect::Default;
    qint64 recordLength = -1;
    LineEnds lineEnds = LineEnds::Auto;
    LayoutChoice choice;
    DecodeOptions decode;
    bool comp5Given = false;
    qint64 record = 0;
    std::vector<std::pair<QString, QString>> sets;
    bool dryRun = false;
    QString error;
};

EditOptions parse(const QStringList &args)
{
    EditOptions o;
    QStringList files;
    for (qsizetype i = 1; i < args.size() && o.error.isEmpty(); ++i) {
        const QString &a = args[i];
        if (!a.startsWith(u'-') || a == u"-") {
            files << a;
            continue;
        }
        if (a == u"--dry-run") {
            o.dryRun = true;
            continue;
        }
        static const QStringList valued = {
            QStringLiteral("--layout"),        QStringLiteral("--encoding"),
            QStringLiteral("--dialect"),       QStringLiteral("--record-length"),
            QStringLiteral("--record-format"), QStringLiteral("--record"),
            QStringLiteral("--set"),           QStringLiteral("--variant"),
            QStringLiteral("--layout-record"), QStringLiteral("--when"),
            QStringLiteral("--binary"),        QStringLiteral("--comp5"),
            QStringLiteral("--float"),         QStringLiteral("-I")};
        if (!valued.contains(a)) {
            o.error = QStringLiteral("unknown option %1").arg(a);
            break;
        }
        if (i + 1 >= args.size()) {
            o.error = QStringLiteral("option %1 needs a value").arg(a);
            break;
        }
        const QString &v = args[++i];
        auto oneOf = [&](const QStringList &values) {
            if (!values.contains(v))
                o.error = QStringLiteral("%1 takes %2, not %3")
                              .arg(a, values.join(QStringLiteral(", ")), v);
            return o.error.isEmpty();
        };
        bool ok = true;
        if (a == u"--layout") {
            o.layout = v;
        } else if (a == u"-I") {
            o.includeDirs << v;
        } else if (a == u"--encoding") {
            if (!EncodingFromName(v, o.decode.encoding))
                o.error = QStringLiteral("--encoding takes ascii, cp1252, utf-8, cp037, cp1140, "
                                         "cp273, cp500 or cp1047, not %1")
                              .arg(v);
        } else if (a == u"--dialect") {
            o.dialectGiven = true;
            if (!DialectFromName(v, o.dialect))
                o.error = QStringLiteral("--dialect takes default, ibm or mf, not %1").arg(v);
        } else if (a == u"--record-length") {
            o.recordLength = v.toLongLong(&ok);
            if (!ok || o.recordLength < 1)
                o.error = QStringLiteral("--record-length takes a number of bytes, not %1").arg(v);
        } else if (a == u"--record-format") {
            if (v == u"rdw" || v == u"vb")
                o.error = QStringLiteral("editing %1 records is not possible yet: only fixed and "
                                         "lines")
                              .arg(v);
            else if (oneOf({QStringLiteral("fixed"), QStringLiteral("lines")}))
                o.lineEnds = v == u"fixed" ? LineEnds::None : LineEnds::Auto;
        } else if (a == u"--record") {
            o.record = v.toLongLong(&ok);
            if (!ok || o.record < 1)
                o.error =
                    QStringLiteral("--record takes a record number, counted from 1, not %1").arg(v);
        } else if (a == u"--set") {
            const qsizetype eq = v.indexOf(u'=');
            if (eq <= 0)
                o.error = QStringLiteral("--set takes FIELD=VALUE, not %1").arg(v);
            else
                o.sets.emplace_back(v.left(eq), v.mid(eq + 1));
        } else if (a == u"--layout-record") { // --record is the record's number here
            o.choice.record = v;
        } else if (a == u"--variant") {
            o.choice.variants << v;
        } else if (a == u"--when") {
            VariantRule rule;
            if (!ParseVariantRule(v, rule))
                o.error = QStringLiteral("--when takes FIELD=VALUE:VARIANT, not %1").arg(v);
            else
                o.choice.rules.push_back(rule);
        } else if (a == u"--binary") {
            if (oneOf({QStringLiteral("big"), QStringLiteral("native")}))
                o.decode.binaryNative = v == u"native";
        } else if (a == u"--comp5") {
            o.comp5Given = true;
            if (oneOf({QStringLiteral("big"), QStringLiteral("native")}))
                o.decode.comp5BigEndian = v == u"big";
        } else if (a == u"--float") {
            if (oneOf({QStringLiteral("ieee"), QStringLiteral("ieee-big"), QStringLiteral("ibm")}))
                o.decode.floats = v == u"ibm"        ? FloatFormat::IbmHex
                                  : v == u"ieee-big" ? FloatFormat::IeeeBigEndian
                                                     : FloatFormat::Ieee;
        }
    }
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
    if (!o.error.isEmpty())
        return fail(QStringLiteral("orvane-cli: %1 (try orvane-cli --help)").arg(o.error), kUsage);
    // A mainframe download: binary items sized and ordered as the mainframe has them.
    if (IsEbcdic(o.decode.encoding)) {
        if (!o.dialectGiven)
            o.dialect = Dialect::Ibm;
        if (!o.comp5Given)
            o.decode.comp5BigEndian = true;
    }

    FieldTree tree;
    if (!loadLayout(o.layout, o.includeDirs, tree, err))
        return kFailed;
    RecordLayout layout;
    QString error;
    if (!BuildRecordLayout(BuildStorageMap(tree, o.dialect), o.choice, layout, error))
        return fail(error);
    const qint64 recordLength = o.recordLength > 0 ? o.recordLength : layout.length;
    if (recordLength < 1)
        return fail(QStringLiteral("The record %1 has no length").arg(layout.name));
    layout.length = recordLength;

    DataFile file;
    if (!file.open(o.data, error))
        return fail(error);
    const FileShape shape = ShapeOf(file.data(), file.size(), recordLength, o.lineEnds);
    if (o.record > shape.records)
        return fail(QStringLiteral("%1 has %2 records; there is no record %3")
                        .arg(o.data)
                        .arg(shape.records)
                        .arg(o.record));
    const FixedFraming framing(recordLength, shape.lineEnd, shape.records, file.size());
    RecordEdits edits(framing, file.data(), file.size());
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
