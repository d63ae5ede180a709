#include "RecordExport.h"

#include <QSaveFile>

#include <algorithm>
#include <charconv>
#include <cstring>
#include <thread>

namespace orvane::cobol
{

namespace
{

constexpr qint64 kChunk = 8192;

bool isNumber(const Column &c)
{
    return c.category == Category::Numeric && c.usage != Usage::Pointer &&
           c.usage != Usage::National;
}

// Trailing blanks are padding, not data; control characters would break a line of text.
void tidyText(std::string &s)
{
    const size_t end = s.find_last_not_of(' ');
    s.resize(end == std::string::npos ? 0 : end + 1);
    for (char &ch : s)
        if (static_cast<unsigned char>(ch) < 0x20)
            ch = '.';
}

} // namespace

void AppendCsvValue(QByteArray &out, const std::string &s)
{
    if (s.find_first_of(",\"\r\n") == std::string::npos) {
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

void AppendJsonString(QByteArray &out, const std::string &s)
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

RecordTextWriter::RecordTextWriter(const RecordLayout &layout, const DecodeOptions &options,
                                   ExportFormat format)
    : decoder_(layout, options), format_(format), ebcdic_(IsEbcdic(options.encoding))
{
    const char16_t *table = CodePageTable(options.encoding);
    for (int b = 0; b < 256; ++b) {
        std::string utf8;
        const unsigned char byte = static_cast<unsigned char>(b);
        if (table)
            AppendText(utf8, &byte, 1, options.encoding);
        Glyph &g = glyphs_[b];
        g = Glyph{{0, 0, 0, 0}, 0, utf8 == " ", utf8 == "," || utf8 == "\""};
        if (utf8.size() == 1 && static_cast<unsigned char>(utf8[0]) < 0x20)
            utf8 = "."; // as tidyText does
        g.size = static_cast<unsigned char>(std::min<size_t>(utf8.size(), 3));
        std::copy_n(utf8.data(), g.size, g.bytes);
        first_[b] = g.bytes[0];
        plain_[b] = g.size == 1 && !g.quote;
    }
    const bool csv = format == ExportFormat::Csv;
    for (const Column &c : layout.columns) {
        // Straight from the bytes: text in a code page of single bytes (UTF-8's characters span
        // bytes), and zoned numbers.
        const bool display = csv && c.usage == Usage::Display;
        fast_.push_back(display && c.category == Category::Numeric               ? Fast::Zoned
                        : display && table && options.encoding != Encoding::Utf8 ? Fast::Text
                                                                                 : Fast::None);
        // The longest a value can be: a byte as 3 bytes of UTF-8, each doubled by quoting.
        csvBound_ += 6 * c.length + 96;
        QByteArray key;
        AppendJsonString(key, c.name.toStdString());
        keys_.push_back(key + ':');
        numeric_.push_back(isNumber(c));
    }
}

void RecordTextWriter::header(QByteArray &out) const
{
    if (format_ != ExportFormat::Csv)
        return;
    const std::vector<Column> &columns = decoder_.layout().columns;
    for (size_t c = 0; c < columns.size(); ++c) {
        if (c)
            out += ',';
        AppendCsvValue(out, columns[c].name.toStdString());
    }
    out += '\n';
}

namespace
{

char *put(char *w, const std::string &s)
{
    std::memcpy(w, s.data(), s.size());
    return w + s.size();
}

char *putCsv(char *w, const std::string &s)
{
    if (s.find_first_of(",\"\r\n") == std::string::npos)
        return put(w, s);
    *w++ = '"';
    for (char ch : s) {
        if (ch == '"')
            *w++ = '"';
        *w++ = ch;
    }
    *w++ = '"';
    return w;
}

// A zoned number with its sign, if any, in the last byte's zone, as DecodeField writes it;
// nullptr for anything else (an overpunched ASCII sign, a separate or leading sign, P
// scaling, a byte that is no digit), which the decoder then reads.
char *putZoned(char *w, const unsigned char *p, const Column &c, bool ebcdic)
{
    const qint64 n = c.length;
    if (n > 38 || c.scale < 0 || c.scale > n || c.signSeparate || c.sign == SignPosition::Leading)
        return nullptr;
    char digits[40];
    bool negative = false;
    bool nonZero = false;
    for (qint64 i = 0; i < n; ++i) {
        const unsigned char b = p[i];
        int d = 0;
        if (ebcdic) {
            d = b & 0x0F;
            const int zone = b >> 4;
            if (d > 9)
                return nullptr;
            if (zone != 0xF) {
                if (!c.isSigned || i != n - 1)
                    return nullptr;
                if (zone == 0xD || zone == 0xB)
                    negative = true;
                else if (zone != 0xC && zone != 0xA && zone != 0xE)
                    return nullptr;
            }
        } else {
            if (b < '0' || b > '9')
                return nullptr;
            d = b - '0';
        }
        digits[i] = char('0' + d);
        nonZero = nonZero || d != 0;
    }
    const qint64 whole = n - c.scale;
    if (negative && nonZero)
        *w++ = '-';
    if (whole > 0) {
        qint64 i = 0;
        while (i < whole - 1 && digits[i] == '0')
            ++i;
        std::memcpy(w, digits + i, size_t(whole - i));
        w += whole - i;
    } else {
        *w++ = '0';
    }
    if (c.scale > 0) {
        *w++ = '.';
        std::memcpy(w, digits + whole, size_t(c.scale));
        w += c.scale;
    }
    return w;
}

} // namespace

qint64 RecordTextWriter::append(qint64 number, const unsigned char *record, qint64 length,
                                QByteArray &out)
{
    decoder_.setRecord(record, length);
    if (format_ == ExportFormat::Csv)
        return appendCsv(record, length, out);
    char digits[24];
    const auto written = std::to_chars(digits, digits + sizeof digits, number);
    out += "{\"record\":";
    out.append(digits, written.ptr - digits);
    out += ",\"fields\":{";
    qint64 bad = 0;
    for (size_t c = 0; c < keys_.size(); ++c) {
        if (c)
            out += ',';
        out += keys_[c];
        const FieldState state = decoder_.field(c, value_);
        if (state == FieldState::Bad) {
            ++bad;
            out += "{\"bad\":";
            AppendJsonString(out, value_);
            out += '}';
        } else if (state == FieldState::Absent) {
            out += "null";
        } else if (numeric_[c]) {
            out.append(value_.data(), qsizetype(value_.size()));
        } else {
            AppendJsonString(out, value_);
        }
    }
    out += "}}\n";
    return bad;
}

// One record as a CSV line, written through a pointer into room made once for the record.
qint64 RecordTextWriter::appendCsv(const unsigned char *record, qint64 length, QByteArray &out)
{
    const qsizetype start = out.size();
    out.resize(start + qsizetype(csvBound_) + 1);
    char *w = out.data() + start;
    const std::vector<Column> &columns = decoder_.layout().columns;
    qint64 bad = 0;
    for (size_t c = 0; c < columns.size(); ++c) {
        if (c)
            *w++ = ',';
        if (fast_[c] != Fast::None) {
            if (!decoder_.present(c))
                continue;
            const qint64 at = decoder_.offset(c);
            const qint64 size = columns[c].length;
            if (at >= 0 && at + size <= length) {
                char *end = fast_[c] == Fast::Text ? putText(w, record + at, size)
                                                   : putZoned(w, record + at, columns[c], ebcdic_);
                if (end) {
                    w = end;
                    continue;
                }
            }
        }
        const FieldState state = decoder_.field(c, value_);
        if (state == FieldState::Bad) {
            ++bad;
            std::memcpy(w, "<bad ", 5);
            w = put(w + 5, value_);
            *w++ = '>';
        } else if (state == FieldState::Ok) {
            if (!numeric_[c])
                tidyText(value_);
            w = numeric_[c] ? put(w, value_) : putCsv(w, value_);
        }
    }
    *w++ = '\n';
    out.resize(w - out.data());
    return bad;
}

char *RecordTextWriter::putText(char *w, const unsigned char *p, qint64 size) const
{
    while (size > 0 && glyphs_[p[size - 1]].blank)
        --size;
    // Most text is one byte a character and needs no quotes: copied as it is translated.
    char *const begin = w;
    unsigned char plain = 1;
    for (qint64 i = 0; i < size; ++i) {
        w[i] = first_[p[i]];
        plain &= plain_[p[i]];
    }
    if (plain)
        return w + size;
    w = begin;
    bool quote = false;
    for (qint64 i = 0; i < size; ++i)
        quote = quote || glyphs_[p[i]].quote;
    if (quote)
        *w++ = '"';
    for (qint64 i = 0; i < size; ++i) {
        const Glyph &g = glyphs_[p[i]];
        if (quote && g.size == 1 && g.bytes[0] == '"')
            *w++ = '"';
        std::memcpy(w, g.bytes, g.size);
        w += g.size;
    }
    if (quote)
        *w++ = '"';
    return w;
}

ExportJob WholeFileJob(const Framing &framing, const unsigned char *data,
                       const RecordLayout &layout, const DecodeOptions &options,
                       ExportFormat format)
{
    ExportJob job;
    job.framing = &framing;
    job.data = data;
    job.layoutLength = layout.length;
    job.blank = SpaceByte(options.encoding);
    job.layout = &layout;
    job.options = options;
    job.format = format;
    job.to = framing.records();
    return job;
}

qint64 ExportRecords(const ExportJob &job,
                     const std::function<bool(const QByteArray &text, qint64 done)> &sink)
{
    const qint64 total =
        job.rows ? qint64(job.rows->size()) : std::max<qint64>(job.to - job.from, 0);
    struct Worker {
        RecordTextWriter writer;
        RecordSource source;
        QByteArray text;
        qint64 bad = 0;
    };
    std::vector<std::unique_ptr<Worker>> workers;
    const int threads = total > kChunk ? std::max(1, job.threads) : 1;
    for (int t = 0; t < threads; ++t)
        workers.push_back(std::make_unique<Worker>(Worker{
            RecordTextWriter(*job.layout, job.options, job.format),
            RecordSource(*job.framing, job.data, job.layoutLength, job.blank), QByteArray(), 0}));
    auto run = [&](Worker &w, qint64 first, qint64 last) {
        w.text.clear();
        w.text.reserve(qsizetype((last - first) * (job.layoutLength * 5 / 4 + 32)));
        for (qint64 i = first; i < last; ++i) {
            const qint64 row = job.rows ? (*job.rows)[size_t(i)] : job.from + i;
            qint64 length = 0;
            const unsigned char *record = w.source.record(row, length);
            w.bad += w.writer.append(row + 1, record, length, w.text);
        }
    };
    qint64 bad = 0;
    for (qint64 done = 0; done < total;) {
        // One chunk per worker, the first on this thread; then their text in order.
        std::vector<std::thread> others;
        std::vector<qint64> ends;
        qint64 at = done;
        for (int t = 0; t < threads && at < total; ++t) {
            const qint64 end = std::min(total, at + kChunk);
            if (t > 0)
                others.emplace_back(run, std::ref(*workers[size_t(t)]), at, end);
            ends.push_back(end);
            at = end;
        }
        run(*workers[0], done, ends[0]);
        for (std::thread &t : others)
            t.join();
        bool go = true;
        for (size_t t = 0; t < ends.size() && go; ++t)
            go = sink(workers[t]->text, ends[t]);
        if (!go)
            break;
        done = ends.back();
    }
    for (const auto &w : workers)
        bad += w->bad;
    return bad;
}

bool ExportToFile(const ExportJob &job, const QString &path,
                  const std::function<bool(qint64 done)> &progress, QString &error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        error = QStringLiteral("Cannot write %1: %2").arg(path, file.errorString());
        return false;
    }
    QByteArray header;
    RecordTextWriter(*job.layout, job.options, job.format).header(header);
    bool ok = file.write(header) == header.size();
    bool cancelled = false;
    ExportRecords(job, [&](const QByteArray &text, qint64 done) {
        ok = ok && file.write(text) == text.size();
        cancelled = ok && !progress(done);
        return ok && !cancelled;
    });
    if (ok && !cancelled && file.commit())
        return true;
    error =
        cancelled ? QString() : QStringLiteral("Cannot write %1: %2").arg(path, file.errorString());
    file.cancelWriting();
    return false;
}

} // namespace orvane::cobol
