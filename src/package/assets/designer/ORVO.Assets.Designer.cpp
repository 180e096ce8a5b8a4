#include "ORVO.Assets.Designer.h"

#include "ORVO.Designer.IdeEvents.h"
#include "ORVO.Designer.IdeSettings.h"
#include "assets/storage/ORVO.Assets.Constants.Generator.h"
#include "assets/storage/ORVO.Assets.Deployment.h"
#include "assets/storage/ORVO.Assets.Editors.h"
#include "assets/storage/ORVO.Assets.ProjectLock.h"

#include "ORVO.Assert.h"
#include "ORVO.Assets.Factory.h"
#include "ORVO.Log.h"
#include "ORVO.WriteJournal.h"
#include "ToolsAPI.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>
#include <QScopeGuard>
#include <QSet>
#include <array>
#include <dirent.h>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace orvo {

using namespace core;

namespace {

const QString CLogCategory = QStringLiteral("AssetsDesigner");

const TqoAssetsEditorsManager& RegisteredEditors()
{
    const TqoAssetsEditorsManager* LEditors = TqoAssetsEditorsManager::Instance();
    if (!LEditors)
        throw EqoException(QStringLiteral("The per-kind asset editors are not registered"));
    return *LEditors;
}

QString CleanPath(const QString& AFileName) { return QDir::cleanPath(QDir::fromNativeSeparators(AFileName)); }

// File names compared the way the assets folder's files are matched to kept ones.
QString FileKey(const QString& AFileName)
{
    QString LKey = CleanPath(AFileName);
    // Most names are ASCII, whose case folding is lowering; the general folding costs a save of
    // thousands of files more than the rest of its bookkeeping.
    for (QChar& LChar : LKey) {
        const char16_t LCode = LChar.unicode();
        if (LCode >= 0x80)
            return LKey.toCaseFolded();
        if (LCode >= u'A' && LCode <= u'Z')
            LChar = QChar(LCode + (u'a' - u'A'));
    }
    return LKey;
}

// Files an asset names through its uris, resolved against its base path.
QStringList ReferencedFiles(const TqoAsset& AAsset)
{
    QStringList LFiles;
    if (auto LWithUri = dynamic_cast<const TqoAssetWithUri*>(&AAsset))
        LFiles << LWithUri->GetFileName();
    else if (auto LSVG = dynamic_cast<const TqoAssetSVG*>(&AAsset))
        LFiles << LSVG->GetSVGFileName() << LSVG->GetVectorFileName();
    else if (auto LSet = dynamic_cast<const TqoAssetBitmapSet*>(&AAsset))
        for (const TqoBitmapInfo* LInfo : LSet->GetBitmapInfos())
            LFiles << LInfo->GetFileName();
    LFiles.removeAll(QString());
    return LFiles;
}

// Depth first; a folder goes once it is empty, the root stays. Symbolic links are not followed.
void RemoveEmptyFolders(const QString& AFolder, QStringList& ARemoved)
{
    const QFileInfoList LChildren =
        QDir(AFolder).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    for (const QFileInfo& LChild : LChildren) {
        if (LChild.isSymLink())
            continue;
        const QString LPath = LChild.absoluteFilePath();
        RemoveEmptyFolders(LPath, ARemoved);
        QDir LDir(LPath);
        if (LDir.isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System) && QDir().rmdir(LPath))
            ARemoved.append(LPath);
    }
}

// What a file looked like: a save that leaves all of it alone did not write the file.
struct TqoFileStamp
{
    dev_t Device = 0;
    ino_t Inode = 0;
    off_t Size = -1;
    timespec Modified{};
    mode_t Mode = 0;

    static TqoFileStamp Of(const QString& AFileName)
    {
        struct stat LStat
        {
        };
        TqoFileStamp LStamp;
        if (lstat(QFile::encodeName(AFileName).constData(), &LStat) != 0)
            return LStamp;
        LStamp.Device = LStat.st_dev;
        LStamp.Inode = LStat.st_ino;
        LStamp.Size = LStat.st_size;
        LStamp.Modified = LStat.st_mtim;
        LStamp.Mode = LStat.st_mode;
        return LStamp;
    }
    bool operator==(const TqoFileStamp& A) const
    {
        return Device == A.Device && Inode == A.Inode && Size == A.Size && Modified.tv_sec == A.Modified.tv_sec &&
               Modified.tv_nsec == A.Modified.tv_nsec;
    }
};

// Every plain file below a folder, in all subfolders, links not followed.
struct TqoFolderSnapshot
{
    QStringList Names;
    QStringList Keys;            // FileKey of each name
    QSet<QString> Files;         // the keys
    bool HasEmptyFolder = false; // some folder below holds nothing at all
};

