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

bool ScriptedLink::run(const QString& request, const QString& answer) {
    if (!beginExchange("scripted")) {
        refused << request;
        return false;
    }
    requests << request;
    m_online = false;
    const quint64 number = ++m_number;
    if (!hold.isEmpty() && request == hold) {
        hold.clear();
        m_heldNumber = number;
        m_heldAnswer = answer;
        emit holding(request);
        return true;
    }
    if (!answers)
        return true;
    QTimer::singleShot(0, this, [this, number, answer] { complete(number, answer); });
    return true;
}

void ScriptedLink::complete(quint64 number, const QString& answer) {
    // An answer that comes after its exchange ended belongs to no later one.
    if (!exchangeRunning() || number != m_number)
        return;
    m_answer = answer;
    emit progress(static_cast<int>(answer.count(QLatin1Char('\n'))));
    finishExchange(Outcome::Done);
}

void ScriptedLink::answerHeld() {
    QTimer::singleShot(0, this, [this, number = m_heldNumber, answer = m_heldAnswer] {
        complete(number, answer);
    });
}

bool ScriptedLink::identify() {
    return run(QStringLiteral("identify"),
               identification.isEmpty() ? QString() : identification + QStringLiteral("\r\n"));
}

bool ScriptedLink::readMemory(MemoryKind kind, int) {
    QString answer = QStringLiteral("\x02\r\n");
    for (const QString& line : memories.value(kind))
        answer += line + QStringLiteral("\r\n");
    return run(kind == MemoryKind::NFE ? QStringLiteral("read NFE") : QStringLiteral("read FE"),
               answer);
}

bool ScriptedLink::setOnline(bool on, bool) {
    const QString request = on ? QStringLiteral("online on") : QStringLiteral("online off");
    if (on && exchangeRunning()) {
        refused << request;
        return false;
    }
    requests << request;
    m_online = on;
    return true;
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

void ScriptedLink::sendUnasked(const QString& line) {
    emit lineReceived(line);
}
