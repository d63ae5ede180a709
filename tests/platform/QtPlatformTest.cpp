// The real seams' own decisions: whether a display answers before Qt is started on it, the
// Save box's default extension and plain-text message boxes.
#include "platform/QtPlatform.h"

#include "model/PanelTexts.h"

#include "Application.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using namespace orvane;

namespace
{

// Runs `answer` on the modal box once it is up; it must be a T.
template <typename T> void whenModal(std::function<void(T *)> answer)
{
    QTimer::singleShot(0, [answer] {
        auto *box = qobject_cast<T *>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        answer(box);
    });
}

} // namespace

TEST(DisplayCheck, DisplayNamesGiveTheirSocketOrPort)
{
    EXPECT_EQ(xDisplayAddress(":0").socketPath, "/tmp/.X11-unix/X0");
    EXPECT_EQ(xDisplayAddress(":1.0").socketPath, "/tmp/.X11-unix/X1");
    EXPECT_EQ(xDisplayAddress("unix:2").socketPath, "/tmp/.X11-unix/X2");
    EXPECT_EQ(xDisplayAddress("localhost:10.0"), (XDisplayAddress{true, {}, "localhost", 6010}));
    EXPECT_EQ(xDisplayAddress("[::1]:3").host, "::1");
    EXPECT_EQ(xDisplayAddress("/private/tmp/launchd/org.x:0").socketPath,
              "/private/tmp/launchd/org.x:0");
    for (const char *bad : {"", "host", ":", ":x", "host:-1", ":+1"})
        EXPECT_FALSE(xDisplayAddress(bad).valid) << bad;
}

TEST(DisplayCheck, OnlyADisplayThatAnswersStartsTheWindow)
{
    using enum DisplayCheck;
    struct Case {
        DisplayEnvironment env; // platform, DISPLAY, WAYLAND_DISPLAY, runtime folder, -platform
        bool xUp;
        bool waylandUp;
        DisplayCheck result;
        std::vector<QByteArray> probed;
    };
    const QByteArray run = "/run/user/1000";
    const Case cases[] = {
        {{}, true, true, NotSet, {}},
        // Left behind by an ssh session that is gone.
        {{"", "localhost:10.0", "", ""}, false, true, Unreachable, {"localhost"}},
        {{"", "localhost:10.0", "", ""}, true, false, Usable, {"localhost"}},
        {{"", "garbage", "", ""}, true, true, Unreachable, {}},
        // A platform chosen on purpose is not second-guessed; the tests run offscreen this way.
        {{"offscreen", "garbage", "", ""}, false, false, Usable, {}},
        {{"", "garbage", "", "", true}, false, false, Usable, {}},
        // Wayland: a name relative to the runtime folder; xcb chosen on purpose asks X only.
        {{"", ":0", "wayland-0", run}, false, true, Usable, {run + "/wayland-0"}},
        {{"xcb", ":0", "wayland-0", run}, false, true, Unreachable, {"/tmp/.X11-unix/X0"}},
        {{"", "", "wayland-0", run}, true, false, Unreachable, {run + "/wayland-0"}},
    };
    for (const Case &c : cases) {
        std::vector<QByteArray> probed;
        const auto x = [&](const XDisplayAddress &a) {
            probed.push_back(a.socketPath.isEmpty() ? a.host : a.socketPath);
            return c.xUp;
        };
        const auto wayland = [&](const QByteArray &path) {
            probed.push_back(path);
            return c.waylandUp;
        };
        EXPECT_EQ(checkDisplay(c.env, x, wayland), c.result) << "row " << &c - cases;
        EXPECT_EQ(probed, c.probed) << "row " << &c - cases;
    }
}

