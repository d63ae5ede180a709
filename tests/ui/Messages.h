#pragma once

// The messages several window tests expect, word for word as the user sees them.

#include "ScriptedPlatform.h"

namespace orvane::testing
{

inline const ShownMessage saveQuestion{QStringLiteral("Do you want to save the file?"),
                                       QStringLiteral("File not saved"),
                                       MessageButtons::YesNoCancel, MessageIcon::Question};

inline const ShownMessage clauseTooLongWarning{
    QStringLiteral("Field length exceeded 255 characters"), QStringLiteral("Warning"),
    MessageButtons::Ok, MessageIcon::Critical};

} // namespace orvane::testing
