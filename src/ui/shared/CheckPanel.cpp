#include "ui/shared/CheckPanel.h"

#include "ui/shared/TextBoxes.h"
#include "cobol/CompilerMessages.h"
#include "editor/TextFile.h"
#include "platform/Platform.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace orvane
{

namespace
{

constexpr int LineRole = Qt::UserRole;
constexpr int ColumnRole = Qt::UserRole + 1;
constexpr int NodeRole = Qt::UserRole + 2;

QString missingCompilerText(const QString &program)
{
    return QStringLiteral("The GnuCOBOL compiler \"%1\" was not found.\n\n"
                          "Install the package gnucobol (for example: sudo apt install "
                          "gnucobol), or set the compiler's path in Options, on the Editor tab.")
        .arg(program);
}

} // namespace

CheckPanel::CheckPanel(MessageBoxes &messages, CompilerRunner &compiler, QPlainTextEdit *box,
                       QWidget *parent)
    : QWidget(parent), messages_(messages), compiler_(compiler), box_(box)
{
    lblCheck_ = named(new QLabel(this), "lblCheck");
    prgCheck_ = named(new QProgressBar(this), "prgCheck");
    prgCheck_->setRange(0, 0); // busy: the compiler tells no progress
    prgCheck_->setMaximumWidth(120);
    prgCheck_->setTextVisible(false);
    cmdCheckCancel_ = named(new QPushButton(QStringLiteral("Cancel"), this), "cmdCheckCancel");
    lstCheck_ = named(new QTreeWidget(this), "lstCheck");
    lstCheck_->setHeaderLabels(
        {QStringLiteral("Line"), QStringLiteral("Severity"), QStringLiteral("Message")});
    lstCheck_->setRootIsDecorated(false);
    lstCheck_->setUniformRowHeights(true);
    lstCheck_->header()->setStretchLastSection(true);
    lstCheck_->setMaximumHeight(lstCheck_->fontMetrics().height() * 8);

    auto *top = new QHBoxLayout;
    top->addWidget(lblCheck_, 1);
    top->addWidget(prgCheck_);
    top->addWidget(cmdCheckCancel_);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(top);
    layout->addWidget(lstCheck_);

    connect(cmdCheckCancel_, &QPushButton::clicked, this, &CheckPanel::cancel);
    connect(lstCheck_, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem *item) { goToItem(item); });
    connect(lstCheck_, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem *item) { goToItem(item); });
    showRunning(false);
    hide();
}

CheckPanel::~CheckPanel() = default;

bool CheckPanel::isRunning() const
{
    return job_ && job_->isRunning();
}

QString CheckPanel::statusText() const
{
    return lblCheck_->text();
}

void CheckPanel::showRunning(bool running)
{
    prgCheck_->setVisible(running);
    cmdCheckCancel_->setVisible(running);
}

void CheckPanel::textReplaced()
{
    if (!lstCheck_->topLevelItemCount() && lblCheck_->text().isEmpty())
        return;
    if (plainText(box_) != checkedText_)
        clearMessages();
}

void CheckPanel::clearMessages()
{
    cancel();
    lstCheck_->clear();
    lblCheck_->clear();
    checkedText_.clear();
    layoutWarnings_ = 0;
    hide();
}

