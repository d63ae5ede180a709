#pragma once

// Rules of the entry panel and the field tree that need no window, so tests reach them
// directly. QtCore only.

#include <QString>
#include <QStringList>

namespace orvane
{

// Characters that may not appear in a data name or a number box: every code 0..255 except
// the letters, the digits and the hyphen, ascending (positions start at 0 here).
const QStringList &SpecialChars();
// The 52 letters A-Z and a-z, ascending.
const QStringList &LetterChars();

// Sorts ascending by swapping neighbours until a pass swaps nothing; true when anything moved.
bool BubbleSort(QStringList &list);
// Position of `value` in the ascending list (exact, case-sensitive), -1 when absent.
int BinarySearch(const QStringList &list, const QString &value);

// Whether an entry box shows its text in red. Name boxes want a letter first and then only
// letters, digits and hyphens; number boxes want digits only (`forbidden` is "-" for them).
bool FieldTextIsInvalid(const QString &text, const QString &forbidden, bool isName);

// The controls the arrow keys move between, in tab order.
enum class EntryControl {
    Stay,
    Level,
    Name,
    FieldType,
    Length,
    FromPos,
    ToPos,
    Occurs,
    OccursKey,
    KeyDataName,
    IndexName,
    FieldValue,
    Add,
};

struct EntryMoveState {
    bool byPositions = false;      // record size defined by positions
    double occursCount = 0;        // the number in txtFieldOccurs
    bool indexNameVisible = false; // the array controls are shown
};

// Right arrow at the end of a box.
EntryControl NextEntryControl(EntryControl from, const EntryMoveState &state);
// Left arrow or Backspace at the start of a box.
EntryControl PreviousEntryControl(EntryControl from, const EntryMoveState &state);

// What a key does in a text box before the box itself sees it.
enum class EntryKeyAction { None, MoveNext, MovePrevious, CollapseSelection };
enum class EntryKey { Right, Left, Backspace };
// `selectionStart` is -1 without a selection.
EntryKeyAction EntryKeyActionFor(EntryKey key, int cursorPosition, int selectionStart,
                                 int selectionLength, int textLength);

// The length box's text after a position changed: To - From + 1, or a null string while To is
// not above 0 (the length then stays as it is).
QString LengthFromPositions(const QString &from, const QString &to);

// An output field follows its edit picture: the length is the number of picture characters,
// or by positions the last position is the first one minus 1 plus that number.
QString OutputLengthForPicture(const QString &picture);
QString OutputToPositionFor(const QString &from, int characters);

// Whether a changed value text sizes an output field to the value: one quoted string on an
// output field. An empty value or picture text would only produce a "(0)" picture and a last
// position of -1, so neither sizes anything.
bool SizesOutputFieldToValue(bool inputField, bool treatAsString, bool multipleValues,
                             const QString &value, const QString &picture);
// The picture of an output field sized to its value: its first character and the length in
// parentheses ("X" and "5" give "X(5)").
QString OutputPictureForLength(const QString &picture, const QString &length);

// "Fields 1 To 10" for a node's position tag.
QString FieldsStatusText(const QString &tag);

// The FILLER buttons of a clicked node.
struct FillerButtons {
    bool forSubitems = false;  // cmdAutoInsertFiller
    bool forSameLevel = false; // autoInsertFillerForSameLevel
    bool operator==(const FillerButtons &) const = default;
};
FillerButtons FillerButtonsFor(int childCount, bool isOwnFirstSibling, bool isOwnLastSibling);

// Whether a drag of a field ended as a plain click on it: dropped nowhere (0) or back onto
// the dragged node itself.
bool DragEndsAsClick(int draggedNode, int droppedOnNode);

// The position dialog's texts, and the tag its answer stores: the trimmed answer, or a null
// string when it is blank (the tag stays).
QString PositionDialogTitle();
QString PositionDialogPrompt();
QString PositionDialogTag(const QString &answer);

// The warning shown when the clause text passes the most a field may hold.
inline constexpr int MaxClauseLength = 255;
QString ClauseTooLongText();

// Pixels for a length in twips at a logical resolution.
int TwipsToPixels(int twips, double logicalDpi);

} // namespace orvane
