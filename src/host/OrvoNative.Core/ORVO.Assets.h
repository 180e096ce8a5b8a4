#pragma once

#include "ORVO.Bitmap.h"
#include "ORVO.Colors.h"
#include "ORVO.Nullable.h"
#include "ORVO.VectorImage.Document.h"

#include <QHash>
#include <QMargins>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace core {

using TqoAssetName = QString;

// Platforms an asset variant is meant for. All comes first and means every platform.
enum class TqoPlatform
{
    All,
    Android,
    iOS
};
constexpr int TqoPlatformCount = 3;

// Device classes an asset variant is meant for. All comes first and means every device;
// the three phone sizes are the form designer's Android phone skins.
enum class TqoDeviceClass
{
    All,
    PhoneSmall,
    PhoneNormal,
    PhoneLarge,
    Tablet,
    Watch
};
constexpr int TqoDeviceClassCount = 6;

// A set of platforms, for writing per-platform configuration files.
class TqoPlatforms
{
public:
    TqoPlatforms() = default;
    TqoPlatforms(std::initializer_list<TqoPlatform> APlatforms)
    {
        for (TqoPlatform p : APlatforms)
            Include(p);
    }
    static TqoPlatforms AllPlatforms() { return {TqoPlatform::All, TqoPlatform::Android, TqoPlatform::iOS}; }
    void Include(TqoPlatform APlatform) { FBits |= 1u << static_cast<unsigned>(APlatform); }
    void Exclude(TqoPlatform APlatform) { FBits &= ~(1u << static_cast<unsigned>(APlatform)); }
    bool Contains(TqoPlatform APlatform) const { return FBits & (1u << static_cast<unsigned>(APlatform)); }
    bool operator==(const TqoPlatforms&) const = default;

private:
    unsigned FBits = 0;
};

// Names of platforms and device classes as they appear in files and target ids.
class TqoTargetNames
{
public:
    static QString PlatformKey(TqoPlatform APlatform);          // "all", "android", "ios"
    static QString DeviceClassKey(TqoDeviceClass ADeviceClass); // "all", "phone-small", ..., "watch"
    static bool TryPlatformFromKey(const QString& AKey, TqoPlatform& APlatform);
    static bool TryDeviceClassFromKey(const QString& AKey, TqoDeviceClass& ADeviceClass);
    static QString PlatformDisplayName(TqoPlatform APlatform);          // "Android", "iOS"; "" for All
    static QString DeviceClassDisplayName(TqoDeviceClass ADeviceClass); // "Phone Small", ...; "" for All
};

// Asset names are levels separated by a backslash; the last level is the short name. Every
// level becomes a folder below the assets folder, so a name is only valid when each level can
// name a folder there on every platform the project is built on.
class TqoAssetNameHelper
{
public:
    static constexpr QChar Separator = QLatin1Char('\\');
    // Longer names make paths that Windows tools cannot open. A level is a folder name, and
    // 80 characters stay below the 255 bytes a file name may take in UTF-8.
    static constexpr int MaxLength = 200;
    static constexpr int MaxLevelLength = 80;

    // Why AName cannot be stored as it is, or an empty text when it can. Refused: an empty
    // name or level (a root, a doubled or trailing separator), "." and "..", a drive, a
    // character not allowed in file names, a level starting or ending with a blank or ending
    // with a dot (Windows drops those), a device name (CON, NUL, COM1...), and names or levels
    // longer than MaxLength or MaxLevelLength.
    static QString Check(const QString& AName);
    static bool IsValid(const QString& AName) { return Check(AName).isEmpty(); }
    // As Check, for a name a person typed: "/" separates levels and blanks around levels and
    // separators around the name are dropped, but a rooted text or a drive is refused rather
    // than made relative.
    static QString CheckTyped(const QString& AText);
    // The stored form of a typed name (see CheckTyped); an empty text when it is not valid.
    static QString Normalize(const QString& AName);
    // Everything before the last separator, without a trailing one; empty for a top-level name.
    static QString Path(const QString& AName);
    // The last level.
    static QString ShortName(const QString& AName);
    // APath and AShortName joined with one separator; either may be empty.
    static QString Combine(const QString& APath, const QString& AShortName);
};

// Uris of asset files: a path relative to the configuration file's folder (levels
// separated by backslashes, as the storage writes them) or an absolute path.
class TqoAssetUri
{
public:
    static bool IsAbsolute(const QString& AUri);
    // The local file named by AUri; relative uris are resolved against ABasePath.
    static QString ToFileName(const QString& AUri, const QString& ABasePath);
};

