#include "PanelTexts.h"

#include "FieldClause.h"
#include "Positions.h"

namespace orvane
{

QString FieldsStatusText(const QString &tag)
{
    return QStringLiteral("Fields ") + TagFrom(tag) + QStringLiteral(" To ") + TagTo(tag);
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

} // namespace orvane
