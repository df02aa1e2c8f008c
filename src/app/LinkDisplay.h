#pragma once

#include "link/InstrumentLink.h"
#include "session/AppState.h"

#include <QObject>
#include <optional>

class QComboBox;
class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;
enum class BleLinkView;

// The connection controls of the main window.
struct LinkControls {
    QGroupBox* Frame2;
    QComboBox* ComboPort;
    QPushButton* cmdConnect;
    QLabel* txtWait;
    QLabel* picUsb;
    QLabel* picBth;
    QLabel* picBthBlitz;
};

// The one place that writes the connection controls: the port list, the connect button, the
// status text, the link pictures and the progress of a running exchange with its cancel button.
class LinkDisplay : public QObject {
    Q_OBJECT
public:
    LinkDisplay(const LinkControls& controls, const AppState& state, QObject* parent = nullptr);

    void startUp(bool lowEnergy);
    void retranslate(bool connected);
    void showChoices(const QStringList& choices);
    // Ports plugged in or out while the program runs: new ones join the list in the order of
    // their numbers, gone ones leave it, except the one chosen; the text shown stays.
    void updateChoices(const QStringList& choices);
    // The port of the last run, or no port chosen: then nothing is selected and the user is asked.
    void showSavedPort(const std::optional<QString>& comboText, bool askForPort);
    void ComboPort_Change();
    void showState(InstrumentLink::State state);
    void showReason(const QString& reason);
    void showReady();
    void showUnplugged();
    // A Bluetooth LE link that was lost, reported gone or came back on its own.
    void showLowEnergy(BleLinkView view);
    // A wait that only Esc (or the cancel button) ends; expected > 0 shows the values received
    // so far against that count.
    void showWaiting(int expected);
    void showProgress(int lines);
    // A wait that ended on a checked link, however it ended, leaves the label saying so.
    void endWaiting(bool connected);

    QProgressBar* prgDownload = nullptr;
    QPushButton* cmdAbbrechen = nullptr;

signals:
    void cancelClicked();

private:
    QString say(const char* german, const char* english) const;
    void showPictures(bool visible);

    LinkControls m_c;
    const AppState& m_state;
};
