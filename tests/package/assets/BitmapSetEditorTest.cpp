// The bitmap set's frame: size warnings per scale, cap insets carried across scales, the tint
// text, and the picker driven through its widgets down to the saved configuration.

#include "IdeSession.h"
#include "TestData.h"

#include "ORVO.Translator.h"
#include "assets/designer/ORVO.Assets.Designer.h"
#include "assets/designer/ORVO.Assets.View.Assets.h"
#include "assets/editors/ORVO.Assets.Editor.BitmapSet.h"
#include "assets/editors/ORVO.Assets.Picker.ImageInfo.h"
#include "assets/editors/ORVO.Assets.View.ImageInfo.h"
#include "assets/editors/ORVO.Editor.SinglePreview.h"
#include "assets/storage/ORVO.Assets.Editors.h"

#include <QCheckBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using core::TqoAssetBitmapSet;

struct TScaleBitmap
{
    float Scale;
    QSize Size; // invalid: no bitmap
};

core::TqoBitmap Filled(const QSize& ASize)
{
    QImage LImage(ASize, QImage::Format_ARGB32);
    LImage.fill(Qt::darkCyan);
    return core::TqoBitmap(LImage);
}

void AddScales(TqoAssetBitmapSet& ASet, const std::vector<TScaleBitmap>& AScales)
{
    for (const TScaleBitmap& LScale : AScales) {
        core::TqoBitmapInfo* LInfo = ASet.Add(LScale.Scale);
        if (LScale.Size.isValid())
            LInfo->SetBitmap(Filled(LScale.Size));
    }
}

// English hints for the duration of a test.
class EnglishTexts
{
public:
    EnglishTexts() { core::TqoTranslator::SetCurrentLanguage(core::TqoTranslator::EnglishLanguage); }
    ~EnglishTexts() { core::TqoTranslator::SetCurrentLanguage(FLanguage); }

private:
    QString FLanguage = core::TqoTranslator::CurrentLanguage();
};

struct TWarningCase
{
    std::string Name;
    std::vector<TScaleBitmap> Scales;
    QSizeF BaseSize;
    // The hint of each tile; empty where no warning shows.
    QStringList Hints;
};

class BitmapSetWarnings : public testing::TestWithParam<TWarningCase>
{
};

TEST_P(BitmapSetWarnings, EachScaleIsCheckedAgainstTheBaseSize)
{
    const EnglishTexts LEnglish;
    TqoAssetBitmapSet LSet(QStringLiteral("Set"));
    AddScales(LSet, GetParam().Scales);
    orvo::TEditorBitmapSet LEditor(&LSet);
    EXPECT_EQ(LEditor.BaseSize(), GetParam().BaseSize);
    QStringList LHints;
    for (const orvo::TImageInfoView* LTile : LEditor.Tiles()) {
        LHints.append(LTile->WarningIcon()->toolTip());
        EXPECT_EQ(LTile->WarningIcon()->isVisibleTo(&LEditor), !LHints.last().isEmpty());
    }
    EXPECT_EQ(LHints, GetParam().Hints);
}

const QString CHint = QStringLiteral(
    "Current image size does not match the base size [%1, %2]. Actual size [%3, %4], Expected size [%5, %6]");

INSTANTIATE_TEST_SUITE_P(
    Sets, BitmapSetWarnings,
    testing::Values(
        TWarningCase{"EveryScaleFits", {{1, {50, 50}}, {1.5, {75, 75}}, {2, {100, 100}}}, {50, 50}, {"", "", ""}},
        TWarningCase{"TwoXOnePixelShort",
                     {{1, {50, 50}}, {2, {99, 100}}},
                     {50, 50},
                     {"", CHint.arg("50.00", "50.00").arg(99).arg(100).arg(100).arg(100)}},
        // The first scale with a bitmap gives the base; expected sizes are truncated.
        TWarningCase{"BaseFromTheFirstBitmapAndTruncated",
                     {{1, {}}, {1.5, {37, 30}}, {3, {74, 61}}},
                     {37 / 1.5, 20},
                     {"", "", CHint.arg("24.67", "20.00").arg(74).arg(61).arg(74).arg(60)}},
        TWarningCase{"NoBitmapNoWarning", {{1, {}}, {2, {}}}, {}, {"", ""}}),
    testdata::TCaseName());

