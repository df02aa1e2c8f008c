#pragma once

#include <QByteArray>
#include <QFile>
#include <QLocale>
#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// A fresh settings folder per test and the regional settings restored afterwards.
class SettingsTestFolder : public ::testing::Test {
protected:
    void TearDown() override { QLocale::setDefault(m_savedLocale); }

    static void UseGerman() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }
    static void UseEnglish() {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    }

    QString folder() const { return m_dir.path(); }
    QString path(const QString& fileName) const { return m_dir.filePath(fileName); }

    void writeFile(const QString& fileName, const QByteArray& bytes) const {
        QFile file(path(fileName));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QByteArray fileBytes(const QString& fileName) const {
        QFile file(path(fileName));
        if (!file.open(QIODevice::ReadOnly))
            return "<missing>";
        return file.readAll();
    }

private:
    QTemporaryDir m_dir;
    QLocale m_savedLocale;
};
