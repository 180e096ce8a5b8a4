#include <QApplication>
#include <QLocale>
#include <QTemporaryDir>
#include <clocale>
#include <cstdio>
#include <gtest/gtest.h>

// Tests that draw or drive widgets need an application object; offscreen keeps them headless.
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // The IDE settings the tests write (and the programs they start) stay out of the user's.
    QTemporaryDir LSettingsDir;
    qputenv("ORVO_IDE_SETTINGS", LSettingsDir.filePath(QStringLiteral("ide-settings.ini")).toLocal8Bit());
    std::setlocale(LC_ALL, "");
    // The comma-locale run must really run under a comma locale, or it proves nothing.
    if (qEnvironmentVariableIsSet("ORVO_EXPECT_DECIMAL_COMMA")) {
        const char* LPoint = std::localeconv()->decimal_point;
        if (!LPoint || LPoint[0] != ',' || QLocale().decimalPoint() != QStringLiteral(",")) {
            std::fprintf(stderr, "the locale %s has no decimal comma (run scripts/install-deps)\n",
                         std::setlocale(LC_ALL, nullptr));
            return 1;
        }
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