class TqoAsset;
using TqoAssetPtr = std::shared_ptr<TqoAsset>;
using TqoAssetList = std::vector<TqoAssetPtr>;
using TqoAssetPredicate = std::function<bool(const TqoAsset&)>;

// One variant of a named resource for one platform and one device class.
class TqoAsset
{
public:
    static const QString ThemeSeparator; // joins a theme name and an asset name inside it: "\\"

    virtual ~TqoAsset() = default;

    QString GetName() const { return FName; }
    TqoPlatform GetPlatform() const { return FPlatform; }
    TqoDeviceClass GetDeviceClass() const { return FDeviceClass; }
    virtual QString GetKind() const = 0;

    // Copy of this variant (platform, device class and content) under another name.
    std::unique_ptr<TqoAsset> Clone(const QString& ANewName) const;
    // Copy of the content as another variant.
    std::unique_ptr<TqoAsset> Clone(const QString& ANewName, TqoPlatform APlatform, TqoDeviceClass ADeviceClass) const;

    // The id of a variant: name, "@", target id. Unique per name, platform and device class.
    static QString GenerateId(const QString& AName, TqoPlatform APlatform, TqoDeviceClass ADeviceClass);
    QString GetId() const { return GenerateId(FName, FPlatform, FDeviceClass); }

    // Text of the variant used as a file's base name: "default", "android", "ios", "tablet",
    // "android-phone-small", "ios-tablet", ...
    static QString GetTargetId(TqoPlatform APlatform, TqoDeviceClass ADeviceClass);
    QString GetTargetId() const { return GetTargetId(FPlatform, FDeviceClass); }
    // "Universal", "Android", "Tablet", "iOS Tablet", ...
    static QString GetTargetDeviceDisplayName(TqoPlatform APlatform, TqoDeviceClass ADeviceClass);
    QString GetTargetDeviceDisplayName() const { return GetTargetDeviceDisplayName(FPlatform, FDeviceClass); }

    QString GetRelativePath() const { return TqoAssetNameHelper::Path(FName); }
    QString GetShortName() const { return TqoAssetNameHelper::ShortName(FName); }

    // Folder that relative uris are resolved against (the configuration file's folder).
    QString GetBasePath() const { return FBasePath; }
    virtual void SetBasePath(const QString& ABasePath) { FBasePath = ABasePath; }

    // An external asset keeps its files where they are: storage writes nothing for it.
    bool IsExternal() const { return FExternal; }
    void SetExternal(bool AValue) { FExternal = AValue; }

    // True when the asset has no content yet (no color, no file...).
    virtual bool IsEmpty() const = 0;

    // Identifying text for messages: kind "name" [target id].
    QString ToString() const;

protected:
    TqoAsset(const QString& AName, TqoPlatform APlatform, TqoDeviceClass ADeviceClass);
    TqoAsset(const TqoAsset&) = default;
    virtual std::unique_ptr<TqoAsset> DoClone() const = 0;

private:
    friend class TqoAssetsManager;
    QString FName;
    TqoPlatform FPlatform;
    TqoDeviceClass FDeviceClass;
    QString FBasePath;
    bool FExternal = false;
};

class TqoAssetColor : public TqoAsset
{
public:
    static const QString Kind; // "color"
    TqoAssetColor(const QString& AName, TqoPlatform APlatform = TqoPlatform::All,
                  TqoDeviceClass ADeviceClass = TqoDeviceClass::All);
    TqoAssetColor(const QString& AName, TqoAlphaColor AColor, TqoPlatform APlatform = TqoPlatform::All,
                  TqoDeviceClass ADeviceClass = TqoDeviceClass::All);
    QString GetKind() const override { return Kind; }
    bool IsEmpty() const override { return !FColor.HasValue(); }

    bool HasColor() const { return FColor.HasValue(); }
    // The color; 0 for an empty asset.
    TqoAlphaColor GetColor() const { return FColor.ValueOr(TqoAlphaColors::Null); }
    void SetColor(TqoAlphaColor AColor) { FColor = AColor; }
    void ClearColor() { FColor.Clear(); }
    // "#RRGGBB" / "#AARRGGBB"; empty for an empty asset.
    QString GetDisplayText() const;

protected:
    std::unique_ptr<TqoAsset> DoClone() const override { return std::make_unique<TqoAssetColor>(*this); }

private:
    TqoNullable<TqoAlphaColor> FColor;
};

