#pragma once

#include "link/InstrumentLink.h"

class PlatformServices;
class SCom;

// The instrument behind a serial port (cable "K" or Bluetooth serial "B"): owns the port control
// and the state of the exchange that runs on it.
class SerialLink : public InstrumentLink {
    Q_OBJECT
public:
    // Every exchange runs at the instrument's one line setting.
    static constexpr const char* LineSettingsText = "38400,n,8,1";
    // How long a connection check waits for the identification.
    static constexpr int ProbeMs = 4500;

    SerialLink(PlatformServices& platform, const QString& linkKind, QObject* parent = nullptr);

    SCom& port() { return *m_com; }
    void setSettingsFolder(const QString& folder) override;
    void setLanguageIndex(int languageIndex) override;

    State state() const override { return m_state; }
    void checkLink(int portNumber) override;
    void closeLink() override;
    QStringList linkChoices(const std::function<void(int, int)>& progress) override;
    bool identify() override;
    bool readMemory(MemoryKind kind, int expectedLines) override;
    bool setOnline(bool on, bool streamed) override;
    void cancel() override;

private:
    void Verbindungscheck(int portNumber);
    void linkFailed(int portNumber, int errorNumber);
    void Geraet_pruefen();
    void Befehl_senden(const QString& command);
    void DataEvent();
    bool begin(const QString& command, const char* what);
    void settle(State state);
    void drop(qsizetype lines);
    void batchWhileFar();

    PlatformServices& m_platform;
    SCom* m_com;
    QString m_linkKind;
    State m_state = State::NotConnected;
    int m_portNumber = 0;
    int m_retryCount = 0;
    bool m_checking = false;     // Verbindungscheck runs
    bool m_noAnswer = false;     // the instrument stayed silent, or answered the character 25
    bool m_notAvailable = false; // the character 25 came since the last check
    int m_lines = 0;
    int m_expectedLines = 0; // the count the instrument gave for the memory being read
    bool m_online = false;
    qint64 m_dropped = 0; // lines no exchange waited for, since the last report
};
