#include "registration/ORVO.DevicesClasses.h"

#include "ORVO.Designer.DeviceSkins.h"

namespace orvo {

namespace {

struct TLayoutData
{
    QSizeF Frame;
    QPointF ScreenPosition;
    QSizeF Screen;
};

struct TDeviceClassData
{
    const char* Id;
    const char* Caption;
    const char* SizeWord;
    int DeviceClass;
    dsgn::TModularGridInfo PortraitGrid;
    dsgn::TModularGridInfo LandscapeGrid;
    TLayoutData Portrait;
    TLayoutData Landscape;
};

const TDeviceClassData CDeviceClasses[] = {
    {"ANDROID_PHONE_SMALL",
     "Android Phone Small",
     "small",
     1,
     {4, 16, 48},
     {8, 16, 48},
     {{335, 659}, {13, 52}, {320, 569}},
     {{659, 335}, {52, 17}, {569, 320}}},
    {"ANDROID_PHONE_NORMAL",
     "Android Phone Normal",
     "normal",
     2,
     {4, 16, 48},
     {8, 16, 48},
     {{375, 729}, {13, 52}, {360, 640}},
     {{729, 375}, {52, 17}, {640, 360}}},
    {"ANDROID_PHONE_LARGE",
     "Android Phone Large",
     "large",
     3,
     {8, 24, 48},
     {12, 24, 48},
     {{495, 942}, {13, 52}, {480, 853}},
     {{942, 495}, {52, 17}, {853, 480}}},
};

void FillLayout(dsgn::TqoDeviceSkinLayout& ALayout, const TLayoutData& AData, const char* ASizeWord,
                const char* AOrientationWord)
{
    ALayout.SetFrameSize(AData.Frame);
    ALayout.SetScreenPosition(AData.ScreenPosition);
    ALayout.SetScreenSize(AData.Screen);
    for (const float LScale : {1.0f, 1.25f, 1.5f, 1.75f, 2.0f})
        ALayout.AddImage(QStringLiteral("$(ORVO)\\Images\\Devices\\Android\\android-phone-%1-%2_%3x.png")
                             .arg(QLatin1String(ASizeWord), QLatin1String(AOrientationWord))
                             .arg(qRound(LScale * 100)),
                         LScale);
}

} // namespace

void RegisterDevicesClasses()
{
    for (const TDeviceClassData& LData : CDeviceClasses) {
        const QString LId = QLatin1String(LData.Id);
        auto LSkin =
            dsgn::TqoDeviceSkinInfo::Create(LId, core::TqoPlatform(1), core::TqoDeviceClass(LData.DeviceClass));
        LSkin->SetCaption(QLatin1String(LData.Caption));
        dsgn::TqoDeviceSkinManager::Instance().RegisterSkin(LSkin);
        auto& LGrids = dsgn::TqoModularGridManager::Instance();
        LGrids.RegisterModularGridFor(LId, dsgn::TqoScreenOrientation(1), LData.PortraitGrid);
        LGrids.RegisterModularGridFor(LId, dsgn::TqoScreenOrientation(0), LData.LandscapeGrid);
        FillLayout(LSkin->Layout(dsgn::TqoScreenOrientation::Portrait), LData.Portrait, LData.SizeWord, "portrait");
        FillLayout(LSkin->Layout(dsgn::TqoScreenOrientation::Landscape), LData.Landscape, LData.SizeWord, "landscape");
    }
}

} // namespace orvo
