// Loads the package as the IDE does and checks what it registered.

#include "DesignIntf.h"
#include "ORVO.Components.h"
#include "ORVO.Designer.DeviceSkins.h"
#include "PackageLoader.h"

#include <QImage>
#include <QMetaObject>
#include <QRegularExpression>
#include <QSet>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

const QString PackageFile = QStringLiteral(ORVO_BIN_DIR "/bplOrvoNative.Designtime370.so");

std::vector<QString> Names(const std::vector<ide::TComponentClass>& AClasses)
{
    std::vector<QString> LNames;
    for (auto C : AClasses)
        LNames.push_back(ide::ClassName(C));
    return LNames;
}

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

TEST_F(PackageLoad, FillsNineteenPagesWithSeventyEightDistinctClasses)
{
    const auto& R = ide::TDesignRegistry::Instance();
    const QStringList LPages = R.Pages();
    ASSERT_EQ(LPages.size(), 19);
    QSet<QString> LClasses;
    for (const QString& LPage : LPages) {
        const std::vector<QString> LNames = Names(R.PageClasses(LPage));
        EXPECT_FALSE(LNames.empty()) << LPage.toStdString();
        LClasses.unite(QSet<QString>(LNames.begin(), LNames.end()));
    }
    EXPECT_EQ(LClasses.size(), 78);
    EXPECT_EQ(R.PaletteEntries().size(), 78u);
}

TEST_F(PackageLoad, ScrollBoxStreamsButIsNotOnThePalette)
{
    const auto& R = ide::TDesignRegistry::Instance();
    const auto LScrollBox = R.FindClass(QStringLiteral("TqoScrollBox"));
    ASSERT_EQ(LScrollBox, &core::TqoScrollBox::staticMetaObject);
    EXPECT_FALSE(R.IsOnPalette(LScrollBox));
    EXPECT_EQ(Names(R.NoIconClasses()),
              std::vector<QString>({"TqoScrollBox", "TqoPage", "TqoDrawer", "TqoMainContent", "TqoBottomSheet",
                                    "TqoComboBoxTextItem", "TqoComboBoxTextIconItem"}));

    // A form that holds one loads: streaming creates it by class name.
    core::TqoLayout LForm;
    QObject* LChild = R.CreateComponent(QStringLiteral("TqoScrollBox"), &LForm);
    EXPECT_EQ(ide::ClassName(LChild->metaObject()), QStringLiteral("TqoScrollBox"));
    EXPECT_EQ(LChild->parent(), &LForm);
}

