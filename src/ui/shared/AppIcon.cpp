#include "ui/shared/AppIcon.h"

namespace orvane
{

QIcon appIcon()
{
    QIcon bundled;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        bundled.addFile(QStringLiteral(":/icons/orvane-%1.png").arg(size), QSize(size, size));
    return QIcon::fromTheme(QStringLiteral("orvane"), bundled);
}

} // namespace orvane
