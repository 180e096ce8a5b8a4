#pragma once

// The main source's uses clause. Only what is needed to find the clause and its unit
// names: comments, strings and identifiers.

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
