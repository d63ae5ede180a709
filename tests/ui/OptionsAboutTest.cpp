// The options window and the about box, driven through the main window's menus.
#include "MainWindowFixture.h"
#include "project/StartupSettings.h"
#include "ui/dialogs/frmAbout.h"
#include "ui/dialogs/frmOptions.h"

namespace orvane::testing
{
namespace
{

class OptionsAboutTest : public MainWindowTest
{
protected:
    frmOptions *openOptions()
    {
        child<QAction>("options")->trigger();
        return window->optionsWindow();
    }
    frmAbout *openAbout()
    {
        child<QAction>("About")->trigger();
        return window->aboutWindow();
    }
    QString storedColour()
    {
        return platform.settings.get(currentProgramName(), QStringLiteral("OPT"),
                                     QStringLiteral("fillercolor"), QStringLiteral("<none>"));
    }
    QVariant foreground(int node)
    {
        return view()->fieldModel()->modelIndex(node).data(Qt::ForegroundRole);
    }
    static void unloadClosedWindows()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

TEST_F(OptionsAboutTest, ApplyAndOkColourTheFillerFieldsAndStoreTheColourCancelStoresNothing)
{
    addField("01", "REC");
    addField("05", "FILLER", "3");
    addField("05", "NAME", "5");
    EXPECT_FALSE(foreground(2).isValid()) << "no colour stored: FILLER looks like any field";
    frmOptions *options = openOptions();
    ASSERT_NE(options, nullptr);
    EXPECT_EQ(options->parentWidget(), nullptr) << "the options window has no owner";
    EXPECT_EQ(options->swatchColor(), QColor(Qt::black)) << "nothing stored reads as black";
    platform.colours.answers = {QColor(Qt::red), QColor(Qt::red), QColor(Qt::red), QColor()};
    click("cmdfillercolor", options);
    click("cmdCancel", options);
    unloadClosedWindows();
    EXPECT_EQ(window->optionsWindow(), nullptr) << "Cancel unloads the window";
    EXPECT_EQ(storedColour(), "<none>");
    EXPECT_FALSE(foreground(2).isValid());

    options = openOptions();
    auto *apply = child<QPushButton>("cmdApply", options);
    EXPECT_TRUE(apply->isEnabled());
    click("cmdfillercolor", options);
    QTest::mouseClick(apply, Qt::LeftButton);
    EXPECT_FALSE(apply->isEnabled());
    EXPECT_EQ(foreground(2).value<QBrush>().color(), QColor(Qt::red));
    EXPECT_FALSE(foreground(3).isValid()) << "only FILLER fields take the colour";
    // The same colour again, and a cancelled colour box, leave Apply as it was.
    click("cmdfillercolor", options);
    click("cmdfillercolor", options);
    EXPECT_FALSE(apply->isEnabled());
    EXPECT_EQ(options->swatchColor(), QColor(Qt::red));
    click("cmdOK", options);
    EXPECT_EQ(storedColour(), "255");
    unloadClosedWindows();
    EXPECT_EQ(window->optionsWindow(), nullptr);

    // The stored colour is shown in a new window from the start.
    window.reset();
    start();
    addField("01", "FILLER", "3");
    EXPECT_EQ(foreground(1).value<QBrush>().color(), QColor(Qt::red));
}

TEST_F(OptionsAboutTest, TheAboutBoxsLinksAndSystemInfoReachTheShellAndCloseWithTheWindow)
{
    frmAbout *about = openAbout();
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about->parentWidget(), window.get()) << "the about box is owned by the main window";
    QTest::mouseClick(child<QLabel>("lblemail", about), Qt::LeftButton);
    QTest::mouseClick(child<QLabel>("lblcheckforupdates", about), Qt::LeftButton);
    EXPECT_EQ(platform.shell.opened,
              QStringList({"mailto:" + frmAbout::emailAddress(), frmAbout::homepage()}));

    // System information starts the program found, or says it is unavailable.
    auto *sysInfo = child<QPushButton>("cmdSysInfo", about);
    platform.messages.answers = {MessageAnswer::Ok, MessageAnswer::Ok};
    QTest::mouseClick(sysInfo, Qt::LeftButton); // none on the PATH
    platform.shell.programs = {{"hardinfo", "/usr/bin/hardinfo"}};
    QTest::mouseClick(sysInfo, Qt::LeftButton);
    EXPECT_EQ(platform.shell.started, QList<QStringList>{{"/usr/bin/hardinfo"}});
    platform.shell.startSucceeds = false;
    QTest::mouseClick(sysInfo, Qt::LeftButton);
    const ShownMessage unavailable{"System Information Is Unavailable At This Time", "Orvane",
                                   MessageButtons::Ok, MessageIcon::None};
    EXPECT_EQ(platform.messages.shown, (std::vector<ShownMessage>{unavailable, unavailable}));

    // Closing the main window unloads it and the options window.
    openOptions();
    window->close();
    unloadClosedWindows();
    EXPECT_EQ(window->optionsWindow(), nullptr);
    EXPECT_EQ(window->aboutWindow(), nullptr);
}

TEST(SysInfoProgram, TheFirstOfTheKnownProgramsOnThePathIsChosen)
{
    struct Case {
        QStringList onPath;
        QString chosen;
    };
    const Case cases[] = {
        {{}, {}},
        {{"msinfo32"}, {}},
        {{"xfce4-about", "hardinfo", "hardinfo2"}, "/bin/hardinfo2"},
        {{"xfce4-about", "kinfocenter", "hardinfo"}, "/bin/kinfocenter"},
    };
    for (const Case &c : cases) {
        const QString chosen = frmAbout::findSysInfoProgram([&](const QString &name) {
            return c.onPath.contains(name) ? "/bin/" + name : QString();
        });
        EXPECT_EQ(chosen, c.chosen) << c.onPath.join(' ').toStdString();
    }
}

} // namespace
} // namespace orvane::testing
