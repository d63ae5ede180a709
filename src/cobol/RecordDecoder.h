#pragma once

// Reads the fields of a data file's records through a layout's storage map: text in the file's
// code page, zoned, packed and binary numbers, floats. A field that does not decode comes out as
// its bytes in hexadecimal and never stops the reading. QtCore only.

#include "CodePages.h"
#include "StorageMap.h"

#include <QString>
#include <QStringList>

#include <string>
#include <utility>
#include <vector>

namespace orvane::cobol
{

enum class FloatFormat {
    Ieee,          // in the machine's byte order, as GnuCOBOL writes COMP-1/COMP-2 here
    IeeeBigEndian, // as a Java or Unix mainframe program writes them
    IbmHex,        // System/360 hexadecimal floating point, as a mainframe writes them
};

struct DecodeOptions {
    Encoding encoding = Encoding::Ascii;
    bool binaryNative = false;   // COMP, COMP-4, BINARY in the machine's order (the mf dialect)
    bool comp5BigEndian = false; // COMP-5 as a mainframe wrote it
    FloatFormat floats = FloatFormat::Ieee;
};

// A mainframe download (EBCDIC): binary items sized as the mainframe sizes them (-std=ibm) and
// COMP-5 big-endian, where the user did not choose otherwise. The command line and the data
// window both start from these.
inline void ApplyEncodingDefaults(DecodeOptions &options, Dialect &dialect, bool dialectGiven,
                                  bool comp5Given)
{
    if (!IsEbcdic(options.encoding))
        return;
    if (!dialectGiven)
        dialect = Dialect::Ibm;
    if (!comp5Given)
        options.comp5BigEndian = true;
}

// One elementary field, or one occurrence of it in a table, as a column of the viewer.
struct Column {
    QString name; // NAME, or NAME(2) / NAME(1,3) for an occurrence
    int item = 0; // index into StorageMap::items
    qint64 offset = 0;
    qint64 length = 0;
    Category category = Category::Alphanumeric;
    Usage usage = Usage::Display;
    int digits = 0;
    int scale = 0;
    bool isSigned = false;
    SignPosition sign = SignPosition::None;
    bool signSeparate = false;
    bool justified = false; // text is written against the right end
    // Under OCCURS DEPENDING ON: the counter's column and the occurrence this column holds;
    // the column is empty in a record whose counter is lower.
    std::vector<std::pair<int, qint64>> dependsOn;
    // In a REDEFINES variant picked per record by a rule: its chain and its place in it; the
    // column is empty in a record whose rule picks another.
    int chain = -1;
    int member = 0;
    // How many DEPENDING ON tables end before the column: each moves it back by the entries
    // its record lacks.
    int slidAfter = 0;
};

// Shows the REDEFINES variant `variant` in a record whose field `field` reads `value` (blanks
// around it ignored), as a record-type byte decides which layout a record has.
struct VariantRule {
    QString field;
    QString value;
    QString variant;
};

struct RecordLayout {
    QString name;
    qint64 length = 0;
    std::vector<Column> columns;
    QStringList problems; // what the layout could not give (a missing counter, too many columns)
    struct Rule {
        int column; // the field the rule reads
        std::string value;
        int chain;
        int member;
    };
    std::vector<Rule> rules;
    std::vector<int> chainDefaults; // the member shown where no rule applies, by chain
    // The DEPENDING ON tables that later fields follow, in record order.
    struct DependingTable {
        int counter; // column
        qint64 maxCount;
        qint64 entryLength;
        qint64 end; // just past the table at its maximum size
    };
    std::vector<DependingTable> tables;
};

// Which record of a layout with several, and which REDEFINES variants replace the items they
// redefine (by name); without a choice the first record that is not a 77, and no variant.
struct LayoutChoice {
    QString record;
    QStringList variants;
    std::vector<VariantRule> rules;
    // Every table takes its maximum size in every record, as in a file padded to the longest.
    bool paddedTables = false;
};

constexpr int kMaxColumns = 100000;

// Returns false with a message when the chosen record does not exist.
bool BuildRecordLayout(const StorageMap &map, const LayoutChoice &choice, RecordLayout &layout,
                       QString &error);

enum class FieldState { Ok, Bad, Absent };

// Appends the field's value as UTF-8 text: numbers plainly ("-194.00"), text as it stands. A
// field that does not decode appends its bytes in hexadecimal and returns Bad; one that lies
// past the end of the record appends what bytes there are.
FieldState DecodeField(const Column &column, const unsigned char *record, qint64 recordLength,
                       const DecodeOptions &options, std::string &out);
// The same with the field at `offset`, where the record's table counts placed it.
FieldState DecodeFieldAt(const Column &column, qint64 offset, const unsigned char *record,
                         qint64 recordLength, const DecodeOptions &options, std::string &out);

// Finds the DEPENDING ON tables of the layout's record that fields follow and which of them
// each column comes after (RecordLayout::tables, Column::slidAfter).
void PlaceDependingTables(const StorageMap &map, RecordLayout &layout);

// The columns of one record at a time, with the counts of OCCURS DEPENDING ON read first.
class RecordDecoder
{
public:
    RecordDecoder(const RecordLayout &layout, const DecodeOptions &options);
    void setRecord(const unsigned char *record, qint64 length);
    // The column's text into `out` (which is cleared first).
    FieldState field(size_t column, std::string &out) const;
    // Whether the column has a value in this record: its variant is shown and its occurrence
    // lies within its tables' counts (a counter that does not decode shows every occurrence:
    // the bytes are there to see).
    bool present(size_t column) const
    {
        const Column &c = layout_.columns[column];
        if (c.chain >= 0 && selected_[size_t(c.chain)] != c.member)
            return false;
        for (const auto &[counter, occurrence] : c.dependsOn)
            if (counts_[size_t(counter)] >= 0 && occurrence > counts_[size_t(counter)])
                return false;
        return true;
    }
    // Where the column lies in this record, its table counts taken into account.
    qint64 offset(size_t column) const
    {
        const Column &c = layout_.columns[column];
        return c.offset - shift_[size_t(c.slidAfter)];
    }

