#pragma once

#include "CompilerRun.h"

namespace orvane
{

// The compiler as a QProcess, with its messages in the C locale so they read the same
// everywhere.
class QtCompilerRunner : public CompilerRunner
{
public:
    std::unique_ptr<CompilerJob> start(const QString &program, const QStringList &arguments,
                                       std::function<void(const CompilerResult &)> done) override;
};

} // namespace orvane
