#include "ORVO.Assets.Deployment.h"

#include <algorithm>

#include "ORVO.Assert.h"
#include "ORVO.Designer.IdeEvents.h"
#include "ORVO.Designer.Platforms.h"
#include "ORVO.Log.h"
#include "System.Messaging.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <cmath>

namespace orvo {

using core::TqoAsset;

const QString TqoAssetsDeployment::AssetsClass = QStringLiteral("ORVO_Assets");
const QString TqoAssetsDeployment::AssetsConfigClass = QStringLiteral("ORVO_AssetsConfig");

namespace {

const QString LogCategory = QStringLiteral("AssetsDesigner");
const QString LocalFolder = QStringLiteral("Assets");
const QString RemoteFolder = QStringLiteral("assets");
const QString RemoteFontsFolder = QStringLiteral("assets\\fonts");
const QString RemoteConfigName = QStringLiteral("config.json");
const QString AndroidConfigFile = QStringLiteral("Assets\\config-android.json");
const QString iOSConfigFile = QStringLiteral("Assets\\config-ios.json");

const QStringList& Configurations()
{
    static const QStringList List = {QStringLiteral("Debug"), QStringLiteral("Release")};
    return List;
}

// Joins path parts with one backslash where needed; an empty part adds nothing and an
// absolute part replaces what came before it.
QString CombinePath(std::initializer_list<QString> AParts)
{
    QString Result;
    for (QString Part : AParts) {
        if (Part.isEmpty())
            continue;
        if (core::TqoAssetUri::IsAbsolute(Part)) {
            Result = Part;
            continue;
        }
        Part.replace(QLatin1Char('/'), QLatin1Char('\\'));
        if (!Result.isEmpty() && !Result.endsWith(QLatin1Char('\\')) && !Result.endsWith(QLatin1Char('/')))
            Result += QLatin1Char('\\');
        Result += Part;
    }
    return Result;
}

// The extension with its dot, empty when the last level has none.
QString ExtractFileExt(const QString& AFileName)
{
    const qsizetype Dot = AFileName.lastIndexOf(QLatin1Char('.'));
    const qsizetype Separator =
        std::max(AFileName.lastIndexOf(QLatin1Char('\\')), AFileName.lastIndexOf(QLatin1Char('/')));
    return Dot > Separator ? AFileName.mid(Dot) : QString();
}

// A uri below the assets folder becomes relative to it; any other stays as it is.
QString RelativeToAssetsFolder(const QString& AUri, const QString& AAssetsFolder)
{
    QString Uri = AUri;
    QString Folder = AAssetsFolder;
    Uri.replace(QLatin1Char('\\'), QLatin1Char('/'));
    Folder.replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (Folder.endsWith(QLatin1Char('/')))
        Folder.chop(1);
    if (!Folder.isEmpty() && Uri.startsWith(Folder + QLatin1Char('/'), Qt::CaseInsensitive))
        return AUri.mid(Folder.size() + 1);
    return AUri;
}

bool EnsureDeployClasses(ide::IProjectDeployment& ADeployment)
{
    std::vector<ide::TDeployClassPlatform> Platforms;
    for (const QString& Platform : dsgn::ORVOSupportedPlatforms)
        Platforms.push_back({Platform, RemoteFolder, 0});
    const bool AddedAssets = ADeployment.EnsureDeployClass(TqoAssetsDeployment::AssetsClass, Platforms);
    const bool AddedConfig = ADeployment.EnsureDeployClass(TqoAssetsDeployment::AssetsConfigClass, Platforms);
    return AddedAssets || AddedConfig;
}

int SubscriptionId = 0;

void ProjectOpened(const void* /*ASender*/, const ide::TMessageBase& AMessage)
{
    const auto* Message = core::TqoAssert::IsClass<const dsgn::TqoProjectOpenedMessage>(&AMessage);
    const std::shared_ptr<ide::IOTAProject>& Project = Message->Value();
    core::TqoAssert::IsNotNil(Project, QStringLiteral("AProject"));
    const auto Manager = dsgn::TqoIdeEventsListener::Instance().GetAssetsManager(Project->ProjectGUID());
    if (!Manager)
        return;
    TqoAssetsDeployment Deployment(Project);
    Deployment.AddToDeploy(Manager.get());
}

} // namespace

TqoAssetsDeployment::TqoAssetsDeployment(const std::shared_ptr<ide::IOTAProject>& AProject)
{
    core::TqoAssert::IsNotNil(AProject, QStringLiteral("AProject"));
    FProject = AProject;
    FDeploymentManager = AProject->ProjectDeployment();
    if (!FDeploymentManager)
        core::TqoLog::Error(LogCategory,
                            QStringLiteral("Не могу задеплоить файлы изображений. Сервис деплоя не доступен"));
}

std::shared_ptr<ide::IOTAProject> TqoAssetsDeployment::LockProject() const
{
    auto Project = FProject.lock();
    core::TqoAssert::IsNotNil(Project, QStringLiteral("FProject"));
    return Project;
}

QString TqoAssetsDeployment::AssetsFolder() const
{
    return QDir(QFileInfo(LockProject()->FileName()).absolutePath()).filePath(LocalFolder);
}

std::vector<TqoAssetsDeployment::TqoDeployItem> TqoAssetsDeployment::DeployItems(const TqoAsset& AAsset,
                                                                                 const QString& AAssetsFolder)
{
    std::vector<TqoDeployItem> Items;
    const QString TargetId = AAsset.GetTargetId();
    // Assets keep their files in a folder named like the asset, one file per target id.
    const auto FileOfUri = [&](const QString& AUri) {
        return CombinePath({LocalFolder, AAsset.GetName(), TargetId + ExtractFileExt(AUri)});
    };
    const QString RemoteDir = CombinePath({RemoteFolder, AAsset.GetRelativePath(), AAsset.GetShortName()});

    if (const auto* Font = dynamic_cast<const core::TqoAssetFont*>(&AAsset)) {
        Items.push_back({FileOfUri(Font->GetUri()), CombinePath({RemoteFontsFolder, AAsset.GetName()}),
                         TargetId + ExtractFileExt(Font->GetUri())});
    } else if (const auto* File = dynamic_cast<const core::TqoAssetFile*>(&AAsset)) {
        Items.push_back({FileOfUri(File->GetUri()), RemoteDir, TargetId + ExtractFileExt(File->GetUri())});
    } else if (const auto* Lottie = dynamic_cast<const core::TqoAssetLottieAnimation*>(&AAsset)) {
        Items.push_back({FileOfUri(Lottie->GetUri()), RemoteDir, TargetId + ExtractFileExt(Lottie->GetUri())});
    } else if (const auto* SVG = dynamic_cast<const core::TqoAssetSVG*>(&AAsset)) {
        // Only the vector file reaches the device; the SVG copy is design data.
        Items.push_back({FileOfUri(SVG->GetVectorUri()), RemoteDir, TargetId + ExtractFileExt(SVG->GetVectorUri())});
    } else if (const auto* Set = dynamic_cast<const core::TqoAssetBitmapSet*>(&AAsset)) {
        for (const core::TqoBitmapInfo* Info : Set->GetBitmapInfos()) {
            if (Info->GetUri().isEmpty())
                continue;
            Items.push_back(
                {CombinePath({LocalFolder, RelativeToAssetsFolder(Info->GetUri(), AAssetsFolder)}), RemoteDir,
                 QStringLiteral("%1@%2x%3").arg(TargetId, Info->GetScaleText(), ExtractFileExt(Info->GetUri()))});
        }
    }
    return Items;
}

void TqoAssetsDeployment::AddFile(const QString& APlatform, const TqoDeployItem& AItem, const QString& AClass)
{
    for (const QString& Configuration : Configurations()) {
        const auto Entry = FDeploymentManager->GetFile(Configuration, APlatform, AItem.LocalName);
        Entry->SetDeploymentClass(AClass);
        Entry->SetConfiguration(Configuration);
        Entry->SetEnabled(APlatform, true);
        Entry->SetOperation(APlatform, 0);
        Entry->SetRemoteDir(APlatform, AItem.RemoteDir);
        Entry->SetRemoteName(APlatform, AItem.RemoteName);
    }
}

void TqoAssetsDeployment::AddAndroidFile(const TqoDeployItem& AItem, const QString& AClass)
{
    for (const QString& Platform : dsgn::ORVOSupportedAndroidPlatforms)
        AddFile(Platform, AItem, AClass);
}

void TqoAssetsDeployment::AddiOSFile(const TqoDeployItem& AItem, const QString& AClass)
{
    for (const QString& Platform : dsgn::ORVOSupportediOSPlatforms)
        AddFile(Platform, AItem, AClass);
}

void TqoAssetsDeployment::RemoveFiles(const QString& ALocalFileName)
{
    if (ALocalFileName.isEmpty())
        return;
    core::TqoAssert::IsNotNil(FDeploymentManager, QStringLiteral("FDeploymentManager"));
    for (const QString& Platform : dsgn::ORVOSupportedPlatforms)
        for (const QString& Configuration : Configurations())
            FDeploymentManager->RemoveFile(Configuration, Platform, ALocalFileName);
}

void TqoAssetsDeployment::RemoveAllAssetsFilesFromDeployment()
{
    core::TqoAssert::IsNotNil(FDeploymentManager, QStringLiteral("FDeploymentManager"));
    FDeploymentManager->RemoveFilesOfClass(AssetsClass);
    FDeploymentManager->RemoveFilesOfClass(AssetsConfigClass);
}

bool TqoAssetsDeployment::RegisterDeployClasses()
{
    core::TqoAssert::IsNotNil(FDeploymentManager, QStringLiteral("FDeploymentManager"));
    return EnsureDeployClasses(*FDeploymentManager);
}

void TqoAssetsDeployment::AddToDeploy(const core::TqoAssetsManager* AAssetsManager)
{
    LockProject();
    core::TqoAssert::IsNotNil(AAssetsManager, QStringLiteral("AAssetsManager"));
    const QString Folder = AssetsFolder();

    // In the order of the asset ids, not of the manager: a manager refilled from the written
    // configuration holds the same assets in another order, and a save that changes nothing
    // must leave the project file as it was.
    std::vector<core::TqoAssetPtr> Assets = AAssetsManager->GetAllAssets();
    std::stable_sort(Assets.begin(), Assets.end(),
                     [](const core::TqoAssetPtr& A, const core::TqoAssetPtr& B) { return A->GetId() < B->GetId(); });
    std::vector<std::pair<TqoDeployItem, QString>> Items = {
        {{AndroidConfigFile, RemoteFolder, RemoteConfigName}, AssetsConfigClass},
        {{iOSConfigFile, RemoteFolder, RemoteConfigName}, AssetsConfigClass}};
    for (const core::TqoAssetPtr& Asset : Assets)
        for (const TqoDeployItem& Item : DeployItems(*Asset, Folder))
            Items.push_back({Item, AssetsClass});

    // Rebuilding the entries costs far more than reading them: entries that are already what
    // the rebuild would make stay as they are.
    const bool AddedClasses = RegisterDeployClasses();
    if (!AddedClasses && HasEntries(Items))
        return;

    RemoveAllAssetsFilesFromDeployment();
    RegisterDeployClasses();
    AddAndroidFile(Items[0].first, AssetsConfigClass);
    AddiOSFile(Items[1].first, AssetsConfigClass);
    for (size_t I = 2; I < Items.size(); ++I) {
        AddAndroidFile(Items[I].first, AssetsClass);
        AddiOSFile(Items[I].first, AssetsClass);
    }
}

bool TqoAssetsDeployment::HasEntries(const std::vector<std::pair<TqoDeployItem, QString>>& AItems) const
{
    // Compared by local name, class, configuration and platforms. The remote names follow from
    // the local name, so they are not read back: reading every entry's values per platform
    // would cost most of what the rebuild costs.
    const auto Sorted = [](QStringList AList) {
        AList.sort();
        return AList;
    };
    const QStringList Android = Sorted(dsgn::ORVOSupportedAndroidPlatforms);
    const QStringList IOS = Sorted(dsgn::ORVOSupportediOSPlatforms);
    const QStringList Both = Sorted(dsgn::ORVOSupportedAndroidPlatforms + dsgn::ORVOSupportediOSPlatforms);
    QHash<QString, std::pair<QString, const QStringList*>> Wanted; // local name -> class, sorted platforms
    Wanted.reserve(qsizetype(AItems.size()));
    for (const auto& [Item, Class] : AItems) {
        // The configuration files are one per platform family.
        const QStringList* Platforms = Item.LocalName == AndroidConfigFile ? &Android
                                       : Item.LocalName == iOSConfigFile   ? &IOS
                                                                           : &Both;
        Wanted.insert(Item.LocalName, {Class, Platforms});
    }
    qsizetype Count = 0;
    for (const auto& File : FDeploymentManager->Files()) {
        const QString Class = File->DeploymentClass();
        if (Class != AssetsClass && Class != AssetsConfigClass)
            continue;
        ++Count;
        const auto It = Wanted.constFind(File->LocalName());
        if (It == Wanted.constEnd() || It->first != Class || !Configurations().contains(File->Configuration()))
            return false;
        QStringList Platforms = File->Platforms();
        Platforms.sort();
        if (Platforms != *It->second)
            return false;
    }
    // Each local name once per configuration.
    return Count == Wanted.size() * Configurations().size();
}

void TqoAssetsDeployment::AddFiles(const TqoAsset& AAsset)
{
    core::TqoAssert::IsNotNil(FDeploymentManager, QStringLiteral("FDeploymentManager"));
    const QDir ProjectFolder(QFileInfo(LockProject()->FileName()).absolutePath());
    for (const TqoDeployItem& Item : DeployItems(AAsset, AssetsFolder())) {
        QString LocalFile = Item.LocalName;
        if (!core::TqoAssetUri::IsAbsolute(LocalFile))
            LocalFile = ProjectFolder.filePath(LocalFile.replace(QLatin1Char('\\'), QLatin1Char('/')));
        if (!QFileInfo(LocalFile).isFile())
            continue;
        AddAndroidFile(Item, AssetsClass);
        AddiOSFile(Item, AssetsClass);
    }
}

void TqoAssetsDeployment::RemoveFiles(const TqoAsset& AAsset)
{
    for (const TqoDeployItem& Item : DeployItems(AAsset, AssetsFolder()))
        RemoveFiles(Item.LocalName);
}

bool RegisterAssetsDeployClasses(const std::shared_ptr<ide::IOTAProject>& AProject)
{
    core::TqoAssert::IsNotNil(AProject, QStringLiteral("AProject"));
    const auto Deployment = AProject->ProjectDeployment();
    return Deployment && EnsureDeployClasses(*Deployment);
}

void RegisterAssetsDeployment()
{
    FinalizeAssetsDeploymentUnit();
    SubscriptionId = ide::TMessageManager::DefaultManager().SubscribeToMessage(
        std::type_index(typeid(dsgn::TqoProjectOpenedMessage)), &ProjectOpened);
}

void FinalizeAssetsDeploymentUnit()
{
    if (SubscriptionId == 0)
        return;
    ide::TMessageManager::DefaultManager().Unsubscribe<dsgn::TqoProjectOpenedMessage>(SubscriptionId);
    SubscriptionId = 0;
}

bool IsAssetsDeploymentRegistered() { return SubscriptionId != 0; }

} // namespace orvo
