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

// The real project files of the shared data, by base name.
inline const QStringList& RealProjectNames()
{
    static const QStringList Names = {QStringLiteral("FlashLight"), QStringLiteral("NotificationApp"),
                                      QStringLiteral("PullToRefresh")};
    return Names;
}

inline QString RealProjectPath(const QString& AName)
{
    return testdata::SharedDataDir() + QStringLiteral("/dproj/") + AName + QStringLiteral(".dproj");
}

inline QByteArray ReadBytes(const QString& AFileName)
{
    QFile File(AFileName);
    if (!File.open(QIODevice::ReadOnly))
        return {};
    return File.readAll();
}

inline void WriteBytes(const QString& AFileName, const QByteArray& AData)
{
    QFile File(AFileName);
    ASSERT_TRUE(File.open(QIODevice::WriteOnly | QIODevice::Truncate)) << AFileName.toStdString();
    ASSERT_EQ(File.write(AData), AData.size());
}

// A writable copy of a real project in a folder of its own.
struct TProjectCopy
{
    QTemporaryDir Dir;
    QString FileName;
    QByteArray Original;

    explicit TProjectCopy(const QString& AName)
    {
        Original = ReadBytes(RealProjectPath(AName));
        FileName = Dir.path() + QLatin1Char('/') + AName + QStringLiteral(".dproj");
        QFile File(FileName);
        if (File.open(QIODevice::WriteOnly))
            File.write(Original);
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

// Skips the test when the shared project files are absent. (TestData.h's macro does not
// compile with QT_USE_QSTRINGBUILDER: its concatenation has no toStdString.)
#define REQUIRE_SHARED_DPROJ()                                                                                         \
    do {                                                                                                               \
        if (!testdata::HasSharedData(QStringLiteral("dproj")))                                                         \
            GTEST_SKIP() << "shared test data not found: "                                                             \
                         << QString(testdata::SharedDataDir() + QStringLiteral("/dproj")).toStdString();               \
    } while (0)
