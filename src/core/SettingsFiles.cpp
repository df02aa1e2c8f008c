#include "core/SettingsFiles.h"

#include "core/AcceptanceRules.h"
#include "core/Descriptions.h"
#include "core/SettingsIo.h"
#include "core/SettingsValues.h"

#include <QDir>
#include <QStringList>
#include <algorithm>
#include <cmath>

namespace {

QString FilePath(const QString& folder, const QString& fileName) {
    return QDir(folder).filePath(fileName);
}

// The fields of a line that are each closed by ";", at most count of them, and what follows the
// last one taken.
struct ClosedFields {
    QStringList fields;
    QString rest;
};

ClosedFields SplitClosedFields(const QString& line, int count) {
    ClosedFields result;
    qsizetype start = 0;
    while (result.fields.size() < count) {
        const qsizetype end = line.indexOf(u';', start);
        if (end < 0)
            break;
        result.fields.append(line.mid(start, end - start));
        start = end + 1;
    }
    result.rest = line.mid(start);
    return result;
}

SettingsOutcome TooFewSemicolons(const QString& line, int needed) {
    return SettingsOutcome::Failure(
        Described("line \"%1\" has fewer than %2 ';'").arg(line, QString::number(needed)));
}

SettingsOutcome NotANumber(const QString& text) {
    return SettingsOutcome::Failure(Described("\"%1\" is not a number").arg(text));
}

SettingsOutcome NotABoolean(const QString& text) {
    return SettingsOutcome::Failure(
        Described("\"%1\" is neither a number nor True or False").arg(text));
}

// The line's leading digits as a number written back as text; "0" when it starts with no digit.
QString LeadingNumberText(const QString& line) {
    qsizetype digits = 0;
    while (digits < line.size() && line.at(digits).isDigit() && line.at(digits).unicode() < 128)
        ++digits;
    qsizetype zeros = 0;
    while (zeros < digits && line.at(zeros) == u'0')
        ++zeros;
    return zeros == digits ? QStringLiteral("0") : line.mid(zeros, digits - zeros);
}

} // namespace

SettingsOutcome ReadKonfi(const QString& programFolder, AppSettings& settings) {
    QStringList lines;
    const SettingsOutcome read = ReadSettingsLines(
        FilePath(programFolder, QStringLiteral("Konfi.ini")), std::nullopt, lines);
    if (!read.ok)
        return read;
    const std::array<QString*, 3> brand = {&settings.BrandCode, &settings.BrandName,
                                           &settings.BrandTitle};
    bool firstLine = true;
    for (const QString& rawLine : lines) {
        const QString line = rawLine.trimmed();
        if (firstLine) {
            if (!line.isEmpty())
                settings.ModelCode = line;
            firstLine = false;
            continue;
        }
        // A lone "#" holds a place; a longer line starting with "#" is a brand line like any other.
        if (line.isEmpty() || line == u"#")
            continue;
        const ClosedFields split = SplitClosedFields(line, 3);
        for (qsizetype i = 0; i < split.fields.size(); ++i)
            *brand[i] = split.fields[i];
        if (split.fields.size() < 3)
            return TooFewSemicolons(line, 3);
    }
    return SettingsOutcome::Success();
}

PortReading ReadPort(const QString& folder, AppSettings& settings) {
    PortReading result;
    QStringList lines;
    result.outcome =
        ReadSettingsLines(FilePath(folder, QStringLiteral("Port.ini")), QStringList{}, lines);
    for (const QString& rawLine : lines) {
        const QString line = rawLine.trimmed();
        if (line.isEmpty()) {
            result.askForPort = true;
            continue;
        }
        settings.COMPortNummer = LeadingNumberText(line);
        result.comboText = QStringLiteral("COM") + line;
    }
    return result;
}

SettingsOutcome WritePort(const QString& folder, const AppSettings& settings) {
    return WriteSettingsLines(FilePath(folder, QStringLiteral("Port.ini")),
                              {settings.COMPortNummer.trimmed()});
}

