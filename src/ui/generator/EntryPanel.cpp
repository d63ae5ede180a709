#include "ui/generator/EntryPanel.h"

#include "model/CharacterRules.h"
#include "model/FieldSizing.h"
#include "model/NumberText.h"
#include "model/PanelTexts.h"
#include "model/Twips.h"
#include "platform/Platform.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStackedWidget>

namespace orvane
{

namespace
{

int twipsY(const QWidget *w, int twips)
{
    return TwipsToPixels(twips, w->logicalDpiY());
}

void setTextColour(QLineEdit *box, bool red)
{
    QPalette palette = box->palette();
    palette.setColor(QPalette::Text, red ? QColor(255, 0, 0) : QColor(0, 0, 0));
    box->setPalette(palette);
}

} // namespace

EntryPanel::EntryPanel(MessageBoxes &messages, QWidget *parent)
    : QWidget(parent), messages_(messages)
{
    setObjectName(QStringLiteral("entryPanel"));
    buildControls();

    connect(txtFieldLevel_, &QLineEdit::textChanged, this, &EntryPanel::levelChanged);
    connect(txtFieldName_, &QLineEdit::textChanged, this, &EntryPanel::nameChanged);
    connect(cboFieldType_, &QComboBox::editTextChanged, this, &EntryPanel::fieldTypeChanged);
    connect(txtFieldLength_, &QLineEdit::textChanged, this, &EntryPanel::lengthChanged);
    connect(txtFieldFromPos_, &QLineEdit::textChanged, this,
            [this] { positionChanged(txtFieldFromPos_); });
    connect(txtFieldToPos_, &QLineEdit::textChanged, this,
            [this] { positionChanged(txtFieldToPos_); });
    connect(txtFieldOccurs_, &QLineEdit::textChanged, this, &EntryPanel::occursChanged);
    connect(cboOccursKey_, &QComboBox::editTextChanged, this, &EntryPanel::occursKeyChanged);
    connect(txtOccursKeyDataName_, &QLineEdit::textChanged, this, &EntryPanel::keyDataNameChanged);
    connect(txtOccursIndexName_, &QLineEdit::textChanged, this, &EntryPanel::indexNameChanged);
    connect(cboFieldValue_, &QComboBox::editTextChanged, this, &EntryPanel::valueChanged);
    // A figurative constant from the list is never quoted. The box changes its text before it
    // reports the choice, so the choice is noticed on the list's own mouse release or Enter.
    cboFieldValue_->view()->viewport()->installEventFilter(this);
    // Enter in an open list chooses the entry; it must not reach the window's Enter as well.
    for (QComboBox *combo : {cboFieldType_, cboOccursKey_, cboFieldValue_})
        combo->view()->installEventFilter(this);
    connect(cboFieldValue_, &QComboBox::activated, this, [this] {
        choosingFigurative_ = false;
        chkTreatAsString_->setChecked(false);
    });
    connect(chkvalues_, &QCheckBox::toggled, this, &EntryPanel::valuesToggled);
    connect(chkTreatAsString_, &QCheckBox::toggled, this, &EntryPanel::refreshPreview);
    connect(optFieldTypeInput_, &QRadioButton::toggled, this, &EntryPanel::refreshPreview);
    connect(optRecordSizeByLength_, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            recordSizeByLength();
    });
    connect(OptRecordSizeByPos_, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            recordSizeByPos();
    });
    connect(cmdAdd_, &QPushButton::clicked, this, &EntryPanel::addClicked);
    connect(cmdEdit_, &QPushButton::clicked, this, &EntryPanel::editClicked);

    // Clicking an array label puts the focus into its box.
    for (QLabel *l : {lblFieldOccurs_, lblFieldOccursTimes_, lblOccursIndexedBy_})
        l->installEventFilter(this);
    for (QWidget *w : std::initializer_list<QWidget *>{
             txtFieldLevel_, txtFieldName_, cboFieldType_, txtFieldLength_, txtFieldFromPos_,
             txtFieldToPos_, txtFieldOccurs_, cboOccursKey_, txtOccursKeyDataName_,
             txtOccursIndexName_, cboFieldValue_}) {
        w->installEventFilter(this);
        if (auto *combo = qobject_cast<QComboBox *>(w))
            combo->lineEdit()->installEventFilter(this);
    }
}

