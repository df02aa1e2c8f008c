#include "app/frmTransfer.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>

void frmTransfer::selectMemory(MemoryKind kind) {
    m_state.Kind = kind;
    const QSignalBlocker blockFE(optFE), blockNFE(optNFE), blockOnline(optOnline);
    (kind == MemoryKind::FE    ? optFE
     : kind == MemoryKind::NFE ? optNFE
                               : optOnline)
        ->setChecked(true);
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

void frmTransfer::optFE_Click() {
    selectMemory(MemoryKind::FE);
}

void frmTransfer::optNFE_Click() {
    selectMemory(MemoryKind::NFE);
}

void frmTransfer::optOnline_Click() {
    selectMemory(MemoryKind::Online);
}

void frmTransfer::showExportButtons() {
    for (QPushButton* b : {cmdprint, cmdWord, cmdClipboard, cmdExcel})
        b->setVisible(true);
}
