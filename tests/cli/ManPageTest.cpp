#include "RunCli.h"

#include "project/StartupSettings.h"

#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

// Both manual pages name the same commands and options as their program's help.
TEST(ManPage, EachPageKeepsInStepWithItsProgramsHelp)
{
    const orvane::testing::Outcome cli = orvane::testing::runCli({QStringLiteral("--help")});
    ASSERT_EQ(cli.status, 0);
    const std::pair<QString, const char *> pages[] = {
        {QString::fromUtf8(cli.out), "orvane-cli.1.in"},
        {orvane::usageText(), "orvane.1.in"},
    };
    // The help's commands are the first word of its indented lines.
    static const QRegularExpression option(QStringLiteral("(?<![\\w-])(--?[a-z][\\w-]*)"));
    static const QRegularExpression command(QStringLiteral("^  ([a-z][\\w-]*) "),
                                            QRegularExpression::MultilineOption);
    for (const auto &[help, name] : pages) {
        QFile f(QStringLiteral(ORVANE_SOURCE_DIR "/docs/man/") + name);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << name;
        QString page = QString::fromUtf8(f.readAll());
        page.remove(QRegularExpression(QStringLiteral("\\\\f[BIRP]")))
            .replace(QStringLiteral("\\-"), QStringLiteral("-"));
        QStringList mismatches;
        for (const QRegularExpression *named : {&option, &command})
            for (const QRegularExpressionMatch &m : named->globalMatch(help))
                if (!page.contains(m.captured(1)))
                    mismatches << QStringLiteral("not in the page: ") + m.captured(1);
        for (const QRegularExpressionMatch &m : option.globalMatch(page))
            if (!help.contains(m.captured(1)))
                mismatches << QStringLiteral("not in the help: ") + m.captured(1);
        mismatches.removeDuplicates();
        EXPECT_EQ(mismatches.join(u'\n').toStdString(), "") << name;
    }
}
