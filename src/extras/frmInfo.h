#pragma once

#include "core/DeviceInfo.h"

#include <QDialog>
#include <functional>

class QLabel;
class QLineEdit;
class TextTable;

// What the information dialog needs of the main window.
struct InfoContext {
    const DeviceInfo& Device;
    const TextTable& Texts;
    std::function<int()> LanguageIndex;
    std::function<QString()> ModelTitle;
    std::function<QString()> TitleAndVersion; // "Delta-Pro DIVEDADE V4.05"
};

// The menu shows the dialog once an instrument was identified or a link is up; before that only
// a box with the title and version.
bool InfoShowsDialog(const DeviceInfo& device, bool linkConnected);

// What the last identification reported about the instrument and its probe. It only displays,
// and reads the values each time it is shown; the captions also when the language changes while
// it is open.
class frmInfo : public QDialog {
    Q_OBJECT
public:
    explicit frmInfo(InfoContext context, QWidget* parent = nullptr);

    void Form_Activate();
    void ApplyCaptions();

    QLabel* lblGeraet = nullptr;
    QLabel* lblGeraetSoft = nullptr;
    QLabel* lblPCSoft = nullptr;
    QLabel* lblMacAdr = nullptr;
    QLabel* lblSondenversion = nullptr;
    QLabel* lblSondentyp = nullptr;
    QLineEdit* txtGeraet = nullptr;
    QLineEdit* txtGeraeteSoft = nullptr;
    QLineEdit* txtPCSoft = nullptr;
    QLineEdit* txtMacAdr = nullptr;
    QLineEdit* txtSondenversion = nullptr;
    QLineEdit* txtSondentyp = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    InfoContext m_context;
};
