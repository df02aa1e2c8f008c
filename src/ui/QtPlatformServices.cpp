#include "ui/QtPlatformServices.h"

#include "ui/EventWait.h"
#include "ui/KeyStrokes.h"
#include "ui/PortalKeyboard.h"
#include "ui/ProcessTree.h"

#include <QApplication>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPrintDialog>
#include <QProcess>
#include <QUrl>

QtPlatformServices::QtPlatformServices(QObject* parent) : QObject(parent) {
    qApp->installEventFilter(this);
}

QtPlatformServices::~QtPlatformServices() = default;

PlatformServices::Answer QtPlatformServices::messageBox(const QString& text, Buttons buttons,
                                                        Icon icon, const QString& title) {
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(title);
    box.setText(text);
    switch (icon) {
    case Icon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case Icon::Warning:
        box.setIcon(QMessageBox::Warning);
        break;
    case Icon::Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    case Icon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case Icon::None:
        break;
    }
    if (buttons == Buttons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        return box.exec() == QMessageBox::Yes ? Answer::Yes : Answer::No;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    return Answer::Ok;
}

QString QtPlatformServices::openFileName(const QString& caption, const QString& folder,
                                         const QString& filter) {
    return QFileDialog::getOpenFileName(QApplication::activeWindow(), caption, folder, filter);
}

QString QtPlatformServices::saveFileName(const QString& caption, const QString& folder,
                                         const QString& filter) {
    return QFileDialog::getSaveFileName(QApplication::activeWindow(), caption, folder, filter);
}

bool QtPlatformServices::printerDialog(QPrinter& printer) {
    QPrintDialog dialog(&printer, QApplication::activeWindow());
    return dialog.exec() == QDialog::Accepted;
}

bool QtPlatformServices::openDocument(const QString& path) {
    if (!QFileInfo::exists(path))
        return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

qint64 QtPlatformServices::startProgram(const QString& commandLine) {
    QStringList words = QProcess::splitCommand(commandLine);
    if (words.isEmpty())
        return 0;
    const QString program = words.takeFirst();
    qint64 pid = 0;
    return QProcess::startDetached(program, words, QString(), &pid) ? pid : 0;
}

bool QtPlatformServices::programRunning(qint64 taskId) const {
    return ProcessRunning(taskId);
}

bool QtPlatformServices::activateProgram(qint64 taskId) {
    return ActivateWindowOfProcess(taskId);
}

PlatformServices::KeyRoad QtPlatformServices::keyRoad() const {
    if (!m_keyRoad)
        m_keyRoad = WaylandSession()        ? KeyRoad::Portal
                    : KeyStrokesAvailable() ? KeyRoad::X11
                                            : KeyRoad::None;
    return *m_keyRoad;
}

bool QtPlatformServices::sendKeys(const QString& keys) {
    if (keyRoad() == KeyRoad::Portal)
        return m_portal && m_portal->type(keys);
    return TypeKeyStrokes(keys);
}

void QtPlatformServices::openKeyboard(const QString& restoreToken,
                                      std::function<void(const QString&)> started,
                                      std::function<void(KeyboardEnd)> ended) {
    if (!m_portal)
        m_portal = std::make_unique<PortalKeyboard>();
    m_portal->open(restoreToken, std::move(started), std::move(ended));
}

void QtPlatformServices::closeKeyboard() {
    if (m_portal)
        m_portal->close();
}

bool QtPlatformServices::keyboardOpen() const {
    return m_portal && m_portal->isOpen();
}

QDateTime QtPlatformServices::now() const {
    return QDateTime::currentDateTime();
}

qint64 QtPlatformServices::tickCountMs() const {
    static QElapsedTimer clock = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return clock.elapsed();
}

bool QtPlatformServices::escapeHeld() const {
    return m_escapeDown;
}

bool QtPlatformServices::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Escape && !key->isAutoRepeat())
            m_escapeDown = event->type() == QEvent::KeyPress;
    } else if (event->type() == QEvent::ApplicationDeactivate) {
        m_escapeDown = false;
    }
    return QObject::eventFilter(watched, event);
}

PlatformServices::WaitResult QtPlatformServices::waitUntil(const std::function<bool()>& done,
                                                           int timeoutMs, bool escEnds) {
    return RunEventsUntil(done, timeoutMs, [&] { return escEnds && m_escapeDown; });
}
