#pragma once

#include "link/ble/BleOutcome.h"

#include <QDialog>
#include <functional>

class PlatformServices;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;
class TextTable;

// What the clock dialog needs of the main window and the link.
struct TimeContext {
    // Starts a request as an exchange of the link; false when refused.
    std::function<bool(ClockRequest)> Request;
    // The end of the last request.
    std::function<ClockReply()> Reply;
    // An exchange runs on the link: the dialog's own request, or any other.
    std::function<bool()> Busy;
    PlatformServices& Platform;
    const TextTable& Texts;
    std::function<int()> LanguageIndex;
    std::function<QString()> TitleAndVersion;
};

// The LE instrument's clock as it runs, and one button that sets it to the PC's clock. Online
// notifications are off while it is open and on again when it closes, whichever way. Every step
// runs from a timer and starts one request of the link; while any exchange runs, the step waits
// for the next tick, so the dialog never sends into another exchange and never waits inside one.
class frmTime : public QDialog {
    Q_OBJECT
public:
    // The clock is asked for this often; the instrument would answer faster.
    static constexpr int PollEveryMs = 250;

    explicit frmTime(TimeContext context, QWidget* parent = nullptr);

    void cmdAkt_Click();
    bool reading() const;

    QLineEdit* txtDateTime = nullptr;
    QLabel* lblDatelog = nullptr;
    QPushButton* cmdAkt = nullptr;
    QGroupBox* Frame1 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Activate();
    enum class Step { Idle, Suspend, Read, Set, Resume };
    void poll();
    void replied(Step asked, const ClockReply& reply);
    void stepOnTimer(Step step);

    TimeContext m_context;
    QTimer* m_poll = nullptr;
    Step m_step = Step::Idle;      // what the dialog asks next once the link is free
    Step m_askedStep = Step::Idle; // what it asked last
    bool m_asked = false;          // and whose end it has not taken yet
};
