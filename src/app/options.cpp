#include "app/options.h"

#include <algorithm>
#include <functional>

#include "app/pace.h"

#ifndef QTR5_VERSION
#define QTR5_VERSION "unknown"
#endif

namespace {

constexpr int kSliderMax = 4096;
constexpr int kMaxQuitAfterMs = 86400000;  // a day

// A whole decimal number from min to max; else why not, naming the option.
bool WholeNumber(const QString& option, const QString& value, int min, int max, int& out,
                 QString& error) {
    const QString range = QStringLiteral(" (%1 to %2)").arg(min).arg(max);
    const bool digits = !value.isEmpty() && std::all_of(value.begin(), value.end(), [](QChar c) {
        return c >= QLatin1Char('0') && c <= QLatin1Char('9');
    });
    if (!digits) {
        error = QStringLiteral("--%1 takes a whole number%2, not '%3'")
                    .arg(option, range, value.left(40));
        return false;
    }
    bool ok = false;
    const qlonglong n = value.size() > 12 ? -1 : value.toLongLong(&ok);
    if (!ok || n < min || n > max) {
        error = QStringLiteral("--%1 %2 is out of range%3").arg(option, value.left(40), range);
        return false;
    }
    out = static_cast<int>(n);
    return true;
}

struct OptionRow {
    const char* name;
    const char* valueName;  // nullptr: a switch without a value
    const char* help;
    std::function<bool(WindowOptions&, const QString& value, QString& error)> apply;
};

// One row an option: later options slot in here.
const std::vector<OptionRow>& Rows() {
    static const std::vector<OptionRow> rows = {
        {"pace", "N", "passes per second: 1, 2, 5, 10, 20, 50, or 0 for unpaced (10)",
         [](WindowOptions& o, const QString& v, QString& e) {
             int pace = 0;
             if (!WholeNumber(QStringLiteral("pace"), v, 0, 50, pace, e) ||
                 std::find(kPaces.begin(), kPaces.end(), pace) == kPaces.end()) {
                 e = QStringLiteral("--pace takes 1, 2, 5, 10, 20, 50 or 0, not '%1'")
                         .arg(v.left(40));
                 return false;
             }
             o.pace = pace;
             return true;
         }},
        {"on", nullptr, "press ON at start",
         [](WindowOptions& o, const QString&, QString&) { return o.powerOn = true; }},
        {"altitude", "N", "altitude slider position, 0 to 4096",
         [](WindowOptions& o, const QString& v, QString& e) {
             return WholeNumber(QStringLiteral("altitude"), v, 0, kSliderMax, o.altitude, e);
         }},
        {"airspeed", "N", "airspeed slider position, 0 to 4096",
         [](WindowOptions& o, const QString& v, QString& e) {
             return WholeNumber(QStringLiteral("airspeed"), v, 0, kSliderMax, o.airspeed, e);
         }},
        {"quit-after", "MS", "close after MS milliseconds and print the measured passes/s",
         [](WindowOptions& o, const QString& v, QString& e) {
             return WholeNumber(QStringLiteral("quit-after"), v, 0, kMaxQuitAfterMs, o.quitAfterMs,
                                e);
         }},
        {"screenshot", "FILE",
         "save the window as an image on closing (with --quit-after, default 3000 ms)",
         [](WindowOptions& o, const QString& v, QString& e) {
             if (v.isEmpty()) {
                 e = QStringLiteral("--screenshot needs a file name");
                 return false;
             }
             o.screenshot = v;
             return true;
         }},
    };
    return rows;
}

QString Usage() { return QStringLiteral("usage: qtr5 [OPTION]...\n"); }

QString Help() {
    QString s = Usage() + QStringLiteral("The QTR-5 simulator window.\n\nOptions:\n");
    const auto line = [&s](const QString& left, const QString& help) {
        s += QStringLiteral("  %1  %2\n").arg(left.leftJustified(20), help);
    };
    for (const OptionRow& row : Rows())
        line(QStringLiteral("--") + QLatin1String(row.name) +
                 (row.valueName ? QStringLiteral(" ") + QLatin1String(row.valueName) : QString()),
             QLatin1String(row.help));
    line(QStringLiteral("-platform NAME"), QStringLiteral("Qt's platform, e.g. offscreen"));
    line(QStringLiteral("--help"), QStringLiteral("this text"));
    line(QStringLiteral("--version"), QStringLiteral("the program's version"));
    return s + QStringLiteral(
                   "\nExit status: 0 closed normally; 1 an error ended it; 2 a bad "
                   "command line or no display.\n");
}

ParsedCommandLine Refuse(const QString& why) {
    ParsedCommandLine p;
    p.status = 2;
    p.err = QStringLiteral("qtr5: ") + why + QStringLiteral("\n") + Usage() +
            QStringLiteral("qtr5 --help tells more.\n");
    return p;
}

}  // namespace

ParsedCommandLine ParseWindowOptions(const QStringList& args) {
    ParsedCommandLine p;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            p.out = Help();
            return p;
        }
        if (a == QLatin1String("--version")) {
            p.out = QStringLiteral("qtr5 " QTR5_VERSION "\n");
            return p;
        }
        if (a == QLatin1String("-platform")) {
            if (i + 1 == args.size()) return Refuse(QStringLiteral("-platform needs a NAME"));
            p.options.platform = args[++i];
            continue;
        }
        if (!a.startsWith(QLatin1String("--")))
            return Refuse(QStringLiteral("unexpected argument '%1'").arg(a.left(40)));
        const qsizetype eq = a.indexOf(QLatin1Char('='));
        const QString name = a.mid(2, eq < 0 ? -1 : eq - 2);
        const auto row = std::find_if(Rows().begin(), Rows().end(), [&name](const OptionRow& r) {
            return name == QLatin1String(r.name);
        });
        if (row == Rows().end())
            return Refuse(QStringLiteral("unknown option '%1'").arg(a.left(40)));
        QString value;
        if (row->valueName == nullptr) {
            if (eq >= 0) return Refuse(QStringLiteral("--%1 takes no value").arg(name));
        } else if (eq >= 0) {
            value = a.mid(eq + 1);
        } else if (i + 1 < args.size()) {
            value = args[++i];
        } else {
            return Refuse(QStringLiteral("--%1 needs a value (%2)").arg(name, row->valueName));
        }
        QString error;
        if (!row->apply(p.options, value, error)) return Refuse(error);
    }
    if (!p.options.screenshot.isEmpty() && p.options.quitAfterMs < 0) p.options.quitAfterMs = 3000;
    p.run = true;
    return p;
}

bool DisplayAvailable(const QString& platform, bool hasX11Display, bool hasWaylandDisplay) {
    const QString name = platform.section(QLatin1Char(':'), 0, 0);
    if (name.isEmpty() || name == QLatin1String("xcb")) return hasX11Display || hasWaylandDisplay;
    if (name.startsWith(QLatin1String("wayland"))) return hasWaylandDisplay;
    return true;
}

QString NoDisplayMessage() {
    return QStringLiteral(
        "qtr5: no display to open the window on (DISPLAY is not set); run it "
        "under X with xvfb-run -a qtr5, or without a window system with "
        "QT_QPA_PLATFORM=offscreen\n");
}
