// The entry panel's keys, mouse and focus: arrow-key movement between the boxes, the key
// kind's own keys and the drop-down lists; the field's text rules are in EntryPanel.cpp.
#include "ui/generator/EntryPanel.h"

#include "model/NumberText.h"
#include "model/OccursKeyKeys.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>

namespace orvane
{

QLineEdit *EntryPanel::lineEditOf(QObject *control) const
{
    if (auto *edit = qobject_cast<QLineEdit *>(control))
        return edit;
    if (auto *combo = qobject_cast<QComboBox *>(control))
        return combo->lineEdit();
    return nullptr;
}

EntryControl EntryPanel::controlId(QObject *watched) const
{
    for (int c = int(EntryControl::Level); c <= int(EntryControl::FieldValue); ++c) {
        QWidget *w = widgetFor(EntryControl(c));
        if (watched == w ||
            (qobject_cast<QComboBox *>(w) && watched == static_cast<QComboBox *>(w)->lineEdit()))
            return EntryControl(c);
    }
    return EntryControl::Stay;
}

QWidget *EntryPanel::widgetFor(EntryControl control) const
{
    switch (control) {
    case EntryControl::Level:
        return txtFieldLevel_;
    case EntryControl::Name:
        return txtFieldName_;
    case EntryControl::FieldType:
        return cboFieldType_;
    case EntryControl::Length:
        return txtFieldLength_;
    case EntryControl::FromPos:
        return txtFieldFromPos_;
    case EntryControl::ToPos:
        return txtFieldToPos_;
    case EntryControl::Occurs:
        return txtFieldOccurs_;
    case EntryControl::OccursKey:
        return cboOccursKey_;
    case EntryControl::KeyDataName:
        return txtOccursKeyDataName_;
    case EntryControl::IndexName:
        return txtOccursIndexName_;
    case EntryControl::FieldValue:
        return cboFieldValue_;
    case EntryControl::Add:
        return cmdAdd_;
    case EntryControl::Stay:
        break;
    }
    return nullptr;
}

void EntryPanel::moveFocus(EntryControl control)
{
    if (QWidget *w = widgetFor(control))
        w->setFocus(Qt::OtherFocusReason);
}

bool EntryPanel::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonRelease:
        if (watched == cboFieldValue_->view()->viewport() &&
            cboFieldValue_->view()
                ->indexAt(static_cast<QMouseEvent *>(event)->position().toPoint())
                .isValid())
            markFigurativeChoice();
        break;
    case QEvent::Wheel:
        // The key kind changes only by its keys.
        if (watched == cboOccursKey_ || watched == cboOccursKey_->lineEdit())
            return true;
        break;
    case QEvent::MouseButtonPress:
        if (watched == lblFieldOccurs_ || watched == lblFieldOccursTimes_) {
            txtFieldOccurs_->setFocus(Qt::MouseFocusReason);
            return true;
        }
        if (watched == lblOccursIndexedBy_) {
            txtOccursIndexName_->setFocus(Qt::MouseFocusReason);
            return true;
        }
        break;
    case QEvent::FocusIn: {
        const EntryControl id = controlId(watched);
        if (id == EntryControl::Stay || watched != widgetFor(id))
            break;
        if (id == EntryControl::Occurs)
            updateArrayControls();
        if (id != EntryControl::FieldValue) {
            // After the box has handled the focus itself, which may place the caret.
            QLineEdit *edit = lineEditOf(watched);
            QMetaObject::invokeMethod(edit, &QLineEdit::selectAll, Qt::QueuedConnection);
            edit->selectAll();
        }
        break;
    }
    case QEvent::FocusOut:
        if (watched == txtFieldOccurs_) {
            const double count = readNumber(txtFieldOccurs_->text());
            txtFieldOccurs_->setText(count > 0 ? numberText(count) : QString());
        } else if (watched == txtOccursKeyDataName_ &&
                   trimBlanks(txtOccursKeyDataName_->text()).isEmpty()) {
            cboOccursKey_->setEditText(QStringLiteral("Key"));
            occursKeyChanged();
        }
        break;
    case QEvent::ShortcutOverride:
    case QEvent::KeyPress: {
        auto *key = static_cast<QKeyEvent *>(event);
        if (watched != cboFieldType_->view() && watched != cboOccursKey_->view() &&
            watched != cboFieldValue_->view())
            return event->type() == QEvent::KeyPress && handleKey(watched, key);
        // An open list takes Enter as a shortcut override and chooses there, before any key
        // press. Accepted, the override keeps the window's Enter (which adds) from firing too.
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (enter && event->type() == QEvent::ShortcutOverride)
            event->accept();
        const bool chooses = enter || key->key() == Qt::Key_F4 ||
                             (key->key() == Qt::Key_Down && (key->modifiers() & Qt::AltModifier));
        if (watched == cboFieldValue_->view() && chooses &&
            cboFieldValue_->view()->currentIndex().isValid())
            markFigurativeChoice();
        break;
    }
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

bool EntryPanel::handleKey(QObject *watched, QKeyEvent *key)
{
    const EntryControl id = controlId(watched);
    if (id == EntryControl::Stay)
        return false;
    const Qt::KeyboardModifiers mods =
        key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier);
    if (id == EntryControl::OccursKey)
        return handleOccursKeyKey(key);
    if (id == EntryControl::FieldValue && mods == Qt::AltModifier &&
        (key->key() == Qt::Key_Z || key->key() == Qt::Key_S)) {
        putFigurativeValue(cboFieldValue_->itemText(key->key() == Qt::Key_Z ? 0 : 1));
        return true;
    }
    if (mods != Qt::NoModifier)
        return false;
    EntryKey which;
    switch (key->key()) {
    case Qt::Key_Right:
        which = EntryKey::Right;
        break;
    case Qt::Key_Left:
        which = EntryKey::Left;
        break;
    case Qt::Key_Backspace:
        which = EntryKey::Backspace;
        break;
    default:
        return false;
    }
    QLineEdit *edit = lineEditOf(widgetFor(id));
    const EntryMoveState state{byPositions(), readNumber(txtFieldOccurs_->text()),
                               !txtOccursIndexName_->isHidden()};
    switch (EntryKeyActionFor(which, edit->cursorPosition(), edit->selectionStart(),
                              int(edit->selectedText().size()), int(edit->text().size()))) {
    case EntryKeyAction::MoveNext:
        moveFocus(NextEntryControl(id, state));
        return true;
    case EntryKeyAction::MovePrevious:
        moveFocus(PreviousEntryControl(id, state));
        return true;
    case EntryKeyAction::CollapseSelection:
        edit->setCursorPosition(edit->selectionStart());
        return true;
    case EntryKeyAction::None:
        break;
    }
    return false;
}