TEST(BitmapSetEditor, SetWithoutBitmapsKeepsItsPreviousBaseSize)
{
    TqoAssetBitmapSet LSet(QStringLiteral("Set"));
    AddScales(LSet, {{1, {40, 20}}, {2, {80, 40}}});
    orvo::TEditorBitmapSet LEditor(&LSet);
    for (core::TqoBitmapInfo* LInfo : LSet.GetBitmapInfos())
        LInfo->ClearBitmap();
    LEditor.Refresh();
    EXPECT_EQ(LEditor.BaseSize(), QSizeF(40, 20));
    ASSERT_EQ(LEditor.Tiles().size(), 2u);
    EXPECT_FALSE(LEditor.Tiles()[1]->WarningIcon()->isVisibleTo(&LEditor));
    EXPECT_EQ(LEditor.Tiles()[1]->PaintBox()->toolTip(), QStringLiteral("Empty"));
    EXPECT_EQ(LEditor.Tiles()[0]->ScaleLabelWidget()->text(), QStringLiteral("1x"));
}

// 9 px at 3x are 3 logical pixels: 4.5 at 1.5x rounds to even.
TEST(BitmapSetEditor, CapInsetsAreCarriedToEveryScaleWithTheTint)
{
    TqoAssetBitmapSet LSet(QStringLiteral("Set"));
    AddScales(LSet, {{1, {}}, {1.5, {}}, {2, {}}, {3, {}}});
    LSet.FindByScale(1.5f)->SetTint(0xFF00FF00);
    core::TqoBitmapInfo* LSource = LSet.FindByScale(3);
    LSource->SetCapInsets({9, 3, 0, 9});
    LSource->SetTint(0x80FF0000);
    orvo::TEditorBitmapSet::PropagateCapInsets(LSet, *LSource);
    std::vector<QMargins> LInsets;
    for (const core::TqoBitmapInfo* LInfo : LSet.GetBitmapInfos()) {
        LInsets.push_back(LInfo->GetCapInsets().Value());
        EXPECT_EQ(LInfo->GetTint().Value(), 0x80FF0000u);
    }
    EXPECT_EQ(LInsets, (std::vector<QMargins>{{3, 1, 0, 3}, {4, 2, 0, 4}, {6, 2, 0, 6}, {9, 3, 0, 9}}));
}

struct TTintCase
{
    std::string Name;
    QString Text;
    bool Reads;
    core::TqoAlphaColor Color;
};

class TintText : public testing::TestWithParam<TTintCase>
{
};

TEST_P(TintText, IsNormalisedToARGB)
{
    core::TqoAlphaColor LColor = 0x12345678;
    EXPECT_EQ(orvo::TImageInfoPicker::TryParseTint(GetParam().Text, LColor), GetParam().Reads);
    EXPECT_EQ(LColor, GetParam().Reads ? GetParam().Color : 0x12345678u);
}

INSTANTIATE_TEST_SUITE_P(Texts, TintText,
                         testing::Values(TTintCase{"ThreeDigitsDoubled", "x1aF", true, 0xFF11AAFF},
                                         TTintCase{"SixDigitsOpaque", "$102030", true, 0xFF102030},
                                         TTintCase{"EightDigitsAsTheyAre", "80FF0000", true, 0x80FF0000},
                                         TTintCase{"NotANumber", "$12G4", false, 0}, TTintCase{"Empty", "", false, 0}),
                         testdata::TCaseName());

