// The window program's command line, checked as a user meets it: the parser
// itself, and the qtr5 program run with bad values, without a display and
// with a screenshot it cannot write.
#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include "app/options.h"

namespace {

struct Outcome {
    int status;
    QString out;
    QString err;
};

// Runs qtr5 with `env` changed by `set` (a value of "" removes the variable).
Outcome RunProgram(const QStringList& args, const QList<QPair<QString, QString>>& set = {}) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    for (const auto& [name, value] : set) {
        if (value.isEmpty())
            env.remove(name);
        else
            env.insert(name, value);
    }
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(QTR5_PROGRAM), args);
    if (!p.waitForFinished(30000)) {
        p.kill();
        p.waitForFinished();
        return {-1, {}, QStringLiteral("timed out")};
    }
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromLocal8Bit(p.readAllStandardOutput()),
            QString::fromLocal8Bit(p.readAllStandardError())};
}

const QList<QPair<QString, QString>> kNoDisplay = {{QStringLiteral("QT_QPA_PLATFORM"), {}},
                                                   {QStringLiteral("DISPLAY"), {}},
                                                   {QStringLiteral("WAYLAND_DISPLAY"), {}}};

}  // namespace

class ProgramTest : public QObject {
    Q_OBJECT

private slots:
    void goodOptionsAreTaken();
    void badValuesAreRefusedNamingTheOption_data();
    void badValuesAreRefusedNamingTheOption();
    void theDisplayIsNeededOnlyByAWindow();
    void helpAndVersionNeedNoDisplay();
    void theProgramRefusesBadValuesBeforeAnyWindow_data();
    void theProgramRefusesBadValuesBeforeAnyWindow();
    void withoutADisplayItSaysHowToRun();
    void aScreenshotThatCannotBeWrittenFails();
    void quitAfterPrintsThePassesItRan();
};

void ProgramTest::goodOptionsAreTaken() {
    const ParsedCommandLine p = ParseWindowOptions(
        {QStringLiteral("--pace=0"), QStringLiteral("--on"), QStringLiteral("--altitude"),
         QStringLiteral("4096"), QStringLiteral("--airspeed=0"), QStringLiteral("--screenshot"),
         QStringLiteral("s.png"), QStringLiteral("-platform"), QStringLiteral("offscreen")});
    QVERIFY2(p.run, qPrintable(p.err));
    QCOMPARE(p.options.pace, 0);
    QVERIFY(p.options.powerOn);
    QCOMPARE(p.options.altitude, 4096);
    QCOMPARE(p.options.airspeed, 0);
    QCOMPARE(p.options.screenshot, QStringLiteral("s.png"));
    QCOMPARE(p.options.quitAfterMs, 3000);  // a screenshot is taken on closing
    QCOMPARE(p.options.platform, QStringLiteral("offscreen"));
    const ParsedCommandLine plain = ParseWindowOptions({});
    QVERIFY(plain.run);
    QCOMPARE(plain.options.pace, 10);
    QCOMPARE(plain.options.altitude, -1);
    QCOMPARE(plain.options.quitAfterMs, -1);
}

