#include "app/frmTransfer.h"

#include <QPushButton>
#include <QRadioButton>

namespace {

// The commands that could start a second operation while one runs; cmdStop, cmdConnect and the
// menus are deliberately not among them.
void SetCommandsEnabled(frmTransfer& w, bool enabled) {
    for (QWidget* control : std::initializer_list<QWidget*>{w.optFE,
                                                            w.optNFE,
                                                            w.optOnline,
                                                            w.cmdOpen,
                                                            w.cmdSave,
                                                            w.cmdprint,
                                                            w.cmdWord,
                                                            w.cmdClipboard,
                                                            w.cmdExcel,
                                                            w.cmdLesen,
                                                            w.cmdLesFE,
                                                            w.cmdLesNFE,
                                                            w.cmdEnde,
                                                            w.cmdWerte,
                                                            w.cmdProjekt,
                                                            w.cmdFlexTabelleloeschen,
                                                            w.cmdFlexZeileLoeschen,
                                                            w.cmdSort,
                                                            w.cmdChart,
                                                            w.cmdAbs,
                                                            w.cmdGross})
        control->setEnabled(enabled);
}

} // namespace

void frmTransfer::Block_Buttons() {
    SetCommandsEnabled(*this, false);
}

void frmTransfer::Unblock_Buttons() {
    SetCommandsEnabled(*this, true);
}
