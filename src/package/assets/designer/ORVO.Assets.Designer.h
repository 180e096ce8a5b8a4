#pragma once

// The Assets Manager's document: a local asset manager that the designer edits, its change
// reports, and the load and save of a project's asset configuration.

#include "ORVO.Assets.h"
#include "ORVO.Exceptions.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

namespace ide {
class IOTAProject;
}

namespace orvo {

// The kind of a change that the model reports.
enum class TqoAssetOperation
{
    Added,
    Deleting,
    Renamed
};

using TqoAssetRenamedEvent =
    std::function<void(const core::TqoAssetName& AOldAssetName, const core::TqoAssetName& ANewAssetName)>;
using TqoAssetChangedEvent = std::function<void(const core::TqoAssetName& AAssetName, TqoAssetOperation AOperation)>;
// Reported while the assets' files are written: ADone of ATotal assets are done.
using TqoSaveProgressEvent = std::function<void(int ADone, int ATotal, const QString& AAssetName)>;

// An asset name that cannot be stored: its files would land outside the assets folder or in a
// folder that some platform cannot make.
class EqoAssetNameError : public core::EqoException
{
public:
    using EqoException::EqoException;
};

// An asset that cannot join the document as asked: a taken variant, another kind than the
// name's other variants, or bitmaps that would share a file.
class EqoAssetVariantError : public core::EqoException
{
public:
    using EqoException::EqoException;
};

// What one write to disk did.
struct TqoAssetsSaveResult
{
    int AssetsCount = 0;
    QStringList KeptFiles;      // written or kept by the assets' storage and the three configuration files
    QStringList WrittenFiles;   // the kept files this save created or changed
    QStringList UnchangedFiles; // the kept files it left as they were, modification time included
    QStringList DeletedFiles;   // stale files that were deleted
    QStringList RemovedFolders; // folders left empty and removed
    QStringList FailedAssets;   // identifying texts of assets whose files could not be written
    QStringList Warnings;       // what the user should fix, such as names that collide in the constants unit
};

// The local asset manager of one Assets Manager view. Every change made through the model is
// reported by the two events; the manager can also be reached directly, which reports nothing.
class TqoAssetsModel
{
public:
    TqoAssetsModel();
    ~TqoAssetsModel();
    TqoAssetsModel(const TqoAssetsModel&) = delete;
    TqoAssetsModel& operator=(const TqoAssetsModel&) = delete;

    core::TqoAssetsManager& GetAssetsManager() const { return *FAssetsManager; }

    void SetOnAssetRenamed(TqoAssetRenamedEvent AEvent) { FOnAssetRenamed = std::move(AEvent); }
    void SetOnAssetChanged(TqoAssetChangedEvent AEvent) { FOnAssetChanged = std::move(AEvent); }
    void SetOnSaveProgress(TqoSaveProgressEvent AEvent) { FOnSaveProgress = std::move(AEvent); }

    // Adds the asset (the manager takes it over) and returns it.
    core::TqoAssetPtr AddAsset(core::TqoAssetPtr AAsset);
    // Adds a platform or device-class variant of a name that may exist already. The variant
    // must be free and of the kind of the name's other variants (EqoAssetVariantError).
    core::TqoAssetPtr AddVariant(core::TqoAssetPtr AAsset);
    // A new asset of the kind (a key of core::TqoAssetKinds) as the designer starts it.
    core::TqoAssetPtr AddEmpty(const QString& AKind, const core::TqoAssetName& AName);
    std::shared_ptr<core::TqoAssetColor> AddColor(const core::TqoAssetName& AName, core::TqoAlphaColor AColor);
    std::shared_ptr<core::TqoAssetBitmapSet> AddEmptyBitmapSet(const core::TqoAssetName& AName);
    std::shared_ptr<core::TqoAssetFile> AddEmptyFile(const core::TqoAssetName& AName);
    std::shared_ptr<core::TqoAssetFont> AddEmptyFont(const core::TqoAssetName& AName);
    std::shared_ptr<core::TqoAssetLottieAnimation> AddEmptyLottieAnimation(const core::TqoAssetName& AName);
    std::shared_ptr<core::TqoAssetStyle> AddEmptyStyle(const core::TqoAssetName& AName);
    std::shared_ptr<core::TqoAssetSVG> AddEmptySVG(const core::TqoAssetName& AName);
    void AddThemeContainer(const core::TqoAssetName& AName);
    // Adds every asset of the group with one report for the group's name.
    void AddGroup(const core::TqoAssetGroup& AGroup);
    // Adds the group's assets under the group's name made free in AFolder ("" for the top
    // level, otherwise a folder path ending with a backslash); returns the name they took.
    core::TqoAssetName AddGroupInFolder(const core::TqoAssetGroup& AGroup, const QString& AFolder);

