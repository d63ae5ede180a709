#pragma once

// The seams of a window under a benchmark: no box is shown, every question gets `answer`,
// and an open box gives `file`.

#include "platform/Platform.h"
#include "platform/QtCompilerRun.h"

#include <QStringList>

namespace orvane::bench
{

struct BenchPlatform : MessageBoxes,
                       InputBox,
                       FileBoxes,
                       ColourBox,
                       SettingsStore,
                       ClipboardText,
                       FileTypeRegistration,
                       Shell {
    MessageAnswer answer = MessageAnswer::Cancel;
    QString file;

    MessageAnswer show(const QString &, const QString &, MessageButtons, MessageIcon) override
    {
        return answer;
    }
    QString ask(const QString &, const QString &, const QString &) override { return {}; }
    QString openFile(const QString &, const QString &, const QString &) override { return file; }
    QString saveFile(const QString &, const QString &, const QString &) override { return {}; }
    QColor choose(const QColor &) override { return {}; }
    QString get(const QString &, const QString &, const QString &, const QString &d) override
    {
        return d;
    }
    void save(const QString &, const QString &, const QString &, const QString &) override {}
    QString text() override { return {}; }
    void setText(const QString &) override {}
    bool registerFileType(const QString &) override { return true; }
    bool openAddress(const QString &) override { return false; }
    QString findProgram(const QString &) override { return {}; }
    bool startProgram(const QString &, const QStringList &) override { return false; }
    QtCompilerRunner compiler;
    Platform seams()
    {
        return Platform{*this, *this, *this, *this, *this, *this, *this, *this, compiler};
    }
};

} // namespace orvane::bench
