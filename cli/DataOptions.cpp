#include "DataOptions.h"

#include "Cli.h"
#include "CopybookCommands.h"

#include "cobol/LayoutChoices.h"
#include "model/FieldTree.h"

#include <QIODevice>

namespace orvane::cli
{

using namespace orvane::cobol;

bool DataOptions::known(const QString &name)
{
    static const QStringList names = {
        QStringLiteral("--layout"),        QStringLiteral("-I"),
        QStringLiteral("--encoding"),      QStringLiteral("--dialect"),
        QStringLiteral("--record-length"), QStringLiteral("--record-format"),
        QStringLiteral("--rdw-length"),    QStringLiteral("--rdw-order"),
        QStringLiteral("--rdw-size"),      QStringLiteral("--tables"),
        QStringLiteral("--line-ends"),     QStringLiteral("--variant"),
        QStringLiteral("--when"),          QStringLiteral("--binary"),
        QStringLiteral("--comp5"),         QStringLiteral("--float")};
    return names.contains(name);
}

void DataOptions::parse(const QStringList &args, const QStringList &flags, const QStringList &own,
                        QStringList &files, QString &error,
                        const std::function<void(const QString &, const QString &)> &handle)
{
    for (qsizetype i = 1; i < args.size() && error.isEmpty(); ++i) {
        const QString &a = args[i];
        if (!a.startsWith(u'-') || a == u"-") {
            files << a;
        } else if (flags.contains(a)) {
            handle(a, {});
        } else if (!own.contains(a) && !known(a)) {
            error = QStringLiteral("unknown option %1").arg(a);
        } else if (i + 1 >= args.size()) {
            error = QStringLiteral("option %1 needs a value").arg(a);
        } else if (own.contains(a)) {
            handle(a, args[++i]);
        } else {
            take(a, args[++i], error);
        }
    }
}

bool DataOptions::take(const QString &a, const QString &v, QString &error)
{
    auto oneOf = [&](const QStringList &values) {
        if (!values.contains(v))
            error =
                QStringLiteral("%1 takes %2, not %3").arg(a, values.join(QStringLiteral(", ")), v);
        return error.isEmpty();
    };
    if (a == u"--layout") {
        layout = v;
    } else if (a == u"-I") {
        includeDirs << v;
    } else if (a == u"--encoding") {
        if (!EncodingFromName(v, decode.encoding))
            error = QStringLiteral("--encoding takes ascii, cp1252, utf-8, cp037, cp1140, "
                                   "cp273, cp500 or cp1047, not %1")
                        .arg(v);
    } else if (a == u"--dialect") {
        dialectGiven = true;
        if (!DialectFromName(v, dialect))
            error = QStringLiteral("--dialect takes default, ibm or mf, not %1").arg(v);
    } else if (a == u"--record-length") {
        bool ok = false;
        recordLength = v.toLongLong(&ok);
        if (!ok || recordLength < 1)
            error = QStringLiteral("--record-length takes a number of bytes, not %1").arg(v);
    } else if (a == u"--record-format") {
        if (oneOf({QStringLiteral("auto"), QStringLiteral("fixed"), QStringLiteral("lines"),
                   QStringLiteral("rdw"), QStringLiteral("vb")}))
            RecordFormatFromName(v, framing.format);
    } else if (a == u"--rdw-length") {
        framing.headerGiven = true;
        if (oneOf({QStringLiteral("with-word"), QStringLiteral("without-word")}))
            framing.header.excludesHeader = v == u"without-word";
    } else if (a == u"--rdw-order") {
        if (oneOf({QStringLiteral("big"), QStringLiteral("little")}))
            framing.header.littleEndian = v == u"little";
    } else if (a == u"--rdw-size") {
        if (oneOf({QStringLiteral("2"), QStringLiteral("4")}))
            framing.header.wide = v == u"4";
    } else if (a == u"--tables") {
        if (oneOf({QStringLiteral("varying"), QStringLiteral("padded")}))
            choice.paddedTables = v == u"padded";
    } else if (a == u"--line-ends") {
        if (oneOf({QStringLiteral("auto"), QStringLiteral("none"), QStringLiteral("lf"),
                   QStringLiteral("crlf")}))
            lineEnds = v == u"none"   ? LineEnds::None
                       : v == u"lf"   ? LineEnds::Lf
                       : v == u"crlf" ? LineEnds::CrLf
                                      : LineEnds::Auto;
    } else if (a == u"--variant") {
        choice.variants << v;
    } else if (a == u"--when") {
        VariantRule rule;
        if (!ParseVariantRule(v, rule))
            error = QStringLiteral("--when takes FIELD=VALUE:VARIANT, not %1").arg(v);
        else
            choice.rules.push_back(rule);
    } else if (a == u"--binary") {
        if (oneOf({QStringLiteral("big"), QStringLiteral("native")}))
            decode.binaryNative = v == u"native";
    } else if (a == u"--comp5") {
        comp5Given = true;
        if (oneOf({QStringLiteral("big"), QStringLiteral("native")}))
            decode.comp5BigEndian = v == u"big";
    } else if (a == u"--float") {
        if (oneOf({QStringLiteral("ieee"), QStringLiteral("ieee-big"), QStringLiteral("ibm")}))
            decode.floats = v == u"ibm"        ? FloatFormat::IbmHex
                            : v == u"ieee-big" ? FloatFormat::IeeeBigEndian
                                               : FloatFormat::Ieee;
    } else {
        return false;
    }
    return true;
}

void DataOptions::applyEncoding()
{
    ApplyEncodingDefaults(decode, dialect, dialectGiven, comp5Given);
}

bool DataOptions::open(const QString &data, RecordLayout &layout, DataFile &file, Framing &framing,
                       QIODevice &err)
{
    applyEncoding();
    FieldTree tree;
    if (!loadLayout(this->layout, includeDirs, tree, err))
        return false;
    QString error;
    if (BuildRecordLayout(BuildStorageMap(tree, dialect), choice, layout, error)) {
        this->framing.recordLength = recordLength > 0 ? recordLength : layout.length;
        this->framing.lineEnds = lineEnds;
        if (this->framing.recordLength < 1)
            error = QStringLiteral("The record %1 has no length").arg(layout.name);
        else if (file.open(data, error))
            framing = FrameRecords(file.data(), file.size(), this->framing);
        if (error.isEmpty() && framing.refused)
            error = framing.problem;
    }
    if (!error.isEmpty())
        err.write(error.toUtf8() + '\n');
    return error.isEmpty();
}

int DataOptions::start(const QString &usageError, const QString &data, RecordLayout &layout,
                       DataFile &file, Framing &framing, QIODevice &err)
{
    if (!usageError.isEmpty()) {
        err.write(
            QStringLiteral("orvane-cli: %1 (try orvane-cli --help)\n").arg(usageError).toUtf8());
        return kUsage;
    }
    return open(data, layout, file, framing, err) ? -1 : kFailed;
}

} // namespace orvane::cli
