// The Assets Manager's model: names, renames, removals, copies and their change reports.

#include "assets/designer/ORVO.Assets.Designer.h"

#include "TestData.h"

#include <gtest/gtest.h>

#include <QStringList>

using namespace core;
using orvo::TqoAssetOperation;
using orvo::TqoAssetsModel;

namespace {

// Every report of a model as one line each, so a sequence compares as a whole.
struct TReports
{
    QStringList Lines;

    explicit TReports(TqoAssetsModel& AModel)
    {
        AModel.SetOnAssetRenamed([this](const QString& AOld, const QString& ANew) {
            Lines << QStringLiteral("renamed %1 -> %2").arg(AOld, ANew);
        });
        AModel.SetOnAssetChanged([this](const QString& AName, TqoAssetOperation AOperation) {
            static const char* const LNames[] = {"Added", "Deleting", "Renamed"};
            Lines << QStringLiteral("%1 %2").arg(QLatin1String(LNames[int(AOperation)]), AName);
        });
    }
};

// The model's variants as sorted ids ("Icons\Back@default").
QStringList Ids(const TqoAssetsModel& AModel)
{
    QStringList LIds;
    for (const TqoAssetPtr& LAsset : AModel.GetAssetsManager().GetAllAssets())
        LIds << LAsset->GetId();
    LIds.sort();
    return LIds;
}

void AddColors(TqoAssetsModel& AModel, const std::vector<const char*>& ANames)
{
    for (const char* LName : ANames)
        AModel.GetAssetsManager().Add(std::make_shared<TqoAssetColor>(QString::fromUtf8(LName), 0xFF000000u));
}

} // namespace

struct TUniqueNameCase
{
    const char* Label;
    std::vector<const char*> Existing;
    const char* Name;
    const char* Expected;
};

class UniqueNameTest : public testing::TestWithParam<TUniqueNameCase>
{
};

TEST_P(UniqueNameTest, GivesTheFirstFreeCounter)
{
    TqoAssetsModel LModel;
    AddColors(LModel, GetParam().Existing);
    EXPECT_EQ(LModel.GenerateAssetName(QString::fromUtf8(GetParam().Name)), QString::fromUtf8(GetParam().Expected));
}

INSTANTIATE_TEST_SUITE_P(
    Model, UniqueNameTest,
    testing::Values(TUniqueNameCase{"free", {"Other"}, "Icon", "Icon"},
                    TUniqueNameCase{"taken", {"Icon"}, "Icon", "Icon-1"},
                    TUniqueNameCase{"gap_is_filled", {"Icon", "Icon-2"}, "Icon", "Icon-1"},
                    TUniqueNameCase{"counts_past_taken", {"Icon", "Icon-1", "Icon-2"}, "Icon", "Icon-3"},
                    TUniqueNameCase{"case_matters", {"icon"}, "Icon", "Icon"},
                    TUniqueNameCase{"folder_kept", {"Icons\\Back"}, "Icons\\Back", "Icons\\Back-1"},
                    TUniqueNameCase{"counter_of_counter", {"Icon-1"}, "Icon-1", "Icon-1-1"}),
    [](const auto& AInfo) { return std::string(AInfo.param.Label); });

TEST(ModelRename, TakenNameGetsACounterAndReportsRenameThenChange)
{
    TqoAssetsModel LModel;
    AddColors(LModel, {"A", "B"});
    TReports LReports(LModel);
    LModel.Rename(QStringLiteral("A"), QStringLiteral("B"));
    EXPECT_EQ(LReports.Lines, QStringList({"renamed A -> B-1", "Renamed B-1"}));
    EXPECT_EQ(Ids(LModel), QStringList({"B-1@default", "B@default"}));
}

TEST(ModelRename, NothingHappensForTheSameOrAMissingName)
{
    TqoAssetsModel LModel;
    AddColors(LModel, {"A"});
    TReports LReports(LModel);
    LModel.Rename(QStringLiteral("A"), QStringLiteral("A"));
    LModel.Rename(QStringLiteral("Missing"), QStringLiteral("C"));
    EXPECT_EQ(LReports.Lines, QStringList());
    EXPECT_EQ(Ids(LModel), QStringList({"A@default"}));
}

