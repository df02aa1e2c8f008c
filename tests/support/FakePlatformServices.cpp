#include "support/FakePlatformServices.h"

#include "ui/EventWait.h"

#include <QElapsedTimer>
#include <QPrinter>

PlatformServices::Answer FakePlatformServices::messageBox(const QString& text, Buttons buttons,
                                                          Icon icon, const QString& title) {
    const Message message{text, buttons, icon, title};
    messages.push_back(message);
    if (whileOpen) {
        openBoxes.append(text);
        whileOpen(message);
        openBoxes.removeLast();
    }
    if (buttons == Buttons::Ok)
        return Answer::Ok;
    if (answers.empty())
        return Answer::No;
    const Answer answer = answers.front();
    answers.pop_front();
    return answer;
}

QString FakePlatformServices::openFileName(const QString&, const QString&, const QString&) {
    if (fileNames.empty())
        return {};
    QString name = fileNames.front();
    fileNames.pop_front();
    return name;
}

QString FakePlatformServices::saveFileName(const QString& caption, const QString& folder,
                                           const QString& filter) {
    return openFileName(caption, folder, filter);
}

bool FakePlatformServices::printerDialog(QPrinter& printer) {
    if (printerAccepted && !printFile.isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printFile);
    }
    return printerAccepted;
}

bool FakePlatformServices::openDocument(const QString& path) {
    openedDocuments << path;
    return openDocumentSucceeds;
}

qint64 FakePlatformServices::startProgram(const QString& commandLine) {
    startedPrograms << commandLine;
    return startedPrograms.size();
}

bool FakePlatformServices::programRunning(qint64 taskId) const {
    return taskId > 0 && taskId <= startedPrograms.size() && !endedPrograms.contains(taskId);
}

bool FakePlatformServices::activateProgram(qint64 taskId) {
    if (road != KeyRoad::X11 || !programRunning(taskId))
        return false;
    sentKeys << QStringLiteral("activate:%1").arg(taskId);
    return true;
}

PlatformServices::KeyRoad FakePlatformServices::keyRoad() const {
    return road;
}

bool FakePlatformServices::sendKeys(const QString& keys) {
    if (road == KeyRoad::Portal && !keyboardIsOpen)
        return false;
    sentKeys << keys;
    return true;
}

void FakePlatformServices::openKeyboard(const QString& restoreToken,
                                        std::function<void(const QString&)> started,
                                        std::function<void(KeyboardEnd)> ended) {
    if (keyboardStarted || keyboardIsOpen)
        return;
    keyboardRequests << restoreToken;
    // Each answer forgets both, itself among them: it runs on from a copy.
    keyboardStarted = [this, started = std::move(started)](const QString& token) {
        const auto answer = started;
        keyboardIsOpen = true;
        keyboardStarted = nullptr;
        answer(token);
    };
    keyboardEnded = [this, ended = std::move(ended)](KeyboardEnd why) {
        const auto answer = ended;
        closeKeyboard();
        answer(why);
    };
}

void FakePlatformServices::closeKeyboard() {
    keyboardIsOpen = false;
    keyboardStarted = nullptr;
    keyboardEnded = nullptr;
}

bool FakePlatformServices::keyboardOpen() const {
    return keyboardIsOpen;
}

QDateTime FakePlatformServices::now() const {
    return clock.isValid() ? clock : QDateTime::currentDateTime();
}

qint64 FakePlatformServices::tickCountMs() const {
    static QElapsedTimer timer = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return timer.elapsed();
}

bool FakePlatformServices::escapeHeld() const {
    return escape;
}

PlatformServices::WaitResult FakePlatformServices::waitUntil(const std::function<bool()>& done,
                                                             int timeoutMs, bool escEnds) {
    // Real events run here too: link tests wait on a real port.
    return RunEventsUntil(done, timeoutMs, [&] { return escEnds && escape; });
}

QStringList FakePlatformServices::messageTexts() const {
    QStringList texts;
    for (const Message& m : messages)
        texts << m.text;
    return texts;
}
