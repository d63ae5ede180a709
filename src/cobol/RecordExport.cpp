#include "RecordExport.h"

#include <QSaveFile>

#include <algorithm>
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
    : decoder_(layout, options), format_(format)
{
    for (const Column &c : layout.columns) {
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

qint64 RecordTextWriter::append(qint64 number, const unsigned char *record, qint64 length,
                                QByteArray &out)
{
    decoder_.setRecord(record, length);
    const bool csv = format_ == ExportFormat::Csv;
    if (!csv) {
        out += "{\"record\":";
        out += QByteArray::number(number);
        out += ",\"fields\":{";
    }
    qint64 bad = 0;
    for (size_t c = 0; c < keys_.size(); ++c) {
        const FieldState state = decoder_.field(c, value_);
        if (c)
            out += ',';
        if (state == FieldState::Bad) {
            ++bad;
            if (csv) {
                out += "<bad ";
                out.append(value_.data(), qsizetype(value_.size()));
                out += '>';
            } else {
                out += keys_[c];
                out += "{\"bad\":";
                AppendJsonString(out, value_);
                out += '}';
            }
            continue;
        }
        if (!csv)
            out += keys_[c];
        if (state == FieldState::Absent) {
            if (!csv)
                out += "null";
        } else if (numeric_[c]) {
            out.append(value_.data(), qsizetype(value_.size()));
        } else if (csv) {
            tidyText(value_);
            AppendCsvValue(out, value_);
        } else {
            AppendJsonString(out, value_);
        }
    }
    out += csv ? "\n" : "}}\n";
    return bad;
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
