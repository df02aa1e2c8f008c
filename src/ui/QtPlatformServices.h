#pragma once

#include "platform/PlatformServices.h"

#include <QObject>
#include <memory>
#include <optional>

class PortalKeyboard;

// The real desktop: Qt dialogs, the desktop shell, QProcess and key strokes: on a Wayland desktop
// through its remote-desktop portal, elsewhere through libxdo where an X11 display exists.
class QtPlatformServices : public QObject, public PlatformServices {
    Q_OBJECT
public:
    explicit QtPlatformServices(QObject* parent = nullptr);
    ~QtPlatformServices() override;

    Answer messageBox(const QString& text, Buttons buttons, Icon icon,
                      const QString& title) override;
    QString openFileName(const QString& caption, const QString& folder,
                         const QString& filter) override;
    QString saveFileName(const QString& caption, const QString& folder,
                         const QString& filter) override;
    bool printerDialog(QPrinter& printer) override;
    bool openDocument(const QString& path) override;
    qint64 startProgram(const QString& commandLine) override;
    bool programRunning(qint64 taskId) const override;
    bool activateProgram(qint64 taskId) override;
    KeyRoad keyRoad() const override;
    bool sendKeys(const QString& keys) override;
    void openKeyboard(const QString& restoreToken, std::function<void(const QString&)> started,
                      std::function<void(KeyboardEnd)> ended) override;
    void closeKeyboard() override;
    bool keyboardOpen() const override;
    QDateTime now() const override;
    qint64 tickCountMs() const override;
    bool escapeHeld() const override;
    WaitResult waitUntil(const std::function<bool()>& done, int timeoutMs, bool escEnds) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool m_escapeDown = false;
    mutable std::optional<KeyRoad> m_keyRoad;
    // Made when first asked for, so that the session bus is only used on a Wayland desktop.
    std::unique_ptr<PortalKeyboard> m_portal;
};
