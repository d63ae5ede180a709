#include "model/OccursKeyKeys.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace orvane;

TEST(OccursKeyKeys, OnlyAAndDChooseAndOtherTypingDropsThePhrase)
{
    using A = OccursKeyAction;
    const Qt::KeyboardModifiers none = Qt::NoModifier, shift = Qt::ShiftModifier;
    const std::tuple<int, Qt::KeyboardModifiers, bool, OccursKeyAction> cases[] = {
        {Qt::Key_A, none, true, A::Ascending},
        {Qt::Key_D, shift, true, A::Descending},
        {Qt::Key_D, Qt::ControlModifier, true, A::PassOn},
        {Qt::Key_A, Qt::AltModifier, true, A::PassOn},
        {Qt::Key_Escape, none, true, A::Reset},
        {Qt::Key_Left, none, false, A::MovePrevious},
        {Qt::Key_Right, none, false, A::MoveNext},
        {Qt::Key_Backspace, none, true, A::LeaveAndDropPhrase},
        {Qt::Key_Tab, none, true, A::PassOn},
        {Qt::Key_Backtab, shift, false, A::PassOn},
        {Qt::Key_F4, none, false, A::PassOn},
        {Qt::Key_Up, none, false, A::DropPhrase},
        {Qt::Key_Down, none, false, A::DropPhrase},
        {Qt::Key_PageUp, none, false, A::DropPhrase},
        {Qt::Key_PageDown, none, false, A::DropPhrase},
        {Qt::Key_Delete, Qt::ControlModifier, true, A::DropPhrase},
        {Qt::Key_X, shift, true, A::DropPhrase},
        {Qt::Key_V, Qt::ControlModifier, true, A::PassOn}, // paste: the box is read-only
        {Qt::Key_Insert, shift, false, A::PassOn},
    };
    for (const auto &[key, modifiers, typesText, action] : cases)
        EXPECT_EQ(OccursKeyActionFor(key, modifiers, typesText), action)
            << std::hex << key << ' ' << modifiers.toInt();
}
