// orvo-assets form on a copy of the demo's form: what the object inspector would show, a
// property set through its editor, and texts and forms it refuses without writing.

#include "TestData.h"

namespace {

class FormCommand : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(testdata::CopyTree(testdata::SourceDir() + "/examples/DemoApp", Dir.path()));
        Original = testdata::ReadAll(Form);
    }
    testdata::TRun Run(const QStringList& AArgs)
    {
        return testdata::RunProgram(QStringLiteral(ORVO_BIN_DIR "/orvo-assets"), QStringList{"form", Form} + AArgs);
    }
    QTemporaryDir Dir;
    QString Form = Dir.filePath("Main.xfm");
    QByteArray Original;
};

TEST_F(FormCommand, ShowsTheTreeAndTheEditorsAndSetsOneProperty)
{
    const auto LShow = Run({});
    ASSERT_FALSE(LShow.Crashed);
    EXPECT_EQ(LShow.ExitCode, 0) << LShow.Err.toStdString();
    EXPECT_EQ(LShow.ErrText(), "");
    const QString LOut = LShow.OutText();
    EXPECT_TRUE(LOut.contains("FormMain: TFormMain (TqoForm)\n  LayoutHeader: TqoLayout\n    RectangleHeader: "
                              "TqoRectangle\n    ImageLogo: TqoImage\n"))
        << LOut.toStdString();
    EXPECT_TRUE(LOut.contains("Event: qoButton1.OnClick = qoButton1Click\n"));
    EXPECT_TRUE(LOut.contains("\n  ImageName = Logo  [")) << LOut.toStdString();
    EXPECT_TRUE(LOut.contains("\n  Alignment = Top  [paValueList, paMultiSelect, paSortList, paRevertable]\n"));
    // A brush's gradient is edited through its designer dialog, not as sub-properties.
    EXPECT_TRUE(LOut.contains("\n    Gradient = (TqoGradient)  [paDialog, paReadOnly]\n")) << LOut.toStdString();

    const auto LSet = Run({"--set", "ImageLogo.Size.Width=80"});
    EXPECT_EQ(LSet.ExitCode, 0) << LSet.Err.toStdString();
    EXPECT_EQ(LSet.OutText(), "ImageLogo.Size.Width = 80\n");
    QByteArray LExpected = Original;
    const QByteArray LLine = "      Size.Width = 72.000000000000000000\n      Size.Height = 72.000000000000000000\n"
                             "      ImageName = 'Logo'";
    ASSERT_TRUE(LExpected.contains(LLine));
    LExpected.replace(LLine, "      Size.Width = 80.000000000000000000\n      Size.Height = 72.000000000000000000\n"
                             "      ImageName = 'Logo'");
    EXPECT_EQ(testdata::ReadAll(Form).toStdString(), LExpected.toStdString());
}

TEST_F(FormCommand, RefusedTextsAndDamagedFormsWriteNothing)
{
    const auto LRefused = Run({"--set", "ImageLogo.Visible=maybe"});
    EXPECT_EQ(LRefused.ExitCode, 1);
    EXPECT_EQ(LRefused.ErrText(), "orvo-assets form: ImageLogo.Visible: Invalid property value\n");
    EXPECT_EQ(testdata::ReadAll(Form), Original);

    QByteArray LDamaged = Original;
    LDamaged.replace("Alignment = Top", "Alignment Top");
    ASSERT_TRUE(testdata::WriteAll(Form, LDamaged));
    const auto LRun = Run({"--set", "ImageLogo.Size.Width=80"});
    EXPECT_EQ(LRun.ExitCode, 1);
    EXPECT_TRUE(LRun.ErrText().contains("Main.xfm\", line 5: expected \"=\" after \"Alignment\""))
        << LRun.Err.toStdString();
    EXPECT_EQ(testdata::ReadAll(Form), LDamaged);
}

} // namespace