TEST(ModelRenamePath, MovesExactlyTheAssetsBelowTheOldFolder)
{
    TqoAssetsModel LModel;
    AddColors(LModel, {"Icons\\A", "Icons\\Sub\\B", "IconsX", "icons\\C", "Other\\Icons\\D"});
    TReports LReports(LModel);
    LModel.RenamePath(QStringLiteral("Icons\\"), QStringLiteral("Images\\Small\\"));
    EXPECT_EQ(Ids(LModel), QStringList({"IconsX@default", "Images\\Small\\A@default", "Images\\Small\\Sub\\B@default",
                                        "Other\\Icons\\D@default", "icons\\C@default"}));
    EXPECT_EQ(LReports.Lines,
              QStringList({"renamed Icons\\A -> Images\\Small\\A", "Renamed Images\\Small\\A",
                           "renamed Icons\\Sub\\B -> Images\\Small\\Sub\\B", "Renamed Images\\Small\\Sub\\B"}));
}

TEST(ModelRenamePath, AnEscapingTargetRenamesNothing)
{
    TqoAssetsModel LModel;
    AddColors(LModel, {"Icons\\A", "Icons\\B"});
    EXPECT_THROW(LModel.RenamePath(QStringLiteral("Icons\\"), QStringLiteral("..\\")), orvo::EqoAssetNameError);
    EXPECT_EQ(Ids(LModel), QStringList({"Icons\\A@default", "Icons\\B@default"}));
}

struct TRemovePathCase
{
    const char* Label;
    const char* Path;
    std::vector<const char*> Left;
    std::vector<const char*> Reports;
};

class RemovePathTest : public testing::TestWithParam<TRemovePathCase>
{
};

TEST_P(RemovePathTest, RemovesWhatThePathNames)
{
    TqoAssetsModel LModel;
    AddColors(LModel, {"Icons", "Icons\\A", "Icons\\Sub\\B", "IconsX"});
    TReports LReports(LModel);
    LModel.RemovePath(QString::fromUtf8(GetParam().Path));
    QStringList LLeft;
    for (const char* L : GetParam().Left)
        LLeft << QString::fromUtf8(L);
    LLeft.sort();
    QStringList LExpectedReports;
    for (const char* L : GetParam().Reports)
        LExpectedReports << QString::fromUtf8(L);
    EXPECT_EQ(Ids(LModel), LLeft);
    EXPECT_EQ(LReports.Lines, LExpectedReports);
}

INSTANTIATE_TEST_SUITE_P(
    Model, RemovePathTest,
    testing::Values(
        TRemovePathCase{
            "folder", "Icons\\", {"Icons@default", "IconsX@default"}, {"Deleting Icons\\A", "Deleting Icons\\Sub\\B"}},
        TRemovePathCase{
            "exact_name", "Icons", {"Icons\\A@default", "Icons\\Sub\\B@default", "IconsX@default"}, {"Deleting Icons"}},
        TRemovePathCase{"subfolder",
                        "Icons\\Sub\\",
                        {"Icons@default", "Icons\\A@default", "IconsX@default"},
                        {"Deleting Icons\\Sub\\B"}},
        TRemovePathCase{"no_match",
                        "Nothing\\",
                        {"Icons@default", "Icons\\A@default", "Icons\\Sub\\B@default", "IconsX@default"},
                        {}}),
    [](const auto& AInfo) { return std::string(AInfo.param.Label); });

TEST(ModelRemovePath, AnEmptyPathIsRefused)
{
    TqoAssetsModel LModel;
    EXPECT_THROW(LModel.RemovePath(QString()), EqoAssertionFailed);
}

