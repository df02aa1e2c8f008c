#include "ui/CursorBlinkTimeout.h"

#include <QEvent>
#include <QGuiApplication>
#include <QStyleHints>

CursorBlinkTimeout::CursorBlinkTimeout(QObject* parent, int restAfterMs) : QObject(parent) {
    m_idle.setSingleShot(true);
    m_idle.setInterval(restAfterMs);
    connect(&m_idle, &QTimer::timeout, this, &CursorBlinkTimeout::rest);
    m_idle.start();
    qApp->installEventFilter(this);
}

CursorBlinkTimeout::~CursorBlinkTimeout() {
    wake();
}

bool CursorBlinkTimeout::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::InputMethod:
    case QEvent::TouchBegin:
        wake();
        m_idle.start();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void CursorBlinkTimeout::rest() {
    if (m_resting)
        return;
    m_flashTime = QGuiApplication::styleHints()->cursorFlashTime();
    m_resting = true;
    QGuiApplication::styleHints()->setCursorFlashTime(0);
}

void CursorBlinkTimeout::wake() {
    if (!m_resting)
        return;
    m_resting = false;
    QGuiApplication::styleHints()->setCursorFlashTime(m_flashTime);
}
