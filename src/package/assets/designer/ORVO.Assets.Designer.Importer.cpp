#include "assets/designer/ORVO.Assets.Designer.Importer.h"

#include "ORVO.Assert.h"
#include "ORVO.Exceptions.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>

namespace orvo {

using core::TqoAssert;

namespace {

// The logical sizes of an Android layout, in the order of a drawable folder's sorted files.
const QList<int> CAndroidSizes = {18, 20, 24, 36, 48};

// Index into Scales of each density folder.
int DensityIndex(const QString& AFolderName)
{
    static const QStringList LNames = {QStringLiteral("drawable-mdpi"), QStringLiteral("drawable-hdpi"),
                                       QStringLiteral("drawable-xhdpi"), QStringLiteral("drawable-xxhdpi"),
                                       QStringLiteral("drawable-xxxhdpi")};
    return int(LNames.indexOf(AFolderName));
}

// Full paths of the entries matching the pattern, in name order; patterns ignore case as the
// IDE's own listing does.
QStringList List(const QString& AFolder, const QString& APattern, QDir::Filters AFilters)
{
    const QDir LDir(AFolder);
    QStringList LPaths;
    for (const QString& LName : LDir.entryList({APattern}, AFilters | QDir::NoDotAndDotDot, QDir::Name))
        LPaths << LDir.filePath(LName);
    return LPaths;
}

QStringList Subfolders(const QString& AFolder, const QString& APattern) { return List(AFolder, APattern, QDir::Dirs); }

QStringList PngFiles(const QString& AFolder) { return List(AFolder, QStringLiteral("*.png"), QDir::Files); }

} // namespace

QStringList TqoMaterialIOIcons::GetDrawableDirectories(const QString& ADirectory)
{
    QStringList LFolders = Subfolders(ADirectory, QStringLiteral("*"));
    if (LFolders.size() == 1 &&
        QFileInfo(LFolders.first()).fileName().compare(QLatin1String("res"), Qt::CaseInsensitive) == 0) {
        LFolders = Subfolders(LFolders.first(), QStringLiteral("drawable*"));
        FArchiveType = TArchiveType::Android;
    } else if (LFolders.size() == 2) {
        LFolders = Subfolders(ADirectory, QStringLiteral("*x"));
        FArchiveType = TArchiveType::Icon;
    } else if (LFolders.size() > 2) {
        LFolders = Subfolders(ADirectory, QStringLiteral("drawable*"));
        FArchiveType = TArchiveType::Android;
    }
    const int LExpected =
        FArchiveType == TArchiveType::Android ? 5 : (FArchiveType == TArchiveType::Icon ? 1 : int(-1));
    if (LExpected > 0)
        LFolders.removeIf([LExpected](const QString& AFolder) { return PngFiles(AFolder).size() != LExpected; });
    return LFolders;
}

QString TqoMaterialIOIcons::DefineImageName(const QString& AFolder)
{
    const QString LFile = PngFiles(AFolder).value(0);
    if (LFile.isEmpty())
        return QString();
    const QString LName = QFileInfo(LFile).fileName();
    const qsizetype LUnderscore = LName.lastIndexOf(QLatin1Char('_'));
    return LUnderscore >= 0 ? LName.left(LUnderscore) : QFileInfo(LFile).completeBaseName();
}

void TqoMaterialIOIcons::AddEntry(int ASize, float AScale, const QString& AFileName)
{
    FImages[ASize].append(TFileInfo(AScale, AFileName));
}

bool TqoMaterialIOIcons::RecognizeFolderStructure(const QString& ADirectory, QList<int>& ASizes)
{
    const QStringList LFolders = GetDrawableDirectories(ADirectory);
    if (LFolders.isEmpty())
        return false;
    QList<int> LSizes;
    if (FArchiveType == TArchiveType::Android)
        LSizes = CAndroidSizes;
    else if (FArchiveType == TArchiveType::Icon) {
        // ic_home_24dp.png: the size is "24dp" without its unit.
        const QString LName = QFileInfo(PngFiles(LFolders.first()).value(0)).fileName();
        const qsizetype LStart = LName.lastIndexOf(QLatin1Char('_')) + 1;
        bool LIsNumber = false;
        const QString LSizeText = LName.mid(LStart, LName.lastIndexOf(QLatin1Char('.')) - LStart);
        const int LSize = LSizeText.size() > 2 ? LSizeText.chopped(2).toInt(&LIsNumber) : 0;
        if (!LIsNumber || LSize <= 0)
            return false;
        LSizes = {LSize};
    } else
        return false;

    FName = DefineImageName(LFolders.first());
    // A file named only by its size ("_24dp.png") would leave the asset without a name.
    if (FName.isEmpty())
        FName = QDir(ADirectory).dirName();
    for (const QString& LFolder : LFolders) {
        QStringList LFiles = PngFiles(LFolder);
        LFiles.sort(Qt::CaseSensitive);
        const QString LFolderName = QFileInfo(LFolder).fileName();
        if (FArchiveType == TArchiveType::Icon && LFolderName == QLatin1String("1x")) {
            AddEntry(LSizes.first(), 1.0f, LFiles.first());
            AddEntry(LSizes.first(), 1.5f, QString());
            AddEntry(LSizes.first(), 3.0f, QString());
        } else if (FArchiveType == TArchiveType::Icon && LFolderName == QLatin1String("2x"))
            AddEntry(LSizes.first(), 2.0f, LFiles.first());
        else if (const int LDensity = DensityIndex(LFolderName); FArchiveType == TArchiveType::Android && LDensity >= 0)
            for (int I = 0; I < CAndroidSizes.size(); ++I)
                AddEntry(CAndroidSizes[I], Scales[LDensity], LFiles[I]);
    }
    std::sort(LSizes.begin(), LSizes.end());
    ASizes = LSizes;
    return !ASizes.isEmpty();
}

std::unique_ptr<core::TqoAssetGroup> TqoMaterialIOIcons::ReadResource(int ABaseSize) const
{
    auto LGroup = std::make_unique<core::TqoAssetGroup>(FName);
    const auto LEntries = FImages.constFind(ABaseSize);
    if (LEntries == FImages.cend())
        TqoAssert::Fail(QStringLiteral("Невозможно найти изображения для указанного размера: [%1]").arg(ABaseSize));
    auto LSet = std::make_shared<core::TqoAssetBitmapSet>(FName);
    for (const TFileInfo& LEntry : *LEntries) {
        if (LEntry.FileName.isEmpty()) {
            LSet->Add(LEntry.Scale);
            continue;
        }
        QImageReader LReader(LEntry.FileName);
        if (LReader.read().isNull())
            throw core::EqoFileError(LEntry.FileName, 0,
                                     QStringLiteral("the icon's image cannot be read (%1)").arg(LReader.errorString()));
        LSet->Add(std::make_unique<core::TqoBitmapInfo>(LEntry.FileName, LEntry.Scale));
    }
    LGroup->Add(std::move(LSet));
    return LGroup;
}

std::unique_ptr<core::TqoBitmap> TqoMaterialIOIcons::GetPreview() const
{
    if (FImages.isEmpty() || FImages.first().isEmpty() || !QFileInfo::exists(FImages.first().first().FileName))
        return nullptr;
    try {
        return std::make_unique<core::TqoBitmap>(core::TqoBitmap::FromFile(FImages.first().first().FileName));
    } catch (const core::EqoException&) {
        // Only a picture in the dialog; ReadResource names the damaged file.
        return nullptr;
    }
}

QString NoIconLayoutMessage(const QString& AFolder)
{
    return QStringLiteral("%1: no icon layout found (drawable folders of five PNG files, or the folders 1x and 2x "
                          "of one PNG file each)")
        .arg(QDir::toNativeSeparators(AFolder));
}

TqoIconFolderImport ImportIconFolder(const QString& AFolder, bool AMultipleFolders, int& ARememberedSize,
                                     const TqoAskBaseSize& AAskBaseSize)
{
    TqoIconFolderImport LResult;
    TqoMaterialIOIcons LImporter;
    QList<int> LSizes;
    if (!LImporter.RecognizeFolderStructure(AFolder, LSizes))
        return LResult;
    LResult.Recognized = true;
    int LBaseSize = LSizes.first();
    if (LSizes.size() > 1) {
        if (ARememberedSize != 0 && LSizes.contains(ARememberedSize))
            LBaseSize = ARememberedSize;
        else {
            const std::optional<TqoChosenBaseSize> LChosen =
                AAskBaseSize(LImporter, LSizes, AMultipleFolders && ARememberedSize == 0);
            if (!LChosen)
                return LResult;
            LBaseSize = LChosen->Size;
            if (LChosen->Remember)
                ARememberedSize = LBaseSize;
        }
    }
    LResult.Group = LImporter.ReadResource(LBaseSize);
    return LResult;
}

} // namespace orvo
