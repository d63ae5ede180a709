#include "ui/generator/FillerCommands.h"

#include "ui/generator/EntryPanel.h"
#include "ui/generator/FieldTreeView.h"
#include "model/Positions.h"
#include "platform/Platform.h"
#include "project/StartupSettings.h"

namespace orvane
{

bool FillerCommands::run(FillerMode mode)
{
    const int selected = trvFields_->selectedNode();
    // Without a run to fill (no selection, or no subitems) the button is disabled; a click
    // that slips through does nothing.
    if (FillerRunParent(fields_, mode, selected) < 0)
        return false;
    const FillerEntry entry = entry_.fillerEntry();
    const QString error = QStringLiteral("Error");
    switch (CheckFillerEntry(entry)) {
    case FillerCheck::MultipleValues:
        messages_.show(QStringLiteral("Make sure the checkbox for multiple values is not selected"),
                       error, MessageButtons::Ok, MessageIcon::Critical);
        return false;
    case FillerCheck::NoPicture:
        messages_.show(QStringLiteral("Make sure picture for field type specified"), error,
                       MessageButtons::Ok, MessageIcon::Critical);
        return false;
    case FillerCheck::AskNoValue:
        if (messages_.show(
                QStringLiteral("Are You Sure You don't want the Fillers To Have Initial Value?"),
                QStringLiteral("Question"), MessageButtons::YesNo,
                MessageIcon::Question) != MessageAnswer::Yes)
            return false;
        break;
    case FillerCheck::Ok:
        break;
    }
    messages_.show(FillerNoticeText(mode), QStringLiteral("Message"), MessageButtons::Ok,
                   MessageIcon::Information);
    const FillerResult result =
        InsertFillers(mode, fields_, selected, FillerValue(entry), FillerPicture(entry.fieldType));
    messages_.show(result.message, ApplicationTitle, MessageButtons::Ok, MessageIcon::None);
    UpdateParentSpans(fields_, selected);
    return result.count > 0;
}

} // namespace orvane
