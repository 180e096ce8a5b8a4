// The Assets Manager's model: names, renames, removals, copies and their change reports.

#include "assets/designer/ORVO.Assets.Designer.h"

#include "TestData.h"

#include <gtest/gtest.h>

#include <QStringList>
#include <QTemporaryDir>

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

TEST(ModelNames, AFreeNameStaysATakenOneGetsTheFirstFreeCounter)
{
    TqoAssetsModel LModel;
    AddColors(LModel, {"Icon", "Icon-2", "icon", "Other-1"});
    EXPECT_EQ(LModel.GenerateAssetName(QStringLiteral("Free")), QStringLiteral("Free"));
    EXPECT_EQ(LModel.GenerateAssetName(QStringLiteral("Icon")), QStringLiteral("Icon-1"));
    EXPECT_EQ(LModel.GenerateAssetName(QStringLiteral("ICON")), QStringLiteral("ICON"));
    EXPECT_EQ(LModel.GenerateAssetName(QStringLiteral("Other-1")), QStringLiteral("Other-1-1"));
    AddColors(LModel, {"Icon-1"});
    EXPECT_EQ(LModel.GenerateAssetName(QStringLiteral("Icon")), QStringLiteral("Icon-3"));
}

TEST(ModelRename, TakenNameGetsACounterAndReportsRenameThenChange)
{
    TqoAssetsModel LModel;
    AddColors(LModel, {"A", "B"});
    TReports LReports(LModel);
    LModel.Rename(QStringLiteral("A"), QStringLiteral("A"));
    LModel.Rename(QStringLiteral("Missing"), QStringLiteral("C"));
    LModel.Rename(QStringLiteral("A"), QStringLiteral("B"));
    EXPECT_EQ(LReports.Lines, QStringList({"renamed A -> B-1", "Renamed B-1"}));
    EXPECT_EQ(Ids(LModel), QStringList({"B-1@default", "B@default"}));
}

TEST(ModelRenamePath, MovesExactlyTheAssetsBelowTheOldFolder)
{
    TqoAssetsModel LModel;
    AddColors(LModel, {"Icons\\A", "Icons\\Sub\\B", "IconsX", "icons\\C", "Other\\Icons\\D"});
    TReports LReports(LModel);
    LModel.RenamePath(QStringLiteral("Icons\\"), QStringLiteral("Images\\Small\\"));
    const QStringList LMoved({"IconsX@default", "Images\\Small\\A@default", "Images\\Small\\Sub\\B@default",
                              "Other\\Icons\\D@default", "icons\\C@default"});
    EXPECT_EQ(Ids(LModel), LMoved);
    EXPECT_EQ(LReports.Lines,
              QStringList({"renamed Icons\\A -> Images\\Small\\A", "Renamed Images\\Small\\A",
                           "renamed Icons\\Sub\\B -> Images\\Small\\Sub\\B", "Renamed Images\\Small\\Sub\\B"}));

    // A target that escapes the assets folder renames nothing.
    EXPECT_THROW(LModel.RenamePath(QStringLiteral("Images\\"), QStringLiteral("..\\")), orvo::EqoAssetNameError);
    EXPECT_EQ(Ids(LModel), LMoved);
}

struct TRemovePathCase
{
    const char* Name;
    const char* Path;
    QStringList Left; // sorted ids
    QStringList Reports;
};

using RemovePathTest = testing::TestWithParam<TRemovePathCase>;

TEST_P(RemovePathTest, RemovesWhatThePathNames)
{
    TqoAssetsModel LModel;
    AddColors(LModel, {"Icons", "Icons\\A", "Icons\\Sub\\B", "IconsX"});
    TReports LReports(LModel);
    LModel.RemovePath(QString::fromUtf8(GetParam().Path));
    EXPECT_EQ(Ids(LModel), GetParam().Left);
    EXPECT_EQ(LReports.Lines, GetParam().Reports);
}

INSTANTIATE_TEST_SUITE_P(
    Model, RemovePathTest,
    testing::Values(
        TRemovePathCase{
            "folder", "Icons\\", {"Icons@default", "IconsX@default"}, {"Deleting Icons\\A", "Deleting Icons\\Sub\\B"}},
        TRemovePathCase{
            "exact_name", "Icons", {"IconsX@default", "Icons\\A@default", "Icons\\Sub\\B@default"}, {"Deleting Icons"}},
        TRemovePathCase{"subfolder",
                        "Icons\\Sub\\",
                        {"Icons@default", "IconsX@default", "Icons\\A@default"},
                        {"Deleting Icons\\Sub\\B"}}),
    testdata::TCaseName());