// One bitmap of a bitmap set, for one display scale.
class TqoBitmapInfo
{
public:
    enum class TqoSource
    {
        None,  // no bitmap yet
        File,  // the file named by the uri
        Memory // a bitmap held in memory until the storage writes it
    };

    explicit TqoBitmapInfo(float AScale);
    TqoBitmapInfo(const QString& AUri, float AScale);

    float GetScale() const { return FScale; }
    void SetScale(float AScale) { FScale = AScale; }
    // The scale in stored file names: the scale times 10, truncated ("15" for 1.5). Two
    // scales with one text would be stored in one file, so a set holds each text once.
    static QString ScaleText(float AScale);
    QString GetScaleText() const { return ScaleText(FScale); }
    QString GetUri() const { return FUri; }
    // A non-empty uri makes the file the source; an empty one leaves no source.
    void SetUri(const QString& AUri);
    TqoSource GetSource() const { return FSource; }

    QString GetBasePath() const { return FBasePath; }
    void SetBasePath(const QString& ABasePath) { FBasePath = ABasePath; }
    // Local file of the uri (resolved against the base path); empty without a uri.
    QString GetFileName() const;

    // An in-memory bitmap, or for a file source an existing file.
    bool HasBitmap() const;
    // The bitmap (loaded from the file for a file source); raises when there is none.
    TqoBitmap GetBitmap() const;
    // The in-memory bitmap, or nullptr.
    const TqoBitmap* GetRawBitmap() const { return FBitmap ? &*FBitmap : nullptr; }
    // Makes an in-memory bitmap the source; the uri stays until the storage replaces it.
    void SetBitmap(const TqoBitmap& ABitmap);
    // No bitmap and no uri.
    void ClearBitmap();

    // Stretchable borders (left, top, right, bottom) in pixels of this scale's bitmap.
    const TqoNullable<QMargins>& GetCapInsets() const { return FCapInsets; }
    void SetCapInsets(const QMargins& AInsets) { FCapInsets = AInsets; }
    void ClearCapInsets() { FCapInsets.Clear(); }
    const TqoNullable<TqoAlphaColor>& GetTint() const { return FTint; }
    void SetTint(TqoAlphaColor AColor) { FTint = AColor; }
    void ClearTint() { FTint.Clear(); }

private:
    float FScale;
    QString FUri;
    TqoSource FSource = TqoSource::None;
    std::optional<TqoBitmap> FBitmap;
    TqoNullable<QMargins> FCapInsets;
    TqoNullable<TqoAlphaColor> FTint;
    QString FBasePath;
};

class TqoAssetBitmapSet : public TqoAsset
{
public:
    static const QString Kind; // "bitmap-set"
    TqoAssetBitmapSet(const QString& AName, TqoPlatform APlatform = TqoPlatform::All,
                      TqoDeviceClass ADeviceClass = TqoDeviceClass::All);
    TqoAssetBitmapSet(const TqoAssetBitmapSet& AOther);
    QString GetKind() const override { return Kind; }
    bool IsEmpty() const override;
    void SetBasePath(const QString& ABasePath) override;

    // Infos in the set's order; the set owns them.
    std::vector<TqoBitmapInfo*> GetBitmapInfos() const;
    int Count() const { return int(FInfos.size()); }
    // Appends the info (the set takes it over) and returns it. Raises EqoException when the
    // set holds an info of the same scale text already.
    TqoBitmapInfo* Add(std::unique_ptr<TqoBitmapInfo> AInfo);
    TqoBitmapInfo* Add(float AScale) { return Add(std::make_unique<TqoBitmapInfo>(AScale)); }
    // Scales compare by their scale text: 1 and 1.05 are one scale.
    bool Contains(float AScale) const { return FindByScale(AScale) != nullptr; }
    TqoBitmapInfo* FindByScale(float AScale) const;
    void Remove(TqoBitmapInfo* AInfo);
    // Scales a new set offers: 1.0, 1.5, 2.0, 3.0 and 4.0.
    static const std::vector<float> DefaultScales;
    // An empty info for each default scale the set does not contain yet, in that order.
    void AddDefaultScales();
    // Why the set cannot be stored (two infos share a scale text, after SetScale), or empty.
    QString CheckScales() const;
    // "the scales 1 and 1.05 would both be stored as @10x".
    static QString DescribeClash(const TqoBitmapInfo& AFirst, const TqoBitmapInfo& ASecond);

