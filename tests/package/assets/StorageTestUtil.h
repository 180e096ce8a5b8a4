#pragma once

#include "assets/storage/ORVO.Assets.Editors.h"

#include <QByteArray>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace storagetest {

// The package's registry; initialized on first use, as the package's load would.
inline orvo::TqoAssetsEditorsManager& Registry()
{
    orvo::AssetsEditorsInitialization();
    return *orvo::TqoAssetsEditorsManager::Instance();
}

inline orvo::IORVOAssetEditorPtr Editor(const QString& AKind) { return Registry().Editors(AKind); }

inline void WriteFile(const QString& AFileName, const QByteArray& AData)
{
    QDir().mkpath(QFileInfo(AFileName).path());
    QFile file(AFileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(AData) != AData.size())
        throw std::runtime_error("cannot write test file " + AFileName.toStdString());
}

inline QByteArray ReadFile(const QString& AFileName)
{
    QFile file(AFileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Every file below AFolder, relative to it, sorted.
inline QStringList FilesBelow(const QString& AFolder)
{
    QStringList files;
    QDirIterator it(AFolder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        files.append(QDir(AFolder).relativeFilePath(it.next()));
    files.sort();
    return files;
}

inline QImage SolidImage(int AWidth, int AHeight, QRgb AColor)
{
    QImage image(AWidth, AHeight, QImage::Format_ARGB32);
    image.fill(AColor);
    return image;
}

inline bool SaveImage(const QImage& AImage, const QString& AFileName, const char* AFormat = nullptr)
{
    QDir().mkpath(QFileInfo(AFileName).path());
    return AImage.save(AFileName, AFormat);
}

// A temporary project: sources outside the assets folder, the assets folder itself.
class TTempProject
{
public:
    TTempProject() : FRoot(FDir.path() + QStringLiteral("/Assets")), FSources(FDir.path() + QStringLiteral("/src")) {}
    bool IsValid() const { return FDir.isValid(); }
    QString Path() const { return FDir.path(); }
    QString Root() const { return FRoot; }
    QString Source(const QString& AName) const { return FSources + QLatin1Char('/') + AName; }
    QString InRoot(const QString& ARelative) const { return FRoot + QLatin1Char('/') + ARelative; }

private:
    QTemporaryDir FDir;
    QString FRoot;
    QString FSources;
};

} // namespace storagetest
