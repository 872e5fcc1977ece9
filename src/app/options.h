// The window program's command line, checked in full before any window or
// display is needed, so a bad value, --help and --version work anywhere.
#pragma once

#include <QString>
#include <QStringList>

struct WindowOptions {
    int pace = 10;  // kDefaultPace; one of kPaces
    bool powerOn = false;
    int altitude = -1;  // slider positions, -1 to leave them
    int airspeed = -1;
    int quitAfterMs = -1;  // -1 to stay open
    QString screenshot;    // saved on closing, "" for none
    QString platform;      // -platform NAME, handed on to Qt
};

// What the command line asks for: run the window with `options`, or end at
// once with `status` after printing `out` (standard output) or `err`.
struct ParsedCommandLine {
    bool run = false;
    int status = 0;
    QString out;
    QString err;
    WindowOptions options;
};

// `args` without the program name.
ParsedCommandLine ParseWindowOptions(const QStringList& args);

// True when a window can open: a display to connect to, or a platform that
// needs none (offscreen, minimal, ...). `platform` is -platform's value or
// QT_QPA_PLATFORM's.
bool DisplayAvailable(const QString& platform, bool hasX11Display, bool hasWaylandDisplay);

// The one line said when no display is there, with the ways out.
QString NoDisplayMessage();
