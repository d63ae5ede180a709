#pragma once

#include "ui/shared/EditorOptions.h"
#include "cobol/LayoutCheck.h"
#include "platform/CompilerRun.h"

#include <QWidget>

#include <functional>
#include <memory>

class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTemporaryDir;
class QTreeWidget;
class QTreeWidgetItem;

namespace orvane
{

class MessageBoxes;

// What a check hands the compiler: the program text, the name its temporary copy gets, the
// folders its COPY books come from, and how the compiler's lines lead back to the box's.
struct CheckRequest {
    QString text;
    QString fileName = QStringLiteral("check.cbl");
    QStringList includeFolders;
    std::function<int(int)> boxLine = [](int line) { return line; };
    // What the layout behind the text says on its own; listed first, linked to the field.
    std::vector<cobol::LayoutWarning> layoutWarnings;
};

// GnuCOBOL's verdict on a text box: runs cobc -fsyntax-only on a temporary copy without
// blocking the window, lists its errors and warnings, and moves the box's caret to one on a
// double-click. Hidden until the first check.
class CheckPanel : public QWidget
{
    Q_OBJECT
public:
    CheckPanel(MessageBoxes &messages, CompilerRunner &compiler, QPlainTextEdit *box,
               QWidget *parent = nullptr);
    ~CheckPanel() override;

    void setOptions(const EditorOptions &options) { options_ = options; }
    // A check already running is stopped first.
    void check(const CheckRequest &request);
    void cancel();
    bool isRunning() const;

    QTreeWidget *lstCheck() const { return lstCheck_; }
    QString statusText() const;
    // The box holds a new text (another file, the code of a changed layout): messages about
    // the text that was checked go, unless the text is that one still.
    void textReplaced();
    // The messages go whatever the box holds.
    void clearMessages();

signals:
    // A layout warning was double-clicked: the field it is about.
    void fieldActivated(int node);

private:
    void finished(const CompilerResult &result);
    void showRunning(bool running);
    void goToItem(QTreeWidgetItem *item);

    MessageBoxes &messages_;
    CompilerRunner &compiler_;
    QPlainTextEdit *box_;
    EditorOptions options_;
    std::unique_ptr<CompilerJob> job_;
    std::unique_ptr<QTemporaryDir> folder_;
    std::function<int(int)> boxLine_;
    QString fileName_;
    QString checkedText_;
    int layoutWarnings_ = 0;
    // The missing compiler is explained once; later checks say it in the status line.
    bool missingReported_ = false;

    QLabel *lblCheck_ = nullptr;
    QProgressBar *prgCheck_ = nullptr;
    QPushButton *cmdCheckCancel_ = nullptr;
    QTreeWidget *lstCheck_ = nullptr;
};

} // namespace orvane
