#include "ScriptedPlatform.h"

#include <QFile>
#include <QTimer>

#include <gtest/gtest.h>

namespace orvane::testing
{

MessageAnswer ScriptedMessages::show(const QString &text, const QString &title,
                                     MessageButtons buttons, MessageIcon icon)
{
    shown.push_back({text, title, buttons, icon});
    if (answers.empty()) {
        ADD_FAILURE() << "unexpected message box: " << text.toStdString() << " ["
                      << title.toStdString() << "]";
        return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
    }
    const MessageAnswer answer = answers.front();
    answers.pop_front();
    return answer;
}

QString ScriptedInput::ask(const QString &prompt, const QString &title,
                           const QString &defaultAnswer)
{
    asked.push_back({prompt, title, defaultAnswer});
    if (answers.empty()) {
        ADD_FAILURE() << "unexpected input box: " << title.toStdString();
        return {};
    }
    const QString answer = answers.front();
    answers.pop_front();
    return answer;
}

QString ScriptedFiles::answer(AskedFile request)
{
    asked.push_back(request);
    if (answers.empty()) {
        ADD_FAILURE() << "unexpected " << (request.save ? "save" : "open")
                      << " box: " << request.title.toStdString();
        return {};
    }
    const QString answer = answers.front();
    answers.pop_front();
    return answer;
}

QString ScriptedFiles::openFile(const QString &title, const QString &filter,
                                const QString &fileName)
{
    return answer({false, title, filter, fileName});
}

QString ScriptedFiles::saveFile(const QString &title, const QString &filter,
                                const QString &fileName)
{
    return answer({true, title, filter, fileName});
}

QColor ScriptedColours::choose(const QColor &)
{
    if (answers.empty()) {
        ADD_FAILURE() << "unexpected colour box";
        return {};
    }
    const QColor answer = answers.front();
    answers.pop_front();
    return answer;
}

QString MemorySettings::get(const QString &application, const QString &section, const QString &key,
                            const QString &defaultValue)
{
    const auto it = values.find(QStringList{application, section, key});
    return it == values.end() ? defaultValue : it->second;
}

void MemorySettings::save(const QString &application, const QString &section, const QString &key,
                          const QString &value)
{
    values[QStringList{application, section, key}] = value;
}

QApplication &testApplication()
{
    static int argc = 1;
    static char name[] = "ui_tests";
    static char *argv[] = {name, nullptr};
    static QApplication *app = [] {
        qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty()
                                       ? QByteArray("offscreen")
                                       : qgetenv("QT_QPA_PLATFORM"));
        return new QApplication(argc, argv);
    }();
    return *app;
}

namespace
{

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
            if (!pending())
                return;
            end();
            auto done = std::move(done_);
            done(result);
        });
    }
    ~ScriptedJob() override { cancel(); }
    bool isRunning() const override { return pending(); }
    void cancel() override
    {
        if (pending())
            end();
    }

private:
    bool pending() const { return !ended_; }
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

} // namespace

std::unique_ptr<CompilerJob> ScriptedCompiler::start(const QString &program,
                                                     const QStringList &arguments,
                                                     std::function<void(const CompilerResult &)> done)
{
    QString source;
    QFile file(arguments.value(arguments.size() - 1));
    if (file.open(QIODevice::ReadOnly))
        source = QString::fromUtf8(file.readAll());
    runs.push_back({program, arguments, source});
    return std::make_unique<ScriptedJob>(*this, std::move(done));
}

} // namespace orvane::testing
