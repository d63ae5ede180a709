#include "ViewCommand.h"
#include "Cli.h"

#include "DataOptions.h"

#include "cobol/DataFile.h"
#include "cobol/RecordDecoder.h"
#include "cobol/RecordExport.h"
#include "cobol/RecordFraming.h"

#include <QIODevice>

#include <algorithm>
#include <thread>

namespace orvane::cli
{

using namespace orvane::cobol;

namespace
{

constexpr qsizetype kFlushAt = 1 << 16;
constexpr int kMaxTableWidth = 40;

struct ViewOptions : DataOptions {
    QString data;
    QString format = QStringLiteral("table");
    qint64 from = 1;
    qint64 to = -1; // -1: to the end
    bool help = false;
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
    o.DataOptions::parse(
        args, {QStringLiteral("--help"), QStringLiteral("-h")},
        {QStringLiteral("--format"), QStringLiteral("--records"), QStringLiteral("--record")},
        files, o.error, [&](const QString &a, const QString &v) {
            static const QStringList formats = {QStringLiteral("table"), QStringLiteral("csv"),
                                                QStringLiteral("json"), QStringLiteral("jsonl")};
            if (a == u"--help" || a == u"-h")
                o.help = true;
            else if (a == u"--format" && formats.contains(v))
                o.format = v;
            else if (a == u"--format")
                o.error = QStringLiteral("--format takes %1, not %2")
                              .arg(formats.join(QStringLiteral(", ")), v);
            else if (a == u"--records" && !parseRange(v, o.from, o.to))
                o.error = QStringLiteral("--records takes FROM:TO, counted from 1, not %1").arg(v);
            else if (a == u"--record")
                o.choice.record = v;
        });
    if (o.help || !o.error.isEmpty())
        return o;
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

const char kViewHelp[] =
    "  view DATA --layout PROJECT.qel|COPYBOOK [--encoding ENC] [--record-length N]\n"
    "      [--format table|csv|json|jsonl] [--records FROM:TO]\n"
    "      [--record-format auto|fixed|lines|rdw|vb] [--line-ends auto|none|lf|crlf]\n"
    "      [--rdw-length with-word|without-word] [--rdw-order big|little]\n"
    "      [--rdw-size 2|4] [--tables varying|padded]\n"
    "      [--record NAME] [--variant NAME]... [--when FIELD=VALUE:VARIANT]...\n"
    "      [--dialect default|ibm|mf]\n"
    "      [--binary big|native] [--comp5 big|native] [--float ieee|ieee-big|ibm]\n"
    "      Decode the records of DATA through the layout's first record (or --record\n"
    "      NAME) and write one row per record, one column per field and per OCCURS\n"
    "      entry; jsonl writes one JSON object a line. Records are fixed-length (with\n"
    "      or without line ends), one per line, behind a 4-byte record descriptor\n"
    "      word (rdw: a big-endian length counting the word, then two zero bytes), or\n"
    "      in blocks behind a block descriptor word (vb). Without --record-format the\n"
    "      format is detected and named; a file that reads more than one way is\n"
    "      refused. --rdw-length without-word reads lengths that leave the word out\n"
    "      (GnuCOBOL's variable files); --rdw-order little and --rdw-size 4 read\n"
    "      little-endian and 4-byte lengths. A damaged file shows the records before\n"
    "      the damage and names it by record number and byte offset. Fields after an\n"
    "      OCCURS DEPENDING ON table follow its last entry in each record; --tables\n"
    "      padded reads every table at its maximum size. ENC is ascii (the default),\n"
    "      cp1252, utf-8 or the EBCDIC cp037, cp1140, cp273, cp500, cp1047; EBCDIC\n"
    "      implies --dialect ibm and big-endian COMP-5. A field that does not decode\n"
    "      shows as <bad HEX>. The file is only read. --when shows VARIANT, an item\n"
    "      that REDEFINES another, in the records whose FIELD reads VALUE, and leaves\n"
    "      it empty elsewhere.\n";

int viewData(const QStringList &arguments, QIODevice &out, QIODevice &err)
{
    auto fail = [&](const QString &line, int status) {
        err.write(line.toUtf8() + '\n');
        return status;
    };
    ViewOptions o = parse(arguments);
    if (o.help) {
        out.write(QByteArray("Usage: orvane-cli view ...\n") + kViewHelp);
        return kOk;
    }
    RecordLayout layout;
    DataFile file;
    Framing framing;
    if (const int status = o.start(o.error, o.data, layout, file, framing, err); status >= 0)
        return status;
    const qint64 records = framing.records();
    const qint64 last = o.to < 0 ? records : std::min(o.to, records);
    const bool pastEnd = o.from > records || (o.to > records);

    const std::vector<Column> &columns = layout.columns;
    QByteArray buffer;
    qint64 badFields = 0;
    qint64 shown = std::max<qint64>(0, last - o.from + 1);
    bool writeFailed = false;
    if (o.format != u"table") {
        ExportJob job =
            WholeFileJob(framing, file.data(), layout, o.decode,
                         o.format == u"csv" ? ExportFormat::Csv : ExportFormat::JsonLines);
        job.from = o.from - 1;
        job.to = last;
        job.threads = int(std::max(1u, std::thread::hardware_concurrency()));
        const bool json = o.format == u"json";
        RecordTextWriter(layout, o.decode, job.format).header(buffer);
        if (json)
            buffer += '[';
        bool first = true;
        badFields = ExportRecords(job, [&](const QByteArray &text, qint64) {
            if (json && !text.isEmpty()) {
                // The lines of JSON Lines as the elements of one array.
                buffer += first ? "\n" : ",\n";
                buffer += QByteArray(text.constData(), text.size() - 1).replace("}}\n", "}},\n");
                first = false;
            } else if (!text.isEmpty()) {
                // A chunk goes out as it is, without a copy.
                writeFailed = out.write(buffer) != buffer.size() || out.write(text) != text.size();
                buffer.clear();
            }
            if (buffer.size() >= kFlushAt) {
                writeFailed = writeFailed || out.write(buffer) != buffer.size();
                buffer.clear();
            }
            return !writeFailed;
        });
        if (json)
            buffer += first ? "]\n" : "\n]\n";
    } else {
        std::vector<int> widths;
        buffer += "RECORD";
        for (const Column &c : columns) {
            widths.push_back(displayWidth(c));
            buffer += ' ' + c.name.leftJustified(widths.back()).toUtf8();
        }
        buffer += '\n';
        RecordDecoder decoder(layout, o.decode);
        RecordSource source(framing, file.data(), layout.length, SpaceByte(o.decode.encoding));
        std::string value;
        for (qint64 r = o.from; r <= last && !writeFailed; ++r) {
            qint64 length = 0;
            const unsigned char *record = source.record(r - 1, length);
            decoder.setRecord(record, length);
            buffer += QByteArray::number(r).leftJustified(6);
            for (size_t c = 0; c < columns.size(); ++c) {
                const FieldState state = decoder.field(c, value);
                if (state == FieldState::Bad) {
                    ++badFields;
                    value = "<bad " + value + '>';
                }
                forTable(value);
                buffer += ' ';
                buffer.append(value.data(), qsizetype(value.size()));
                // Pad by characters, not bytes, so accented text keeps the columns straight.
                const qsizetype chars = QString::fromStdString(value).size();
                if (c + 1 < columns.size() && chars < widths[c])
                    buffer += QByteArray(widths[c] - chars, ' ');
            }
            buffer += '\n';
            if (buffer.size() >= kFlushAt) {
                writeFailed = out.write(buffer) != buffer.size();
                buffer.clear();
            }
        }
    }
    if (writeFailed || out.write(buffer) != buffer.size())
        return fail(QStringLiteral("Cannot write the records: %1").arg(out.errorString()), kFailed);

    QStringList notes = layout.problems;
    // Fixed records need no word: the last line names their length and line ends.
    if (!framing.detected.isEmpty() && framing.format != RecordFormat::Fixed)
        notes << framing.detected;
    if (!framing.problem.isEmpty())
        notes << framing.problem;
    if (pastEnd)
        notes << QStringLiteral("--records %1:%2 goes past the end of the file, which has %3 "
                                "records")
                     .arg(o.from)
                     .arg(o.to < 0 ? QString() : QString::number(o.to))
                     .arg(records);
    if (framing.format == RecordFormat::Fixed)
        notes << QStringLiteral("%1 of %2 records shown, %3 bytes each%4; %5 fields did not "
                                "decode")
                     .arg(shown)
                     .arg(records)
                     .arg(o.framing.recordLength)
                     .arg(framing.fixed.lineEnd == 2   ? QStringLiteral(" and CR LF")
                          : framing.fixed.lineEnd == 1 ? QStringLiteral(" and LF")
                                                       : QString())
                     .arg(badFields);
    else
        notes << QStringLiteral("%1 of %2 shown; %3 fields did not decode")
                     .arg(shown)
                     .arg(framing.describe())
                     .arg(badFields);
    err.write((notes.join(u'\n') + u'\n').toUtf8());
    return badFields == 0 && framing.problem.isEmpty() && layout.problems.isEmpty() && !pastEnd
               ? kOk
               : kFailed;
}

} // namespace orvane::cli
