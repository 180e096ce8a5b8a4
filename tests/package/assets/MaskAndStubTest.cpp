// Generated masks and image stubs: the bitmap sets built for each scale, the dialogs' rules,
// and the frame's commands driving the dialogs' widgets.

#include "DemoFrameTest.h"
#include "TestData.h"
#include "assets/designer/ORVO.Assets.Designer.Frame.h"
#include "assets/storage/ORVO.Assets.Editors.h"
#include "assets/storage/ORVO.Assets.ImageStub.h"

#include <QAction>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>

using namespace orvo;

namespace {

struct TGenerationCase
{
    std::string Name;
    std::function<std::unique_ptr<core::TqoAssetBitmapSet>()> Generate;
    QList<QSize> Sizes;
    QList<int> CapInsets;                                 // one per scale, all four sides; empty: none
    QList<std::pair<QPoint, core::TqoAlphaColor>> Pixels; // of the 4x bitmap
};

class Generation : public testing::TestWithParam<TGenerationCase>
{
};

TEST_P(Generation, BuildsOneBitmapPerDefaultScale)
{
    const TGenerationCase& LCase = GetParam();
    const auto LSet = LCase.Generate();
    QList<QSize> LSizes;
    QList<int> LInsets;
    for (const core::TqoBitmapInfo* LInfo : LSet->GetBitmapInfos()) {
        ASSERT_EQ(LInfo->GetSource(), core::TqoBitmapInfo::TqoSource::Memory);
        LSizes << QSize(LInfo->GetBitmap().GetWidth(), LInfo->GetBitmap().GetHeight());
        if (LInfo->GetCapInsets().HasValue()) {
            const QMargins LMargins = LInfo->GetCapInsets().Value();
            EXPECT_EQ(QMargins(LMargins.left(), LMargins.left(), LMargins.left(), LMargins.left()), LMargins);
            LInsets << LMargins.left();
        }
    }
    EXPECT_EQ(LSizes, LCase.Sizes);
    EXPECT_EQ(LInsets, LCase.CapInsets);
    const core::TqoBitmap LLast = LSet->GetBitmapInfos().back()->GetBitmap();
    for (const auto& [LPoint, LColor] : LCase.Pixels)
        EXPECT_EQ(LLast.Pixel(LPoint.x(), LPoint.y()), LColor) << LPoint.x() << "," << LPoint.y();
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, Generation,
    testing::Values(TGenerationCase{"CircleMask40",
                                    [] { return GenerateMask("Mask 40", QSize(40, 40), TqoMaskKind::Circle, 0); },
                                    {{40, 40}, {60, 60}, {80, 80}, {120, 120}, {160, 160}},
                                    {},
                                    {{{80, 80}, 0xFFFFFFFF}, {{0, 0}, 0}}},
                    // 7.5 pixels at 1.5x round to the even 8; the insets 3 likewise from 3.
                    TGenerationCase{"RoundMask5Radius2",
                                    [] { return GenerateMask("Mask 5", QSize(5, 5), TqoMaskKind::RoundRectangle, 2); },
                                    {{5, 5}, {8, 8}, {10, 10}, {15, 15}, {20, 20}},
                                    {2, 3, 4, 6, 8},
                                    {{{10, 10}, 0xFFFFFFFF}, {{0, 0}, 0}, {{10, 0}, 0xFFFFFFFF}}},
                    // The circle of the pictogram, centred at (51, 87) of its 154 by 139 bounds, is fitted 5.74 times
                    // into the middle 1067 by 800 pixels: its centre lands near (656, 700).
                    TGenerationCase{"Stub400x300",
                                    [] { return GenerateImageStub("Image 400x300", QSize(400, 300)); },
                                    {{400, 300}, {600, 450}, {800, 600}, {1200, 900}, {1600, 1200}},
                                    {},
                                    {{{656, 700}, 0xFFB9B9B9}, {{0, 0}, 0xFFE7E7E7}}}),
    testdata::TCaseName());

template <typename T> T* Child(QWidget& ADialog, const char* AName)
{
    T* LChild = ADialog.findChild<T*>(QString::fromLatin1(AName));
    EXPECT_NE(LChild, nullptr) << AName;
    return LChild;
}

void Show(QWidget& ADialog)
{
    ADialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&ADialog));
}

// Replaces the spin box's text as typed, then leaves the field.
void Type(QSpinBox* ASpin, const QString& AText)
{
    ASpin->selectAll();
    QTest::keyClick(ASpin, Qt::Key_Delete);
    QTest::keyClicks(ASpin, AText);
    QTest::keyClick(ASpin, Qt::Key_Tab);
}

