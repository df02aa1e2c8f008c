#pragma once

#include "session/KeyEvents.h"

#include <QDialog>
#include <functional>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class TextTable;

// What the key-event dialog needs beyond forwarding's own context.
struct TastaturContext {
    KeyEventContext KeyEvents;
    const TextTable& Texts;
    std::function<void(const QString&)> Voreinstellungen; // "TS" writes Tastatur.ini
};

// Sets up key-event forwarding: on or off, the target application, the items sent with each
// value and the line end. Created once and kept for the run; shown without blocking.
class frmTastatur : public QDialog {
    Q_OBJECT
public:
    explicit frmTastatur(TastaturContext context, QWidget* parent = nullptr);

    void Form_Activate();
    void txtAnwendung_Click();
    void cmdOk_Click();

    QGroupBox* frmFunktion = nullptr;
    QLabel* lblTE = nullptr;
    QCheckBox* chkTastatur = nullptr;
    QLabel* lblAnwendung = nullptr;
    QLineEdit* txtAnwendung = nullptr;
    QLabel* lblWayland = nullptr; // where the values go on a Wayland desktop
    QGroupBox* frmInklusive = nullptr;
    QCheckBox* chkNr = nullptr;
    QCheckBox* chkDatum = nullptr;
    QCheckBox* chkEinheit = nullptr;
    QCheckBox* chkMaterial = nullptr;
    QGroupBox* frmZeilenEnde = nullptr;
    QRadioButton* optEnter = nullptr;
    QRadioButton* optKeins = nullptr;
    QPushButton* cmdOk = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();

    TastaturContext m_context;
};
