#pragma once

#include "platform/Platform.h"

#include <QWidget>

#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QSpinBox;
class QTableView;

namespace orvane
{

class DataEditing;
class FieldTree;
namespace cobol
{
struct StorageMap;
}
class RecordTableModel;

// A window of its own that shows a data file through the current layout (or a copybook): the
// records as a table, the selected record in hexadecimal with the selected field's bytes
// marked, and where file and layout disagree. Its boxes choose what the command line's view
// options do (record format, record, variant and rules, byte order, floats) and every change
// reads the file again. It exports the records as CSV or JSON Lines, and its records can be
// edited and saved (DataEditing).
class DataWindow : public QWidget
{
    Q_OBJECT
public:
    DataWindow(const Platform &platform, const FieldTree &layout, QWidget *parent = nullptr);
    ~DataWindow() override;

    // The File menu's View Data File: a window of its own, so the data can stay beside the
    // layout while the layout is edited. It goes when closed and asks for a file at once.
    static void openBeside(const Platform &platform, const FieldTree &layout, QWidget *owner);

    // Opens `path` with the settings of the window's boxes; shows why not in the status line.
    bool openData(const QString &path);
    void cmdDataBrowse_Click();
    // Shown in front of the main window, not behind it.
    void showInFront();
    void cmdDataCopybook_Click();
    void cmdDataGoTo_Click();
    void cmdDataFind_Click();
    // Asks for a file and writes all records, or the selected ones, as CSV (or JSON Lines for
    // a .jsonl name) with a progress box whose Cancel leaves no file.
    void cmdDataExport_Click(bool selectedOnly);

    RecordTableModel *model() const { return model_; }
    DataEditing *editing() const { return editing_; }

protected:
    void closeEvent(QCloseEvent *event) override; // asks to save changes

private:
    void showRecord();
    void reread();
    // The boxes that choose how the file is read; every change reads it again.
    std::array<QComboBox *, 7> readingCombos() const;
    std::array<QCheckBox *, 3> readingChecks() const;
    // What they showed when the file was last read, so that a change whose re-read the user
    // cancels (to keep unsaved edits) shows again how the records are read.
    QList<int> readWith_;
    QString rulesReadWith_;
    void restoreReadingChoices();
    // Fills the record and variant boxes from the layout, keeping what is chosen.
    void offerChoices(const cobol::StorageMap &map);

    Platform platform_;
    const FieldTree &layout_;
    QString copybook_; // empty: the current layout
    RecordTableModel *model_ = nullptr;
    DataEditing *editing_ = nullptr;
    QLineEdit *txtDataFile_ = nullptr;
    QLabel *lblDataLayout_ = nullptr;
    QComboBox *cboDataEncoding_ = nullptr;
    QSpinBox *spnDataRecordLength_ = nullptr;
    QComboBox *cboDataRecordFormat_ = nullptr;
    QComboBox *cboDataRdwLength_ = nullptr;
    QCheckBox *chkDataRdwLittle_ = nullptr;
    QCheckBox *chkDataRdwWide_ = nullptr;
    QCheckBox *chkDataPaddedTables_ = nullptr;
    QComboBox *cboDataRecord_ = nullptr;
    QComboBox *cboDataVariant_ = nullptr;
    QLineEdit *txtDataRules_ = nullptr;
    QComboBox *cboDataBinary_ = nullptr;
    QComboBox *cboDataFloat_ = nullptr;
    QTableView *tblDataRecords_ = nullptr;
    QPlainTextEdit *txtDataHex_ = nullptr;
    QSpinBox *spnDataGoTo_ = nullptr;
    QComboBox *cboDataFindColumn_ = nullptr;
    QLineEdit *txtDataFind_ = nullptr;
    QLabel *lblDataFindResult_ = nullptr;
    QLabel *lblDataStatus_ = nullptr;
};

} // namespace orvane
