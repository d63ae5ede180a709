#pragma once

// Checks that a manual page and a program's help text name the same commands and options.

#include <QFile>
#include <QRegularExpression>
#include <QStringList>

namespace orvane::testing
{

// What one side names and the other does not: the help's commands (the first word of its
// indented lines) and options missing from the page, then options only the page knows.
inline QStringList manPageMismatches(const QString &help, const QString &pagePath)
{
    QFile f(pagePath);
    if (!f.open(QIODevice::ReadOnly))
        return {QStringLiteral("cannot read ") + pagePath};
    QString page = QString::fromUtf8(f.readAll());
    page.remove(QRegularExpression(QStringLiteral("\\\\f[BIRP]"))).replace(QStringLiteral("\\-"), QStringLiteral("-"));

    static const QRegularExpression option(QStringLiteral("(?<![\\w-])(--?[a-z][\\w-]*)"));
    static const QRegularExpression command(QStringLiteral("^  ([a-z][\\w-]*) "),
                                            QRegularExpression::MultilineOption);
    QStringList mismatches;
    for (const QRegularExpression *named : {&option, &command})
        for (const QRegularExpressionMatch &m : named->globalMatch(help))
            if (!page.contains(m.captured(1)))
                mismatches << QStringLiteral("not in the page: ") + m.captured(1);
    for (const QRegularExpressionMatch &m : option.globalMatch(page))
        if (!help.contains(m.captured(1)))
            mismatches << QStringLiteral("not in the help: ") + m.captured(1);
    mismatches.removeDuplicates();
    return mismatches;
}

} // namespace orvane::testing
