#pragma once

// The uses clause of a main source, or the interface uses clause of a unit. Only what is needed to find the clause and
// its unit names: comments, strings and identifiers.

#include <QByteArray>
#include <QStringList>

namespace ide::tools {

struct TUsesClause
{
    bool Found = false;
    qsizetype HeaderEnd = -1;  // after the ';' of "program X;"
    qsizetype Terminator = -1; // offset of the clause's ';'
    QStringList Units;
};

TUsesClause ScanUsesClause(const QByteArray& ASource);

} // namespace ide::tools
