#pragma once

#include "core/LimitRules.h"

#include <QDialog>

class frmTransfer;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The limits dialog: minimum, maximum, target and the acceptance rule (80/20, 90/10, SSPC-PA 2,
// at most one ticked). An accepted entry is in force at once; the save button has the main window
// store the limits.
class frmWerte : public QDialog {
    Q_OBJECT
public:
    explicit frmWerte(frmTransfer& main);

    void Form_Activate();
    // False when the entry was refused; the focus then stays in the box.
    bool validate(LimitField field);
    void chk8020_Click();
    // A rule's box other than 80/20 clicked: its rule chosen, or none when unticked.
    void ruleClicked(AcceptanceRule rule);
    void Check8020();
    void cmdLoeschen_Click();
    void cmdSpeichern_Click();
    void cmdInfo_Click();

    QGroupBox* Frame1 = nullptr;
    QLabel* lblMin = nullptr;
    QLabel* lblMax = nullptr;
    QLabel* lblSoll = nullptr;
    QLineEdit* txtMinLimit = nullptr;
    QLineEdit* txtMaxLimit = nullptr;
    QLineEdit* txtSoll = nullptr;
    QCheckBox* chk8020 = nullptr;
    QCheckBox* chk9010 = nullptr;
    QCheckBox* chkSspc = nullptr;
    QPushButton* cmdSpeichern = nullptr;
    QPushButton* cmdLoeschen = nullptr;
    QPushButton* cmdInfo = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* box(LimitField field) const;
    // Checks an entry once per change, however the box was left (Tab, Enter, a click, Save).
    bool validateChanged(LimitField field);
    void markChecked();
    void showMessages(const QStringList& messages);
    void applyCaptions();
    // Ticks the box of the chosen rule alone.
    void showRule();

    frmTransfer& m_main;
    // The text of each box when it was last checked or shown, and whether it was refused:
    // Max, Min, Target.
    QString m_checked[3];
    bool m_refused[3] = {false, false, false};
};
