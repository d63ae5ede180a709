// The desktop program. Without a display it says so and prints the code of a layout instead,
// so that starting it on a server or in a container still shows something useful.
#include "codegen/CodeGenerator.h"
#include "platform/QtPlatform.h"
#include "project/ProjectFile.h"
#include "project/StartupSettings.h"
#include "ui/shared/AppIcon.h"
#include "ui/window/frmQEL.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

#include <cstdio>

namespace
{

QStringList argumentsOf(int argc, char **argv)
{
    QStringList list;
    for (int i = 1; i < argc; ++i)
        list.append(QString::fromLocal8Bit(argv[i]));
    return list;
}

// The bundled example, looked for next to the working folder and the installed program.
QString exampleProject(const char *argv0)
{
    const QString relative = QStringLiteral("examples/customer.qel");
    QStringList folders{QDir::currentPath()};
    const QDir programDir = QFileInfo(QString::fromLocal8Bit(argv0)).absoluteDir();
    for (const QString &up : {QStringLiteral("."), QStringLiteral(".."), QStringLiteral("../.."),
                              QStringLiteral("../share/orvane")})
        folders.append(programDir.absoluteFilePath(up));
    for (const QString &folder : folders) {
        const QString candidate = QDir(folder).absoluteFilePath(relative);
        if (QFileInfo::exists(candidate))
            return QDir::cleanPath(candidate);
    }
    return {};
}

int printWithoutDisplay(orvane::DisplayCheck check, const QString &requested, const char *argv0)
{
    if (check == orvane::DisplayCheck::NotSet)
        std::fputs("Orvane needs a graphical display, and none was found (DISPLAY and "
                   "WAYLAND_DISPLAY are not set).\n",
                   stderr);
    else
        std::fprintf(stderr,
                     "Orvane needs a graphical display, and the one named (DISPLAY=%s) does not "
                     "answer.\n",
                     qgetenv("DISPLAY").constData());
    std::fputs("Start it inside a desktop session, or run it with QT_QPA_PLATFORM=offscreen. "
               "Meanwhile, here is the generated code",
               stderr);
    const QString path = requested.isEmpty() ? exampleProject(argv0) : requested;
    if (path.isEmpty()) {
        std::fputs(" - but the example examples/customer.qel was not found.\n", stderr);
        return 1;
    }
    std::fprintf(stderr, " of %s:\n", qPrintable(QDir::toNativeSeparators(path)));
    orvane::FieldTree tree;
    const orvane::ProjectResult result = orvane::LoadNodes(tree, path);
    if (!result.ok()) {
        std::fprintf(stderr, "%s\n", qPrintable(result.message));
        return 1;
    }
    QString code = orvane::GenerateCode(tree);
    code.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (code.startsWith(QLatin1Char('\n')))
        code.remove(0, 1);
    std::fputs(code.toLocal8Bit().constData(), stdout);
    std::fputs("\n", stdout);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    const QStringList arguments = argumentsOf(argc, argv);
    // Before anything else, so that no option is ever taken for a project to create.
    switch (orvane::startupRequest(arguments)) {
    case orvane::StartupRequest::Help:
        std::fputs(orvane::usageText().toLocal8Bit().constData(), stdout);
        return 0;
    case orvane::StartupRequest::Version:
        std::fputs(orvane::versionText().toLocal8Bit().constData(), stdout);
        return 0;
    case orvane::StartupRequest::Run:
        break;
    }
    const QString requested = orvane::projectPathFromArguments(arguments);
    // Qt aborts with an obscure message when the X server named does not answer.
    const orvane::DisplayCheck display =
        orvane::checkDisplay(orvane::DisplayEnvironment::current(argc, argv),
                             orvane::xDisplayAnswers, orvane::waylandSocketAnswers);
    if (display != orvane::DisplayCheck::Usable)
        return printWithoutDisplay(display, requested, argv[0]);

    QApplication app(argc, argv);
    QApplication::setApplicationName(orvane::ApplicationTitle);
    QApplication::setApplicationVersion(QStringLiteral(ORVANE_VERSION));
    // Lets the desktop match the windows to the installed menu entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("orvane"));
    QApplication::setWindowIcon(orvane::appIcon());

    orvane::QtPlatform platform;
    orvane::frmQEL window(platform.seams());
    window.show();
    // Qt's own options (-platform, ...) are gone from arguments() by now; the rest is the
    // project path, possibly split at its blanks.
    window.Form_Load(QCoreApplication::arguments().mid(1));
    return app.exec();
}