bool EntryPanel::handleOccursKeyKey(QKeyEvent *key)
{
    const EntryMoveState state{byPositions(), readNumber(txtFieldOccurs_->text()),
                               !txtOccursIndexName_->isHidden()};
    const OccursKeyAction action =
        OccursKeyActionFor(key->key(), key->modifiers(), !key->text().isEmpty());
    switch (action) {
    case OccursKeyAction::PassOn:
        return false;
    case OccursKeyAction::Ascending:
    case OccursKeyAction::Descending:
        cboOccursKey_->setEditText(
            cboOccursKey_->itemText(action == OccursKeyAction::Ascending ? 0 : 1));
        cboOccursKey_->lineEdit()->selectAll();
        return true;
    case OccursKeyAction::Reset:
        cboOccursKey_->setEditText(QStringLiteral("Key"));
        return true;
    case OccursKeyAction::MovePrevious:
        moveFocus(PreviousEntryControl(EntryControl::OccursKey, state));
        return true;
    case OccursKeyAction::MoveNext:
        moveFocus(NextEntryControl(EntryControl::OccursKey, state));
        return true;
    case OccursKeyAction::LeaveAndDropPhrase:
        moveFocus(PreviousEntryControl(EntryControl::OccursKey, state));
        occursKeyKind_ = QStringLiteral("Key");
        return true;
    case OccursKeyAction::DropPhrase:
        occursKeyKind_ = QStringLiteral("Key");
        return true;
    }
    return false;
}

} // namespace orvane