void EntryPanel::FillEntryLists()
{
    txtFieldLevel_->setText(QStringLiteral("01"));
    occursChanged();
    {
        // Filling a list must not put its first entry into the box.
        const QSignalBlocker block(cboFieldType_);
        cboFieldType_->addItems({QStringLiteral("Alpha (A)"), QStringLiteral("AlphaNum (X)"),
                                 QStringLiteral("Numeric (9)")});
        cboFieldType_->setCurrentIndex(-1);
        cboFieldType_->setEditText(QString());
    }
    {
        const QSignalBlocker block(cboOccursKey_);
        cboOccursKey_->addItems({QStringLiteral("AKey"), QStringLiteral("DKey")});
        cboOccursKey_->setCurrentIndex(-1);
        cboOccursKey_->setEditText(QStringLiteral("Key"));
    }
    occursKeyChanged();
    chkTreatAsString_->setChecked(true);
    {
        const QSignalBlocker block(cboFieldValue_);
        cboFieldValue_->addItems({QStringLiteral("Zeroes"), QStringLiteral("Spaces"),
                                  QStringLiteral("Zero"), QStringLiteral("Space")});
        cboFieldValue_->setCurrentIndex(-1);
        cboFieldValue_->setEditText(QString());
    }
    optFieldTypeInput_->setChecked(true);
    refreshPreview();
}

void EntryPanel::resetControls()
{
    txtFieldLevel_->setText(QStringLiteral("01"));
    cboOccursKey_->setEditText(QStringLiteral("Key"));
    txtFieldName_->clear();
    cboFieldType_->setEditText(QString());
    txtFieldLength_->clear();
    txtFieldFromPos_->clear();
    txtFieldToPos_->clear();
    txtFieldOccurs_->clear();
    txtOccursKeyDataName_->clear();
    txtOccursIndexName_->clear();
    cboFieldValue_->setEditText(QString());
}

QString EntryPanel::previewText() const
{
    return lblAddStringPreview_->text();
}

bool EntryPanel::byPositions() const
{
    return OptRecordSizeByPos_->isChecked();
}

void EntryPanel::setRecordSizeByPositions(bool byPositions)
{
    (byPositions ? OptRecordSizeByPos_ : optRecordSizeByLength_)->setChecked(true);
}

NewFieldPositions EntryPanel::positions() const
{
    return NewFieldPositions{byPositions(), txtFieldFromPos_->text(), txtFieldToPos_->text(),
                             txtFieldLength_->text()};
}

FillerEntry EntryPanel::fillerEntry() const
{
    return FillerEntry{chkvalues_->isChecked(), cboFieldType_->currentText(),
                       chkTreatAsString_->isChecked(), cboFieldValue_->currentText()};
}

void EntryPanel::prepareNextField()
{
    const QString from = NextFromPosition(txtFieldFromPos_->text(), txtFieldToPos_->text());
    if (!from.isNull())
        txtFieldFromPos_->setText(from);
    txtFieldToPos_->clear();
}

void EntryPanel::focusLevel()
{
    txtFieldLevel_->setFocus(Qt::OtherFocusReason);
    txtFieldLevel_->selectAll();
}

bool EntryPanel::isEntryControl(const QWidget *widget) const
{
    for (const QWidget *c : std::initializer_list<const QWidget *>{
             txtFieldLevel_, txtFieldName_, cboFieldType_, txtFieldLength_, txtFieldFromPos_,
             txtFieldToPos_, txtFieldOccurs_, cboOccursKey_, txtOccursKeyDataName_,
             txtOccursIndexName_, cboFieldValue_})
        if (widget == c ||
            (widget && widget->parentWidget() == c && qobject_cast<const QComboBox *>(c)))
            return true;
    return false;
}

