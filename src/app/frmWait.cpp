#include "app/frmWait.h"

#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

frmWait::frmWait(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmWait"));
    auto* layout = new QVBoxLayout(this);
    lblWait = new QLabel(this);
    lblWait->setObjectName(QStringLiteral("lblWait"));
    lblWait->setAlignment(Qt::AlignCenter);
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setTextVisible(false);
    layout->addWidget(lblWait);
    layout->addWidget(ProgressBar1);
    setMinimumWidth(320);
}
