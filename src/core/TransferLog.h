#pragma once

#include <QString>

// The plain-text transfer log of the current run. Every line is on disk when WriteLog returns;
// file errors are ignored, logging never stops the program.
class TransferLog {
public:
    void setPath(const QString& path) { m_path = path; }
    const QString& path() const { return m_path; }

    void DeleteLog() const;
    void WriteLog(const QString& logtext) const;

private:
    QString m_path;
};
