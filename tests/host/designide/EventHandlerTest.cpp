// Event handlers written into the form's unit as the IDE writes them: declared in the class's
// designer part, implemented before the unit's end, bound in the form, once.

#include "DesignFormDocument.h"
#include "FormTestClasses.h"
#include "TestData.h"

#include <QTemporaryDir>

namespace {

using namespace formtest;

const char* const CUnit =
    "unit Main;\n\ninterface\n\nuses\n  Forms;\n\ntype\n"
    "  TFormMain = class(TFormWidget)\n    Button1: TButtonWidget;\n"
    "    procedure Existing(Sender: TObject);\n  private\n    { end; }\n    FCount: Integer;\n"
    "  end;\n\nimplementation\n\nprocedure TFormMain.Existing(Sender: TObject);\nbegin\nend;\n\nend.\n";

class EventHandlers : public TFormFixture
{
};

TEST_F(EventHandlers, NewHandlerIsDeclaredImplementedAndBoundOnce)
{
    QTemporaryDir LDir;
    const QString LForm = LDir.filePath("Main.xfm");
    ASSERT_TRUE(testdata::WriteAll(LForm, "object Form1: TFormMain\n  object Button1: TButtonWidget\n  end\nend\n"));
    ASSERT_TRUE(testdata::WriteAll(LDir.filePath("Main.pas"), CUnit));
    auto LDocument = ide::TFormDocument::Open(LForm);
    QObject* LButton = LDocument->FindComponent("Button1");
    EXPECT_EQ(LDocument->CreateEventHandler(LButton, "OnClick"), "Button1Click");
    EXPECT_EQ(LDocument->CreateEventHandler(LButton, "OnClick"), "Button1Click");
    // What the package's editors ask the designer is answered from the same unit.
    ide::IDesigner& LDesigner = LDocument->Designer();
    EXPECT_TRUE(LDesigner.MethodExists("button1click"));
    EXPECT_TRUE(LDesigner.MethodExists("Existing"));
    EXPECT_FALSE(LDesigner.MethodExists("FCount"));
    // The body's empty line, where the cursor goes.
    EXPECT_EQ(LDocument->MethodLine("Button1Click"), 26);
    // Nothing is written before the save.
    EXPECT_EQ(testdata::ReadAll(LDir.filePath("Main.pas")), QByteArray(CUnit));
    LDocument->Save();

    EXPECT_EQ(
        QString::fromUtf8(testdata::ReadAll(LDir.filePath("Main.pas"))),
        QString::fromUtf8("unit Main;\n\ninterface\n\nuses\n  Forms;\n\ntype\n"
                          "  TFormMain = class(TFormWidget)\n    Button1: TButtonWidget;\n"
                          "    procedure Existing(Sender: TObject);\n    procedure Button1Click(Sender: TObject);\n"
                          "  private\n    { end; }\n    FCount: Integer;\n  end;\n\nimplementation\n\n"
                          "procedure TFormMain.Existing(Sender: TObject);\nbegin\nend;\n\n"
                          "procedure TFormMain.Button1Click(Sender: TObject);\nbegin\n\nend;\n\nend.\n"));
    EXPECT_EQ(testdata::ReadAll(LForm),
              QByteArray("object Form1: TFormMain\n  object Button1: TButtonWidget\n    OnClick = Button1Click\n"
                         "  end\nend\n"));
    const auto LReopened = ide::TFormDocument::Open(LForm);
    ASSERT_EQ(LReopened->Events().size(), 1u);
    EXPECT_EQ(LReopened->Events().front().Handler, "Button1Click");
}

} // namespace
