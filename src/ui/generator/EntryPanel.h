#pragma once

#include "model/EntryNavigation.h"
#include "model/FieldClause.h"
#include "model/Fillers.h"
#include "model/Positions.h"

#include <QWidget>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;

namespace orvane
{

class MessageBoxes;

// The controls in which one field is described before it is added. Every change rebuilds the
// clause text and shows it in `lblAddStringPreview`.
class EntryPanel : public QWidget
{
    Q_OBJECT
public:
    explicit EntryPanel(MessageBoxes &messages, QWidget *parent = nullptr);

    // Start values and the lists of the drop-down boxes.
    void FillEntryLists();
    // Back to the start values (a new project).
    void resetControls();
    // Colouring stays off until the start-up timer has fired.
    void startColouring() { colouringActive_ = true; }

    QString previewText() const;
    bool byPositions() const;
    void setRecordSizeByPositions(bool byPositions);
    NewFieldPositions positions() const;
    // The picture and value that FILLER items are made with.
    FillerEntry fillerEntry() const;
    // After an add: the From box moves behind the field just added and To is emptied.
    void prepareNextField();
    // Focus into the level box with its whole text selected.
    void focusLevel();
    // True for the boxes that count as the active control while they have the focus.
    bool isEntryControl(const QWidget *widget) const;

    QPushButton *cmdAdd() const { return cmdAdd_; }
    QPushButton *cmdEdit() const { return cmdEdit_; }
    QLineEdit *txtFieldName() const { return txtFieldName_; }

signals:
    void addClicked();
    void editClicked();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    // Keys, mouse and focus (EntryPanelKeys.cpp).
    QLineEdit *lineEditOf(QObject *control) const;
    EntryControl controlId(QObject *watched) const;
    QWidget *widgetFor(EntryControl control) const;
    void moveFocus(EntryControl control);
    bool handleKey(QObject *watched, QKeyEvent *key);
    bool handleOccursKeyKey(QKeyEvent *key);

    // What each box's change does to the others and to the clause (EntryPanel.cpp).
    void CheckFieldText(QLineEdit *box, const QString &forbidden, bool isName);
    void UpdateLengthFromPositions();
    void refreshPreview();
    QString buildClause();
    // The picture box loses blanks at either end at once; returns its trimmed text.
    QString trimPictureBox();

    void levelChanged();
    void nameChanged();
    void fieldTypeChanged();
    void lengthChanged();
    void positionChanged(QLineEdit *box);
    void occursChanged();
    void updateArrayControls();
    void occursKeyChanged();
    void keyDataNameChanged();
    void indexNameChanged();
    void valueChanged();
    void putFigurativeValue(const QString &text);
    void markFigurativeChoice();
    void valuesToggled(bool checked);
    void recordSizeByLength();
    void recordSizeByPos();

    MessageBoxes &messages_;
    bool colouringActive_ = false;
    // Set while a figurative constant from the list or its keys goes into the value box.
    bool choosingFigurative_ = false;
    // The kind whose key phrase the clause carries (the tag of the key-kind box). A key that
    // the box swallows clears it while the box still shows its text.
    QString occursKeyKind_ = QStringLiteral("Key");

    QLabel *lblfieldlevel_ = nullptr;
    QLineEdit *txtFieldLevel_ = nullptr;
    QLabel *lblfieldname_ = nullptr;
    QLineEdit *txtFieldName_ = nullptr;
    QLabel *lblpicture_ = nullptr;
    QComboBox *cboFieldType_ = nullptr;
    QStackedWidget *recordSizeStack_ = nullptr;
    QWidget *picFieldByLength_ = nullptr;
    QWidget *picFieldByPos_ = nullptr;
    QLabel *lbllength_ = nullptr;
    QLineEdit *txtFieldLength_ = nullptr;
    QLabel *lblfrompos_ = nullptr;
    QLabel *lbltopos_ = nullptr;
    QLineEdit *txtFieldFromPos_ = nullptr;
    QLineEdit *txtFieldToPos_ = nullptr;
    QWidget *picOccurs_ = nullptr;
    QLabel *lblFieldOccurs_ = nullptr;
    QLineEdit *txtFieldOccurs_ = nullptr;
    QLabel *lblFieldOccursTimes_ = nullptr;
    QComboBox *cboOccursKey_ = nullptr;
    QLineEdit *txtOccursKeyDataName_ = nullptr;
    QLabel *lblOccursIndexedBy_ = nullptr;
    QLineEdit *txtOccursIndexName_ = nullptr;
    QGroupBox *frafieldvalue_ = nullptr;
    QLabel *lblfieldvalue_ = nullptr;
    QCheckBox *chkvalues_ = nullptr;
    QComboBox *cboFieldValue_ = nullptr;
    QCheckBox *chkTreatAsString_ = nullptr;
    QGroupBox *fraFieldType_ = nullptr;
    QRadioButton *optFieldTypeInput_ = nullptr;
    QRadioButton *optFieldTypeOutput_ = nullptr;
    QGroupBox *fraRecordSize_ = nullptr;
    QRadioButton *optRecordSizeByLength_ = nullptr;
    QRadioButton *OptRecordSizeByPos_ = nullptr;
    QLabel *lblAddStringPreview_ = nullptr;
    QPushButton *cmdAdd_ = nullptr;
    QPushButton *cmdEdit_ = nullptr;
};

} // namespace orvane
