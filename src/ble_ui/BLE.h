#pragma once

#include <QDialog>
#include <QString>
#include <functional>

class BleLink;
class PlatformServices;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTimer;
class TextTable;

// What the main window shows of a Bluetooth LE link that changed on its own.
enum class BleLinkView {
    Lost,         // out of range or switched off: "Wiederverbinden" and the range message
    Disconnected, // the client reported the link gone: "Getrennt", connect button hidden
    Returned,     // the client reported it back: "Wiederverbinden" visible
};

// What the connect window needs of the main window.
struct BleWindowContext {
    BleLink& Link; // its client, the ids it discovers and whether notifications are on
    PlatformServices& Platform;
    const TextTable& Texts;
    std::function<int()> LanguageIndex;
    std::function<void(const QString&)> WriteLog;
    std::function<QString()> ProgramTitle;
    std::function<bool()> Closing;             // the program shuts down
    std::function<void(BleLinkView)> ShowLink; // the main window's connection controls
    std::function<void()> ConnectionComplete;  // Online table, memory selection hidden
};

// The window BLE: scan for instruments whose name holds "QX", pick one, connect and wait until
// both services are discovered (2.5 s at most); then it closes with Accepted and the main window
// goes on. It owns the link's life after that: regular disconnection, loss and return.
// Closed with its close box it returns Rejected, so the main window knows no link came.
class BLE : public QDialog {
    Q_OBJECT
public:
    static constexpr int DiscoveryTickMs = 500;
    static constexpr int DiscoveryTicksLimit = 5;

    explicit BLE(BleWindowContext context, QWidget* parent = nullptr);

    void Form_Load();
    void ApplyCaptions();
    void cmdScan_Click();
    void lbDevices_Click();
    void cmdConnect_Click();
    void BLEDisconnect();
    void DiscoverAll();

    QString BleServerId;
    bool BleConnected = false;
    bool LinkServiceReady = false;
    bool DataServiceReady = false;
    int DiscoveryTicks = 0;

    QListWidget* lbDevices = nullptr;
    QPushButton* cmdScan = nullptr;
    QPushButton* cmdConnect = nullptr;
    QLineEdit* txtLog = nullptr;
    QLabel* Label1 = nullptr;
    QTimer* Timer1 = nullptr;

private:
    void buildControls();
    void onStartScan();
    void onAdvertisement(const QString& serverId, const QString& name, int rssi);
    void onConnected(int statusCode, const QString& description);
    void onDisconnected(int statusCode, const QString& description);
    void onLog(const QString& message);
    void onDiscovered(int gattType, const QString& serviceId, const QString& characteristicId,
                      const QString& uuid);
    void onError(int errorCode, const QString& description);
    void Timer1_Timer();
    void showMessage(const QString& text);
    QString caption(int slot) const;
    QString message(int slot) const;

    BleWindowContext m_context;
    bool m_loaded = false;
    bool m_mainShowsDisconnected = false;
    bool m_boxOpen = false;
    bool m_retryShown = false;
};
