// orvo-assets on a copy of the demo project: what each project command prints, changes and
// answers with its exit status.

#include "TestData.h"

#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QDir>
#include <QMap>
#include <QTemporaryDir>

namespace {

class CommandLineTest : public testdata::TDemoProjectTest
{
protected:
    // Every file of the project with a hash of its bytes.
    QMap<QString, QByteArray> Snapshot() const
    {
        QMap<QString, QByteArray> LFiles;
        for (const QString& LFile : testdata::FileNames(FDir.path()))
            LFiles.insert(LFile,
                          QCryptographicHash::hash(testdata::ReadAll(FDir.filePath(LFile)), QCryptographicHash::Sha1));
        return LFiles;
    }

    // The list command's lines, only name, kind, platform and device class.
    QStringList Variants() const
    {
        QStringList LLines;
        for (const QString& LLine :
             Run({QStringLiteral("list"), FProject}).OutText().split(QLatin1Char('\n'), Qt::SkipEmptyParts))
            LLines << LLine.section(QLatin1Char('\t'), 0, 3);
        return LLines;
    }
};

} // namespace

TEST_F(CommandLineTest, AddPrintsTheFinalNameAndSavesLikeTheAssetsManager)
{
    const testdata::TRun LFirst = Run({"add", FProject, "color", "Brand", "--color", "#FF102030"});
    ASSERT_EQ(LFirst.ExitCode, 0) << LFirst.ErrText().toStdString();
    EXPECT_EQ(LFirst.OutText().section(QLatin1Char('\n'), 0, 0), QStringLiteral("Brand"));
    const testdata::TRun LSecond = Run({"add", FProject, "color", "Brand", "--color", "#FF405060"});
    EXPECT_EQ(LSecond.OutText().section(QLatin1Char('\n'), 0, 0), QStringLiteral("Brand-1"));

    // The save of the first command stored every asset and wrote what the project needs.
    for (const char* LFile : {"Assets/config.json", "Assets/config-android.json", "Assets/config-ios.json",
                              "Assets/Logo/default.vector", "Assets/Avatar/default@20x.png", "Assets.Consts.pas"})
        EXPECT_TRUE(QFileInfo::exists(FDir.filePath(QString::fromUtf8(LFile)))) << LFile;
    EXPECT_FALSE(QFileInfo::exists(FDir.filePath(QStringLiteral("Assets/config.backup.json"))));
    EXPECT_TRUE(testdata::ReadAll(FDir.filePath(QStringLiteral("Assets.Consts.pas"))).contains("'Brand-1'"));
    EXPECT_TRUE(testdata::ReadAll(FProject).contains("Class=\"ORVO_AssetsConfig\""));
}

// An add whose save was refused once printed the new name, so a script took it as saved.
TEST_F(CommandLineTest, RefusedSaveChangesNothingAndPrintsNoName)
{
    QTemporaryDir LOutside;
    const QString LTarget = LOutside.filePath(QStringLiteral("elsewhere.pas"));
    ASSERT_TRUE(testdata::WriteAll(LTarget, "outside"));
    ASSERT_TRUE(QFile::link(LTarget, FDir.filePath(QStringLiteral("Assets.Consts.pas"))));
    const QMap<QString, QByteArray> LBefore = Snapshot();

    const testdata::TRun LRun = Run({"add", FProject, "color", "Brand", "--color", "#FF102030"});
    EXPECT_EQ(LRun.ExitCode, 1);
    EXPECT_EQ(LRun.Out, QByteArray());
    EXPECT_TRUE(LRun.ErrText().contains(QStringLiteral("symbolic link"))) << LRun.Err.toStdString();
    EXPECT_EQ(Snapshot(), LBefore);
    EXPECT_EQ(testdata::ReadAll(LTarget), QByteArray("outside"));
}

