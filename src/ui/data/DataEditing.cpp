#include "ui/data/DataEditing.h"

#include "ui/data/RecordTableModel.h"

#include "cobol/DataSave.h"
#include "cobol/RecordFields.h"

#include <QApplication>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QToolTip>

#include <set>

namespace orvane
{

using namespace orvane::cobol;

namespace
{

// Commits a cell through the encoder when Enter or Tab is pressed, and keeps the editor open
// with the refusal when the value does not fit.
class CellDelegate : public QStyledItemDelegate
{
public:
    CellDelegate(DataEditing *editing, QLabel *status, QObject *parent)
        : QStyledItemDelegate(parent), editing_(editing), status_(status)
    {
    }

    void setModelData(QWidget *editor, QAbstractItemModel *,
                      const QModelIndex &index) const override
    {
        // Leaving the cell another way (a click elsewhere): set it when it fits, say why not.
        if (auto *line = qobject_cast<QLineEdit *>(editor); line && !committed_)
            status_->setText(editing_->setCell(index.row(), index.column(), line->text()));
        committed_ = false;
    }

    bool eventFilter(QObject *object, QEvent *event) override
    {
        auto *line = qobject_cast<QLineEdit *>(object);
        const bool press = event->type() == QEvent::KeyPress;
        if (line && (press || event->type() == QEvent::ShortcutOverride)) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            const bool commits = key == Qt::Key_Return || key == Qt::Key_Enter ||
                                 key == Qt::Key_Tab || key == Qt::Key_Backtab;
            if (commits && !press) {
                event->accept(); // the key is the editor's, not some window's shortcut
                return true;
            }
            if (commits) {
                const QPersistentModelIndex index =
                    line->property("cell").value<QPersistentModelIndex>();
                const QString refusal =
                    editing_->setCell(index.row(), index.column(), line->text());
                status_->setText(refusal);
                if (!refusal.isEmpty()) {
                    QToolTip::showText(line->mapToGlobal(QPoint(0, line->height())), refusal, line);
                    return true; // the editor stays open
                }
                committed_ = true;
                emit closeEditor(line, key == Qt::Key_Tab       ? EditNextItem
                                       : key == Qt::Key_Backtab ? EditPreviousItem
                                                                : NoHint);
                return true;
            }
        }
        return QStyledItemDelegate::eventFilter(object, event);
    }

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override
    {
        QWidget *editor = QStyledItemDelegate::createEditor(parent, option, index);
        editor->setProperty("cell", QVariant::fromValue(QPersistentModelIndex(index)));
        committed_ = false;
        return editor;
    }

private:
    DataEditing *editing_;
    QLabel *status_;
    mutable bool committed_ = false;
};

QPushButton *button(QWidget *parent, const char *text, const char *name)
{
    auto *b = new QPushButton(QString::fromLatin1(text), parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

} // namespace

DataEditing::DataEditing(const Platform &platform, RecordTableModel *model, QTableView *table,
                         QLabel *status, QWidget *window,
                         std::function<bool(const QString &)> reopen)
    : QObject(window), platform_(platform), model_(model), table_(table), status_(status),
      window_(window), reopen_(std::move(reopen)), bar_(new QHBoxLayout)
{
    table_->setItemDelegate(new CellDelegate(this, status, table_));
    table_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                            QAbstractItemView::AnyKeyPressed);
    table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    auto *insert = button(window, "Insert Record", "cmdDataInsert");
    auto *copy = button(window, "Copy Record", "cmdDataCopy");
    auto *remove = button(window, "Delete Records", "cmdDataDelete");
    undo_ = button(window, "Undo", "cmdDataUndo");
    redo_ = button(window, "Redo", "cmdDataRedo");
    save_ = button(window, "Save", "cmdDataSave");
    auto *saveAs = button(window, "Save As...", "cmdDataSaveAs");
    undo_->setShortcut(QKeySequence::Undo);
    redo_->setShortcut(QKeySequence::Redo);
    save_->setShortcut(QKeySequence::Save);
    insert->setShortcut(Qt::Key_Insert);
    remove->setShortcut(QKeySequence::Delete);
    for (QPushButton *b : {insert, copy, remove, undo_, redo_, save_, saveAs})
        bar_->addWidget(b);
    bar_->addStretch(1);
    connect(insert, &QPushButton::clicked, this, &DataEditing::cmdDataInsert_Click);
    connect(copy, &QPushButton::clicked, this, &DataEditing::cmdDataCopy_Click);
    connect(remove, &QPushButton::clicked, this, &DataEditing::cmdDataDelete_Click);
    connect(undo_, &QPushButton::clicked, this, &DataEditing::cmdDataUndo_Click);
    connect(redo_, &QPushButton::clicked, this, &DataEditing::cmdDataRedo_Click);
    connect(save_, &QPushButton::clicked, this, &DataEditing::cmdDataSave_Click);
    connect(saveAs, &QPushButton::clicked, this, &DataEditing::cmdDataSaveAs_Click);
    reset(QString());
}

DataEditing::~DataEditing() = default;

void DataEditing::reset(const QString &path, const QByteArray &initial)
{
    initial_ = initial;
    model_->setEdits(nullptr);
    edits_.reset();
    framing_.reset();
    path_ = path;
    refusal_.clear();
    if (!path.isEmpty() && model_->columnCount() > 0) {
        const DataFile &file = model_->file();
        framing_ = std::make_unique<FrameWriter>(model_->framing(), file.data(), file.size());
        refusal_ = framing_->refusal();
        if (refusal_.isEmpty()) {
            edits_ = std::make_unique<RecordEdits>(*framing_, file.data(), file.size());
            model_->setEdits(edits_.get());
        }
    }
    changed(false);
}

QString DataEditing::title() const
{
    if (path_.isEmpty())
        return QStringLiteral("Data");
    return QStringLiteral("%1%2 - Data")
        .arg(QFileInfo(path_).fileName(), modified() ? QStringLiteral("*") : QString());
}

void DataEditing::changed(bool structure, int row)
{
    if (structure) {
        const QModelIndex current = table_->currentIndex();
        model_->editsReset();
        if (current.isValid() && model_->rowCount() > 0)
            table_->setCurrentIndex(
                model_->index(std::min(current.row(), model_->rowCount() - 1), current.column()));
    } else if (row >= 0) {
        model_->rowEdited(row);
    }
    undo_->setEnabled(edits_ && edits_->canUndo());
    redo_->setEnabled(edits_ && edits_->canRedo());
    save_->setEnabled(modified());
    emit titleChanged(title());
}

QString DataEditing::setCell(int row, int column, const QString &text)
{
    if (!edits_ || row < 0 || row >= edits_->count())
        return {};
    const QString refusal =
        SetField(*edits_, row, model_->layout(), model_->options(), column, text);
    if (refusal.isEmpty())
        changed(false, row);
    return refusal;
}

void DataEditing::cmdDataInsert_Click()
{
    if (!edits_)
        return;
    const int row =
        table_->currentIndex().isValid() ? table_->currentIndex().row() : int(edits_->count());
    const bool variable = framing_->variable();
    edits_->insert(row, RecordToInsert(initial_, model_->layout(), model_->options(),
                                       variable ? model_->layout().length
                                                : model_->framing().fixed.recordLength,
                                       variable));
    changed(true);
    table_->setCurrentIndex(model_->index(row, 0));
}

void DataEditing::cmdDataCopy_Click()
{
    const QModelIndex current = table_->currentIndex();
    if (!edits_ || !current.isValid())
        return;
    qint64 length = 0;
    const unsigned char *record = edits_->record(current.row(), length);
    edits_->insert(current.row() + 1, QByteArray(reinterpret_cast<const char *>(record), length));
    changed(true);
    table_->setCurrentIndex(model_->index(current.row() + 1, current.column()));
}

void DataEditing::cmdDataDelete_Click()
{
    if (!edits_)
        return;
    std::set<qint64> rows;
    for (const QModelIndex &index : table_->selectionModel()->selectedIndexes())
        rows.insert(index.row());
    if (rows.empty() && table_->currentIndex().isValid())
        rows.insert(table_->currentIndex().row());
    edits_->remove(std::vector<qint64>(rows.begin(), rows.end()));
    changed(true);
}

void DataEditing::cmdDataUndo_Click()
{
    if (edits_ && edits_->canUndo()) {
        edits_->undo();
        changed(true);
    }
}

void DataEditing::cmdDataRedo_Click()
{
    if (edits_ && edits_->canRedo()) {
        edits_->redo();
        changed(true);
    }
}

bool DataEditing::cmdDataSave_Click()
{
    return edits_ && saveTo(path_);
}

bool DataEditing::cmdDataSaveAs_Click()
{
    if (!edits_)
        return false;
    const QString path = platform_.files.saveFile(QStringLiteral("Save Data File As"),
                                                  QStringLiteral("All Files (*)"), path_);
    return !path.isEmpty() && saveTo(path);
}

bool DataEditing::saveTo(const QString &path)
{
    QProgressDialog progress(QStringLiteral("Saving %1...").arg(QFileInfo(path).fileName()),
                             QStringLiteral("Cancel"), 0, 1000, window_);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    const SaveResult saved = SaveDataFile(*edits_, path, [&](qint64 written, qint64 total) {
        progress.setValue(total > 0 ? int(written * 1000 / total) : 0);
        QApplication::processEvents();
        return !progress.wasCanceled();
    });
    progress.reset();
    if (!saved.ok) {
        status_->setText(saved.cancelled
                             ? QStringLiteral("Save cancelled: %1 is as it was").arg(path)
                             : saved.message);
        return false;
    }
    edits_->markSaved();
    // Back on the same cell of the file as saved.
    const QModelIndex current = table_->currentIndex();
    if (!reopen_(path))
        return false;
    if (current.isValid() && current.row() < model_->rowCount())
        table_->setCurrentIndex(model_->index(current.row(), current.column()));
    return true;
}

bool DataEditing::maySave()
{
    if (!modified())
        return true;
    const MessageAnswer answer = platform_.messages.show(
        QStringLiteral("Save the changes to %1?").arg(QFileInfo(path_).fileName()),
        QStringLiteral("Data"), MessageButtons::YesNoCancel, MessageIcon::Question);
    if (answer == MessageAnswer::Yes)
        return cmdDataSave_Click();
    return answer == MessageAnswer::No;
}

} // namespace orvane
