#pragma once

#include "core/MeasurementTable.h"
#include "core/ReportText.h"
#include "link/InstrumentLink.h"
#include "session/AppState.h"
#include "session/TransferSession.h"

#include <QMainWindow>

class BLE;
class BleLink;
class PlatformServices;
class QAction;
class QChartView;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QRadioButton;
class QTableWidget;
class frmChartG;
class frmWerte;
class frmProjekt;
class frmTastatur;
class LinkDisplay;
class frmInfo;
class frmTime;
enum class BleLinkView;
struct KeyEventContext;
struct MesFileContext;
struct ExportContext;
struct SpreadsheetInputs;

// The main window: every control the other windows drive, written from the transfer session's
// state. docs/architecture.md is the map of the program.
class frmTransfer : public QMainWindow {
    Q_OBJECT
public:
    frmTransfer(PlatformServices& platform, const QString& programFolder,
                QWidget* parent = nullptr);
    ~frmTransfer() override;

    AppState& state() { return m_state; }
    // The data and the instrument conversation that this window shows and drives.
    TransferSession& session() { return *m_session; }
    // A command runs; what a control starts meanwhile is refused.
    bool busy() const { return m_session->busy(); }
    // The instrument link; chosen from LinkKind at start-up unless one was given before.
    InstrumentLink& link() { return *m_link; }
    LinkDisplay& linkDisplay() { return *m_display; }
    void useLink(InstrumentLink* link);
    PlatformServices& platform() { return m_platform; }

    // Start-up and shutdown.
    void Form_Load();
    void mnuEnd_Click();
    void cmdEnde_Click();
    bool shutDown() const { return m_shutDown; }
    // A second start of the program asked for this window.
    void bringToFront();

    // Shell helpers used everywhere.
    void WriteLog(const QString& logtext) const { m_session->WriteLog(logtext); }
    void DeleteLog() const { m_state.Log.DeleteLog(); }
    void Delay(int nSekunden);
    void Bild_setzen(QLabel* box, const QString& filePath, bool stretch);

    // The title message boxes carry: the model title, or the company before it is known.
    QString programTitle() const;
    // An information box with only an OK button, titled with the program title.
    void message(const QString& text);

    // Settings files: every read and write goes through one action code.
    void Voreinstellungen(const QString& aktion);

    // Language texts.
    void Texte_setzen();
    void English_Click();
    void German_Click();

    // Measurement lines into the table (the caller sets MemoryKind and, for FE and NFE,
    // CurrentIndex). Returns true when the line became a row.
    bool FillMessdaten(const QString& line);

    // The table.
    void InitMSFlex();
    // The row of a record just stored in the memory shown, with its statistics; online records are
    // announced after it.
    void AddMSFlexRow(int slot);
    void FillMSFlexOne();
    void ColorValueCell(int row, int slot);
    void ScrollToLastRow();
    void ClearStore();
    void MSFlex_Click(int row);
    void cmdFlexZeileLoeschen_Click();
    void cmdFlexTabelleloeschen_Click();
    void cmdSort_Click();
    void optFE_Click();
    void optNFE_Click();
    void optOnline_Click();

    // Statistics list.
    void Reset_Statistic();

    // Charts.
    void cmdChart_Click();
    void cmdGross_Click();
    void cmdAbs_Click();

    // Instrument link.
    void scanPorts();
    void ComboPort_Change();
    void cmdConnect_Click();
    void PortEvent(int type, const QString& portName);
    void ReadGeraet();
    void Speicherauswahl_setzen();
    void Meldung_Speicher_Leer();
    void cmdStop_Click();
    void cmdLesen_Click();
    void AlleSpeicherLesen();
    // True when the memory arrived complete (or the instrument reported it empty).
    bool cmdLesFE_Click();
    void cmdLesNFE_Click();
    // One memory download; true when it arrived complete and replaced the table's memory.
    bool Speicher_lesen();

    // Bluetooth LE instruments: the link is made in the connect window, memories are read by
    // their entry in cmbSpeicher, the list the session keeps.
    BLE& bleWindow();
    bool SpeicherInfoLesen(bool cmbFuellen);
    void cmdRefresh_Click();
    void LE_Speicher_lesen(int entry);

    // Device information and clock.
    void mnuInfo_Click();
    void mnuSetTime_Click();

    // Files and project data.
    void cmdSave_Click();
    void cmdOpen_Click();
    void cmdProjekt_Click();
    frmProjekt* projectDialog();
    // The report of the shown table, mode "A" (file, clipboard, print) or "P" (spreadsheet).
    QString BuildReportText(const QString& mode);

    // Exports of the shown table.
    void cmdClipboard_Click();
    void cmdprint_Click();
    void cmdWord_Click();
    void cmdExcel_Click();

    // Limits.
    void cmdWerte_Click();
    void cmdWerte_LostFocus();
    void ShowLimits();
    frmWerte* limitsDialog();

    // Key events into another program.
    void mnuTastaturevent_Click();
    frmTastatur* keyEventDialog();

    // Button states and manuals.
    void Block_Buttons();
    void Unblock_Buttons();
    void Button_setzen_Init();
    QString heldCount(MemoryKind kind) const;
    void Button_setzen();
    void OptButton_setzen();
    void Focus_setzen();
    void OptButton_Text_setzen();
    void Speichernamen_setzen();
    void mnuHelp1_Click();
    QString HelpFile;