TEST_F(CommandLineTest, VariantKeepsTheNameAndATakenVariantIsAnError)
{
    const testdata::TRun LAdd = Run(
        {"add", FProject, "color", "Accent", "--color", "#FF000001", "--platform", "ios", "--device-class", "tablet"});
    ASSERT_EQ(LAdd.ExitCode, 0) << LAdd.ErrText().toStdString();
    EXPECT_EQ(LAdd.OutText().section(QLatin1Char('\n'), 0, 0), QStringLiteral("Accent"));
    const testdata::TRun LAgain =
        Run({"add", FProject, "color", "Accent", "--color", "#FF000002", "--platform", "2", "--device-class", "4"});
    EXPECT_EQ(LAgain.ExitCode, 1);
    EXPECT_TRUE(LAgain.ErrText().contains(QStringLiteral("Accent@ios-tablet"))) << LAgain.ErrText().toStdString();
    // The comparer's order: all platforms and devices first, the iOS tablet variant last.
    const QStringList LVariants = Variants();
    ASSERT_FALSE(LVariants.isEmpty());
    EXPECT_EQ(LVariants.first(), QStringLiteral("Accent\tcolor\tall\tall"));
    EXPECT_EQ(LVariants.last(), QStringLiteral("Accent\tcolor\tios\ttablet"));
}

TEST_F(CommandLineTest, RenameCopyAndRemoveOfAFolder)
{
    EXPECT_EQ(Run({"rename", FProject, "Icons\\", "Images\\"}).ExitCode, 0);
    const testdata::TRun LCopy = Run({"copy", FProject, "Images\\Star"});
    EXPECT_EQ(LCopy.OutText().section(QLatin1Char('\n'), 0, 0), QStringLiteral("Images\\Star-1"));
    EXPECT_TRUE(QFileInfo::exists(FDir.filePath(QStringLiteral("Assets/Images/Star-1/default.vector"))));
    EXPECT_FALSE(QFileInfo::exists(FDir.filePath(QStringLiteral("Assets/Icons"))));

    EXPECT_EQ(Run({"remove", FProject, "Images\\"}).ExitCode, 0);
    for (const QString& LVariant : Variants())
        EXPECT_FALSE(LVariant.startsWith(QStringLiteral("Images\\"))) << LVariant.toStdString();
    EXPECT_FALSE(QFileInfo::exists(FDir.filePath(QStringLiteral("Assets/Images"))));
}

TEST_F(CommandLineTest, DryRunShowsTheChangesAndWritesNothing)
{
    const auto LBefore = Snapshot();
    const testdata::TRun LRun = Run({"add", FProject, "--dry-run", "file", "Docs\\Readme", FDir.filePath("Main.pas")});
    ASSERT_EQ(LRun.ExitCode, 0) << LRun.ErrText().toStdString();
    EXPECT_EQ(Snapshot(), LBefore);
    EXPECT_TRUE(LRun.OutText().contains(QStringLiteral("create Assets/Docs/Readme/default.pas")))
        << LRun.OutText().toStdString();
    EXPECT_TRUE(LRun.OutText().contains(QStringLiteral("change Assets/config.json")));
    EXPECT_TRUE(LRun.OutText().contains(QStringLiteral("change DemoApp.dproj")));
}

struct TExitCase
{
    const char* Name;
    std::vector<const char*> Args; // "@" stands for the project file
    int ExitCode;
    const char* ErrorText; // part of the message on stderr
};

class CommandLineExitTest : public CommandLineTest, public testing::WithParamInterface<TExitCase>
{
};

TEST_P(CommandLineExitTest, AnswersWithTheStatusAndAMessage)
{
    QStringList LArgs;
    for (const char* LArg : GetParam().Args)
        LArgs << (QLatin1String(LArg) == QLatin1String("@") ? FProject : QString::fromUtf8(LArg));
    const auto LBefore = Snapshot();
    const testdata::TRun LRun = Run(LArgs);
    EXPECT_EQ(LRun.ExitCode, GetParam().ExitCode) << LRun.ErrText().toStdString();
    EXPECT_TRUE(LRun.ErrText().contains(QString::fromUtf8(GetParam().ErrorText))) << LRun.ErrText().toStdString();
    EXPECT_EQ(Snapshot(), LBefore);
}

