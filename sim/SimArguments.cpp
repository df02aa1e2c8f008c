#include "SimArguments.h"

#include <limits>

namespace {

bool readInt(const QString& text, int minimum, int* value) {
    bool ok = false;
    const int parsed = text.toInt(&ok);
    if (!ok || parsed < minimum)
        return false;
    *value = parsed;
    return true;
}

} // namespace

std::optional<int> ParseDurationMs(const QString& text) {
    QString number = text.trimmed();
    int factor = 1;
    if (number.endsWith(QLatin1String("ms"))) {
        number.chop(2);
    } else if (number.endsWith(QLatin1Char('s'))) {
        number.chop(1);
        factor = 1000;
    }
    bool ok = false;
    const qint64 value = number.toLongLong(&ok);
    if (!ok || value < 0 || value * factor > std::numeric_limits<int>::max())
        return std::nullopt;
    return static_cast<int>(value * factor);
}

QString SimUsage() {
    return QStringLiteral(
        "transfer-sim --model CODE [options]\n"
        "Acts as a serial instrument on a pseudo-terminal until stopped; prints the device.\n"
        "  --model CODE          DP, CP, EL7, AS3, AS9, AS6 or BO2\n"
        "  --ports-folder DIR    create the link DIR/COM<n> to the device\n"
        "  --com N               the n of that link\n"
        "  --fe N, --nfe N       values in memory 1 and memory 2\n"
        "  --memory-number N     memory number a one-memory instrument reports\n"
        "  --online-every TIME   an online value this often, e.g. 2000ms or 2s; 0 only on request\n"
        "                        (default 2000ms, streaming instruments 500ms)\n"
        "  --mean X, --spread X  mean and standard deviation of the values\n"
        "  --unit TEXT           unit, e.g. mi\n"
        "  --ident TEXT          first line of the identification\n"
        "  --seed N              start of the random values\n"
        "  --bytes-per-second N  send at this pace, e.g. 3840 for 38400 baud\n"
        "  --utf8                send text as UTF-8\n"
        "  --silent              answer nothing\n"
        "  --not-available       answer every request with the character 25\n");
}

std::optional<SimCommandLine> ParseSimArguments(const QStringList& arguments, QString* error) {
    SimCommandLine result;
    std::optional<int> onlineEvery;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& option = arguments[i];
        auto fail = [&](const QString& what) {
            if (error)
                *error = what;
            return std::nullopt;
        };
        if (option == QLatin1String("--help") || option == QLatin1String("-h")) {
            result.Help = true;
            continue;
        }
        if (option == QLatin1String("--utf8")) {
            result.Options.Utf8 = true;
            continue;
        }
        if (option == QLatin1String("--silent")) {
            result.Options.Silent = true;
            continue;
        }
        if (option == QLatin1String("--not-available")) {
            result.Options.NotAvailable = true;
            continue;
        }
        if (i + 1 >= arguments.size())
            return fail(QStringLiteral("%1 needs a value").arg(option));
        const QString value = arguments[++i];
        const QString bad = QStringLiteral("%1: \"%2\" does not fit").arg(option, value);
        bool ok = true;
        if (option == QLatin1String("--model")) {
            result.ModelCode = value.trimmed();
        } else if (option == QLatin1String("--ports-folder")) {
            result.Options.PortsFolder = value;
        } else if (option == QLatin1String("--com")) {
            ok = readInt(value, 1, &result.Options.ComNumber);
        } else if (option == QLatin1String("--fe")) {
            ok = readInt(value, 0, &result.Options.FeCount);
        } else if (option == QLatin1String("--nfe")) {
            ok = readInt(value, 0, &result.Options.NfeCount);
        } else if (option == QLatin1String("--memory-number")) {
            ok = readInt(value, 0, &result.Options.MemoryNumber);
        } else if (option == QLatin1String("--online-every")) {
            onlineEvery = ParseDurationMs(value);
            ok = onlineEvery.has_value();
        } else if (option == QLatin1String("--mean")) {
            result.Options.Mean = value.toDouble(&ok);
        } else if (option == QLatin1String("--spread")) {
            result.Options.Spread = value.toDouble(&ok);
            ok = ok && *result.Options.Spread >= 0;
        } else if (option == QLatin1String("--unit")) {
            result.Options.Unit = value;
        } else if (option == QLatin1String("--ident")) {
            result.Options.IdentLine = value;
        } else if (option == QLatin1String("--bytes-per-second")) {
            ok = readInt(value, 0, &result.Options.BytesPerSecond);
        } else if (option == QLatin1String("--seed")) {
            result.Options.Seed = value.toUInt(&ok);
        } else {
            return fail(QStringLiteral("unknown option %1").arg(option));
        }
        if (!ok)
            return fail(bad);
    }
    if (result.Help)
        return result;
    if (result.ModelCode.isEmpty()) {
        if (error)
            *error = QStringLiteral("--model is missing");
        return std::nullopt;
    }
    const std::optional<SimModel> model = SimModelFor(result.ModelCode);
    if (!model) {
        if (error)
            *error = QStringLiteral("no serial instrument has the model code \"%1\"")
                         .arg(result.ModelCode);
        return std::nullopt;
    }
    const bool streaming = model->Device.OnlineMode == QLatin1String("V");
    result.Options.OnlineEveryMs = onlineEvery.value_or(streaming ? 500 : 2000);
    return result;
}