void ProgramTest::badValuesAreRefusedNamingTheOption_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("message");
    const char* const numeric[] = {"altitude", "airspeed", "quit-after"};
    const char* const bad[] = {"abc", "10x", "1e3", "4096.5", "-5", "99999999999", ""};
    for (const char* option : numeric)
        for (const char* value : bad)
            QTest::addRow("--%s=%s", option, value)
                << QStringList{QStringLiteral("--%1=%2").arg(option, value)}
                << QStringLiteral("qtr5: --%1 ").arg(option);
    for (const char* value : bad)
        QTest::addRow("--pace %s", value)
            << QStringList{QStringLiteral("--pace"), QString::fromLatin1(value)}
            << QStringLiteral("qtr5: --pace takes 1, 2, 5, 10, 20, 50 or 0, not '%1'").arg(value);
    QTest::newRow("pace 3") << QStringList{QStringLiteral("--pace=3")}
                            << QStringLiteral("qtr5: --pace takes 1, 2, 5, 10, 20, 50 or 0");
    QTest::newRow("slider 4097") << QStringList{QStringLiteral("--altitude=4097")}
                                 << QStringLiteral(
                                        "qtr5: --altitude 4097 is out of range (0 to "
                                        "4096)");
    QTest::newRow("huge") << QStringList{QStringLiteral("--airspeed=99999999999")}
                          << QStringLiteral("qtr5: --airspeed 99999999999 is out of range");
    QTest::newRow("not whole") << QStringList{QStringLiteral("--quit-after"), QStringLiteral("1e3")}
                               << QStringLiteral(
                                      "qtr5: --quit-after takes a whole number (0 to "
                                      "86400000), not '1e3'");
    QTest::newRow("no value") << QStringList{QStringLiteral("--altitude")}
                              << QStringLiteral("qtr5: --altitude needs a value (N)");
    QTest::newRow("switch with value")
        << QStringList{QStringLiteral("--on=1")} << QStringLiteral("qtr5: --on takes no value");
    QTest::newRow("unknown") << QStringList{QStringLiteral("--fast")}
                             << QStringLiteral("qtr5: unknown option '--fast'");
    QTest::newRow("single dash") << QStringList{QStringLiteral("-x")}
                                 << QStringLiteral("qtr5: unexpected argument '-x'");
    QTest::newRow("extra") << QStringList{QStringLiteral("--on"), QStringLiteral("flight.qtr")}
                           << QStringLiteral("qtr5: unexpected argument 'flight.qtr'");
    QTest::newRow("empty shot") << QStringList{QStringLiteral("--screenshot=")}
                                << QStringLiteral("qtr5: --screenshot needs a file name");
}

void ProgramTest::badValuesAreRefusedNamingTheOption() {
    QFETCH(QStringList, args);
    QFETCH(QString, message);
    const ParsedCommandLine p = ParseWindowOptions(args);
    QVERIFY(!p.run);
    QCOMPARE(p.status, 2);
    QVERIFY2(p.err.startsWith(message), qPrintable(p.err));
    QCOMPARE(p.out, QString());
}

void ProgramTest::theDisplayIsNeededOnlyByAWindow() {
    const struct {
        const char* platform;
        bool x11, wayland, available;
    } cases[] = {
        {"", false, false, false},         {"", true, false, true},
        {"", false, true, true},           {"xcb", false, false, false},
        {"xcb", true, false, true},        {"wayland", false, false, false},
        {"wayland", true, false, false},   {"wayland-egl", false, true, true},
        {"offscreen", false, false, true}, {"minimal:enable_fonts", false, false, true},
    };
    for (const auto& c : cases)
        QVERIFY2(DisplayAvailable(QString::fromLatin1(c.platform), c.x11, c.wayland) == c.available,
                 c.platform);
}

void ProgramTest::helpAndVersionNeedNoDisplay() {
    Outcome r = RunProgram({QStringLiteral("--help")}, kNoDisplay);
    QCOMPARE(r.status, 0);
    for (const char* option : {"--pace N", "--on", "--altitude N", "--airspeed N",
                               "--quit-after MS", "--screenshot FILE", "--version"})
        QVERIFY2(r.out.contains(QLatin1String(option)), option);
    r = RunProgram({QStringLiteral("--version")}, kNoDisplay);
    QCOMPARE(r.status, 0);
    QVERIFY2(r.out.startsWith(QStringLiteral("qtr5 ")) && r.out.count(QLatin1Char('.')) >= 1,
             qPrintable(r.out));
}

