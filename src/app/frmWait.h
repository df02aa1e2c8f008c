#pragma once

#include <QDialog>

class QLabel;
class QProgressBar;

// The small window that shows progress while the ports are scanned.
class frmWait : public QDialog {
    Q_OBJECT
public:
    explicit frmWait(QWidget* parent = nullptr);

    QProgressBar* ProgressBar1 = nullptr;
    QLabel* lblWait = nullptr;
};
