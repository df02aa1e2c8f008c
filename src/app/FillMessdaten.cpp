#include "app/frmTransfer.h"

#include "platform/PlatformServices.h"

bool frmTransfer::FillMessdaten(const QString& line) {
    return m_session->FillMessdaten(line);
}

void frmTransfer::message(const QString& text) {
    m_platform.messageBox(text, PlatformServices::Buttons::Ok, PlatformServices::Icon::Information,
                          programTitle());
}

bool frmTransfer::askYesNo(const QString& text) {
    return m_platform.messageBox(text, PlatformServices::Buttons::YesNo,
                                 PlatformServices::Icon::Information,
                                 programTitle()) == PlatformServices::Answer::Yes;
}
