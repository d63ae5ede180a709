// The desktop program's start before any window: its usage and version, and what it does
// without a display.
#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

namespace
{

struct AppRun {
    int status = -1;
    QByteArray out;
    QByteArray err;
};

// Runs the program with no display in reach, unless `display` names one.
AppRun runApp(const QStringList &arguments, const QString &display = {})
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QString::fromLatin1(name));
    if (!display.isEmpty())
        env.insert(QStringLiteral("DISPLAY"), display);
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(ORVANE_APP_PATH), arguments);
    AppRun r;
    if (!p.waitForFinished(60000))
        return r;
    r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    return r;
}

} // namespace

TEST(AppMain, HelpAndVersionNeedNoDisplay)
{
    const AppRun help = runApp({QStringLiteral("--help")});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.startsWith("Usage: orvane [PROJECT.qel]\n")) << help.out.toStdString();
    const AppRun version = runApp({QStringLiteral("--version")});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "orvane " ORVANE_VERSION "\n");
    EXPECT_TRUE(version.err.isEmpty());
}

TEST(AppMain, WithoutADisplayItPrintsTheCodeOfTheProject)
{
    const AppRun r = runApp({QStringLiteral(ORVANE_SOURCE_DIR "/examples/customer.qel")});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("none was found")) << r.err.toStdString();
    EXPECT_TRUE(r.out.startsWith("      *\n        01 CUSTOMER-RECORD.\n")) << r.out.toStdString();

    // A display that does not answer, and a project that cannot be read.
    const AppRun gone = runApp({QStringLiteral("/nonexistent/x.qel")}, QStringLiteral(":4711"));
    EXPECT_EQ(gone.status, 1);
    EXPECT_TRUE(gone.err.contains("(DISPLAY=:4711) does not answer")) << gone.err.toStdString();
    EXPECT_TRUE(gone.err.contains("Cannot open /nonexistent/x.qel")) << gone.err.toStdString();
    EXPECT_TRUE(gone.out.isEmpty());
}