TEST(ModelCopy, CopiesEveryVariantUnderTheNextFreeNameWithOneReport)
{
    TqoAssetsModel LModel;
    auto& LManager = LModel.GetAssetsManager();
    LManager.Add(std::make_shared<TqoAssetColor>(QStringLiteral("Icon"), 1u));
    LManager.Add(std::make_shared<TqoAssetColor>(QStringLiteral("Icon"), 2u, TqoPlatform::Android));
    LManager.Add(std::make_shared<TqoAssetColor>(QStringLiteral("Icon"), 3u, TqoPlatform::iOS, TqoDeviceClass::Tablet));
    LManager.Add(std::make_shared<TqoAssetColor>(QStringLiteral("Icon-1"), 4u));
    TReports LReports(LModel);

    const TqoAssetPtr LLast = LModel.Copy(QStringLiteral("Icon"));

    ASSERT_NE(LLast, nullptr);
    EXPECT_EQ(LLast->GetId(), QStringLiteral("Icon-2@ios-tablet"));
    EXPECT_EQ(LReports.Lines, QStringList({"Added Icon-2"}));
    auto LCopy = std::dynamic_pointer_cast<TqoAssetColor>(
        LManager.Find(QStringLiteral("Icon-2"), TqoPlatform::Android, TqoDeviceClass::All));
    ASSERT_NE(LCopy, nullptr);
    EXPECT_EQ(LCopy->GetColor(), 2u);
    EXPECT_EQ(LModel.GetAssets(QStringLiteral("Icon-2"))->Count(), 3);
    EXPECT_EQ(LModel.GetAssets(QStringLiteral("Icon"))->Count(), 3);
}

TEST(ModelCopy, AMissingNameCopiesNothing)
{
    TqoAssetsModel LModel;
    TReports LReports(LModel);
    EXPECT_EQ(LModel.Copy(QStringLiteral("Icon")), nullptr);
    EXPECT_EQ(LReports.Lines, QStringList());
    EXPECT_EQ(LModel.GetAssetsManager().Count(), 0);
}

TEST(ModelAdd, EmptyBitmapSetHasFiveScalesWithoutFiles)
{
    TqoAssetsModel LModel;
    TReports LReports(LModel);
    const auto LSet = LModel.AddEmptyBitmapSet(QStringLiteral("Icons\\Back"));
    std::vector<float> LScales;
    for (const TqoBitmapInfo* LInfo : LSet->GetBitmapInfos()) {
        LScales.push_back(LInfo->GetScale());
        EXPECT_EQ(LInfo->GetSource(), TqoBitmapInfo::TqoSource::None);
    }
    EXPECT_EQ(LScales, (std::vector<float>{1.0f, 1.5f, 2.0f, 3.0f, 4.0f}));
    EXPECT_EQ(LReports.Lines, QStringList({"Added Icons\\Back"}));
}

TEST(ModelAdd, GroupIsReportedOnce)
{
    TqoAssetsModel LModel;
    TReports LReports(LModel);
    TqoAssetGroup LGroup(QStringLiteral("G"));
    LGroup.Add(std::make_shared<TqoAssetColor>(QStringLiteral("G"), 1u));
    LGroup.Add(std::make_shared<TqoAssetColor>(QStringLiteral("G"), 2u, TqoPlatform::Android));
    LModel.AddGroup(LGroup);
    EXPECT_EQ(LReports.Lines, QStringList({"Added G"}));
    EXPECT_EQ(Ids(LModel), QStringList({"G@android", "G@default"}));
}

TEST(ModelRemove, RemovesAllVariantsAndReportsEachName)
{
    TqoAssetsModel LModel;
    AddColors(LModel, {"A", "B", "C"});
    LModel.GetAssetsManager().Add(std::make_shared<TqoAssetColor>(QStringLiteral("A"), 5u, TqoPlatform::iOS));
    TReports LReports(LModel);
    LModel.Removes({QStringLiteral("A"), QStringLiteral("C")});
    EXPECT_EQ(Ids(LModel), QStringList({"B@default"}));
    EXPECT_EQ(LReports.Lines, QStringList({"Deleting A", "Deleting C"}));
}
