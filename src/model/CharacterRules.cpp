#include "CharacterRules.h"

namespace orvane
{

namespace
{

bool isLetter(int code)
{
    return (code >= 'A' && code <= 'Z') || (code >= 'a' && code <= 'z');
}

bool isDigit(int code)
{
    return code >= '0' && code <= '9';
}

QStringList buildSorted(bool (*keep)(int))
{
    QStringList list;
    for (int code = 0; code <= 255; ++code)
        if (keep(code))
            list.append(QString(QChar(char16_t(code))));
    BubbleSort(list);
    return list;
}

} // namespace

const QStringList &SpecialChars()
{
    static const QStringList list =
        buildSorted([](int c) { return !isLetter(c) && !isDigit(c) && c != '-'; });
    return list;
}

const QStringList &LetterChars()
{
    static const QStringList list = buildSorted([](int c) { return isLetter(c); });
    return list;
}

bool BubbleSort(QStringList &list)
{
    bool any = false;
    for (bool swapped = true; swapped;) {
        swapped = false;
        for (qsizetype i = 0; i + 1 < list.size(); ++i) {
            if (list[i + 1] < list[i]) {
                list.swapItemsAt(i, i + 1);
                swapped = any = true;
            }
        }
    }
    return any;
}

int BinarySearch(const QStringList &list, const QString &value)
{
    qsizetype low = 0;
    qsizetype high = list.size() - 1;
    while (low <= high) {
        const qsizetype mid = low + (high - low) / 2;
        const int cmp = QString::compare(list[mid], value, Qt::CaseSensitive);
        if (cmp == 0)
            return int(mid);
        if (cmp < 0)
            low = mid + 1;
        else
            high = mid - 1;
    }
    return -1;
}

bool FieldTextIsInvalid(const QString &text, const QString &forbidden, bool isName)
{
    const QStringList &special = SpecialChars();
    bool red = false;
    for (const QChar ch : text) {
        // Characters beyond code 255 have no place in a COBOL word either.
        if (ch.unicode() > 255 || BinarySearch(special, QString(ch)) >= 0) {
            red = true;
            break;
        }
    }
    if (isName) {
        if (!red) {
            const QChar first = text.isEmpty() ? QChar() : text.front();
            red = text.isEmpty() || isDigit(first.unicode()) || first == QLatin1Char('-') ||
                  BinarySearch(special, QString(first)) >= 0;
        }
        return red;
    }
    if (!red) {
        const QStringList &letters = LetterChars();
        for (const QChar ch : text)
            if (BinarySearch(letters, QString(ch)) >= 0)
                return true;
        red = !forbidden.isEmpty() && text.contains(forbidden);
    }
    return red;
}

} // namespace orvane
