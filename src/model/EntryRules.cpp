#include "EntryRules.h"

#include "FieldClause.h"
#include "NumberText.h"
#include "Positions.h"

#include <QtMath>

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

EntryControl NextEntryControl(EntryControl from, const EntryMoveState &state)
{
    switch (from) {
    case EntryControl::Level:
        return EntryControl::Name;
    case EntryControl::Name:
        return EntryControl::FieldType;
    case EntryControl::FieldType:
        return state.byPositions ? EntryControl::FromPos : EntryControl::Length;
    case EntryControl::Length:
        return EntryControl::Occurs;
    case EntryControl::FromPos:
        return EntryControl::ToPos;
    case EntryControl::ToPos:
        return EntryControl::Occurs;
    case EntryControl::Occurs:
        return state.occursCount > 0 ? EntryControl::OccursKey : EntryControl::FieldValue;
    case EntryControl::OccursKey:
        return EntryControl::KeyDataName;
    case EntryControl::KeyDataName:
        return EntryControl::IndexName;
    case EntryControl::IndexName:
        return EntryControl::FieldValue;
    case EntryControl::FieldValue:
        return EntryControl::Add;
    default:
        return EntryControl::Stay;
    }
}

EntryControl PreviousEntryControl(EntryControl from, const EntryMoveState &state)
{
    switch (from) {
    case EntryControl::Name:
        return EntryControl::Level;
    case EntryControl::FieldType:
        return EntryControl::Name;
    case EntryControl::Length:
    case EntryControl::FromPos:
        return EntryControl::FieldType;
    case EntryControl::ToPos:
        return EntryControl::FromPos;
    case EntryControl::Occurs:
        return state.byPositions ? EntryControl::ToPos : EntryControl::Length;
    case EntryControl::OccursKey:
        return EntryControl::Occurs;
    case EntryControl::KeyDataName:
        return EntryControl::OccursKey;
    case EntryControl::IndexName:
        return EntryControl::KeyDataName;
    case EntryControl::FieldValue:
        return state.indexNameVisible ? EntryControl::IndexName : EntryControl::Occurs;
    default:
        return EntryControl::Stay; // the level box is the first control
    }
}

EntryKeyAction EntryKeyActionFor(EntryKey key, int cursorPosition, int selectionStart,
                                 int selectionLength, int textLength)
{
    const bool selected = selectionStart >= 0 && selectionLength > 0;
    const int start = selected ? selectionStart : cursorPosition;
    if (key == EntryKey::Right)
        return start >= textLength ? EntryKeyAction::MoveNext : EntryKeyAction::None;
    if (start > 0)
        return EntryKeyAction::None;
    return selected ? EntryKeyAction::CollapseSelection : EntryKeyAction::MovePrevious;
}

QString LengthFromPositions(const QString &from, const QString &to)
{
    const double last = readNumber(to);
    if (last <= 0)
        return QString();
    return numberText(last - readNumber(from) + 1);
}

QString OutputLengthForPicture(const QString &picture)
{
    return numberText(picture.size());
}

QString OutputToPositionFor(const QString &from, int characters)
{
    return numberText(readNumber(from) - 1 + characters);
}

bool SizesOutputFieldToValue(bool inputField, bool treatAsString, bool multipleValues,
                             const QString &value, const QString &picture)
{
    return !inputField && treatAsString && !multipleValues && !value.isEmpty() &&
           !picture.isEmpty();
}

QString OutputPictureForLength(const QString &picture, const QString &length)
{
    return picture.left(1) + QLatin1Char('(') + numberText(readNumber(length)) + QLatin1Char(')');
}

QString FieldsStatusText(const QString &tag)
{
    return QStringLiteral("Fields ") + TagFrom(tag) + QStringLiteral(" To ") + TagTo(tag);
}

FillerButtons FillerButtonsFor(int childCount, bool isOwnFirstSibling, bool isOwnLastSibling)
{
    return FillerButtons{childCount > 0, !(isOwnFirstSibling && isOwnLastSibling)};
}

bool DragEndsAsClick(int draggedNode, int droppedOnNode)
{
    return droppedOnNode == 0 || droppedOnNode == draggedNode;
}

QString PositionDialogTitle()
{
    return QStringLiteral("Edit Fields (From:To) ");
}

QString PositionDialogPrompt()
{
    const QString crlf = QStringLiteral("\r\n");
    return QStringLiteral("On the left side of : enter the value of the from field eg. (?:x)") +
           crlf + QStringLiteral("On the Right side of : enter the to field eg. (x:?)") + crlf +
           crlf +
           QStringLiteral(
               "The following applies only if you choose define the record size by length") +
           crlf +
           QStringLiteral(
               "NOTE: These values may change if you edit the content of the tree or add child "
               "level items to the field, and sometime they may be inaccurate. However, these "
               "values are only used for your information and if you use the AutoFiller Insert "
               "function. They are not used in generated code");
}

QString PositionDialogTag(const QString &answer)
{
    const QString trimmed = trimBlanks(answer);
    return trimmed.isEmpty() ? QString() : trimmed;
}

QString ClauseTooLongText()
{
    return QStringLiteral("Field length exceeded ") + QString::number(MaxClauseLength) +
           QStringLiteral(" characters");
}

int TwipsToPixels(int twips, double logicalDpi)
{
    return qRound(twips * logicalDpi / 1440.0);
}

} // namespace orvane
