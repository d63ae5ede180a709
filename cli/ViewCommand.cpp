#include "ViewCommand.h"
#include "Cli.h"

#include "CopybookCommands.h"

#include "cobol/DataFile.h"
#include "cobol/RecordDecoder.h"
#include "model/FieldTree.h"

#include <QIODevice>

#include <algorithm>

namespace orvane::cli
{

using namespace orvane::cobol;

namespace
{

constexpr qsizetype kFlushAt = 1 << 16;
constexpr int kMaxTableWidth = 40;

struct ViewOptions {
    QString data;
    QString layout;
    QStringList includeDirs;
    Encoding encoding = Encoding::Ascii;
    bool dialectGiven = false;
    Dialect dialect = Dialect::Default;
    qint64 recordLength = -1;
    QString format = QStringLiteral("table");
    qint64 from = 1;
    qint64 to = -1; // -1: to the end
    LineEnds lineEnds = LineEnds::Auto;
    LayoutChoice choice;
    DecodeOptions decode;
    bool comp5Given = false;
    QString error;
};

bool parseRange(const QString &v, qint64 &from, qint64 &to)
{
    const qsizetype colon = v.indexOf(u':');
    bool ok = true;
    const QString a = colon < 0 ? v : v.left(colon);
    const QString b = colon < 0 ? v : v.mid(colon + 1);
    from = a.isEmpty() ? 1 : a.toLongLong(&ok);
    if (!ok || from < 1)
        return false;
    to = b.isEmpty() ? -1 : b.toLongLong(&ok);
    return ok && (to == -1 || to >= from);
}

ViewOptions parse(const QStringList &args)
{
    ViewOptions o;
    QStringList files;
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString &a = args[i];
        if (!a.startsWith(u'-') || a == u"-") {
            files << a;
            continue;
        }
        static const QStringList valued = {
            QStringLiteral("--layout"),    QStringLiteral("--encoding"),
            QStringLiteral("--dialect"),   QStringLiteral("--record-length"),
            QStringLiteral("--format"),    QStringLiteral("--records"),
            QStringLiteral("--line-ends"), QStringLiteral("--record"),
            QStringLiteral("--variant"),   QStringLiteral("--when"),
            QStringLiteral("--binary"),    QStringLiteral("--comp5"),
            QStringLiteral("--float"),     QStringLiteral("-I")};
        if (!valued.contains(a)) {
            o.error = QStringLiteral("unknown option %1").arg(a);
            return o;
        }
        if (i + 1 >= args.size()) {
            o.error = QStringLiteral("option %1 needs a value").arg(a);
            return o;
        }
        const QString &v = args[++i];
        auto oneOf = [&](const QStringList &values) {
            if (!values.contains(v))
                o.error = QStringLiteral("%1 takes %2, not %3")
                              .arg(a, values.join(QStringLiteral(", ")), v);
            return o.error.isEmpty();
        };
        if (a == u"--layout") {
            o.layout = v;
        } else if (a == u"-I") {
            o.includeDirs << v;
        } else if (a == u"--encoding") {
            if (!EncodingFromName(v, o.encoding))
                o.error = QStringLiteral("--encoding takes ascii, cp1252, utf-8, cp037, cp1140, "
                                         "cp273, cp500 or cp1047, not %1")
                              .arg(v);
        } else if (a == u"--dialect") {
            o.dialectGiven = true;
            if (!DialectFromName(v, o.dialect))
                o.error = QStringLiteral("--dialect takes default, ibm or mf, not %1").arg(v);
        } else if (a == u"--record-length") {
            bool ok = false;
            o.recordLength = v.toLongLong(&ok);
            if (!ok || o.recordLength < 1)
                o.error = QStringLiteral("--record-length takes a number of bytes, not %1").arg(v);
        } else if (a == u"--format") {
            if (oneOf({QStringLiteral("table"), QStringLiteral("csv"), QStringLiteral("json")}))
                o.format = v;
        } else if (a == u"--records") {
            if (!parseRange(v, o.from, o.to))
                o.error = QStringLiteral("--records takes FROM:TO, counted from 1, not %1").arg(v);
        } else if (a == u"--line-ends") {
            if (oneOf({QStringLiteral("auto"), QStringLiteral("none"), QStringLiteral("lf"),
                       QStringLiteral("crlf")}))
                o.lineEnds = v == u"none"   ? LineEnds::None
                             : v == u"lf"   ? LineEnds::Lf
                             : v == u"crlf" ? LineEnds::CrLf
                                            : LineEnds::Auto;
        } else if (a == u"--record") {
            o.choice.record = v;
        } else if (a == u"--variant") {
            o.choice.variants << v;
        } else if (a == u"--when") {
            // FIELD=VALUE:VARIANT; the value may hold neither = nor :.
            const qsizetype eq = v.indexOf(u'=');
            const qsizetype colon = v.lastIndexOf(u':');
            if (eq <= 0 || colon < eq || colon == v.size() - 1)
                o.error = QStringLiteral("--when takes FIELD=VALUE:VARIANT, not %1").arg(v);
            else
                o.choice.rules.push_back(
                    {v.left(eq), v.mid(eq + 1, colon - eq - 1), v.mid(colon + 1)});
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
        if (!o.error.isEmpty())
            return o;
    }
    if (files.size() != 1)
        o.error = QStringLiteral("view takes one data file");
    else if (o.layout.isEmpty())
        o.error = QStringLiteral("view needs --layout PROJECT.qel|COPYBOOK");
    else
        o.data = files[0];
    return o;
}

bool isNumber(const Column &c)
{
    return c.category == Category::Numeric && c.usage != Usage::Pointer &&
           c.usage != Usage::National;
}

int displayWidth(const Column &c)
{
    int w = int(std::min<qint64>(c.length, kMaxTableWidth));
    if (c.usage == Usage::Float || c.usage == Usage::Double)
        w = 14;
    else if (isNumber(c))
        w = std::max(c.digits, int(c.length)) + 2;
    return std::max<int>({w, int(c.name.size()), 1});
}

void appendCsv(QByteArray &out, const std::string &s)
{
    bool plain = true;
    for (char ch : s)
        plain = plain && ch != ',' && ch != '"' && ch != '\r' && ch != '\n';
    if (plain) {
        out.append(s.data(), qsizetype(s.size()));
        return;
    }
    out += '"';
    for (char ch : s) {
        if (ch == '"')
            out += '"';
        out += ch;
    }
    out += '"';
}

void appendJsonString(QByteArray &out, const std::string &s)
{
    out += '"';
    for (unsigned char ch : s) {
        if (ch == '"' || ch == '\\') {
            out += '\\';
            out += char(ch);
        } else if (ch < 0x20) {
            static const char hex[] = "0123456789abcdef";
            out += "\\u00";
            out += hex[ch >> 4];
            out += hex[ch & 15];
        } else {
            out += char(ch);
        }
    }
    out += '"';
}

// Trailing blanks are padding, not data; control characters would break a terminal's table.
void forTable(std::string &s)
{
    size_t end = s.find_last_not_of(' ');
    s.resize(end == std::string::npos ? 0 : end + 1);
    for (char &ch : s)
        if (static_cast<unsigned char>(ch) < 0x20)
            ch = '.';
}

} // namespace

int viewData(const QStringList &arguments, QIODevice &out, QIODevice &err)
{
    auto fail = [&](const QString &line, int status) {
        err.write(line.toUtf8() + '\n');
        return status;
    };
    ViewOptions o = parse(arguments);
    if (!o.error.isEmpty())
        return fail(QStringLiteral("orvane-cli: %1 (try orvane-cli --help)").arg(o.error), kUsage);
    o.decode.encoding = o.encoding;
    // A mainframe download: binary items sized and ordered as the mainframe has them.
    if (IsEbcdic(o.encoding)) {
        if (!o.dialectGiven)
            o.dialect = Dialect::Ibm;
        if (!o.comp5Given)
            o.decode.comp5BigEndian = true;
    }

    FieldTree tree;
    if (!loadLayout(o.layout, o.includeDirs, tree, err))
        return kFailed;
    const StorageMap map = BuildStorageMap(tree, o.dialect);
    RecordLayout layout;
    QString error;
    if (!BuildRecordLayout(map, o.choice, layout, error))
        return fail(error, kFailed);
    const qint64 recordLength = o.recordLength > 0 ? o.recordLength : layout.length;
    if (recordLength < 1)
        return fail(QStringLiteral("The record %1 has no length").arg(layout.name), kFailed);

    DataFile file;
    if (!file.open(o.data, error))
        return fail(error, kFailed);
    const FileShape shape = ShapeOf(file.data(), file.size(), recordLength, o.lineEnds);

    const std::vector<Column> &columns = layout.columns;
    const bool csv = o.format == u"csv";
    const bool json = o.format == u"json";
    std::vector<int> widths;
    QByteArray buffer;
    if (csv) {
        for (size_t c = 0; c < columns.size(); ++c) {
            if (c)
                buffer += ',';
            appendCsv(buffer, columns[c].name.toStdString());
        }
        buffer += '\n';
    } else if (json) {
        buffer += "[";
    } else {
        buffer += "RECORD";
        for (const Column &c : columns) {
            widths.push_back(displayWidth(c));
            buffer += ' ' + c.name.leftJustified(widths.back()).toUtf8();
        }
        buffer += '\n';
    }

    std::vector<char> numeric;
    for (const Column &c : columns)
        numeric.push_back(isNumber(c));
    RecordDecoder decoder(layout, o.decode);
    std::string value;
    qint64 badFields = 0;
    qint64 shown = 0;
    const qint64 last = o.to < 0 ? shape.records : std::min(o.to, shape.records);
    bool writeFailed = false;
    for (qint64 r = o.from; r <= last && !writeFailed; ++r) {
        const unsigned char *record = file.data() + (r - 1) * shape.stride();
        decoder.setRecord(record, recordLength);
        if (json)
            buffer += (shown ? ",\n{\"record\":" : "\n{\"record\":") + QByteArray::number(r) +
                      ",\"fields\":{";
        else if (!csv)
            buffer += QByteArray::number(r).leftJustified(6);
        for (size_t c = 0; c < columns.size(); ++c) {
            const FieldState state = decoder.field(c, value);
            if (state == FieldState::Bad) {
                ++badFields;
                value = "<bad " + value + '>';
            }
            if (csv) {
                if (c)
                    buffer += ',';
                if (state == FieldState::Ok && !numeric[c])
                    forTable(value);
                appendCsv(buffer, value);
            } else if (json) {
                if (c)
                    buffer += ',';
                appendJsonString(buffer, columns[c].name.toStdString());
                buffer += ':';
                if (state == FieldState::Absent) {
                    buffer += "null";
                } else if (state == FieldState::Bad) {
                    buffer += "{\"bad\":";
                    appendJsonString(buffer, value.substr(5, value.size() - 6));
                    buffer += '}';
                } else if (numeric[c]) {
                    buffer.append(value.data(), qsizetype(value.size()));
                } else {
                    appendJsonString(buffer, value);
                }
            } else {
                forTable(value);
                buffer += ' ';
                buffer.append(value.data(), qsizetype(value.size()));
                // Pad by characters, not bytes, so accented text keeps the columns straight.
                const qsizetype chars = QString::fromStdString(value).size();
                if (c + 1 < columns.size() && chars < widths[c])
                    buffer += QByteArray(widths[c] - chars, ' ');
            }
        }
        buffer += json ? "}}" : "\n";
        ++shown;
        if (buffer.size() >= kFlushAt) {
            writeFailed = out.write(buffer) != buffer.size();
            buffer.clear();
        }
    }
    if (json)
        buffer += shown ? "\n]\n" : "]\n";
    if (writeFailed || out.write(buffer) != buffer.size())
        return fail(QStringLiteral("Cannot write the records: %1").arg(out.errorString()), kFailed);

    QStringList notes = layout.problems;
    if (!shape.problem.isEmpty())
        notes << shape.problem;
    notes << QStringLiteral("%1 of %2 records shown, %3 bytes each%4; %5 fields did not decode")
                 .arg(shown)
                 .arg(shape.records)
                 .arg(recordLength)
                 .arg(shape.lineEnd == 2   ? QStringLiteral(" and CR LF")
                      : shape.lineEnd == 1 ? QStringLiteral(" and LF")
                                           : QString())
                 .arg(badFields);
    err.write((notes.join(u'\n') + u'\n').toUtf8());
    return badFields == 0 && shape.problem.isEmpty() && layout.problems.isEmpty() ? kOk : kFailed;
}

} // namespace orvane::cli
