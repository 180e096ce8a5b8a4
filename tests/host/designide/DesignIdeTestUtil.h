#pragma once

#include "TestData.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace designide_test {

// A real project file of the shared data, by base name.
inline QString RealProjectPath(const QString& AName)
{
    return testdata::SharedDataDir() + QStringLiteral("/dproj/") + AName + QStringLiteral(".dproj");
}

inline void WriteBytes(const QString& AFileName, const QByteArray& AData)
{
    ASSERT_TRUE(testdata::WriteAll(AFileName, AData)) << AFileName.toStdString();
}

// A writable copy of a real project in a folder of its own.
struct TProjectCopy
{
    QTemporaryDir Dir;
    QByteArray Original;
    QString FileName;

    explicit TProjectCopy(const QString& AName)
        : Original(testdata::ReadAll(RealProjectPath(AName))), FileName(Dir.filePath(AName + ".dproj"))
    {
        testdata::WriteAll(FileName, Original);
    }
    QString Path(const QString& ARelative) const { return Dir.path() + QLatin1Char('/') + ARelative; }
};

// The bytes of AText with the lines joined by CRLF, as the IDE writes them.
inline QByteArray Crlf(std::initializer_list<const char*> ALines)
{
    QByteArray Result;
    for (const char* Line : ALines) {
        Result += Line;
        Result += "\r\n";
    }
    return Result;
}

} // namespace designide_test