SettingsOutcome ReadLimits(const QString& folder, Limits& limits) {
    QStringList lines;
    const SettingsOutcome read =
        ReadSettingsLines(FilePath(folder, QStringLiteral("Limit.ini")), QStringList{}, lines);
    if (!read.ok)
        return read;
    const std::array<double*, 3> values = {&limits.MinLimit, &limits.MaxLimit, &limits.TargetValue};
    // LimitTexts runs maximum, minimum, target.
    constexpr std::array<int, 3> textSlots = {1, 0, 2};
    for (const QString& rawLine : lines) {
        const QString line = rawLine.trimmed();
        if (line.isEmpty())
            continue;
        const ClosedFields split = SplitClosedFields(line, 3);
        for (int i = 0; i < 3; ++i) {
            if (i >= split.fields.size())
                return TooFewSemicolons(line, 3);
            const std::optional<double> value = RegionalNumber(split.fields[i]);
            if (!value)
                return NotANumber(split.fields[i]);
            *values[i] = *value;
            limits.LimitTexts[textSlots[i]] = RegionalNumberText(*value);
        }
        const qsizetype flagEnd = split.rest.indexOf(u';');
        if (flagEnd < 0) {
            ChooseRule(limits, AcceptanceRule::None);
            continue;
        }
        const QString flagText = split.rest.left(flagEnd);
        const std::optional<bool> flag = RegionalBoolean(flagText);
        if (!flag)
            return NotABoolean(flagText);
        // The fifth field names the rule; a file without it, or from a later version with a rule
        // this one does not know, keeps the meaning of the fourth.
        const std::optional<AcceptanceRule> rule =
            RuleFromCode(split.rest.mid(flagEnd + 1).section(u';', 0, 0));
        ChooseRule(limits, rule.value_or(*flag ? AcceptanceRule::Iso8020 : AcceptanceRule::None));
    }
    return SettingsOutcome::Success();
}

SettingsOutcome WriteLimits(const QString& folder, const Limits& limits) {
    QString line =
        RegionalNumberText(limits.MinLimit) + u';' + RegionalNumberText(limits.MaxLimit) + u';' +
        RegionalNumberText(limits.TargetValue) + u';' + (limits.Rule8020 ? u'1' : u'0') + u';';
    // Only a rule the fourth field cannot say gets a fifth: older versions read four.
    const QString rule = RuleCode(ChosenRule(limits));
    if (!rule.isEmpty())
        line += rule + u';';
    return WriteSettingsLines(FilePath(folder, QStringLiteral("Limit.ini")), {line});
}

SettingsOutcome ReadKeyEvents(const QString& folder, AppSettings& settings) {
    QStringList lines;
    const SettingsOutcome read =
        ReadSettingsLines(FilePath(folder, QStringLiteral("Tastatur.ini")), QStringList{}, lines);
    if (!read.ok)
        return read;
    for (const QString& rawLine : lines) {
        const QString line = rawLine.trimmed();
        if (line.isEmpty())
            continue;
        const ClosedFields split = SplitClosedFields(line, 3);
        if (split.fields.isEmpty())
            return TooFewSemicolons(line, 3);
        const std::optional<bool> enabled = RegionalBoolean(split.fields[0]);
        if (!enabled)
            return NotABoolean(split.fields[0]);
        settings.KeyEventsEnabled = *enabled;
        if (split.fields.size() < 2)
            return TooFewSemicolons(line, 3);
        settings.KeyEventApp = split.fields[1];
        if (split.fields.size() < 3)
            return TooFewSemicolons(line, 3);
        settings.KeyEventFields = split.fields[2];
        // The line end is everything after the third ";", further ";" included.
        settings.KeyEventLineEnd = split.rest;
    }
    if (settings.KeyEventFields.isEmpty())
        settings.KeyEventFields = QStringLiteral("0000");
    return SettingsOutcome::Success();
}

