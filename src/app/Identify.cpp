#include "app/frmTransfer.h"

#include "app/LinkDisplay.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

void frmTransfer::ReadGeraet() {
    const TransferSession::Command command(*m_session, "ReadGeraet");
    if (!command)
        return;
    setWindowTitle(m_state.titleText());
    if (m_state.Device.LinkKind == QLatin1String("L")) {
        SpeicherInfoLesen(true);
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const std::optional<QStringList> problems = m_session->ReadGeraet();
    if (!problems) {
        QApplication::restoreOverrideCursor();
        return;
    }
    for (const QString& problem : *problems) {
        const QString text = QStringLiteral("ReadGeraet: ") + problem;
        message(text);
        WriteLog(text);
    }
    if (m_link->LinkConnected())
        m_display->showReady();
    QApplication::restoreOverrideCursor();
}

void frmTransfer::Speicherauswahl_setzen() {
    cmdLesen->setText(m_state.message(30));
    const QString layout = m_state.Device.MemoryLayout.trimmed();
    auto show = [](QWidget* w, bool visible) { w->setVisible(visible); };
    if (layout == QLatin1String("2E") || layout == QLatin1String("2N")) {
        const bool twoFe = layout == QLatin1String("2E");
        show(cmdLesFE, true);
        show(cmdLesNFE, true);
        cmdLesFE->setText(twoFe ? QStringLiteral("FE 1") : QStringLiteral("FE"));
        cmdLesNFE->setText(twoFe ? QStringLiteral("FE 2") : QStringLiteral("NFE"));
        show(cmdRefresh, false);
    } else if (layout == QLatin1String("1") || layout == QLatin1String("3")) {
        show(cmdLesFE, false);
        show(cmdLesNFE, false);
        show(cmdLesen, true);
        show(optFE, true);
        show(optNFE, false);
        show(cmbSpeicher, false);
        show(cmdRefresh, false);
    } else if (layout == QLatin1String("X")) {
        for (QWidget* w : std::initializer_list<QWidget*>{cmdLesFE, cmdLesNFE, cmdLesen, optFE,
                                                          optNFE, cmdRefresh})
            show(w, false);
    } else if (layout == QLatin1String("4")) {
        for (QWidget* w : std::initializer_list<QWidget*>{cmdLesFE, cmdLesNFE, optFE, optNFE})
            show(w, false);
        show(cmdLesen, true);
        show(cmbSpeicher, true);
        show(cmdRefresh, true);
    }
    Speichernamen_setzen();
    optFE->setText(m_state.FEName + heldCount(MemoryKind::FE));
    optNFE->setText(m_state.NFEName + heldCount(MemoryKind::NFE));
}

void frmTransfer::Meldung_Speicher_Leer() {
    txtSpeicher->setVisible(true);
    const QString layout = m_state.Device.MemoryLayout.trimmed();
    const DeviceInfo& d = m_state.Device;
    if (d.LinkKind == QLatin1String("L")) {
        txtSpeicher->setText(m_state.message(33));
        Unblock_Buttons();
        return;
    }
    if (layout == QLatin1String("1") || layout == QLatin1String("3")) {
        txtSpeicher->setText(m_state.message(33));
        Unblock_Buttons();
        optOnline_Click();
        return;
    }
    if (m_state.ReadAllMemories && d.FECount == 0 && d.NFECount == 0) {
        txtSpeicher->setText(m_state.message(47));
        Delay(2);
        txtSpeicher->setText(m_state.message(42));
        Unblock_Buttons();
        optOnline_Click();
        return;
    }
    const bool fe = m_state.Kind == MemoryKind::FE;
    const bool twoFe = layout == QLatin1String("2E");
    txtSpeicher->setText(m_state.message(fe ? (twoFe ? 27 : 18) : (twoFe ? 28 : 19)));
    Delay(1);
    txtSpeicher->setText(m_state.message(42));
    Unblock_Buttons();
}
