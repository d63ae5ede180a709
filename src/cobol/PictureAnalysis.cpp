#include "PictureAnalysis.h"

namespace orvane::cobol
{

namespace
{

// A picture longer than this is a typing error, and the sizes must stay far from overflow.
constexpr qint64 kMaxRepeat = 100'000'000;

bool parseCount(QStringView w, qint64 &value)
{
    if (w.isEmpty() || w.size() > 9)
        return false;
    value = 0;
    for (const QChar c : w) {
        if (c.unicode() < '0' || c.unicode() > '9')
            return false;
        value = value * 10 + (c.unicode() - '0');
    }
    return true;
}

// A picture symbol in upper case; plain ASCII, nearly every symbol, without Qt's case tables.
QChar upper(QChar c)
{
    const char16_t u = c.unicode();
    return u < 0x80 ? QChar(u >= u'a' && u <= u'z' ? char16_t(u - 32) : u) : c.toUpper();
}

} // namespace

QString PictureStrings::get(QStringView picture)
{
    if (const auto found = strings_.find(picture); found != strings_.end())
        return found->first;
    return strings_.emplace(picture.toString(), Known{}).first->first;
}

QString PictureStrings::analyze(const QString &picture, PictureInfo &info,
                                const Constants *constants)
{
    const bool plain = !constants || constants->isEmpty();
    const auto found = plain ? strings_.find(QStringView(picture)) : strings_.end();
    if (found != strings_.end() && found->second.analyzed) {
        info = found->second.info;
        return {};
    }
    QString error = AnalyzePicture(picture, info, constants);
    if (error.isEmpty() && found != strings_.end())
        found->second = Known{info, true};
    return error;
}

bool CountValue(QStringView word, const Constants *constants, qint64 &value)
{
    if (parseCount(word, value))
        return true;
    if (!constants || word.isEmpty())
        return false;
    const auto found = constants->constFind(word.toString().toUpper());
    return found != constants->constEnd() && parseCount(*found, value);
}

QString AnalyzePicture(QStringView picture, PictureInfo &info, const Constants *constants)
{
    info = PictureInfo{};
    bool hasX = false, hasA = false, hasN = false, hasNine = false;
    bool numericEdit = false, insertion = false, seenV = false, seenPoint = false;
    qint64 pCount = 0;
    bool trailingP = false;
    qint64 digits = 0;
    qint64 fraction = 0;
    const auto bad = [&](const QString &why) {
        return QStringLiteral("PICTURE %1: %2").arg(picture.toString(), why);
    };
    if (picture.isEmpty())
        return QStringLiteral("the picture string is empty");
    for (qsizetype i = 0; i < picture.size(); ++i) {
        const QChar c = upper(picture[i]);
        qint64 repeat = 1;
        if (c == u'C' || c == u'D') {
            const QChar second = i + 1 < picture.size() ? upper(picture[i + 1]) : QChar();
            if ((c == u'C' && second == u'R') || (c == u'D' && second == u'B')) {
                ++i;
                info.positions += 2;
                numericEdit = true;
                continue;
            }
            return bad(QStringLiteral("'%1' is not a picture symbol").arg(c));
        }
        if (i + 1 < picture.size() && picture[i + 1] == u'(') {
            const qsizetype close = picture.indexOf(u')', i + 2);
            if (close < 0 || !CountValue(picture.mid(i + 2, close - i - 2), constants, repeat) ||
                repeat < 1 || repeat > kMaxRepeat)
                return bad(QStringLiteral("a repeat count must be a number from 1 in parentheses"));
            i = close;
        }
        switch (c.unicode()) {
        case 'S':
            if (info.isSigned || info.positions > 0 || repeat != 1)
                return bad(QStringLiteral("S may stand only once, at the start"));
            info.isSigned = true;
            continue;
        case 'V':
            if (seenV || seenPoint || repeat != 1)
                return bad(QStringLiteral("only one V or decimal point"));
            seenV = true;
            continue;
        case 'P':
            pCount += repeat;
            trailingP = digits > 0 && !seenV;
            continue;
        case '9':
            hasNine = true;
            digits += repeat;
            if (seenV || seenPoint)
                fraction += repeat;
            break;
        case 'X':
            hasX = true;
            break;
        case 'A':
            hasA = true;
            break;
        case 'N':
            hasN = true;
            break;
        case 'Z':
        case '*':
            numericEdit = true;
            digits += repeat;
            if (seenPoint)
                fraction += repeat;
            break;
        case '.':
            if (seenV || seenPoint || repeat != 1)
                return bad(QStringLiteral("only one V or decimal point"));
            seenPoint = true;
            numericEdit = true;
            break;
        case '+':
        case '-':
        case ',':
        case '$':
            numericEdit = true;
            break;
        case 'B':
        case '0':
        case '/':
            insertion = true;
            break;
        default:
            return bad(QStringLiteral("'%1' is not a picture symbol").arg(c));
        }
        info.positions += repeat;
        if (info.positions > kMaxRepeat)
            return bad(QStringLiteral("longer than %1 characters").arg(kMaxRepeat));
    }
    if (hasN) {
        if (hasX || hasA || hasNine || numericEdit || info.isSigned || seenV || pCount)
            return bad(QStringLiteral("N does not mix with other symbols"));
        info.category = Category::National;
    } else if (hasX || hasA) {
        if (numericEdit || info.isSigned || seenV || pCount)
            return bad(QStringLiteral("X and A do not mix with numeric symbols"));
        info.category = insertion                   ? Category::AlphanumericEdited
                        : hasA && !hasX && !hasNine ? Category::Alphabetic
                                                    : Category::Alphanumeric;
    } else if (numericEdit || insertion) {
        info.category = Category::NumericEdited;
    } else {
        if (!hasNine)
            return bad(QStringLiteral("a numeric picture needs at least one 9"));
        info.category = Category::Numeric;
    }
    if (digits > 38 && (info.category == Category::Numeric))
        return bad(QStringLiteral("more than 38 digits"));
    const bool numeric =
        info.category == Category::Numeric || info.category == Category::NumericEdited;
    info.digits = numeric ? int(std::min<qint64>(digits, kMaxRepeat)) : 0;
    // Leading Ps put every digit right of the (implied) decimal point.
    if (trailingP)
        info.scale = int(-std::min<qint64>(pCount, kMaxRepeat));
    else
        info.scale = int(std::min<qint64>((pCount > 0 ? digits : fraction) + pCount, kMaxRepeat));
    return {};
}

} // namespace orvane::cobol
