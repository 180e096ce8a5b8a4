#pragma once

// Device skins and modular grids of the framework's form designer: a form can be shown inside
// the frame of a device, with a layout grid over its screen. Packages contribute device
// classes; the designer keeps them for as long as it is loaded.

#include "ORVO.Assets.h"

#include <QList>
#include <QPointF>
#include <QSizeF>
#include <QString>
#include <memory>
#include <vector>

namespace dsgn {

// Texts the managers keep are copied into memory of their own: a package's literals go away
// with the package, and the managers outlive it.
inline QString OwnCopy(const QString& AText) { return QString(AText.constData(), AText.size()); }

// The orientation a layout or a grid is for.
enum class TqoScreenOrientation
{
    Landscape = 0,
    Portrait = 1
};

struct TqoDeviceFrameImage
{
    // "$(ORVO)" in the name is expanded by whoever loads the image.
    QString FileName;
    float Scale = 1;
};

// A device's frame in one orientation: the frame image's size, where the screen lies in it
// and the screen's size, in device-independent units.
class TqoDeviceSkinLayout
{
public:
    QSizeF FrameSize() const { return FFrameSize; }
    void SetFrameSize(const QSizeF& ASize) { FFrameSize = ASize; }
    QPointF ScreenPosition() const { return FScreenPosition; }
    void SetScreenPosition(const QPointF& APosition) { FScreenPosition = APosition; }
    QSizeF ScreenSize() const { return FScreenSize; }
    void SetScreenSize(const QSizeF& ASize) { FScreenSize = ASize; }
    const QList<TqoDeviceFrameImage>& Images() const { return FImages; }
    void AddImage(const QString& AFileName, float AScale) { FImages.append({OwnCopy(AFileName), AScale}); }

private:
    QSizeF FFrameSize;
    QPointF FScreenPosition;
    QSizeF FScreenSize;
    QList<TqoDeviceFrameImage> FImages;
};

class TqoDeviceSkinInfo
{
public:
    // Made here, not in the package that registers it: the manager keeps the skin after that
    // package is unloaded, so nothing of it (its deleter included) may live in the package.
    static std::shared_ptr<TqoDeviceSkinInfo> Create(const QString& AId, core::TqoPlatform APlatform,
                                                     core::TqoDeviceClass ADeviceClass);

    QString Id() const { return FId; }
    core::TqoPlatform Platform() const { return FPlatform; }
    core::TqoDeviceClass DeviceClass() const { return FDeviceClass; }
    QString Caption() const { return FCaption; }
    void SetCaption(const QString& ACaption) { FCaption = OwnCopy(ACaption); }
    TqoDeviceSkinLayout& Layout(TqoScreenOrientation AOrientation)
    {
        return AOrientation == TqoScreenOrientation::Portrait ? FPortrait : FLandscape;
    }
    const TqoDeviceSkinLayout& Layout(TqoScreenOrientation AOrientation) const
    {
        return AOrientation == TqoScreenOrientation::Portrait ? FPortrait : FLandscape;
    }

private:
    TqoDeviceSkinInfo(const QString& AId, core::TqoPlatform APlatform, core::TqoDeviceClass ADeviceClass)
        : FId(AId), FPlatform(APlatform), FDeviceClass(ADeviceClass)
    {
    }

    QString FId;
    core::TqoPlatform FPlatform;
    core::TqoDeviceClass FDeviceClass;
    QString FCaption;
    TqoDeviceSkinLayout FPortrait;
    TqoDeviceSkinLayout FLandscape;
};

// A layout grid: columns, the gutter between them and the height of a row of modules.
struct TModularGridInfo
{
    TModularGridInfo(int AColumns, int AGutter, int AModuleHeight)
        : Columns(AColumns), Gutter(AGutter), ModuleHeight(AModuleHeight)
    {
    }
    int Columns;
    int Gutter;
    int ModuleHeight;
    bool operator==(const TModularGridInfo&) const = default;
};

// Skins by id, in the order they were first registered. A skin registered again under its id
// replaces the earlier one, so a package loaded a second time leaves one of each.
class TqoDeviceSkinManager
{
public:
    static TqoDeviceSkinManager& Instance();
    void RegisterSkin(std::shared_ptr<TqoDeviceSkinInfo> ASkin);
    std::shared_ptr<TqoDeviceSkinInfo> FindSkin(const QString& AId) const;
    const std::vector<std::shared_ptr<TqoDeviceSkinInfo>>& Skins() const { return FSkins; }

private:
    std::vector<std::shared_ptr<TqoDeviceSkinInfo>> FSkins;
};

// Grids by skin id and orientation; a grid registered again for both replaces the earlier one.
class TqoModularGridManager
{
public:
    static TqoModularGridManager& Instance();
    void RegisterModularGridFor(const QString& ASkinId, TqoScreenOrientation AOrientation,
                                const TModularGridInfo& AGrid);
    // Null when none is registered.
    const TModularGridInfo* GridFor(const QString& ASkinId, TqoScreenOrientation AOrientation) const;
    int Count() const { return int(FGrids.size()); }

private:
    struct TEntry
    {
        QString SkinId;
        TqoScreenOrientation Orientation;
        TModularGridInfo Grid;
    };
    std::vector<TEntry> FGrids;
};

} // namespace dsgn
