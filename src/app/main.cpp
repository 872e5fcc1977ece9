// The simulator window's program: the window, its event loop, and a few
// options for recording a session (screenshots, measured pace).
#include <QFileInfo>
#include <QImageWriter>
#include <QSlider>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <exception>

#include "app/application.h"
#include "app/options.h"
#include "app/pcmain.h"

namespace {

// Known from the file name before the window opens, so a typo costs nothing.
bool ScreenshotFormatKnown(const QString& file) {
    const QByteArray suffix = QFileInfo(file).suffix().toLower().toLatin1();
    return QImageWriter::supportedImageFormats().contains(suffix);
}

int Run(Qtr5Application& app, const WindowOptions& options) {
    if (!options.screenshot.isEmpty() && !ScreenshotFormatKnown(options.screenshot)) {
        std::fprintf(stderr,
                     "qtr5: cannot write the screenshot %s: unknown image format (use "
                     ".png)\n",
                     qPrintable(options.screenshot));
        return 2;
    }
    TForm1 form;
    form.setPace(options.pace);
    form.show();
    if (options.powerOn) form.powerOn();
    // After ON: the power-on reset zeroes the airspeed channel.
    if (options.altitude >= 0) form.TrackBar2->setValue(options.altitude);
    if (options.airspeed >= 0) form.TrackBar1->setValue(options.airspeed);
    int status = 0;
    if (options.quitAfterMs >= 0) {
        QTimer::singleShot(options.quitAfterMs, &form, [&form, &options, &status] {
            std::printf("%.1f passes/s\n", form.passRate());
            std::fflush(stdout);
            if (!options.screenshot.isEmpty()) {
                QImageWriter writer(options.screenshot);
                if (!writer.write(form.grab().toImage())) {
                    std::fprintf(stderr, "qtr5: cannot write the screenshot %s: %s\n",
                                 qPrintable(options.screenshot), qPrintable(writer.errorString()));
                    status = 1;
                }
            }
            form.close();
        });
    }
    const int loop = app.exec();
    return loop != 0 ? loop : status;
}

}  // namespace

int main(int argc, char** argv) {
    QStringList args;
    for (int i = 1; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);
    const ParsedCommandLine parsed = ParseWindowOptions(args);
    if (!parsed.run) {
        std::fputs(qPrintable(parsed.out), stdout);
        std::fputs(qPrintable(parsed.err), stderr);
        return parsed.status;
    }
    const QString platform = !parsed.options.platform.isEmpty()
                                 ? parsed.options.platform
                                 : QString::fromLocal8Bit(qgetenv("QT_QPA_PLATFORM"));
    if (!DisplayAvailable(platform, !qEnvironmentVariableIsEmpty("DISPLAY"),
                          !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))) {
        std::fputs(qPrintable(NoDisplayMessage()), stderr);
        return 2;
    }
    Qtr5Application app(argc, argv);
    try {
        return Run(app, parsed.options);
    } catch (const std::exception& error) {
        ReportFatalError(QString::fromLocal8Bit(error.what()));
    } catch (...) {
        ReportFatalError(QStringLiteral("An unknown error ended the program."));
    }
    return 1;
}
