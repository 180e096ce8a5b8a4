// Loads the package as the IDE does and checks what it registered.

#include "DesignIntf.h"
#include "ORVO.Components.h"
#include "PackageLoader.h"

#include <QImage>
#include <QMetaObject>
#include <algorithm>
#include <gtest/gtest.h>
#include <map>

namespace {

const QString PackageFile = QStringLiteral(ORVO_BIN_DIR "/bplOrvoNative.Designtime370.so");

std::vector<QString> Names(const std::vector<ide::TComponentClass>& AClasses)
{
    std::vector<QString> LNames;
    for (auto C : AClasses)
        LNames.push_back(ide::ClassName(C));
    return LNames;
}

const std::vector<std::pair<QString, std::vector<QString>>>& ExpectedPalette()
{
    static const std::vector<std::pair<QString, std::vector<QString>>> P = {
        {"Orvo: Standard",
         {"TqoLabel", "TqoButton", "TqoCheckBox", "TqoRadioButton", "TqoEdit", "TqoAutoCompleteEdit", "TqoSearchEdit",
          "TqoComboBox", "TqoMemo", "TqoImage", "TqoTrackBar", "TqoNavigationBar", "TqoSwitch", "TqoProgressBar",
          "TqoActivityIndicator", "TqoVirtualListPicker", "TqoNumberListPicker", "TqoRegionPicker",
          "TqoScratchOverlay"}},
        {"Orvo: Date/Time",
         {"TqoDatePicker", "TqoTimePicker", "TqoCalendar", "TqoDateEdit", "TqoTimeEdit", "TqoTimer"}},
        {"Orvo: Lists", {"TqoCollectionView", "TqoListMenu"}},
        {"Orvo: Layouts",
         {"TqoLayout", "TqoDrawerLayout", "TqoBottomSheetLayout", "TqoVirtualPagerLayout", "TqoPagerLayout",
          "TqoCardPanel", "TqoSpacer", "TqoHorizontalScrollBox", "TqoVerticalScrollBox", "TqoPageControl"}},
        {"Orvo: Shapes",
         {"TqoLine", "TqoRectangle", "TqoRhomb", "TqoCircle", "TqoEllipse", "TqoArc", "TqoArch", "TqoSector",
          "TqoRegularPolygon", "TqoSvgPath", "TqoPaintBox"}},
        {"Orvo: Signature", {"TqoSignature"}},
        {"Orvo: Web", {"TqoWebBrowser"}},
        {"Orvo: PDF", {"TqoPDFViewer"}},
        {"Orvo: Map", {"TqoMap", "TqoEventMapTileProvider", "TqoOSMMapTileProvider", "TqoYandexMapTileProvider"}},
        {"Orvo: Media", {"TqoVideoControl", "TqoAudioRecorder", "TqoAudioPlayer"}},
        {"Orvo: Additional", {"TqoApplicationEvents"}},
        {"Orvo: Camera", {"TqoCamera", "TqoCameraPreview"}},
        {"Orvo: Scanner", {"TqoBarcodeScanner"}},
        {"Orvo: Analytics", {"TqoFirebaseAnalytics", "TqoAppMetricaAnalytics"}},
        {"Orvo: Advertising",
         {"TqoBannerAd", "TqoInterstitialAd", "TqoGoogleAdMobProvider", "TqoYandexMobileAdsProvider"}},
        {"Orvo: Push notifications", {"TqoPushNotificationService"}},
        {"Orvo: Payments", {"TqoGooglePayClient", "TqoInAppPurchase"}},
        {"Orvo: Authentications",
         {"TqoBiometricAuthentication", "TqoAppleIdAuthenticationClient", "TqoAppleIdButton",
          "TqoFacebookLoginAuthenticationClient", "TqoVKLoginAuthenticationClient",
          "TqoGoogleSignInAuthenticationClient"}},
        {"Orvo: Lottie", {"TqoLottieImage"}},
    };
    return P;
}

const QStringList WithoutIcon = {"TqoRegionPicker",
                                 "TqoScratchOverlay",
                                 "TqoDatePicker",
                                 "TqoTimePicker",
                                 "TqoCalendar",
                                 "TqoDateEdit",
                                 "TqoTimeEdit",
                                 "TqoTimer",
                                 "TqoWebBrowser",
                                 "TqoPDFViewer",
                                 "TqoEventMapTileProvider",
                                 "TqoOSMMapTileProvider",
                                 "TqoYandexMapTileProvider",
                                 "TqoAudioRecorder",
                                 "TqoAudioPlayer",
                                 "TqoApplicationEvents",
                                 "TqoBannerAd",
                                 "TqoInterstitialAd",
                                 "TqoGooglePayClient",
                                 "TqoInAppPurchase",
                                 "TqoAppleIdAuthenticationClient",
                                 "TqoAppleIdButton",
                                 "TqoFacebookLoginAuthenticationClient",
                                 "TqoVKLoginAuthenticationClient",
                                 "TqoGoogleSignInAuthenticationClient"};

// A form of another framework: its class is outside every group the package starts.
class TOtherForm : public QObject
{
};

class PackageLoad : public ::testing::Test
{
protected:
    void SetUp() override { FPackage = ide::LoadPackage(PackageFile); }
    void TearDown() override { FPackage.reset(); }
    std::unique_ptr<ide::TLoadedPackage> FPackage;
};

TEST_F(PackageLoad, DescribesItselfAndItsRequirements)
{
    EXPECT_EQ(FPackage->Description(), QStringLiteral("Orvo Native - Designtime Registration"));
    EXPECT_EQ(FPackage->ModuleName(), QStringLiteral("bplOrvoNative.Designtime370"));
    QStringList LRequires;
    for (const auto& R : FPackage->Requires()) {
        LRequires << R.Name;
        EXPECT_EQ(R.Version, 370) << R.Name.toStdString();
    }
    EXPECT_EQ(LRequires, QStringList({"vclsmp", "RESTComponents", "fmx", "designide", "rtl", "OrvoNative.Externals",
                                      "OrvoNative.Designer"}));
    EXPECT_EQ(FPackage->Units().first(), QStringLiteral("ORVO.Registration"));
    EXPECT_TRUE(ide::RegisteredModules().contains(FPackage->ModuleName()));
}

TEST_F(PackageLoad, FillsTheNineteenPagesInOrder)
{
    const auto& R = ide::TDesignRegistry::Instance();
    QStringList LExpectedPages;
    size_t LRegistrations = 0;
    for (const auto& [LPage, LClasses] : ExpectedPalette()) {
        LExpectedPages << LPage;
        EXPECT_EQ(Names(R.PageClasses(LPage)), LClasses) << LPage.toStdString();
        LRegistrations += LClasses.size();
    }
    EXPECT_EQ(R.Pages(), LExpectedPages);
    EXPECT_EQ(LRegistrations, 78u);
    EXPECT_EQ(R.PaletteEntries().size(), 78u);
}

TEST_F(PackageLoad, ScrollBoxStreamsButIsNotOnThePalette)
{
    const auto& R = ide::TDesignRegistry::Instance();
    const auto LScrollBox = R.FindClass(QStringLiteral("TqoScrollBox"));
    ASSERT_EQ(LScrollBox, &core::TqoScrollBox::staticMetaObject);
    EXPECT_FALSE(R.IsOnPalette(LScrollBox));
    EXPECT_EQ(Names(R.NoIconClasses()), std::vector<QString>{"TqoScrollBox"});

    // A form that holds one loads: streaming creates it by class name.
    core::TqoLayout LForm;
    QObject* LChild = R.CreateComponent(QStringLiteral("TqoScrollBox"), &LForm);
    EXPECT_EQ(ide::ClassName(LChild->metaObject()), QStringLiteral("TqoScrollBox"));
    EXPECT_EQ(LChild->parent(), &LForm);

    // It is registered between the Layouts and the Shapes pages.
    const auto LOrder = R.RegisteredClasses();
    const auto IndexOf = [&](const QMetaObject* C) {
        return std::find(LOrder.begin(), LOrder.end(), C) - LOrder.begin();
    };
    EXPECT_LT(IndexOf(&core::TqoPageControl::staticMetaObject), IndexOf(LScrollBox));
    EXPECT_LT(IndexOf(LScrollBox), IndexOf(&core::TqoLine::staticMetaObject));
}

TEST_F(PackageLoad, FrameworkFormsOfferOnlyTheFrameworksGroup)
{
    const auto& R = ide::TDesignRegistry::Instance();
    core::TqoLayout LFrameworkForm;
    ide::TFormDesigner LFramework(&LFrameworkForm);
    EXPECT_EQ(LFramework.ClassGroup(), &core::TqoControl::staticMetaObject);
    EXPECT_TRUE(LFramework.Offers(&core::TqoTimer::staticMetaObject));
    EXPECT_TRUE(LFramework.Offers(&core::TqoButton::staticMetaObject));
    EXPECT_EQ(LFramework.OfferedComponents().size(), 78u);

    // Grouped classes in order, TqoApplePayClient grouped though on no page.
    EXPECT_EQ(R.ClassGroupOf(&core::TqoApplePayClient::staticMetaObject), &core::TqoControl::staticMetaObject);
    EXPECT_FALSE(R.IsOnPalette(&core::TqoApplePayClient::staticMetaObject));

    TOtherForm LOtherForm;
    ide::TFormDesigner LOther(&LOtherForm);
    EXPECT_EQ(LOther.ClassGroup(), nullptr);
    EXPECT_FALSE(LOther.Offers(&core::TqoTimer::staticMetaObject));
    EXPECT_TRUE(LOther.OfferedComponents().empty());
}

TEST_F(PackageLoad, EveryIconResourceHasItsSizes)
{
    const auto& R = ide::TDesignRegistry::Instance();
    const QStringList LResources = FPackage->ResourceNames();
    std::map<QString, std::vector<std::pair<QString, int>>> LExpected;
    for (const auto& E : R.PaletteEntries()) {
        const QString LName = ide::ClassName(E.Class);
        if (WithoutIcon.contains(LName))
            continue;
        LExpected[LName] = {{"", 24}, {"16", 16}, {"32", 32}, {"128", 128}};
    }
    LExpected["TqoPushNotificationService"].push_back({"48", 48});
    LExpected["TqoYandexMobileAdsProvider"][2] = {"36", 36};
    LExpected["TqoBarcode"] = {{"", 24}, {"16", 16}, {"32", 32}, {"128", 128}};
    LExpected["TqoFont"] = {{"", 24}, {"16", 16}, {"32", 32}, {"128", 128}};

    QStringList LExpectedResources;
    for (const auto& [LClass, LSizes] : LExpected)
        for (const auto& [LSuffix, LSize] : LSizes) {
            const QString LResource = LClass.toUpper() + LSuffix + QStringLiteral("_PNG");
            LExpectedResources << LResource;
            const QImage LImage = QImage::fromData(FPackage->FindResource(LResource), "PNG");
            ASSERT_FALSE(LImage.isNull()) << LResource.toStdString();
            EXPECT_EQ(LImage.size(), QSize(LSize, LSize)) << LResource.toStdString();
        }
    // Nothing more than that: no icons for the classes listed without, no stray sizes.
    LExpectedResources.sort();
    QStringList LActual = LResources;
    LActual.sort();
    EXPECT_EQ(LActual, LExpectedResources);
    EXPECT_TRUE(FPackage->FindResource(QStringLiteral("TQOTIMER_PNG")).isEmpty());
    EXPECT_TRUE(FPackage->FindResource(QStringLiteral("TQOSCROLLBOX_PNG")).isEmpty());
    EXPECT_TRUE(FPackage->FindResource(QStringLiteral("TQOYANDEXMOBILEADSPROVIDER32_PNG")).isEmpty());
}

TEST(PackageLifecycle, LoadsRegistersAndUnloadsTwiceInOneProcess)
{
    auto& R = ide::TDesignRegistry::Instance();
    for (int LRound = 0; LRound < 2; ++LRound) {
        SCOPED_TRACE(LRound);
        EXPECT_TRUE(R.PaletteEntries().empty());
        EXPECT_EQ(R.FindClass(QStringLiteral("TqoScrollBox")), nullptr);

        auto LPackage = ide::LoadPackage(PackageFile);
        EXPECT_EQ(R.PaletteEntries().size(), 78u);
        EXPECT_EQ(R.Pages().size(), 19);
        EXPECT_FALSE(LPackage->FindResource(QStringLiteral("TQOBUTTON_PNG")).isEmpty());
        const QString LModule = LPackage->ModuleName();

        LPackage->Unload();
        EXPECT_FALSE(LPackage->IsLoaded());
        EXPECT_TRUE(R.PaletteEntries().empty());
        EXPECT_TRUE(R.NoIconClasses().empty());
        EXPECT_EQ(R.FindClass(QStringLiteral("TqoTimer")), nullptr);
        EXPECT_EQ(R.ClassGroupOf(&core::TqoTimer::staticMetaObject), nullptr);
        EXPECT_FALSE(ide::RegisteredModules().contains(LModule));
        // The data resources go with the module.
        EXPECT_TRUE(ide::TLoadedPackage::ResourceNamesOf(LModule).isEmpty());
    }
}

TEST(PackageLifecycle, MissingOrForeignLibraryGivesAClearError)
{
    try {
        ide::LoadPackage(QStringLiteral(ORVO_BIN_DIR "/no-such-package.so"));
        FAIL() << "expected an error";
    } catch (const ide::EPackageError& E) {
        EXPECT_NE(std::string(E.what()).find("no-such-package.so"), std::string::npos) << E.what();
    }
    // A shared library that is not a package: it lacks the entry points.
    try {
        ide::LoadPackage(QStringLiteral(ORVO_BIN_DIR "/libOrvoNative.Core.so"));
        FAIL() << "expected an error";
    } catch (const ide::EPackageError& E) {
        EXPECT_NE(std::string(E.what()).find("does not export Initialize"), std::string::npos) << E.what();
    }
}

} // namespace
