// The compiler as a real process: cobc's own messages passed on, and a cancelled run gone.
#include "platform/QtCompilerRun.h"
#include "cobol/CompilerMessages.h"

#include "../common/Files.h"
#include "Application.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>

using namespace orvane;

namespace
{

// Runs the event loop until `done` holds or the time is up.
template <typename Done> bool waitFor(Done done, int milliseconds)
{
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < milliseconds)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
    return done();
}

std::optional<CompilerResult> runToEnd(const QString &program, const QStringList &arguments)
{
    orvane::testing::application();
    std::optional<CompilerResult> result;
    QtCompilerRunner runner;
    auto job = runner.start(program, arguments, [&](const CompilerResult &r) { result = r; });
    waitFor([&] { return result.has_value(); }, 60000);
    return result;
}

} // namespace

TEST(QtCompilerRun, CobcReportsBothErrorsOfAFileAtTheirLines)
{
    if (QStandardPaths::findExecutable(QStringLiteral("cobc")).isEmpty())
        GTEST_SKIP() << "cobc is not installed";
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("two.cbl"));
    orvane::testing::writeBytes(path, "       IDENTIFICATION DIVISION.\n"
                                      "       PROGRAM-ID. TWO.\n"
                                      "       DATA DIVISION.\n"
                                      "       WORKING-STORAGE SECTION.\n"
                                      "       01 A PIC X(3 .\n"
                                      "       PROCEDURE DIVISION.\n"
                                      "           MOVE NOSUCH TO A.\n"
                                      "           GOBACK.\n");
    const auto result =
        runToEnd(QStringLiteral("cobc"), cobol::syntaxCheckArguments(QString(), {}, path));
    ASSERT_TRUE(result);
    EXPECT_EQ(result->outcome, CompilerResult::Outcome::Finished);
    EXPECT_NE(result->exitStatus, 0);
    // What the messages mean is the message reader's; here they arrive whole.
    for (const char *at : {":5: error: ", ":7: error: "})
        EXPECT_TRUE(result->output.contains(path + QLatin1String(at)))
            << result->output.toStdString();
}

TEST(QtCompilerRun, AProgramThatIsNotThereIsReportedAsNotFound)
{
    const auto result = runToEnd(QStringLiteral("orvane-no-such-compiler"), {});
    ASSERT_TRUE(result);
    EXPECT_EQ(result->outcome, CompilerResult::Outcome::NotFound);
}

TEST(QtCompilerRun, CancelStopsTheProcessAndNeverReports)
{
    orvane::testing::application();
    QTemporaryDir folder;
    const QString pidFile = folder.filePath(QStringLiteral("pid"));
    QtCompilerRunner runner;
    bool reported = false;
    auto job = runner.start(
        QStringLiteral("/bin/sh"),
        {QStringLiteral("-c"), QStringLiteral("echo $$ > '%1'; exec sleep 60").arg(pidFile)},
        [&](const CompilerResult &) { reported = true; });
    ASSERT_TRUE(waitFor([&] { return QFileInfo(pidFile).size() > 0; }, 10000));
    const QString pid = QString::fromLatin1(orvane::testing::readBytes(pidFile)).trimmed();
    ASSERT_TRUE(QFileInfo::exists(QStringLiteral("/proc/") + pid));
    ASSERT_TRUE(job->isRunning());

    job->cancel();
    EXPECT_FALSE(job->isRunning());
    EXPECT_FALSE(QFileInfo::exists(QStringLiteral("/proc/") + pid)) << "no process left behind";
    waitFor([] { return false; }, 50);
    EXPECT_FALSE(reported);
}