TEST_F(PackageLoad, FrameworkFormsOfferOnlyTheFrameworksGroup)
{
    const auto& R = ide::TDesignRegistry::Instance();
    core::TqoLayout LFrameworkForm;
    ide::TFormDesigner LFramework(&LFrameworkForm);
    EXPECT_EQ(LFramework.ClassGroup(), &core::TqoControl::staticMetaObject);
    EXPECT_TRUE(LFramework.Offers(&core::TqoTimer::staticMetaObject));
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

// Icon resources are CLASS[SIZE]_PNG: a square PNG of SIZE pixels, 24 without one.
TEST_F(PackageLoad, EveryIconResourceIsAPngOfTheSizeItsNameSays)
{
    const auto& R = ide::TDesignRegistry::Instance();
    const QRegularExpression LPattern(QStringLiteral("^(TQO[A-Z]+?)(\\d*)_PNG$"));
    QSet<QString> LWithIcon;
    for (const QString& LResource : FPackage->ResourceNames()) {
        const QRegularExpressionMatch LMatch = LPattern.match(LResource);
        ASSERT_TRUE(LMatch.hasMatch()) << LResource.toStdString();
        const int LSize = LMatch.captured(2).isEmpty() ? 24 : LMatch.captured(2).toInt();
        const QImage LImage = QImage::fromData(FPackage->FindResource(LResource), "PNG");
        EXPECT_EQ(LImage.size(), QSize(LSize, LSize)) << LResource.toStdString();
        if (LMatch.captured(2).isEmpty())
            LWithIcon.insert(LMatch.captured(1));
    }
    int LPaletteWithIcon = 0;
    for (const auto& E : R.PaletteEntries()) {
        const QString LName = ide::ClassName(E.Class).toUpper();
        const bool LHasIcon = LWithIcon.contains(LName);
        LPaletteWithIcon += LHasIcon;
        // A class with an icon has every size the palette asks for.
        if (LHasIcon) {
            for (const char* LSize : {"16", "128"})
                EXPECT_FALSE(FPackage->FindResource(LName + QLatin1String(LSize) + QStringLiteral("_PNG")).isEmpty())
                    << LName.toStdString() << LSize;
        }
    }
    EXPECT_EQ(LPaletteWithIcon, 53);
    EXPECT_EQ(LWithIcon.size(), 55); // with TqoBarcode and TqoFont, which are on no page
}

// Every test loads the package again: each registration replaces its own, so there are three.
TEST_F(PackageLoad, RegistersThreeAndroidPhoneSkinsWithLayoutsImagesAndGrids)
{
    using dsgn::TqoScreenOrientation;
    const auto& LSkins = dsgn::TqoDeviceSkinManager::Instance().Skins();
    ASSERT_EQ(LSkins.size(), 3u);
    const char* const LIds[] = {"ANDROID_PHONE_SMALL", "ANDROID_PHONE_NORMAL", "ANDROID_PHONE_LARGE"};
    for (int I = 0; I < 3; ++I) {
        EXPECT_EQ(LSkins[I]->Id(), QLatin1String(LIds[I]));
        EXPECT_EQ(LSkins[I]->Platform(), core::TqoPlatform::Android);
        EXPECT_EQ(int(LSkins[I]->DeviceClass()), I + 1);
        for (const auto LOrientation : {TqoScreenOrientation::Portrait, TqoScreenOrientation::Landscape}) {
            const auto& LImages = LSkins[I]->Layout(LOrientation).Images();
            ASSERT_EQ(LImages.size(), 5);
            EXPECT_EQ(LImages.first().Scale, 1.0f);
            EXPECT_EQ(LImages.last().Scale, 2.0f);
        }
    }
    const auto& LLarge = LSkins[2]->Layout(TqoScreenOrientation::Landscape);
    EXPECT_EQ(LLarge.FrameSize(), QSizeF(942, 495));
    EXPECT_EQ(LLarge.ScreenPosition(), QPointF(52, 17));
    EXPECT_EQ(LLarge.ScreenSize(), QSizeF(853, 480));
    EXPECT_EQ(LLarge.Images().last().FileName,
              QStringLiteral("$(ORVO)\\Images\\Devices\\Android\\android-phone-large-landscape_200x.png"));
    EXPECT_EQ(LSkins[0]->Caption(), QStringLiteral("Android Phone Small"));

    const auto& LGrids = dsgn::TqoModularGridManager::Instance();
    EXPECT_EQ(LGrids.Count(), 6);
    ASSERT_TRUE(LGrids.GridFor(LIds[2], TqoScreenOrientation(1)));
    EXPECT_EQ(*LGrids.GridFor(LIds[2], TqoScreenOrientation(1)), dsgn::TModularGridInfo(8, 24, 48));
    EXPECT_EQ(*LGrids.GridFor(LIds[2], TqoScreenOrientation(0)), dsgn::TModularGridInfo(12, 24, 48));
}

TEST(PackageLifecycle, LoadsRegistersAndUnloadsTwiceInOneProcess)
{
    auto& R = ide::TDesignRegistry::Instance();
    for (int LRound = 0; LRound < 2; ++LRound) {
        SCOPED_TRACE(LRound);
        EXPECT_TRUE(R.PaletteEntries().empty());

        auto LPackage = ide::LoadPackage(PackageFile);
        EXPECT_EQ(R.PaletteEntries().size(), 78u);
        const QString LModule = LPackage->ModuleName();

        LPackage->Unload();
        EXPECT_FALSE(LPackage->IsLoaded());
        EXPECT_TRUE(R.PaletteEntries().empty());
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