SettingsOutcome WriteKeyEvents(const QString& folder, const AppSettings& settings) {
    const QString line = (settings.KeyEventsEnabled ? QStringLiteral("1") : QStringLiteral("0")) +
                         u';' + settings.KeyEventApp + u';' + settings.KeyEventFields + u';' +
                         settings.KeyEventLineEnd;
    return WriteSettingsLines(FilePath(folder, QStringLiteral("Tastatur.ini")), {line});
}

SettingsOutcome ReadLanguage(const QString& folder, AppSettings& settings) {
    QStringList lines;
    const SettingsOutcome read = ReadSettingsLines(FilePath(folder, QStringLiteral("Language.ini")),
                                                   QStringList{QStringLiteral("0")}, lines);
    if (!read.ok)
        return read;
    const QString line = lines.isEmpty() ? QString() : lines.first().trimmed();
    if (line.isEmpty()) {
        settings.LanguageIndex = 0;
        return SettingsOutcome::Success();
    }
    const std::optional<double> value = RegionalNumber(line);
    if (!value)
        return NotANumber(line);
    // Only 0 (German) and 1 (English) exist; clamping first also keeps huge values off qint16.
    settings.LanguageIndex = static_cast<qint16>(std::clamp(std::floor(*value), 0.0, 1.0));
    return SettingsOutcome::Success();
}

SettingsOutcome WriteLanguage(const QString& folder, const AppSettings& settings) {
    return WriteSettingsLines(FilePath(folder, QStringLiteral("Language.ini")),
                              {QString::number(settings.LanguageIndex)});
}

ProjectLabelsReading ReadProjectLabels(const QString& messDataFolder, AppSettings& settings) {
    ProjectLabelsReading result;
    QStringList lines;
    result.outcome = ReadSettingsLines(FilePath(messDataFolder, QStringLiteral("Projekt.ini")),
                                       QStringList{}, lines);
    // German captions stand before the first ";", English ones between the first and the second.
    const int fieldsNeeded = settings.LanguageIndex == 0 ? 1 : 2;
    for (const QString& line : lines) {
        if (result.labelsGiven == static_cast<int>(settings.ProjectFieldLabels.size()))
            break;
        // Comments are recognised on the untrimmed line.
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        const ClosedFields split = SplitClosedFields(line, fieldsNeeded);
        if (split.fields.size() < fieldsNeeded) {
            result.outcome = TooFewSemicolons(line, fieldsNeeded);
            break;
        }
        settings.ProjectFieldLabels[result.labelsGiven] = split.fields.last();
        ++result.labelsGiven;
    }
    return result;
}

ProjectDataReading ReadProjectData(const QString& folder, const QDateTime& now) {
    ProjectDataReading result;
    QStringList lines;
    result.outcome = ReadSettingsLines(FilePath(folder, QStringLiteral("Projektdaten.ini")),
                                       QStringList{}, lines);
    for (qsizetype index = 0; index < lines.size(); ++index) {
        const QString line = lines[index].trimmed();
        if (!line.isEmpty() && index < static_cast<qsizetype>(result.fields.size()))
            result.fields[index] = line.left(30);
        // Independently of the field texts, so a "DT" line among lines 1-6 also gives the date.
        if (line.startsWith(QStringLiteral("DT"))) {
            const std::optional<QDateTime> date = ParseProjectDate(line.mid(3));
            result.date = date ? *date : now;
        }
    }
    return result;
}

SettingsOutcome WriteProjectData(const QString& folder, const std::array<QString, 6>& fields,
                                 const QDateTime& date) {
    QStringList lines(fields.begin(), fields.end());
    lines.append(QStringLiteral("DT ") + ProjectDateText(date));
    return WriteSettingsLines(FilePath(folder, QStringLiteral("Projektdaten.ini")), lines);
}
