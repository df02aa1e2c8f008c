#include "app/frmTransfer.h"

#include "platform/PlatformServices.h"

#include <array>

namespace {

struct Manual {
    const char* prefix;
    bool wholeCode;
    const char* name;
};

// Tested in this order; the first match wins.
constexpr std::array<Manual, 9> kManuals{{
    {"AS3", true, "Aster-3"},
    {"CP", false, "Cirrus-Pro"},
    {"AS9", false, "Aster-9"},
    {"AS6", false, "Aster-6"},
    {"FN", false, "Delta-Pro"},
    {"FE", false, "Delta-Pro"},
    {"DP", false, "Delta-Pro"},
    {"BO2", false, "Borel-2"},
    {"EL7", false, "Elan-7"},
}};

} // namespace

void frmTransfer::mnuHelp1_Click() {
    const QString& code = m_state.Device.ModelCode;
    const bool german = m_state.languageIndex() == 0;
    for (const Manual& m : kManuals) {
        const QString prefix = QLatin1String(m.prefix);
        if (m.wholeCode ? code == prefix : code.startsWith(prefix)) {
            HelpFile = m_state.AppDataPath + QLatin1Char('/') +
                       (german ? QStringLiteral("DE") : QStringLiteral("EN")) +
                       QStringLiteral("_Manual_") + QLatin1String(m.name) +
                       QStringLiteral("_TRANSFER.pdf");
            break;
        }
    }
    if (m_platform.openDocument(HelpFile))
        return;
    message(german ? QStringLiteral("Datei ") + HelpFile + QStringLiteral(" wurde nicht gefunden")
                   : QStringLiteral("File ") + HelpFile + QStringLiteral(" not found "));
}