    void Remove(const core::TqoAssetName& AName);
    void Removes(const QStringList& ANames);
    // A path ending with a backslash removes the folder's assets; any other path the one asset.
    void RemovePath(const QString& APath);
    // Renames every variant; a taken new name gets the first free "%s-%d" of it.
    void Rename(const core::TqoAssetName& AOldName, const core::TqoAssetName& ANewName);
    // Moves every asset below AOldPath to ANewPath (folder paths end with a backslash).
    void RenamePath(const QString& AOldPath, const QString& ANewPath);
    // Copies every variant of the name under a free name; the last copy, or nullptr.
    core::TqoAssetPtr Copy(const core::TqoAssetName& AName);
    // AName when it is free, otherwise the first free "%s-%d".
    core::TqoAssetName GenerateAssetName(const core::TqoAssetName& AName) const;
    // A new group with every variant of the name; the group shares the assets.
    std::unique_ptr<core::TqoAssetGroup> GetAssets(const core::TqoAssetName& AName) const;

    // Adds the file's assets to the local manager; a missing file changes nothing.
    void LoadFromFile(const QString& AFileName);
    // Writes every asset's files, the configuration and its two platform variants, then
    // deletes the files below the assets folder that no asset claims and the folders left empty.
    TqoAssetsSaveResult SaveToFile(const QString& AFileName);
    // Drops color variants that only repeat the color they would inherit.
    void CleanUp();

    // Raises EqoAssetNameError, with the reason, for a name that core::TqoAssetNameHelper
    // does not take as stored.
    static void CheckAssetName(const QString& AName);
    // The stored form of a name a person typed ("/" as separator, blanks trimmed); raises
    // EqoAssetNameError for a typed name that cannot be stored.
    static core::TqoAssetName NormalizeAssetName(const QString& AName);
    // An asset of the kind made from a file, for all platforms and device classes: the kind's
    // storage makes it as from a dropped file ("auto": the first kind that takes the file);
    // Lottie animations and styles take any file as their uri. nullptr when the kind does not
    // take the file.
    static std::unique_ptr<core::TqoAsset> CreateFromFile(const QString& AKind, const core::TqoAssetName& AName,
                                                          const QString& AFileName);
    // The three configuration files of a configuration file name.
    static QString GetAndroidConfigFileName(const QString& AConfigFileName);
    static QString GetIOSConfigFileName(const QString& AConfigFileName);
    static QString GetBackupFileName(const QString& AConfigFileName);

protected:
    void DoChanged(const core::TqoAssetName& AAssetName, TqoAssetOperation AOperation);
    void DoAssetRenamed(const core::TqoAssetName& AOldAssetName, const core::TqoAssetName& ANewAssetName);

private:
    // Raises when the asset cannot be stored: its name or its bitmaps' scales.
    static void CheckAsset(const core::TqoAsset& AAsset);
    QString FirstFreeName(const QString& AName) const;
    // The kind's storage writes the asset's files; returns the files written or kept.
    static QStringList WriteAssetFiles(core::TqoAsset& AAsset, const QString& ARootPath);

    std::unique_ptr<core::TqoAssetsManager> FAssetsManager;
    TqoAssetRenamedEvent FOnAssetRenamed;
    TqoAssetChangedEvent FOnAssetChanged;
    TqoSaveProgressEvent FOnSaveProgress;
};

enum class TqoState
{
    Modified,
    Loading,
    Renaming
};

// The document half of the Assets Manager frame, without widgets: the project, the model, load
// and save, the modified state and the layout settings. The frame holds one and hooks its tree
// onto OnLoaded and the model's reports.
class TqoAssetsDocument
{
public:
    TqoAssetsDocument();
    ~TqoAssetsDocument();
    TqoAssetsDocument(const TqoAssetsDocument&) = delete;
    TqoAssetsDocument& operator=(const TqoAssetsDocument&) = delete;