// Raises when the folder, or anything below it, is a symbolic link. The listing's own types
// are used where the file system gives them: the walk runs before every save, also one that
// changes nothing, and a stat of each of thousands of files costs more than the save.
void WalkFolder(int ADirectory, const QString& APath, bool AIsRoot, TqoFolderSnapshot& ASnapshot)
{
    DIR* LDir = fdopendir(ADirectory);
    if (!LDir) {
        close(ADirectory);
        throw EqoFileError(APath, 0, QStringLiteral("Cannot list the folder: %1").arg(qt_error_string(errno)));
    }
    const auto LClose = qScopeGuard([LDir] { closedir(LDir); });
    bool LEmpty = true;
    while (const dirent* LEntry = readdir(LDir)) {
        if (qstrcmp(LEntry->d_name, ".") == 0 || qstrcmp(LEntry->d_name, "..") == 0)
            continue;
        LEmpty = false;
        const QString LFile = APath + QLatin1Char('/') + QFile::decodeName(LEntry->d_name);
        mode_t LType = DTTOIF(LEntry->d_type);
        if (LEntry->d_type == DT_UNKNOWN) {
            struct stat LStat
            {
            };
            if (fstatat(dirfd(LDir), LEntry->d_name, &LStat, AT_SYMLINK_NOFOLLOW) != 0)
                continue; // gone since it was listed
            LType = LStat.st_mode;
        }
        if (S_ISLNK(LType))
            throw EqoFileError(LFile, 0,
                               QStringLiteral("is a symbolic link inside the assets folder; a save never writes or "
                                              "deletes through links, so nothing was saved. Replace the link with the "
                                              "file or folder itself"));
        if (S_ISDIR(LType)) {
            const int LChild = openat(dirfd(LDir), LEntry->d_name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
            if (LChild >= 0)
                WalkFolder(LChild, LFile, false, ASnapshot);
            continue;
        }
        if (!S_ISREG(LType))
            continue;
        ASnapshot.Names.append(LFile);
        ASnapshot.Keys.append(FileKey(LFile));
        ASnapshot.Files.insert(ASnapshot.Keys.last());
    }
    // The root itself may be empty; only folders below it count.
    ASnapshot.HasEmptyFolder = ASnapshot.HasEmptyFolder || (LEmpty && !AIsRoot);
}

TqoFolderSnapshot TakeSnapshot(const QString& AFolder)
{
    TqoFolderSnapshot LSnapshot;
    const TqoFileStamp LRoot = TqoFileStamp::Of(AFolder);
    if (S_ISLNK(LRoot.Mode))
        throw EqoFileError(AFolder, 0,
                           QStringLiteral("is a symbolic link; a save never writes or deletes through links, so "
                                          "nothing was saved. Replace the link with the folder itself"));
    if (!S_ISDIR(LRoot.Mode))
        return LSnapshot;
    const int LDirectory =
        open(QFile::encodeName(AFolder).constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (LDirectory < 0)
        throw EqoFileError(AFolder, 0, QStringLiteral("Cannot open the folder: %1").arg(qt_error_string(errno)));
    WalkFolder(LDirectory, AFolder, true, LSnapshot);
    return LSnapshot;
}

// A file a save writes: a file that can be replaced, or a free name in a folder that can
// take it. Checked for every target before the first write, so a save that would stop half
// way does not start.
void CheckWritableTarget(const QString& AFileName)
{
    const QFileInfo LInfo(AFileName);
    const auto LRefuse = [&](const QString& AWhy) {
        throw EqoFileError(AFileName, 0, QStringLiteral("%1; nothing was saved").arg(AWhy));
    };
    if (LInfo.isSymLink())
        LRefuse(QStringLiteral("is a symbolic link, and a save never writes through links"));
    if (LInfo.exists() && !LInfo.isFile())
        LRefuse(QStringLiteral("is not a file, so it cannot be written"));
    // A file without any write permission is read-only also for a user the system lets write it.
    if (LInfo.exists() && (!LInfo.isWritable() || (TqoFileStamp::Of(AFileName).Mode & 0222) == 0))
        LRefuse(QStringLiteral("is read-only"));
    // Files are replaced through a temporary file beside them: the folder must take it.
    QFileInfo LFolder(LInfo.absolutePath());
    while (!LFolder.exists() && LFolder.absoluteFilePath() != LFolder.absolutePath())
        LFolder = QFileInfo(LFolder.absolutePath());
    if (!LFolder.isDir() || !LFolder.isWritable())
        LRefuse(QStringLiteral("cannot be written: its folder \"%1\" is not a writable folder")
                    .arg(QDir::toNativeSeparators(LFolder.absoluteFilePath())));
}

void SyncFileSystem(const QString& AFolder)
{
    const int LDescriptor = open(QFile::encodeName(AFolder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (LDescriptor < 0 || syncfs(LDescriptor) != 0)
        TqoLog::Warning(CLogCategory, QStringLiteral("Cannot flush the assets' files to disk: folder=\"%1\""), AFolder);
    if (LDescriptor >= 0)
        close(LDescriptor);
}

std::optional<TqoAlphaColor> ColorOf(const TqoAssetsManager& AManager, const QString& AName, TqoPlatform APlatform,
                                     TqoDeviceClass ADeviceClass, std::shared_ptr<TqoAssetColor>* AAsset = nullptr)
{
    auto LColor = std::dynamic_pointer_cast<TqoAssetColor>(AManager.Find(AName, APlatform, ADeviceClass));
    if (AAsset)
        *AAsset = LColor;
    if (!LColor || !LColor->HasColor())
        return std::nullopt;
    return LColor->GetColor();
}

} // namespace

// ---------------------------------------------------------------------------------------
// TqoAssetsModel

TqoAssetsModel::TqoAssetsModel() : FAssetsManager(std::make_unique<TqoAssetsManager>()) {}

TqoAssetsModel::~TqoAssetsModel() = default;

void TqoAssetsModel::DoChanged(const TqoAssetName& AAssetName, TqoAssetOperation AOperation)
{
    if (FOnAssetChanged)
        FOnAssetChanged(AAssetName, AOperation);
}

void TqoAssetsModel::DoAssetRenamed(const TqoAssetName& AOldAssetName, const TqoAssetName& ANewAssetName)
{
    if (FOnAssetRenamed)
        FOnAssetRenamed(AOldAssetName, ANewAssetName);
}

void TqoAssetsModel::CheckAssetName(const QString& AName)
{
    if (const QString LWhy = TqoAssetNameHelper::Check(AName); !LWhy.isEmpty())
        throw EqoAssetNameError(QStringLiteral("Invalid asset name, %1: name=\"%2\"").arg(LWhy, AName));
}

void TqoAssetsModel::CheckAsset(const TqoAsset& AAsset)
{
    CheckAssetName(AAsset.GetName());
    if (const auto* LSet = dynamic_cast<const TqoAssetBitmapSet*>(&AAsset))
        if (const QString LWhy = LSet->CheckScales(); !LWhy.isEmpty())
            throw EqoAssetVariantError(
                QStringLiteral("Bitmaps would overwrite each other, %1: asset=%2").arg(LWhy, AAsset.ToString()));
}

TqoAssetName TqoAssetsModel::NormalizeAssetName(const QString& AName)
{
    if (const QString LWhy = TqoAssetNameHelper::CheckTyped(AName); !LWhy.isEmpty())
        throw EqoAssetNameError(QStringLiteral("Invalid asset name, %1: name=\"%2\"").arg(LWhy, AName));
    return TqoAssetNameHelper::Normalize(AName);
}

std::unique_ptr<TqoAsset> TqoAssetsModel::CreateFromFile(const QString& AKind, const TqoAssetName& AName,
                                                         const QString& AFileName)
{
    const TqoAssetsEditorsManager& LEditors = RegisteredEditors();
    if (AKind == QLatin1String("auto"))
        return LEditors.TryCreateAsset(AName, AFileName);
    // Lottie animations and styles are not made from dropped files; their uri is the file.
    if (AKind == TqoAssetLottieAnimation::Kind || AKind == TqoAssetStyle::Kind) {
        std::unique_ptr<TqoAsset> LAsset = TqoAssetKinds::Create(AKind, AName);
        static_cast<TqoAssetWithUri&>(*LAsset).SetUri(AFileName);
        return LAsset;
    }
    return LEditors.Editors(AKind)->TryCreateAsset(AName, AFileName);
}

QString TqoAssetsModel::GetAndroidConfigFileName(const QString& AConfigFileName)
{
    const QFileInfo LInfo(AConfigFileName);
    QString LName = LInfo.fileName();
    const qsizetype LDot = LName.lastIndexOf(QLatin1Char('.'));
    if (LDot >= 0)
        LName.truncate(LDot);
    return QDir(LInfo.path()).filePath(LName + QStringLiteral("-android.json"));
}

QString TqoAssetsModel::GetIOSConfigFileName(const QString& AConfigFileName)
{
    const QFileInfo LInfo(AConfigFileName);
    QString LName = LInfo.fileName();
    const qsizetype LDot = LName.lastIndexOf(QLatin1Char('.'));
    if (LDot >= 0)
        LName.truncate(LDot);
    return QDir(LInfo.path()).filePath(LName + QStringLiteral("-ios.json"));
}

QString TqoAssetsModel::GetBackupFileName(const QString& AConfigFileName)
{
    return QDir(QFileInfo(AConfigFileName).path()).filePath(QStringLiteral("config.backup.json"));
}

TqoAssetPtr TqoAssetsModel::AddAsset(TqoAssetPtr AAsset)
{
    TqoAssert::IsNotNil(AAsset, QStringLiteral("AAsset"));
    CheckAsset(*AAsset);
    FAssetsManager->Add(AAsset);
    DoChanged(AAsset->GetName(), TqoAssetOperation::Added);
    return AAsset;
}

TqoAssetPtr TqoAssetsModel::AddVariant(TqoAssetPtr AAsset)
{
    TqoAssert::IsNotNil(AAsset, QStringLiteral("AAsset"));
    if (const TqoAssetPtr LExisting = FAssetsManager->FindById(AAsset->GetId()))
        throw EqoAssetVariantError(QStringLiteral("the variant exists already: asset=\"%1\"").arg(LExisting->GetId()));
    const std::unique_ptr<TqoAssetGroup> LGroup = GetAssets(AAsset->GetName());
    for (const TqoAssetPtr& LOther : LGroup->GetAssets())
        if (LOther->GetKind() != AAsset->GetKind())
            throw EqoAssetVariantError(QStringLiteral("\"%1\" is an asset of kind %2, not %3")
                                           .arg(AAsset->GetName(), LOther->GetKind(), AAsset->GetKind()));
    return AddAsset(std::move(AAsset));
}

TqoAssetPtr TqoAssetsModel::AddEmpty(const QString& AKind, const TqoAssetName& AName)
{
    CheckAssetName(AName);
    std::unique_ptr<TqoAsset> LAsset = TqoAssetKinds::CreateEmpty(AKind, AName);
    if (!LAsset)
        TqoAssert::Fail(QStringLiteral("Unknown asset kind: kind=\"%1\"").arg(AKind));
    return AddAsset(std::move(LAsset));
}

std::shared_ptr<TqoAssetColor> TqoAssetsModel::AddColor(const TqoAssetName& AName, TqoAlphaColor AColor)
{
    CheckAssetName(AName);
    auto LAsset = TqoAssetsManagerHelper::AddColor(*FAssetsManager, AName, AColor, true);
    DoChanged(AName, TqoAssetOperation::Added);
    return LAsset;
}

std::shared_ptr<TqoAssetBitmapSet> TqoAssetsModel::AddEmptyBitmapSet(const TqoAssetName& AName)
{
    return std::static_pointer_cast<TqoAssetBitmapSet>(AddEmpty(TqoAssetBitmapSet::Kind, AName));
}

std::shared_ptr<TqoAssetFile> TqoAssetsModel::AddEmptyFile(const TqoAssetName& AName)
{
    return std::static_pointer_cast<TqoAssetFile>(AddEmpty(TqoAssetFile::Kind, AName));
}

std::shared_ptr<TqoAssetFont> TqoAssetsModel::AddEmptyFont(const TqoAssetName& AName)
{
    return std::static_pointer_cast<TqoAssetFont>(AddEmpty(TqoAssetFont::Kind, AName));
}

std::shared_ptr<TqoAssetLottieAnimation> TqoAssetsModel::AddEmptyLottieAnimation(const TqoAssetName& AName)
{
    return std::static_pointer_cast<TqoAssetLottieAnimation>(AddEmpty(TqoAssetLottieAnimation::Kind, AName));
}

std::shared_ptr<TqoAssetStyle> TqoAssetsModel::AddEmptyStyle(const TqoAssetName& AName)
{
    return std::static_pointer_cast<TqoAssetStyle>(AddEmpty(TqoAssetStyle::Kind, AName));
}

std::shared_ptr<TqoAssetSVG> TqoAssetsModel::AddEmptySVG(const TqoAssetName& AName)
{
    return std::static_pointer_cast<TqoAssetSVG>(AddEmpty(TqoAssetSVG::Kind, AName));
}

void TqoAssetsModel::AddThemeContainer(const TqoAssetName& AName) { AddEmpty(TqoAssetThemeContainer::Kind, AName); }

void TqoAssetsModel::AddGroup(const TqoAssetGroup& AGroup)
{
    for (const TqoAssetPtr& LAsset : AGroup.GetAssets())
        CheckAsset(*LAsset);
    for (const TqoAssetPtr& LAsset : AGroup.GetAssets())
        FAssetsManager->Add(LAsset);
    DoChanged(AGroup.GetName(), TqoAssetOperation::Added);
}

TqoAssetName TqoAssetsModel::AddGroupInFolder(const TqoAssetGroup& AGroup, const QString& AFolder)
{
    const TqoAssetName LName = GenerateAssetName(AFolder + NormalizeAssetName(AGroup.GetName()));
    TqoAssetGroup LNamed(LName);
    for (const TqoAssetPtr& LAsset : AGroup.GetAssets())
        LNamed.Add(LAsset->Clone(LName));
    AddGroup(LNamed);
    return LName;
}

void TqoAssetsModel::Remove(const TqoAssetName& AName)
{
    FAssetsManager->Remove(AName);
    DoChanged(AName, TqoAssetOperation::Deleting);
}

void TqoAssetsModel::Removes(const QStringList& ANames)
{
    for (const QString& LName : ANames)
        Remove(LName);
}

void TqoAssetsModel::RemovePath(const QString& APath)
{
    TqoAssert::IsTrue(!APath.isEmpty(), QStringLiteral("Argument must not be empty: name=\"APath\""));
    if (APath.endsWith(TqoAssetNameHelper::Separator)) {
        const QStringList LNames =
            FAssetsManager->GetAssetsNames([&](const QString& AName) { return AName.startsWith(APath); });
        Removes(LNames);
    } else if (FAssetsManager->Contains(APath)) {
        Remove(APath);
    }
}

QString TqoAssetsModel::FirstFreeName(const QString& AName) const
{
    for (int LCounter = 1;; ++LCounter) {
        const QString LName = QStringLiteral("%1-%2").arg(AName).arg(LCounter);
        if (!FAssetsManager->Contains(LName))
            return LName;
    }
}

TqoAssetName TqoAssetsModel::GenerateAssetName(const TqoAssetName& AName) const
{
    return FAssetsManager->Contains(AName) ? FirstFreeName(AName) : AName;
}

void TqoAssetsModel::Rename(const TqoAssetName& AOldName, const TqoAssetName& ANewName)
{
    if (AOldName == ANewName)
        return;
    CheckAssetName(ANewName);
    const QString LNewName = FAssetsManager->Contains(ANewName) ? FirstFreeName(ANewName) : ANewName;
    CheckAssetName(LNewName); // the counter may make it too long
    if (FAssetsManager->Rename(AOldName, LNewName)) {
        DoAssetRenamed(AOldName, LNewName);
        DoChanged(LNewName, TqoAssetOperation::Renamed);
    }
}

void TqoAssetsModel::RenamePath(const QString& AOldPath, const QString& ANewPath)
{
    if (AOldPath == ANewPath)
        return;
    // Check every new name before the first rename, so a bad path renames nothing.
    const QStringList LNames =
        FAssetsManager->GetAssetsNames([&](const QString& AName) { return AName.startsWith(AOldPath); });
    QStringList LNewNames;
    for (const QString& LName : LNames) {
        LNewNames.append(ANewPath + LName.mid(AOldPath.size()));
        CheckAssetName(LNewNames.last());
    }
    for (qsizetype I = 0; I < LNames.size(); ++I)
        Rename(LNames[I], LNewNames[I]);
}

TqoAssetPtr TqoAssetsModel::Copy(const TqoAssetName& AName)
{
    const QString LNewName = GenerateAssetName(AName);
    TqoAssetPtr LLast;
    if (LNewName != AName)
        CheckAssetName(LNewName); // the counter may make it too long
    const TqoAssetList LAssets = FAssetsManager->GetAssets([&](const TqoAsset& A) { return A.GetName() == AName; });
    for (const TqoAssetPtr& LAsset : LAssets) {
        LLast = TqoAssetPtr(LAsset->Clone(LNewName));
        FAssetsManager->Add(LLast);
    }
    if (LLast)
        DoChanged(LNewName, TqoAssetOperation::Added);
    return LLast;
}

std::unique_ptr<TqoAssetGroup> TqoAssetsModel::GetAssets(const TqoAssetName& AName) const
{
    auto LGroup = std::make_unique<TqoAssetGroup>(AName);
    for (const TqoAssetPtr& LAsset : FAssetsManager->GetAllAssets())
        if (LAsset->GetName() == AName)
            LGroup->Add(LAsset);
    return LGroup;
}

void TqoAssetsModel::LoadFromFile(const QString& AFileName)
{
    if (QFileInfo::exists(AFileName))
        TqoAssetsFactory::LoadFromFile(*FAssetsManager, AFileName);
}

void TqoAssetsModel::CleanUp()
{
    constexpr std::array<TqoPlatform, 2> LPlatforms = {TqoPlatform::Android, TqoPlatform::iOS};
    for (const QString& LName : FAssetsManager->GetAssetsNames()) {
        // Without a color for all platforms and devices there is nothing to inherit from, so
        // nothing is compared against it (a missing base must not read as the color 0).
        const std::optional<TqoAlphaColor> LBase =
            ColorOf(*FAssetsManager, LName, TqoPlatform::All, TqoDeviceClass::All);
        std::array<std::optional<TqoAlphaColor>, TqoDeviceClassCount> LInherited;
        LInherited[0] = LBase;
        for (int LDevice = 1; LDevice < TqoDeviceClassCount; ++LDevice) {
            std::shared_ptr<TqoAssetColor> LAsset;
            const auto LColor = ColorOf(*FAssetsManager, LName, TqoPlatform::All, TqoDeviceClass(LDevice), &LAsset);
            if (LColor && LBase && *LColor == *LBase) {
                FAssetsManager->Remove(LAsset);
                LInherited[LDevice] = LBase;
            } else if (LAsset) {
                LInherited[LDevice] = LColor;
            } else {
                LInherited[LDevice] = LBase;
            }
        }
        for (TqoPlatform LPlatform : LPlatforms)
            for (int LDevice = 0; LDevice < TqoDeviceClassCount; ++LDevice) {
                std::shared_ptr<TqoAssetColor> LAsset;
                const auto LColor = ColorOf(*FAssetsManager, LName, LPlatform, TqoDeviceClass(LDevice), &LAsset);
                if (LColor && LInherited[LDevice] && *LColor == *LInherited[LDevice])
                    FAssetsManager->Remove(LAsset);
            }
    }
}

TqoAssetsSaveResult TqoAssetsModel::SaveToFile(const QString& AFileName)
{
    TqoAssetsSaveResult LResult;
    const TqoAssetList LAssets = FAssetsManager->GetAllAssets();
    LResult.AssetsCount = int(LAssets.size());
    // An asset that cannot be stored stops the save before anything is written.
    for (const TqoAssetPtr& LAsset : LAssets)
        CheckAsset(*LAsset);

    const QString LFolder = QFileInfo(AFileName).absolutePath();
    // Taken before anything is written: only what was there before can be stale, and what a
    // file looked like tells afterwards whether the save wrote it. A link anywhere below the
    // folder stops the save here: writing or deleting through it would reach outside.
    const TqoFolderSnapshot LBefore = TakeSnapshot(LFolder);
    if (!QDir().mkpath(LFolder))
        throw EqoFileError(LFolder, 0, QStringLiteral("Cannot create the assets folder"));

    if (QFileInfo::exists(AFileName)) {
        QFile LSource(AFileName);
        if (!LSource.open(QIODevice::ReadOnly))
            throw EqoFileError(AFileName, 0, LSource.errorString());
        QSaveFile LBackup(GetBackupFileName(AFileName));
        if (!LBackup.open(QIODevice::WriteOnly) || LBackup.write(LSource.readAll()) < 0 || !LBackup.commit())
            throw EqoFileError(GetBackupFileName(AFileName), 0, LBackup.errorString());
    }

    // What the storage and the configuration writers write; every other kept file was left
    // as it was.
    const TqoWriteJournal LJournal;
    QSet<QString> LKept;
    QStringList LKeptFiles;
    const auto LKeep = [&](const QString& AFile) {
        if (!LKept.contains(FileKey(AFile)))
            LKeptFiles.append(AFile);
        LKept.insert(FileKey(AFile));
    };
    int LDone = 0;
    for (const TqoAssetPtr& LAsset : LAssets) {
        if (FOnSaveProgress)
            FOnSaveProgress(LDone, int(LAssets.size()), LAsset->GetName());
        try {
            for (const QString& LFile : WriteAssetFiles(*LAsset, LFolder))
                LKeep(LFile);
        } catch (const std::exception& E) {
            TqoLog::Error(CLogCategory, QStringLiteral("Cannot save asset's files on disk: Asset=%1, Message=\"%2\""),
                          LAsset->ToString(), QString::fromUtf8(E.what()));
            LResult.FailedAssets.append(LAsset->ToString());
        }
        ++LDone;
    }
    if (FOnSaveProgress)
        FOnSaveProgress(LDone, int(LAssets.size()), QString());
    const auto LSort = [&](qsizetype AFrom) {
        for (qsizetype I = AFrom; I < LKeptFiles.size(); ++I) {
            const bool LWritten = !LBefore.Files.contains(FileKey(LKeptFiles[I])) ||
                                  LJournal.Files().contains(QDir::cleanPath(LKeptFiles[I]));
            (LWritten ? LResult.WrittenFiles : LResult.UnchangedFiles).append(LKeptFiles[I]);
        }
    };
    LSort(0);
    // The storage does not flush its files one by one; once for all of them, before the
    // configuration names them, costs one flush instead of thousands.
    if (!LResult.WrittenFiles.isEmpty())
        SyncFileSystem(LFolder);
    const qsizetype LConfigsFrom = LKeptFiles.size();
    // A file that an asset still names stays, also when its storage failed or the asset is
    // external: deleting it would lose what the configuration points at.
    for (const TqoAssetPtr& LAsset : LAssets)
        for (const QString& LFile : ReferencedFiles(*LAsset))
            LKept.insert(FileKey(LFile));

    TqoAssetsFactory::SaveConfigToFile(*FAssetsManager, AFileName, TqoWritingOptions::Default);
    LKeep(AFileName);
    const QString LAndroid = GetAndroidConfigFileName(AFileName);
    TqoAssetsFactory::SaveConfigToFile(*FAssetsManager, LAndroid, TqoPlatforms{TqoPlatform::All, TqoPlatform::Android},
                                       TqoWritingOptions(true, TqoPlatform::Android, false));
    LKeep(LAndroid);
    const QString LIOS = GetIOSConfigFileName(AFileName);
    TqoAssetsFactory::SaveConfigToFile(*FAssetsManager, LIOS, TqoPlatforms{TqoPlatform::All, TqoPlatform::iOS},
                                       TqoWritingOptions(true, TqoPlatform::iOS, false));
    LKeep(LIOS);

    LSort(LConfigsFrom);
    LResult.KeptFiles = LKeptFiles;

    // The backup is not kept either: a save that gets this far needs it no more. It is not
    // reported as a stale file. Only plain files are listed, so a deletion never follows a link.
    const QString LBackupKey = FileKey(GetBackupFileName(AFileName));
    bool LRemovedAny = false;
    for (qsizetype I = 0; I < LBefore.Names.size(); ++I) {
        const QString& LFile = LBefore.Names[I];
        if (LKept.contains(LBefore.Keys[I]))
            continue;
        QFile LStale(LFile);
        if (LStale.remove()) {
            LRemovedAny = true;
            if (LBefore.Keys[I] != LBackupKey)
                LResult.DeletedFiles.append(LFile);
        } else {
            TqoLog::Warning(CLogCategory,
                            QStringLiteral("Cannot delete file, which is not a part of assets now: fileName=\"%1\", "
                                           "error=\"%2\""),
                            LFile, LStale.errorString());
        }
    }
    if (QFileInfo::exists(GetBackupFileName(AFileName)) && !LBefore.Files.contains(LBackupKey))
        QFile::remove(GetBackupFileName(AFileName));
    // Only a deletion or a folder that was empty already can leave a folder empty: a save that
    // only writes does not walk the folders again.
    if (LRemovedAny || LBefore.HasEmptyFolder)
        RemoveEmptyFolders(LFolder, LResult.RemovedFolders);
    return LResult;
}

QStringList TqoAssetsModel::WriteAssetFiles(TqoAsset& AAsset, const QString& ARootPath)
{
    return RegisteredEditors().Editors(AAsset.GetKind())->SaveTo(&AAsset, ARootPath);
}

// ---------------------------------------------------------------------------------------
// TqoAssetsDocument

const QString TqoAssetsDocument::LogCategory = CLogCategory;

TqoAssetsDocument::TqoAssetsDocument() : FModel(std::make_unique<TqoAssetsModel>())
{
    FModel->SetOnAssetChanged([this](const TqoAssetName& AAssetName, TqoAssetOperation AOperation) {
        MarkModified();
        if (FOnAssetChanged)
            FOnAssetChanged(AAssetName, AOperation);
    });
    FModel->SetOnAssetRenamed([this](const TqoAssetName& AOldAssetName, const TqoAssetName& ANewAssetName) {
        if (FOnAssetRenamed)
            FOnAssetRenamed(AOldAssetName, ANewAssetName);
    });
}

TqoAssetsDocument::~TqoAssetsDocument() = default;

void TqoAssetsDocument::SetProject(const std::shared_ptr<ide::IOTAProject>& AProject)
{
    FProject = AProject;
    FProjectGUID = AProject ? AProject->ProjectGUID() : QString();
    Load();
}

QString TqoAssetsDocument::GetConfigFileName() const
{
    const auto LProject = FProject.lock();
    TqoAssert::IsNotNil(LProject, QStringLiteral("FProject"));
    const QDir LFolder = QFileInfo(LProject->FileName()).absoluteDir();
    return QDir(LFolder.filePath(QStringLiteral("Assets"))).filePath(QStringLiteral("config.json"));
}

void TqoAssetsDocument::Load()
{
    const QString LConfigFileName = GetConfigFileName();
    const QString LProjectFileName = FProject.lock()->FileName();
    TqoLog::Trace(CLogCategory,
                  QStringLiteral("Загрузка ассетов в локальный ассет-менеджер: projectFileName=\"%1\", "
                                 "configFileName=\"%2\""),
                  LProjectFileName, LConfigFileName);
    const QFileInfo LFolder(QFileInfo(LConfigFileName).absolutePath());
    if (LFolder.exists() && !LFolder.isDir())
        throw EqoFileError(LFolder.absoluteFilePath(), 0,
                           QStringLiteral("the project's assets folder is a file, not a folder"));
    try {
        FConfigStamp = ConfigStamp(LConfigFileName);
        FModel->LoadFromFile(LConfigFileName);
        FLoadError.clear();
    } catch (const std::exception& E) {
        FLoadError = QString::fromUtf8(E.what());
        throw;
    }
    FModel->CleanUp();
    // Every device class of a bitmap set offers the default scales to be filled.
    for (const TqoAssetGroup& LGroup : GetAssetsManager().GetGroupedAssets())
        if (LGroup.First()->GetKind() == TqoAssetBitmapSet::Kind)
            RestoreBitmapScales(LGroup);
    Include(TqoState::Loading);
    try {
        if (FOnLoaded)
            FOnLoaded();
    } catch (...) {
        Exclude(TqoState::Loading);
        throw;
    }
    Exclude(TqoState::Loading);
}

void TqoAssetsDocument::RestoreBitmapScales(const TqoAssetGroup& AGroup)
{
    // The last device class keeps the scales it has.
    for (int LClass = 0; LClass <= 4; ++LClass)
        for (const TqoAssetPtr& LAsset : AGroup.GetAssets())
            if (int(LAsset->GetDeviceClass()) == LClass) {
                if (auto* LSet = dynamic_cast<TqoAssetBitmapSet*>(LAsset.get()))
                    LSet->AddDefaultScales();
                break;
            }
}

void TqoAssetsDocument::CheckConfigWritable()
{
    if (FLoadError.isEmpty())
        return;
    const QString LConfigFileName = GetConfigFileName();
    if (!QFileInfo::exists(LConfigFileName)) {
        FLoadError.clear();
        FConfigStamp.clear();
        return;
    }
    try {
        TqoAssetsManager LScratch;
        TqoAssetsFactory::LoadFromFile(LScratch, LConfigFileName);
    } catch (const EqoFileError& E) {
        FLoadError = E.Message();
        throw EqoFileError(E.FileName(), E.Line(),
                           QStringLiteral("the configuration did not load, so it is not saved over; fix or remove "
                                          "the file first: %1")
                               .arg(FLoadError));
    }
    // Fixed since the failed load: its assets join the document before it is written over.
    FConfigStamp = ConfigStamp(LConfigFileName);
    FModel->LoadFromFile(LConfigFileName);
    FModel->CleanUp();
    FLoadError.clear();
}

void TqoAssetsDocument::CheckConfigUnchanged()
{
    if (!FLoadError.isEmpty())
        return; // the failed load has its own check
    const QString LConfigFileName = GetConfigFileName();
    if (ConfigStamp(LConfigFileName) != FConfigStamp)
        throw EqoFileError(LConfigFileName, 0,
                           QStringLiteral("another program changed the assets' configuration since the Assets Manager "
                                          "loaded it; nothing was saved, so that its changes are not lost. Close the "
                                          "Assets Manager and open it again to see them"));
}

QByteArray TqoAssetsDocument::ConfigStamp(const QString& AConfigFileName)
{
    QFile LFile(AConfigFileName);
    if (!LFile.open(QIODevice::ReadOnly))
        return QByteArray();
    QCryptographicHash LHash(QCryptographicHash::Sha1);
    LHash.addData(&LFile);
    return LHash.result();
}

void TqoAssetsDocument::CheckTargets(const std::shared_ptr<ide::IOTAProject>& AProject, bool AIsProjectDestroying) const
{
    const QString LConfigFileName = GetConfigFileName();
    QStringList LFiles = {LConfigFileName, TqoAssetsModel::GetAndroidConfigFileName(LConfigFileName),
                          TqoAssetsModel::GetIOSConfigFileName(LConfigFileName),
                          TqoAssetsModel::GetBackupFileName(LConfigFileName)};
    if (AProject) {
        LFiles << TqoAssetsConstsGenerator::UnitFileNameOf(*AProject, AIsProjectDestroying);
        if (!AIsProjectDestroying)
            LFiles << AProject->FileName();
    }
    for (const QString& LFile : LFiles)
        CheckWritableTarget(LFile);
}

TqoAssetsSaveResult TqoAssetsDocument::Save(bool AIsProjectDestroying)
{
    const auto LProject = FProject.lock();
    const QString LConfigFileName = GetConfigFileName();
    // Another program saving the same project waits for this one, or this one for it.
    std::optional<TqoProjectLock> LLock;
    if (LProject && QFileInfo::exists(LProject->FileName()))
        LLock.emplace(LProject->FileName());
    CheckConfigWritable();
    CheckConfigUnchanged();
    // Checked before the project's manager is emptied: a refused name or a file that cannot
    // be written changes nothing.
    for (const TqoAssetPtr& LAsset : GetAssetsManager().GetAllAssets())
        TqoAssetsModel::CheckAssetName(LAsset->GetName());
    CheckTargets(LProject, AIsProjectDestroying);

    const std::shared_ptr<TqoAssetsManager> LProjectManager = FindProjectAssetsManager(FProjectGUID);
    if (LProjectManager) {
        try {
            LProjectManager->Clear();
        } catch (...) {
        }
    }

    TqoAssetsSaveResult LResult;
    try {
        LResult = FModel->SaveToFile(LConfigFileName);
        FConfigStamp = ConfigStamp(LConfigFileName);
        // The document reads what it wrote, and the project's manager is refilled from the
        // same reading: the file is parsed once for both.
        std::vector<TqoAssetsManager*> LManagers{&FModel->GetAssetsManager()};
        if (LProjectManager)
            LManagers.push_back(LProjectManager.get());
        TqoAssetsFactory::LoadFromFile(LManagers, LConfigFileName);
    } catch (...) {
        // What this save wrote before it stopped is not another program's change.
        FConfigStamp = ConfigStamp(LConfigFileName);
        // The form designer keeps what is on disk rather than an emptied manager.
        if (LProjectManager) {
            try {
                TqoAssetsFactory::LoadFromFile(*LProjectManager, LConfigFileName);
            } catch (...) {
            }
        }
        throw;
    }

    if (!AIsProjectDestroying)
        RefreshDeployment(LProject);
    if (LProject) {
        LProject->MarkModified();
        TqoLog::Trace(CLogCategory,
                      QStringLiteral("Перенос ассет-менеджера из локального в проект: projectFileName=\"%1\", "
                                     "configFileName=\"%2\""),
                      LProject->FileName(), LConfigFileName);
        const QString LUnit = TqoAssetsConstsGenerator::UnitFileNameOf(*LProject, AIsProjectDestroying);
        const TqoFileStamp LBefore = TqoFileStamp::Of(LUnit);
        LResult.Warnings << TqoAssetsConstsGenerator::GenerateAssetsConsts(LProject, AIsProjectDestroying);
        (LBefore == TqoFileStamp::Of(LUnit) ? LResult.UnchangedFiles : LResult.WrittenFiles).append(LUnit);
    }
    return LResult;
}

std::shared_ptr<TqoAssetsManager> TqoAssetsDocument::FindProjectAssetsManager(const QString& AProjectGUID)
{
    if (AProjectGUID.isEmpty())
        return nullptr;
    return dsgn::TqoIdeEventsListener::Instance().GetAssetsManager(AProjectGUID);
}

void TqoAssetsDocument::RefreshDeployment(const std::shared_ptr<ide::IOTAProject>& AProject) const
{
    TqoAssetsDeployment LDeployment(AProject);
    LDeployment.AddToDeploy(FModel->GetAssetsManager());
}

void TqoAssetsDocument::LoadUISettings()
{
    const int LTreeWidth = dsgn::TqoIdeSettings::ReadInteger(QStringLiteral("IdeSettings"), QStringLiteral("0"), 0);
    if (LTreeWidth > 0)
        FTreeWidth = LTreeWidth;
    const int LColumnWidth = dsgn::TqoIdeSettings::ReadInteger(QStringLiteral("IdeSettings"), QStringLiteral("1"), 0);
    if (LColumnWidth > 0)
        FInfoColumnWidth = LColumnWidth;
}

void TqoAssetsDocument::SaveUISettings() const
{
    dsgn::TqoIdeSettings::WriteInteger(QStringLiteral("IdeSettings"), QStringLiteral("0"), FTreeWidth);
    dsgn::TqoIdeSettings::WriteInteger(QStringLiteral("IdeSettings"), QStringLiteral("1"), FInfoColumnWidth);
}

} // namespace orvo