// The demo project's Avatar set, shown as the Assets Manager shows it: its 2x picker loads another
// bitmap, carries typed insets and a tint to every scale, and the save writes them all.
TEST(BitmapSetPicker, EditsThroughTheWidgetsReachTheSavedConfiguration)
{
    orvo::AssetsEditorsInitialization();
    const EnglishTexts LEnglish;
    QTemporaryDir LDir;
    ASSERT_TRUE(testdata::CopyTree(testdata::SourceDir() + QStringLiteral("/examples/DemoApp"), LDir.path()));
    const QString LBadge = LDir.filePath(QStringLiteral("Artwork/badge@20.png"));
    const auto LDialogs = testdata::TAnsweringDialogs::Install();
    LDialogs->FileAnswers.push_back({LBadge});
    orvo::TqoAssetsDocument LDocument;
    const auto LProject = ide::TDprojProject::Open(LDir.filePath(QStringLiteral("DemoApp.dproj")));
    LDocument.SetProject(LProject);
    const auto LSet = std::dynamic_pointer_cast<TqoAssetBitmapSet>(
        LDocument.GetAssetsManager().Find(QStringLiteral("Avatar"), core::TqoPlatform::All, core::TqoDeviceClass::All));
    ASSERT_NE(LSet, nullptr);

    orvo::TAssetsView LView;
    int LChanges = 0;
    LView.OnNeedUpdatePreview = [&](core::TqoAsset* AAsset) { LChanges += AAsset == LSet.get(); };
    LView.SetGroup(LDocument.GetModel().GetAssets(QStringLiteral("Avatar")));
    LView.resize(700, 300);
    LView.show();
    auto* LEditor = qobject_cast<orvo::TEditorBitmapSet*>(LView.Tiles()[0]->Editor());
    ASSERT_NE(LEditor, nullptr);
    ASSERT_EQ(LEditor->Tiles().size(), 5u); // the demo's four and the restored 4x
    orvo::TImageInfoView* LTwoX = LEditor->Tiles()[2];
    EXPECT_EQ(LTwoX->ScaleLabelWidget()->text(), QStringLiteral("2x"));
    EXPECT_EQ(LEditor->Tiles()[1]->ScaleLabelWidget()->text(), QStringLiteral("1.5x"));

    QTest::mouseClick(LTwoX->PaintBox(), Qt::LeftButton);
    orvo::TImageInfoPicker* LPicker = LTwoX->Picker();
    ASSERT_NE(LPicker, nullptr);
    EXPECT_TRUE(LPicker->isVisible());
    EXPECT_EQ(LPicker->SizeLabel()->text(), QStringLiteral("48 x 48"));
    EXPECT_EQ(LPicker->TintEdit()->text(), QStringLiteral("$00000000"));

    QTest::mouseClick(LPicker->LoadButton(), Qt::LeftButton);
    EXPECT_EQ(LPicker->SizeLabel()->text(), QStringLiteral("32 x 32"));
    EXPECT_TRUE(LTwoX->WarningIcon()->isVisibleTo(LEditor)); // 24 x 24 at 1x asks for 48 x 48
    QTest::mouseClick(LPicker->ApplyToAllBox(), Qt::LeftButton, {}, QPoint(6, LPicker->ApplyToAllBox()->height() / 2));
    EXPECT_TRUE(LPicker->GetApplyToAll());
    QSpinBox* LLeft = LPicker->InsetBox(0);
    QTest::keyClick(LLeft, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(LLeft, QStringLiteral("6"));
    QTest::keyClick(LPicker->TintEdit(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(LPicker->TintEdit(), QStringLiteral("xf00"));
    QTest::keyClick(LPicker->TintEdit(), Qt::Key_Return);
    EXPECT_EQ(LPicker->TintEdit()->text(), QStringLiteral("$FFFF0000"));
    LPicker->close();
    EXPECT_EQ(LChanges, 3);

    const std::vector<int> LLefts{3, 4, 6, 9, 12};
    for (size_t I = 0; I < LLefts.size(); ++I) {
        const core::TqoBitmapInfo* LInfo = LSet->GetBitmapInfos()[I];
        EXPECT_EQ(LInfo->GetCapInsets().Value(), QMargins(LLefts[I], 0, 0, 0)) << I;
        EXPECT_EQ(LInfo->GetTint().Value(), 0xFFFF0000u) << I;
    }
    EXPECT_EQ(LEditor->Tiles()[3]->Picker(), nullptr);

    LDocument.Save(true);
    const QJsonArray LAssets =
        QJsonDocument::fromJson(testdata::ReadAll(LDir.filePath(QStringLiteral("Assets/config.json"))))
            .object()[QStringLiteral("assets")]
            .toArray();
    QJsonArray LBitmaps;
    for (const QJsonValue& LAsset : LAssets)
        if (LAsset[QStringLiteral("name")] == QStringLiteral("Avatar"))
            LBitmaps = LAsset[QStringLiteral("bitmaps")].toArray();
    ASSERT_EQ(LBitmaps.size(), 5);
    EXPECT_EQ(LBitmaps[2][QStringLiteral("uri")].toString(), QStringLiteral("Avatar\\default@20x.png"));
    EXPECT_EQ(LBitmaps[2][QStringLiteral("capInsets")].toArray(), (QJsonArray{6, 0, 0, 0}));
    EXPECT_EQ(LBitmaps[3][QStringLiteral("capInsets")].toArray(), (QJsonArray{9, 0, 0, 0}));
    EXPECT_EQ(LBitmaps[0][QStringLiteral("tint")].toString(), QStringLiteral("#FFFF0000"));
    EXPECT_EQ(testdata::ReadAll(LDir.filePath(QStringLiteral("Assets/Avatar/default@20x.png"))),
              testdata::ReadAll(LBadge));
}

} // namespace
