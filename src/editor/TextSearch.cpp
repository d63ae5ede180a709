#include "editor/TextSearch.h"

#include <QStringMatcher>

namespace orvane
{

namespace
{

Qt::CaseSensitivity sensitivity(const SearchOptions &options)
{
    return options.matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
}

} // namespace

bool isWordBoundary(QChar c)
{
    const char16_t u = c.unicode();
    return !((u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9'));
}

bool isWholeWord(QStringView text, qsizetype start, qsizetype length)
{
    const qsizetype end = start + length;
    return (start == 0 || isWordBoundary(text[start - 1])) &&
           (end >= text.size() || isWordBoundary(text[end]));
}

TextMatch findDown(QStringView text, QStringView what, qsizetype selStart, qsizetype selLength,
                   const SearchOptions &options)
{
    if (what.isEmpty() || selStart < 0)
        return {};
    // One skip table for every retry; it also runs faster than a plain search without case.
    const QStringMatcher matcher(what, sensitivity(options));
    qsizetype from = selStart + (selLength > 0 ? 1 : 0);
    while (from <= text.size() - what.size()) {
        const qsizetype at = matcher.indexIn(text, from);
        if (at < 0)
            break;
        if (!options.wholeWord || isWholeWord(text, at, what.size()))
            return {at, what.size()};
        from = at + 1;
    }
    return {};
}

TextMatch findUp(QStringView text, QStringView what, qsizetype selStart,
                 const SearchOptions &options)
{
    if (what.isEmpty())
        return {};
    qsizetype from = std::min(selStart, text.size()) - what.size();
    // A negative start would make lastIndexOf search from the end.
    while (from >= 0) {
        const qsizetype at = text.lastIndexOf(what, from, sensitivity(options));
        if (at < 0)
            break;
        if (!options.wholeWord || isWholeWord(text, at, what.size()))
            return {at, what.size()};
        from = at - what.size();
    }
    return {};
}

std::vector<qsizetype> replaceAllMatches(QStringView text, QStringView what, QStringView with,
                                         const SearchOptions &options)
{
    std::vector<qsizetype> starts;
    if (what.isEmpty())
        return starts;
    const QStringMatcher matcher(what, sensitivity(options));
    qsizetype from = 0;
    qsizetype lastEnd = 0; // where the text behind the last replacement begins
    QChar outputLast;      // the last character written so far, before `lastEnd`
    bool outputEmpty = true;
    while (from <= text.size() - what.size()) {
        const qsizetype at = matcher.indexIn(text, from);
        if (at < 0)
            break;
        if (options.wholeWord) {
            // Right behind a replacement the character before is the replacement's last one.
            const bool before = at > lastEnd ? isWordBoundary(text[at - 1])
                                             : outputEmpty || isWordBoundary(outputLast);
            const qsizetype end = at + what.size();
            if (!before || (end < text.size() && !isWordBoundary(text[end]))) {
                from = at + 1;
                continue;
            }
        }
        starts.push_back(at);
        if (!with.isEmpty()) {
            outputLast = with.back();
            outputEmpty = false;
        } else if (at > lastEnd) {
            outputLast = text[at - 1];
            outputEmpty = false;
        }
        from = lastEnd = at + what.size();
    }
    return starts;
}

QString applyReplacements(QStringView text, const std::vector<qsizetype> &starts,
                          qsizetype findLength, QStringView with)
{
    QString out;
    out.reserve(text.size() + qsizetype(starts.size()) * (with.size() - findLength));
    qsizetype copied = 0;
    for (qsizetype at : starts) {
        out += text.sliced(copied, at - copied);
        out += with;
        copied = at + findLength;
    }
    out += text.sliced(copied);
    return out;
}

QString replaceEvery(QStringView text, QStringView what, QStringView with, bool matchCase)
{
    const SearchOptions options{matchCase, false};
    return applyReplacements(text, replaceAllMatches(text, what, with, options), what.size(), with);
}

} // namespace orvane
