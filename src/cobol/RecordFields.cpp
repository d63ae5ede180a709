#include "RecordFields.h"

#include "RecordEncoder.h"

#include "model/FieldClause.h"
#include "model/FieldTree.h"

#include <QRegularExpression>

#include <algorithm>

namespace orvane::cobol
{

namespace
{

QString normalName(const QString &name)
{
    QString n = name;
    n.remove(u' ');
    return n.toUpper();
}

} // namespace

int FindColumn(const RecordLayout &layout, const QString &name)
{
    const QString wanted = normalName(name);
    for (size_t c = 0; c < layout.columns.size(); ++c)
        if (layout.columns[c].name.toUpper() == wanted)
            return int(c);
    return -1;
}

QStringList RecordValues(const RecordEdits &edits, qint64 index, const RecordLayout &layout,
                         const DecodeOptions &options)
{
    qint64 length = 0;
    const unsigned char *record = edits.record(index, length);
    RecordDecoder decoder(layout, options);
    decoder.setRecord(record, length);
    QStringList values;
    std::string text;
    for (size_t c = 0; c < layout.columns.size(); ++c) {
        const FieldState state = decoder.field(c, text);
        values << (state == FieldState::Absent ? QString()
                   : state == FieldState::Bad  ? QStringLiteral("<bad %1>").arg(text.c_str())
                                               : QString::fromStdString(text));
    }
    return values;
}

QString SetNamedField(RecordEdits &edits, qint64 index, const RecordLayout &layout,
                      const DecodeOptions &options, const QString &name, const QString &value)
{
    const int column = FindColumn(layout, name);
    if (column < 0)
        return QStringLiteral("%1 is not a field of %2").arg(name, layout.name);
    return SetField(edits, index, layout, options, column, value);
}

QString SetField(RecordEdits &edits, qint64 index, const RecordLayout &layout,
                 const DecodeOptions &options, int column, const QString &value)
{
    qint64 length = 0;
    const unsigned char *record = edits.record(index, length);
    RecordDecoder decoder(layout, options);
    decoder.setRecord(record, length);
    std::string text;
    if (decoder.field(size_t(column), text) == FieldState::Absent)
        return QStringLiteral("%1 is not in record %2: another variant or a lower count leaves "
                              "it out")
            .arg(layout.columns[size_t(column)].name)
            .arg(index + 1);
    return edits.setField(index, layout, column, value, options);
}

QByteArray BlankRecord(const RecordLayout &layout, const DecodeOptions &options)
{
    QByteArray bytes(layout.length, '\0');
    auto *p = reinterpret_cast<unsigned char *>(bytes.data());
    for (const Column &c : layout.columns)
        if (c.chain < 0 || layout.chainDefaults[size_t(c.chain)] == c.member)
            BlankField(c, options, p, layout.length);
    return bytes;
}

bool ValueOfClause(const QString &fieldText, QString &value)
{
    static const QRegularExpression clause(
        QStringLiteral("(?:^|\\s)VALUE(?:\\s+IS)?\\s+('(?:[^']|'')*'|\"(?:[^\"]|\"\")*\"|[-+]?(?:["
                       "0-9]+(?:\\.[0-9]+)?|\\.[0-9]+)|"
                       "[A-Z-]+)(?=\\s|\\.|$)"),
        QRegularExpression::CaseInsensitiveOption);
    QString text = fieldText;
    text.replace(ClauseMark, u' ');
    const QRegularExpressionMatch m = clause.match(text.trimmed());
    if (!m.hasMatch())
        return false;
    const QString literal = m.captured(1);
    const QString word = literal.toUpper();
    if (literal.startsWith(u'\'') || literal.startsWith(u'"')) {
        const QChar quote = literal[0];
        value = literal.mid(1, literal.size() - 2).replace(QString(2, quote), QString(quote));
    } else if (word == u"SPACE" || word == u"SPACES") {
        value = QString();
    } else if (word == u"ZERO" || word == u"ZEROS" || word == u"ZEROES") {
        value = QStringLiteral("0");
    } else if (literal[0].isDigit() || literal[0] == u'-' || literal[0] == u'+' ||
               literal[0] == u'.') {
        value = literal;
    } else {
        return false;
    }
    return true;
}

QByteArray InitialRecord(const FieldTree &tree, const StorageMap &map, const RecordLayout &layout,
                         const DecodeOptions &options)
{
    QByteArray bytes = BlankRecord(layout, options);
    auto *p = reinterpret_cast<unsigned char *>(bytes.data());
    QString value;
    for (const Column &c : layout.columns) {
        if (c.chain >= 0 && layout.chainDefaults[size_t(c.chain)] != c.member)
            continue;
        const FieldNode *node = tree.node(map.items[size_t(c.item)].node);
        // A zero for ZERO in a text field reads as the character, as MOVE ZERO gives.
        if (node && ValueOfClause(node->text(), value))
            EncodeField(c, value, options, p, layout.length);
    }
    return bytes;
}

QString BeforeAfterText(const RecordLayout &layout, const QStringList &before,
                        const QStringList &after)
{
    qsizetype nameWidth = 5;
    qsizetype valueWidth = 6;
    for (size_t c = 0; c < layout.columns.size(); ++c) {
        nameWidth = std::max(nameWidth, layout.columns[c].name.size());
        valueWidth = std::max(valueWidth, before[qsizetype(c)].size());
    }
    QString text = QStringLiteral("FIELD").leftJustified(nameWidth) + u' ' +
                   QStringLiteral("BEFORE").leftJustified(valueWidth) + QStringLiteral(" AFTER\n");
    for (size_t c = 0; c < layout.columns.size(); ++c) {
        const qsizetype i = qsizetype(c);
        QString line = layout.columns[c].name.leftJustified(nameWidth) + u' ' +
                       before[i].leftJustified(valueWidth) + u' ' + after[i];
        if (before[i] != after[i])
            line += QStringLiteral("  *");
        text += line + u'\n';
    }
    return text;
}

QByteArray RecordToInsert(QByteArray initial, const RecordLayout &layout,
                          const DecodeOptions &options, qint64 length, bool variable)
{
    QByteArray record = initial.isEmpty() ? BlankRecord(layout, options) : std::move(initial);
    if (record.size() < length)
        record.append(QByteArray(length - record.size(), char(EncodeChar(u' ', options.encoding))));
    record.truncate(length);
    if (variable)
        FitDependingTables(layout, options, record);
    return record;
}

} // namespace orvane::cobol
