#include "ORVO.Designer.IdeSettings.h"
#include "TestData.h"

using dsgn::TqoIdeSettings;

namespace {

TEST(IdeSettings, IntegersGoToTheChosenFileOnly)
{
    // The test main points the settings away from the user's.
    const QString Redirected = qEnvironmentVariable("ORVO_IDE_SETTINGS");
    ASSERT_FALSE(Redirected.isEmpty());
    EXPECT_EQ(TqoIdeSettings::FileName(), Redirected);

    QTemporaryDir Dir;
    const QString File = Dir.filePath("settings.ini");
    TqoIdeSettings::SetFileName(File);
    TqoIdeSettings::WriteInteger("IdeSettings", "0", 240);
    EXPECT_EQ(TqoIdeSettings::ReadInteger("IdeSettings", "0", -1), 240);
    EXPECT_EQ(TqoIdeSettings::ReadInteger("IdeSettings", "1", -1), -1);
    ASSERT_TRUE(testdata::WriteAll(File, testdata::ReadAll(File) + "\n[Other]\nWidth=wide\n"));
    EXPECT_EQ(TqoIdeSettings::ReadInteger("Other", "Width", 7), 7);

    TqoIdeSettings::SetFileName({});
    EXPECT_EQ(TqoIdeSettings::FileName(), Redirected);
    EXPECT_EQ(TqoIdeSettings::ReadInteger("Other", "Width", 7), 7);
    EXPECT_EQ(TqoIdeSettings::ReadInteger("IdeSettings", "0", -1), -1);
}

} // namespace
