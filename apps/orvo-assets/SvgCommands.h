#pragma once

#include <QStringList>

// "orvo-assets svg ...": AArgs are the words after "svg". Returns the exit status.
int RunSvgCommand(QStringList AArgs);
QString SvgCommandsUsage();
