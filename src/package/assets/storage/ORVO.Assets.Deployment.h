#pragma once

#include "ORVO.Assets.h"
#include "ToolsAPI.h"

#include <QString>
#include <QStringList>
#include <memory>

namespace orvo {

// Keeps a project's deployment entries in step with its assets: the two per-platform
// configuration files and every stored asset file, for every supported Android and iOS
// platform, in "Debug" and "Release", under the classes "ORVO_AssetsConfig" and "ORVO_Assets".
// Local names are relative to the project folder and use backslashes, as the IDE writes them.
class TqoAssetsDeployment
{
public:
    static const QString AssetsClass;       // "ORVO_Assets"
    static const QString AssetsConfigClass; // "ORVO_AssetsConfig"

    // Logs an error and stays usable (AddToDeploy then fails) when the project offers no
    // deployment service.
    explicit TqoAssetsDeployment(const std::shared_ptr<ide::IOTAProject>& AProject);

    // Removes every entry of both classes, then enters the configuration files and the files
    // of every asset of AAssetsManager, whether they exist or not. Raises EqoAssertionFailed,
    // changing nothing, without a project, a manager or a deployment service.
    void AddToDeploy(const core::TqoAssetsManager* AAssetsManager);
    void AddToDeploy(const core::TqoAssetsManager& AAssetsManager) { AddToDeploy(&AAssetsManager); }
    // Enters the files of one asset that exist on disk.
    void AddFiles(const core::TqoAsset& AAsset);
    // Removes the entries of one asset's files.
    void RemoveFiles(const core::TqoAsset& AAsset);
    // Removes the entries of one local file for every supported platform; nothing for an empty name.
    void RemoveFiles(const QString& ALocalFileName);
    void RemoveAllAssetsFilesFromDeployment();
    // Makes sure the project knows both deployment classes; true when one was added.
    bool RegisterDeployClasses();

    // One file to deploy, named as the IDE names it.
    struct TqoDeployItem
    {
        QString LocalName;
        QString RemoteDir;
        QString RemoteName;
    };
    // What the asset deploys: one item per file (per bitmap info with a uri for a bitmap set),
    // none for colors, styles and themes. AAssetsFolder is the project's assets folder; uris
    // below it are made relative to it.
    static std::vector<TqoDeployItem> DeployItems(const core::TqoAsset& AAsset, const QString& AAssetsFolder);

private:
    std::shared_ptr<ide::IOTAProject> LockProject() const;
    QString AssetsFolder() const;
    void AddFile(const QString& APlatform, const TqoDeployItem& AItem, const QString& AClass);
    // Whether the entries of both classes are those the items (with their classes) make: the
    // same local names, configurations and platforms.
    bool HasEntries(const std::vector<std::pair<TqoDeployItem, QString>>& AItems) const;
    void AddAndroidFile(const TqoDeployItem& AItem, const QString& AClass);
    void AddiOSFile(const TqoDeployItem& AItem, const QString& AClass);

    std::weak_ptr<ide::IOTAProject> FProject;
    std::shared_ptr<ide::IProjectDeployment> FDeploymentManager;
};

// Makes sure the project's file defines the deployment classes "ORVO_Assets" and
// "ORVO_AssetsConfig" for every supported platform; true when one was added, false also when
// the project offers no deployment service.
bool RegisterAssetsDeployClasses(const std::shared_ptr<ide::IOTAProject>& AProject);

// Subscribes to the project-opened message: every project the IDE opens whose asset manager
// the IDE events listener keeps gets its entries rebuilt. Called once from the package's
// registration; calling it again replaces the subscription.
void RegisterAssetsDeployment();
// The unit's finalization: drops the subscription.
void FinalizeAssetsDeploymentUnit();
// Whether the subscription is in place.
bool IsAssetsDeploymentRegistered();

} // namespace orvo
