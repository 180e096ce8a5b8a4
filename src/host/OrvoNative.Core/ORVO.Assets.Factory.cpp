#include "ORVO.Assets.Factory.h"

#include "ORVO.Json.Internal.h"

#include <QFileInfo>
#include <QSet>
#include <algorithm>

namespace core {

using jsonio::Json;
using jsonio::TqoJsonNode;

const TqoWritingOptions TqoWritingOptions::Default = TqoWritingOptions(false, TqoPlatform::All, true);

namespace {

const char* const FormatName = "orvo-assets";
constexpr int FormatVersion = 1;

const char* const FileLocationKeys[] = {"private-documents", "public-documents"};
const char* const ExtractionRuleKeys[] = {"overwrite", "skip", "raise-exception"};

// --- writing ---------------------------------------------------------------------------------

std::string Text(const QString& AValue) { return AValue.toStdString(); }

QString DeviceUri(const QString& AUri, bool AIsFont)
{
    if (AUri.isEmpty() || TqoAssetUri::IsAbsolute(AUri))
        return AUri;
    QString uri = AUri;
    uri.replace(QLatin1Char('\\'), QLatin1Char('/'));
    // Fonts are deployed to their own folder, the other files keep their place below "assets".
    return AIsFont ? QStringLiteral("fonts/") + uri : uri;
}

Json AssetToJson(const TqoAsset& AAsset, const TqoWritingOptions& AOptions)
{
    auto uri = [&](const QString& AUri, bool AIsFont = false) {
        return Text(AOptions.ForDevice ? DeviceUri(AUri, AIsFont) : AUri);
    };
    Json json;
    json["name"] = Text(AAsset.GetName());
    json["kind"] = Text(AAsset.GetKind());
    json["platform"] = Text(TqoTargetNames::PlatformKey(AAsset.GetPlatform()));
    json["deviceClass"] = Text(TqoTargetNames::DeviceClassKey(AAsset.GetDeviceClass()));
    if (AAsset.IsExternal())
        json["external"] = true;

    if (const auto* color = dynamic_cast<const TqoAssetColor*>(&AAsset)) {
        if (color->HasColor())
            json["color"] = Text(TqoColorHelper::ToARGBHex(color->GetColor()));
    } else if (const auto* set = dynamic_cast<const TqoAssetBitmapSet*>(&AAsset)) {
        Json bitmaps = Json::array();
        for (const TqoBitmapInfo* info : set->GetBitmapInfos()) {
            Json item;
            item["scale"] = jsonio::FloatValue(info->GetScale(), QStringLiteral("scale"));
            item["uri"] = uri(info->GetUri());
            if (info->GetCapInsets().HasValue()) {
                const QMargins m = info->GetCapInsets().Value();
                item["capInsets"] = Json::array({m.left(), m.top(), m.right(), m.bottom()});
            }
            if (info->GetTint().HasValue())
                item["tint"] = Text(TqoColorHelper::ToARGBHex(info->GetTint().Value()));
            bitmaps.push_back(std::move(item));
        }
        json["bitmaps"] = std::move(bitmaps);
    } else if (const auto* svg = dynamic_cast<const TqoAssetSVG*>(&AAsset)) {
        if (AOptions.IncludeDesignData)
            json["svgUri"] = uri(svg->GetSVGUri());
        json["vectorUri"] = uri(svg->GetVectorUri());
        json["size"] = Json::array({jsonio::DoubleValue(svg->GetSize().width(), QStringLiteral("size")),
                                    jsonio::DoubleValue(svg->GetSize().height(), QStringLiteral("size"))});
    } else if (const auto* file = dynamic_cast<const TqoAssetFile*>(&AAsset)) {
        json["uri"] = uri(file->GetUri());
        json["fileLocation"] = FileLocationKeys[static_cast<int>(file->GetFileLocation())];
        json["extractionRule"] = ExtractionRuleKeys[static_cast<int>(file->GetExtractionRule())];
    } else if (const auto* style = dynamic_cast<const TqoAssetStyle*>(&AAsset)) {
        json["uri"] = uri(style->GetUri());
        json["styleClass"] = Text(style->GetStyleClass());
    } else if (const auto* font = dynamic_cast<const TqoAssetFont*>(&AAsset)) {
        json["uri"] = uri(font->GetUri(), true);
    } else if (const auto* withUri = dynamic_cast<const TqoAssetWithUri*>(&AAsset)) {
        json["uri"] = uri(withUri->GetUri());
    }
    return json;
}

// --- reading ---------------------------------------------------------------------------------

template <size_t N> int KeyIndex(const TqoJsonNode& ANode, const char* const (&AKeys)[N])
{
    const QString text = ANode.String();
    for (size_t i = 0; i < N; ++i)
        if (text == QLatin1String(AKeys[i]))
            return int(i);
    ANode.Fail(QStringLiteral("unknown value \"%1\"").arg(text));
}

TqoAlphaColor ColorFromNode(const TqoJsonNode& ANode)
{
    TqoAlphaColor color = 0;
    if (!TqoColorHelper::TryParse(ANode.String(), color))
        ANode.Fail(QStringLiteral("invalid color \"%1\", expected \"#AARRGGBB\"").arg(ANode.String()));
    return color;
}

std::unique_ptr<TqoBitmapInfo> BitmapInfoFromNode(const TqoJsonNode& N)
{
    N.ExpectObject({"scale", "uri", "capInsets", "tint"});
    const TqoJsonNode scale = N.Member("scale");
    if (!(scale.Float() > 0))
        scale.Fail(QStringLiteral("a scale is greater than 0"));
    auto info = std::make_unique<TqoBitmapInfo>(N.Member("uri").String(), scale.Float());
    if (N.Has("capInsets")) {
        const TqoJsonNode insets = N.Member("capInsets");
        if (insets.Size() != 4)
            insets.Fail(QStringLiteral("expected [left, top, right, bottom]"));
        info->SetCapInsets(QMargins(insets.At(0).Int(), insets.At(1).Int(), insets.At(2).Int(), insets.At(3).Int()));
    }
    if (N.Has("tint"))
        info->SetTint(ColorFromNode(N.Member("tint")));
    return info;
}

void ReadBitmaps(const TqoJsonNode& ABitmaps, TqoAssetBitmapSet& ASet)
{
    for (size_t i = 0; i < ABitmaps.Size(); ++i) {
        std::unique_ptr<TqoBitmapInfo> info = BitmapInfoFromNode(ABitmaps.At(i));
        // Both would be stored in one file: refuse rather than let one overwrite the other.
        if (const TqoBitmapInfo* other = ASet.FindByScale(info->GetScale()))
            ABitmaps.At(i).Fail(TqoAssetBitmapSet::DescribeClash(*other, *info));
        ASet.Add(std::move(info));
    }
}

// The members of each kind beside name, kind, platform, device class and external.
void ReadContent(const TqoJsonNode& N, TqoAsset& AAsset)
{
    if (auto* color = dynamic_cast<TqoAssetColor*>(&AAsset)) {
        N.ExpectObject({"name", "kind", "platform", "deviceClass", "external", "color"});
        if (N.Has("color"))
            color->SetColor(ColorFromNode(N.Member("color")));
    } else if (auto* set = dynamic_cast<TqoAssetBitmapSet*>(&AAsset)) {
        N.ExpectObject({"name", "kind", "platform", "deviceClass", "external", "bitmaps"});
        ReadBitmaps(N.Member("bitmaps"), *set);
    } else if (auto* svg = dynamic_cast<TqoAssetSVG*>(&AAsset)) {
        N.ExpectObject({"name", "kind", "platform", "deviceClass", "external", "svgUri", "vectorUri", "size"});
        if (N.Has("svgUri"))
            svg->SetSVGUri(N.Member("svgUri").String());
        svg->SetVectorUri(N.Member("vectorUri").String());
        const TqoJsonNode size = N.Member("size");
        if (size.Size() != 2)
            size.Fail(QStringLiteral("expected [width, height]"));
        svg->SetSize(QSizeF(size.At(0).Number(), size.At(1).Number()));
    } else if (auto* file = dynamic_cast<TqoAssetFile*>(&AAsset)) {
        N.ExpectObject(
            {"name", "kind", "platform", "deviceClass", "external", "uri", "fileLocation", "extractionRule"});
        file->SetUri(N.Member("uri").String());
        file->SetFileLocation(static_cast<TqoFileLocation>(KeyIndex(N.Member("fileLocation"), FileLocationKeys)));
        file->SetExtractionRule(
            static_cast<TqoExtractionRule>(KeyIndex(N.Member("extractionRule"), ExtractionRuleKeys)));
    } else if (auto* style = dynamic_cast<TqoAssetStyle*>(&AAsset)) {
        N.ExpectObject({"name", "kind", "platform", "deviceClass", "external", "uri", "styleClass"});
        style->SetUri(N.Member("uri").String());
        style->SetStyleClass(N.Member("styleClass").String());
    } else if (auto* withUri = dynamic_cast<TqoAssetWithUri*>(&AAsset)) {
        N.ExpectObject({"name", "kind", "platform", "deviceClass", "external", "uri"});
        withUri->SetUri(N.Member("uri").String());
    } else {
        N.ExpectObject({"name", "kind", "platform", "deviceClass", "external"});
    }
}

std::unique_ptr<TqoAsset> AssetFromNode(const TqoJsonNode& N)
{
    const TqoJsonNode nameNode = N.Member("name");
    const QString name = nameNode.String();
    if (const QString why = TqoAssetNameHelper::Check(name); !why.isEmpty())
        nameNode.Fail(QStringLiteral("invalid asset name \"%1\": %2").arg(name, why));
    const TqoJsonNode platformNode = N.Member("platform");
    TqoPlatform platform;
    if (!TqoTargetNames::TryPlatformFromKey(platformNode.String(), platform))
        platformNode.Fail(QStringLiteral("unknown platform \"%1\"").arg(platformNode.String()));
    const TqoJsonNode deviceClassNode = N.Member("deviceClass");
    TqoDeviceClass deviceClass;
    if (!TqoTargetNames::TryDeviceClassFromKey(deviceClassNode.String(), deviceClass))
        deviceClassNode.Fail(QStringLiteral("unknown device class \"%1\"").arg(deviceClassNode.String()));

    const TqoJsonNode kindNode = N.Member("kind");
    std::unique_ptr<TqoAsset> asset = TqoAssetKinds::Create(kindNode.String(), name, platform, deviceClass);
    if (!asset)
        kindNode.Fail(QStringLiteral("unknown asset kind \"%1\"").arg(kindNode.String()));
    ReadContent(N, *asset);
    if (N.Has("external"))
        asset->SetExternal(N.Member("external").Bool());
    return asset;
}

} // namespace

int TqoAssetsFactory::LoadFromFile(TqoAssetsManager& AManager, const QString& AFileName)
{
    const QByteArray data = jsonio::ReadFile(AFileName);
    return LoadFromBytes(AManager, data, AFileName, QFileInfo(AFileName).absolutePath());
}

namespace {

std::vector<std::unique_ptr<TqoAsset>> ReadAssets(const QByteArray& AData, const QString& AFileName,
                                                  const QString& ABasePath)
{
    const jsonio::TqoJsonDocument document(AData, AFileName);
    const TqoJsonNode root = document.Root();
    root.ExpectObject({"format", "version", "platform", "assets"});
    if (root.Member("format").String() != QLatin1String(FormatName))
        root.Member("format").Fail(QStringLiteral("not an assets configuration file"));
    const TqoJsonNode version = root.Member("version");
    if (version.Int() < 1 || version.Int() > FormatVersion)
        version.Fail(QStringLiteral("unsupported version %1").arg(version.Int()));
    if (root.Has("platform")) {
        TqoPlatform platform;
        if (!TqoTargetNames::TryPlatformFromKey(root.Member("platform").String(), platform))
            root.Member("platform").Fail(QStringLiteral("unknown platform"));
    }

    // Read everything first: a file with an error must not leave half of its assets behind.
    std::vector<std::unique_ptr<TqoAsset>> assets;
    QSet<QString> ids;
    const TqoJsonNode list = root.Member("assets");
    for (size_t i = 0; i < list.Size(); ++i) {
        std::unique_ptr<TqoAsset> asset = AssetFromNode(list.At(i));
        if (ids.contains(asset->GetId()))
            list.At(i).Fail(QStringLiteral("the asset is listed twice: %1").arg(asset->ToString()));
        ids.insert(asset->GetId());
        asset->SetBasePath(ABasePath);
        assets.push_back(std::move(asset));
    }
    return assets;
}

} // namespace

int TqoAssetsFactory::LoadFromBytes(TqoAssetsManager& AManager, const QByteArray& AData, const QString& AFileName,
                                    const QString& ABasePath)
{
    int added = 0;
    for (auto& asset : ReadAssets(AData, AFileName, ABasePath)) {
        if (AManager.FindById(asset->GetId()))
            continue;
        AManager.Add(std::move(asset));
        ++added;
    }
    return added;
}

void TqoAssetsFactory::LoadFromFile(const std::vector<TqoAssetsManager*>& AManagers, const QString& AFileName)
{
    auto assets = ReadAssets(jsonio::ReadFile(AFileName), AFileName, QFileInfo(AFileName).absolutePath());
    for (auto& asset : assets) {
        // The last manager that lacks the asset takes the one read; the others take copies.
        TqoAssetsManager* owner = nullptr;
        for (TqoAssetsManager* manager : AManagers) {
            if (manager->FindById(asset->GetId()))
                continue;
            if (owner)
                owner->Add(asset->Clone(asset->GetName()));
            owner = manager;
        }
        if (owner)
            owner->Add(std::move(asset));
    }
}

QByteArray TqoAssetsFactory::SaveConfigToBytes(const TqoAssetsManager& AManager, const TqoPlatforms& APlatforms,
                                               const TqoWritingOptions& AOptions)
{
    // Sorted by name, then variant, so that the file does not depend on the order of editing.
    TqoAssetList assets = AManager.GetAssets([&](const TqoAsset& A) { return APlatforms.Contains(A.GetPlatform()); });
    std::stable_sort(assets.begin(), assets.end(), [](const TqoAssetPtr& A, const TqoAssetPtr& B) {
        if (const int byName = QString::compare(A->GetName(), B->GetName(), Qt::CaseSensitive))
            return byName < 0;
        return TqoAssetComparer::Compare(*A, *B) < 0;
    });
    Json root;
    root["format"] = FormatName;
    root["version"] = FormatVersion;
    root["platform"] = Text(TqoTargetNames::PlatformKey(AOptions.Platform));
    Json list = Json::array();
    for (const TqoAssetPtr& asset : assets)
        list.push_back(AssetToJson(*asset, AOptions));
    root["assets"] = std::move(list);
    return jsonio::Dump(root);
}

void TqoAssetsFactory::SaveConfigToFile(const TqoAssetsManager& AManager, const QString& AFileName,
                                        const TqoWritingOptions& AOptions)
{
    SaveConfigToFile(AManager, AFileName, TqoPlatforms::AllPlatforms(), AOptions);
}

void TqoAssetsFactory::SaveConfigToFile(const TqoAssetsManager& AManager, const QString& AFileName,
                                        const TqoPlatforms& APlatforms, const TqoWritingOptions& AOptions)
{
    QByteArray data;
    try {
        data = SaveConfigToBytes(AManager, APlatforms, AOptions);
    } catch (const EqoException& e) {
        throw EqoFileError(AFileName, 0, e.Message());
    }
    jsonio::WriteFileAtomically(AFileName, data);
}

} // namespace core
