#pragma once

#include <QDialog>
#include <QElapsedTimer>
#include <functional>

class BleExchange;
class PlatformServices;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;
class TextTable;

// What the clock dialog needs of the main window.
struct TimeContext {
    BleExchange& Exchange;
    PlatformServices& Platform;
    const TextTable& Texts;
    std::function<int()> LanguageIndex;
    std::function<QString()> TitleAndVersion;
};

// The LE instrument's clock as it runs, and one button that sets it to the PC's clock. Online
// notifications are off while it is open and on again when it closes, whichever way.
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
    void poll();
    void stopReading();

    TimeContext m_context;
    QTimer* m_poll = nullptr;
    bool m_asked = false; // a clock request is on its way
    QElapsedTimer m_askedAt;
};