TEST(DisplayCheck, TheProbesConnectForReal)
{
    QTemporaryDir dir;
    const QByteArray path = QDir(dir.path()).filePath(QStringLiteral("X5")).toLocal8Bit();
    const XDisplayAddress local{true, path, {}, 0};
    EXPECT_FALSE(xDisplayAnswers(local)); // nothing there
    const int server = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(server, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
    ASSERT_EQ(::bind(server, reinterpret_cast<sockaddr *>(&address), sizeof address), 0);
    ASSERT_EQ(::listen(server, 1), 0);
    EXPECT_TRUE(xDisplayAnswers(local));
    EXPECT_TRUE(waylandSocketAnswers(path));
    ::close(server);
    EXPECT_FALSE(waylandSocketAnswers(path)); // the file stays, nobody listens

    // A TCP port that was just given up answers nothing.
    const int tcp = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in any{};
    any.sin_family = AF_INET;
    any.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(::bind(tcp, reinterpret_cast<sockaddr *>(&any), sizeof any), 0);
    ASSERT_EQ(::listen(tcp, 1), 0);
    socklen_t size = sizeof any;
    ASSERT_EQ(::getsockname(tcp, reinterpret_cast<sockaddr *>(&any), &size), 0);
    const XDisplayAddress remote{true, {}, "127.0.0.1", ntohs(any.sin_port)};
    EXPECT_TRUE(xDisplayAnswers(remote));
    ::close(tcp);
    EXPECT_FALSE(xDisplayAnswers(remote));
}

TEST(QtFileBoxes, TheSaveBoxAddsTheProjectExtensionAndCancelAnswersNothing)
{
    orvane::testing::application();
    QTemporaryDir dir;
    const QString filter = QStringLiteral("Orvane (*.qel);;All Files (*)");
    QtFileBoxes boxes;

    // The name typed and accepted as the Save button does; All Files chosen first, with the
    // signal the box gives when the user picks it, when `allFiles`.
    const auto save = [&](const QString &start, const QString &name, bool allFiles) {
        whenModal<QFileDialog>([&](QFileDialog *box) {
            EXPECT_EQ(QDir(box->directory()).canonicalPath(), QDir(dir.path()).canonicalPath());
            if (allFiles) {
                box->selectNameFilter(QStringLiteral("All Files (*)"));
                emit box->filterSelected(box->selectedNameFilter());
            }
            box->selectFile(name);
            static_cast<QDialog *>(box)->accept();
        });
        return QFileInfo(boxes.saveFile(QStringLiteral("Save As"), filter, start)).fileName();
    };
    // Started from a folder pattern, as after start-up.
    EXPECT_EQ(save(dir.filePath("*.*"), "cust", false), "cust.qel");
    EXPECT_EQ(save(dir.filePath("cust.qel"), "notes", true), "notes");

    whenModal<QDialog>([](QDialog *box) { box->reject(); });
    EXPECT_EQ(boxes.saveFile(QStringLiteral("Save As"), filter, dir.filePath("cust.qel")), "");
}

TEST(QtMessageBoxes, TextsAreShownAsTheyAreNotAsMarkup)
{
    orvane::testing::application();
    QtMessageBoxes messages;
    whenModal<QMessageBox>([](QMessageBox *box) {
        EXPECT_EQ(box->textFormat(), Qt::PlainText);
        box->button(QMessageBox::No)->click();
    });
    EXPECT_EQ(messages.show(QStringLiteral("Cannot open <b>cust</b>.qel"),
                            QStringLiteral("Error saving file [<b>cust</b>.qel]"),
                            MessageButtons::YesNo, MessageIcon::Critical),
              MessageAnswer::No);
}

TEST(QtInputBox, ALongPromptWrapsSoTheBoxFitsAnEightHundredPixelScreen)
{
    orvane::testing::application();
    QtInputBox input;
    whenModal<QInputDialog>([](QInputDialog *box) {
        EXPECT_LE(box->width(), 800);
        for (QAbstractButton *button : box->findChildren<QAbstractButton *>())
            EXPECT_TRUE(box->rect().contains(QRect(button->mapTo(box, QPoint()), button->size())))
                << button->text().toStdString();
        box->setTextValue(QStringLiteral("3:9"));
        box->accept();
    });
    EXPECT_EQ(input.ask(PositionDialogPrompt(), PositionDialogTitle(), QStringLiteral("1:2")),
              QStringLiteral("3:9"));
}
