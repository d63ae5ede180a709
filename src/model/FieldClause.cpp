#include "FieldClause.h"

#include "Cp1252.h"
#include "NumberText.h"

namespace orvane
{

namespace
{
const QString kPictureKinds[] = {QStringLiteral("AlphaNum (X)"), QStringLiteral("Alpha (A)"),
                                 QStringLiteral("Numeric (9)")};
} // namespace

QStringView trimBlanksView(QStringView text)
{
    qsizetype b = 0;
    qsizetype e = text.size();
    while (b < e && text[b] == u' ')
        ++b;
    while (e > b && text[e - 1] == u' ')
        --e;
    return text.sliced(b, e - b);
}

QString trimBlanks(QStringView text)
{
    return trimBlanksView(text).toString();
}

QString upperCp1252(QStringView text)
{
    QString out = text.toString();
    for (QChar &c : out) {
        const QChar up = c.toUpper();
        if (up != c && cp1252::representable(up))
            c = up;
    }
    return out;
}

QChar pictureKindLetter(QStringView text)
{
    for (const QString &kind : kPictureKinds)
        if (text.compare(kind, Qt::CaseInsensitive) == 0)
            return kind.at(kind.size() - 2);
    return {};
}

QString keyPhraseFor(QStringView keyKindText)
{
    if (keyKindText.compare(u"AKey", Qt::CaseInsensitive) == 0)
        return QStringLiteral("ascending key is");
    if (keyKindText.compare(u"DKey", Qt::CaseInsensitive) == 0)
        return QStringLiteral("descending key is");
    return {};
}

double clauseLevel(QStringView clauseText)
{
    return readNumber(clauseText.left(2));
}

QString BuildFieldClause(const FieldEntry &e)
{
    const double level = readNumber(e.level);
    QString levelPart = numberText(level) + u' ';
    if (level < 10)
        levelPart.prepend(u'0');

    const QString name = trimBlanks(e.name);
    const QString namePart = name.isEmpty() ? QString() : name + u' ';

    QString picturePart;
    const QString picture = trimBlanks(e.pictureText);
    if (!picture.isEmpty()) {
        QString pic = QStringLiteral("pic ");
        const QChar letter = pictureKindLetter(picture);
        if (!letter.isNull())
            pic += letter;
        if (e.inputField) {
            if (letter.isNull())
                pic += picture;
            pic += u'(' + numberText(readNumber(e.length)) + u')';
        } else {
            pic += picture;
        }
        picturePart = ClauseMark + pic + u' ';
    }

    const double occurs = readNumber(e.occurs);
    QString occursPart;
    if (occurs > 0) {
        occursPart = QStringLiteral("occurs ") + numberText(occurs) + QStringLiteral(" times ");
        const QString phrase = keyPhraseFor(e.keyKindText);
        if (!phrase.isEmpty())
            occursPart += phrase + u' ' + trimBlanks(e.keyDataName) + u' ';
        const QString index = trimBlanks(e.indexName);
        if (!index.isEmpty())
            occursPart += QStringLiteral("Indexed by ") + index;
        occursPart += u' ';
    }

    QString valuePart;
    if (!e.value.isEmpty()) {
        valuePart = ClauseMark + QStringLiteral("value");
        if (e.multipleValues)
            valuePart += u's';
        valuePart += u' ';
        valuePart += e.treatAsString ? u'"' + e.value + u'"' : trimBlanks(e.value);
    }

    const QString joined = occurs > 0 ? levelPart + namePart + occursPart + valuePart + picturePart
                                      : levelPart + namePart + picturePart + valuePart;
    return upperCp1252(trimBlanks(joined) + u'.');
}

} // namespace orvane
