// The constants unit on a real project: where it is written, its bytes, the project's module
// list and main source, and which asset manager it is made from.

#include "assets/storage/ORVO.Assets.Constants.Generator.h"

#include "IdeSession.h"
#include "ORVO.Exceptions.h"
#include "ORVO.Log.h"
#include "TestData.h"
#include "ToolsAPI.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using testdata::ReadAll;

// Readable failure messages; internal to this file so other suites may print their own way.

using namespace core;
using orvo::TqoAssetsConstsGenerator;

namespace {

// The demo project's .dproj and .dpr in a folder of their own.
class ConstantsGeneratorFileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (const char* Name : {"DemoApp.dproj", "DemoApp.dpr"})
            ASSERT_TRUE(QFile::copy(testdata::SourceDir() + "/examples/DemoApp/" + Name, Path(Name)));
        FProject = FIde.Open(Path("DemoApp.dproj"));
        FManager = testdata::TIdeSession::AssetsManager(*FProject);
        FManager->Add(std::make_shared<TqoAssetColor>("Primary", 0xFF3F51B5u));
    }

    QString Path(const QString& ARelative) const { return FDir.filePath(ARelative); }
    QString UnitFile() const { return Path("Assets.Consts.pas"); }

    QTemporaryDir FDir;
    testdata::TIdeSession FIde;
    std::shared_ptr<ide::TDprojProject> FProject;
    std::shared_ptr<TqoAssetsManager> FManager;
};

TEST_F(ConstantsGeneratorFileTest, UnitIsUtf8WithBomAndCrLfAfterEveryLine)
{
    FManager->Add(std::make_shared<TqoAssetColor>("Фон", 0xFF000000u));
    TqoAssetsConstsGenerator::GenerateAssetsConsts(FProject, false);

    const QByteArray Bytes = ReadAll(UnitFile());
    ASSERT_TRUE(Bytes.startsWith("\xEF\xBB\xBF"));
    EXPECT_TRUE(Bytes.endsWith("\r\nend.\r\n"));
    EXPECT_EQ(Bytes.count("\n"), Bytes.count("\r\n"));
    const QStringList Lines = QString::fromUtf8(Bytes.mid(3)).split("\r\n");
    EXPECT_EQ(Lines.mid(0, Lines.size() - 1), TqoAssetsConstsGenerator::GenerateLines(*FManager));
    EXPECT_TRUE(Lines.filter("ФОН = 'Фон';").size() == 1);
}

TEST_F(ConstantsGeneratorFileTest, UnitIsAddedToProjectAndMainSourceOnce)
{
    {
        TqoLogCapture Log;
        TqoAssetsConstsGenerator::GenerateAssetsConsts(FProject, false);
        ASSERT_EQ(Log.Entries().size(), 1u);
        EXPECT_EQ(Log.Entries()[0].Category, "AssetsDesigner");
        EXPECT_EQ(Log.Entries()[0].Message,
                  QStringLiteral("Сохранение новых констант: projectFileName=\"%1\", fileName=\"%2\", ")
                      .arg(FDir.path(), UnitFile()));
    }
    EXPECT_TRUE(FProject->IsModified());
    FProject->Save();
    {
        // Now the project lists the unit: it is written there and nothing else is done.
        TqoLogCapture Log;
        TqoAssetsConstsGenerator::GenerateAssetsConsts(FProject, false);
        EXPECT_EQ(Log.Entries().size(), 0u);
    }
    EXPECT_FALSE(FProject->IsModified());
    FProject->Save();

    EXPECT_EQ(ReadAll(Path("DemoApp.dproj")).count("<DCCReference Include=\"Assets.Consts.pas\"/>"), 1);
    EXPECT_EQ(ReadAll(Path("DemoApp.dpr")).count("Assets.Consts in 'Assets.Consts.pas'"), 1);
    const auto Reopened = ide::TDprojProject::Open(Path("DemoApp.dproj"));
    const auto Module = Reopened->FindModuleInfo("Assets.Consts.pas");
    ASSERT_NE(Module, nullptr);
    EXPECT_EQ(Module->FileName(), UnitFile());
}

TEST_F(ConstantsGeneratorFileTest, ClosingProjectGetsTheFileButKeepsItsModuleList)
{
    const QByteArray ProjectBefore = FProject->Serialize();
    TqoAssetsConstsGenerator::GenerateAssetsConsts(FProject, true);

    EXPECT_TRUE(ReadAll(UnitFile()).contains("PRIMARY = 'Primary';"));
    EXPECT_FALSE(FProject->IsModified());
    EXPECT_EQ(FProject->Serialize(), ProjectBefore);
    EXPECT_EQ(FProject->FindModuleInfo("Assets.Consts.pas"), nullptr);
}

TEST_F(ConstantsGeneratorFileTest, WithoutTheProjectsManagerTheCurrentManagerIsUsed)
{
    ASSERT_TRUE(testdata::TIdeSession::Close(FProject));
    TqoAssetsManager::GetCurrent().Add(std::make_shared<TqoAssetFont>("CurrentOnly"));
    TqoAssetsConstsGenerator::GenerateAssetsConsts(FProject, true);
    TqoAssetsManager::GetCurrent().Remove(QStringLiteral("CurrentOnly"));

    const QByteArray Unit = ReadAll(UnitFile());
    EXPECT_TRUE(Unit.contains("CURRENTONLY = 'CurrentOnly';"));
    EXPECT_FALSE(Unit.contains("PRIMARY"));
}

TEST_F(ConstantsGeneratorFileTest, WriteFailureRaisesAFileError)
{
    ASSERT_TRUE(QDir(FDir.path()).mkdir("Assets.Consts.pas"));
    EXPECT_THROW(TqoAssetsConstsGenerator::GenerateAssetsConsts(FProject, false), EqoFileError);
    EXPECT_FALSE(FProject->IsModified());
}

} // namespace
