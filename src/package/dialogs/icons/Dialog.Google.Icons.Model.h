#pragma once

// The catalogue of a local copy of the Material Design icons repository: its categories and
// icons, the search over them, lazily made 36x36 previews, and the asset groups an import of
// chosen icons adds. No widgets: the dialog and the command line share it.

#include "ORVO.Assets.h"
#include "ORVO.Colors.h"
#include "ORVO.Designer.Preview.h"

#include <QImage>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace orvo {

enum class TqoIconType
{
    PNG,
    SVG
};

// A category of icons: one format's folder of one category folder.
struct TqoGroupData
{
    int ID = 0;          // index of the category folder; the PNG and SVG categories share it
    QString DisplayName; // the category folder's name
    QString RootDir;     // the folder holding the category's icon files
};

struct TqoIconData
{
    QString DisplayName; // Name with blanks for "_"
    QString Name;        // file name without "ic_" and the format's suffix
    int ImageIndex = -1; // preview in the model's image list; -1 until made
    int GroupId = 0;
    QString GroupDisplayName;
    bool IsSelected = false;
    QString FileName;
    TqoIconType IconType = TqoIconType::PNG;
};

// Where the repository is looked for and what chose it, for messages.
struct TqoIconsRepository
{
    QString Path;
    QString Source;

    // The IDE setting, then ORVO_ICONS_REPO, then the Externals folder of the framework's
    // installation (ORVO). Path is empty when none of them is set.
    static TqoIconsRepository Locate();
    // Says where the icons were looked for and how to name the folder.
    static QString NotFoundMessage(const QString& APath);

    static const QString SettingsSection; // "AssetsDesigner"
    static const QString SettingsName;    // "MaterialIconsRepository"
};

class TMaterialIconsModel
{
public:
    enum class TqoTintType
    {
        Light,
        Dark
    };

    static constexpr int PreviewSize = 36;
    using TqoIconConsumer = std::function<void(TqoIconData&)>;

    TMaterialIconsModel();
    ~TMaterialIconsModel();
    TMaterialIconsModel(const TMaterialIconsModel&) = delete;
    TMaterialIconsModel& operator=(const TMaterialIconsModel&) = delete;

    // Reads the repository below ADirectoryPath; a missing folder leaves the catalogue empty.
    void Load(const QString& ADirectoryPath);
    std::vector<TqoGroupData*> Groups() const;
    int IconCount() const;

    // Calls AConsumer for each icon, in category order, whose display name or category name
    // contains AFilter in any letter case, of AType when given. An empty filter matches none.
    void Enumerate(const QString& AFilter, const TqoIconConsumer& AConsumer,
                   std::optional<TqoIconType> AType = std::nullopt) const;

    // The icons of AType by name, each given as shown ("3d rotation") or as in its file name
    // ("3d_rotation"); the first category holding it wins. Raises core::EqoException naming
    // every name that has no icon, before anything is returned.
    std::vector<const TqoIconData*> FindIcons(const QStringList& ANames, TqoIconType AType) const;

    // Makes the icon's preview unless it has one; a file that does not load gives an empty
    // chessboard rather than an error, since the list shows it among hundreds of others.
    void LoadIconIfNotLoaded(TqoIconData& AIconData);
    const QImage& Preview(int AImageIndex) const { return FImageListPreviews.at(size_t(AImageIndex)); }
    int PreviewCount() const { return int(FImageListPreviews.size()); }

    core::TqoAlphaColor TintColor() const { return FTintColor; }
    TqoTintType TintType() const { return FTintType; }
    // Each drops all previews when the value changes.
    void SetTintColor(core::TqoAlphaColor AColor);
    void SetTintType(TqoTintType AType);

private:
    struct TqoCategory
    {
        TqoGroupData Group;
        std::vector<std::unique_ptr<TqoIconData>> Icons;
    };

    void ReadCategory(TqoCategory& ACategory, const QString& ASuffix);
    void ClearPreviews();
    QImage Render(const TqoIconData& AIconData) const;

    std::vector<std::unique_ptr<TqoCategory>> FData;
    core::TqoAlphaColor FTintColor = 0xFFFFFFFF;
    TqoTintType FTintType = TqoTintType::Light;
    std::vector<QImage> FImageListPreviews;
    core::TqoBitmap FLightChessBackground;
    core::TqoBitmap FDarkChessBackground;
};

// The size choices of an import, in logical pixels.
inline constexpr int MaterialIconSizes[] = {18, 24, 36, 48};

struct TqoMaterialImport
{
    int Size = 24;      // one of MaterialIconSizes
    bool Black = false; // PNG tint: the black files rather than the white ones
};

// One asset group per icon, named with its display name: for a PNG icon a bitmap set of the
// five density files of the chosen tint and size, for an SVG icon an SVG asset of its file at
// the chosen size. Each icon keeps its own format, so one chosen before the user switched
// formats still points at files that exist. Files are not checked here; the next save copies
// those that exist.
void FillGroups(const std::vector<const TqoIconData*>& AIcons, const TqoMaterialImport& AImport,
                std::vector<core::TqoAssetGroup>& AGroups);

} // namespace orvo
