#include "ble_ui/BLE.h"

#include "core/BleGatt.h"
#include "core/TextTable.h"
#include "link/ble/BleClient.h"
#include "link/ble/BleIds.h"
#include "link/ble/BleLink.h"
#include "platform/PlatformServices.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <utility>

namespace {

const QString ScanCaption = QStringLiteral("Scan");

QString trueFalse(bool value) {
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

} // namespace

BLE::BLE(BleWindowContext context, QWidget* parent)
    : QDialog(parent), m_context(std::move(context)) {
    setObjectName(QStringLiteral("BLE"));
    buildControls();
    BleClient& client = m_context.Link.client();
    connect(&client, &BleClient::StartScan, this, &BLE::onStartScan);
    connect(&client, &BleClient::Advertisement, this, &BLE::onAdvertisement);
    connect(&client, &BleClient::Connected, this, &BLE::onConnected);
    connect(&client, &BleClient::Disconnected, this, &BLE::onDisconnected);
    connect(&client, &BleClient::Log, this,
            [this](int, const QString& message, int) { onLog(message); });
    connect(&client, &BleClient::Discovered, this,
            [this](int type, const QString& sid, const QString& cid, const QString&,
                   const QString& uuid) { onDiscovered(type, sid, cid, uuid); });
    connect(&client, &BleClient::Error, this, &BLE::onError);
}

void BLE::buildControls() {
    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    lbDevices = new QListWidget(this);
    lbDevices->setObjectName(QStringLiteral("lbDevices"));
    lbDevices->setMinimumSize(460, 160);
    cmdScan = new QPushButton(ScanCaption, this);
    cmdScan->setObjectName(QStringLiteral("cmdScan"));
    cmdConnect = new QPushButton(this);
    cmdConnect->setObjectName(QStringLiteral("cmdConnect"));
    txtLog = new QLineEdit(this);
    txtLog->setObjectName(QStringLiteral("txtLog"));
    txtLog->setReadOnly(true);
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdScan);
    buttons->addWidget(cmdConnect);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(lbDevices);
    layout->addLayout(buttons);
    layout->addWidget(txtLog);

    connect(cmdScan, &QPushButton::clicked, this, &BLE::cmdScan_Click);
    connect(cmdConnect, &QPushButton::clicked, this, &BLE::cmdConnect_Click);
    connect(lbDevices, &QListWidget::itemClicked, this, &BLE::lbDevices_Click);
    connect(Timer1, &QTimer::timeout, this, &BLE::Timer1_Timer);
}

QString BLE::caption(int slot) const {
    return m_context.Texts.caption(m_context.LanguageIndex(), slot);
}

QString BLE::message(int slot) const {
    return m_context.Texts.message(m_context.LanguageIndex(), slot);
}

void BLE::Form_Load() {
    BleClient& client = m_context.Link.client();
    client.ClientConfig(m_loaded ? QStringLiteral("LogLevel=0") : QStringLiteral("LogLevel=3"));
    client.ClientConfig(QStringLiteral("AutoDiscoverCharacteristics = true"));
    client.ClientConfig(QStringLiteral("AutoDiscoverDescriptors = true"));
    m_loaded = true;
    ApplyCaptions();
}

void BLE::ApplyCaptions() {
    setWindowTitle(m_context.ProgramTitle());
    cmdConnect->setText(caption(BleConnected ? 52 : 50));
    Label1->setText(message(79));
}

void BLE::showMessage(const QString& text) {
    m_boxOpen = true;
    m_context.Platform.messageBox(text, PlatformServices::Buttons::Ok,
                                  PlatformServices::Icon::Information, m_context.ProgramTitle());
    m_boxOpen = false;
}

void BLE::cmdScan_Click() {
    m_context.WriteLog(QStringLiteral("Scan ") +
                       QLocale().toString(m_context.Platform.now(), QLocale::ShortFormat));
    BleClient& client = m_context.Link.client();
    BleCallResult result;
    if (cmdScan->text() != ScanCaption) {
        result = client.ClientScanStop();
        // A stopped scan can be started again.
        cmdScan->setText(ScanCaption);
    } else {
        lbDevices->clear();
        client.ClientScanOption(true);
        result = client.ClientScanStart(QString());
    }
    if (!result.ok()) {
        m_context.WriteLog(QStringLiteral("Scan: ") + result.Description);
        showMessage(message(75) + QStringLiteral("\r\n"));
    }
}

void BLE::onStartScan() {
    cmdScan->setText(QStringLiteral("Stop"));
    txtLog->setText(QStringLiteral("Scanning ..."));
}

void BLE::onAdvertisement(const QString& serverId, const QString& name, int rssi) {
    const QString entry = QStringLiteral("MAC: ") + serverId + QStringLiteral(" Name: ") + name +
                          QStringLiteral("       RSSI: ") + QString::number(rssi);
    for (int i = 0; i < lbDevices->count(); ++i)
        if (lbDevices->item(i)->text().contains(serverId))
            return;
    if (name.contains(QLatin1String("QX")))
        lbDevices->addItem(entry);
}

