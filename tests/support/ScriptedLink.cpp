#include "support/ScriptedLink.h"

#include <QTimer>

void ScriptedLink::setState(State state) {
    m_state = state;
    emit stateChanged(state);
}

void ScriptedLink::checkLink(int) {
    setState(available ? State::Connected : State::NotAvailable);
}

void ScriptedLink::closeLink() {
    finishExchange(Outcome::Cancelled);
    m_state = State::NotConnected;
}

QStringList ScriptedLink::linkChoices(const std::function<void(int, int)>& progress) {
    progress(1, 1);
    return choices;
}

void ScriptedLink::run(const QString& answer) {
    m_online = false;
    beginExchange();
    if (!answers)
        return;
    QTimer::singleShot(0, this, [this, answer] {
        if (!exchangeRunning())
            return;
        m_answer = answer;
        emit progress(static_cast<int>(answer.count(QLatin1Char('\n'))));
        finishExchange(Outcome::Done);
    });
}

void ScriptedLink::identify() {
    requests << QStringLiteral("identify");
    run(identification.isEmpty() ? QString() : identification + QStringLiteral("\r\n"));
}

void ScriptedLink::readMemory(MemoryKind kind, int) {
    requests << (kind == MemoryKind::NFE ? QStringLiteral("read NFE") : QStringLiteral("read FE"));
    QString answer = QStringLiteral("\x02\r\n");
    for (const QString& line : memories.value(kind))
        answer += line + QStringLiteral("\r\n");
    run(answer);
}

void ScriptedLink::setOnline(bool on, bool) {
    requests << (on ? QStringLiteral("online on") : QStringLiteral("online off"));
    m_online = on;
}

void ScriptedLink::cancel() {
    finishExchange(Outcome::Cancelled);
}

bool ScriptedLink::sendOnline(const QString& line) {
    if (!m_online)
        return false;
    emit lineReceived(line);
    return true;
}