TEST(ModelRemovePath, AnEmptyPathIsRefusedAndAMissingNameCopiesNothing)
{
    TqoAssetsModel LModel;
    TReports LReports(LModel);
    EXPECT_THROW(LModel.RemovePath(QString()), EqoAssertionFailed);
    EXPECT_EQ(LModel.Copy(QStringLiteral("Icon")), nullptr);
    EXPECT_EQ(LReports.Lines, QStringList());
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
    EXPECT_EQ(LManager.ResolveAs<TqoAssetColor>(QStringLiteral("Icon-2"), TqoPlatform::Android, TqoDeviceClass::All)
                  ->GetColor(),
              2u);
    EXPECT_EQ(LModel.GetAssets(QStringLiteral("Icon-2"))->Count(), 3);
    EXPECT_EQ(LModel.GetAssets(QStringLiteral("Icon"))->Count(), 3);
}

TEST(ModelAdd, EveryKindIsAddedEmptyWithOneReport)
{
    TqoAssetsModel LModel;
    TReports LReports(LModel);
    QStringList LExpected;
    for (const QString& LKind : TqoAssetKinds::Keys()) {
        const TqoAssetPtr LAsset = LModel.AddEmpty(LKind, QStringLiteral("K\\") + LKind);
        EXPECT_EQ(LAsset->GetKind(), LKind);
        LExpected << QStringLiteral("Added K\\") + LKind;
    }
    EXPECT_EQ(LReports.Lines, LExpected);
    EXPECT_EQ(LModel.AddEmptyBitmapSet(QStringLiteral("Set"))->Count(), 5);
    EXPECT_THROW(LModel.AddEmpty(QStringLiteral("sound"), QStringLiteral("S")), EqoAssertionFailed);
}

TEST(ModelAdd, AVariantMustBeFreeAndOfTheNamesKind)
{
    TqoAssetsModel LModel;
    LModel.AddColor(QStringLiteral("Accent"), 1u);
    TReports LReports(LModel);
    LModel.AddVariant(std::make_shared<TqoAssetColor>(QStringLiteral("Accent"), 2u, TqoPlatform::iOS));
    // The command line's tests check the messages.
    EXPECT_THROW(LModel.AddVariant(std::make_shared<TqoAssetColor>(QStringLiteral("Accent"), 3u, TqoPlatform::iOS)),
                 orvo::EqoAssetVariantError);
    EXPECT_THROW(LModel.AddVariant(std::make_shared<TqoAssetFont>(QStringLiteral("Accent"), TqoPlatform::Android)),
                 orvo::EqoAssetVariantError);
    EXPECT_EQ(LReports.Lines, QStringList({"Added Accent"}));
    EXPECT_EQ(Ids(LModel), QStringList({"Accent@default", "Accent@ios"}));
}

// Regression: a name the model took but the storage refused stayed in config.json, and every
// later save failed; two bitmaps of one scale text were written into one file.
TEST(ModelAdd, WhatCannotBeStoredIsRefusedBeforeItJoins)
{
    TqoAssetsModel LModel;
    TReports LReports(LModel);
    const QString LLongest = QString(79, QLatin1Char('a')) + QLatin1Char('\\') + QString(80, QLatin1Char('b')) +
                             QLatin1Char('\\') + QString(39, QLatin1Char('c'));
    for (const QString& LName :
         {QStringLiteral("x."), QStringLiteral("Icons\\COM1"), QString(LLongest + QStringLiteral("\\c"))})
        EXPECT_THROW(LModel.AddEmptyFile(LName), orvo::EqoAssetNameError) << LName.toStdString();
    LModel.AddColor(LLongest.left(LLongest.size() - 1), 1u);
    EXPECT_THROW(LModel.Copy(LLongest.left(LLongest.size() - 1)), orvo::EqoAssetNameError); // "-1" is too long

    auto LSet = std::make_shared<TqoAssetBitmapSet>(QStringLiteral("Icon"));
    LSet->Add(1.0f);
    LSet->Add(1.5f)->SetScale(1.05f);
    EXPECT_THROW(LModel.AddAsset(LSet), orvo::EqoAssetVariantError);
    EXPECT_EQ(LModel.GetAssetsManager().Count(), 1);
    EXPECT_EQ(LReports.Lines.size(), 1); // the color's only

    // Changed after it joined: the save stops before it writes anything.
    LSet->GetBitmapInfos()[1]->SetScale(1.5f);
    LModel.AddAsset(LSet);
    LSet->GetBitmapInfos()[1]->SetScale(1.0f);
    QTemporaryDir LDir;
    EXPECT_THROW(LModel.SaveToFile(LDir.filePath(QStringLiteral("Assets/config.json"))), orvo::EqoAssetVariantError);
    EXPECT_FALSE(QFileInfo::exists(LDir.filePath(QStringLiteral("Assets"))));
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