void BLE::lbDevices_Click() {
    cmdConnect->setEnabled(false);
    m_context.Platform.waitMs(1000);
    cmdConnect->setEnabled(true);
}

void BLE::cmdConnect_Click() {
    BleClient& client = m_context.Link.client();
    client.ClientScanStop();
    m_context.Platform.waitMs(200);
    setCursor(Qt::WaitCursor);
    if (cmdConnect->text() != caption(50)) {
        BLEDisconnect();
    } else if (!BleServerId.isEmpty()) {
        client.ClientConnect(BleServerId);
    } else if (!lbDevices->currentItem()) {
        showMessage(message(79) + QStringLiteral("\r\n"));
    } else {
        BleServerId = lbDevices->currentItem()->text().mid(5, 12);
        txtLog->setText(message(77) + BleServerId);
        client.ClientConnect(BleServerId);
    }
    lbDevices->setEnabled(true);
    unsetCursor();
}

void BLE::onConnected(int statusCode, const QString& description) {
    m_context.WriteLog(QStringLiteral("connected echt ") + QString::number(statusCode) +
                       QLatin1Char(' ') + description +
                       trueFalse(m_context.Link.measureSubscribed()));
    txtLog->setText(message(13));
    if (statusCode != 0 || description != QLatin1String("OK")) {
        // A link that did not come up is not used: the user tries again.
        txtLog->setText(message(78) + QStringLiteral(" (") + description + u')');
        cmdConnect->setText(caption(50));
        unsetCursor();
        return;
    }
    DiscoveryTicks = 0;
    Timer1->start(DiscoveryTickMs);
    LinkServiceReady = false;
    DiscoverAll();
    m_context.Platform.waitUntil(
        [this] { return (LinkServiceReady && DataServiceReady) || !Timer1->isActive(); }, -1,
        false);
    if (!LinkServiceReady || !DataServiceReady) {
        m_retryShown = true;
        m_context.Link.client().ClientDisconnect();
        cmdConnect->setText(caption(50));
        txtLog->setText(message(78));
        Timer1->stop();
        unsetCursor();
        return;
    }
    Timer1->stop();
    BleConnected = true;
    txtLog->setText(caption(53) + BleServerId);
    cmdConnect->setText(caption(52));
    m_context.ConnectionComplete();
    cmdScan->setEnabled(false);
    unsetCursor();
    accept();
}

void BLE::Timer1_Timer() {
    if (++DiscoveryTicks >= DiscoveryTicksLimit) {
        Timer1->stop();
        DiscoveryTicks = 0;
    }
}

void BLE::DiscoverAll() {
    m_context.Link.client().ClientDiscover(BleGatt::DataService + u',' + BleGatt::CommandService,
                                           QString(), true, QString());
}

void BLE::onDiscovered(int gattType, const QString& serviceId, const QString& characteristicId,
                       const QString& uuid) {
    BleIds& ids = m_context.Link.ids();
    ids.takeDiscovered(gattType, serviceId, characteristicId, uuid);
    if (ids.linkServiceReady())
        LinkServiceReady = true;
    if (ids.dataServiceReady())
        DataServiceReady = true;
}

void BLE::BLEDisconnect() {
    m_context.Link.client().ClientDisconnect();
    m_context.Platform.waitMs(500);
    lbDevices->clear();
}

void BLE::onDisconnected(int statusCode, const QString& description) {
    BleLink& link = m_context.Link;
    if (description == QLatin1String("OK") && statusCode == 0) {
        cmdScan->setEnabled(true);
        cmdScan->setText(ScanCaption);
        cmdConnect->setText(caption(50));
        BleConnected = false;
        link.forgetSubscription();
    }
    if (statusCode == 0 && link.measureSubscribed() && !m_context.Closing()) {
        m_context.WriteLog(QStringLiteral("Disconnected ausser reichweite "));
        m_context.ShowLink(BleLinkView::Lost);
        BleConnected = false;
        link.forgetSubscription();
    }
    // After a discovery that ran out of time the request to try again stays in view.
    if (!std::exchange(m_retryShown, false))
        txtLog->setText(QStringLiteral("Disconnected ") + QString::number(statusCode) +
                        description);
}

void BLE::onLog(const QString& message) {
    if (message.indexOf(QLatin1String("Disconn")) >= 1 && BleConnected) {
        m_context.ShowLink(BleLinkView::Disconnected);
        m_mainShowsDisconnected = true;
        m_context.Link.forgetSubscription();
        BleConnected = false;
    }
    if (m_mainShowsDisconnected && message.indexOf(QLatin1String("Connected")) >= 1 &&
        !BleConnected) {
        m_context.ShowLink(BleLinkView::Returned);
        m_mainShowsDisconnected = false;
    }
}

void BLE::onError(int errorCode, const QString& description) {
    const QString text =
        QStringLiteral("Error") + QString::number(errorCode) + QLatin1Char(' ') + description;
    m_context.WriteLog(text);
    // An error while the box of an earlier one is open is only logged.
    if (m_boxOpen)
        return;
    showMessage(text);
    BLEDisconnect();
}
