// The demo project saved as the IDE saves it, twice: the second save must leave every file of
// the project as the first one left it. And the demo edited as a user edits it in the IDE, with
// the package loaded by the IDE's loader: a style from a template, an asset chosen for an image.

#include "DesignEditors.h"
#include "DesignFormDocument.h"
#include "IdeSession.h"
#include "ORVO.Components.h"
#include "PackageLoader.h"
#include "TestData.h"
#include "ToolsAPI.h"
#include "assets/designer/ORVO.Assets.Designer.h"
#include "assets/editors/Form.AssetsChooser.ViewModel.h"
#include "assets/storage/ORVO.Assets.Editors.h"

#include <QDateTime>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <gtest/gtest.h>
#include <map>

using testdata::CopyTree;

namespace {

using TSnapshot = std::map<QString, QByteArray>;

TSnapshot Snapshot(const QString& ARoot)
{
    TSnapshot LFiles;
    QDirIterator LIt(ARoot, QDir::Files, QDirIterator::Subdirectories);
    while (LIt.hasNext()) {
        QFile LFile(LIt.next());
        EXPECT_TRUE(LFile.open(QIODevice::ReadOnly)) << LFile.fileName().toStdString();
        LFiles[LFile.fileName().mid(ARoot.size() + 1)] = LFile.readAll();
    }
    return LFiles;
}

// One session of the IDE: open the project, load its assets, save them and the project.
orvo::TqoAssetsSaveResult SaveOnce(const QString& AProjectFile)
{
    testdata::TIdeSession LIde;
    const auto LProject = LIde.Open(AProjectFile);
    orvo::TqoAssetsDocument LDocument;
    LDocument.SetProject(LProject);
    LDocument.Load();
    const auto LResult = LDocument.Save(false);
    LProject->Save();
    return LResult;
}

class DemoProject : public ::testing::Test
{
protected:
    void SetUp() override
    {
        orvo::AssetsEditorsInitialization();
        ASSERT_TRUE(FTemp.isValid());
        FRoot = FTemp.path() + QStringLiteral("/DemoApp");
        ASSERT_TRUE(CopyTree(testdata::SourceDir() + QStringLiteral("/examples/DemoApp"), FRoot));
    }
    void TearDown() override { orvo::AssetsEditorsFinalization(); }

