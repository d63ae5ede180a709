#include "model/CharacterRules.h"
#include "model/EntryNavigation.h"
#include "model/FieldSizing.h"
#include "model/OccursKeyKeys.h"
#include "model/PanelTexts.h"
#include "model/TreeClicks.h"
#include "model/Twips.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace orvane;

TEST(SpecialChars, HoldsEveryCodeButLettersDigitsAndHyphenInAscendingOrder)
{
    const QStringList &special = SpecialChars();
    EXPECT_EQ(special.size(), 256 - 52 - 10 - 1);
    EXPECT_GE(BinarySearch(special, QString(QChar(0xA0))), 0);
    for (const char *absent : {"-", "a", "7"})
        EXPECT_EQ(BinarySearch(special, QString::fromLatin1(absent)), -1) << absent;
    EXPECT_EQ(LetterChars().size(), 52);
    // The search finds both ends, tells the cases apart and finds nothing in nothing.
    EXPECT_EQ(BinarySearch(special, special.front()), 0);
    EXPECT_EQ(BinarySearch(special, special.back()), special.size() - 1);
    EXPECT_EQ(BinarySearch(LetterChars(), QStringLiteral("a")), 26);
    EXPECT_EQ(BinarySearch({}, QStringLiteral("A")), -1);
}

TEST(BubbleSort, SortsAndReportsWhetherAnythingMoved)
{
    QStringList list{QStringLiteral("c"), QStringLiteral("a"), QStringLiteral("b")};
    EXPECT_TRUE(BubbleSort(list));
    EXPECT_EQ(list, (QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}));
    EXPECT_FALSE(BubbleSort(list));
    QStringList equal{QStringLiteral("a"), QStringLiteral("a")}; // equal neighbours stay put
    EXPECT_FALSE(BubbleSort(equal));
}

TEST(FieldTextColour, NamesWantALetterFirstAndNumberBoxesDigitsOnly)
{
    const struct {
        QString text;
        bool isName;
        bool invalid;
    } cases[] = {
        {"A-1", true, false}, {"1A", true, true},       {"-A", true, true},   {"A B", true, true},
        {"", true, true},     {"A\u20ACB", true, true}, {"12", false, false}, {"", false, false},
        {"-5", false, true},  {"1.5", false, true},     {"5a", false, true},  {"A", false, true},
    };
    for (const auto &c : cases)
        EXPECT_EQ(FieldTextIsInvalid(c.text, c.isName ? QString() : QStringLiteral("-"), c.isName),
                  c.invalid)
            << c.text.toStdString() << c.isName;
    // The first code counts too.
    EXPECT_TRUE(FieldTextIsInvalid(QStringLiteral("5") + QChar(0), QStringLiteral("-"), false));
}

TEST(EntryMovement, FollowsTheTableAndSkipsUnusedControls)
{
    const EntryMoveState byLength{false, 0, false};
    const EntryMoveState byPosArray{true, 1, true}; // OCCURS 1 is an array too
    EXPECT_EQ(NextEntryControl(EntryControl::Level, byLength), EntryControl::Name);
    EXPECT_EQ(PreviousEntryControl(EntryControl::Level, byLength), EntryControl::Stay);
    EXPECT_EQ(NextEntryControl(EntryControl::FieldType, byLength), EntryControl::Length);
    EXPECT_EQ(NextEntryControl(EntryControl::FieldType, byPosArray), EntryControl::FromPos);
    EXPECT_EQ(NextEntryControl(EntryControl::Occurs, byLength), EntryControl::FieldValue);
    EXPECT_EQ(NextEntryControl(EntryControl::Occurs, byPosArray), EntryControl::OccursKey);
    EXPECT_EQ(PreviousEntryControl(EntryControl::Occurs, byLength), EntryControl::Length);
    EXPECT_EQ(PreviousEntryControl(EntryControl::Occurs, byPosArray), EntryControl::ToPos);
    EXPECT_EQ(PreviousEntryControl(EntryControl::FromPos, byPosArray), EntryControl::FieldType);
    EXPECT_EQ(PreviousEntryControl(EntryControl::FieldValue, byLength), EntryControl::Occurs);
    EXPECT_EQ(PreviousEntryControl(EntryControl::FieldValue, byPosArray), EntryControl::IndexName);
    EXPECT_EQ(NextEntryControl(EntryControl::FieldValue, byLength), EntryControl::Add);
}

