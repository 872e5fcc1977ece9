// An exception that escapes an event handler ends in the error report, not in
// a silent crash; the default report stops the instrument first.
#include <QMessageBox>
#include <QTimer>
#include <stdexcept>

#include "app/application.h"
#include "window_fixture.h"

namespace {
QStringList reports;
void Record(const QString& message) { reports.append(message); }

class Throwing : public QObject {
public:
    bool event(QEvent* event) override {
        if (event->type() == QEvent::User) throw std::runtime_error("frame buffer on fire");
        if (event->type() == QEvent::User + 1) throw 42;
        return QObject::event(event);
    }
};
}  // namespace

class ErrorTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        reports.clear();
        SetFatalErrorHandler(Record);
    }
    void cleanup() { SetFatalErrorHandler(nullptr); }

    void escapedExceptionsAreReported();
    void aPostedEventsExceptionIsCaughtInTheLoop();
    void theErrorBoxStopsTheInstrumentFirst();
};

void ErrorTest::escapedExceptionsAreReported() {
    Throwing target;
    QEvent user(QEvent::User);
    QVERIFY(!QCoreApplication::sendEvent(&target, &user));
    QEvent other(static_cast<QEvent::Type>(QEvent::User + 1));
    QVERIFY(!QCoreApplication::sendEvent(&target, &other));
    QCOMPARE(reports, (QStringList{QStringLiteral("frame buffer on fire"),
                                   QStringLiteral("An unknown error ended the program.")}));
}

void ErrorTest::aPostedEventsExceptionIsCaughtInTheLoop() {
    Throwing target;
    QCoreApplication::postEvent(&target, new QEvent(QEvent::User));
    bool later = false;
    QTimer::singleShot(0, &target, [&later] { later = true; });
    QTRY_VERIFY(later);
    QCOMPARE(reports.size(), 1);
}

void ErrorTest::theErrorBoxStopsTheInstrumentFirst() {
    SetFatalErrorHandler(nullptr);
    WindowFixture fx;
    fx.start();
    fx.powerOnToMainLoop();
    QString shown;
    bool haltedBeforeTheBox = false;
    // Read and close the box once it is up.
    QTimer::singleShot(50, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        shown = box->text();
        haltedBeforeTheBox = !fx.form->StepTimer->isActive() && seq.power == Power::Off;
        box->close();
    });
    Throwing target;
    QEvent user(QEvent::User);
    QCoreApplication::sendEvent(&target, &user);
    QCOMPARE(shown, QStringLiteral("frame buffer on fire"));
    QVERIFY(haltedBeforeTheBox);
    fx.finish();
}

int main(int argc, char** argv) {
    Qtr5Application app(argc, argv);
    ErrorTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "error_test.moc"