void CheckPanel::check(const CheckRequest &request)
{
    job_.reset();
    show();
    lstCheck_->clear();
    checkedText_ = plainText(box_);
    layoutWarnings_ = int(request.layoutWarnings.size());
    for (const cobol::LayoutWarning &w : request.layoutWarnings) {
        auto *item = new QTreeWidgetItem(lstCheck_);
        item->setData(0, NodeRole, w.node);
        item->setText(1, QStringLiteral("warning"));
        item->setText(2, w.text);
    }
    // A copy in a folder of its own: the user's file is never written, and the compiler
    // finds the name it reports.
    folder_ = std::make_unique<QTemporaryDir>();
    fileName_ = request.fileName;
    const QString path = folder_->filePath(request.fileName);
    TextForm form = newTextForm(request.text);
    form.lineEnd = QStringLiteral("\n");
    bool ok = true;
    QByteArray bytes = encodeText(request.text, form, &ok);
    if (!ok) {
        form.encoding = TextEncoding::Utf8;
        bytes = encodeText(request.text, form, &ok);
    }
    QFile file(path);
    if (!folder_->isValid() || !file.open(QIODevice::WriteOnly) ||
        file.write(bytes) != bytes.size()) {
        lblCheck_->setText(QStringLiteral("The text could not be written for the compiler: %1")
                               .arg(file.errorString()));
        showRunning(false);
        return;
    }
    file.close();
    boxLine_ = request.boxLine;
    lblCheck_->setText(QStringLiteral("Checking with %1...").arg(options_.compilerPath));
    showRunning(true);
    job_ = compiler_.start(
        options_.compilerPath,
        cobol::syntaxCheckArguments(options_.compilerOptions, request.includeFolders, path),
        [this](const CompilerResult &result) { finished(result); });
}

void CheckPanel::cancel()
{
    if (!isRunning())
        return;
    job_->cancel();
    job_.reset();
    showRunning(false);
    lblCheck_->setText(QStringLiteral("Check cancelled."));
}

void CheckPanel::finished(const CompilerResult &result)
{
    showRunning(false);
    switch (result.outcome) {
    case CompilerResult::Outcome::NotFound:
        lblCheck_->setText(QStringLiteral("\"%1\" was not found: install the package gnucobol.")
                               .arg(options_.compilerPath));
        if (!missingReported_) {
            missingReported_ = true;
            messages_.show(missingCompilerText(options_.compilerPath), QStringLiteral("Orvane"),
                           MessageButtons::Ok, MessageIcon::Exclamation);
        }
        return;
    case CompilerResult::Outcome::FailedToStart:
        lblCheck_->setText(QStringLiteral("\"%1\" could not be run.").arg(options_.compilerPath));
        return;
    case CompilerResult::Outcome::Finished:
        break;
    }
    const cobol::CheckReport report =
        cobol::checkReport(result.output, result.exitStatus, fileName_, boxLine_);
    for (const cobol::CheckRow &row : report.rows) {
        auto *item = new QTreeWidgetItem(lstCheck_);
        item->setData(0, LineRole, row.line);
        item->setData(0, ColumnRole, row.column);
        item->setText(0, row.line > 0 ? QString::number(row.line) : QString());
        item->setText(1, row.severity);
        item->setText(2, row.text);
    }
    QString status = report.status;
    if (layoutWarnings_ > 0)
        status += QStringLiteral(" Layout: %1 warning(s).").arg(layoutWarnings_);
    lblCheck_->setText(status);
    lstCheck_->resizeColumnToContents(0);
    lstCheck_->resizeColumnToContents(1);
}

void CheckPanel::goToItem(QTreeWidgetItem *item)
{
    if (const int node = item ? item->data(0, NodeRole).toInt() : 0) {
        emit fieldActivated(node);
        return;
    }
    const int line = item ? item->data(0, LineRole).toInt() : 0;
    if (line <= 0)
        return;
    const QTextBlock block = box_->document()->findBlockByNumber(line - 1);
    if (!block.isValid())
        return;
    int column = item->data(0, ColumnRole).toInt() - 1;
    if (column < 0) {
        // Without a column from the compiler: the line's first character after the
        // indicator column that is not blank.
        const QString text = block.text();
        column = std::min<int>(7, text.size());
        while (column < text.size() && text[column].isSpace())
            ++column;
        if (column >= text.size())
            column = 0;
    }
    QTextCursor cursor(block);
    cursor.setPosition(block.position() + std::min(column, block.length() - 1));
    box_->setTextCursor(cursor);
    box_->ensureCursorVisible();
    box_->setFocus();
}

} // namespace orvane
