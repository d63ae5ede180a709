#pragma once

#include <QObject>

class QAction;
class QMenu;

namespace orvane
{

class frmQEL;

// The compiler's positions in the window: Edit ▸ Set Positions From Storage, the storage
// panel of the status bar, and the layout check of the Code View, which holds the tags to the
// storage once the user asked for exact positions.
class PositionCommands : public QObject
{
    Q_OBJECT
public:
    // Adds its entry to the Edit menu and wires the panels of the window.
    PositionCommands(frmQEL &window, QMenu *edit);

    QAction *setPositionsFromStorage() const { return action_; }
    // Rewrites every tag from the storage map, as one step that undo takes back.
    void setPositionsFromStorage_Click();
    bool exactPositions() const { return exact_; }
    // A new layout (New, Open): no exact positions asked for, no status of a field, and the
    // expand button offers expanding.
    void layoutReset();

private:
    frmQEL &window_;
    QAction *action_ = nullptr;
    bool exact_ = false;
};

} // namespace orvane
