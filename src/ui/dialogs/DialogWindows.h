#pragma once

#include "platform/Platform.h"

#include <QPointer>

#include <functional>

class QColor;
class QWidget;

namespace orvane
{

struct EditorOptions;
class frmAbout;
class frmOptions;

// The options window and the about box of the main window, each made on first use and
// kept until it is closed. The options window has no owner; the about box belongs to `owner`.
class DialogWindows
{
public:
    struct Applied {
        std::function<void(const QColor &)> fillerColour;
        std::function<void(const EditorOptions &)> editorOptions;
    };
    DialogWindows(const Platform &platform, QWidget *owner, Applied applied);
    // Takes the options window down, which no owner would.
    ~DialogWindows();

    void options_Click();
    void About_Click();
    void closeAll();
    frmOptions *optionsWindow() const;
    frmAbout *aboutWindow() const;

private:
    Platform platform_;
    QWidget *owner_;
    Applied applied_;
    QPointer<frmOptions> options_;
    QPointer<frmAbout> about_;
};

} // namespace orvane
