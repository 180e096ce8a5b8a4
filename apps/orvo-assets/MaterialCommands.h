#pragma once

#include <QString>
#include <QStringList>

// "orvo-assets material ...": search runs here; import is a change command of the project
// commands, registered by RegisterMaterialCommands. AArgs are the words after "material".
int RunMaterialCommand(QStringList AArgs);
void RegisterMaterialCommands();