TEST(GenerationDialogs, SizesFollowTheirRules)
{
    TFormMaskGenerationParams LMask;
    Type(Child<QSpinBox>(LMask, "seWidth"), QStringLiteral("10"));
    EXPECT_EQ(LMask.CornerRadius(), 5);
    EXPECT_EQ(LMask.BaseSize(), QSize(10, 10));

    TFormImageStubGenerationParams LStub;
    Show(LStub);
    QTest::mouseClick(Child<QRadioButton>(LStub, "rb16x9"), Qt::LeftButton);
    EXPECT_EQ(LStub.GetBaseSize(), QSize(400, 225));
    Type(Child<QSpinBox>(LStub, "seHeight"), QStringLiteral("90"));
    EXPECT_EQ(LStub.GetBaseSize(), QSize(160, 90));
    Type(Child<QSpinBox>(LStub, "seWidth"), QStringLiteral("0"));
    EXPECT_FALSE(LStub.OkButton()->isEnabled());

    Child<QRadioButton>(LStub, "rb16x9")->setAutoExclusive(false);
    Child<QRadioButton>(LStub, "rb16x9")->setChecked(false);
    EXPECT_THROW(LStub.GetAspectRatio(), core::EqoAssertionFailed);
}

class GenerateCommands : public testdata::TDemoFrameTest
{
protected:
    testdata::TKeepDialogHook<TFormMaskGenerationParams> FMaskHook;
    testdata::TKeepDialogHook<TFormImageStubGenerationParams> FStubHook;

    std::shared_ptr<core::TqoAssetBitmapSet> Find(const QString& AName) const
    {
        return std::dynamic_pointer_cast<core::TqoAssetBitmapSet>(Asset(AName));
    }
};

TEST_F(GenerateCommands, AcceptedDialogsAddUniquelyNamedSetsAndCancelAddsNothing)
{
    TFormMaskGenerationParams::ExecuteDialog = [](TFormMaskGenerationParams& ADialog) {
        Show(ADialog);
        QTest::mouseClick(Child<QRadioButton>(ADialog, "rbRoundRectangle"), Qt::LeftButton);
        Type(Child<QSpinBox>(ADialog, "seWidth"), QStringLiteral("24"));
        QTest::mouseClick(ADialog.OkButton(), Qt::LeftButton);
        return ADialog.result() == QDialog::Accepted;
    };
    Trigger("ActionGenerateRoundMask");
    Trigger("ActionGenerateRoundMask");
    const auto LMask = Find(QStringLiteral("Mask 24-1"));
    ASSERT_NE(Find(QStringLiteral("Mask 24")), nullptr);
    ASSERT_NE(LMask, nullptr);
    EXPECT_EQ(LMask->Count(), 5);
    // The radius of 16 is clamped to half the width.
    EXPECT_EQ(LMask->GetBitmapInfos().front()->GetCapInsets().Value(), QMargins(12, 12, 12, 12));

    TFormImageStubGenerationParams::ExecuteDialog = [](TFormImageStubGenerationParams& ADialog) {
        Show(ADialog);
        QTest::mouseClick(Child<QRadioButton>(ADialog, "rb4x3"), Qt::LeftButton);
        QTest::mouseClick(ADialog.OkButton(), Qt::LeftButton);
        return ADialog.result() == QDialog::Accepted;
    };
    Trigger("ActionGenerateImageStub");
    const auto LStub = Find(QStringLiteral("Image 400x300"));
    ASSERT_NE(LStub, nullptr);
    EXPECT_EQ(LStub->GetBitmapInfos().back()->GetBitmap().GetWidth(), 1600);
    // The bitmaps stay in memory until the first save writes them as files.
    Trigger("ActionSave");
    const core::TqoBitmapInfo* LSaved = LStub->GetBitmapInfos().back();
    EXPECT_EQ(core::TqoBitmap::FromFile(LSaved->GetFileName()).GetWidth(), 1600);

    const QStringList LBefore = FFrame->Document().GetAssetsManager().GetAssetsNames();
    TFormImageStubGenerationParams::ExecuteDialog = [](TFormImageStubGenerationParams& ADialog) {
        Show(ADialog);
        QTest::mouseClick(Child<QPushButton>(ADialog, "btnCancel"), Qt::LeftButton);
        return ADialog.result() == QDialog::Accepted;
    };
    Trigger("ActionGenerateImageStub");
    EXPECT_EQ(FFrame->Document().GetAssetsManager().GetAssetsNames(), LBefore);
}

} // namespace
