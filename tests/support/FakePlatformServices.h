#pragma once

#include "platform/PlatformServices.h"

#include <QStringList>
#include <deque>
#include <functional>
#include <vector>

// Records what the program asks of the desktop and answers from scripts, so no modal box or
// dialog ever opens in a test.
class FakePlatformServices : public PlatformServices {
public:
    struct Message {
        QString text;
        Buttons buttons;
        Icon icon;
        QString title;
    };

    std::vector<Message> messages;
    std::deque<Answer> answers;    // consumed by Yes/No boxes; "No" when empty
    std::deque<QString> fileNames; // consumed by open and save dialogs; cancel when empty
    QStringList openedDocuments;
    bool openDocumentSucceeds = true;
    QStringList startedPrograms; // task ids are 1, 2, 3 ... in this order
    QList<qint64> endedPrograms; // task ids that are no longer running
    KeyRoad road = KeyRoad::X11;
    QStringList sentKeys; // "activate:<task id>" before each record's texts
    // The portal's keyboard: the tokens it was asked with, and its answers while it is asked.
    QStringList keyboardRequests;
    std::function<void(const QString&)> keyboardStarted;
    std::function<void(KeyboardEnd)> keyboardEnded;
    bool keyboardIsOpen = false;
    bool printerAccepted = false;
    QString printFile; // when set, an accepted printer dialog prints to this PDF file
    QDateTime clock;   // invalid: the real clock
    bool escape = false;
    // Runs while a box is "open", where a real modal box runs its event loop: a test lets events
    // run here to see what the program does meanwhile. openBoxes holds the texts of the boxes
    // open at that moment, this one last.
    std::function<void(const Message&)> whileOpen;
    QStringList openBoxes;

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

    QStringList messageTexts() const;
    void clearMessages() { messages.clear(); }
};
