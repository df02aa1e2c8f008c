#include "session/ReceiveNotices.h"

#include "session/AppState.h"

std::vector<CountedNotices::KindLook> ReceiveNoticeKinds(const AppState& state) {
    const auto german = [&state] { return state.languageIndex() == 0; };
    return {
        {PlatformServices::Icon::Information,
         [german](int n) {
             return german() ? QStringLiteral("Fill Messdaten: %1 Zeilen verworfen").arg(n)
                             : QStringLiteral("Fill Messdaten: %1 lines refused").arg(n);
         }},
        {PlatformServices::Icon::Information,
         [&state, german](int n) {
             return state.message(53) + QStringLiteral(" 5000: ") +
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
        {PlatformServices::Icon::Information,
         [german](int n) {
             return german() ? QStringLiteral("Werte nicht gesendet: %1").arg(n)
                             : QStringLiteral("Values not sent: %1").arg(n);
         }},
    };
}