    // The representative info: the first, in the set's order, that has a bitmap.
    bool FindBitmapInfo(TqoBitmapInfo*& AInfo) const;
    bool FindBitmap(TqoBitmap& ABitmap) const;

protected:
    std::unique_ptr<TqoAsset> DoClone() const override { return std::make_unique<TqoAssetBitmapSet>(*this); }

private:
    std::vector<std::unique_ptr<TqoBitmapInfo>> FInfos;
};

// Kinds backed by one file named by a uri.
class TqoAssetWithUri : public TqoAsset
{
public:
    QString GetUri() const { return FUri; }
    void SetUri(const QString& AUri) { FUri = AUri; }
    QString GetFileName() const { return TqoAssetUri::ToFileName(FUri, GetBasePath()); }
    bool IsEmpty() const override { return FUri.isEmpty(); }

protected:
    using TqoAsset::TqoAsset;

private:
    QString FUri;
};

class TqoAssetFont : public TqoAssetWithUri
{
public:
    static const QString Kind; // "font"
    TqoAssetFont(const QString& AName, TqoPlatform APlatform = TqoPlatform::All,
                 TqoDeviceClass ADeviceClass = TqoDeviceClass::All)
        : TqoAssetWithUri(AName, APlatform, ADeviceClass)
    {
    }
    QString GetKind() const override { return Kind; }

protected:
    std::unique_ptr<TqoAsset> DoClone() const override { return std::make_unique<TqoAssetFont>(*this); }
};

// Where the application unpacks a custom file on the device.
enum class TqoFileLocation
{
    PrivateDocuments,
    PublicDocuments
};

// What the application does when the unpacked file already exists.
enum class TqoExtractionRule
{
    Overwrite,
    Skip,
    RaiseException
};

class TqoAssetFile : public TqoAssetWithUri
{
public:
    static const QString Kind; // "file"
    TqoAssetFile(const QString& AName, TqoPlatform APlatform = TqoPlatform::All,
                 TqoDeviceClass ADeviceClass = TqoDeviceClass::All)
        : TqoAssetWithUri(AName, APlatform, ADeviceClass)
    {
    }
    QString GetKind() const override { return Kind; }

    TqoFileLocation GetFileLocation() const { return FFileLocation; }
    void SetFileLocation(TqoFileLocation AValue) { FFileLocation = AValue; }
    TqoExtractionRule GetExtractionRule() const { return FExtractionRule; }
    void SetExtractionRule(TqoExtractionRule AValue) { FExtractionRule = AValue; }

    static QString FileLocationDisplayText(TqoFileLocation AValue);
    static QString ExtractionRuleDisplayText(TqoExtractionRule AValue);

protected:
    std::unique_ptr<TqoAsset> DoClone() const override { return std::make_unique<TqoAssetFile>(*this); }

private:
    TqoFileLocation FFileLocation = TqoFileLocation::PrivateDocuments;
    TqoExtractionRule FExtractionRule = TqoExtractionRule::Overwrite;
};

class TqoAssetLottieAnimation : public TqoAssetWithUri
{
public:
    static const QString Kind; // "lottie-json"
    TqoAssetLottieAnimation(const QString& AName, TqoPlatform APlatform = TqoPlatform::All,
                            TqoDeviceClass ADeviceClass = TqoDeviceClass::All)
        : TqoAssetWithUri(AName, APlatform, ADeviceClass)
    {
    }
    QString GetKind() const override { return Kind; }

protected:
    std::unique_ptr<TqoAsset> DoClone() const override { return std::make_unique<TqoAssetLottieAnimation>(*this); }
};

// A style file (uri) and the component class it styles, by class name (empty: none).
class TqoAssetStyle : public TqoAssetWithUri
{
public:
    static const QString Kind; // "style"
    TqoAssetStyle(const QString& AName, TqoPlatform APlatform = TqoPlatform::All,
                  TqoDeviceClass ADeviceClass = TqoDeviceClass::All)
        : TqoAssetWithUri(AName, APlatform, ADeviceClass)
    {
    }
    QString GetKind() const override { return Kind; }
    bool IsEmpty() const override { return GetUri().isEmpty() && FStyleClass.isEmpty(); }

