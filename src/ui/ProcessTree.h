#pragma once

#include <QList>

// Processes of this machine, by process id.
bool ProcessRunning(qint64 pid);
// The process and every process below it: a launcher script or a splash program often leaves
// the window to a child.
QList<qint64> ProcessAndDescendants(qint64 pid);