void EntryPanel::CheckFieldText(QLineEdit *box, const QString &forbidden, bool isName)
{
    if (!colouringActive_)
        return;
    setTextColour(box, FieldTextIsInvalid(box->text(), forbidden, isName));
}

void EntryPanel::UpdateLengthFromPositions()
{
    const QString length = LengthFromPositions(txtFieldFromPos_->text(), txtFieldToPos_->text());
    if (!length.isNull())
        txtFieldLength_->setText(length);
}

QString EntryPanel::trimPictureBox()
{
    const QString picture = cboFieldType_->currentText();
    const QString trimmed = trimBlanks(picture);
    if (trimmed != picture) {
        const QSignalBlocker block(cboFieldType_);
        cboFieldType_->setEditText(trimmed);
    }
    return trimmed;
}

QString EntryPanel::buildClause()
{
    const QString trimmed = trimPictureBox();
    FieldEntry e;
    e.level = txtFieldLevel_->text();
    e.name = txtFieldName_->text();
    e.pictureText = trimmed;
    e.length = txtFieldLength_->text();
    e.occurs = txtFieldOccurs_->text();
    e.keyKindText = occursKeyKind_;
    e.keyDataName = txtOccursKeyDataName_->text();
    e.indexName = txtOccursIndexName_->text();
    e.value = cboFieldValue_->currentText();
    e.multipleValues = chkvalues_->isChecked();
    e.treatAsString = chkTreatAsString_->isChecked();
    e.inputField = optFieldTypeInput_->isChecked();
    return BuildFieldClause(e);
}

void EntryPanel::refreshPreview()
{
    const QString clause = buildClause();
    if (clause == lblAddStringPreview_->text())
        return;
    lblAddStringPreview_->setText(clause);
    // The line cuts a long clause off; its tooltip shows it whole, wrapped, never as markup.
    lblAddStringPreview_->setToolTip(
        clause.isEmpty() ? QString()
                         : QStringLiteral("<p>") + clause.toHtmlEscaped() + QStringLiteral("</p>"));
    if (clause.size() > MaxClauseLength)
        messages_.show(ClauseTooLongText(), QStringLiteral("Warning"), MessageButtons::Ok,
                       MessageIcon::Critical);
}

void EntryPanel::levelChanged()
{
    CheckFieldText(txtFieldLevel_, QStringLiteral("-"), false);
    refreshPreview();
}

void EntryPanel::nameChanged()
{
    CheckFieldText(txtFieldName_, QString(), true);
    refreshPreview();
}

void EntryPanel::fieldTypeChanged()
{
    const QString picture = trimPictureBox();
    const bool singleString = chkTreatAsString_->isChecked() &&
                              !cboFieldValue_->currentText().isEmpty() && !chkvalues_->isChecked();
    // An output field is as long as its edit picture.
    if (!optFieldTypeInput_->isChecked() && !singleString) {
        if (byPositions())
            txtFieldToPos_->setText(
                OutputToPositionFor(txtFieldFromPos_->text(), int(picture.size())));
        else
            txtFieldLength_->setText(OutputLengthForPicture(picture));
    }
    refreshPreview();
}

void EntryPanel::lengthChanged()
{
    CheckFieldText(txtFieldLength_, QStringLiteral("-"), false);
    refreshPreview();
}

void EntryPanel::positionChanged(QLineEdit *box)
{
    CheckFieldText(box, QStringLiteral("-"), false);
    UpdateLengthFromPositions();
}

void EntryPanel::occursChanged()
{
    CheckFieldText(txtFieldOccurs_, QStringLiteral("-"), false);
    updateArrayControls();
    refreshPreview();
}

