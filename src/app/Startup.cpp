#include "app/DataFolders.h"
#include "app/LinkDisplay.h"
#include "app/frmTransfer.h"
#include "core/Installation.h"
#include "link/ble/BleLink.h"
#include "link/ble/QtBleClient.h"
#include "link/serial/SerialLink.h"

#include "platform/PlatformServices.h"

#include <QApplication>
#include <QChartView>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTimer>

void frmTransfer::Bild_setzen(QLabel* box, const QString& filePath, bool stretch) {
    QPixmap picture(filePath);
    if (picture.isNull()) {
        WriteLog(QStringLiteral("Bild nicht gefunden: ") + filePath);
        box->clear();
        return;
    }
    if (stretch) {
        box->setPixmap(
            picture.scaled(box->size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        box->setScaledContents(true);
    } else {
        box->setPixmap(picture);
        box->setFixedSize(picture.size());
    }
}

void frmTransfer::chooseModelAndBrand() {
    const QString& code = m_state.Settings.ModelCode;
    const ModelProfile profile = ProfileForModel(code);
    const InstallationNames names = NamesOf(m_state.Settings);
    m_state.CompanyName = names.CompanyName;
    m_state.ModelTitle = names.ModelTitle;
    if (!profile.PictureFile.isEmpty())
        Bild_setzen(picDP, m_state.ProgramFolder + QLatin1Char('/') + profile.PictureFile, true);
    if (profile.TextBox != MemoryTextBox::Standard) {
        QFont font = txtSpeicher->font();
        font.setPointSize(12);
        txtSpeicher->setFont(font);
        txtSpeicher->setMinimumWidth(profile.TextBox == MemoryTextBox::Enlarged ? 240 : 200);
    }

    if (m_state.Settings.BrandCode == QLatin1String("MR")) {
        Frame5->setTitle(m_state.Settings.BrandName);
        Bild_setzen(picZorv, m_state.ProgramFolder + QStringLiteral("/Morastelogo.jpg"), true);
    } else {
        Bild_setzen(picZorv, m_state.ProgramFolder + QStringLiteral("/Zorvlogo.jpg"), true);
    }
    picZorv->setVisible(true);
    // No application display name: the desktop would append it to every window title.
    lblTitle->setText(m_state.ModelTitle);
}

void frmTransfer::Form_Load() {
    // 1. The single-instance test is made by main() before the window exists.
    m_state.DecimalSeparator = GetDecimalSeparator();

    // 3.
    for (QWidget* w : std::initializer_list<QWidget*>{
             lstStat, MSChart1, cmdChart, cmdAbs, cmdGross, txtMittelwert, cmdLesNFE, cmdLesFE,
             cmdLesen, BattIcon, lblBatterie, cmbSpeicher, cmdRefresh})
        w->setVisible(false);
    txtSpeicher->setVisible(true);
    m_state.OnlinePaused = false;

    // 4.-7.
    Voreinstellungen(QStringLiteral("KL"));
    chooseModelAndBrand();
    const DataFolders folders = ResolveDataFolders(m_state.CompanyName, m_state.ModelTitle);
    m_state.AppDataPath = folders.AppDataPath;
    m_state.MessDataPath = folders.MessDataPath;
    m_state.Log.setPath(m_state.AppDataPath + QStringLiteral("/Tavelin_TransferLog.txt"));
    DeleteLog();
    WriteLog(QStringLiteral("Logdatei ") +
             QLocale().toString(m_platform.now().date(), QLocale::ShortFormat));
    WriteLog(QStringLiteral("App.Path = ") + m_state.ProgramFolder);
    WriteLog(QStringLiteral("AppDataPath = ") + m_state.AppDataPath);
    WriteLog(QStringLiteral("MessDataPath = ") + m_state.MessDataPath);
    for (const QString& failure : folders.Failures)
        WriteLog(failure);

    // 8.-9.
    m_state.Device.ModelCode = m_state.Settings.ModelCode;
    FillCapabilities(m_state.Device, m_state.Settings.ModelCode);
    if (m_link == nullptr)
        useLink(m_state.Device.LinkKind == QLatin1String("L")
                    ? static_cast<InstrumentLink*>(
                          new BleLink(new QtBleClient, m_platform, m_state.Device))
                    : new SerialLink(m_platform, m_state.Device.LinkKind));
    m_link->setSettingsFolder(m_state.AppDataPath);
    if (m_state.Device.OnlineMode == QLatin1String("V")) {
        mnuTastaturevent->setEnabled(false);
        mnuTastaturevent->setVisible(false);
    }
    // The limits dialog hides its 80/20 controls for signed instruments when it is created.

    // 10.-12.
    cmdStop->setVisible(false);
    setWindowTitle(m_state.titleText());
    picRahmen->setVisible(true);
    Bild_setzen(picRahmen, m_state.ProgramFolder + QStringLiteral("/Rahmen.jpg"), true);
    optFE->setText(QString());
    optNFE->setText(QString());
    MSFlex->setVisible(true);
    const bool le = m_state.Device.LinkKind == QLatin1String("L");
    mnuSetTime->setEnabled(le);
    mnuSetTime->setVisible(le);
    mnuExtras->menuAction()->setVisible(mnuTastaturevent->isVisible() || le);

    // 13.
    m_state.StartDate = m_platform.now().date().toString(QStringLiteral("dd.MM.yyyy"));
    m_state.ClockDate = m_state.StartDate;
    m_state.Counters = MeasurementCounters{};
    QApplication::clipboard()->clear();

    // 14.-15.
    Voreinstellungen(QStringLiteral("SL"));
    Voreinstellungen(QStringLiteral("TL"));
    startKeyEvents();

    // 16.
    if (m_state.Settings.LanguageIndex > 1)
        m_state.Settings.LanguageIndex = 1;
    m_state.Texts.MessageTexts_fuellen(m_state.titleText());
    Texte_setzen();
    Speichernamen_setzen();
    // FE and NFE are named by the instrument; the online table exists before any connection.
    optOnline->setText(m_state.message(8));
    Block_Buttons();

    // 17.
    m_link->setLanguageIndex(m_state.languageIndex());
    m_display->startUp(le);
    if (!le) {
        scanPorts();
        Voreinstellungen(QStringLiteral("CL"));
    } else {
        m_state.Kind = MemoryKind::FE;
    }

    // 18.-21.
    InitMSFlex();
    MSFlex->setVisible(true);
    German->setChecked(m_state.Settings.LanguageIndex == 0);
    English->setChecked(m_state.Settings.LanguageIndex != 0);
    Reset_Statistic();
    showStatisticsView(false);
    m_state.SpeichernShow = true;
    m_state.Settings.ProjectDate = m_platform.now();
    Block_Buttons();
    // No exchange runs yet: the program can always be ended.
    cmdEnde->setEnabled(true);
    m_state.AbsoluteValues = true;
}

void frmTransfer::commandsEnded() {
    // Once the command has unwound: End and a language switch chosen during it.
    QTimer::singleShot(0, this, [this] {
        if (busy())
            return;
        if (std::exchange(m_endWhenIdle, false)) {
            mnuEnd_Click();
            return;
        }
        if (std::exchange(m_refreshWhenIdle, false) && m_link->LinkConnected())
            Focus_setzen();
    });
}

void frmTransfer::bringToFront() {
    WriteLog(QStringLiteral("Zweiter Programmstart: Fenster nach vorn geholt"));
    if (isMinimized())
        showNormal();
    show();
    raise();
    activateWindow();
}

void frmTransfer::mnuEnd_Click() {
    if (m_shutDown)
        return;
    // The link is not closed under a running command: that ends first, as Esc ends it.
    if (busy()) {
        m_endWhenIdle = true;
        m_session->stopCommand();
        return;
    }
    m_shutDown = true;
    if (m_link != nullptr)
        m_link->closeLink();
    close();
}
