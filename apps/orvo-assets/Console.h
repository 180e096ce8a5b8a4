#pragma once

#include <QTextStream>

// One stream each for standard output and error, shared by every command, so that what the
// commands print keeps its order.
inline QTextStream& Out()
{
    static QTextStream LOut(stdout);
    return LOut;
}

inline QTextStream& Err()
{
    static QTextStream LErr(stderr);
    return LErr;
}
