#include "codegen/WorkingStorage.h"

namespace orvane
{

namespace
{

QChar asciiUpper(QChar c)
{
    return c >= u'a' && c <= u'z' ? QChar(c.unicode() - (u'a' - u'A')) : c;
}

// Whether the text at `at` stands in a comment: on a fixed-format comment line ('*' or '/' in
// column 7) or behind a free-format "*>". Code inserted there would land inside the comment.
bool inComment(QStringView source, qsizetype at)
{
    qsizetype lineStart = at;
    while (lineStart > 0 && source[lineStart - 1] != u'\n' && source[lineStart - 1] != u'\r')
        --lineStart;
    const qsizetype indicator = lineStart + 6;
    if (indicator < at && (source[indicator] == u'*' || source[indicator] == u'/'))
        return true;
    return source.sliced(lineStart, at - lineStart).contains(u"*>");
}

// Case is ignored for ASCII letters only: the header is plain ASCII, and folding other
// characters (a long s, a Kelvin sign) onto its letters would find headers that are not there.
qsizetype findHeader(QStringView source)
{
    const QStringView h = WorkingStorageHeader;
    for (qsizetype i = 0; i + h.size() <= source.size(); ++i) {
        qsizetype k = 0;
        while (k < h.size() && asciiUpper(source[i + k]) == h[k])
            ++k;
        if (k == h.size() && !inComment(source, i))
            return i;
    }
    return -1;
}

} // namespace

QString LineEndOf(QStringView text)
{
    const qsizetype lf = text.indexOf(u'\n');
    if (lf >= 0 && (lf == 0 || text[lf - 1] != u'\r'))
        return QStringLiteral("\n");
    return QStringLiteral("\r\n");
}

QString ConvertLineEnds(QStringView text, QStringView lineEnd)
{
    QString out;
    out.reserve(text.size() + text.size() / 16);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\r') {
            if (i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            out += lineEnd;
        } else if (c == u'\n') {
            out += lineEnd;
        } else {
            out += c;
        }
    }
    return out;
}

std::optional<QString> InsertAfterWorkingStorage(const QString &source, const QString &code)
{
    const qsizetype at = findHeader(source);
    if (at < 0)
        return std::nullopt;
    const qsizetype pos = at + WorkingStorageHeader.size();
    const QString eol = LineEndOf(source);
    const QString body = ConvertLineEnds(code, eol);
    QString out;
    out.reserve(source.size() + body.size() + 2 * eol.size());
    out += QStringView(source).first(pos);
    out += eol;
    out += body;
    out += eol;
    out += QStringView(source).sliced(pos);
    return out;
}

} // namespace orvane
