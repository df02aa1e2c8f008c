#include "session/CountedNotices.h"

#include <QStringList>
#include <QTimer>

CountedNotices::CountedNotices(NoticeContext context, const std::vector<KindLook>& kinds,
                               QObject* parent)
    : QObject(parent), m_context(std::move(context)) {
    for (const KindLook& look : kinds)
        m_kinds.push_back({look, {}, {}});
}

void CountedNotices::raise(int kind, const QString& text) {
    Kind& k = m_kinds.at(kind);
    const bool show = k.Count.occur();
    const int n = k.Count.count();
    m_context.WriteLog(n > 1 ? text + QStringLiteral(" (%1)").arg(n) : text);
    if (show) {
        k.Text = text;
        QTimer::singleShot(0, this, [this, kind] { showBox(kind); });
    }
    showStatus();
}

void CountedNotices::settle(int kind) {
    Kind& k = m_kinds.at(kind);
    if (k.Count.count() == 0)
        return;
    k.Count.settle();
    showStatus();
}

int CountedNotices::count(int kind) const {
    return m_kinds.at(kind).Count.count();
}

void CountedNotices::showBox(int kind) {
    const Kind& k = m_kinds.at(kind);
    // Whatever came between raising and showing is counted in the box itself.
    const int n = k.Count.count();
    const QString text = n > 1 ? k.Text + QStringLiteral("\r\n\r\n") + k.Look.CountText(n) : k.Text;
    m_context.Platform.messageBox(text, PlatformServices::Buttons::Ok, k.Look.Icon,
                                  m_context.Title());
    m_kinds.at(kind).Count.closed();
    showStatus();
}

void CountedNotices::showStatus() {
    QStringList parts;
    for (const Kind& k : m_kinds) {
        if (k.Count.count() > 0)
            parts << k.Look.CountText(k.Count.count());
    }
    const QString status = parts.join(QStringLiteral("  |  "));
    if (status == m_status)
        return;
    m_status = status;
    m_context.ShowStatus(status);
}