    QTemporaryDir FTemp;
    QString FRoot;
};

TEST_F(DemoProject, SecondSaveLeavesEveryFileAsTheFirstDid)
{
    const auto LFirst = SaveOnce(FRoot + QStringLiteral("/DemoApp.dproj"));
    EXPECT_TRUE(LFirst.FailedAssets.isEmpty()) << LFirst.FailedAssets.join(QLatin1Char('\n')).toStdString();
    const TSnapshot LAfterFirst = Snapshot(FRoot);

    const auto LSecond = SaveOnce(FRoot + QStringLiteral("/DemoApp.dproj"));
    EXPECT_TRUE(LSecond.DeletedFiles.isEmpty()) << LSecond.DeletedFiles.join(QLatin1Char('\n')).toStdString();
    const TSnapshot LAfterSecond = Snapshot(FRoot);

    ASSERT_EQ(LAfterFirst.size(), LAfterSecond.size());
    for (const auto& [LName, LBytes] : LAfterFirst) {
        const auto It = LAfterSecond.find(LName);
        ASSERT_NE(It, LAfterSecond.end()) << LName.toStdString() << " is gone";
        EXPECT_EQ(It->second, LBytes) << LName.toStdString() << " changed";
    }
}

TEST_F(DemoProject, FirstSaveStoresConvertsDeploysAndGeneratesConstants)
{
    SaveOnce(FRoot + QStringLiteral("/DemoApp.dproj"));
    const TSnapshot LFiles = Snapshot(FRoot);
    for (const char* LExpected :
         {"Assets/config.json", "Assets/config-android.json", "Assets/config-ios.json", "Assets.Consts.pas",
          "Assets/Logo/default.svg", "Assets/Logo/default.vector", "Assets/Avatar/default@15x.png",
          "Assets/Icons/Badge/tablet@20x.png", "Assets/Loading/default.json", "Assets/Docs/Terms/default.txt",
          "Assets/Light/Logo/default@30x.png"})
        EXPECT_EQ(LFiles.count(QString::fromLatin1(LExpected)), 1u) << LExpected;
    EXPECT_EQ(LFiles.count(QStringLiteral("Assets/config.backup.json")), 0u);
    // Sources outside Assets are the user's and stay.
    EXPECT_EQ(LFiles.count(QStringLiteral("Artwork/logo.svg")), 1u);

    const QByteArray& LProject = LFiles.at(QStringLiteral("DemoApp.dproj"));
    EXPECT_TRUE(LProject.startsWith("\xEF\xBB\xBF"));
    EXPECT_TRUE(LProject.contains("<DeployClass Name=\"ORVO_Assets\">"));
    EXPECT_TRUE(LProject.contains(
        "LocalName=\"Assets\\Logo\\default.vector\" Configuration=\"Release\" Class=\"ORVO_Assets\""));
    EXPECT_TRUE(LProject.contains("<DCCReference Include=\"Assets.Consts.pas\"/>"));
    // The IDE's own entries are still there.
    EXPECT_TRUE(LProject.contains("LocalName=\"Android64\\Debug\\libDemoApp.so\""));
    EXPECT_TRUE(LFiles.at(QStringLiteral("DemoApp.dpr")).contains("Assets.Consts in 'Assets.Consts.pas'"));

    const QByteArray& LConsts = LFiles.at(QStringLiteral("Assets.Consts.pas"));
    EXPECT_TRUE(LConsts.startsWith("\xEF\xBB\xBF"));
    EXPECT_TRUE(LConsts.contains("\r\n"));
    EXPECT_TRUE(LConsts.contains("OVERLAY_CLEAR = 'Overlay\\Clear';"));
}

// Each file's modification time in milliseconds, by its path under ARoot.
std::map<QString, qint64> ModificationTimes(const QString& ARoot)
{
    std::map<QString, qint64> LTimes;
    for (const auto& [LName, LBytes] : Snapshot(ARoot))
        LTimes[LName] = QFileInfo(ARoot + QLatin1Char('/') + LName).lastModified().toMSecsSinceEpoch();
    return LTimes;
}

// The form's components, each one's name and class indented under its parent, in the order
// of their parents' children.
void ComponentTree(const QSet<QObject*>& AComponents, QObject* AParent, const QString& AIndent, QStringList& ALines)
{
    for (QObject* C : AParent->children())
        if (AComponents.contains(C)) {
            ALines << AIndent + C->objectName() + QStringLiteral(": ") + C->metaObject()->className();
            ComponentTree(AComponents, C, AIndent + QStringLiteral("  "), ALines);
        }
}
QStringList ComponentTree(const ide::TFormDocument& ADocument)
{
    const QList<QObject*> LComponents = ADocument.Components();
    QStringList LLines;
    ComponentTree(QSet<QObject*>(LComponents.begin(), LComponents.end()), ADocument.Root(), QString(), LLines);
    return LLines;
}

// The item of the menu item's sub-items with that caption; fails the test when there is none.
ide::IMenuItem* SubItem(ide::IMenuItem& AItem, const QString& ACaption)
{
    for (int I = 0; I < AItem.Count(); ++I)
        if (AItem.Item(I).GetCaption() == ACaption)
            return &AItem.Item(I);
    ADD_FAILURE() << "no menu item " << ACaption.toStdString();
    return nullptr;
}

class DemoFormEdited : public DemoProject
{
protected:
    void SetUp() override
    {
        DemoProject::SetUp();
        ide::BorlandIDEServices().InstallDefaultServices();
        FPackage = ide::LoadPackage(QStringLiteral(ORVO_BIN_DIR "/bplOrvoNative.Designtime370.so"));
        FSession = std::make_unique<testdata::TIdeSession>();
    }
    // The IDE closes its projects before it unloads packages.
    void TearDown() override
    {
        FSession.reset();
        FPackage.reset();
        DemoProject::TearDown();
    }

    // The collection view's editor from the registry runs "Add Style" > ACategory > ATitle as
    // the IDE's context menu would.
    static void AddStyle(ide::TFormDocument& ADocument, const QString& ACategory, const QString& ATitle)
    {
        QObject* LView = ADocument.FindComponent(QStringLiteral("CollectionViewItems"));
        const auto* LClass = ide::TDesignRegistry::Instance().FindComponentEditor(LView->metaObject());
        ASSERT_NE(LClass, nullptr);
        const auto LEditor = LClass->Create(LView, &ADocument.Designer());
        for (int I = 0; I < LEditor->GetVerbCount(); ++I) {
            if (LEditor->GetVerb(I) != QStringLiteral("Add Style"))
                continue;
            ide::TVerbMenuItem LItem(LEditor->GetVerb(I));
            LEditor->PrepareItem(I, LItem);
            if (ide::IMenuItem* LGroup = SubItem(LItem, ACategory))
                if (ide::IMenuItem* LTemplate = SubItem(*LGroup, ATitle))
                    LTemplate->Click();
            return;
        }
        ADD_FAILURE() << "no Add Style verb";
    }

