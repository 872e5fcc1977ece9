// Running the instrument in the window: ON, the splash, the main loop at its
// pace, OFF, ON again while running, and closing the window.
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QTimer>
#include <cstring>

#include "app/pace.h"
#include "app/widgets.h"
#include "window_fixture.h"

class RunTest : public QObject {
    Q_OBJECT

private slots:
    void init() { fx.start(); }
    void cleanup() { fx.finish(); }

    void onRunsTheSplashThenTheMainLoop();
    void stepsFollowThePace_data();
    void stepsFollowThePace();
    void aNewPaceTakesEffectAtOnce();
    void offEndsTheMainLoopAndKeepsTheFrame();
    void offDuringTheSplashIsLost();
    void onWhileRunningRestartsInPlace();
    void commPaneGainsOneLinePerPass();
    void commPaneKeepsTheLastThousandLines();
    void unpacedRunDeliversEventsBetweenSteps();
    void theRateCountsPassesNotSplashFrames();
    void closingStopsTheInstrument_data();
    void closingStopsTheInstrument();

private:
    WindowFixture fx;
    QTimer& stepTimer() { return *fx.form->StepTimer; }
};

void RunTest::onRunsTheSplashThenTheMainLoop() {
    TForm1& form = *fx.form;
    fx.click(form.Button1);
    QCOMPARE(seq.power, Power::Splash);
    QVERIFY(stepTimer().isActive());
    QCOMPARE(stepTimer().interval(), 40);

    fx.steps(80);
    QCOMPARE(seq.power, Power::Splash);
    QCOMPARE(seq.splashFrames, 80);
    QVERIFY(!form.Image1->picture().isNull());
    QCOMPARE(form.Shape1->colour(), kLampBright);  // the splash leaves the lamp alone

    fx.steps(1);
    QCOMPARE(seq.power, Power::Running);
    QCOMPARE(seq.passes, 1u);
    QCOMPARE(form.Shape1->colour(), kLampDark);
    QVERIFY(!form.Image1->isHidden());
    QCOMPARE(stepTimer().interval(), 100);
}

void RunTest::stepsFollowThePace_data() {
    QTest::addColumn<int>("pace");
    QTest::addColumn<int>("splashMs");
    QTest::addColumn<int>("passMs");
    QTest::newRow("1") << 1 << 40 << 1000;
    QTest::newRow("2") << 2 << 40 << 500;
    QTest::newRow("5") << 5 << 40 << 200;
    QTest::newRow("10") << 10 << 40 << 100;
    QTest::newRow("20") << 20 << 40 << 50;
    QTest::newRow("50") << 50 << 40 << 20;
    QTest::newRow("unpaced") << 0 << 0 << 0;
}

void RunTest::stepsFollowThePace() {
    QFETCH(int, pace);
    QFETCH(int, splashMs);
    QFETCH(int, passMs);
    TForm1& form = *fx.form;
    QCOMPARE(form.PaceBox->count(), static_cast<int>(kPaces.size()));
    QCOMPARE(form.pace(), 10);
    form.PaceBox->setCurrentIndex(form.PaceBox->findData(pace));
    QCOMPARE(form.pace(), pace);

    fx.click(form.Button1);
    QCOMPARE(stepTimer().interval(), splashMs);
    fx.steps(80);
    QCOMPARE(stepTimer().interval(), splashMs);
    fx.steps(1);
    QCOMPARE(seq.power, Power::Running);
    QCOMPARE(stepTimer().interval(), passMs);
    QVERIFY(stepTimer().isActive());
}

void RunTest::aNewPaceTakesEffectAtOnce() {
    TForm1& form = *fx.form;
    fx.powerOnToMainLoop();
    form.PaceBox->setCurrentIndex(form.PaceBox->findData(50));
    QVERIFY(stepTimer().isActive());
    QCOMPARE(stepTimer().interval(), 20);
    // Off, a pace change schedules nothing.
    fx.click(form.Button2);
    form.PaceBox->setCurrentIndex(form.PaceBox->findData(2));
    QVERIFY(!stepTimer().isActive());
}

void RunTest::offEndsTheMainLoopAndKeepsTheFrame() {
    TForm1& form = *fx.form;
    fx.powerOnToMainLoop();
    fx.steps(2);
    inst.frameBuffer[0] = 0x01;
    form.PresentFrame();
    const QImage last = form.Image1->picture().copy();
    const QRgb lamp = form.Shape1->colour();

    fx.click(form.Button2);
    QCOMPARE(seq.power, Power::Off);
    QVERIFY(!stepTimer().isActive());
    fx.steps(3);  // a stray step does nothing
    QCOMPARE(seq.passes, 3u);
    QCOMPARE(form.Image1->picture(), last);
    QCOMPARE(form.Shape1->colour(), lamp);
}

void RunTest::offDuringTheSplashIsLost() {
    TForm1& form = *fx.form;
    fx.click(form.Button1);
    fx.steps(10);
    fx.click(form.Button2);
    QCOMPARE(seq.power, Power::Splash);
    QVERIFY(stepTimer().isActive());
    fx.steps(71);
    QCOMPARE(seq.power, Power::Running);
    QCOMPARE(inst.powerOffRequest, 0);
}

