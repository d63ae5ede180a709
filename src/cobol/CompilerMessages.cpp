#include "CompilerMessages.h"

#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>

#include <algorithm>

namespace orvane::cobol
{

std::vector<CompilerMessage> parseCompilerMessages(QStringView output)
{
    // The file name is matched lazily, so one holding ":" still reads; the severity word
    // anchors the line number.
    static const QRegularExpression pattern(
        QStringLiteral(R"(^(.+?):(\d+):(?:(\d+):)?\s*(error|warning|note)\s*:\s*(.*)$)"));
    std::vector<CompilerMessage> messages;
    for (QStringView line : output.split(u'\n')) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        const QRegularExpressionMatch match = pattern.match(line.toString());
        if (!match.hasMatch())
            continue;
        CompilerMessage message;
        message.file = match.captured(1);
        message.line = match.capturedView(2).toInt();
        message.column = match.capturedView(3).toInt();
        const QStringView severity = match.capturedView(4);
        message.severity = severity == u"error"     ? CompilerSeverity::Error
                           : severity == u"warning" ? CompilerSeverity::Warning
                                                    : CompilerSeverity::Note;
        message.text = match.captured(5).trimmed();
        messages.push_back(std::move(message));
    }
    return messages;
}

QString severityText(CompilerSeverity severity)
{
    switch (severity) {
    case CompilerSeverity::Error:
        return QStringLiteral("error");
    case CompilerSeverity::Warning:
        return QStringLiteral("warning");
    case CompilerSeverity::Note:
        return QStringLiteral("note");
    }
    return {};
}

WrappedProgram wrapDataItems(const QString &items)
{
    static const QString head = QStringLiteral("       IDENTIFICATION DIVISION.\n"
                                               "       PROGRAM-ID. ORVCHECK.\n"
                                               "       DATA DIVISION.\n"
                                               "       WORKING-STORAGE SECTION.\n");
    static const QString tail = QStringLiteral("       PROCEDURE DIVISION.\n"
                                               "           GOBACK.\n");
    WrappedProgram program;
    program.firstLine = int(head.count(u'\n')) + 1;
    QString body = items;
    if (!body.isEmpty() && !body.endsWith(u'\n'))
        body += u'\n';
    program.lineCount = int(body.count(u'\n'));
    program.text = head + body + tail;
    return program;
}

int itemLine(const WrappedProgram &program, int line)
{
    const int item = line - program.firstLine + 1;
    return std::clamp(item, 1, std::max(1, program.lineCount));
}

QStringList syntaxCheckArguments(const QString &extraOptions, const QStringList &includeFolders,
                                 const QString &file)
{
    QStringList arguments{QStringLiteral("-fsyntax-only")};
    arguments += QProcess::splitCommand(extraOptions);
    for (const QString &folder : includeFolders)
        arguments << QStringLiteral("-I") << folder;
    arguments << file;
    return arguments;
}

namespace
{

QString counted(int count, const char *one, const char *many)
{
    return QStringLiteral("%1 %2").arg(count).arg(QLatin1String(count == 1 ? one : many));
}

} // namespace

CheckReport checkReport(QStringView output, int exitStatus, const QString &fileName,
                        const std::function<int(int)> &boxLine)
{
    CheckReport report;
    int errors = 0;
    int warnings = 0;
    for (const CompilerMessage &message : parseCompilerMessages(output)) {
        const bool own = QFileInfo(message.file).fileName() == fileName;
        // A message about a COPY book names it, as its lines are not the box's.
        report.rows.push_back({own ? boxLine(message.line) : 0, message.column,
                               severityText(message.severity),
                               own ? message.text
                                   : QStringLiteral("%1:%2: %3")
                                         .arg(message.file)
                                         .arg(message.line)
                                         .arg(message.text)});
        errors += message.severity == CompilerSeverity::Error;
        warnings += message.severity == CompilerSeverity::Warning;
    }
    if (exitStatus != 0 && errors == 0) {
        // A failure the messages do not explain is shown as the compiler said it.
        report.rows.push_back({0, 0, QStringLiteral("error"), output.trimmed().toString()});
        ++errors;
    }
    report.status = errors == 0 && warnings == 0
                        ? QStringLiteral("No errors or warnings.")
                        : counted(errors, "error", "errors") + QStringLiteral(", ") +
                              counted(warnings, "warning", "warnings") + u'.';
    return report;
}

} // namespace orvane::cobol