    QString GetStyleClass() const { return FStyleClass; }
    void SetStyleClass(const QString& AClassName) { FStyleClass = AClassName; }

protected:
    std::unique_ptr<TqoAsset> DoClone() const override { return std::make_unique<TqoAssetStyle>(*this); }

private:
    QString FStyleClass;
};

// An SVG image: its SVG file, the vector file made from it and its size.
// The asset owns the vector document the storage fills from the SVG.
class TqoAssetSVG : public TqoAsset
{
public:
    static const QString Kind; // "svg"
    TqoAssetSVG(const QString& AName, TqoPlatform APlatform = TqoPlatform::All,
                TqoDeviceClass ADeviceClass = TqoDeviceClass::All);
    TqoAssetSVG(const TqoAssetSVG& AOther);
    QString GetKind() const override { return Kind; }
    bool IsEmpty() const override { return FSVGUri.isEmpty(); }

    QString GetSVGUri() const { return FSVGUri; }
    void SetSVGUri(const QString& AUri) { FSVGUri = AUri; }
    QString GetVectorUri() const { return FVectorUri; }
    void SetVectorUri(const QString& AUri) { FVectorUri = AUri; }
    QSizeF GetSize() const { return FSize; }
    float GetWidth() const { return float(FSize.width()); }
    float GetHeight() const { return float(FSize.height()); }
    void SetSize(const QSizeF& ASize) { FSize = ASize; }
    void SetSize(float AWidth, float AHeight) { FSize = QSizeF(AWidth, AHeight); }

    // Full path of the SVG file; empty without an SVG uri.
    QString GetSVGFileName() const;
    QString GetVectorFileName() const;
    // Text of the SVG file (UTF-8); empty when there is no file or it cannot be read.
    QString GetSVGContent() const;

    TqoVectorDocument& GetVectorDocument() { return *FDocument; }
    const TqoVectorDocument& GetVectorDocument() const { return *FDocument; }

protected:
    std::unique_ptr<TqoAsset> DoClone() const override { return std::make_unique<TqoAssetSVG>(*this); }

private:
    QString FSVGUri;
    QString FVectorUri;
    QSizeF FSize;
    std::unique_ptr<TqoVectorDocument> FDocument;
};

// A theme: its name is the first level of the names of the theme's assets.
class TqoAssetThemeContainer : public TqoAsset
{
public:
    static const QString Kind; // "theme-container"
    TqoAssetThemeContainer(const QString& AName, TqoPlatform APlatform = TqoPlatform::All,
                           TqoDeviceClass ADeviceClass = TqoDeviceClass::All)
        : TqoAsset(AName, APlatform, ADeviceClass)
    {
    }
    QString GetKind() const override { return Kind; }
    bool IsEmpty() const override { return false; }

protected:
    std::unique_ptr<TqoAsset> DoClone() const override { return std::make_unique<TqoAssetThemeContainer>(*this); }
};

// The asset kinds by key, in one table: the configuration reader, the model and the command
// line make their assets of a kind through it.
class TqoAssetKinds
{
public:
    // "color", "bitmap-set", "font", "file", "lottie-json", "style", "svg", "theme-container".
    static QStringList Keys();
    static bool IsKnown(const QString& AKey) { return Keys().contains(AKey); }
    // A new asset of the kind without content; nullptr for an unknown key.
    static std::unique_ptr<TqoAsset> Create(const QString& AKey, const QString& AName,
                                            TqoPlatform APlatform = TqoPlatform::All,
                                            TqoDeviceClass ADeviceClass = TqoDeviceClass::All);
    // What a new asset of the kind starts as in the designer: as Create, and a bitmap set with
    // an empty info for each default scale.
    static std::unique_ptr<TqoAsset> CreateEmpty(const QString& AKey, const QString& AName,
                                                 TqoPlatform APlatform = TqoPlatform::All,
                                                 TqoDeviceClass ADeviceClass = TqoDeviceClass::All);
};

// The variants of one name. A group shares its assets with whoever else holds them.
class TqoAssetGroup
{
public:
    TqoAssetGroup() = default;
    explicit TqoAssetGroup(const QString& AName) : FName(AName) {}

