#pragma once

// One editor object per asset kind: how an asset's files are stored in the project's assets
// folder, how it is previewed and described in the Assets Manager, which frame edits it, and
// how a dropped file becomes an asset. The editors live in one registry keyed by kind.

#include "ORVO.Assets.h"
#include "ORVO.Exceptions.h"

#include <QFlags>
#include <QHash>
#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

namespace orvo {

// Editing frames of single assets; defined with the asset editors.
class TBaseAssetEditorFrame;

enum class TqoAssetEditorOption
{
    UniquePreview = 0x1, // previews are drawn per asset by GeneratePreview
    AssetContainer = 0x2 // the kind's assets hold other assets
};
Q_DECLARE_FLAGS(TqoAssetEditorOptions, TqoAssetEditorOption)

// Failures of the registry's dictionary: a key registered twice, a key never registered.
class EListError : public core::EqoException
{
public:
    using core::EqoException::EqoException;
};

// The storage cannot place an asset's files: a folder cannot be created, or the asset's
// name would lead outside the assets folder.
class EqoAssetStorageError : public core::EqoException
{
public:
    using core::EqoException::EqoException;
};

class IORVOAssetEditor
{
public:
    virtual ~IORVOAssetEditor() = default;

    virtual TqoAssetEditorOptions GetOptions() const = 0;
    // A short description shown next to the asset.
    virtual QString GetAdditionalInfo(const core::TqoAsset* AAsset) const = 0;
    // Index into the Assets Manager's 24x24 kind images; -1 when the preview is generated.
    virtual int GetPreviewImageIndex() const = 0;
    // A new window bitmap of ASize, or null (kinds without UniquePreview, an empty size).
    virtual std::unique_ptr<QImage> GeneratePreview(const core::TqoAsset* AAsset, const QSize& ASize) const = 0;
    // A new editing frame without a parent (the caller owns it), or null.
    virtual TBaseAssetEditorFrame* CreateEditor(core::TqoAsset* AAsset) const = 0;
    // Writes the asset's files under ARootPath (the project's assets folder), points the
    // asset's uris at them (relative to ARootPath) and returns the full path of every file
    // written or kept.
    virtual QStringList SaveTo(core::TqoAsset* AAsset, const QString& ARootPath) const = 0;
    // A new asset named AAssetName made from the file, or null when the kind does not take it.
    virtual std::unique_ptr<core::TqoAsset> TryCreateAsset(const QString& AAssetName,
                                                           const QString& AFileName) const = 0;
};

using IORVOAssetEditorPtr = std::shared_ptr<IORVOAssetEditor>;

class TqoAssetEditorColor : public IORVOAssetEditor
{
public:
    TqoAssetEditorOptions GetOptions() const override { return TqoAssetEditorOption::UniquePreview; }
    QString GetAdditionalInfo(const core::TqoAsset* AAsset) const override;
    int GetPreviewImageIndex() const override { return -1; }
    std::unique_ptr<QImage> GeneratePreview(const core::TqoAsset* AAsset, const QSize& ASize) const override;
    TBaseAssetEditorFrame* CreateEditor(core::TqoAsset* AAsset) const override;
    QStringList SaveTo(core::TqoAsset* AAsset, const QString& ARootPath) const override;
    std::unique_ptr<core::TqoAsset> TryCreateAsset(const QString& AAssetName, const QString& AFileName) const override;
};

class TqoAssetEditorBitmapSet : public IORVOAssetEditor
{
public:
    TqoAssetEditorOptions GetOptions() const override { return TqoAssetEditorOption::UniquePreview; }
    QString GetAdditionalInfo(const core::TqoAsset* AAsset) const override;
    int GetPreviewImageIndex() const override { return -1; }
    std::unique_ptr<QImage> GeneratePreview(const core::TqoAsset* AAsset, const QSize& ASize) const override;
    TBaseAssetEditorFrame* CreateEditor(core::TqoAsset* AAsset) const override;
    QStringList SaveTo(core::TqoAsset* AAsset, const QString& ARootPath) const override;
    std::unique_ptr<core::TqoAsset> TryCreateAsset(const QString& AAssetName, const QString& AFileName) const override;
};

class TqoAssetEditorFont : public IORVOAssetEditor
{
public:
    TqoAssetEditorOptions GetOptions() const override { return {}; }
    QString GetAdditionalInfo(const core::TqoAsset* AAsset) const override;
    int GetPreviewImageIndex() const override { return 1; }
    std::unique_ptr<QImage> GeneratePreview(const core::TqoAsset* AAsset, const QSize& ASize) const override;
    TBaseAssetEditorFrame* CreateEditor(core::TqoAsset* AAsset) const override;
    QStringList SaveTo(core::TqoAsset* AAsset, const QString& ARootPath) const override;
    std::unique_ptr<core::TqoAsset> TryCreateAsset(const QString& AAssetName, const QString& AFileName) const override;
};

class TqoAssetEditorLottieAnimation : public IORVOAssetEditor
{
public:
    TqoAssetEditorOptions GetOptions() const override { return {}; }
    QString GetAdditionalInfo(const core::TqoAsset* AAsset) const override;
    int GetPreviewImageIndex() const override { return 3; }
    std::unique_ptr<QImage> GeneratePreview(const core::TqoAsset* AAsset, const QSize& ASize) const override;
    TBaseAssetEditorFrame* CreateEditor(core::TqoAsset* AAsset) const override;
    QStringList SaveTo(core::TqoAsset* AAsset, const QString& ARootPath) const override;
    std::unique_ptr<core::TqoAsset> TryCreateAsset(const QString& AAssetName, const QString& AFileName) const override;
};

class TqoAssetEditorStyle : public IORVOAssetEditor
{
public:
    TqoAssetEditorOptions GetOptions() const override { return {}; }
    QString GetAdditionalInfo(const core::TqoAsset* AAsset) const override;
    int GetPreviewImageIndex() const override { return 4; }
    std::unique_ptr<QImage> GeneratePreview(const core::TqoAsset* AAsset, const QSize& ASize) const override;
    TBaseAssetEditorFrame* CreateEditor(core::TqoAsset* AAsset) const override;
    QStringList SaveTo(core::TqoAsset* AAsset, const QString& ARootPath) const override;
    std::unique_ptr<core::TqoAsset> TryCreateAsset(const QString& AAssetName, const QString& AFileName) const override;
};

class TqoAssetEditorSVG : public IORVOAssetEditor
{
public:
    TqoAssetEditorOptions GetOptions() const override { return TqoAssetEditorOption::UniquePreview; }
    QString GetAdditionalInfo(const core::TqoAsset* AAsset) const override;
    int GetPreviewImageIndex() const override { return -1; }
    std::unique_ptr<QImage> GeneratePreview(const core::TqoAsset* AAsset, const QSize& ASize) const override;
    TBaseAssetEditorFrame* CreateEditor(core::TqoAsset* AAsset) const override;
    QStringList SaveTo(core::TqoAsset* AAsset, const QString& ARootPath) const override;
    std::unique_ptr<core::TqoAsset> TryCreateAsset(const QString& AAssetName, const QString& AFileName) const override;
};

class TqoAssetEditorFile : public IORVOAssetEditor
{
public:
    TqoAssetEditorOptions GetOptions() const override { return {}; }
    QString GetAdditionalInfo(const core::TqoAsset* AAsset) const override;
    int GetPreviewImageIndex() const override { return 2; }
    std::unique_ptr<QImage> GeneratePreview(const core::TqoAsset* AAsset, const QSize& ASize) const override;
    TBaseAssetEditorFrame* CreateEditor(core::TqoAsset* AAsset) const override;
    QStringList SaveTo(core::TqoAsset* AAsset, const QString& ARootPath) const override;
    std::unique_ptr<core::TqoAsset> TryCreateAsset(const QString& AAssetName, const QString& AFileName) const override;
};

class TqoAssetEditorThemeContainer : public IORVOAssetEditor
{
public:
    TqoAssetEditorOptions GetOptions() const override { return TqoAssetEditorOption::AssetContainer; }
    QString GetAdditionalInfo(const core::TqoAsset* AAsset) const override;
    int GetPreviewImageIndex() const override { return 4; }
    std::unique_ptr<QImage> GeneratePreview(const core::TqoAsset* AAsset, const QSize& ASize) const override;
    TBaseAssetEditorFrame* CreateEditor(core::TqoAsset* AAsset) const override;
    QStringList SaveTo(core::TqoAsset* AAsset, const QString& ARootPath) const override;
    std::unique_ptr<core::TqoAsset> TryCreateAsset(const QString& AAssetName, const QString& AFileName) const override;
};

// The registry of per-kind editors, one instance for the life of the package.
class TqoAssetsEditorsManager
{
public:
    TqoAssetsEditorsManager() = default;
    TqoAssetsEditorsManager(const TqoAssetsEditorsManager&) = delete;
    TqoAssetsEditorsManager& operator=(const TqoAssetsEditorsManager&) = delete;

