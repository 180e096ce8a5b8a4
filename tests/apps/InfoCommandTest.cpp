// orvo-assets info: after the palette, every binding the package makes, in its order.

#include "TestData.h"

namespace {

TEST(InfoCommand, ListsTheBindingsAfterThePaletteInTheirOrder)
{
    const auto LRun = testdata::RunProgram(QStringLiteral(ORVO_BIN_DIR "/orvo-assets"), {"info"});
    ASSERT_FALSE(LRun.Crashed);
    ASSERT_EQ(LRun.ExitCode, 0) << LRun.Err.toStdString();
    const QString LOut = LRun.OutText();
    qsizetype LAt = 0;
    // Each text after the one before it.
    for (const char* LText :
         {"Palette (19 pages):\n", "Component editors (19):\n  TqoControl\tTqoControlEditor\n",
          "  TqoCustomDrawerLayout\tTqoDrawerLayoutEditor: Show\n",
          "  TqoCustomPageControl\tTqoPageControlEditor: Add page, Previous page (disabled), Next page (disabled), "
          "Delete current page (disabled)\n",
          // A page alone has no page control to show the verbs of.
          "  TqoCustomPage\tTqoPageControlEditor\n",
          "  TqoCustomFirebaseAnalytics\tTqoOpenProjectOptionsEditor: Open Orvo Options...\n",
          // Without a project, the default push service has no platform and so no page.
          "  TqoPushNotificationService\tTqoOpenProjectOptionsEditor\n", "Property editors (",
          "  Single\tTqoNullableRectF\tLeft\tTOptionalFloatForNullableRectFProperty\n", "Selection editors (",
          "  TqoCustomPaintBox\tTqoPaintBoxSelectionEditor: ORVO.Canvas, ORVO.Canvas.Types\n", "Sprigs (",
          "  TqoCustomDrawer\tTqoDrawerSprig\t\"Drawer\"\n", "Device classes (3):\n"}) {
        const qsizetype LFound = LOut.indexOf(QString::fromUtf8(LText), LAt);
        ASSERT_GE(LFound, 0) << "missing after " << LAt << ": " << LText << "\n" << LOut.toStdString();
        LAt = LFound + 1;
    }
}

} // namespace
