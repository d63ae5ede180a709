#include "project/StartupSettings.h"

#include "../common/ManPage.h"

#include <gtest/gtest.h>

using namespace orvane::testing;

TEST(ManPage, TheDesktopProgramsPageKeepsInStepWithItsUsage)
{
    const QString usage = orvane::usageText();
    ASSERT_TRUE(helpTerms(usage).contains(QStringLiteral("--version")));
    const QStringList mismatches =
        manPageMismatches(usage, manPageText(ORVANE_SOURCE_DIR "/docs/man/orvane.1.in"));
    EXPECT_EQ(mismatches.join(u'\n').toStdString(), "");
}