INSTANTIATE_TEST_SUITE_P(
    Cli, CommandLineExitTest,
    testing::Values(
        TExitCase{"unknown_kind", {"add", "@", "sound", "X"}, 2, "unknown kind"},
        TExitCase{"color_without_value", {"add", "@", "color", "X"}, 2, "--color"},
        TExitCase{"bad_color", {"add", "@", "color", "X", "--color", "blue"}, 2, "not a color"},
        TExitCase{"unknown_option", {"save", "@", "--force"}, 2, "unknown option"},
        TExitCase{"missing_word", {"rename", "@", "A"}, 2, "OLD NEW"},
        TExitCase{"unknown_platform", {"add", "@", "font", "F", "--platform", "web"}, 2, "unknown platform"},
        TExitCase{"parent_in_name", {"add", "@", "font", "..\\..\\F"}, 1, "outside the assets folder"},
        TExitCase{"device_name", {"add", "@", "theme-container", "Themes\\COM1"}, 1, "device name"},
        TExitCase{"variant_of_another_kind",
                  {"add", "@", "font", "Logo", "--platform", "ios"},
                  1,
                  "\"Logo\" is an asset of kind svg, not font"},
        TExitCase{"no_such_asset", {"remove", "@", "Nothing"}, 1, "no such asset"},
        TExitCase{"no_such_folder", {"remove", "@", "Nothing\\"}, 1, "no such asset folder"},
        TExitCase{"no_such_project", {"list", "missing.dproj"}, 1, "no such project file"},
        TExitCase{"mask_kind_twice", {"mask", "@", "--circle", "--round-rect", "2", "--size", "8"}, 2, "one of"},
        TExitCase{"radius_over_half_side", {"mask", "@", "--round-rect", "5", "--size", "9"}, 2, "0 to 4"},
        TExitCase{"stub_size_shape", {"stub", "@", "--size", "10x"}, 2, "W or WxH"},
        TExitCase{"unknown_palette_color", {"theme", "@", "--primary", "Mauve", "--secondary", "1"}, 2, "Mauve"},
        TExitCase{"theme_inside_theme",
                  {"theme", "@", "--primary", "1", "--secondary", "2", "--into", "Dark"},
                  1,
                  "never made inside another theme"}),
    testdata::TCaseName());

TEST_F(CommandLineTest, GeneratorsNameTheirAssetsAsTheDialogsDoAndMakeThemUnique)
{
    const auto LFirstLine = [&](const QStringList& AArgs) {
        const testdata::TRun LRun = Run(AArgs);
        EXPECT_EQ(LRun.ExitCode, 0) << LRun.ErrText().toStdString();
        return LRun.OutText().section(QLatin1Char('\n'), 0, 0);
    };
    EXPECT_EQ(LFirstLine({"mask", FProject, "--circle", "--size", "24", "--into", "UI/Masks"}), "UI\\Masks\\Mask 24");
    EXPECT_EQ(LFirstLine({"mask", FProject, "--round-rect", "4", "--size", "24", "--into", "UI/Masks"}),
              "UI\\Masks\\Mask 24-1");
    EXPECT_EQ(LFirstLine({"stub", FProject, "--size", "30x20"}), "Image 30x20");
    EXPECT_EQ(LFirstLine({"theme", FProject, "--primary", "indigo", "--secondary", "9", "--dark"}),
              "Themes\\Dark Indigo");

    // The container and the dark theme's surface, whatever the base colors.
    const QString LList = Run({"list", FProject}).OutText();
    EXPECT_TRUE(LList.contains("Themes\\Dark Indigo\ttheme-container\t")) << LList.toStdString();
    EXPECT_TRUE(LList.contains("Themes\\Dark Indigo\\Surface\tcolor\tall\tall\t#121212"));
    for (const char* LFile : {"Assets/UI/Masks/Mask 24-1/default@15x.png", "Assets/Image 30x20/default@40x.png"})
        EXPECT_TRUE(QFileInfo::exists(FDir.filePath(QString::fromUtf8(LFile)))) << LFile;
}

TEST_F(CommandLineTest, ConfigurationThatDoesNotLoadStopsEveryCommandWithItsLine)
{
    const QString LConfig = FDir.filePath(QStringLiteral("Assets/config.json"));
    ASSERT_TRUE(testdata::WriteAll(
        LConfig, "{\n  \"format\": \"orvo-assets\",\n  \"version\": 1,\n  \"assets\": [ { \"name\": 5 } ]\n}\n"));
    const auto LBefore = Snapshot();
    for (const char* LCommand : {"list", "save", "consts", "deploy"}) {
        const testdata::TRun LRun = Run({QString::fromUtf8(LCommand), FProject});
        EXPECT_EQ(LRun.ExitCode, 1) << LCommand;
        EXPECT_TRUE(LRun.ErrText().contains(LConfig + QStringLiteral(":4:"))) << LRun.ErrText().toStdString();
    }
    EXPECT_EQ(Snapshot(), LBefore);
}
