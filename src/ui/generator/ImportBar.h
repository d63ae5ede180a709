#pragma once

#include <QWidget>

class QAction;
class QLabel;
class QPushButton;

namespace orvane
{

class FieldTree;
class FieldTreePanel;
class FileBoxes;
class FileDialogState;
class MessageBoxes;

// The bar `picImport` that stands in place of the tab headers while a tree covers the
// Generator panel: the import preview `trvTemp` with its check boxes, or the view of the tree
// clipboard. It carries the caption and the OK and Cancel buttons, and runs the import.
class ImportBar : public QWidget
{
    Q_OBJECT
public:
    struct Context {
        FieldTree &fields;
        FieldTree &temp;
        FieldTreePanel *panel;
        QWidget *tabs;     // hidden while the bar stands in their place
        QAction *fileMenu; // disabled while the bar is shown
        FileDialogState &dlgedit;
        FileBoxes &files;
        MessageBoxes &messages;
    };
    ImportBar(const Context &context, QWidget *parent = nullptr);

    // The File menu's import: choose a project file and show it as a check-box preview.
    void import_Click();
    void cmdImportOk_Click();
    void cmdImportCancel_Click();
    // Edit menu's view of the tree clipboard.
    void viewTreeViewclipboard_Click();

    QLabel *lblpicimport() const { return lblpicimport_; }

signals:
    // The checked fields of the preview are about to be added to the layout, and were.
    void importing();
    void imported();

private:
    void showBar(const QString &caption);

    Context c_;
    QLabel *lblpicimport_ = nullptr;
    QPushButton *cmdImportOk_ = nullptr;
    QPushButton *cmdImportCancel_ = nullptr;
};

} // namespace orvane
