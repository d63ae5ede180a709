// Creating and placing the entry panel's controls; the behaviour is in EntryPanel.cpp and
// EntryPanelKeys.cpp.
#include "ui/generator/EntryPanel.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace orvane
{

namespace
{

template <typename W> W *named(W *widget, const char *name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QLineEdit *textBox(const char *name, const QString &tip, int maxLength, QWidget *parent)
{
    auto *box = named(new QLineEdit(parent), name);
    if (!tip.isEmpty())
        box->setToolTip(tip);
    if (maxLength > 0)
        box->setMaxLength(maxLength);
    return box;
}

QComboBox *freeTextBox(const char *name, const QString &tip, QWidget *parent)
{
    auto *box = named(new QComboBox(parent), name);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setToolTip(tip);
    return box;
}

QLabel *label(const char *name, const QString &caption, QWidget *parent)
{
    return named(new QLabel(caption, parent), name);
}

} // namespace

void EntryPanel::buildControls()
{
    lblfieldlevel_ = label("lblfieldlevel", QStringLiteral("Level"), this);
    txtFieldLevel_ = textBox("txtFieldLevel", QString(), 2, this);
    txtFieldLevel_->setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("000000")));
    lblfieldname_ = label("lblfieldname", QStringLiteral("Field Name"), this);
    txtFieldName_ = textBox("txtFieldName", QStringLiteral("Field Name"), 71, this);
    lblpicture_ = label("lblpicture", QStringLiteral("Picture clause"), this);
    cboFieldType_ = freeTextBox("cboFieldType", QStringLiteral("Field Type"), this);

    // Length, or first and last position, depending on the record size mode.
    recordSizeStack_ = new QStackedWidget(this);
    picFieldByLength_ = named(new QWidget, "picFieldByLength");
    lbllength_ = label("lbllength", QStringLiteral("Length"), picFieldByLength_);
    txtFieldLength_ =
        textBox("txtFieldLength", QStringLiteral("Field Length"), 0, picFieldByLength_);
    auto *byLength = new QHBoxLayout(picFieldByLength_);
    byLength->setContentsMargins(0, 0, 0, 0);
    byLength->addWidget(lbllength_);
    byLength->addWidget(txtFieldLength_);
    picFieldByPos_ = named(new QWidget, "picFieldByPos");
    lblfrompos_ = label("lblfrompos", QStringLiteral("From Pos"), picFieldByPos_);
    txtFieldFromPos_ =
        textBox("txtFieldFromPos", QStringLiteral("From Positon"), 0, picFieldByPos_);
    lbltopos_ = label("lbltopos", QStringLiteral("To Pos"), picFieldByPos_);
    txtFieldToPos_ = textBox("txtFieldToPos", QStringLiteral("To Position"), 0, picFieldByPos_);
    auto *byPos = new QHBoxLayout(picFieldByPos_);
    byPos->setContentsMargins(0, 0, 0, 0);
    byPos->addWidget(lblfrompos_);
    byPos->addWidget(txtFieldFromPos_);
    byPos->addWidget(lbltopos_);
    byPos->addWidget(txtFieldToPos_);
    recordSizeStack_->addWidget(picFieldByLength_);
    recordSizeStack_->addWidget(picFieldByPos_);

    // The array rows are placed by hand: the occurs row jumps between the top and 800 twips.
    picOccurs_ = named(new QWidget(this), "picOccurs");
    lblFieldOccurs_ = label("lblFieldOccurs", QStringLiteral("Occurs"), picOccurs_);
    txtFieldOccurs_ = textBox("txtFieldOccurs", QStringLiteral("Array Size"), 0, picOccurs_);
    lblFieldOccursTimes_ = label("lblFieldOccursTimes", QStringLiteral("Times"), picOccurs_);
    cboOccursKey_ =
        freeTextBox("cboOccursKey", QStringLiteral("Key (Ascending, Descending)"), picOccurs_);
    // Typing is blocked: nothing may be pasted either; the keys set the text.
    cboOccursKey_->lineEdit()->setReadOnly(true);
    cboOccursKey_->lineEdit()->setContextMenuPolicy(Qt::NoContextMenu);
    txtOccursKeyDataName_ =
        textBox("txtOccursKeyDataName", QStringLiteral("Data-Name"), 30, picOccurs_);
    lblOccursIndexedBy_ = label("lblOccursIndexedBy", QStringLiteral("Indexed By"), picOccurs_);
    txtOccursIndexName_ =
        textBox("txtOccursIndexName", QStringLiteral("Index_Name"), 30, picOccurs_);
    const int row = txtFieldOccurs_->sizeHint().height() + 4;
    const int x0 = fontMetrics().horizontalAdvance(QStringLiteral("Indexed By  "));
    lblFieldOccurs_->setGeometry(0, 0, x0, row);
    txtFieldOccurs_->setGeometry(x0, 0, 60, row - 4);
    lblFieldOccursTimes_->setGeometry(x0 + 66, 0, 60, row);
    cboOccursKey_->setGeometry(0, row, x0 - 4, row - 4);
    txtOccursKeyDataName_->setGeometry(x0, row, 200, row - 4);
    lblOccursIndexedBy_->setGeometry(0, 2 * row, x0, row);
    txtOccursIndexName_->setGeometry(x0, 2 * row, 200, row - 4);
    picOccurs_->setMinimumSize(x0 + 210, 3 * row);

    frafieldvalue_ =
        named(new QGroupBox(QStringLiteral("Initial Field Value "), this), "frafieldvalue");
    lblfieldvalue_ = label("lblfieldvalue", QStringLiteral("Initial Value ("), frafieldvalue_);
    chkvalues_ = named(new QCheckBox(QStringLiteral("S)"), frafieldvalue_), "chkvalues");
    cboFieldValue_ =
        freeTextBox("cboFieldValue", QStringLiteral("Initioal Field Value"), frafieldvalue_);
    chkTreatAsString_ = named(new QCheckBox(QStringLiteral("Treat as s&tring"), frafieldvalue_),
                              "chkTreatAsString");
    auto *valueCaption = new QHBoxLayout;
    valueCaption->setSpacing(0);
    valueCaption->addWidget(lblfieldvalue_);
    valueCaption->addWidget(chkvalues_);
    valueCaption->addStretch(1);
    auto *valueLayout = new QVBoxLayout(frafieldvalue_);
    valueLayout->addLayout(valueCaption);
    valueLayout->addWidget(cboFieldValue_);
    valueLayout->addWidget(chkTreatAsString_);

    fraFieldType_ = named(new QGroupBox(QStringLiteral("Field Type"), this), "fraFieldType");
    optFieldTypeInput_ = named(new QRadioButton(QStringLiteral("&Input")), "optFieldTypeInput");
    optFieldTypeOutput_ = named(new QRadioButton(QStringLiteral("&Output")), "optFieldTypeOutput");
    auto *typeLayout = new QVBoxLayout(fraFieldType_);
    typeLayout->addWidget(optFieldTypeInput_);
    typeLayout->addWidget(optFieldTypeOutput_);
    auto *typeGroup = new QButtonGroup(this);
    typeGroup->addButton(optFieldTypeInput_);
    typeGroup->addButton(optFieldTypeOutput_);

    fraRecordSize_ = named(new QGroupBox(QStringLiteral("Record Size"), this), "fraRecordSize");
    optRecordSizeByLength_ =
        named(new QRadioButton(QStringLiteral("Define by &length")), "optRecordSizeByLength");
    OptRecordSizeByPos_ =
        named(new QRadioButton(QStringLiteral("Define by &positions")), "OptRecordSizeByPos");
    auto *sizeLayout = new QVBoxLayout(fraRecordSize_);
    sizeLayout->addWidget(optRecordSizeByLength_);
    sizeLayout->addWidget(OptRecordSizeByPos_);
    auto *sizeGroup = new QButtonGroup(this);
    sizeGroup->addButton(optRecordSizeByLength_);
    sizeGroup->addButton(OptRecordSizeByPos_);
    optRecordSizeByLength_->setChecked(true);

    lblAddStringPreview_ = label("lblAddStringPreview", QString(), this);
    lblAddStringPreview_->setTextFormat(Qt::PlainText);
    lblAddStringPreview_->setFrameShape(QFrame::StyledPanel);
    lblAddStringPreview_->setMinimumHeight(lblAddStringPreview_->sizeHint().height() + 8);
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    lblAddStringPreview_->setFont(fixed);
    lblAddStringPreview_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    cmdAdd_ = named(new QPushButton(QStringLiteral("Add"), this), "cmdAdd");
    cmdAdd_->setDefault(true);
    cmdEdit_ = named(new QPushButton(QStringLiteral("Edit"), this), "cmdEdit");

    auto *grid = new QGridLayout;
    grid->addWidget(lblfieldlevel_, 0, 0);
    grid->addWidget(lblfieldname_, 0, 1);
    grid->addWidget(lblpicture_, 0, 2);
    grid->addWidget(txtFieldLevel_, 1, 0);
    grid->addWidget(txtFieldName_, 1, 1);
    grid->addWidget(cboFieldType_, 1, 2);
    grid->addWidget(recordSizeStack_, 1, 3);
    grid->setColumnStretch(1, 3);
    grid->setColumnStretch(2, 2);
    grid->setColumnStretch(3, 2);

    auto *middle = new QHBoxLayout;
    middle->addWidget(fraFieldType_);
    middle->addWidget(fraRecordSize_);
    middle->addWidget(picOccurs_);
    middle->addWidget(frafieldvalue_, 1);

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(lblAddStringPreview_, 1);
    bottom->addWidget(cmdAdd_);
    bottom->addWidget(cmdEdit_);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(grid);
    layout->addLayout(middle);
    layout->addLayout(bottom);

    setTabOrder(txtFieldLevel_, txtFieldName_);
    setTabOrder(txtFieldName_, cboFieldType_);
    setTabOrder(cboFieldType_, txtFieldLength_);
    setTabOrder(txtFieldLength_, txtFieldFromPos_);
    setTabOrder(txtFieldFromPos_, txtFieldToPos_);
    setTabOrder(txtFieldToPos_, txtFieldOccurs_);
    setTabOrder(txtFieldOccurs_, cboOccursKey_);
    setTabOrder(cboOccursKey_, txtOccursKeyDataName_);
    setTabOrder(txtOccursKeyDataName_, txtOccursIndexName_);
    setTabOrder(txtOccursIndexName_, cboFieldValue_);
    setTabOrder(cboFieldValue_, cmdAdd_);
}

} // namespace orvane
