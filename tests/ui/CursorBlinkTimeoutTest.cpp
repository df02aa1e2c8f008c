#include "ui/CursorBlinkTimeout.h"

#include <QGuiApplication>
#include <QLineEdit>
#include <QPaintEvent>
#include <QStyleHints>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct PaintCount : QObject {
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

// Paints of the edit while the events run for the given time.
int PaintsDuring(PaintCount& count, int ms) {
    count.paints = 0;
    QTest::qWait(ms);
    return count.paints;
}

TEST(CursorBlinkTimeoutTest, CursorsRestWithoutInputAndBlinkAgainOnInput) {
    // A quick desktop blink keeps the test short.
    QStyleHints* hints = QGuiApplication::styleHints();
    const int saved = hints->cursorFlashTime();
    const int desktop = 240;
    hints->setCursorFlashTime(desktop);
    QLineEdit edit;
    edit.show();
    edit.activateWindow();
    edit.setFocus();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&edit));
    PaintCount count;
    edit.installEventFilter(&count);
    {
        const int restAfter = 2 * desktop;
        CursorBlinkTimeout timeout(nullptr, restAfter);
        EXPECT_GT(PaintsDuring(count, desktop + 50), 0);
        // The rest timer may come a twentieth late.
        QTest::qWait(restAfter - desktop + desktop / 2);
        EXPECT_EQ(hints->cursorFlashTime(), 0);
        EXPECT_EQ(PaintsDuring(count, desktop + 100), 0);

        QTest::keyClick(&edit, Qt::Key_A);
        EXPECT_EQ(hints->cursorFlashTime(), desktop);
        QTest::qWait(50);
        EXPECT_GT(PaintsDuring(count, desktop + 100), 1);
        QTest::qWait(restAfter + desktop / 2);
        EXPECT_EQ(hints->cursorFlashTime(), 0);
    }
    // Ended while resting: the desktop's blink is back.
    EXPECT_EQ(hints->cursorFlashTime(), desktop);
    hints->setCursorFlashTime(saved);
}

} // namespace
