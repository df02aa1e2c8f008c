#include "support/TestInstallation.h"

#include <QDir>
#include <QPixmap>
#include <gtest/gtest.h>

// Grabs the main window as a user sees it after start-up; with SCREENSHOT_DIR set the picture is
// kept there for a person to look at.
TEST(Screenshot, MainWindowAfterStartUp) {
    TestInstallation install;
    auto w = install.start();
    w->show();
    w->resize(1100, 760);
    const QPixmap picture = w->grab();
    ASSERT_FALSE(picture.isNull());
    EXPECT_GE(picture.width(), w->minimumWidth());
    const QString folder = qEnvironmentVariable("SCREENSHOT_DIR");
    if (!folder.isEmpty())
        EXPECT_TRUE(picture.save(QDir(folder).filePath(QStringLiteral("main-window.png"))));
}
