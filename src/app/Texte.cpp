#include "app/frmTransfer.h"

#include "app/LinkDisplay.h"
#include "ble_ui/BLE.h"
#include "extras/frmInfo.h"
#include "platform/PlatformServices.h"
#include "ui/Translations.h"

#include <QChartView>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

void frmTransfer::Texte_setzen() {
    if (!UseLanguage(m_state.languageIndex()))
        WriteLog(QStringLiteral("Qt-Übersetzung nicht gefunden: qtbase_de"));
    m_state.Texts.CaptionTexts_fuellen();
    if (bleLink() != nullptr)
        bleWindow().ApplyCaptions();
    // The information window is not modal: it may stay open across a switch of the language.
    if (m_infoDialog != nullptr)
        m_infoDialog->ApplyCaptions();

    mnuDatei->setTitle(m_state.caption(0));
    cmdOpen->setText(m_state.caption(1));
    cmdSave->setText(m_state.caption(2));
    cmdprint->setText(m_state.caption(3));
    mnuEnd->setText(m_state.caption(4));
    cmdEnde->setText(m_state.caption(5));
    Language->setTitle(m_state.caption(30));
    English->setText(m_state.caption(31));
    German->setText(m_state.caption(32));
    mnuTastaturevent->setText(m_state.caption(45));
    mnuHelp->setTitle(m_state.caption(40));
    mnuInfo->setText(m_state.caption(41));
    mnuHelp1->setText(m_state.caption(42));
    cmdProjekt->setText(m_state.message(38));
    cmdWerte->setText(m_state.message(39));
    cmdLesen->setText(m_state.message(30));
    cmdFlexZeileLoeschen->setText(m_state.message(40));
    cmdFlexTabelleloeschen->setText(m_state.message(41));

    m_display->retranslate(m_link != nullptr && m_link->LinkConnected());

    cmdprint->setText(m_state.caption(3));
    txtSpeicher->setText(m_state.message(42));
    cmdStop->setText(m_state.message(55));
    Frame3->setTitle(m_state.message(20));
    Frame1->setTitle(m_state.message(21));
    Frame4->setTitle(m_state.message(23));

    applyOwnCaptions();
    QCoreApplication::processEvents();
}

void frmTransfer::applyOwnCaptions() {
    // Captions the text table does not hold; their wording follows the language as well.
    const bool german = m_state.languageIndex() == 0;
    mnuOpen->setText(cmdOpen->text());
    mnuSave->setText(cmdSave->text());
    mnuPrint->setText(cmdprint->text());
    mnuExtras->setTitle(QStringLiteral("Extras"));
    mnuSetTime->setText(german ? QStringLiteral("Geräteuhr stellen")
                               : QStringLiteral("Set device clock"));
    cmdWord->setText(german ? QStringLiteral("Textdokument") : QStringLiteral("Document"));
    cmdClipboard->setText(german ? QStringLiteral("Zwischenablage") : QStringLiteral("Clipboard"));
    cmdExcel->setText(german ? QStringLiteral("Tabellenblatt") : QStringLiteral("Spreadsheet"));
    cmdSort->setText(QStringLiteral("Sort"));
    // The caption names what a click shows next, so it follows the shown view.
    cmdChart->setText(MSChart1->isVisibleTo(this) ? QStringLiteral("Stat")
                                                  : QStringLiteral("Chart"));
    cmdAbs->setText(QStringLiteral("+/-"));
    cmdGross->setText(QStringLiteral("<=>"));
    cmdRefresh->setText(german ? QStringLiteral("Aktualisieren") : QStringLiteral("Refresh"));
}

void frmTransfer::English_Click() {
    m_state.Settings.LanguageIndex = 1;
    applyLanguage();
}

void frmTransfer::German_Click() {
    m_state.Settings.LanguageIndex = 0;
    applyLanguage();
}

void frmTransfer::applyLanguage() {
    Texte_setzen();
    // Only the headers change language; the rows stay, whether or not an instrument renews them.
    showColumnHeaders();
    OptButton_Text_setzen();
    m_link->setLanguageIndex(m_state.languageIndex());
    Voreinstellungen(QStringLiteral("SS"));
    Voreinstellungen(QStringLiteral("PI"));
    ShowLimits();
    German->setChecked(m_state.languageIndex() == 0);
    English->setChecked(m_state.languageIndex() != 0);
    // During a command the memory shown is renewed once it has ended.
    if (m_link->LinkConnected() && busy())
        m_refreshWhenIdle = true;
    else if (m_link->LinkConnected())
        Focus_setzen();
}
