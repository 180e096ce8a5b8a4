#pragma once

#include <QDir>
#include <QString>
#include <QTemporaryDir>

namespace testdata {

// Read-only files of real projects shared by every checkout.
inline QString SharedDataDir() { return QStringLiteral(ORVO_SHARED_DATA_DIR); }

inline bool HasSharedData(const QString& ASubDir)
{
    return QDir(SharedDataDir() + QLatin1Char('/') + ASubDir).exists();
}

inline QString SourceDir() { return QStringLiteral(ORVO_SOURCE_DIR); }

} // namespace testdata

// Skips the current test with a message when the shared data folder is missing.
#define ORVO_REQUIRE_SHARED_DATA(sub)                                                                        \
    do {                                                                                                     \
        if (!testdata::HasSharedData(QStringLiteral(sub)))                                                   \
            GTEST_SKIP() << "shared test data not found: " << QString(testdata::SharedDataDir() + "/" sub).toStdString(); \
    } while (0)
