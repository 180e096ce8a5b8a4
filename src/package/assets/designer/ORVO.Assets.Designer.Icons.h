#pragma once

// The Assets Manager's command icons, drawn rather than shipped so they stay sharp at any scale.

#include <QIcon>
#include <QString>

namespace orvo {

// The icon of a command by its action's name ("ActionAddColor"); a null icon for unknown names.
QIcon AssetsDesignerIcon(const QString& AActionName);

} // namespace orvo
