#include "LayoutChoices.h"

#include <QRegularExpression>

namespace orvane::cobol
{

bool ParseVariantRule(const QString &text, VariantRule &rule)
{
    const QString v = text.trimmed();
    const qsizetype eq = v.indexOf(u'=');
    const qsizetype colon = v.lastIndexOf(u':');
    if (eq <= 0 || colon < eq || colon == v.size() - 1)
        return false;
    rule = {v.left(eq).trimmed(), v.mid(eq + 1, colon - eq - 1), v.mid(colon + 1).trimmed()};
    return true;
}

bool ParseVariantRules(const QString &text, std::vector<VariantRule> &rules, QString &bad)
{
    rules.clear();
    static const QRegularExpression separators(QStringLiteral("[;\\n]"));
    for (const QString &part : text.split(separators)) {
        if (part.trimmed().isEmpty())
            continue;
        VariantRule rule;
        if (!ParseVariantRule(part, rule)) {
            bad = part.trimmed();
            return false;
        }
        rules.push_back(rule);
    }
    return true;
}

QString VariantRulesText(const std::vector<VariantRule> &rules)
{
    QStringList parts;
    for (const VariantRule &r : rules)
        parts << QStringLiteral("%1=%2:%3").arg(r.field, r.value, r.variant);
    return parts.join(QStringLiteral("; "));
}

QStringList RecordNames(const StorageMap &map)
{
    QStringList names;
    for (const StorageRecord &r : map.records)
        if (r.level != 77)
            names << r.name;
    return names;
}

QStringList VariantNames(const StorageMap &map, const QString &record)
{
    int index = -1;
    for (size_t r = 0; r < map.records.size() && index < 0; ++r)
        if (record.isEmpty() ? map.records[r].level != 77
                             : map.records[r].name.compare(record, Qt::CaseInsensitive) == 0)
            index = int(r);
    QStringList names;
    for (const StorageItem &item : map.items)
        if (item.record == index && index >= 0 && item.redefines && !item.name.isEmpty())
            names << item.name.toString();
    return names;
}

} // namespace orvane::cobol
