#pragma once

// Checks that a manual page and a program's --help text speak of the same commands and
// options.

#include <QFile>
#include <QRegularExpression>
#include <QStringList>

namespace orvane::testing
{

// A roff page as words: font changes and escapes before '-' removed.
inline QString manPageText(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QStringLiteral("<missing>");
    QString text = QString::fromUtf8(f.readAll());
    text.remove(QRegularExpression(QStringLiteral("\\\\f[BIRP]")));
    text.replace(QStringLiteral("\\-"), QStringLiteral("-"));
    return text;
}

// The words that name things in a help text: the first column of its indented lines
// ("  generate PROJECT.qel [-o OUT]" gives generate, PROJECT.qel, -o and OUT) and the usage
// line's, without brackets and bars.
inline QStringList helpTerms(const QString &help)
{
    QStringList terms;
    for (const QString &line : help.split(u'\n')) {
        QString first;
        if (line.startsWith(QStringLiteral("Usage: ")))
            first = line.mid(7);
        else if (line.startsWith(QStringLiteral("  ")) && !line.startsWith(QStringLiteral("   ")))
            first = line.trimmed().split(QRegularExpression(QStringLiteral("\\s{2,}"))).front();
        for (QString word :
             first.split(QRegularExpression(QStringLiteral("[\\s\\[\\]|]+")), Qt::SkipEmptyParts))
            if (!word.endsWith(QStringLiteral("...")))
                terms << word;
    }
    terms.removeDuplicates();
    return terms;
}

// Terms of the help text the page never mentions, then options the page names that the help
// text does not know.
inline QStringList manPageMismatches(const QString &help, const QString &page)
{
    QStringList mismatches;
    for (const QString &term : helpTerms(help))
        if (!page.contains(term))
            mismatches << QStringLiteral("not in the page: ") + term;
    static const QRegularExpression option(QStringLiteral("(?<![\\w-])(--?[a-z][\\w-]*)"));
    for (const QRegularExpressionMatch &m : option.globalMatch(page))
        if (!help.contains(m.captured(1)) && !mismatches.contains(m.captured(1)))
            mismatches << QStringLiteral("not in the help: ") + m.captured(1);
    mismatches.removeDuplicates();
    return mismatches;
}

} // namespace orvane::testing
