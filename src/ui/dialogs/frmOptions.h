#pragma once

#include "ui/shared/EditorOptions.h"
#include "project/ColourSetting.h"

#include <QColor>
#include <QDialog>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QLabel;
class QPushButton;
class QTabWidget;

namespace orvane
{

class ColourBox;
class SettingsStore;

QColor toQColor(const Rgb &colour);
Rgb toRgb(const QColor &colour);

// The options window: one option so far, the colour FILLER fields are drawn in. It keeps the
// colour in the settings under the program's name and shows the stored one when it opens.
class frmOptions : public QDialog
{
    Q_OBJECT
public:
    frmOptions(ColourBox &colours, SettingsStore &settings, QString programName,
               QWidget *parent = nullptr);

    // The stored filler colour; invalid while none was ever stored.
    static QColor storedFillerColor(SettingsStore &settings, const QString &programName);

    QColor swatchColor() const { return colour_; }

    void cmdfillercolor_Click();
    void cmdApply_Click();
    void cmdOK_Click();
    void cmdCancel_Click();

signals:
    // Apply stored this colour.
    void fillerColorApplied(const QColor &colour);
    // Apply stored these source box and compiler options.
    void editorOptionsApplied(const EditorOptions &options);

private:
    void Form_Load();
    void showSwatch();
    void nextTab();
    QWidget *editorPage();

    ColourBox &colours_;
    SettingsStore &settings_;
    QString programName_;
    QColor colour_;

    QTabWidget *tbsOptions_ = nullptr;
    QGroupBox *fraOptions_ = nullptr;
    QLabel *lblfillercolor_ = nullptr;
    QPushButton *cmdfillercolor_ = nullptr;
    QCheckBox *chkColumnGuides_ = nullptr;
    QLineEdit *txtCompilerPath_ = nullptr;
    QLineEdit *txtCompilerOptions_ = nullptr;
    QPushButton *cmdOK_ = nullptr;
    QPushButton *cmdCancel_ = nullptr;
    QPushButton *cmdApply_ = nullptr;
};

} // namespace orvane
