#include "Cli.h"

#include "../common/ManPage.h"

#include <QBuffer>

#include <gtest/gtest.h>

using namespace orvane::testing;

TEST(ManPage, TheCommandLineToolsPageKeepsInStepWithItsHelp)
{
    QBuffer out;
    QBuffer err;
    out.open(QIODevice::WriteOnly);
    err.open(QIODevice::WriteOnly);
    ASSERT_EQ(orvane::cli::run({QStringLiteral("--help")}, out, err), 0);
    const QString help = QString::fromUtf8(out.data());
    const QStringList terms = helpTerms(help);
    for (const char *expected :
         {"generate", "show", "append", "-o", "--eol", "--help", "--version"})
        ASSERT_TRUE(terms.contains(QLatin1String(expected))) << expected;
    const QStringList mismatches =
        manPageMismatches(help, manPageText(ORVANE_SOURCE_DIR "/docs/man/orvane-cli.1.in"));
    EXPECT_EQ(mismatches.join(u'\n').toStdString(), "");
}
