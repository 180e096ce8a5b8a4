#pragma once

// The form's unit as the form designer edits it: the event handler methods of the form class,
// declared in the class and implemented before the unit's final "end.", as the IDE writes them.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace ide::tools {

struct TFormClassSource
{
    bool Found = false;
    // Offset of the line where the class's designer part ends: its first visibility section,
    // or the "end;" that closes the declaration.
    qsizetype DeclarationEnd = -1;
    // Offset of the line holding the unit's final "end.".
    qsizetype UnitEnd = -1;
    // Names of the methods the class declares, as written.
    QStringList Methods;
};

// Comments and strings are skipped, so an "end;" inside them closes nothing.
TFormClassSource ScanFormClass(const QByteArray& ASource, const QString& AClassName);

// Adds "procedure AMethod(AParameters);" to the class's declaration and its empty body before
// the unit's final "end.", with the source's own line breaks. Returns false (and changes
// nothing) when the class or the unit's end is not found or the method exists already.
// ABodyLine: the 1-based line of the body's empty line, where the IDE puts the cursor.
bool AddFormMethod(QByteArray& ASource, const QString& AClassName, const QString& AMethod, const QString& AParameters,
                   int* ABodyLine = nullptr);

} // namespace ide::tools
