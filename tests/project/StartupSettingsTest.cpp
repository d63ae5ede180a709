#include "project/StartupSettings.h"

#include <gtest/gtest.h>

using namespace orvane;

TEST(StartupSettings, BooleanText)
{
    EXPECT_EQ(settingBoolText(true), "True");
    EXPECT_EQ(settingBoolText(false), "False");
    EXPECT_TRUE(readSettingBool("True", false));
    EXPECT_TRUE(readSettingBool("true", false));
    EXPECT_FALSE(readSettingBool("False", true));
    EXPECT_TRUE(readSettingBool("-1", false));
    EXPECT_FALSE(readSettingBool("0", true));
    EXPECT_TRUE(readSettingBool("", true));
    EXPECT_FALSE(readSettingBool("maybe", false));
}

TEST(StartupSettings, CommandLinePathIsTakenWhole)
{
    EXPECT_EQ(projectPathFromArguments({"\"/home/a b/cust.qel\""}), "/home/a b/cust.qel");
    EXPECT_EQ(projectPathFromArguments({"/home/a", "b/cust.qel"}), "/home/a b/cust.qel");
    EXPECT_EQ(projectPathFromArguments({"\"/x/y.qel"}), "/x/y.qel");
    EXPECT_EQ(projectPathFromArguments({}), "");
    EXPECT_EQ(projectPathFromArguments({"\""}), "");
}

TEST(StartupSettings, TitlesAndFolderPatterns)
{
    EXPECT_EQ(projectTitle("", false), "Orvane []");
    EXPECT_EQ(projectTitle("/data/x/*.*", true), "Orvane []*");
    EXPECT_EQ(projectTitle("/data/x/cust.qel", false), "Orvane [cust.qel]");
    EXPECT_EQ(projectTitle("C:\\x\\cust.qel", true), "Orvane [cust.qel]*");
    EXPECT_EQ(folderPattern("/data/x/cust.qel"), "/data/x/*.*");
    EXPECT_EQ(folderPattern(""), "");
    EXPECT_TRUE(isUnnamedProject("/data/x/*.*"));
    EXPECT_TRUE(isUnnamedProject(""));
    EXPECT_FALSE(isUnnamedProject("/data/x/cust.qel"));
}

TEST(StartupSettings, ApplicationNamesFirstRunAndFilter)
{
    EXPECT_EQ(settingApplication(Setting::LastUsedFile, "orvane"), "Orvane");
    EXPECT_EQ(settingApplication(Setting::FirstRun, "orvane"), "Orvane");
    EXPECT_EQ(settingApplication(Setting::FillerColor, "orvane"), "orvane");
    EXPECT_TRUE(isFirstRun(""));
    EXPECT_TRUE(isFirstRun("0"));
    EXPECT_TRUE(isFirstRun("yes"));
    EXPECT_FALSE(isFirstRun("1"));
    EXPECT_FALSE(isFirstRun(" 1"));
}

TEST(StartupSettings, HelpAndVersionAreAskedForOnlyAlone)
{
    EXPECT_EQ(startupRequest({"--help"}), StartupRequest::Help);
    EXPECT_EQ(startupRequest({"--version"}), StartupRequest::Version);
    EXPECT_EQ(startupRequest({}), StartupRequest::Run);
    EXPECT_EQ(startupRequest({"cust.qel"}), StartupRequest::Run);
    // Part of a path split at its blanks, or spelt otherwise: a project path, as before.
    EXPECT_EQ(startupRequest({"/p/my", "--help", "file.qel"}), StartupRequest::Run);
    EXPECT_EQ(startupRequest({"--HELP"}), StartupRequest::Run);
    EXPECT_EQ(versionText(), QStringLiteral("orvane %1\n").arg(ORVANE_VERSION));
    EXPECT_TRUE(usageText().startsWith("Usage: orvane [PROJECT.qel]\n"));
}
