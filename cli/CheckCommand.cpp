#include "CheckCommand.h"
#include "Cli.h"

#include "cobol/CompilerMessages.h"
#include "cobol/LayoutCheck.h"
#include "codegen/CodeGenerator.h"
#include "model/Cp1252.h"
#include "model/FieldTree.h"
#include "project/ProjectFile.h"

#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace orvane::cli
{

namespace
{

constexpr int kNoCompiler = 127; // as a shell says for a command it cannot find

int fail(QIODevice &err, const QString &line, int status)
{
    err.write(line.toUtf8() + '\n');
    return status;
}

} // namespace

int checkProject(const QStringList &arguments, QIODevice &, QIODevice &err)
{
    QStringList files;
    QString program = QStringLiteral("cobc");
    QString options;
    bool exactPositions = false;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &a = arguments[i];
        if (a == u"--exact-positions") {
            exactPositions = true;
        } else if (a == u"--cobc" || a == u"--cobc-options") {
            if (i + 1 >= arguments.size())
                return fail(err,
                            QStringLiteral("orvane-cli: option %1 needs a value (try orvane-cli "
                                           "--help)")
                                .arg(a),
                            kUsage);
            (a == u"--cobc" ? program : options) = arguments[++i];
        } else if (a.startsWith(u'-') && a != u"-") {
            return fail(
                err, QStringLiteral("orvane-cli: unknown option %1 (try orvane-cli --help)").arg(a),
                kUsage);
        } else {
            files << a;
        }
    }
    if (files.size() != 1)
        return fail(err,
                    QStringLiteral("orvane-cli: check takes one project file (try orvane-cli "
                                   "--help)"),
                    kUsage);
    const QString project = files.front();
    if (QFileInfo(project).isDir())
        return fail(err, QStringLiteral("Cannot open %1: it is a folder").arg(project), kFailed);
    FieldTree tree;
    const ProjectResult loaded = LoadNodes(tree, project);
    if (!loaded.ok())
        return fail(err, loaded.message, kFailed);
    // The layout's own warnings come first; they never change the status.
    for (const cobol::LayoutWarning &w : cobol::CheckLayout(tree, exactPositions))
        err.write(QStringLiteral("%1: warning: field %2, %3\n")
                      .arg(project)
                      .arg(w.node)
                      .arg(w.text)
                      .toUtf8());

    const QString path = program.contains(u'/') ? program : QStandardPaths::findExecutable(program);
    if (path.isEmpty() || !QFileInfo(path).isExecutable())
        return fail(err,
                    QStringLiteral("orvane-cli: the GnuCOBOL compiler \"%1\" was not found; "
                                   "install the package gnucobol")
                        .arg(program),
                    kNoCompiler);

    const cobol::WrappedProgram wrapped = cobol::wrapDataItems(
        GenerateCode(tree).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    QTemporaryDir folder;
    const QString name = QFileInfo(project).completeBaseName() + QStringLiteral(".cbl");
    QFile source(folder.filePath(name));
    const QByteArray bytes = cp1252::encode(wrapped.text);
    if (!folder.isValid() || !source.open(QIODevice::WriteOnly) ||
        source.write(bytes) != bytes.size())
        return fail(
            err,
            QStringLiteral("Cannot write the code for the compiler: %1").arg(source.errorString()),
            kFailed);
    source.close();

    QProcess compiler;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    compiler.setProcessEnvironment(environment);
    compiler.setProcessChannelMode(QProcess::MergedChannels);
    compiler.start(path, cobol::syntaxCheckArguments(options, {}, source.fileName()));
    if (!compiler.waitForFinished(-1) || compiler.exitStatus() != QProcess::NormalExit)
        return fail(err, QStringLiteral("orvane-cli: \"%1\" could not be run").arg(path), kFailed);
    const QString output = QString::fromLocal8Bit(compiler.readAll());
    const auto messages = cobol::parseCompilerMessages(output);
    for (const cobol::CompilerMessage &m : messages) {
        // Lines of the generated code, under the project's name, in the compiler's own form.
        const bool own = QFileInfo(m.file).fileName() == name;
        err.write(QStringLiteral("%1:%2: %3: %4\n")
                      .arg(own ? project : m.file)
                      .arg(own ? cobol::itemLine(wrapped, m.line) : m.line)
                      .arg(cobol::severityText(m.severity), m.text)
                      .toUtf8());
    }
    if (messages.empty() && compiler.exitCode() != 0)
        err.write(output.toUtf8());
    return compiler.exitCode();
}

} // namespace orvane::cli