    // Controls, named as the other windows and the tests know them.
    QMenu* mnuDatei = nullptr;
    QAction* mnuOpen = nullptr;
    QAction* mnuSave = nullptr;
    QAction* mnuPrint = nullptr;
    QAction* mnuEnd = nullptr;
    QMenu* Language = nullptr;
    QAction* English = nullptr;
    QAction* German = nullptr;
    QMenu* mnuExtras = nullptr;
    QAction* mnuTastaturevent = nullptr;
    QAction* mnuSetTime = nullptr;
    QMenu* mnuHelp = nullptr;
    QAction* mnuInfo = nullptr;
    QAction* mnuHelp1 = nullptr;

    QLabel* picRahmen = nullptr;
    QLabel* picDP = nullptr;
    QLabel* lblTitle = nullptr;
    QGroupBox* Frame5 = nullptr;
    QLabel* picZorv = nullptr;

    QGroupBox* Frame2 = nullptr;
    QComboBox* ComboPort = nullptr;
    QPushButton* cmdConnect = nullptr;
    QLabel* txtWait = nullptr;
    QLabel* picUsb = nullptr;
    QLabel* picBth = nullptr;
    QLabel* picBthBlitz = nullptr;
    QLabel* BattIcon = nullptr;
    QLabel* lblBatterie = nullptr;
    QLineEdit* txtSpeicher = nullptr;

    QGroupBox* Frame3 = nullptr;
    QRadioButton* optFE = nullptr;
    QRadioButton* optNFE = nullptr;
    QRadioButton* optOnline = nullptr;
    QComboBox* cmbSpeicher = nullptr;
    QPushButton* cmdRefresh = nullptr;
    QPushButton* cmdStop = nullptr;
    QTableWidget* MSFlex = nullptr;

    QListWidget* lstStat = nullptr;
    QChartView* MSChart1 = nullptr;
    QLineEdit* txtMittelwert = nullptr;
    QPushButton* cmdChart = nullptr;
    QPushButton* cmdAbs = nullptr;
    QPushButton* cmdGross = nullptr;

    QGroupBox* Frame1 = nullptr;
    QPushButton* cmdLesen = nullptr;
    QPushButton* cmdLesFE = nullptr;
    QPushButton* cmdLesNFE = nullptr;
    QPushButton* cmdOpen = nullptr;
    QPushButton* cmdSave = nullptr;
    QPushButton* cmdWerte = nullptr;
    QPushButton* cmdProjekt = nullptr;
    QPushButton* cmdFlexZeileLoeschen = nullptr;
    QPushButton* cmdFlexTabelleloeschen = nullptr;
    QPushButton* cmdSort = nullptr;
    QPushButton* cmdEnde = nullptr;

    QGroupBox* Frame4 = nullptr;
    QPushButton* cmdprint = nullptr;
    QPushButton* cmdWord = nullptr;
    QPushButton* cmdClipboard = nullptr;
    QPushButton* cmdExcel = nullptr;

signals:
    // An online record was added to the table; key-stroke forwarding hooks in here.
    void onlineRecordAdded(int slot);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void buildMenus();
    void connectControls();
    void applyOwnCaptions();
    void chooseModelAndBrand();
    KeyEventContext keyEventContext();
    void startKeyEvents();
    void forwardKeyEvents(int slot);
    void applyLanguage();
    void showSettingsFailure(const QString& aktion, const QString& description);
    void writeRow(int row, const TableRowTexts& texts, LimitColour colour);
    void showColumn0Header(const QString& text);
    void showColumnHeaders();
    void requestScrollToLastRow();
    void showStatisticLines(const QStringList& lines);
    void showStatisticsView(bool hasRows);
    void selectMemory(MemoryKind kind);
    void checkMemoryOption(MemoryKind kind);
    void showMemory(MemoryKind kind, const char* what);
    void showLinkState(InstrumentLink::State state);
    InstrumentLink::Outcome waitForExchange(int expected);
    void showStoredMemory();
    void commandsEnded();
    void onlineReceived(const QString& line);
    void onlineValueTaken();
    bool startOnlineReception();
    BleLink* bleLink() const;
    bool connectLowEnergy();
    void reconnectLowEnergy();
    void lowEnergyConnected();
    void showLowEnergyView(BleLinkView view);
    // Logs why the exchange named ended early and tells the user when there is something to say.
    void showLinkFailure(const QString& exchange);
    MesFileContext mesFileContext() const;
    ExportContext exportContext();
    SpreadsheetInputs spreadsheetInputs() const;
    int portNumber() const { return m_state.Settings.COMPortNummer.trimmed().toInt(); }
    void showExportButtons();
    bool askYesNo(const QString& text);

    PlatformServices& m_platform;
    TransferSession* m_session;
    AppState& m_state;
    bool m_shutDown = false;
    bool m_endWhenIdle = false;     // End was chosen while a command ran
    bool m_refreshWhenIdle = false; // the language changed while a command ran
    bool m_scrollPending = false;
    InstrumentLink* m_link = nullptr;
    LinkDisplay* m_display = nullptr;
    frmWerte* m_limitsDialog = nullptr;
    frmProjekt* m_projectDialog = nullptr;
    frmChartG* m_largeChart = nullptr;
    frmTastatur* m_keyEventDialog = nullptr;
    BLE* m_bleWindow = nullptr;
    frmInfo* m_infoDialog = nullptr;
    frmTime* m_timeDialog = nullptr;
};

// The locale's decimal separator: the second character of 1.3 written as text.
QString GetDecimalSeparator();
