#include "app/frmTransfer.h"

#include "app/LinkDisplay.h"
#include "platform/PlatformServices.h"
#include "ui/CursorBlinkTimeout.h"
#include "ui/FixedPitchFont.h"
#include "ui/GrowingTable.h"
#include "ui/Named.h"
#include "ui/StaticTextDelegate.h"

#include <QChartView>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace {

QPushButton* Button(const char* name, QWidget* parent) {
    auto* button = Named(new QPushButton(parent), name);
    button->setMinimumHeight(28);
    return button;
}

QLabel* Picture(const char* name, QWidget* parent, QSize size) {
    auto* label = Named(new QLabel(parent), name);
    label->setFixedSize(size);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

} // namespace

frmTransfer::frmTransfer(PlatformServices& platform, const QString& programFolder, QWidget* parent)
    : QMainWindow(parent), m_platform(platform), m_session(new TransferSession(platform, this)),
      m_state(m_session->state()) {
    setObjectName(QStringLiteral("frmTransfer"));
    m_state.ProgramFolder = programFolder;
    buildMenus();
    buildControls();
    m_display = new LinkDisplay(
        LinkControls{Frame2, ComboPort, cmdConnect, txtWait, picUsb, picBth, picBthBlitz}, m_state,
        this);
    connectControls();
    applyOwnCaptions();
    new CursorBlinkTimeout(this);
    // The layout's own minimum keeps the table, the list and the commands side by side.
    resize(QSize(1100, 760).expandedTo(minimumSizeHint()));
}

frmTransfer::~frmTransfer() {
    // The portal's answers would reach a window that is gone.
    m_platform.closeKeyboard();
}

void frmTransfer::buildMenus() {
    mnuDatei = Named(menuBar()->addMenu(QString()), "mnuDatei");
    mnuOpen = Named(mnuDatei->addAction(QString()), "mnuOpen");
    mnuSave = Named(mnuDatei->addAction(QString()), "mnuSave");
    mnuPrint = Named(mnuDatei->addAction(QString()), "mnuPrint");
    mnuDatei->addSeparator();
    mnuEnd = Named(mnuDatei->addAction(QString()), "mnuEnd");

    Language = Named(menuBar()->addMenu(QString()), "Language");
    English = Named(Language->addAction(QString()), "English");
    German = Named(Language->addAction(QString()), "German");
    English->setCheckable(true);
    German->setCheckable(true);

    mnuExtras = Named(menuBar()->addMenu(QString()), "mnuExtras");
    mnuTastaturevent = Named(mnuExtras->addAction(QString()), "mnuTastaturevent");
    mnuSetTime = Named(mnuExtras->addAction(QString()), "mnuSetTime");

    mnuHelp = Named(menuBar()->addMenu(QString()), "mnuHelp");
    mnuHelp1 = Named(mnuHelp->addAction(QString()), "mnuHelp1");
    mnuInfo = Named(mnuHelp->addAction(QString()), "mnuInfo");
}

