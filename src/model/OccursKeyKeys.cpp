#include "model/OccursKeyKeys.h"

namespace orvane
{

OccursKeyAction OccursKeyActionFor(int key, Qt::KeyboardModifiers modifiers, bool typesText)
{
    const bool shortcut = modifiers & (Qt::ControlModifier | Qt::AltModifier);
    switch (key) {
    case Qt::Key_A:
    case Qt::Key_D:
        if (shortcut)
            return OccursKeyAction::PassOn;
        return key == Qt::Key_A ? OccursKeyAction::Ascending : OccursKeyAction::Descending;
    case Qt::Key_Escape:
        return OccursKeyAction::Reset;
    case Qt::Key_Left:
        return OccursKeyAction::MovePrevious;
    case Qt::Key_Right:
        return OccursKeyAction::MoveNext;
    case Qt::Key_Backspace:
        return OccursKeyAction::LeaveAndDropPhrase;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_F4:
        return OccursKeyAction::PassOn;
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        // Not a way to step through the kinds.
        return OccursKeyAction::DropPhrase;
    case Qt::Key_Delete:
        return OccursKeyAction::DropPhrase;
    default:
        // Shortcuts such as paste reach the box, whose text is read-only.
        return shortcut || !typesText ? OccursKeyAction::PassOn : OccursKeyAction::DropPhrase;
    }
}

} // namespace orvane
