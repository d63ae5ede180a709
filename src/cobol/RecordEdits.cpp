#include "RecordEdits.h"

#include "RecordEncoder.h"
#include "RecordExport.h"

#include <algorithm>
#include <cstring>

namespace orvane::cobol
{

RecordEdits::RecordEdits(const FrameWriter &framing, const unsigned char *data, qint64 size)
    : framing_(framing), data_(data), size_(size)
{
    if (framing.records() > 0)
        pieces_.push_back({0, framing.records(), nullptr});
    restarts();
}

void RecordEdits::restarts()
{
    starts_.assign(1, 0);
    for (const Piece &p : pieces_)
        starts_.push_back(starts_.back() + p.n);
}

size_t RecordEdits::pieceAt(qint64 index) const
{
    return size_t(std::upper_bound(starts_.begin(), starts_.end(), index) - starts_.begin() - 1);
}

size_t RecordEdits::splitAt(qint64 index)
{
    if (index >= count())
        return pieces_.size();
    const size_t k = pieceAt(index);
    const qint64 into = index - starts_[k];
    if (into == 0)
        return k;
    Piece rest = pieces_[k];
    rest.first += into;
    rest.n -= into;
    pieces_[k].n = into;
    pieces_.insert(pieces_.begin() + qsizetype(k) + 1, rest);
    restarts();
    return k + 1;
}

const unsigned char *RecordEdits::record(qint64 index, qint64 &length) const
{
    const Piece &p = pieces_[pieceAt(index)];
    if (p.owned) {
        length = p.owned->bytes.size();
        return reinterpret_cast<const unsigned char *>(p.owned->bytes.constData());
    }
    const qint64 r = p.first + index - starts_[pieceAt(index)];
    length = std::min(framing_.dataLength(r), size_ - framing_.dataStart(r));
    return data_ + framing_.dataStart(r);
}

const std::vector<int> &RecordEdits::editedColumns(qint64 index) const
{
    static const std::vector<int> none;
    const Piece &p = pieces_[pieceAt(index)];
    return p.owned ? p.owned->columns : none;
}

void RecordEdits::change()
{
    before_ = pieces_;
    beforeGeneration_ = generation_;
    generation_ = nextGeneration_++;
}

void RecordEdits::commit()
{
    auto same = [](const Piece &a, const Piece &b) {
        return a.first == b.first && a.n == b.n && a.owned == b.owned;
    };
    size_t at = 0;
    while (at < before_.size() && at < pieces_.size() && same(before_[at], pieces_[at]))
        ++at;
    size_t endBefore = before_.size();
    size_t endAfter = pieces_.size();
    while (endBefore > at && endAfter > at && same(before_[endBefore - 1], pieces_[endAfter - 1])) {
        --endBefore;
        --endAfter;
    }
    undo_.push_back({at,
                     {before_.begin() + qsizetype(at), before_.begin() + qsizetype(endBefore)},
                     {pieces_.begin() + qsizetype(at), pieces_.begin() + qsizetype(endAfter)},
                     beforeGeneration_,
                     generation_});
    before_ = {};
    redo_.clear();
}

void RecordEdits::apply(const Step &step, bool back)
{
    const std::vector<Piece> &out = back ? step.after : step.before;
    const std::vector<Piece> &in = back ? step.before : step.after;
    const auto at = pieces_.begin() + qsizetype(step.at);
    pieces_.insert(pieces_.erase(at, at + qsizetype(out.size())), in.begin(), in.end());
    generation_ = back ? step.generationBefore : step.generationAfter;
    restarts();
}

QString RecordEdits::setField(qint64 index, const RecordLayout &layout, int column,
                              QStringView value, const DecodeOptions &options)
{
    qint64 length = 0;
    const unsigned char *old = record(index, length);
    auto owned = std::make_shared<Owned>();
    owned->bytes = QByteArray(reinterpret_cast<const char *>(old), length);
    // The field lies where this record's table counts place it (SetField refuses one that
    // the record leaves out).
    RecordDecoder placed(layout, options);
    placed.setRecord(old, length);
    Column c = layout.columns[size_t(column)];
    c.offset = placed.offset(size_t(column));
    // A short line reads padded with blanks: it grows by what the field needs.
    if (framing_.padsShortRecords() && owned->bytes.size() < c.offset + c.length)
        owned->bytes.append(c.offset + c.length - owned->bytes.size(),
                            char(SpaceByte(options.encoding)));
    // The record keeps its length: a field past its end is refused.
    const QString refusal =
        EncodeField(c, value, options, reinterpret_cast<unsigned char *>(owned->bytes.data()),
                    owned->bytes.size());
    if (!refusal.isEmpty())
        return refusal;
    // A new count moves the fields after its tables: the record grows or shrinks.
    const QString resized =
        ResizeDependingTables(layout, options, placed, column, owned->bytes, !framing_.variable());
    if (!resized.isEmpty())
        return resized;
    if (owned->bytes.size() > framing_.longestRecord())
        return QStringLiteral("%1 bytes are more than a record's descriptor word can give: at "
                              "most %2")
            .arg(owned->bytes.size())
            .arg(framing_.longestRecord());
    if (owned->bytes.size() == length &&
        std::memcmp(owned->bytes.constData(), old, size_t(length)) == 0)
        return {};
    owned->columns = editedColumns(index);
    if (std::find(owned->columns.begin(), owned->columns.end(), column) == owned->columns.end())
        owned->columns.push_back(column);
    change();
    const size_t k = splitAt(index);
    splitAt(index + 1);
    pieces_[k] = {0, 1, std::move(owned)};
    restarts();
    commit();
    return {};
}

void RecordEdits::insert(qint64 index, const QByteArray &bytes)
{
    change();
    const size_t k = splitAt(index);
    pieces_.insert(pieces_.begin() + qsizetype(k),
                   Piece{0, 1, std::make_shared<Owned>(Owned{bytes, {}})});
    restarts();
    commit();
}

void RecordEdits::remove(std::vector<qint64> rows)
{
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    while (!rows.empty() && (rows.back() >= count()))
        rows.pop_back();
    if (rows.empty() || rows.front() < 0)
        return;
    change();
    // From the last run back, so that the earlier indices stay where they were.
    size_t end = rows.size();
    while (end > 0) {
        size_t begin = end - 1;
        while (begin > 0 && rows[begin - 1] + 1 == rows[begin])
            --begin;
        const size_t from = splitAt(rows[begin]);
        const size_t to = splitAt(rows[end - 1] + 1);
        pieces_.erase(pieces_.begin() + qsizetype(from), pieces_.begin() + qsizetype(to));
        restarts();
        end = begin;
    }
    commit();
}

void RecordEdits::undo()
{
    if (undo_.empty())
        return;
    apply(undo_.back(), true);
    redo_.push_back(std::move(undo_.back()));
    undo_.pop_back();
}

void RecordEdits::redo()
{
    if (redo_.empty())
        return;
    apply(redo_.back(), false);
    undo_.push_back(std::move(redo_.back()));
    redo_.pop_back();
}

std::vector<RecordEdits::Run> RecordEdits::runs() const
{
    std::vector<Run> out;
    for (const Piece &p : pieces_) {
        if (p.owned)
            out.push_back({-1, 1, &p.owned->bytes});
        else if (!out.empty() && out.back().first >= 0 &&
                 out.back().first + out.back().n == p.first)
            out.back().n += p.n; // pieces split and joined again by undo
        else
            out.push_back({p.first, p.n, nullptr});
    }
    return out;
}

} // namespace orvane::cobol
