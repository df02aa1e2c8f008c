#include "app/frmTransfer.h"

#include "app/frmWerte.h"

#include <QPushButton>

frmWerte* frmTransfer::limitsDialog() {
    if (m_limitsDialog == nullptr) {
        m_limitsDialog = new frmWerte(*this);
        connect(m_limitsDialog, &QDialog::finished, this, &frmTransfer::cmdWerte_LostFocus);
    }
    return m_limitsDialog;
}

void frmTransfer::cmdWerte_Click() {
    m_state.LimitsSaved = false;
    frmWerte* dialog = limitsDialog();
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}

void frmTransfer::cmdWerte_LostFocus() {
    if (m_state.LimitsSaved) {
        Voreinstellungen(QStringLiteral("LS"));
        m_state.LimitsSaved = false;
    }
    ShowLimits();
    Focus_setzen();
}

void frmTransfer::ShowLimits() {
    QString caption = ::ShowLimits(m_state.Limit, m_state.Device.ModelCode, m_state.Texts,
                                   m_state.languageIndex());
    cmdWerte->setText(caption.replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}