void EntryPanel::updateArrayControls()
{
    const bool array = readNumber(txtFieldOccurs_->text()) > 0;
    lblFieldOccurs_->setEnabled(array);
    lblFieldOccursTimes_->setEnabled(array);
    const int y = array ? 0 : twipsY(this, 800);
    for (QWidget *w :
         std::initializer_list<QWidget *>{lblFieldOccurs_, txtFieldOccurs_, lblFieldOccursTimes_})
        w->move(w->x(), y);
    if (!array)
        txtFieldOccurs_->clear();
    for (QWidget *w : std::initializer_list<QWidget *>{cboOccursKey_, txtOccursKeyDataName_,
                                                       lblOccursIndexedBy_, txtOccursIndexName_})
        w->setVisible(array);
}

void EntryPanel::occursKeyChanged()
{
    occursKeyKind_ = cboOccursKey_->currentText();
    // Without a key phrase the data-name box looks disabled.
    QPalette palette = txtOccursKeyDataName_->palette();
    palette.setColor(QPalette::Base, keyPhraseFor(occursKeyKind_).isEmpty()
                                         ? this->palette().color(QPalette::Window)
                                         : txtFieldOccurs_->palette().color(QPalette::Base));
    txtOccursKeyDataName_->setPalette(palette);
    refreshPreview();
}

void EntryPanel::keyDataNameChanged()
{
    CheckFieldText(txtOccursKeyDataName_, QString(), true);
    refreshPreview();
}

void EntryPanel::indexNameChanged()
{
    CheckFieldText(txtOccursIndexName_, QString(), true);
    refreshPreview();
}

void EntryPanel::putFigurativeValue(const QString &text)
{
    choosingFigurative_ = true;
    cboFieldValue_->setEditText(text);
    choosingFigurative_ = false;
    chkTreatAsString_->setChecked(false);
}

void EntryPanel::markFigurativeChoice()
{
    // The list emits the choice right after this event; should it not, the flag must not
    // outlive the event.
    choosingFigurative_ = true;
    QMetaObject::invokeMethod(
        this, [this] { choosingFigurative_ = false; }, Qt::QueuedConnection);
}

void EntryPanel::valueChanged()
{
    const QString value = cboFieldValue_->currentText();
    chkvalues_->setChecked(value.contains(QLatin1Char('"')));
    // Leaving a quoted value checks treat as string again; a figurative constant clears it
    // before the field is sized to a string it is not.
    if (choosingFigurative_)
        chkTreatAsString_->setChecked(false);
    // An output field holding one quoted string is sized to that string.
    if (SizesOutputFieldToValue(optFieldTypeInput_->isChecked(), chkTreatAsString_->isChecked(),
                                chkvalues_->isChecked(), value, cboFieldType_->currentText())) {
        txtFieldToPos_->setText(OutputToPositionFor(txtFieldFromPos_->text(), int(value.size())));
        cboFieldType_->setEditText(
            OutputPictureForLength(cboFieldType_->currentText(), txtFieldLength_->text()));
    }
    refreshPreview();
}

void EntryPanel::valuesToggled(bool checked)
{
    chkTreatAsString_->setChecked(!checked);
    chkTreatAsString_->setEnabled(chkTreatAsString_->isChecked());
    refreshPreview();
}

void EntryPanel::recordSizeByLength()
{
    recordSizeStack_->setCurrentWidget(picFieldByLength_);
    lblfrompos_->hide();
    lbltopos_->hide();
    if (picFieldByLength_->isVisible())
        txtFieldLength_->setFocus(Qt::OtherFocusReason);
}

void EntryPanel::recordSizeByPos()
{
    recordSizeStack_->setCurrentWidget(picFieldByPos_);
    lblfrompos_->show();
    lbltopos_->show();
    txtFieldLength_->clear();
    positionChanged(txtFieldFromPos_);
    if (picFieldByPos_->isVisible())
        txtFieldFromPos_->setFocus(Qt::OtherFocusReason);
}

} // namespace orvane
