// The frames and pickers of custom files, fonts and Lottie animations, driven through their
// tiles on a copy of the demo project, then saved.

#include "assets/designer/ORVO.Assets.DataModule.h"
#include "assets/designer/ORVO.Assets.Designer.h"
#include "assets/designer/ORVO.Assets.View.Assets.h"
#include "assets/editors/ORVO.Assets.Editor.Font.h"
#include "assets/editors/ORVO.Assets.Picker.CustomFile.h"
#include "assets/editors/ORVO.Assets.Picker.LottieAnimation.h"
#include "assets/storage/ORVO.Assets.Editors.h"

#include "IdeSession.h"
#include "TestData.h"

#include <QComboBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class FileAssetPickers : public testing::Test
{
protected:
    void SetUp() override
    {
        orvo::AssetsEditorsInitialization();
        ASSERT_TRUE(testdata::CopyTree(testdata::SourceDir() + QStringLiteral("/examples/DemoApp"), FDir.path()));
        FProject = ide::TDprojProject::Open(FDir.filePath(QStringLiteral("DemoApp.dproj")));
        FDocument.SetProject(FProject);
    }

    // Opens the picker of the first tile of AName's view.
    template <typename TPicker> TPicker* OpenPicker(const QString& AName)
    {
        FView.SetGroup(FDocument.GetModel().GetAssets(AName));
        FView.resize(600, 300);
        FView.show();
        auto* LEditor = qobject_cast<orvo::TEditorFileAsset*>(FView.Tiles().at(0)->Editor());
        EXPECT_NE(LEditor, nullptr);
        if (!LEditor)
            return nullptr;
        LEditor->OnChanged = [this](orvo::TBaseAssetEditorFrame*) { ++FChanges; };
        QTest::mouseClick(LEditor->PaintBox(), Qt::LeftButton);
        auto* LPicker = qobject_cast<TPicker*>(LEditor->Picker());
        EXPECT_TRUE(LPicker && LPicker->isVisible());
        return LPicker;
    }

    template <typename TAsset> TAsset* Asset(const QString& AName)
    {
        return dynamic_cast<TAsset*>(
            FDocument.GetAssetsManager().Find(AName, core::TqoPlatform::All, core::TqoDeviceClass::All).get());
    }

    // AName's entry in the configuration the document saves.
    QJsonObject SavedEntry(const QString& AName)
    {
        FDocument.Save(true);
        const QJsonDocument LConfig =
            QJsonDocument::fromJson(testdata::ReadAll(FDir.filePath(QStringLiteral("Assets/config.json"))));
        for (const auto& LEntry : LConfig[QStringLiteral("assets")].toArray())
            if (LEntry[QStringLiteral("name")].toString() == AName)
                return LEntry.toObject();
        return {};
    }

    QTemporaryDir FDir;
    std::shared_ptr<testdata::TAnsweringDialogs> FDialogs = testdata::TAnsweringDialogs::Install();
    std::shared_ptr<ide::TDprojProject> FProject;
    orvo::TqoAssetsDocument FDocument;
    orvo::TAssetsView FView;
    int FChanges = 0;
};

TEST_F(FileAssetPickers, CustomFileLocationAndRuleReachTheConfiguration)
{
    auto* LPicker = OpenPicker<orvo::TCustomFilePicker>(QStringLiteral("Docs\\Terms"));
    ASSERT_NE(LPicker, nullptr);
    EXPECT_EQ(static_cast<orvo::TBaseEditorSinglePreview*>(FView.Tiles().at(0)->Editor())->Title(),
              QStringLiteral("txt"));
    EXPECT_EQ(LPicker->FileLocationBox()->itemText(1), QStringLiteral("Public documents"));
    QTest::keyClick(LPicker->FileLocationBox(), Qt::Key_Down);
    QTest::keyClick(LPicker->ExtractionRuleBox(), Qt::Key_Down);
    QTest::keyClick(LPicker->ExtractionRuleBox(), Qt::Key_Down);
    LPicker->close();
    EXPECT_FALSE(LPicker->isVisible());
    EXPECT_EQ(FChanges, 3);

    const auto* LAsset = Asset<core::TqoAssetFile>(QStringLiteral("Docs\\Terms"));
    ASSERT_NE(LAsset, nullptr);
    EXPECT_EQ(LAsset->GetFileLocation(), core::TqoFileLocation::PublicDocuments);
    EXPECT_EQ(LAsset->GetExtractionRule(), core::TqoExtractionRule::RaiseException);
    const QJsonObject LEntry = SavedEntry(QStringLiteral("Docs\\Terms"));
    EXPECT_EQ(LEntry[QStringLiteral("fileLocation")].toString(), QStringLiteral("public-documents"));
    EXPECT_EQ(LEntry[QStringLiteral("extractionRule")].toString(), QStringLiteral("raise-exception"));
}

