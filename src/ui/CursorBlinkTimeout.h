#pragma once

#include <QObject>
#include <QTimer>

// Text cursors blink while the user works and stand still once nothing was typed or clicked for a
// while, as desktops do to save power: a program left waiting for an instrument then wakes for
// nothing. Any input makes them blink again; the desktop's blink time is back when this ends.
class CursorBlinkTimeout : public QObject {
public:
    static constexpr int RestAfterMs = 5000;

    explicit CursorBlinkTimeout(QObject* parent = nullptr, int restAfterMs = RestAfterMs);
    ~CursorBlinkTimeout() override;

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void rest();
    void wake();

    int m_flashTime = 0; // the desktop's, kept while the cursors rest
    bool m_resting = false;
    QTimer m_idle;
};
