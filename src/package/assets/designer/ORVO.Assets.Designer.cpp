#include "ORVO.Assets.Designer.h"

#include "ORVO.Designer.IdeEvents.h"
#include "ORVO.Designer.IdeSettings.h"
#include "assets/storage/ORVO.Assets.Constants.Generator.h"
#include "assets/storage/ORVO.Assets.Deployment.h"
#include "assets/storage/ORVO.Assets.Editors.h"

#include "ORVO.Assert.h"
#include "ORVO.Assets.Factory.h"
#include "ORVO.Log.h"
#include "ToolsAPI.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSet>
#include <array>
#include <optional>

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
QString FileKey(const QString& AFileName) { return CleanPath(AFileName).toCaseFolded(); }

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

    // Taken before anything is written: only what was there before can be stale.
    QStringList LExisting;
    for (QDirIterator LIt(LFolder, {QStringLiteral("*")}, QDir::Files | QDir::Hidden | QDir::System,
                          QDirIterator::Subdirectories);
         LIt.hasNext();)
        LExisting.append(LIt.next());

    QSet<QString> LKept;
    const auto LKeep = [&](const QString& AFile) {
        LKept.insert(FileKey(AFile));
        LResult.KeptFiles.append(AFile);
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

    // The backup is not kept either: a save that gets this far needs it no more. It is not
    // reported as a stale file.
    const QString LBackupKey = FileKey(GetBackupFileName(AFileName));
    for (const QString& LFile : LExisting) {
        if (LKept.contains(FileKey(LFile)))
            continue;
        QFile LStale(LFile);
        if (LStale.remove()) {
            if (FileKey(LFile) != LBackupKey)
                LResult.DeletedFiles.append(LFile);
        } else {
            TqoLog::Warning(CLogCategory,
                            QStringLiteral("Cannot delete file, which is not a part of assets now: fileName=\"%1\", "
                                           "error=\"%2\""),
                            LFile, LStale.errorString());
        }
    }
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
    try {
        FModel->LoadFromFile(LConfigFileName);
        FLoadError.clear();
    } catch (const std::exception& E) {
        FLoadError = QString::fromUtf8(E.what());
        throw;
    }
    FModel->CleanUp();
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

void TqoAssetsDocument::CheckConfigWritable()
{
    if (FLoadError.isEmpty())
        return;
    const QString LConfigFileName = GetConfigFileName();
    if (!QFileInfo::exists(LConfigFileName)) {
        FLoadError.clear();
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
    FModel->LoadFromFile(LConfigFileName);
    FModel->CleanUp();
    FLoadError.clear();
}

TqoAssetsSaveResult TqoAssetsDocument::Save(bool AIsProjectDestroying)
{
    const auto LProject = FProject.lock();
    const QString LConfigFileName = GetConfigFileName();
    CheckConfigWritable();
    // Checked before the project's manager is emptied: a refused name changes nothing.
    for (const TqoAssetPtr& LAsset : GetAssetsManager().GetAllAssets())
        TqoAssetsModel::CheckAssetName(LAsset->GetName());

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
        FModel->LoadFromFile(LConfigFileName);
    } catch (...) {
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
    }
    if (LProjectManager)
        TqoAssetsFactory::LoadFromFile(*LProjectManager, LConfigFileName);
    if (LProject)
        TqoAssetsConstsGenerator::GenerateAssetsConsts(LProject, AIsProjectDestroying);
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