TEST_F(FileAssetPickers, FontOpenedThroughThePickerIsStoredWithTheProject)
{
    FDocument.GetModel().AddAsset(std::make_shared<core::TqoAssetFont>(QStringLiteral("Body")));
    auto* LPicker = OpenPicker<orvo::TFileAssetPicker>(QStringLiteral("Body"));
    ASSERT_NE(LPicker, nullptr);
    // Nothing to clear or save yet.
    EXPECT_FALSE(LPicker->ClearButton()->isEnabled());
    EXPECT_FALSE(LPicker->SaveButton()->isEnabled());

    const QString LFont = FDir.filePath(QStringLiteral("Body.TTF"));
    ASSERT_TRUE(testdata::WriteAll(LFont, "not really a font"));
    FDialogs->FileAnswers.push_back({LFont});
    QTest::mouseClick(LPicker->OpenButton(), Qt::LeftButton);
    EXPECT_TRUE(LPicker->ClearButton()->isEnabled());
    EXPECT_TRUE(LPicker->SaveButton()->isEnabled());
    LPicker->close();
    EXPECT_EQ(FChanges, 1);
    EXPECT_EQ(static_cast<orvo::TBaseEditorSinglePreview*>(FView.Tiles().at(0)->Editor())->Title(),
              QStringLiteral("TTF"));

    EXPECT_EQ(SavedEntry(QStringLiteral("Body"))[QStringLiteral("uri")].toString(),
              QStringLiteral("Body\\default.TTF"));
    const auto* LAsset = Asset<core::TqoAssetFont>(QStringLiteral("Body"));
    ASSERT_NE(LAsset, nullptr);
    EXPECT_EQ(testdata::ReadAll(LAsset->GetFileName()), QByteArray("not really a font"));
}

TEST_F(FileAssetPickers, LottieShowsItsDurationSavesAsJsonAndClears)
{
    auto* LPicker = OpenPicker<orvo::TLottieAnimationPicker>(QStringLiteral("Loading"));
    ASSERT_NE(LPicker, nullptr);
    EXPECT_EQ(LPicker->DurationLabel()->text(), QStringLiteral("2:00"));

    // A chosen name without the .json extension gets it; one with it, in any case, is kept.
    const QByteArray LSource = testdata::ReadAll(FDir.filePath(QStringLiteral("Artwork/loading.json")));
    FDialogs->FileAnswers = {{FDir.filePath(QStringLiteral("anim"))}, {FDir.filePath(QStringLiteral("anim2.JSON"))}};
    QTest::mouseClick(LPicker->SaveButton(), Qt::LeftButton);
    QTest::mouseClick(LPicker->SaveButton(), Qt::LeftButton);
    EXPECT_EQ(testdata::ReadAll(FDir.filePath(QStringLiteral("anim.json"))), LSource);
    EXPECT_EQ(testdata::ReadAll(FDir.filePath(QStringLiteral("anim2.JSON"))), LSource);
    EXPECT_EQ(FChanges, 0);

    QTest::mouseClick(LPicker->ClearButton(), Qt::LeftButton);
    EXPECT_EQ(LPicker->DurationLabel()->text(), QStringLiteral("-"));
    EXPECT_FALSE(LPicker->ClearButton()->isEnabled());
    LPicker->close();
    EXPECT_EQ(FChanges, 1);
    const auto* LAsset = Asset<core::TqoAssetLottieAnimation>(QStringLiteral("Loading"));
    ASSERT_NE(LAsset, nullptr);
    EXPECT_EQ(LAsset->GetUri(), QString());
    EXPECT_EQ(SavedEntry(QStringLiteral("Loading"))[QStringLiteral("uri")].toString(), QString());
}

