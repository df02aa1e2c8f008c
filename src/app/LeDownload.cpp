#include "app/frmTransfer.h"

#include "app/LinkDisplay.h"
#include "core/MemoryEntry.h"
#include "platform/PlatformServices.h"

#include <QApplication>
#include <QComboBox>
#include <QListWidget>
#include <QRadioButton>
#include <QTableWidget>

bool frmTransfer::SpeicherInfoLesen(bool cmbFuellen) {
    const TransferSession::Command command(*m_session, "SpeicherInfoLesen");
    if (!command)
        return false;
    const std::optional<InstrumentLink::Outcome> outcome = m_session->SpeicherInfoLesen();
    if (!outcome)
        return false;
    const bool read = outcome == InstrumentLink::Outcome::Done;
    if (m_link->LinkConnected())
        m_display->showReady();
    if (!read) {
        showLinkFailure(QStringLiteral("Speicherinfo"));
        return false;
    }
    if (!cmbFuellen)
        return true;
    // The list the user chooses from; a later reading only looks the chosen memory up again.
    m_session->setListedMemories(m_link->memories());
    cmbSpeicher->clear();
    const QString prefix = m_state.message(76);
    for (const LinkMemory& memory : m_session->listedMemories())
        cmbSpeicher->addItem(MemoryEntryText(prefix, memory.Name, memory.Count));
    if (cmbSpeicher->count() == 0)
        cmbSpeicher->addItem(m_state.message(47));
    cmbSpeicher->setCurrentIndex(0);
    return true;
}

void frmTransfer::cmdRefresh_Click() {
    const TransferSession::Command command(*m_session, "cmdRefresh_Click");
    if (!command)
        return;
    SpeicherInfoLesen(true);
    Unblock_Buttons();
}

// The table and store shown are replaced only by a memory that arrived complete; a download
// that fails or is cancelled leaves them as they were.
void frmTransfer::LE_Speicher_lesen(int entry) {
    const TransferSession::Command command(*m_session, "LE_Speicher_lesen");
    if (!command || entry < 0)
        return;
    const QList<LinkMemory>& listed = m_session->listedMemories();
    if (entry >= listed.size()) {
        message(m_state.message(83) + QStringLiteral("\r\n"));
        return;
    }
    const QString chosen = listed.at(entry).Name;
    if (!SpeicherInfoLesen(false)) {
        Unblock_Buttons();
        return;
    }
    QStringList names;
    for (const LinkMemory& memory : m_link->memories())
        names << memory.Name;
    const std::optional<int> index = FindMemoryByNumber(names, chosen);
    if (!index) {
        message(m_state.message(82) + QStringLiteral("\r\n"));
        Unblock_Buttons();
        return;
    }
    const LinkMemory memory = m_link->memories().at(*index);
    m_session->relistMemory(entry, memory);
    cmbSpeicher->setItemText(entry,
                             MemoryEntryText(m_state.message(76), memory.Name, memory.Count));

    QApplication::setOverrideCursor(Qt::WaitCursor);
    const std::optional<InstrumentLink::Outcome> outcome =
        m_session->LE_Speicher_lesen(*index, memory);
    QApplication::restoreOverrideCursor();
    if (!outcome)
        return;
    if (m_link->LinkConnected())
        m_display->showReady();
    if (outcome != InstrumentLink::Outcome::Done) {
        showLinkFailure(QStringLiteral("Speicher lesen"));
        Unblock_Buttons();
        return;
    }
    if (memory.Count == 0) {
        Meldung_Speicher_Leer();
        return;
    }
    optFE->setVisible(true);
    optFE_Click();
}
