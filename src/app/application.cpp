#include "app/application.h"

#include <QMessageBox>
#include <exception>

#include "app/pcmain.h"

namespace {
void ShowErrorAndQuit(const QString& message) {
    // Stop first: the box runs its own event loop, where steps would go on.
    if (Form1) Form1->haltInstrument();
    QMessageBox::critical(Form1, QStringLiteral("Nimbolux Ovalis QTR-5"), message);
    QCoreApplication::exit(1);
}

FatalErrorHandler fatalErrorHandler = ShowErrorAndQuit;
}  // namespace

void SetFatalErrorHandler(FatalErrorHandler handler) {
    fatalErrorHandler = handler ? handler : ShowErrorAndQuit;
}

void ReportFatalError(const QString& message) { fatalErrorHandler(message); }

bool Qtr5Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        ReportFatalError(QString::fromLocal8Bit(error.what()));
    } catch (...) {
        ReportFatalError(QStringLiteral("An unknown error ended the program."));
    }
    return false;
}
