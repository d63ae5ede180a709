#include "ui/dialogs/frmOptions.h"

#include "platform/Platform.h"
#include "project/StartupSettings.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace orvane
{

QColor toQColor(const Rgb &colour)
{
    return QColor(colour.red, colour.green, colour.blue);
}

Rgb toRgb(const QColor &colour)
{
    return {colour.red(), colour.green(), colour.blue()};
}

namespace
{

template <typename W> W *named(W *widget, const char *name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QString storedText(SettingsStore &settings, const QString &programName)
{
    const SettingKey key = settingKey(Setting::FillerColor);
    return settings.get(settingApplication(Setting::FillerColor, programName), key.section, key.key,
                        QString());
}

} // namespace

frmOptions::frmOptions(ColourBox &colours, SettingsStore &settings, QString programName,
                       QWidget *parent)
    : QDialog(parent), colours_(colours), settings_(settings), programName_(std::move(programName))
{
    setObjectName(QStringLiteral("frmOptions"));
    setWindowTitle(QStringLiteral("Options"));
    setAttribute(Qt::WA_DeleteOnClose);

    tbsOptions_ = named(new QTabWidget(this), "tbsOptions");
    auto *general = new QWidget;
    fraOptions_ = named(new QGroupBox(general), "fraOptions");
    lblfillercolor_ =
        named(new QLabel(QStringLiteral("Filler Color"), fraOptions_), "lblfillercolor");
    cmdfillercolor_ = named(new QPushButton(fraOptions_), "cmdfillercolor");
    cmdfillercolor_->setAccessibleName(QStringLiteral("Filler Color"));
    cmdfillercolor_->setFixedSize(fontMetrics().height() * 3, fontMetrics().height() + 8);
    lblfillercolor_->setBuddy(cmdfillercolor_);
    auto *grid = new QGridLayout(fraOptions_);
    grid->addWidget(lblfillercolor_, 0, 0);
    grid->addWidget(cmdfillercolor_, 0, 1);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(1, 1);
    auto *page = new QVBoxLayout(general);
    page->addWidget(fraOptions_);
    const int generalTab = tbsOptions_->addTab(general, QStringLiteral("General"));
    tbsOptions_->tabBar()->setTabData(generalTab, QStringLiteral("general"));
    const int editorTab = tbsOptions_->addTab(editorPage(), QStringLiteral("Editor"));
    tbsOptions_->tabBar()->setTabData(editorTab, QStringLiteral("editor"));

    cmdOK_ = named(new QPushButton(QStringLiteral("OK"), this), "cmdOK");
    cmdCancel_ = named(new QPushButton(QStringLiteral("Cancel"), this), "cmdCancel");
    cmdApply_ = named(new QPushButton(QStringLiteral("Apply"), this), "cmdApply");
    cmdOK_->setDefault(true);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK_);
    buttons->addWidget(cmdCancel_);
    buttons->addWidget(cmdApply_);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(tbsOptions_, 1);
    layout->addLayout(buttons);

    connect(cmdfillercolor_, &QPushButton::clicked, this, &frmOptions::cmdfillercolor_Click);
    connect(cmdOK_, &QPushButton::clicked, this, &frmOptions::cmdOK_Click);
    connect(cmdCancel_, &QPushButton::clicked, this, &frmOptions::cmdCancel_Click);
    connect(cmdApply_, &QPushButton::clicked, this, &frmOptions::cmdApply_Click);
    // The window sees Ctrl+Tab before whichever control has the focus.
    auto *ctrlTab = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Tab), this);
    connect(ctrlTab, &QShortcut::activated, this, &frmOptions::nextTab);

    Form_Load();
}

QColor frmOptions::storedFillerColor(SettingsStore &settings, const QString &programName)
{
    const QString text = storedText(settings, programName);
    return text.isNull() ? QColor() : toQColor(colourFromSetting(text));
}

void frmOptions::Form_Load()
{
    colour_ = toQColor(colourFromSetting(storedText(settings_, programName_)));
    showSwatch();
    const EditorOptions options = readEditorOptions(settings_, programName_);
    chkColumnGuides_->setChecked(options.columnGuides);
    txtCompilerPath_->setText(options.compilerPath);
    txtCompilerOptions_->setText(options.compilerOptions);
    cmdApply_->setEnabled(true);
}

QWidget *frmOptions::editorPage()
{
    auto *page = new QWidget;
    chkColumnGuides_ =
        named(new QCheckBox(QStringLiteral("Show column guides"), page), "chkColumnGuides");
    txtCompilerPath_ = named(new QLineEdit(page), "txtCompilerPath");
    txtCompilerOptions_ = named(new QLineEdit(page), "txtCompilerOptions");
    txtCompilerOptions_->setPlaceholderText(QStringLiteral("-std=ibm -I copybooks"));
    auto *form = new QFormLayout(page);
    form->addRow(chkColumnGuides_);
    form->addRow(QStringLiteral("GnuCOBOL compiler"), txtCompilerPath_);
    form->addRow(QStringLiteral("Compiler options"), txtCompilerOptions_);
    auto enableApply = [this] { cmdApply_->setEnabled(true); };
    connect(chkColumnGuides_, &QCheckBox::toggled, this, enableApply);
    connect(txtCompilerPath_, &QLineEdit::textEdited, this, enableApply);
    connect(txtCompilerOptions_, &QLineEdit::textEdited, this, enableApply);
    return page;
}

void frmOptions::showSwatch()
{
    cmdfillercolor_->setStyleSheet(
        QStringLiteral("QPushButton#cmdfillercolor { background-color: %1; border: 1px solid "
                       "palette(dark); }")
            .arg(colour_.name()));
    cmdfillercolor_->setToolTip(colour_.name());
}

void frmOptions::cmdfillercolor_Click()
{
    const QColor chosen = colours_.choose(colour_);
    // A cancelled colour box keeps the swatch as it was.
    if (!chosen.isValid())
        return;
    if (chosen.rgb() != colour_.rgb())
        cmdApply_->setEnabled(true);
    colour_ = chosen;
    showSwatch();
}

void frmOptions::cmdApply_Click()
{
    cmdApply_->setEnabled(false);
    const SettingKey key = settingKey(Setting::FillerColor);
    settings_.save(settingApplication(Setting::FillerColor, programName_), key.section, key.key,
                   colourSettingText(toRgb(colour_)));
    emit fillerColorApplied(colour_);
    EditorOptions options;
    options.columnGuides = chkColumnGuides_->isChecked();
    options.compilerPath = txtCompilerPath_->text().trimmed();
    options.compilerOptions = txtCompilerOptions_->text().trimmed();
    saveEditorOptions(settings_, programName_, options);
    // Read back, so the windows get the defaults an emptied box stands for.
    emit editorOptionsApplied(readEditorOptions(settings_, programName_));
}

void frmOptions::cmdOK_Click()
{
    cmdApply_Click();
    cmdCancel_Click();
}

void frmOptions::cmdCancel_Click()
{
    // Closes and, as the window deletes itself on closing, unloads it: a colour chosen but
    // not applied is gone, and the next opening reads the stored one.
    QDialog::reject();
}

void frmOptions::nextTab()
{
    const int count = tbsOptions_->count();
    if (count > 0)
        tbsOptions_->setCurrentIndex((tbsOptions_->currentIndex() + 1) % count);
}

} // namespace orvane
