#pragma once

// Icon sets downloaded as folders of scaled PNG files (an Android resource layout with one
// drawable folder per density, or a pair of "1x" and "2x" folders) turned into one bitmap set.

#include "ORVO.Assets.h"
#include "ORVO.Bitmap.h"

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <memory>
#include <optional>

namespace orvo {

class TqoMaterialIOIcons
{
public:
    enum class TArchiveType
    {
        Unknown,
        Android,
        Icon,
        iOS
    };

    struct TFileInfo
    {
        TFileInfo(float AScale, const QString& AFileName) : Scale(AScale), FileName(AFileName) {}
        float Scale;
        QString FileName; // full path; empty for a scale without a file
    };

    static constexpr std::array<float, 5> Scales{1.0f, 1.5f, 2.0f, 3.0f, 4.0f};

    // Examines the folder; ASizes gets the logical sizes found, ascending. One importer serves
    // one folder: what it found is kept between calls.
    bool RecognizeFolderStructure(const QString& ADirectory, QList<int>& ASizes);
    // The group of one bitmap set for the size. Raises EqoAssertionFailed for a size that was
    // not found and EqoFileError naming the first file of the size that does not read as an
    // image, so a damaged file never gets half an icon into the project.
    std::unique_ptr<core::TqoAssetGroup> ReadResource(int ABaseSize) const;
    // A bitmap of one of the files found, or null.
    std::unique_ptr<core::TqoBitmap> GetPreview() const;

    QString GetName() const { return FName; }
    TArchiveType GetArchiveType() const { return FArchiveType; }

    // The folders that hold the scaled images; sets the archive type.
    QStringList GetDrawableDirectories(const QString& ADirectory);
    // The first PNG's name before its last "_" (ic_home_black_24dp.png: ic_home_black), or
    // without its extension when it has no "_"; empty without PNG files.
    static QString DefineImageName(const QString& AFolder);

private:
    void AddEntry(int ASize, float AScale, const QString& AFileName);

    QMap<int, QList<TFileInfo>> FImages;
    QString FName;
    TArchiveType FArchiveType = TArchiveType::Unknown;
};

// The base size the user chose, and whether it stands for the folders that follow.
struct TqoChosenBaseSize
{
    int Size = 0;
    bool Remember = false;
};

// Asks for one of several sizes; AOfferRemember says whether the choice may be kept for the
// folders that follow. No answer cancels the folder.
using TqoAskBaseSize = std::function<std::optional<TqoChosenBaseSize>(const TqoMaterialIOIcons& AImporter,
                                                                      const QList<int>& ASizes, bool AOfferRemember)>;

struct TqoIconFolderImport
{
    bool Recognized = false;
    std::unique_ptr<core::TqoAssetGroup> Group; // null when not recognized or cancelled
};

// One folder of an import of AMultipleFolders or one: the base size is the only one found, else
// the remembered one (0: none) when the folder has it, else asked for; a size chosen to be
// remembered is stored in ARememberedSize. Raises what ReadResource raises.
// Why a folder was not imported, naming it.
QString NoIconLayoutMessage(const QString& AFolder);

TqoIconFolderImport ImportIconFolder(const QString& AFolder, bool AMultipleFolders, int& ARememberedSize,
                                     const TqoAskBaseSize& AAskBaseSize);

} // namespace orvo
