#pragma once

// The data window's editing: cells set through the encoder, records inserted, copied and
// deleted, undo and redo, and Save / Save As through a temporary file with progress. The
// records live in a RecordEdits over the model's mapped file until they are saved.

#include "platform/Platform.h"

#include "cobol/RecordEdits.h"

#include <QObject>

#include <memory>

class QHBoxLayout;
class QLabel;
class QPushButton;
class QTableView;
class QWidget;

namespace orvane
{

class RecordTableModel;

class DataEditing : public QObject
{
    Q_OBJECT
public:
    // `reopen` opens a saved file again in the window (the model then calls reset()).
    DataEditing(const Platform &platform, RecordTableModel *model, QTableView *table,
                QLabel *status, QWidget *window, std::function<bool(const QString &)> reopen);
    ~DataEditing() override;

    QHBoxLayout *bar() const { return bar_; }
    // Starts over on the file the model has just opened (or on none); `initial` is what an
    // inserted record holds.
    void reset(const QString &path, const QByteArray &initial = {});
    bool modified() const { return edits_ && edits_->modified(); }
    // Asks whether to save changes before they would be lost; false: keep them (stay).
    bool maySave();
    // "NAME - Data", with "*" after the name while there are changes.
    QString title() const;
    // Why the records cannot be edited (a blocked file); empty when they can.
    const QString &refusal() const { return refusal_; }

    // Sets the cell from typed text; returns the refusal, empty when set.
    QString setCell(int row, int column, const QString &text);
    void cmdDataInsert_Click();
    void cmdDataCopy_Click();
    void cmdDataDelete_Click();
    void cmdDataUndo_Click();
    void cmdDataRedo_Click();
    bool cmdDataSave_Click();
    bool cmdDataSaveAs_Click();

signals:
    void titleChanged(const QString &title);

private:
    bool saveTo(const QString &path);
    void changed(bool structure, int row = -1);

    Platform platform_;
    RecordTableModel *model_;
    QTableView *table_;
    QLabel *status_;
    QWidget *window_;
    std::function<bool(const QString &)> reopen_;
    QString path_;
    QString refusal_;
    QByteArray initial_;
    std::unique_ptr<cobol::FrameWriter> framing_;
    std::unique_ptr<cobol::RecordEdits> edits_;
    QHBoxLayout *bar_;
    QPushButton *undo_ = nullptr;
    QPushButton *redo_ = nullptr;
    QPushButton *save_ = nullptr;
};

} // namespace orvane
