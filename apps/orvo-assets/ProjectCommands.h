#pragma once

#include <QString>
#include <QStringList>

// The commands that open a project's assets: list, add, remove, rename, copy, set, save, consts
// and deploy. AArgs are the words after the command. Returns the exit status: 0 done,
// 1 failed (the message on stderr names the file), 2 bad usage.
int RunProjectCommand(const QString& ACommand, QStringList AArgs);
bool IsProjectCommand(const QString& ACommand);
QString ProjectCommandsUsage();
