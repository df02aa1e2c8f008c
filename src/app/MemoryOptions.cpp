#include "app/frmTransfer.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>

void frmTransfer::checkMemoryOption(MemoryKind kind) {
    const QSignalBlocker blockFE(optFE), blockNFE(optNFE), blockOnline(optOnline);
    (kind == MemoryKind::FE    ? optFE
     : kind == MemoryKind::NFE ? optNFE
                               : optOnline)
        ->setChecked(true);
}

void frmTransfer::selectMemory(MemoryKind kind) {
    m_state.Kind = kind;
    checkMemoryOption(kind);
    if (kind != MemoryKind::Online) {
        cmdStop->setVisible(false);
        m_link->setOnline(false, false);
    }
    for (QWidget* w : {static_cast<QWidget*>(cmdAbs), static_cast<QWidget*>(cmdChart),
                       static_cast<QWidget*>(cmdGross), static_cast<QWidget*>(txtMittelwert)})
        w->setVisible(false);
    Reset_Statistic();
    Button_setzen_Init();
    FillMSFlexOne();
    // A serial instrument receives online values only over a checked link; without it the
    // export buttons, the table and the commands keep their state.
    if (kind == MemoryKind::Online && m_state.Device.LinkKind != QLatin1String("L") &&
        !startOnlineReception())
        return;
    MSFlex->setVisible(true);
    lstStat->setVisible(MSFlex->rowCount() > 0);
    showExportButtons();
    Unblock_Buttons();
}

void frmTransfer::showMemory(MemoryKind kind, const char* what) {
    const TransferSession::Command command(*m_session, what);
    if (command)
        selectMemory(kind);
    else
        checkMemoryOption(m_state.Kind);
}

void frmTransfer::optFE_Click() {
    showMemory(MemoryKind::FE, "optFE_Click");
}

void frmTransfer::optNFE_Click() {
    showMemory(MemoryKind::NFE, "optNFE_Click");
}

void frmTransfer::optOnline_Click() {
    showMemory(MemoryKind::Online, "optOnline_Click");
}

void frmTransfer::showExportButtons() {
    for (QPushButton* b : {cmdprint, cmdWord, cmdClipboard, cmdExcel})
        b->setVisible(true);
}
