#pragma once

#include "platform/Platform.h"

#include <QWidget>

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
class RecordTableModel;

// A window of its own that shows a fixed-length data file through the current layout (or a
// copybook): the records as a table, the selected record in hexadecimal with the selected
// field's bytes marked, and where file and layout disagree. Its records can be edited and saved
// (DataEditing).
class DataWindow : public QWidget
{
    Q_OBJECT
public:
    DataWindow(const Platform &platform, const FieldTree &layout, QWidget *parent = nullptr);
    ~DataWindow() override;

    // Opens `path` with the settings of the window's boxes; shows why not in the status line.
    bool openData(const QString &path);
    void cmdDataBrowse_Click();
    void cmdDataCopybook_Click();
    void cmdDataGoTo_Click();
    void cmdDataFind_Click();

    RecordTableModel *model() const { return model_; }
    DataEditing *editing() const { return editing_; }

protected:
    void closeEvent(QCloseEvent *event) override; // asks to save changes

private:
    void showRecord();

    Platform platform_;
    const FieldTree &layout_;
    QString copybook_; // empty: the current layout
    RecordTableModel *model_ = nullptr;
    DataEditing *editing_ = nullptr;
    QLineEdit *txtDataFile_ = nullptr;
    QLabel *lblDataLayout_ = nullptr;
    QComboBox *cboDataEncoding_ = nullptr;
    QSpinBox *spnDataRecordLength_ = nullptr;
    QTableView *tblDataRecords_ = nullptr;
    QPlainTextEdit *txtDataHex_ = nullptr;
    QSpinBox *spnDataGoTo_ = nullptr;
    QComboBox *cboDataFindColumn_ = nullptr;
    QLineEdit *txtDataFind_ = nullptr;
    QLabel *lblDataStatus_ = nullptr;
};

} // namespace orvane
