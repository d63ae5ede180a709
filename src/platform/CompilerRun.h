#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

namespace orvane
{

struct CompilerResult {
    enum class Outcome {
        Finished,      // the compiler ran; its exit status and output are here
        NotFound,      // no such program
        FailedToStart, // found, but it would not start or it crashed
    };
    Outcome outcome = Outcome::Finished;
    int exitStatus = 0;
    QString output; // standard output and standard error together
};

// One running compiler. Destroying it stops the process and waits for it, so no process
// outlives the window that started it.
class CompilerJob
{
public:
    virtual ~CompilerJob() = default;
    virtual bool isRunning() const = 0;
    // Stops the process; its `done` is never called.
    virtual void cancel() = 0;
};

// Starts the compiler without blocking the window.
class CompilerRunner
{
public:
    virtual ~CompilerRunner() = default;
    // `program` is a name looked up on the PATH or a full path. `done` is called once, later,
    // from the event loop, unless the job is cancelled or destroyed first.
    virtual std::unique_ptr<CompilerJob>
    start(const QString &program, const QStringList &arguments,
          std::function<void(const CompilerResult &)> done) = 0;
};

} // namespace orvane
