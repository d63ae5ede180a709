#include "FieldSizing.h"

#include "NumberText.h"

namespace orvane
{

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

} // namespace orvane
