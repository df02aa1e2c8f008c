#pragma once

class frmTransfer;

// Presses the main window's connect button of an LE instrument and, in the connect window that
// opens, scans, picks the one instrument listed and connects, as a user does.
void ConnectThroughBleWindow(frmTransfer& window);