void frmTransfer::buildControls() {
    auto* central = new QWidget(this);
    setCentralWidget(central);
    auto* outer = new QVBoxLayout(central);
    outer->setContentsMargins(8, 8, 8, 8);
    outer->setSpacing(8);

    // Header band: the frame picture behind the model picture and the title.
    picRahmen = Named(new QLabel(central), "picRahmen");
    picRahmen->setFixedHeight(88);
    picRahmen->setScaledContents(true);
    auto* header = new QHBoxLayout(picRahmen);
    header->setContentsMargins(12, 6, 12, 6);
    picDP = Picture("picDP", picRahmen, QSize(76, 76));
    lblTitle = Named(new QLabel(picRahmen), "lblTitle");
    QFont titleFont = lblTitle->font();
    titleFont.setPointSize(17);
    titleFont.setBold(true);
    lblTitle->setFont(titleFont);
    lblTitle->setStyleSheet(QStringLiteral("color: #1d3557; background: transparent;"));
    header->addWidget(picDP);
    header->addSpacing(12);
    header->addWidget(lblTitle, 1);
    outer->addWidget(picRahmen);

    // Connection row.
    Frame2 = Named(new QGroupBox(QStringLiteral("Com-Port"), central), "Frame2");
    auto* link = new QHBoxLayout(Frame2);
    ComboPort = Named(new QComboBox(Frame2), "ComboPort");
    ComboPort->setEditable(true);
    // The text cursor blinks here while the program waits for the user: an edit that paints its
    // own background spares the frame behind it a repaint at every blink.
    ComboPort->lineEdit()->setAutoFillBackground(true);
    ComboPort->lineEdit()->setAttribute(Qt::WA_OpaquePaintEvent);
    ComboPort->setMinimumWidth(230);
    ComboPort->setFont(FixedPitchFont(10));
    cmdConnect = Button("cmdConnect", Frame2);
    cmdConnect->setMinimumWidth(130);
    picUsb = Picture("picUsb", Frame2, QSize(28, 28));
    picBth = Picture("picBth", Frame2, QSize(28, 28));
    picBthBlitz = Picture("picBthBlitz", Frame2, QSize(28, 28));
    txtWait = Named(new QLabel(Frame2), "txtWait");
    txtWait->setMinimumWidth(260);
    QFont waitFont = txtWait->font();
    waitFont.setBold(true);
    txtWait->setFont(waitFont);
    BattIcon = Picture("BattIcon", Frame2, QSize(28, 28));
    lblBatterie = Named(new QLabel(Frame2), "lblBatterie");
    txtSpeicher = Named(new QLineEdit(Frame2), "txtSpeicher");
    txtSpeicher->setReadOnly(true);
    txtSpeicher->setAlignment(Qt::AlignCenter);
    txtSpeicher->setMinimumWidth(190);
    txtSpeicher->setFocusPolicy(Qt::NoFocus);
    link->addWidget(ComboPort);
    link->addWidget(cmdConnect);
    link->addWidget(picUsb);
    link->addWidget(picBth);
    link->addWidget(picBthBlitz);
    link->addWidget(txtWait, 1);
    link->addWidget(BattIcon);
    link->addWidget(lblBatterie);
    link->addWidget(txtSpeicher);
    outer->addWidget(Frame2);

    auto* body = new QHBoxLayout;
    body->setSpacing(8);
    outer->addLayout(body, 1);

    // The table with its memory options.
    Frame3 = Named(new QGroupBox(central), "Frame3");
    auto* tableBox = new QVBoxLayout(Frame3);
    auto* options = new QHBoxLayout;
    optFE = Named(new QRadioButton(Frame3), "optFE");
    optNFE = Named(new QRadioButton(Frame3), "optNFE");
    optOnline = Named(new QRadioButton(Frame3), "optOnline");
    cmbSpeicher = Named(new QComboBox(Frame3), "cmbSpeicher");
    // Its entries align names and counts in columns.
    cmbSpeicher->setFont(FixedPitchFont(10));
    cmbSpeicher->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    cmdRefresh = Button("cmdRefresh", Frame3);
    options->addWidget(optFE);
    options->addWidget(optNFE);
    options->addWidget(optOnline);
    options->addWidget(cmbSpeicher);
    options->addWidget(cmdRefresh);
    options->addStretch(1);
    cmdStop = Button("cmdStop", Frame3);
    options->addWidget(cmdStop);
    tableBox->addLayout(options);
    MSFlex = Named(new GrowingTable(0, 4, Frame3), "MSFlex");
    MSFlex->setFont(FixedPitchFont(10));
    MSFlex->verticalHeader()->setVisible(false);
    MSFlex->verticalHeader()->setDefaultSectionSize(QFontMetrics(MSFlex->font()).height() + 8);
    MSFlex->setSelectionBehavior(QAbstractItemView::SelectRows);
    MSFlex->setSelectionMode(QAbstractItemView::SingleSelection);
    MSFlex->setEditTriggers(QAbstractItemView::NoEditTriggers);
    MSFlex->setItemDelegate(new StaticTextDelegate(MSFlex));
    tableBox->addWidget(MSFlex, 1);
    body->addWidget(Frame3, 3);

    // Statistics, logo and chart share the middle column.
    auto* middle = new QVBoxLayout;
    Frame5 = Named(new QGroupBox(central), "Frame5");
    auto* logoBox = new QVBoxLayout(Frame5);
    picZorv = Picture("picZorv", Frame5, QSize(220, 110));
    logoBox->addWidget(picZorv, 0, Qt::AlignCenter);
    middle->addWidget(Frame5);
    lstStat = Named(new QListWidget(central), "lstStat");
    lstStat->setFont(FixedPitchFont(10));
    lstStat->setMinimumWidth(300);
    lstStat->setFocusPolicy(Qt::NoFocus);
    lstStat->setItemDelegate(new StaticTextDelegate(lstStat));
    middle->addWidget(lstStat, 1);
    MSChart1 = Named(new QChartView(central), "MSChart1");
    MSChart1->setMinimumHeight(220);
    middle->addWidget(MSChart1, 1);
    txtMittelwert = Named(new QLineEdit(central), "txtMittelwert");
    txtMittelwert->setReadOnly(true);
    middle->addWidget(txtMittelwert);
    auto* chartButtons = new QHBoxLayout;
    cmdChart = Button("cmdChart", central);
    cmdAbs = Button("cmdAbs", central);
    cmdGross = Button("cmdGross", central);
    chartButtons->addWidget(cmdChart);
    chartButtons->addWidget(cmdAbs);
    chartButtons->addWidget(cmdGross);
    middle->addLayout(chartButtons);
    middle->addStretch(0);
    body->addLayout(middle, 1);

    // Commands and exports.
    auto* right = new QVBoxLayout;
    Frame1 = Named(new QGroupBox(central), "Frame1");
    auto* commands = new QVBoxLayout(Frame1);
    cmdLesen = Button("cmdLesen", Frame1);
    cmdLesFE = Button("cmdLesFE", Frame1);
    cmdLesNFE = Button("cmdLesNFE", Frame1);
    cmdOpen = Button("cmdOpen", Frame1);
    cmdSave = Button("cmdSave", Frame1);
    cmdWerte = Button("cmdWerte", Frame1);
    cmdWerte->setFont(FixedPitchFont(9));
    cmdWerte->setMinimumHeight(54);
    cmdProjekt = Button("cmdProjekt", Frame1);
    cmdFlexZeileLoeschen = Button("cmdFlexZeileLoeschen", Frame1);
    cmdFlexTabelleloeschen = Button("cmdFlexTabelleloeschen", Frame1);
    cmdSort = Button("cmdSort", Frame1);
    commands->addWidget(cmdLesen);
    auto* memories = new QHBoxLayout;
    memories->addWidget(cmdLesFE);
    memories->addWidget(cmdLesNFE);
    commands->addLayout(memories);
    for (QPushButton* b : {cmdOpen, cmdSave, cmdWerte, cmdProjekt, cmdFlexZeileLoeschen,
                           cmdFlexTabelleloeschen, cmdSort})
        commands->addWidget(b);
    right->addWidget(Frame1);
    Frame4 = Named(new QGroupBox(central), "Frame4");
    auto* exports = new QGridLayout(Frame4);
    cmdprint = Button("cmdprint", Frame4);
    cmdWord = Button("cmdWord", Frame4);
    cmdClipboard = Button("cmdClipboard", Frame4);
    cmdExcel = Button("cmdExcel", Frame4);
    exports->addWidget(cmdprint, 0, 0);
    exports->addWidget(cmdClipboard, 0, 1);
    exports->addWidget(cmdWord, 1, 0);
    exports->addWidget(cmdExcel, 1, 1);
    right->addWidget(Frame4);
    right->addStretch(1);
    cmdEnde = Button("cmdEnde", central);
    right->addWidget(cmdEnde);
    body->addLayout(right, 0);
}

