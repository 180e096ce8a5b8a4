#pragma once

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <ostream>

namespace testdata {

// Read-only files of real projects shared by every checkout.
inline QString SharedDataDir() { return QStringLiteral(ORVO_SHARED_DATA_DIR); }

inline bool HasSharedData(const QString& ASubDir)
{
    return QDir(SharedDataDir() + QLatin1Char('/') + ASubDir).exists();
}

inline QString SourceDir() { return QStringLiteral(ORVO_SOURCE_DIR); }

// The whole content of a file, empty when it cannot be read.
inline QByteArray ReadAll(const QString& AFileName)
{
    QFile LFile(AFileName);
    return LFile.open(QIODevice::ReadOnly) ? LFile.readAll() : QByteArray();
}

// Copies every file below AFrom to the same place below ATo.
inline bool CopyTree(const QString& AFrom, const QString& ATo)
{
    QDirIterator LIt(AFrom, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (LIt.hasNext()) {
        const QString LFile = LIt.next();
        const QString LTarget = ATo + LFile.mid(AFrom.size());
        if (!QDir().mkpath(QFileInfo(LTarget).absolutePath()) || !QFile::copy(LFile, LTarget))
            return false;
    }
    return true;
}

} // namespace testdata

// Readable values in failure messages.
inline void PrintTo(const QString& AText, std::ostream* AOut) { *AOut << '"' << AText.toStdString() << '"'; }

inline void PrintTo(const QStringList& AList, std::ostream* AOut)
{
    *AOut << '{';
    for (const QString& LItem : AList)
        *AOut << ' ' << '"' << LItem.toStdString() << '"';
    *AOut << " }";
}

// Skips the current test with a message when the shared data folder is missing.
#define ORVO_REQUIRE_SHARED_DATA(sub)                                                                                  \
    do {                                                                                                               \
        if (!testdata::HasSharedData(QStringLiteral(sub)))                                                             \
            GTEST_SKIP() << "shared test data not found: "                                                             \
                         << QString(testdata::SharedDataDir() + "/" sub).toStdString();                                \
    } while (0)
