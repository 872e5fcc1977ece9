// The simulator window's program: the window, its event loop, and a few
// options for recording a session (screenshots, measured pace).
#include <QCommandLineParser>
#include <QSlider>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <exception>

#include "app/application.h"
#include "app/pace.h"
#include "app/pcmain.h"

namespace {
struct Options {
    int pace = kDefaultPace;
    bool powerOn = false;
    int altitude = -1;
    int airspeed = -1;
    int quitAfterMs = -1;
    QString screenshot;
};

Options ParseOptions(const QCoreApplication& app) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("QTR-5 simulator window"));
    parser.addHelpOption();
    const QCommandLineOption pace(QStringLiteral("pace"),
                                  QStringLiteral("Passes per second: 1, 2, 5, 10, 20, 50, or 0 "
                                                 "for unpaced."),
                                  QStringLiteral("n"));
    const QCommandLineOption on(QStringLiteral("on"), QStringLiteral("Press ON at start."));
    const QCommandLineOption altitude(QStringLiteral("altitude"),
                                      QStringLiteral("Altitude slider position, 0 to 4096."),
                                      QStringLiteral("n"));
    const QCommandLineOption airspeed(QStringLiteral("airspeed"),
                                      QStringLiteral("Airspeed slider position, 0 to 4096."),
                                      QStringLiteral("n"));
    const QCommandLineOption quit(QStringLiteral("quit-after"),
                                  QStringLiteral("Close after ms milliseconds and print the "
                                                 "measured steps per second."),
                                  QStringLiteral("ms"));
    const QCommandLineOption shot(QStringLiteral("screenshot"),
                                  QStringLiteral("Save the window as a PNG when closing "
                                                 "(with --quit-after, default 3000 ms)."),
                                  QStringLiteral("file"));
    parser.addOptions({pace, on, altitude, airspeed, quit, shot});
    parser.process(app);

    Options options;
    if (parser.isSet(pace)) options.pace = parser.value(pace).toInt();
    options.powerOn = parser.isSet(on);
    if (parser.isSet(altitude)) options.altitude = parser.value(altitude).toInt();
    if (parser.isSet(airspeed)) options.airspeed = parser.value(airspeed).toInt();
    if (parser.isSet(quit)) options.quitAfterMs = parser.value(quit).toInt();
    options.screenshot = parser.value(shot);
    if (!options.screenshot.isEmpty() && options.quitAfterMs < 0) options.quitAfterMs = 3000;
    if (std::find(kPaces.begin(), kPaces.end(), options.pace) == kPaces.end()) {
        std::fputs("qtr5: --pace takes 1, 2, 5, 10, 20, 50 or 0\n", stderr);
        std::exit(2);
    }
    return options;
}

int Run(Qtr5Application& app) {
    const Options options = ParseOptions(app);
    TForm1 form;
    form.setPace(options.pace);
    form.show();
    if (options.powerOn) form.powerOn();
    // After ON: the power-on reset zeroes the airspeed channel.
    if (options.altitude >= 0) form.TrackBar2->setValue(options.altitude);
    if (options.airspeed >= 0) form.TrackBar1->setValue(options.airspeed);
    if (options.quitAfterMs >= 0) {
        QTimer::singleShot(options.quitAfterMs, &form, [&form, &options] {
            std::printf("%.1f steps/s\n", form.measuredRate());
            if (!options.screenshot.isEmpty() && !form.grab().save(options.screenshot))
                std::fprintf(stderr, "qtr5: cannot write %s\n", qPrintable(options.screenshot));
            form.close();
        });
    }
    return app.exec();
}
}  // namespace

int main(int argc, char** argv) {
    Qtr5Application app(argc, argv);
    try {
        return Run(app);
    } catch (const std::exception& error) {
        ReportFatalError(QString::fromLocal8Bit(error.what()));
    } catch (...) {
        ReportFatalError(QStringLiteral("An unknown error ended the program."));
    }
    return 1;
}