    // Keeps the project weakly, reads its GUID and loads the document.
    void SetProject(const std::shared_ptr<ide::IOTAProject>& AProject);
    std::shared_ptr<ide::IOTAProject> GetProject() const { return FProject.lock(); }
    QString GetProjectGUID() const { return FProjectGUID; }
    QString GetInitialAssetName() const { return FInitialAssetName; }
    void SetInitialAssetName(const QString& AName) { FInitialAssetName = AName; }

    // The project folder, "Assets", "config.json".
    QString GetConfigFileName() const;
    // Reads the configuration into the local manager and drops redundant color variants. A
    // configuration that does not parse raises EqoFileError (file and line); until that file
    // parses again or is gone, Save refuses to write over it.
    void Load();
    // Writes the document; AIsProjectDestroying leaves the deployment entries alone. Holds the
    // project's lock while it writes, and writes nothing when a target cannot be written (a
    // read-only file, a folder in a file's place, a symbolic link) or when another program
    // changed the configuration since it was loaded.
    TqoAssetsSaveResult Save(bool AIsProjectDestroying);

    void MarkModified() { FState |= StateBit(TqoState::Modified); }
    bool GetModified() const { return HasState(TqoState::Modified); }
    bool HasState(TqoState AState) const { return FState & StateBit(AState); }
    void Include(TqoState AState) { FState |= StateBit(AState); }
    void Exclude(TqoState AState) { FState &= ~StateBit(AState); }

    // Adds the empty default scales each device class of the bitmap set lacks (all classes but
    // the last), so the editor offers every scale; Load does it for every bitmap set.
    static void RestoreBitmapScales(const core::TqoAssetGroup& AGroup);

    // The load error that keeps Save from writing, or empty.
    QString GetLoadError() const { return FLoadError; }

    TqoAssetsModel& GetModel() const { return *FModel; }
    core::TqoAssetsManager& GetAssetsManager() const { return FModel->GetAssetsManager(); }

    // Called by Load while Loading is set, after the configuration is read: the frame builds
    // its tree there.
    void SetOnLoaded(std::function<void()> AEvent) { FOnLoaded = std::move(AEvent); }
    // Forwarded model reports; the document marks itself modified before passing them on.
    void SetOnAssetRenamed(TqoAssetRenamedEvent AEvent) { FOnAssetRenamed = std::move(AEvent); }
    void SetOnAssetChanged(TqoAssetChangedEvent AEvent) { FOnAssetChanged = std::move(AEvent); }

    // Layout of the frame: the tree's width (setting 0) and its second column's width (setting 1).
    int GetTreeWidth() const { return FTreeWidth; }
    void SetTreeWidth(int AValue) { FTreeWidth = AValue; }
    int GetInfoColumnWidth() const { return FInfoColumnWidth; }
    void SetInfoColumnWidth(int AValue) { FInfoColumnWidth = AValue; }
    void LoadUISettings();
    void SaveUISettings() const;

    static const QString LogCategory; // "AssetsDesigner"

private:
    static unsigned StateBit(TqoState AState) { return 1u << static_cast<unsigned>(AState); }
    void CheckConfigWritable();
    // Refuses to save over a configuration another program wrote since this document read it.
    void CheckConfigUnchanged();
    void CheckTargets(const std::shared_ptr<ide::IOTAProject>& AProject, bool AIsProjectDestroying) const;
    // The configuration's content as a hash; empty when there is no file.
    static QByteArray ConfigStamp(const QString& AConfigFileName);
    // The asset manager the IDE keeps for the project, or nullptr.
    static std::shared_ptr<core::TqoAssetsManager> FindProjectAssetsManager(const QString& AProjectGUID);
    void RefreshDeployment(const std::shared_ptr<ide::IOTAProject>& AProject) const;

    std::weak_ptr<ide::IOTAProject> FProject;
    QString FProjectGUID;
    unsigned FState = 0;
    std::unique_ptr<TqoAssetsModel> FModel;
    QString FInitialAssetName;
    QString FLoadError;
    QByteArray FConfigStamp;
    int FTreeWidth = 0;
    int FInfoColumnWidth = 0;
    std::function<void()> FOnLoaded;
    TqoAssetRenamedEvent FOnAssetRenamed;
    TqoAssetChangedEvent FOnAssetChanged;
};

} // namespace orvo
