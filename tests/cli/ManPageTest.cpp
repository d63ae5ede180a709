#include "Cli.h"

#include "../common/ManPage.h"

#include <QBuffer>

#include <gtest/gtest.h>

TEST(ManPage, TheCommandLineToolsPageKeepsInStepWithItsHelp)
{
    QBuffer out;
    QBuffer err;
    out.open(QIODevice::WriteOnly);
    err.open(QIODevice::WriteOnly);
    ASSERT_EQ(orvane::cli::run({QStringLiteral("--help")}, out, err), 0);
    const QString page = QStringLiteral(ORVANE_SOURCE_DIR "/docs/man/orvane-cli.1.in");
    EXPECT_EQ(orvane::testing::manPageMismatches(QString::fromUtf8(out.data()), page)
                  .join(u'\n')
                  .toStdString(),
              "");
}
