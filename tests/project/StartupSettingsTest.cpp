#include "project/StartupSettings.h"
#include "project/ColourSetting.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace orvane;

TEST(StartupSettings, BooleanText)
{
    EXPECT_EQ(settingBoolText(true), "True");
    EXPECT_EQ(settingBoolText(false), "False");
    const std::tuple<const char *, bool, bool> cases[] = {
        {"True", false, true}, {"true", false, true}, {"False", true, false},  {"-1", false, true},
        {"0", true, false},    {"", true, true},      {"maybe", false, false},
    };
    for (const auto &[text, byDefault, read] : cases)
        EXPECT_EQ(readSettingBool(text, byDefault), read) << text;
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
    EXPECT_TRUE(isUnnamedProject("")); // the titles above show the other cases
}

TEST(StartupSettings, ApplicationNamesFirstRunAndFilter)
{
    EXPECT_EQ(settingApplication(Setting::LastUsedFile, "orvane"), "Orvane");
    EXPECT_EQ(settingApplication(Setting::FirstRun, "orvane"), "Orvane");
    EXPECT_EQ(settingApplication(Setting::FillerColor, "orvane"), "orvane");
    for (const char *firstRun : {"", "0", "yes"})
        EXPECT_TRUE(isFirstRun(firstRun)) << firstRun;
    for (const char *notFirst : {"1", " 1"})
        EXPECT_FALSE(isFirstRun(notFirst)) << notFirst;
}

TEST(StartupSettings, HelpAndVersionAreAskedForOnlyAlone)
{
    EXPECT_EQ(startupRequest({"--help"}), StartupRequest::Help);
    EXPECT_EQ(startupRequest({"--version"}), StartupRequest::Version);
    EXPECT_EQ(startupRequest({}), StartupRequest::Run);
    // Part of a path split at its blanks, or spelt otherwise: a project path, as before.
    EXPECT_EQ(startupRequest({"/p/my", "--help", "file.qel"}), StartupRequest::Run);
    EXPECT_EQ(startupRequest({"--HELP"}), StartupRequest::Run);
}

TEST(ColourSetting, TheStoredNumberHoldsRedGreenAndBlueFromTheLowByteUp)
{
    struct Case {
        const char *text;
        Rgb colour;
    };
    const Case cases[] = {
        {"", {0, 0, 0}},           {"255", {255, 0, 0}},
        {"16711680", {0, 0, 255}}, {"8421504", {128, 128, 128}},
        {"254.6x", {255, 0, 0}},   {"red", {0, 0, 0}},
        {"-1", {0, 0, 0}},         {"16777216", {0, 0, 0}}, // no such colours
    };
    for (const Case &c : cases) {
        EXPECT_EQ(colourFromSetting(QString::fromLatin1(c.text)), c.colour) << c.text;
        EXPECT_EQ(colourFromSetting(colourSettingText(c.colour)), c.colour) << c.text;
    }
}
