#pragma once

#include <QString>
#include <QTranslator>

// Descriptions that the program writes below its windows, where no language is known: a failed
// file, a folder that cannot be made, a system's reason. They are written in English through Qt's
// translation, so that the German catalogue installed with the language gives them in German.
QString Described(const char* english);

// The German catalogue of those descriptions.
class GermanDescriptions : public QTranslator {
public:
    using QTranslator::QTranslator;
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* sourceText, const char* disambiguation,
                      int n) const override;
};

// Why writing `path` failed, in words a user acts on: out of space, read-only, no permission.
// `error` is errno taken at the failure; where it names no such cause (a short write leaves it
// unset), the file system holding the path is asked. Empty when neither tells.
QString WriteFailureReason(const QString& path, int error);
