#include "core/Installation.h"

#include "core/DeviceInfo.h"

namespace {

// Well below the 255 bytes of a name, also in UTF-8 and with the suffixes added to it.
constexpr qsizetype MaxFolderName = 100;

} // namespace

InstallationNames NamesOf(const AppSettings& settings) {
    if (settings.BrandCode == QLatin1String("MR"))
        return {settings.BrandName, settings.BrandTitle};
    return {QStringLiteral("Tavelin"), ProfileForModel(settings.ModelCode).Title};
}

QString FolderName(const QString& name) {
    QString folder = name.trimmed().left(MaxFolderName);
    for (QChar& c : folder) {
        if (c == u'/' || c == u'\\' || c.category() == QChar::Other_Control)
            c = u'_';
    }
    for (QChar& c : folder) {
        if (c != u'.')
            break;
        c = u'_';
    }
    return folder.isEmpty() ? QStringLiteral("_") : folder;
}
