#pragma once

// orvo-assets form: a form file's components and their properties as the object inspector
// shows them, and setting one property through its editor.

#include <QString>
#include <QStringList>

QString FormCommandUsage();
// AArgs follow the word "form". The package is loaded first, so its editors apply.
int RunFormCommand(const QStringList& AArgs, const QString& APackageFile);