void ProgramTest::theProgramRefusesBadValuesBeforeAnyWindow_data() {
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("value");
    for (const char* option : {"pace", "altitude", "airspeed", "quit-after"})
        for (const char* value : {"abc", "10x", "1e3", "4096.5", "-5", "99999999999"})
            QTest::addRow("--%s %s", option, value)
                << QString::fromLatin1(option) << QString::fromLatin1(value);
}

void ProgramTest::theProgramRefusesBadValuesBeforeAnyWindow() {
    QFETCH(QString, option);
    QFETCH(QString, value);
    // No display either: a window would fail differently.
    const Outcome r = RunProgram({QStringLiteral("--") + option, value}, kNoDisplay);
    QCOMPARE(r.status, 2);
    QVERIFY2(r.err.startsWith(QStringLiteral("qtr5: --") + option + QLatin1Char(' ')),
             qPrintable(r.err));
    QVERIFY2(r.err.contains(value), qPrintable(r.err));
}

void ProgramTest::withoutADisplayItSaysHowToRun() {
    Outcome r = RunProgram({}, kNoDisplay);
    QCOMPARE(r.status, 2);
    QCOMPARE(r.err.count(QLatin1Char('\n')), 1);
    QVERIFY2(r.err.contains(QStringLiteral("xvfb-run -a qtr5")), qPrintable(r.err));
    QVERIFY2(r.err.contains(QStringLiteral("QT_QPA_PLATFORM=offscreen")), qPrintable(r.err));
    // Asking for X by name without one is the same.
    r = RunProgram({QStringLiteral("-platform"), QStringLiteral("xcb")}, kNoDisplay);
    QCOMPARE(r.status, 2);
    QVERIFY2(r.err.contains(QStringLiteral("xvfb-run -a qtr5")), qPrintable(r.err));
}

void ProgramTest::aScreenshotThatCannotBeWrittenFails() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString missing = dir.filePath(QStringLiteral("no/such/dir/shot.png"));
    Outcome r =
        RunProgram({QStringLiteral("--quit-after=50"), QStringLiteral("--screenshot"), missing});
    QCOMPARE(r.status, 1);
    // Qt may warn first (about its runtime directory): the reason is the last line.
    QVERIFY2(r.err.contains(QStringLiteral("qtr5: cannot write the screenshot ") + missing +
                            QStringLiteral(": ")),
             qPrintable(r.err));
    QVERIFY(r.err.size() >
            QStringLiteral("qtr5: cannot write the screenshot : \n").size() + missing.size());

    const QString odd = dir.filePath(QStringLiteral("shot.xyz"));
    r = RunProgram({QStringLiteral("--screenshot"), odd});
    QCOMPARE(r.status, 2);
    QVERIFY2(r.err.contains(QStringLiteral("unknown image format")), qPrintable(r.err));
    QVERIFY(!QFile::exists(odd));

    const QString good = dir.filePath(QStringLiteral("shot.png"));
    r = RunProgram({QStringLiteral("--quit-after=50"), QStringLiteral("--screenshot"), good});
    QCOMPARE(r.status, 0);
    QVERIFY2(QImage(good).width() > 100, qPrintable(r.err));
}

void ProgramTest::quitAfterPrintsThePassesItRan() {
    // Unpaced, the splash is done at once; well under a second of passes is measured.
    Outcome r = RunProgram(
        {QStringLiteral("--on"), QStringLiteral("--pace=0"), QStringLiteral("--quit-after=600")});
    QCOMPARE(r.status, 0);
    QVERIFY2(r.out.endsWith(QStringLiteral(" passes/s\n")), qPrintable(r.out));
    const double rate = r.out.section(QLatin1Char(' '), 0, 0).toDouble();
    QVERIFY2(rate > 10.0, qPrintable(r.out));
    // Off, nothing runs.
    r = RunProgram({QStringLiteral("--quit-after=100")});
    QCOMPARE(r.status, 0);
    QCOMPARE(r.out, QStringLiteral("0.0 passes/s\n"));
}

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ProgramTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "program_test.moc"