    // Chooses, from the list the asset chooser builds, the asset AName for the image's ImageName
    // through the image's property editor.
    static void ChooseImage(ide::TFormDocument& ADocument, const QString& AImage, const QString& AName)
    {
        QObject* LImage = ADocument.FindComponent(AImage);
        ASSERT_NE(LImage, nullptr);
        ide::TPropertyEditorList LEditors = ide::GetComponentProperties({LImage}, &ADocument.Designer());
        const auto LEditor = std::find_if(LEditors.begin(), LEditors.end(),
                                          [](const auto& E) { return E->GetName() == QStringLiteral("ImageName"); });
        ASSERT_NE(LEditor, LEditors.end());
        orvo::TGraphicAssetChooserViemModel LChooser;
        LChooser.BuildModel();
        LChooser.UpdateItems();
        const auto& LItems = LChooser.VisibleItems();
        const auto LItem = std::find_if(LItems.begin(), LItems.end(), [&](const auto* I) { return I->Name == AName; });
        ASSERT_NE(LItem, LItems.end()) << AName.toStdString() << " is not offered";
        (*LEditor)->SetValue((*LItem)->Name);
    }

    std::unique_ptr<ide::TLoadedPackage> FPackage;
    std::unique_ptr<testdata::TIdeSession> FSession;
};

TEST_F(DemoFormEdited, SavedStyleAndImageReadBackAndASecondSaveChangesNoFile)
{
    const QString LProjectFile = FRoot + QStringLiteral("/DemoApp.dproj");
    QStringList LTree;
    {
        const auto LProject = FSession->Open(LProjectFile);
        const auto LForm = ide::TFormDocument::Open(FRoot + QStringLiteral("/Main.xfm"));
        AddStyle(*LForm, QStringLiteral("Two line item"), QStringLiteral("Primary, Secondary and Meta text"));
        ChooseImage(*LForm, QStringLiteral("qoImage1"), QStringLiteral("Icons\\Badge"));
        EXPECT_TRUE(LForm->IsModified());
        LForm->Save();
        LTree = ComponentTree(*LForm);
        orvo::TqoAssetsDocument LAssets;
        LAssets.SetProject(LProject);
        LAssets.Load();
        EXPECT_TRUE(LAssets.Save(false).FailedAssets.isEmpty());
        LProject->Save();
        testdata::TIdeSession::Close(LProject);
    }
    const QByteArray LFormText = testdata::ReadAll(FRoot + QStringLiteral("/Main.xfm"));
    EXPECT_TRUE(LFormText.contains("object qoCollectionViewStyle1: TqoCollectionViewStyle")) << LFormText.toStdString();
    EXPECT_TRUE(LFormText.contains("ImageName = 'Icons\\Badge'")) << LFormText.toStdString();
    const TSnapshot LFiles = Snapshot(FRoot);
    const auto LTimes = ModificationTimes(FRoot);

    // A later session: everything reads back, and saving again as the IDE does writes nothing new.
    const auto LProject = FSession->Open(LProjectFile);
    const auto LForm = ide::TFormDocument::Open(FRoot + QStringLiteral("/Main.xfm"));
    QStringList LProblems;
    for (const auto& P : LForm->Problems())
        LProblems << QStringLiteral("%1: %2").arg(P.Line).arg(P.Text);
    EXPECT_EQ(LProblems, QStringList());
    EXPECT_EQ(ComponentTree(*LForm), LTree);
    // Every value read back writes the same text: one that changed would rewrite its line.
    LForm->StoreProperties();
    EXPECT_EQ(LForm->File().Text(), LFormText);
    orvo::TqoAssetsDocument LAssets;
    LAssets.SetProject(LProject);
    LAssets.Load();
    EXPECT_EQ(LAssets.GetLoadError(), QString());
    const auto LManager = testdata::TIdeSession::AssetsManager(*LProject);
    ASSERT_NE(LManager, nullptr);
    EXPECT_TRUE(LManager->GetAssetsNames().contains(QStringLiteral("Icons\\Badge")));
    // Save All: the IDE writes only the modules that are modified.
    if (LForm->IsModified())
        LForm->Save();
    EXPECT_EQ(LAssets.Save(false).WrittenFiles, QStringList());
    // Every save of the assets marks the project modified; saving it finds nothing to write.
    EXPECT_TRUE(LProject->IsModified());
    LProject->Save();

    const TSnapshot LAfter = Snapshot(FRoot);
    const auto LTimesAfter = ModificationTimes(FRoot);
    ASSERT_EQ(LAfter.size(), LFiles.size());
    for (const auto& [LName, LBytes] : LFiles) {
        EXPECT_EQ(LAfter.at(LName), LBytes) << LName.toStdString() << " changed";
        EXPECT_EQ(LTimesAfter.at(LName), LTimes.at(LName)) << LName.toStdString() << " was written again";
    }
}

} // namespace
