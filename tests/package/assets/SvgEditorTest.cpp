// The SVG asset's tile and picker: the compatibility mark, the size boxes, clear, and an edit
// through the Assets Manager that reaches the saved configuration.

#include "IdeSession.h"
#include "TestData.h"
#include "assets/designer/ORVO.Assets.Designer.Frame.h"
#include "assets/designer/ORVO.Assets.View.Assets.h"
#include "assets/designer/ORVO.Assets.View.GroupedResources.h"
#include "assets/editors/ORVO.Editor.SinglePreview.h"
#include "assets/storage/ORVO.Assets.Editors.h"
#include "vectorimage/ORVO.VectorImage.Editor.SVG.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

using orvo::TEditorSVG;
using orvo::TSVGPicker;

struct TMarkCase
{
    std::string Name;
    QByteArray Svg; // empty: the asset has no SVG
    bool Visible;
    QString HintStart;
};

class SvgEditorMark : public testing::TestWithParam<TMarkCase>
{
};

TEST_P(SvgEditorMark, FollowsTheReadersVerdict)
{
    QTemporaryDir LDir;
    core::TqoAssetSVG LAsset(QStringLiteral("Icon"));
    LAsset.SetSize(24, 24);
    if (!GetParam().Svg.isEmpty()) {
        ASSERT_TRUE(testdata::WriteAll(LDir.filePath(QStringLiteral("icon.svg")), GetParam().Svg));
        LAsset.SetSVGUri(LDir.filePath(QStringLiteral("icon.svg")));
    }
    TEditorSVG LEditor(&LAsset);
    EXPECT_EQ(LEditor.imgWarning->isVisibleTo(&LEditor), GetParam().Visible);
    EXPECT_TRUE(LEditor.imgWarning->toolTip().startsWith(GetParam().HintStart))
        << LEditor.imgWarning->toolTip().toStdString();
    // Whatever the reader recorded is drawn, even when it gave up.
    EXPECT_EQ(LEditor.Preview().isNull(), GetParam().Svg.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Verdicts, SvgEditorMark,
    testing::Values(
        TMarkCase{"NoSvg", {}, false, QString()},
        TMarkCase{"Supported", R"(<svg width="24" height="24"><rect width="10" height="10"/></svg>)", false, QString()},
        TMarkCase{"UnknownElement", R"(<svg width="24" height="24"><blink/><rect width="10" height="10"/></svg>)", true,
                  QStringLiteral("SVG File is supported but with limitation\r\n- ")},
        TMarkCase{"WithoutSize", R"(<svg><rect width="10" height="10"/></svg>)", true,
                  QStringLiteral("SVG File is not supported\r\n")}),
    testdata::TCaseName());

struct TSizeCase
{
    std::string Name;
    bool Locked;
    bool HeightBox;
    QSizeF Expected;
};

class SvgPickerSize : public testing::TestWithParam<TSizeCase>
{
};

TEST_P(SvgPickerSize, FromOneBox)
{
    core::TqoAssetSVG LAsset(QStringLiteral("Icon"));
    LAsset.SetSize(32, 16);
    TSVGPicker LPicker;
    LPicker.SetAsset(&LAsset);
    int LChanges = 0;
    LPicker.OnChange = [&](dsgn::TFormBasePicker*) { ++LChanges; };
    if (!GetParam().Locked)
        QTest::mouseClick(LPicker.sbHoldAspectRatio, Qt::LeftButton);
    (GetParam().HeightBox ? LPicker.sbHeight : LPicker.sbWidth)->setValue(64);
    EXPECT_EQ(LAsset.GetSize(), GetParam().Expected);
    EXPECT_EQ(QSize(LPicker.sbWidth->value(), LPicker.sbHeight->value()), GetParam().Expected.toSize());
    EXPECT_EQ(LChanges, 1);
}

INSTANTIATE_TEST_SUITE_P(Ratio, SvgPickerSize,
                         testing::Values(TSizeCase{"LockedWidth", true, false, QSizeF(64, 32)},
                                         TSizeCase{"LockedHeight", true, true, QSizeF(128, 64)},
                                         TSizeCase{"UnlockedWidth", false, false, QSizeF(64, 16)},
                                         TSizeCase{"UnlockedHeight", false, true, QSizeF(32, 64)}),
                         testdata::TCaseName());

TEST(SvgPicker, ClearDropsBothReferencesAndTheSize)
{
    const QString LFile = testdata::SourceDir() + QStringLiteral("/examples/DemoApp/Artwork/star.svg");
    core::TqoAssetSVG LAsset(QStringLiteral("Star"));
    LAsset.SetSVGUri(LFile);
    LAsset.SetVectorUri(QStringLiteral("Star\\All.vector"));
    LAsset.SetSize(48, 48);
    TEditorSVG LEditor(&LAsset);
    int LChanges = 0;
    LEditor.OnChanged = [&](orvo::TBaseAssetEditorFrame*) { ++LChanges; };
    LEditor.OpenPicker();
    ASSERT_NE(LEditor.Picker(), nullptr);
    EXPECT_TRUE(LEditor.Picker()->btnSave->isEnabled());
    EXPECT_FALSE(LEditor.Preview().isNull());

    QTest::mouseClick(LEditor.Picker()->btnClear, Qt::LeftButton);
    EXPECT_EQ(LAsset.GetSVGUri(), QString());
    EXPECT_EQ(LAsset.GetVectorUri(), QString());
    EXPECT_EQ(LAsset.GetSize(), QSizeF(24, 24));
    EXPECT_EQ(LEditor.Picker()->sbWidth->value(), 24);
    EXPECT_FALSE(LEditor.Picker()->btnClear->isEnabled());
    EXPECT_FALSE(LEditor.Picker()->btnSave->isEnabled());
    EXPECT_TRUE(LEditor.Preview().isNull());
    EXPECT_EQ(LChanges, 1);
}

QJsonObject SavedAsset(const QString& AConfigFile, const QString& AName)
{
    const QJsonArray LAssets = QJsonDocument::fromJson(testdata::ReadAll(AConfigFile)).object()["assets"].toArray();
    for (const auto& LAsset : LAssets)
        if (LAsset.toObject()["name"].toString() == AName)
            return LAsset.toObject();
    return {};
}

TEST(SvgPicker, LoadAndResizeThroughTheTileReachTheSavedConfiguration)
{
    orvo::AssetsEditorsInitialization();
    QTemporaryDir LDir;
    ASSERT_TRUE(testdata::CopyTree(testdata::SourceDir() + QStringLiteral("/examples/DemoApp"), LDir.path()));
    testdata::TIdeSession LSession;
    const auto LDialogs = testdata::TAnsweringDialogs::Install();
    orvo::TFrameAssetManager LFrame;
    LFrame.resize(1100, 700);
    LFrame.SetProject(LSession.Open(LDir.filePath(QStringLiteral("DemoApp.dproj"))));
    LFrame.show();
    LFrame.SetInitialAssetName(QStringLiteral("Icons\\Star"));
    QApplication::processEvents();
    ASSERT_EQ(LFrame.SelectedViews().size(), 1);
    auto* LEditor = qobject_cast<TEditorSVG*>(LFrame.SelectedViews().front()->Tiles().front()->Editor());
    ASSERT_NE(LEditor, nullptr);
    core::TqoAssetSVG* LAsset = LEditor->GetAsset();

    QTest::mouseClick(LEditor->pbDecoration, Qt::LeftButton);
    ASSERT_NE(LEditor->Picker(), nullptr);
    EXPECT_TRUE(LEditor->Picker()->isVisible());
    // The demo's logo asks for 48 x 48.
    LDialogs->FileAnswers.push_back({LDir.filePath(QStringLiteral("Artwork/logo.svg"))});
    QTest::mouseClick(LEditor->Picker()->btnLoad, Qt::LeftButton);
    EXPECT_EQ(LAsset->GetSize(), QSizeF(48, 48));
    EXPECT_EQ(LEditor->Picker()->sbHeight->value(), 48);

    QSpinBox* LWidth = LEditor->Picker()->sbWidth;
    LWidth->setFocus();
    QTest::keyClick(LWidth, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(LWidth, QStringLiteral("96"));
    QTest::keyClick(LWidth, Qt::Key_Return);
    EXPECT_EQ(LAsset->GetSize(), QSizeF(96, 96));
    LEditor->Picker()->close();
    EXPECT_FALSE(LEditor->Picker()->isVisible());
    EXPECT_TRUE(LFrame.Document().GetModified());

    LFrame.Save(false);
    const QJsonObject LSaved =
        SavedAsset(LDir.filePath(QStringLiteral("Assets/config.json")), QStringLiteral("Icons\\Star"));
    EXPECT_EQ(LSaved["size"].toArray(), (QJsonArray{96, 96}));
    const QString LSvg = LDir.filePath(QStringLiteral("Assets/") + LSaved["svgUri"].toString().replace('\\', '/'));
    EXPECT_EQ(testdata::ReadAll(LSvg), testdata::ReadAll(LDir.filePath(QStringLiteral("Artwork/logo.svg"))));
    EXPECT_FALSE(LSaved["vectorUri"].toString().isEmpty());
}

} // namespace
