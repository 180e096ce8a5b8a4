// The generated constants unit compiles: Free Pascal in Delphi mode builds it against the two
// runtime units it uses (tests/package/assets/pascal), for the shapes of asset sets that change
// what the unit declares.

#include "assets/storage/ORVO.Assets.Constants.Generator.h"

#include "ORVO.Assets.h"
#include "TestData.h"

#include <QStandardPaths>
#include <functional>

using namespace core;

namespace {

struct TShape
{
    const char* Name;
    std::function<void(TqoAssetsManager&)> Fill;
};

std::shared_ptr<TqoAssetBitmapSet> Bitmap(const QString& AName)
{
    auto LSet = std::make_shared<TqoAssetBitmapSet>(AName);
    LSet->Add(std::make_unique<TqoBitmapInfo>(AName + "\\default@10x.png", 1.0f));
    return LSet;
}

// One asset of every kind below APath.
void EveryKind(TqoAssetsManager& AManager, const QString& APath)
{
    AManager.Add(std::make_shared<TqoAssetColor>(APath + "Primary", 0xFF3F51B5u));
    AManager.Add(Bitmap(APath + "Logo"));
    AManager.Add(std::make_shared<TqoAssetSVG>(APath + "Icon"));
    AManager.Add(std::make_shared<TqoAssetFont>(APath + "Body"));
    AManager.Add(std::make_shared<TqoAssetFile>(APath + "Terms"));
    AManager.Add(std::make_shared<TqoAssetLottieAnimation>(APath + "Loading"));
    AManager.Add(std::make_shared<TqoAssetStyle>(APath + "Card"));
}

void Themes(TqoAssetsManager& AManager, bool AColors, bool ABitmaps)
{
    for (const QString& LTheme : {QStringLiteral("Light"), QStringLiteral("Dark")}) {
        AManager.Add(std::make_shared<TqoAssetThemeContainer>(LTheme));
        if (AColors)
            AManager.Add(std::make_shared<TqoAssetColor>(LTheme + "\\Background", 0xFFFFFFFFu));
        if (ABitmaps)
            AManager.Add(Bitmap(LTheme + "\\Logo"));
    }
}

class ConstantsCompileTest : public testing::TestWithParam<TShape>
{
};

TEST_P(ConstantsCompileTest, FreePascalBuildsTheUnit)
{
    const QString LCompiler = QStandardPaths::findExecutable(QStringLiteral("fpc"));
    if (LCompiler.isEmpty())
        GTEST_SKIP() << "fpc is not installed (scripts/install-deps installs fp-compiler)";
    TqoAssetsManager LManager;
    GetParam().Fill(LManager);
    QTemporaryDir LDir;
    const QString LUnit = LDir.filePath(QStringLiteral("Assets.Consts.pas"));
    ASSERT_TRUE(testdata::WriteAll(
        LUnit, orvo::TqoAssetsConstsGenerator::Encode(orvo::TqoAssetsConstsGenerator::GenerateLines(LManager))));
    const testdata::TRun LRun =
        testdata::RunProgram(LCompiler,
                             {QStringLiteral("-Mdelphi"), QStringLiteral("-vew"),
                              QStringLiteral("-Fu") + testdata::SourceDir() + "/tests/package/assets/pascal",
                              QStringLiteral("-FU") + LDir.path(), LUnit},
                             LDir.path());
    EXPECT_EQ(LRun.ExitCode, 0) << LRun.OutText().toStdString() << testdata::ReadAll(LUnit).toStdString();
    EXPECT_TRUE(QFileInfo::exists(LDir.filePath(QStringLiteral("Assets.Consts.ppu"))));
}

// Identifiers with letters outside ASCII are left out: Delphi takes them, Free Pascal does not.
INSTANTIATE_TEST_SUITE_P(
    Shapes, ConstantsCompileTest,
    testing::Values(TShape{"no_assets", [](TqoAssetsManager&) {}},
                    TShape{"every_kind", [](TqoAssetsManager& M) { EveryKind(M, "Folder\\"); }},
                    TShape{"themes_with_colors", [](TqoAssetsManager& M) { Themes(M, true, false); }},
                    TShape{"themes_with_bitmaps", [](TqoAssetsManager& M) { Themes(M, false, true); }},
                    TShape{"themes_with_both", [](TqoAssetsManager& M) { Themes(M, true, true); }},
                    TShape{"current_theme_of_every_kind",
                           [](TqoAssetsManager& M) {
                               Themes(M, false, false);
                               EveryKind(M, "Light\\");
                               EveryKind(M, "Dark\\");
                           }},
                    TShape{"reserved_words",
                           [](TqoAssetsManager& M) {
                               for (const char* LName : {"end", "Begin", "file", "Docs\\end"})
                                   M.Add(std::make_shared<TqoAssetFile>(QString::fromLatin1(LName)));
                           }},
                    TShape{"leading_digits_and_symbols",
                           [](TqoAssetsManager& M) {
                               for (const char* LName : {"2x", "-a", "read me.v2", "it's"})
                                   M.Add(std::make_shared<TqoAssetColor>(QString::fromLatin1(LName), 0xFF000000u));
                           }}),
    [](const auto& AInfo) { return std::string(AInfo.param.Name); });

} // namespace