TEST(EntryMovement, KeysMoveOnlyAtTheEndsAndASelectionCollapsesFirst)
{
    // Right at the end of "ab", or with all of it selected (the selection starts at 0).
    EXPECT_EQ(EntryKeyActionFor(EntryKey::Right, 2, -1, 0, 2), EntryKeyAction::MoveNext);
    EXPECT_EQ(EntryKeyActionFor(EntryKey::Right, 1, -1, 0, 2), EntryKeyAction::None);
    EXPECT_EQ(EntryKeyActionFor(EntryKey::Right, 2, 0, 2, 2), EntryKeyAction::None);
    EXPECT_EQ(EntryKeyActionFor(EntryKey::Left, 0, -1, 0, 2), EntryKeyAction::MovePrevious);
    EXPECT_EQ(EntryKeyActionFor(EntryKey::Backspace, 0, -1, 0, 2), EntryKeyAction::MovePrevious);
    EXPECT_EQ(EntryKeyActionFor(EntryKey::Left, 2, 0, 2, 2), EntryKeyAction::CollapseSelection);
    EXPECT_EQ(EntryKeyActionFor(EntryKey::Backspace, 1, -1, 0, 2), EntryKeyAction::None);
}

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

TEST(FieldSelection, StatusTextAndFillerButtons)
{
    EXPECT_EQ(FieldsStatusText(QStringLiteral("1:10")), QStringLiteral("Fields 1 To 10"));

    // Subitems, same level.
    EXPECT_EQ(FillerButtonsFor(0, true, true), (FillerButtons{false, false}));
    EXPECT_EQ(FillerButtonsFor(2, true, false), (FillerButtons{true, true}));
    EXPECT_EQ(FillerButtonsFor(0, false, true), (FillerButtons{false, true}));

    // A drag dropped nowhere or back onto the dragged field is a click on it.
    EXPECT_TRUE(DragEndsAsClick(3, 0));
    EXPECT_TRUE(DragEndsAsClick(3, 3));
    EXPECT_FALSE(DragEndsAsClick(3, 2));
}

TEST(PositionDialog, ABlankAnswerKeepsTheTag)
{
    EXPECT_EQ(PositionDialogTag(QStringLiteral("  3:7 ")), QStringLiteral("3:7"));
    EXPECT_EQ(PositionDialogTag(QStringLiteral("abc")), QStringLiteral("abc"));
    EXPECT_TRUE(PositionDialogTag(QStringLiteral("   ")).isNull());
    EXPECT_EQ(TwipsToPixels(10965, 96), 731);
}

TEST(EntrySizing, LengthFromPositionsNeedsALastPositionAboveZero)
{
    EXPECT_EQ(LengthFromPositions(QStringLiteral("5"), QStringLiteral("14")), QStringLiteral("10"));
    EXPECT_EQ(LengthFromPositions(QStringLiteral("12"), QStringLiteral("8")), QStringLiteral("-3"));
    EXPECT_TRUE(LengthFromPositions(QStringLiteral("5"), QStringLiteral("0")).isNull());
    EXPECT_TRUE(LengthFromPositions(QStringLiteral("5"), QStringLiteral("-1")).isNull());
}

TEST(EntrySizing, OutputFieldsFollowTheirPictureOrTheirValue)
{
    EXPECT_EQ(OutputLengthForPicture(QStringLiteral("ZZZ9")), QStringLiteral("4"));
    EXPECT_EQ(OutputToPositionFor(QStringLiteral("11"), 4), QStringLiteral("14"));
    EXPECT_EQ(OutputPictureForLength(QStringLiteral("X"), QStringLiteral("5")),
              QStringLiteral("X(5)"));
    EXPECT_EQ(OutputPictureForLength(QStringLiteral("X(9)"), QString()), QStringLiteral("X(0)"));

    const QString value = QStringLiteral("HELLO");
    const QString picture = QStringLiteral("X");
    EXPECT_TRUE(SizesOutputFieldToValue(false, true, false, value, picture));
    EXPECT_FALSE(SizesOutputFieldToValue(true, true, false, value, picture));   // input field
    EXPECT_FALSE(SizesOutputFieldToValue(false, false, false, value, picture)); // not a string
    EXPECT_FALSE(SizesOutputFieldToValue(false, true, true, value, picture));   // several values
    // Nothing to size from: an empty value or picture would give "(0)" and a last position -1.
    EXPECT_FALSE(SizesOutputFieldToValue(false, true, false, QString(), picture));
    EXPECT_FALSE(SizesOutputFieldToValue(false, true, false, value, QString()));
}
