#include "InstrumentModel.h"

#include "core/InstrumentText.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

const QString Micrometre = QString::fromUtf8("µm");

bool isCoatingUnit(const QString& unit) {
    const QString trimmed = unit.trimmed();
    return trimmed == Micrometre || trimmed == QLatin1String("mi") ||
           trimmed == QLatin1String("mm");
}

double normal(QRandomGenerator& random) {
    // Box-Muller; 1 - u keeps the logarithm's argument above 0.
    const double u = 1.0 - random.generateDouble();
    const double v = random.generateDouble();
    return std::sqrt(-2.0 * std::log(u)) * std::cos(2.0 * std::numbers::pi * v);
}

QString markerFor(const SimModel& model, int memory, QRandomGenerator& random) {
    const QString source = model.Device.MarkerSource;
    if (source == QLatin1String("1")) {
        const bool twoFe = model.IdentLine.startsWith(QLatin1String("FE"));
        return memory == 2 && !twoFe ? QStringLiteral("NFe") : QStringLiteral(" Fe");
    }
    if (source == QLatin1String("2"))
        return random.bounded(4) == 0 ? QStringLiteral("NFe") : QStringLiteral(" Fe");
    return QStringLiteral("   ");
}

} // namespace

std::optional<SimModel> SimModelFor(const QString& modelCode) {
    SimModel model;
    model.Device.ModelCode = modelCode.trimmed();
    FillCapabilities(model.Device, model.Device.ModelCode);
    const QString link = model.Device.LinkKind;
    if (link != QLatin1String("B") && link != QLatin1String("K"))
        return std::nullopt;

    const QString code = model.Device.ModelCode.left(3);
    model.Version = QStringLiteral("4.21");
    if (code == QLatin1String("DP")) {
        model.IdentLine = QStringLiteral("FN-B DELTA-PRO V3.20");
        model.Probe = QStringLiteral("FN5");
        model.Unit = Micrometre;
        model.Mean = 85;
        model.Spread = 4;
    } else if (code == QLatin1String("CP")) {
        model.IdentLine = QStringLiteral("CP-2 CIRRUS-PRO V2.05");
        model.Probe = QStringLiteral("FN1.5");
        model.Unit = Micrometre;
        model.Mean = 120;
        model.Spread = 6;
    } else if (code == QLatin1String("EL7")) {
        model.IdentLine = QStringLiteral("EL-7 ELAN-7 V1.12");
        model.Probe = QStringLiteral("R7");
        model.Unit = Micrometre;
        model.Mean = 3.2;
        model.Spread = 0.15;
    } else if (code == QLatin1String("BO2")) {
        model.IdentLine = QStringLiteral("BO-2 BOREL-2 V1.03");
        model.Probe = QStringLiteral("B2");
        model.Unit = QStringLiteral("kA/m");
        model.Mean = 1.25;
        model.Spread = 0.2;
        model.Signed = true;
    } else {
        model.IdentLine = QStringLiteral("%1-%2 ASTER V2.40").arg(code.left(2), code.mid(2, 1));
        model.Probe = QStringLiteral("H3");
        model.Unit = QStringLiteral("G ");
        model.Mean = 12.5;
        model.Spread = 6;
        model.Signed = true;
    }
    const QString layout = model.Device.MemoryLayout.trimmed();
    model.MemoryCount = layout == QLatin1String("X") ? 0 : layout.startsWith('2') ? 2 : 1;
    return model;
}

QString SimValueText(double value, const QString& unit, const QString& decimalsMode) {
    int decimals = decimalsMode == QLatin1String("3") ? 3 : 2;
    if (decimalsMode != QLatin1String("3") && isCoatingUnit(unit) &&
        unit.trimmed() != QLatin1String("mi")) {
        const double size = std::abs(value);
        decimals = size < 10 ? 2 : size < 100 ? 1 : 0;
    }
    return QString::number(value, 'f', decimals);
}

QString SimMeasurementLine(const SimReading& reading, const QString& decimalsMode) {
    QString line = QStringLiteral("%1  %2 %3 %4")
                       .arg(reading.Number % 10000, 4)
                       .arg(SimValueText(reading.Value, reading.Unit, decimalsMode), 10)
                       .arg(reading.Unit.left(4), -4)
                       .arg(reading.Marker.left(3), 3);
    if (!reading.Stamp.isNull())
        line += QLatin1Char(' ') + reading.Stamp.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    return line;
}

QList<SimReading> SimReadings(const SimModel& model, int memory, int count,
                              QRandomGenerator& random, const QDateTime& stampStart) {
    QList<SimReading> readings;
    const bool stamped = model.Device.StampSource == QLatin1String("-");
    for (int i = 0; i < count; ++i) {
        double value = model.Mean + model.Spread * normal(random);
        if (!model.Signed)
            value = std::max(0.0, value);
        value = std::clamp(value, -99999.0, 99999.0);
        SimReading reading;
        reading.Number = i + 1;
        reading.Value = value;
        reading.Unit = model.Unit;
        reading.Marker = markerFor(model, memory, random);
        if (stamped)
            reading.Stamp = stampStart.addSecs(7LL * i);
        readings.append(reading);
    }
    return readings;
}

QString SimIdentification(const SimModel& model, int feCount, int nfeCount, int memoryNumber) {
    const QString end = QStringLiteral("\r\n");
    QString text = model.IdentLine + end;
    text += QStringLiteral("VD Firmware version:") + model.Version + end;
    if (model.MemoryCount == 2) {
        text += QStringLiteral("M1:%1").arg(feCount) + end;
        text += QStringLiteral("M2:%1").arg(nfeCount) + end;
    } else if (model.MemoryCount == 1) {
        text += QStringLiteral("M%1:%2").arg(memoryNumber).arg(feCount) + end;
    }
    text += QStringLiteral("AD Adjustment date:2026-11-02") + end;
    text += QStringLiteral("PT Probe type:") + model.Probe + end;
    text += QStringLiteral("VP Probe version:1.07") + end;
    return text;
}

QString SimDownload(int memory, const QStringList& lines) {
    const QString end = QStringLiteral("\r\n");
    QString text = QString(QChar(StartOfText)) + end;
    text += QStringLiteral("    Memory %1   n = %2").arg(memory).arg(lines.size()) + end;
    for (const QString& line : lines)
        text += line + end;
    text += QStringLiteral("    End of memory %1").arg(memory) + end;
    return text + QChar(EndOfTransmission);
}
