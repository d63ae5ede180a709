#include "QtCompilerRun.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

namespace orvane
{

namespace
{

class QtCompilerJob : public CompilerJob
{
public:
    QtCompilerJob(const QString &program, const QStringList &arguments,
                  std::function<void(const CompilerResult &)> done)
        : done_(std::move(done))
    {
        const QString path =
            program.contains(u'/') ? program : QStandardPaths::findExecutable(program);
        if (path.isEmpty() || !QFileInfo(path).isExecutable()) {
            // Reported from the event loop like any other end, never from inside start().
            QTimer::singleShot(0, &process_, [this] {
                finish({CompilerResult::Outcome::NotFound, 0, QString()});
            });
            pending_ = true;
            return;
        }
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
        process_.setProcessEnvironment(environment);
        process_.setProcessChannelMode(QProcess::MergedChannels);
        QObject::connect(&process_, &QProcess::finished, &process_,
                         [this](int exitCode, QProcess::ExitStatus status) {
                             CompilerResult result;
                             result.outcome = status == QProcess::NormalExit
                                                  ? CompilerResult::Outcome::Finished
                                                  : CompilerResult::Outcome::FailedToStart;
                             result.exitStatus = exitCode;
                             result.output = QString::fromLocal8Bit(process_.readAll());
                             finish(result);
                         });
        QObject::connect(&process_, &QProcess::errorOccurred, &process_,
                         [this](QProcess::ProcessError error) {
                             if (error == QProcess::FailedToStart)
                                 finish({CompilerResult::Outcome::FailedToStart, 0, QString()});
                         });
        pending_ = true;
        process_.start(path, arguments);
    }

    ~QtCompilerJob() override { cancel(); }

    bool isRunning() const override { return pending_; }

    void cancel() override
    {
        pending_ = false;
        QObject::disconnect(&process_, nullptr, nullptr, nullptr);
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished(5000);
        }
    }

private:
    void finish(const CompilerResult &result)
    {
        if (!pending_)
            return;
        pending_ = false;
        // `done` may destroy this job: nothing of it is touched afterwards.
        auto done = std::move(done_);
        done(result);
    }

    QProcess process_;
    std::function<void(const CompilerResult &)> done_;
    bool pending_ = false;
};

} // namespace

std::unique_ptr<CompilerJob>
QtCompilerRunner::start(const QString &program, const QStringList &arguments,
                        std::function<void(const CompilerResult &)> done)
{
    return std::make_unique<QtCompilerJob>(program, arguments, std::move(done));
}

} // namespace orvane
