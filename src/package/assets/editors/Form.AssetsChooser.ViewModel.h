#pragma once

// The graphic asset chooser's list without any window: which assets it offers, under which
// names, with which previews, filtered and sorted.

#include "ORVO.Assets.h"

#include <QHash>
#include <QImage>
#include <QSize>
#include <QString>
#include <functional>
#include <initializer_list>
#include <memory>
#include <vector>

namespace orvo {

// In the order the chooser tests an asset against them.
enum class TqoAssetType
{
    Bitmaps,
    Colors,
    Fonts,
    Files,
    LottieAnimations,
    Styles,
    SVG
};

class TqoAssetTypes
{
public:
    TqoAssetTypes() = default;
    TqoAssetTypes(std::initializer_list<TqoAssetType> ATypes)
    {
        for (TqoAssetType LType : ATypes)
            FBits |= Bit(LType);
    }
    bool Contains(TqoAssetType AType) const { return (FBits & Bit(AType)) != 0; }
    bool operator==(const TqoAssetTypes&) const = default;

private:
    static unsigned Bit(TqoAssetType AType) { return 1u << unsigned(AType); }
    unsigned FBits = 0;
};

class TqoGraphicItem
{
public:
    // Takes the preview over; null shares the empty preview.
    TqoGraphicItem(const QString& AName, std::unique_ptr<QImage> APreview);

    QString Name;    // the asset's name, a theme's assets with ":" after the theme name
    QString Caption; // Name with " -> " for ":"
    const QImage& Preview() const { return FPreview ? *FPreview : EmptyPreview(); }
    bool OwnsPreview() const { return FPreview != nullptr; }

    // Stands for every asset without a preview.
    static const QImage& EmptyPreview();

private:
    std::unique_ptr<QImage> FPreview;
};

// Folds only the letters a to z, as the chooser's sort does; otherwise ordinal.
int CompareNamesIgnoringCase(const QString& ALeft, const QString& ARight);

class TGraphicAssetChooserViemModel
{
public:
    // Lists the assets of AManager; null lists those of the manager the form designer uses
    // (CurrentDesignAssetsManager).
    explicit TGraphicAssetChooserViemModel(std::shared_ptr<core::TqoAssetsManager> AManager = nullptr);

    void SetAssetTypes(const TqoAssetTypes& ATypes);
    TqoAssetTypes GetAssetTypes() const { return FAssetTypes; }
    void SetFilter(const QString& AText);
    QString GetFilter() const { return FFilter; }
    void SetScale(double AScale);
    double GetScale() const { return FScale; }
    QSize GetPreviewSize() const;

    void BuildModel();
    void UpdateItems();
    QString ConvertAssetNameToThemeRelated(const QString& AName) const;
    // The asset's own name for a name the list shows.
    QString ConvertThemeRelatedToAssetName(const QString& AName) const;

    const std::vector<const TqoGraphicItem*>& VisibleItems() const { return FVisibleItems; }
    int ItemCount() const { return int(FItems.size()); }

    std::function<void()> OnChanged;

private:
    void AddItem(const QString& AAssetName, std::unique_ptr<QImage> APreview);
    std::unique_ptr<QImage> MakePreview(const core::TqoAsset& AAsset) const;

    std::shared_ptr<core::TqoAssetsManager> FManager;
    QHash<QString, std::shared_ptr<TqoGraphicItem>> FItems; // by lower-cased asset name
    std::vector<const TqoGraphicItem*> FVisibleItems;
    QString FFilter;
    TqoAssetTypes FAssetTypes{TqoAssetType::Bitmaps};
    double FScale = 1.0;
};

// The asset manager the form designer uses: the IDE's one for the active project, else the
// application-wide one.
std::shared_ptr<core::TqoAssetsManager> CurrentDesignAssetsManager();

} // namespace orvo