void RunTest::onWhileRunningRestartsInPlace() {
    TForm1& form = *fx.form;
    fx.powerOnToMainLoop();
    fx.steps(5);
    inst.pendingKey = KeyLeft;
    form.PaceBox->setCurrentIndex(form.PaceBox->findData(1));
    QCOMPARE(stepTimer().interval(), 1000);

    fx.click(form.Button1);
    QCOMPARE(seq.power, Power::Splash);
    QCOMPARE(seq.splashFrames, 0);
    QCOMPARE(seq.passes, 0u);
    QCOMPARE(inst.pendingKey, 0);
    QVERIFY(stepTimer().isActive());
    QCOMPARE(stepTimer().interval(), 40);

    fx.steps(81);
    QCOMPARE(seq.power, Power::Running);
    QCOMPARE(seq.passes, 1u);
    // One run, not two stacked ones: a single OFF ends it.
    fx.click(form.Button2);
    QCOMPARE(seq.power, Power::Off);
    QVERIFY(!stepTimer().isActive());
}

void RunTest::commPaneGainsOneLinePerPass() {
    TForm1& form = *fx.form;
    std::strcpy(inst.commLine, "pass");
    fx.click(form.Button1);
    fx.steps(80);
    QCOMPARE(form.Memo1->toPlainText(), QString());
    fx.steps(1);
    QCOMPARE(form.Memo1->toPlainText(), QStringLiteral("pass"));
    fx.steps(2);
    QCOMPARE(form.Memo1->toPlainText(), QStringLiteral("pass\npass\npass"));

    // Empty lines count too: the pane still grows by one line a pass.
    inst.commLine[0] = '\0';
    fx.steps(2);
    QCOMPARE(form.Memo1->blockCount(), 5);
    QCOMPARE(form.Memo1->toPlainText(), QStringLiteral("pass\npass\npass\n\n"));
}

void RunTest::commPaneKeepsTheLastThousandLines() {
    TForm1& form = *fx.form;
    // The first empty line must not vanish into the empty document's one block.
    form.AppendCommLine("");
    form.AppendCommLine("");
    QCOMPARE(form.Memo1->blockCount(), 2);

    for (int i = 2; i < 1005; ++i) form.AppendCommLine(QByteArray::number(i).constData());
    QCOMPARE(form.Memo1->blockCount(), 1000);
    QCOMPARE(form.Memo1->document()->firstBlock().text(), QStringLiteral("5"));
    QCOMPARE(form.Memo1->document()->lastBlock().text(), QStringLiteral("1004"));

    fx.powerOnToMainLoop();
    QCOMPARE(form.Memo1->blockCount(), 1000);
    QCOMPARE(form.Memo1->document()->firstBlock().text(), QStringLiteral("6"));
    QCOMPARE(form.Memo1->document()->lastBlock().text(), QString());
}

void RunTest::unpacedRunDeliversEventsBetweenSteps() {
    TForm1& form = *fx.form;
    QCOMPARE(form.RateLabel->text(), QStringLiteral("off"));
    int ticks = 0;
    connect(form.Timer1, &QTimer::timeout, this, [&ticks] { ++ticks; });
    form.setPace(0);
    fx.click(form.Button1);
    QTRY_VERIFY_WITH_TIMEOUT(seq.power == Power::Running && seq.passes >= 100, 20000);
    // The time base keeps ticking between unpaced steps.
    const int before = ticks;
    QTRY_VERIFY(ticks >= before + 2);
    // The meter shows the passes it measured over a second of running.
    QTRY_VERIFY_WITH_TIMEOUT(form.RateLabel->text().endsWith(QLatin1String("passes/s")), 5000);
    QVERIFY(form.measuredRate() > 0.0);
    fx.click(form.Button2);
    QCOMPARE(seq.power, Power::Off);
}

void RunTest::theRateCountsPassesNotSplashFrames() {
    TForm1& form = *fx.form;
    // At one pass a second against 25 splash frames, any splash frame counted
    // as a pass would show at once.
    form.setPace(1);
    fx.click(form.Button1);
    QTRY_VERIFY_WITH_TIMEOUT(seq.power == Power::Running, 6000);
    QCOMPARE(form.passRate(), 0.0);  // no pass has run yet
    QTRY_VERIFY_WITH_TIMEOUT(form.RateLabel->text().endsWith(QLatin1String("passes/s")), 3000);
    QVERIFY2(form.measuredRate() <= 2.0, qPrintable(form.RateLabel->text()));
    QTRY_VERIFY_WITH_TIMEOUT(seq.passes >= 2, 3000);
    QVERIFY2(form.passRate() > 0.3 && form.passRate() <= 2.0,
             qPrintable(QString::number(form.passRate())));
}

void RunTest::closingStopsTheInstrument_data() {
    QTest::addColumn<bool>("inMainLoop");
    QTest::newRow("during the splash") << false;
    QTest::newRow("in the main loop") << true;
}

void RunTest::closingStopsTheInstrument() {
    QFETCH(bool, inMainLoop);
    TForm1& form = *fx.form;
    form.show();
    form.setPace(0);
    fx.click(form.Button1);
    if (inMainLoop)
        QTRY_VERIFY_WITH_TIMEOUT(seq.power == Power::Running && seq.passes >= 3, 20000);
    else
        QTRY_VERIFY(seq.splashFrames >= 3);

    QVERIFY(form.close());
    QVERIFY(!stepTimer().isActive());
    const uint64_t passes = seq.passes;
    const uint8_t frames = seq.splashFrames;
    QTest::qWait(100);
    QCOMPARE(seq.passes, passes);
    QCOMPARE(seq.splashFrames, frames);
    if (inMainLoop) QCOMPARE(seq.power, Power::Off);

    fx.finish();
    QCOMPARE(CurrentHost(), nullptr);
    QCOMPARE(Form1, nullptr);
}

QTEST_MAIN(RunTest)
#include "run_test.moc"
