#include "app/frmTransfer.h"

#include "measure/ReceiveNotices.h"
#include "ui/CountedNotices.h"

#include <QStatusBar>

void frmTransfer::buildNotices() {
    const auto german = [this] { return m_state.languageIndex() == 0; };
    const std::vector<CountedNotices::KindLook> kinds = {
        {PlatformServices::Icon::Information,
         [german](int n) {
             return german() ? QStringLiteral("Fill Messdaten: %1 Zeilen verworfen").arg(n)
                             : QStringLiteral("Fill Messdaten: %1 lines refused").arg(n);
         }},
        {PlatformServices::Icon::Information,
         [this, german](int n) {
             return m_state.message(53) + QStringLiteral(" 5000: ") +
                    (german() ? QStringLiteral("%1 Werte nicht übernommen").arg(n)
                              : QStringLiteral("%1 values not taken").arg(n));
         }},
        {PlatformServices::Icon::Critical,
         [german](int n) {
             return german() ? QStringLiteral("Online.mes nicht gespeichert: %1-mal").arg(n)
                             : QStringLiteral("Online.mes not saved: %1 times").arg(n);
         }},
        {PlatformServices::Icon::Critical,
         [german](int n) {
             return german() ? QStringLiteral("Projektdaten.ini nicht gelesen: %1-mal").arg(n)
                             : QStringLiteral("Projektdaten.ini not read: %1 times").arg(n);
         }},
    };
    m_notices = new CountedNotices({m_platform, [this] { return programTitle(); },
                                    [this](const QString& text) { WriteLog(text); },
                                    [this](const QString& text) {
                                        if (text.isEmpty())
                                            statusBar()->clearMessage();
                                        else
                                            statusBar()->showMessage(text);
                                    }},
                                   kinds, this);
}

void frmTransfer::limitMessage() {
    m_notices->raise(LimitNotice, m_state.message(53) + QStringLiteral(" 5000"));
}
