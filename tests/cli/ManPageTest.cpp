#include "../common/ManPage.h"
#include "RunCli.h"

#include <gtest/gtest.h>

TEST(ManPage, TheCommandLineToolsPageKeepsInStepWithItsHelp)
{
    const orvane::testing::Outcome help = orvane::testing::runCli({QStringLiteral("--help")});
    ASSERT_EQ(help.status, 0);
    const QString page = QStringLiteral(ORVANE_SOURCE_DIR "/docs/man/orvane-cli.1.in");
    EXPECT_EQ(orvane::testing::manPageMismatches(QString::fromUtf8(help.out), page)
                  .join(u'\n')
                  .toStdString(),
              "");
}
