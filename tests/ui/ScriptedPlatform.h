#pragma once

// Test doubles for the platform seams: every message is recorded, answers come from queues,
// and a message nobody expected fails the running test.

#include "../common/QStringPrinter.h"
#include "../platform/Application.h"
#include "platform/Platform.h"

#include <QApplication>
#include <QFile>
#include <QMap>
#include <QStringList>
#include <QTimer>

#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace orvane::testing
{

// Takes the next scripted answer; without one, the box was not expected and the test fails.
template <typename T> T nextAnswer(std::deque<T> &answers, const std::string &what, T none)
{
    if (answers.empty()) {
        ADD_FAILURE() << "unexpected " << what;
        return none;
    }
    T answer = std::move(answers.front());
    answers.pop_front();
    return answer;
}

struct ShownMessage {
    QString text;
    QString title;
    MessageButtons buttons;
    MessageIcon icon;

    bool operator==(const ShownMessage &) const = default;
};

class ScriptedMessages : public MessageBoxes
{
public:
    MessageAnswer show(const QString &text, const QString &title, MessageButtons buttons,
                       MessageIcon icon) override
    {
        shown.push_back({text, title, buttons, icon});
        return nextAnswer(
            answers, "message box: " + text.toStdString() + " [" + title.toStdString() + "]",
            buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel);
    }
    std::vector<ShownMessage> shown;
    std::deque<MessageAnswer> answers;
};

class ScriptedInput : public InputBox
{
public:
    QString ask(const QString &, const QString &title, const QString &defaultAnswer) override
    {
        offered.append(defaultAnswer);
        return nextAnswer(answers, "input box: " + title.toStdString(), QString());
    }
    QStringList offered; // each box's default answer
    std::deque<QString> answers;
};

struct AskedFile {
    bool save; // the Save box, otherwise the Open box
    QString title;
    QString filter;
    QString fileName; // the name the box opened with

    bool operator==(const AskedFile &) const = default;
};

class ScriptedFiles : public FileBoxes
{
public:
    QString openFile(const QString &title, const QString &filter, const QString &fileName) override
    {
        return answer({false, title, filter, fileName});
    }
    QString saveFile(const QString &title, const QString &filter, const QString &fileName) override
    {
        return answer({true, title, filter, fileName});
    }
    std::vector<AskedFile> asked;
    std::deque<QString> answers;

private:
    QString answer(AskedFile request)
    {
        asked.push_back(request);
        return nextAnswer(answers,
                          std::string(request.save ? "save" : "open") +
                              " box: " + request.title.toStdString(),
                          QString());
    }
};

class ScriptedRegistration : public FileTypeRegistration
{
public:
    bool registerFileType(const QString &extension) override
    {
        registered.append(extension);
        return true;
    }
    QStringList registered;
};

class ScriptedColours : public ColourBox
{
public:
    QColor choose(const QColor &) override { return nextAnswer(answers, "colour box", QColor()); }
    std::deque<QColor> answers;
};

// Programs "on the PATH" are those in `programs` (name to path); nothing leaves the process.
class ScriptedShell : public Shell
{
public:
    bool openAddress(const QString &address) override
    {
        opened.append(address);
        return true;
    }
    QString findProgram(const QString &name) override { return programs.value(name); }
    bool startProgram(const QString &path, const QStringList &arguments) override
    {
        started.append(QStringList{path} + arguments);
        return startSucceeds;
    }
    QStringList opened;
    QMap<QString, QString> programs;
    QList<QStringList> started;
    bool startSucceeds = true;
};

class MemorySettings : public SettingsStore
{
public:
    QString get(const QString &application, const QString &section, const QString &key,
                const QString &defaultValue) override
    {
        const auto it = values.find(QStringList{application, section, key});
        return it == values.end() ? defaultValue : it->second;
    }
    void save(const QString &application, const QString &section, const QString &key,
              const QString &value) override
    {
        values[QStringList{application, section, key}] = value;
    }
    std::map<QStringList, QString> values;
};

class MemoryClipboard : public ClipboardText
{
public:
    QString text() override { return value; }
    void setText(const QString &text) override { value = text; }
    QString value;
};

// The compiler as a script: not installed, answering at once with `output`, or running until
// cancelled. Each run is kept.
class ScriptedCompiler : public CompilerRunner
{
public:
    enum class Mode { Absent, Answers, Slow };
    struct Run {
        QString program;
        QString source; // the text of the file it was given
    };

    std::unique_ptr<CompilerJob> start(const QString &program, const QStringList &arguments,
                                       std::function<void(const CompilerResult &)> done) override;

    Mode mode = Mode::Answers;
    QString output;
    int exitStatus = 0;
    std::vector<Run> runs;
    // Jobs started that have neither ended nor been cancelled.
    int running = 0;
};

class ScriptedJob : public CompilerJob
{
public:
    ScriptedJob(ScriptedCompiler &compiler, std::function<void(const CompilerResult &)> done)
        : compiler_(compiler), done_(std::move(done))
    {
        ++compiler_.running;
        if (compiler_.mode == ScriptedCompiler::Mode::Slow)
            return;
        CompilerResult result;
        if (compiler_.mode == ScriptedCompiler::Mode::Absent) {
            result.outcome = CompilerResult::Outcome::NotFound;
        } else {
            result.output = compiler_.output;
            result.exitStatus = compiler_.exitStatus;
        }
        QTimer::singleShot(0, &timer_, [this, result] {
            if (ended_)
                return;
            end();
            auto done = std::move(done_);
            done(result);
        });
    }
    ~ScriptedJob() override { cancel(); }
    bool isRunning() const override { return !ended_; }
    void cancel() override
    {
        if (!ended_)
            end();
    }

private:
    void end()
    {
        ended_ = true;
        --compiler_.running;
    }

    ScriptedCompiler &compiler_;
    std::function<void(const CompilerResult &)> done_;
    QObject timer_;
    bool ended_ = false;
};

inline std::unique_ptr<CompilerJob>
ScriptedCompiler::start(const QString &program, const QStringList &arguments,
                        std::function<void(const CompilerResult &)> done)
{
    QString source;
    QFile file(arguments.value(arguments.size() - 1));
    if (file.open(QIODevice::ReadOnly))
        source = QString::fromUtf8(file.readAll());
    runs.push_back({program, source});
    return std::make_unique<ScriptedJob>(*this, std::move(done));
}

struct ScriptedPlatform {
    ScriptedMessages messages;
    ScriptedInput input;
    ScriptedFiles files;
    ScriptedColours colours;
    MemorySettings settings;
    MemoryClipboard clipboard;
    ScriptedRegistration registration;
    ScriptedShell shell;
    ScriptedCompiler compiler;

    Platform seams()
    {
        return Platform{messages,  input,        files, colours, settings,
                        clipboard, registration, shell, compiler};
    }
};

} // namespace orvane::testing