    // Raises EListError when the key is taken.
    void Register(const QString& AType, const IORVOAssetEditorPtr& AEditor);
    // The editor of a kind key (exact, case-sensitive); raises EListError for an unknown key.
    IORVOAssetEditorPtr GetEditors(const QString& Type) const;
    IORVOAssetEditorPtr Editors(const QString& Type) const { return GetEditors(Type); }
    const std::vector<IORVOAssetEditorPtr>& OrderedEditors() const { return FOrderedEditors; }

    // The first editor, in registration order, that makes an asset of the file; null when none does.
    std::unique_ptr<core::TqoAsset> TryCreateAsset(const QString& AAssetName, const QString& AFileName) const;

    // The package's registry; null outside the unit's initialization and finalization.
    static TqoAssetsEditorsManager* Instance() { return FInstance; }

private:
    friend void AssetsEditorsInitialization();
    friend void AssetsEditorsFinalization();

    QHash<QString, IORVOAssetEditorPtr> FEditors;
    std::vector<IORVOAssetEditorPtr> FOrderedEditors;

    static TqoAssetsEditorsManager* FInstance;
};

// The unit's initialization (creates the registry with the eight kinds, in order) and
// finalization (frees it). Calling either twice is harmless.
void AssetsEditorsInitialization();
void AssetsEditorsFinalization();

// A storage folder or file name must stay below the assets folder: the asset name rule of the
// model, checked again before anything is written. Raises EqoAssetStorageError.
void CheckStorageName(const QString& AAssetName);

} // namespace orvo

Q_DECLARE_OPERATORS_FOR_FLAGS(orvo::TqoAssetEditorOptions)
