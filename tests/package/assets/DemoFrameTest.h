#pragma once

// A copy of the demo project opened as the IDE opens it, with its Assets Manager frame, for
// tests that run the frame's commands; and the dialog hook a test replaces, put back after it.

#include "IdeSession.h"
#include "TestData.h"
#include "assets/designer/ORVO.Assets.Designer.Frame.h"
#include "assets/storage/ORVO.Assets.Editors.h"

#include <QAction>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace testdata {

class TDemoFrameTest : public ::testing::Test
{
protected:
    QTemporaryDir FDir;
    TIdeSession FSession;
    std::unique_ptr<orvo::TFrameAssetManager> FFrame;

    void SetUp() override
    {
        orvo::AssetsEditorsInitialization();
        ASSERT_TRUE(CopyTree(SourceDir() + QStringLiteral("/examples/DemoApp"), FDir.path()));
        FFrame = std::make_unique<orvo::TFrameAssetManager>();
        FFrame->SetProject(FSession.Open(FDir.filePath(QStringLiteral("DemoApp.dproj"))));
    }
    void TearDown() override { FFrame.reset(); }

    // As a click on the command: only once the frame has enabled it.
    void Trigger(const QString& AAction)
    {
        FFrame->UpdateActions();
        QAction* LAction = FFrame->Action(AAction);
        ASSERT_TRUE(LAction && LAction->isEnabled()) << AAction.toStdString();
        LAction->trigger();
    }

    core::TqoAssetPtr Asset(const QString& AName) const
    {
        return FFrame->Document().GetAssetsManager().Find(AName, core::TqoPlatform::All, core::TqoDeviceClass::All);
    }
};

// Keeps a dialog class's ExecuteDialog hook and puts it back when the test ends.
template <class TDialog> class TKeepDialogHook
{
public:
    ~TKeepDialogHook() { TDialog::ExecuteDialog = FSaved; }

private:
    const decltype(TDialog::ExecuteDialog) FSaved = TDialog::ExecuteDialog;
};

} // namespace testdata
