#include "ScriptedPlatform.h"

#include <QFile>
#include <QTimer>

#include <gtest/gtest.h>

#include <utility>

namespace orvane::testing
{

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

} // namespace

std::unique_ptr<CompilerJob>
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

} // namespace orvane::testing
