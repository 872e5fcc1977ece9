// The application object: every event passes through it, so an exception that
// escapes a handler ends in an error box instead of a silent crash.
#pragma once

#include <QApplication>
#include <QString>

class Qtr5Application : public QApplication {
public:
    Qtr5Application(int& argc, char** argv) : QApplication(argc, argv) {}
    bool notify(QObject* receiver, QEvent* event) override;
};

// What happens to an error that escaped: by default the instrument stops, an
// error box shows the message and the program ends with status 1.
using FatalErrorHandler = void (*)(const QString& message);
void SetFatalErrorHandler(FatalErrorHandler handler);
void ReportFatalError(const QString& message);
