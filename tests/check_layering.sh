#!/bin/sh
# The layers, checked on the sources: nothing below the main window includes it, no widget below
# the session, and the Bluetooth LE exchange stays inside its link. Prints each breach.
cd "$(dirname "$0")/.." || exit 2
found=$(
    grep -rl '"app/' src | grep -vE '^src/(app/|main\.cpp)'
    grep -rlE '#include <(QWidget|QDialog|QMainWindow|QPushButton|QLabel|QLineEdit|QComboBox|QTableWidget|QListWidget|QRadioButton|QMessageBox|QApplication|QChartView|QtWidgets)' \
        src/core src/link src/session src/platform
    grep -rn BleExchange src | grep -v '^src/link/ble/'
)
[ -z "$found" ] && exit 0
echo "$found"
exit 1
