#include "TestData.h"

#include "ORVO.Designer.Frames.h"
#include "assets/designer/ORVO.Assets.DataModule.h"
#include "assets/designer/ORVO.Assets.View.Assets.h"
#include "assets/editors/ORVO.Assets.Editor.BitmapSet.h"
#include "assets/editors/ORVO.Assets.View.ImageInfo.h"
#include "assets/storage/ORVO.Assets.Editors.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollArea>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

using core::TqoDeviceClass;
using core::TqoPlatform;

void Click(QWidget* AWidget)
{
    const QPointF LAt = QRectF(AWidget->rect()).center();
    for (QEvent::Type LType : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent LEvent(LType, LAt, AWidget->mapToGlobal(LAt), Qt::LeftButton,
                           LType == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(AWidget, &LEvent);
    }
}

void Key(QWidget* AWidget, int AKey, Qt::KeyboardModifiers AModifiers = Qt::NoModifier, const QString& AText = {})
{
    QKeyEvent LPress(QEvent::KeyPress, AKey, AModifiers, AText);
    QApplication::sendEvent(AWidget, &LPress);
    QKeyEvent LRelease(QEvent::KeyRelease, AKey, AModifiers, AText);
    QApplication::sendEvent(AWidget, &LRelease);
}

// Replaces the edit's text as a person would: select all, type, press Enter.
void TypeInto(QLineEdit* AEdit, const QString& AText)
{
    Key(AEdit, Qt::Key_A, Qt::ControlModifier);
    for (QChar LChar : AText)
        Key(AEdit, LChar.toUpper().unicode(), Qt::NoModifier, QString(LChar));
    Key(AEdit, Qt::Key_Return);
}

QString Title(const orvo::TResourceGroupView* ATile)
{
    return static_cast<orvo::TBaseEditorSinglePreview*>(ATile->Editor())->Title();
}

class AssetViews : public testing::Test
{
protected:
    void SetUp() override { orvo::AssetsEditorsInitialization(); }

    // Adds a color variant of "Brand" to the group the next view gets.
    core::TqoAssetColor* AddColor(core::TqoAlphaColor AColor, TqoPlatform APlatform = TqoPlatform::All,
                                  TqoDeviceClass ADeviceClass = TqoDeviceClass::All)
    {
        auto LAsset = std::make_shared<core::TqoAssetColor>(QStringLiteral("Brand"), AColor, APlatform, ADeviceClass);
        FGroup->Add(LAsset);
        return LAsset.get();
    }

    orvo::TAssetsView& ShowView(int AWidth)
    {
        FView.SetGroup(std::move(FGroup));
        FView.resize(AWidth, 300);
        FView.show();
        return FView;
    }

    std::unique_ptr<core::TqoAssetGroup> FGroup = std::make_unique<core::TqoAssetGroup>(QStringLiteral("Brand"));
    orvo::TAssetsView FView;
};

struct TFlowCase
{
    std::string Name;
    int Width;
    // Tile positions; the second row's top is given in tile heights below the first.
    QPoint First, Second;
    int SecondRow;
};

class AssetViewFlow : public AssetViews, public testing::WithParamInterface<TFlowCase>
{
};

// A tile is 144 wide (a 128-pixel frame with 8 on each side), so a row of two needs 8 + 2 * 152.
TEST_P(AssetViewFlow, RowsAreCentered)
{
    const TFlowCase& LCase = GetParam();
    AddColor(0xFFFF0000);
    AddColor(0xFF00FF00, TqoPlatform::All, TqoDeviceClass::Tablet);
    orvo::TAssetsView& LView = ShowView(LCase.Width);
    const auto& LTiles = LView.Tiles();
    ASSERT_EQ(LTiles.size(), 2u);
    ASSERT_EQ(LTiles[0]->width(), 144);
    const int LRowStep = LTiles[0]->height() + orvo::TAssetsView::TileSpacing;
    EXPECT_EQ(LTiles[0]->pos(), LCase.First);
    EXPECT_EQ(LTiles[1]->pos(), LCase.Second + QPoint(0, LCase.SecondRow * LRowStep));
    EXPECT_EQ(LView.height(), LTiles[1]->y() + LTiles[1]->height() + LView.Content()->y() + 8);
}

INSTANTIATE_TEST_SUITE_P(Widths, AssetViewFlow,
                         testing::Values(TFlowCase{"NarrowerThanTwoTiles", 200, {32, 8}, {32, 8}, 1},
                                         TFlowCase{"WideOneRow", 500, {106, 8}, {258, 8}, 0}),
                         testdata::TCaseName());

TEST_F(AssetViews, TilesFollowTheComparerWithTheirTargetNames)
{
    AddColor(0xFF0000FF, TqoPlatform::iOS, TqoDeviceClass::Tablet);
    AddColor(0xFF00FF00, TqoPlatform::Android);
    AddColor(0xFFFF0000);
    AddColor(0xFF808080, TqoPlatform::All, TqoDeviceClass::Tablet);
    QStringList LNames;
    for (const orvo::TResourceGroupView* LTile : ShowView(400).Tiles())
        LNames.append(LTile->TargetNameLabel()->text());
    EXPECT_EQ(LNames.join(QLatin1Char(',')), QStringLiteral("Universal,Tablet,Android,iOS Tablet"));
    EXPECT_EQ(FView.AssetNameLabel()->toolTip(), QStringLiteral("Brand"));
    EXPECT_EQ(FView.AssetTypeLabel()->text(), QStringLiteral("color"));
}

TEST_F(AssetViews, PickerEditReachesTheAssetAndApplyToAllReachesTheOtherVariants)
{
    core::TqoAssetColor* LUniversal = AddColor(0xFFFF0000);
    core::TqoAssetColor* LAndroid = AddColor(0xFF00FF00, TqoPlatform::Android);
    core::TqoAssetColor* LIOS = AddColor(0xFF0000FF, TqoPlatform::iOS);
    std::vector<core::TqoAsset*> LPreviewed;
    FView.OnNeedUpdatePreview = [&](core::TqoAsset* AAsset) { LPreviewed.push_back(AAsset); };
    const auto& LTiles = ShowView(600).Tiles();

    auto* LEditor = qobject_cast<orvo::TEditorColor*>(LTiles[0]->Editor());
    ASSERT_NE(LEditor, nullptr);
    Click(LEditor->PaintBox());
    ASSERT_NE(LEditor->Picker(), nullptr);
    EXPECT_TRUE(LEditor->Picker()->isVisible());
    EXPECT_EQ(LEditor->Picker()->HexEdit()->text(), QStringLiteral("#FFFF0000"));

    TypeInto(LEditor->Picker()->HexEdit(), QStringLiteral("#80112233"));
    EXPECT_EQ(LUniversal->GetColor(), 0x80112233u);
    EXPECT_EQ(LPreviewed, std::vector<core::TqoAsset*>{LUniversal});
    EXPECT_EQ(LEditor->Title(), QStringLiteral("#80112233"));
    EXPECT_EQ(LAndroid->GetColor(), 0xFF00FF00u); // not asked for all variants yet

    Click(LEditor->Picker()->ApplyToAllBox());
    EXPECT_TRUE(LEditor->Picker()->GetApplyToAll());
    EXPECT_EQ(LAndroid->GetColor(), 0x80112233u);
    EXPECT_EQ(LIOS->GetColor(), 0x80112233u);
    EXPECT_EQ(Title(LTiles[1]), QStringLiteral("#80112233"));
    EXPECT_EQ(Title(LTiles[2]), QStringLiteral("#80112233"));
}

TEST_F(AssetViews, ApplyColorRefreshesTheOtherTilesOnly)
{
    core::TqoAssetColor* LUniversal = AddColor(0xFFFF0000);
    core::TqoAssetColor* LAndroid = AddColor(0xFF00FF00, TqoPlatform::Android);
    const auto& LTiles = ShowView(600).Tiles();
    // Changed behind the frames' backs: only a refreshed tile shows it.
    LUniversal->SetColor(0xFF123456);
    FView.NeedApplyColorsHandler(LUniversal);
    EXPECT_EQ(LUniversal->GetColor(), 0xFF123456u);
    EXPECT_EQ(LAndroid->GetColor(), 0xFF123456u);
    EXPECT_EQ(Title(LTiles[0]), QStringLiteral("#FF0000"));
    EXPECT_EQ(Title(LTiles[1]), QStringLiteral("#123456"));
}

TEST_F(AssetViews, RefusesANullGroupAndAKindWithoutEditor)
{
    try {
        FView.SetGroup(nullptr);
        ADD_FAILURE() << "a null group was taken";
    } catch (const core::EqoAssertionFailed& E) {
        EXPECT_NE(std::string(E.what()).find("name=\"Value\""), std::string::npos) << E.what();
    }
    AddColor(0xFFFF0000);
    orvo::AssetsEditorsFinalization(); // no kind has an editor now
    try {
        FView.SetGroup(std::move(FGroup));
        ADD_FAILURE() << "a tile was made without an editor";
    } catch (const core::EqoAssertionFailed& E) {
        EXPECT_EQ(QString::fromUtf8(E.what()),
                  QStringLiteral("Неизвестный тип ресурса. Не могу создать для него редактор"));
    }
    orvo::AssetsEditorsInitialization();
    EXPECT_TRUE(FView.Tiles().empty());
}

TEST(ColorEditor, EmptyShowsEmptyInADashedGrayFrame)
{
    core::TqoAssetColor LAsset(QStringLiteral("Empty"));
    orvo::TEditorColor LEditor(&LAsset);
    EXPECT_EQ(LEditor.Title(), QStringLiteral("Empty"));
    const QImage LPicture = LEditor.PaintBox()->grab().toImage();
    EXPECT_EQ(LPicture.pixel(0, 0) & 0xFFFFFF, 0x808080u);
    EXPECT_NE(LPicture.pixel(LPicture.width() / 2, LPicture.height() / 2) & 0xFFFFFF, 0x808080u);
}

TEST(ColorEditor, SemiTransparentSwatchShowsTheBoardAndTheHintListsAlpha)
{
    core::TqoAssetColor LAsset(QStringLiteral("Glass"), 0x80FF0000);
    orvo::TEditorColor LEditor(&LAsset);
    EXPECT_EQ(LEditor.Title(), QStringLiteral("#80FF0000"));
    EXPECT_EQ(LEditor.PaintBox()->toolTip(),
              QStringLiteral("R: 255 (#FF)\r\nG: 0 (#00)\r\nB: 0 (#00)\r\nA: 128 (#80)"));
    const QImage LPicture = LEditor.PaintBox()->grab().toImage();
    const QRgb LCenter = LPicture.pixel(LPicture.width() / 2, LPicture.height() / 2);
    EXPECT_GT(qRed(LCenter), 200);
    EXPECT_GT(qGreen(LCenter), 90); // half of a white or gray cell shows through
    EXPECT_LT(qGreen(LCenter), 140);
}

TEST(ColorEditor, SameAssetAgainDoesNotRefresh)
{
    core::TqoAssetColor LFirst(QStringLiteral("A"), 0xFFFF0000), LSecond(QStringLiteral("B"), 0xFF0000FF);
    orvo::TEditorColor LEditor(&LFirst);
    LFirst.SetColor(0xFF00FF00);
    LEditor.SetAsset(&LFirst);
    EXPECT_EQ(LEditor.Title(), QStringLiteral("#FF0000"));
    LEditor.SetAsset(&LSecond);
    EXPECT_EQ(LEditor.Title(), QStringLiteral("#0000FF"));
}

int DrawnPixels(const QImage& AImage)
{
    int LCount = 0;
    for (int LY = 0; LY < AImage.height(); ++LY)
        for (int LX = 0; LX < AImage.width(); ++LX)
            LCount += qAlpha(AImage.pixel(LX, LY)) > 0;
    return LCount;
}

TEST(DesignerDataModule, DrawsEveryNamedImageAndLoadsComponentIcons)
{
    orvo::TDesignerDataModule& LModule = orvo::DesignerDataModule();
    const std::vector<QImage> LKinds = LModule.KindImages24();
    ASSERT_EQ(LKinds.size(), 5u);
    for (size_t LIndex = 0; LIndex < LKinds.size(); ++LIndex) {
        EXPECT_EQ(LKinds[LIndex].size(), QSize(24, 24));
        EXPECT_GT(DrawnPixels(LKinds[LIndex]), 100) << LIndex;
        for (size_t LOther = 0; LOther < LIndex; ++LOther)
            EXPECT_NE(LKinds[LIndex], LKinds[LOther]) << LIndex << " draws as " << LOther;
    }
    for (const char* LName : {"Custom File", "Font File OTF", "Font File TTF"})
        EXPECT_GT(DrawnPixels(LModule.ImageCollection().Bitmap(QString::fromLatin1(LName), 24)), 100) << LName;
    for (const QString& LPath : LModule.ImageListTabs())
        EXPECT_FALSE(QImage(LPath).isNull()) << LPath.toStdString();

    EXPECT_EQ(LModule.LoadComponentIconIfRequired(QStringLiteral("TqoArc"), 32).size(), QSize(32, 32));
    EXPECT_TRUE(LModule.ImageCollection().Contains(QStringLiteral("TqoArc")));
    EXPECT_TRUE(LModule.LoadComponentIconIfRequired(QStringLiteral("TqoNoSuchComponent"), 32).isNull());
}

// Pictures for people to look at: a color group and a bitmap set, stacked as the Assets
// Manager stacks its views.
TEST_F(AssetViews, Screenshots)
{
    AddColor(0xFFE53935);
    AddColor(0x8043A047, TqoPlatform::Android);
    AddColor(0xFF1E88E5, TqoPlatform::iOS, TqoDeviceClass::Tablet);
    FGroup->Add(std::make_shared<core::TqoAssetColor>(QStringLiteral("Brand"), TqoPlatform::iOS));
    auto LBitmaps = std::make_unique<core::TqoAssetGroup>(QStringLiteral("Images\\Logo"));
    for (const auto& [LPlatform, LFill] :
         {std::pair{TqoPlatform::All, Qt::darkCyan}, {TqoPlatform::Android, Qt::red}}) {
        auto LSet = std::make_shared<core::TqoAssetBitmapSet>(QStringLiteral("Images\\Logo"), LPlatform);
        QImage LImage(32, 24, QImage::Format_ARGB32);
        LImage.fill(LFill);
        LSet->Add(1.0f)->SetBitmap(core::TqoBitmap(LImage));
        LBitmaps->Add(LSet);
    }

    QScrollArea LArea;
    auto* LList = new QWidget;
    auto* LLayout = new QVBoxLayout(LList);
    LLayout->setContentsMargins(0, 0, 0, 0);
    LLayout->setSpacing(0);
    auto* LColors = new orvo::TAssetsView;
    LColors->SetGroup(std::move(FGroup));
    auto* LImages = new orvo::TAssetsView;
    LImages->SetGroup(std::move(LBitmaps));
    LLayout->addWidget(LColors);
    LLayout->addWidget(LImages);
    LLayout->addStretch();
    LArea.setWidget(LList);
    LArea.setWidgetResizable(true);
    LArea.resize(520, 560);
    LArea.show();
    QApplication::processEvents();

    EXPECT_EQ(LImages->y(), LColors->height());
    EXPECT_EQ(LColors->Tiles()[0]->y(), LColors->Tiles()[3]->y() - LColors->Tiles()[0]->height() - 8);
    auto* LSetEditor = qobject_cast<orvo::TEditorBitmapSet*>(LImages->Tiles()[0]->Editor());
    ASSERT_NE(LSetEditor, nullptr);
    EXPECT_EQ(LSetEditor->Tiles()[0]->PaintBox()->toolTip(), QStringLiteral("32 x 24"));
    const QString LFolder = QStringLiteral(ORVO_BIN_DIR "/../screenshots");
    ASSERT_TRUE(QDir().mkpath(LFolder));
    EXPECT_TRUE(LArea.grab().save(LFolder + QStringLiteral("/asset-views.png")));
    auto* LEditor = qobject_cast<orvo::TEditorColor*>(LColors->Tiles()[1]->Editor());
    Click(LEditor->PaintBox());
    EXPECT_TRUE(LEditor->Picker()->grab().save(LFolder + QStringLiteral("/color-picker.png")));
}

} // namespace