    QString GetName() const { return FName; }
    void SetName(const QString& AName) { FName = AName; }
    const TqoAssetList& GetAssets() const { return FAssets; }
    TqoAssetList& Assets() { return FAssets; }
    void Add(TqoAssetPtr AAsset) { FAssets.push_back(std::move(AAsset)); }
    int Count() const { return int(FAssets.size()); }
    bool IsEmpty() const { return FAssets.empty(); }
    // The asset standing for the group; nullptr when empty.
    TqoAssetPtr First() const { return FAssets.empty() ? nullptr : FAssets.front(); }
    void Sort();

private:
    QString FName;
    TqoAssetList FAssets;
};

// Order of variants: platform (All first, then Android, iOS), then device class
// (All first, in enumeration order), then name (ordinal), then kind key.
class TqoAssetComparer
{
public:
    static int Compare(const TqoAsset& A, const TqoAsset& B);
    bool operator()(const TqoAssetPtr& A, const TqoAssetPtr& B) const { return Compare(*A, *B) < 0; }
    bool operator()(const TqoAsset& A, const TqoAsset& B) const { return Compare(A, B) < 0; }
};

// A set of assets. The manager shares ownership of its assets (std::shared_ptr): an asset
// removed from it lives on while a group or caller still holds it. Variants are unique by
// id (name, platform, device class); assets keep the order in which they were added.
class TqoAssetsManager
{
public:
    TqoAssetsManager() = default;
    TqoAssetsManager(const TqoAssetsManager&) = delete;
    TqoAssetsManager& operator=(const TqoAssetsManager&) = delete;

    // Adds the asset; a variant with the same id is replaced in place. Returns the asset.
    // Raises EqoAssertionFailed for an asset that cannot be stored (see CheckAsset).
    TqoAssetPtr Add(TqoAssetPtr AAsset);
    // Removes every variant of the name; returns whether any was removed.
    bool Remove(const QString& AName);
    bool Remove(const TqoAssetPtr& AAsset);
    bool Remove(const TqoAsset* AAsset);
    // Renames every variant; false when AOldName is absent, ANewName is taken, or both are equal.
    // Raises EqoAssertionFailed when ANewName is not valid.
    bool Rename(const QString& AOldName, const QString& ANewName);
    // Why the asset cannot be stored (its name, or a bitmap set's scales), or empty.
    static QString CheckAsset(const TqoAsset& AAsset);
    bool Contains(const QString& AName) const;
    // The exact variant, or nullptr.
    TqoAssetPtr Find(const QString& AName, TqoPlatform APlatform, TqoDeviceClass ADeviceClass) const;
    TqoAssetPtr FindById(const QString& AId) const;
    // The variant that serves a device: exact first, then the platform's any-device variant,
    // then the all-platforms variant of the device class, then the all-platforms any-device one.
    TqoAssetPtr Resolve(const QString& AName, TqoPlatform APlatform, TqoDeviceClass ADeviceClass) const;
    template <typename T>
    std::shared_ptr<T> ResolveAs(const QString& AName, TqoPlatform APlatform, TqoDeviceClass ADeviceClass) const
    {
        return std::dynamic_pointer_cast<T>(Resolve(AName, APlatform, ADeviceClass));
    }
    void Clear();
    int Count() const { return int(FAssets.size()); }

    const TqoAssetList& GetAllAssets() const { return FAssets; }
    TqoAssetList GetAssets(const TqoAssetPredicate& APredicate) const;
    // Distinct names in order of first appearance.
    QStringList GetAssetsNames() const;
    QStringList GetAssetsNames(const std::function<bool(const QString&)>& APredicate) const;
    // One group per name, in order of first appearance; variants in the order they were added.
    std::vector<TqoAssetGroup> GetGroupedAssets() const;
    // Names of the theme containers.
    QStringList GetThemesNames() const;

    // The application-wide manager that components look their assets up in.
    static TqoAssetsManager& GetCurrent();
    static TqoPlatform CurrentPlatform();
    static void SetCurrentPlatform(TqoPlatform APlatform);
    static TqoDeviceClass CurrentDeviceClass();
    static void SetCurrentDeviceClass(TqoDeviceClass ADeviceClass);

private:
    void Reindex();
    TqoAssetList FAssets;
    QHash<QString, TqoAssetPtr> FById;
};

class TqoAssetsManagerHelper
{
public:
    // Adds (or finds) the all-platforms, all-devices color named AName. An existing color takes
    // AColor only when AOverwrite is set. Raises when the variant exists with another kind.
    static std::shared_ptr<TqoAssetColor> AddColor(TqoAssetsManager& AManager, const QString& AName,
                                                   TqoAlphaColor AColor, bool AOverwrite);
};

} // namespace core