    // The count a counter column read in this record; -1 when it did not decode.
    qint64 count(size_t column) const { return counts_[column]; }
    // The bytes the tables before the `tables`-th lack in this record.
    qint64 shift(size_t tables) const { return shift_[tables]; }

    const RecordLayout &layout() const { return layout_; }
    // Whether a rule chose a variant in this record; true for a layout without rules.
    bool ruleMatched() const { return matched_; }

private:
    const RecordLayout &layout_;
    DecodeOptions options_;
    const unsigned char *record_ = nullptr;
    qint64 length_ = 0;
    std::vector<int> counterColumns_; // columns that some table depends on
    std::vector<qint64> counts_;      // by column; -1 when the counter does not decode
    std::vector<int> selected_;       // the member each rule chain shows in this record
    std::vector<qint64> shift_;       // by tables passed: the bytes the shorter tables lack
    std::string scratch_;
    std::vector<char> decided_;
    bool matched_ = true;
};

// After the counter `column` was set in `record`, which `before` read as it was, moves what
// follows each of its tables to follow the new last entry; new entries hold blanks and zeros.
// The record grows or shrinks by the entries, or with `keepLength` (a fixed record) keeps its
// length, padded or cut at the end. Returns why the count cannot be taken, or empty.
QString ResizeDependingTables(const RecordLayout &layout, const DecodeOptions &options,
                              const RecordDecoder &before, int column, QByteArray &record,
                              bool keepLength);

// A record laid out with every table at its maximum (a new record) cut to what its counts
// hold, as a variable-length record is written.
void FitDependingTables(const RecordLayout &layout, const DecodeOptions &options,
                        QByteArray &record);

void AppendHex(std::string &out, const unsigned char *bytes, qint64 size);

} // namespace orvane::cobol
