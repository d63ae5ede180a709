#include "project/StartupSettings.h"

#include "../common/ManPage.h"

#include <gtest/gtest.h>

TEST(ManPage, TheDesktopProgramsPageKeepsInStepWithItsUsage)
{
    const QString page = QStringLiteral(ORVANE_SOURCE_DIR "/docs/man/orvane.1.in");
    EXPECT_EQ(orvane::testing::manPageMismatches(orvane::usageText(), page).join(u'\n').toStdString(),
              "");
}