void frmTransfer::connectControls() {
    connect(cmdEnde, &QPushButton::clicked, this, &frmTransfer::cmdEnde_Click);
    connect(mnuEnd, &QAction::triggered, this, &frmTransfer::mnuEnd_Click);
    connect(English, &QAction::triggered, this, &frmTransfer::English_Click);
    connect(German, &QAction::triggered, this, &frmTransfer::German_Click);
    connect(cmdFlexZeileLoeschen, &QPushButton::clicked, this,
            &frmTransfer::cmdFlexZeileLoeschen_Click);
    connect(cmdFlexTabelleloeschen, &QPushButton::clicked, this,
            &frmTransfer::cmdFlexTabelleloeschen_Click);
    connect(cmdSort, &QPushButton::clicked, this, &frmTransfer::cmdSort_Click);
    connect(MSFlex, &QTableWidget::cellClicked, this, [this](int row, int) { MSFlex_Click(row); });
    connect(optFE, &QRadioButton::clicked, this, &frmTransfer::optFE_Click);
    connect(optNFE, &QRadioButton::clicked, this, &frmTransfer::optNFE_Click);
    connect(optOnline, &QRadioButton::clicked, this, &frmTransfer::optOnline_Click);
    connect(cmdConnect, &QPushButton::clicked, this, &frmTransfer::cmdConnect_Click);
    connect(ComboPort, &QComboBox::editTextChanged, this, &frmTransfer::ComboPort_Change);
    connect(ComboPort, &QComboBox::activated, this, &frmTransfer::ComboPort_Change);
    connect(cmdStop, &QPushButton::clicked, this, &frmTransfer::cmdStop_Click);
    connect(cmdLesen, &QPushButton::clicked, this, &frmTransfer::cmdLesen_Click);
    connect(cmdLesFE, &QPushButton::clicked, this, &frmTransfer::cmdLesFE_Click);
    connect(cmdLesNFE, &QPushButton::clicked, this, &frmTransfer::cmdLesNFE_Click);
    connect(cmdSave, &QPushButton::clicked, this, &frmTransfer::cmdSave_Click);
    connect(cmdOpen, &QPushButton::clicked, this, &frmTransfer::cmdOpen_Click);
    connect(cmdProjekt, &QPushButton::clicked, this, &frmTransfer::cmdProjekt_Click);
    connect(cmdWerte, &QPushButton::clicked, this, &frmTransfer::cmdWerte_Click);
    connect(mnuHelp1, &QAction::triggered, this, &frmTransfer::mnuHelp1_Click);
    connect(cmdClipboard, &QPushButton::clicked, this, &frmTransfer::cmdClipboard_Click);
    connect(cmdprint, &QPushButton::clicked, this, &frmTransfer::cmdprint_Click);
    connect(cmdWord, &QPushButton::clicked, this, &frmTransfer::cmdWord_Click);
    connect(cmdExcel, &QPushButton::clicked, this, &frmTransfer::cmdExcel_Click);
    connect(cmdChart, &QPushButton::clicked, this, &frmTransfer::cmdChart_Click);
    connect(cmdGross, &QPushButton::clicked, this, &frmTransfer::cmdGross_Click);
    connect(cmdAbs, &QPushButton::clicked, this, &frmTransfer::cmdAbs_Click);
    connect(mnuTastaturevent, &QAction::triggered, this, &frmTransfer::mnuTastaturevent_Click);
    connect(cmdRefresh, &QPushButton::clicked, this, &frmTransfer::cmdRefresh_Click);
    connect(mnuInfo, &QAction::triggered, this, &frmTransfer::mnuInfo_Click);
    connect(mnuSetTime, &QAction::triggered, this, &frmTransfer::mnuSetTime_Click);
    connect(this, &frmTransfer::onlineRecordAdded, this, &frmTransfer::forwardKeyEvents);
    connect(m_session, &TransferSession::onlineLine, this, &frmTransfer::onlineReceived);
    connect(m_session, &TransferSession::recordAdded, this, &frmTransfer::AddMSFlexRow);
    connect(m_session, &TransferSession::memoryStored, this, &frmTransfer::showStoredMemory);
    connect(m_session, &TransferSession::busyChanged, this, [this](bool busy) {
        if (!busy)
            commandsEnded();
    });
    connect(m_session, &TransferSession::statusText, this, [this](const QString& text) {
        if (text.isEmpty())
            statusBar()->clearMessage();
        else
            statusBar()->showMessage(text);
    });
    // The file menu offers the same commands as the buttons and follows their state.
    connect(mnuOpen, &QAction::triggered, cmdOpen, &QPushButton::click);
    connect(mnuSave, &QAction::triggered, cmdSave, &QPushButton::click);
    connect(mnuPrint, &QAction::triggered, cmdprint, &QPushButton::click);
    connect(mnuDatei, &QMenu::aboutToShow, this, [this] {
        mnuOpen->setEnabled(cmdOpen->isEnabled());
        mnuSave->setEnabled(cmdSave->isEnabled());
        mnuPrint->setEnabled(cmdprint->isEnabled() && cmdprint->isVisible());
        mnuEnd->setEnabled(true);
    });
}

void frmTransfer::closeEvent(QCloseEvent* event) {
    if (!m_shutDown)
        mnuEnd_Click();
    // While a command runs the window closes once it has ended.
    if (m_shutDown)
        event->accept();
    else
        event->ignore();
}

void frmTransfer::cmdEnde_Click() {
    mnuEnd_Click();
}

void frmTransfer::Delay(int nSekunden) {
    // Until the tick count passes the whole second nSekunden after the rounded start.
    const qint64 start = m_platform.tickCountMs();
    const qint64 end = (qRound64(start / 1000.0) + nSekunden + 1) * 1000;
    m_platform.waitMs(static_cast<int>(std::max<qint64>(0, end - start)));
}

QString GetDecimalSeparator() {
    return QLocale().toString(1.3).mid(1, 1);
}

QString frmTransfer::programTitle() const {
    return m_session->programTitle();
}
