// orvo-assets set on a copy of the demo project: each edit as the saved configuration shows
// it, and refused edits that leave the configuration as it was.

#include "TestData.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

namespace {

struct TSetCase
{
    std::string Name;
    QStringList Args; // after the project
    int ExitCode;
    // The universal variant's member, as compact JSON; "bitmaps/M" lists member M of each bitmap.
    QString Asset, Member, Expected;
};

class SetCommand : public testdata::TDemoProjectTest, public testing::WithParamInterface<TSetCase>
{
protected:
    QString Config() const { return FDir.filePath(QStringLiteral("Assets/config.json")); }

    QString MemberOf(const QString& AName, const QString& AMember) const
    {
        const QJsonArray LAssets =
            QJsonDocument::fromJson(testdata::ReadAll(Config())).object()[QStringLiteral("assets")].toArray();
        for (const QJsonValue& LAsset : LAssets) {
            if (LAsset[QStringLiteral("name")] != AName ||
                LAsset[QStringLiteral("deviceClass")] != QStringLiteral("all"))
                continue;
            const QString LList = AMember.section(QLatin1Char('/'), 0, 0);
            QJsonArray LValue{LAsset[LList]};
            if (AMember.contains(QLatin1Char('/'))) {
                LValue = {};
                for (const QJsonValue& LItem : LAsset[LList].toArray())
                    LValue.append(LItem[AMember.section(QLatin1Char('/'), 1)]);
            }
            // Wrapped in an array, since a document holds no bare value.
            return QString::fromUtf8(QJsonDocument(LValue).toJson(QJsonDocument::Compact));
        }
        return QStringLiteral("no asset ") + AName;
    }
};

TEST_P(SetCommand, EditsAsThePickersDoAndSaves)
{
    const TSetCase& LCase = GetParam();
    const QByteArray LBefore = testdata::ReadAll(Config());
    const testdata::TRun LRun = Run(QStringList{QStringLiteral("set"), FProject} + LCase.Args);
    ASSERT_FALSE(LRun.Crashed);
    EXPECT_EQ(LRun.ExitCode, LCase.ExitCode) << LRun.ErrText().toStdString();
    if (LCase.ExitCode != 0) {
        EXPECT_FALSE(LRun.ErrText().isEmpty());
        EXPECT_EQ(testdata::ReadAll(Config()), LBefore);
        return;
    }
    EXPECT_EQ(MemberOf(LCase.Asset, LCase.Member), LCase.Expected);
}

const QString CAvatar = QStringLiteral("Avatar");

INSTANTIATE_TEST_SUITE_P(
    Options, SetCommand,
    testing::Values(
        TSetCase{"SvgSize", {"Logo", "--size", "64x32.5"}, 0, "Logo", "size", "[[64,32.5]]"},
        // 3 px at 3x are 1 logical pixel, 6 px are 2; 1.5 at 1.5x rounds to 2.
        TSetCase{"CapInsetsCarriedFromOneScale",
                 {"Avatar", "--cap-insets", "3,0,0,6", "--scale", "3"},
                 0,
                 CAvatar,
                 "bitmaps/capInsets",
                 "[[1,0,0,2],[2,0,0,3],[2,0,0,4],[3,0,0,6],[4,0,0,8]]"},
        TSetCase{"TintOfEveryScale",
                 {"Icons/Badge", "--tint", "#80ff0000"},
                 0,
                 "Icons\\Badge",
                 "bitmaps/tint",
                 "[\"#80FF0000\",\"#80FF0000\",\"#80FF0000\",\"#80FF0000\",\"#80FF0000\"]"},
        TSetCase{"FileLocationAndExtractionRule",
                 {"Docs\\Terms", "--file-location", "1", "--extraction-rule", "2"},
                 0,
                 "Docs\\Terms",
                 "extractionRule",
                 "[\"raise-exception\"]"},
        // The demo's badge has no 1.5x bitmap until now.
        TSetCase{"FileOfABitmapSetScale",
                 {"Icons/Badge", "--file", "Artwork/avatar@15.png", "--scale", "1.5"},
                 0,
                 "Icons\\Badge",
                 "bitmaps/uri",
                 "[\"Icons\\\\Badge\\\\default@10x.png\",\"Icons\\\\Badge\\\\default@20x.png\","
                 "\"Icons\\\\Badge\\\\default@15x.png\",\"\",\"\"]"},
        TSetCase{"FileOfALottieAnimation",
                 {"Loading", "--file", "Artwork/terms.txt"},
                 0,
                 "Loading",
                 "uri",
                 "[\"Loading\\\\default.txt\"]"},
        TSetCase{"CapInsetsWithoutScale", {"Avatar", "--cap-insets", "1,1,1,1"}, 2, {}, {}, {}},
        TSetCase{"BadTint", {"Avatar", "--tint", "red"}, 2, {}, {}, {}}, TSetCase{"NoEdit", {"Avatar"}, 2, {}, {}, {}},
        TSetCase{"SizeOfABitmapSet", {"Avatar", "--size", "10x10"}, 1, {}, {}, {}},
        TSetCase{"NoSuchScale", {"Icons/Badge", "--file", "Artwork/badge@10.png", "--scale", "5"}, 1, {}, {}, {}},
        TSetCase{"NotAnImage", {"Avatar", "--file", "Artwork/terms.txt", "--scale", "1"}, 1, {}, {}, {}},
        TSetCase{"NoSuchAsset", {"Nobody", "--tint", "#FF000000"}, 1, {}, {}, {}}),
    testdata::TCaseName());

} // namespace
