#include "StorageMap.h"

// How the storage map names dialects, usages, categories and an item's storage.

namespace orvane::cobol
{

bool DialectFromName(QStringView name, Dialect &dialect)
{
    if (name == u"default")
        dialect = Dialect::Default;
    else if (name == u"ibm")
        dialect = Dialect::Ibm;
    else if (name == u"mf")
        dialect = Dialect::Mf;
    else
        return false;
    return true;
}

QString DialectName(Dialect dialect)
{
    switch (dialect) {
    case Dialect::Ibm:
        return QStringLiteral("ibm");
    case Dialect::Mf:
        return QStringLiteral("mf");
    case Dialect::Default:
        break;
    }
    return QStringLiteral("default");
}

QString UsageName(Usage usage)
{
    switch (usage) {
    case Usage::Display:
        return QStringLiteral("DISPLAY");
    case Usage::Binary:
        return QStringLiteral("BINARY");
    case Usage::Comp5:
        return QStringLiteral("COMP-5");
    case Usage::Packed:
        return QStringLiteral("COMP-3");
    case Usage::Float:
        return QStringLiteral("COMP-1");
    case Usage::Double:
        return QStringLiteral("COMP-2");
    case Usage::Index:
        return QStringLiteral("INDEX");
    case Usage::Pointer:
        return QStringLiteral("POINTER");
    case Usage::National:
        return QStringLiteral("NATIONAL");
    case Usage::FloatDecimal:
        return QStringLiteral("FLOAT-DECIMAL");
    }
    return {};
}

QString UsageText(const StorageItem &item)
{
    return item.usageWord ? QString::fromLatin1(item.usageWord) : UsageName(item.usage);
}

QString CategoryName(Category category)
{
    switch (category) {
    case Category::Group:
        return QStringLiteral("group");
    case Category::Alphabetic:
        return QStringLiteral("alphabetic");
    case Category::Alphanumeric:
        return QStringLiteral("alphanumeric");
    case Category::AlphanumericEdited:
        return QStringLiteral("alphanumeric-edited");
    case Category::Numeric:
        return QStringLiteral("numeric");
    case Category::NumericEdited:
        return QStringLiteral("numeric-edited");
    case Category::National:
        return QStringLiteral("national");
    case Category::Condition:
        return QStringLiteral("condition");
    case Category::Renames:
        return QStringLiteral("renames");
    }
    return {};
}

QString DescribeStorage(const StorageItem &item)
{
    if (!item.error.isEmpty())
        return QStringLiteral("Storage unknown: %1").arg(item.error);
    if (item.category == Category::Condition)
        return QStringLiteral("Condition: no storage of its own");
    QString text = QStringLiteral("Storage: bytes %1-%2, length %3")
                       .arg(item.offset + 1)
                       .arg(item.offset + item.length)
                       .arg(item.length);
    if (item.occursMax > 0)
        text += QStringLiteral(" (%1 \u00D7 %2)").arg(item.occursMax).arg(item.entryLength);
    text += QStringLiteral(", ") + (item.category == Category::Group     ? QStringLiteral("group")
                                    : item.category == Category::Renames ? QStringLiteral("RENAMES")
                                                                         : UsageText(item));
    if (item.slackBefore > 0)
        text += QStringLiteral("\n%1 slack byte(s) before it for SYNC").arg(item.slackBefore);
    if (item.slackAfter > 0)
        text += QStringLiteral("\n%1 slack byte(s) at the end of each entry").arg(item.slackAfter);
    return text;
}

} // namespace orvane::cobol