struct TDurationCase
{
    std::string Name;
    const char* File; // in the shared animations; empty for ASeconds alone
    double Seconds;
    const char* Text;
};

class LottieDurationText : public testing::TestWithParam<TDurationCase>
{
};

TEST_P(LottieDurationText, ReadsSecondsAndHundredths)
{
    const auto& C = GetParam();
    double LSeconds = C.Seconds;
    if (*C.File) {
        if (!testdata::HasSharedData(QStringLiteral("lottie")))
            GTEST_SKIP() << "no shared Lottie animations";
        ext::TSkottieAnimation LAnimation;
        ASSERT_TRUE(LAnimation.LoadFromFile(testdata::SharedDataDir() + QStringLiteral("/lottie/") + C.File));
        LSeconds = LAnimation.Duration();
    }
    EXPECT_EQ(orvo::TLottieAnimationPicker::DurationText(LSeconds), QString::fromLatin1(C.Text));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, LottieDurationText,
    testing::Values(TDurationCase{"TwoAndAHalf", "", 2.5, "2:50"}, TDurationCase{"Truncated", "", 3.456, "3:45"},
                    TDurationCase{"Zero", "", 0, "0:00"}, TDurationCase{"OverAMinute", "", 75.07, "75:07"},
                    TDurationCase{"Done", "done.json", 0, "2:53"}, TDurationCase{"Mask", "mask.json", 0, "0:50"},
                    TDurationCase{"HoneySack", "5344-honey-sack-hud.json", 0, "1:03"},
                    TDurationCase{"Polystar", "polystar_anim.json", 0, "5:00"}),
    testdata::TCaseName());

TEST(FontEditor, PreviewByExtensionIgnoringCase)
{
    const auto& LImages = orvo::DesignerDataModule().ImageCollection();
    const std::pair<const char*, const char*> LCases[] = {
        {"A.TTF", "Font File TTF"}, {"b.ttf", "Font File TTF"}, {"Fonts\\c.OtF", "Font File OTF"},
        {"a.woff", nullptr},        {"ttf", nullptr},           {"", nullptr}};
    for (const auto& [LUri, LImage] : LCases) {
        SCOPED_TRACE(LUri);
        const QImage LExpected = LImage ? LImages.Bitmap(QString::fromLatin1(LImage), 48) : QImage();
        EXPECT_EQ(orvo::TEditorFont::FontImage(QString::fromLatin1(LUri), 48), LExpected);
    }
}

} // namespace

namespace {

class LottieCommandLine : public testdata::TDemoProjectTest
{
};

// Every file gets its line, a damaged one included, and the status tells whether all loaded.
TEST_F(LottieCommandLine, ChecksEachFileAndNeverCrashes)
{
    const QString LDamaged = FDir.filePath(QStringLiteral("damaged.json"));
    ASSERT_TRUE(testdata::WriteAll(LDamaged,
                                   R"({"fr":30,"ip":0,"op":60,"w":64,"h":64,"layers":[{"ty":3,"ind":1,"parent":1}]})"));
    const QString LGood = FDir.filePath(QStringLiteral("Artwork/loading.json"));

    const testdata::TRun LAll = Run({QStringLiteral("lottie"), QStringLiteral("check"), LGood, LDamaged});
    ASSERT_FALSE(LAll.Crashed);
    EXPECT_EQ(LAll.ExitCode, 1);
    EXPECT_EQ(LAll.OutText(), LGood + QStringLiteral(": loaded, duration 2:00, 60 frames, 30 fps, 64 x 64\n") +
                                  LDamaged + QStringLiteral(": cannot load: a layer is its own parent\n"));

    const testdata::TRun LGoodOnly = Run({QStringLiteral("lottie"), QStringLiteral("check"), LGood});
    EXPECT_EQ(LGoodOnly.ExitCode, 0);
    for (const QStringList& LBad :
         {QStringList{QStringLiteral("lottie")}, QStringList{QStringLiteral("lottie"), QStringLiteral("check")},
          QStringList{QStringLiteral("lottie"), QStringLiteral("play"), LGood}}) {
        const testdata::TRun LRun = Run(LBad);
        EXPECT_FALSE(LRun.Crashed);
        EXPECT_EQ(LRun.ExitCode, 2) << LBad.join(' ').toStdString();
    }
}

} // namespace
