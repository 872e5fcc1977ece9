// The window's controls: where they sit, what they say, and what each one
// stores into the instrument.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QTimer>

#include "app/widgets.h"
#include "window_fixture.h"

class WindowTest : public QObject {
    Q_OBJECT

private slots:
    void init() { fx.start(); }
    void cleanup() { fx.finish(); }

    void formIsFixedWithoutMaximise();
    void controlsSitWhereTheTableSays_data();
    void controlsSitWhereTheTableSays();
    void laterControlsLieOnTop();
    void captions();
    void tabOrderFollowsTheTable();
    void tabLeavesTheCommunicationPane();
    void slidersStartAtOneWithLabelsAtZero();
    void keysAndKnobStoreTheirCode_data();
    void keysAndKnobStoreTheirCode();
    void sliderMovesFeedInputAndLabel_data();
    void sliderMovesFeedInputAndLabel();
    void timerTicksDriveBlinkAndSlowTick();
    void checkBoxesAreReadEveryPass();

private:
    WindowFixture fx;
};

void WindowTest::formIsFixedWithoutMaximise() {
    TForm1& form = *fx.form;
    QCOMPARE(form.objectName(), QStringLiteral("Form1"));
    QCOMPARE(form.windowTitle(), QStringLiteral("Nimbolux Ovalis QTR-5"));
    QCOMPARE(form.size(), QSize(621, 404));
    QCOMPARE(form.minimumSize(), QSize(621, 404));
    QCOMPARE(form.maximumSize(), QSize(621, 404));
    QVERIFY(!(form.windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(form.windowFlags() & Qt::WindowMinimizeButtonHint);
    QVERIFY(form.windowFlags() & Qt::WindowCloseButtonHint);
    QCOMPARE(Form1, &form);
}

void WindowTest::controlsSitWhereTheTableSays_data() {
    QTest::addColumn<QRect>("geometry");
    // Labels size themselves: a width of 0 checks the position only.
    const struct {
        const char* name;
        QRect geometry;
    } rows[] = {
        {"Image2", {0, 0, 310, 310}},        {"Label13", {392, 48, 0, 0}},
        {"Shape1", {143, 17, 24, 24}},       {"Image3", {65, 234, 49, 49}},
        {"Image5", {131, 246, 49, 49}},      {"Image6", {196, 234, 49, 49}},
        {"Label1", {344, 48, 0, 0}},         {"Label2", {344, 16, 0, 0}},
        {"Label3", {392, 16, 0, 0}},         {"Button1", {24, 328, 129, 49}},
        {"Button2", {176, 328, 137, 49}},    {"TrackBar1", {416, 48, 201, 33}},
        {"StatusBar1", {0, 385, 621, 19}},   {"Panel1", {40, 92, 231, 135}},
        {"Image1", {1, 1, 229, 133}},        {"CheckBox2", {360, 80, 97, 17}},
        {"CheckBox3", {472, 80, 97, 17}},    {"TrackBar2", {416, 8, 201, 33}},
        {"Button3", {0, 285, 59, 25}},       {"Button4", {237, 286, 75, 25}},
        {"GroupBox1", {313, 100, 304, 285}}, {"Memo1", {2, 15, 300, 268}},
    };
    for (const auto& row : rows) QTest::newRow(row.name) << row.geometry;
}

void WindowTest::controlsSitWhereTheTableSays() {
    QFETCH(QRect, geometry);
    auto* widget = fx.form->findChild<QWidget*>(QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY(widget);
    if (geometry.width() == 0)
        QCOMPARE(widget->pos(), geometry.topLeft());
    else
        QCOMPARE(widget->geometry(), geometry);
}

void WindowTest::laterControlsLieOnTop() {
    TForm1& form = *fx.form;
    QCOMPARE(form.childAt(QPoint(89, 258)), form.Image3);
    QCOMPARE(form.childAt(QPoint(155, 270)), form.Image5);
    QCOMPARE(form.childAt(QPoint(220, 258)), form.Image6);
    QCOMPARE(form.childAt(QPoint(155, 29)), form.Shape1);
    QCOMPARE(form.childAt(QPoint(10, 295)), form.Button3);
    QCOMPARE(form.childAt(QPoint(300, 300)), form.Button4);
    // The view covers the face's LCD window, the panel's edge frames it.
    QCOMPARE(form.childAt(QPoint(150, 150)), form.Image1);
    QCOMPARE(form.childAt(QPoint(40, 150)), form.Panel1);
}

void WindowTest::captions() {
    TForm1& form = *fx.form;
    QCOMPARE(form.Button1->text(), QStringLiteral("ON"));
    QCOMPARE(form.Button2->text(), QStringLiteral("OFF"));
    QCOMPARE(form.Button3->text(), QStringLiteral("Clockwise"));
    QCOMPARE(form.Button4->text(), QStringLiteral("AntiClockwise"));
    QCOMPARE(form.CheckBox2->text(), QStringLiteral("Calibrate"));
    QCOMPARE(form.CheckBox3->text(), QStringLiteral("KeyFast"));
    QVERIFY(!form.CheckBox2->isChecked());
    QVERIFY(!form.CheckBox3->isChecked());
    QCOMPARE(form.Label1->text(), QStringLiteral("Airspeed"));
    QCOMPARE(form.Label2->text(), QStringLiteral("Altitude"));
    QCOMPARE(form.GroupBox1->title(), QStringLiteral(" Communication Window  "));
    QVERIFY(form.Memo1->toPlainText().isEmpty());
}

void WindowTest::tabOrderFollowsTheTable() {
    TForm1& form = *fx.form;
    const QList<QWidget*> want = {form.Button1,   form.Button2,   form.TrackBar1,
                                  form.CheckBox2, form.CheckBox3, form.TrackBar2,
                                  form.Button3,   form.Button4,   form.Memo1};
    QList<QWidget*> got = {form.Button1};
    for (QWidget* w = form.Button1->nextInFocusChain();
         w != form.Button1 && got.size() < want.size(); w = w->nextInFocusChain()) {
        if ((w->focusPolicy() & Qt::TabFocus) && w->isEnabled()) got.append(w);
    }
    QCOMPARE(got, want);
}

void WindowTest::tabLeavesTheCommunicationPane() {
    TForm1& form = *fx.form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.activateWindow();
    form.Memo1->setFocus();
    QTRY_VERIFY(form.Memo1->hasFocus());
    QTest::keyClick(form.Memo1, Qt::Key_Tab);
    QVERIFY(form.Memo1->toPlainText().isEmpty());
    QCOMPARE(form.focusWidget(), form.PaceBox);
}

void WindowTest::slidersStartAtOneWithLabelsAtZero() {
    TForm1& form = *fx.form;
    for (QSlider* slider : {form.TrackBar1, form.TrackBar2}) {
        QCOMPARE(slider->minimum(), 0);
        QCOMPARE(slider->maximum(), 4096);
        QCOMPARE(slider->value(), 1);
        QCOMPARE(slider->tickPosition(), QSlider::NoTicks);
    }
    QCOMPARE(form.Label13->text(), QStringLiteral("0"));
    QCOMPARE(form.Label3->text(), QStringLiteral("0"));
    QCOMPARE(inst.asiAdcInput, 0);
    QCOMPARE(inst.altAdcInput, 0);
}

void WindowTest::keysAndKnobStoreTheirCode_data() {
    QTest::addColumn<int>("code");
    QTest::newRow("Image5") << int{KeyEnter};
    QTest::newRow("Button3") << int{KeyKnobCw};
    QTest::newRow("Button4") << int{KeyKnobCcw};
    QTest::newRow("Image3") << int{KeyLeft};
    QTest::newRow("Image6") << int{KeyRight};
}

void WindowTest::keysAndKnobStoreTheirCode() {
    QFETCH(int, code);
    auto* control = fx.form->findChild<QWidget*>(QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY(control);
    fx.click(control);
    QCOMPARE(inst.pendingKey, code);
    QCOMPARE(inst.menuTimeout, 30);

    // A second key before the next pass is lost but still holds the menu open.
    inst.pendingKey = code == KeyEnter ? KeyRight : KeyEnter;
    const uint8_t waiting = inst.pendingKey;
    inst.menuTimeout = 7;
    fx.click(control);
    QCOMPARE(inst.pendingKey, waiting);
    QCOMPARE(inst.menuTimeout, 30);
}

void WindowTest::sliderMovesFeedInputAndLabel_data() {
    QTest::addColumn<QString>("slider");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("position");
    QTest::newRow("airspeed to 4096") << "TrackBar1" << int{Qt::Key_End} << 4096;
    QTest::newRow("airspeed to 0") << "TrackBar1" << int{Qt::Key_Home} << 0;
    QTest::newRow("altitude to 4096") << "TrackBar2" << int{Qt::Key_End} << 4096;
    QTest::newRow("altitude to 0") << "TrackBar2" << int{Qt::Key_Home} << 0;
}

void WindowTest::sliderMovesFeedInputAndLabel() {
    QFETCH(QString, slider);
    QFETCH(int, key);
    QFETCH(int, position);
    TForm1& form = *fx.form;
    const bool airspeed = slider == QLatin1String("TrackBar1");
    QSlider* bar = airspeed ? form.TrackBar1 : form.TrackBar2;
    QLabel* label = airspeed ? form.Label13 : form.Label3;
    const int32_t& input = airspeed ? inst.asiAdcInput : inst.altAdcInput;
    const int32_t& other = airspeed ? inst.altAdcInput : inst.asiAdcInput;

    // Start away from the target so the move is a real change.
    bar->setValue(2000);
    QCOMPARE(input, 2000);
    QTest::keyClick(bar, static_cast<Qt::Key>(key));
    QCOMPARE(bar->value(), position);
    QCOMPARE(input, position);
    QCOMPARE(label->text(), QString::number(position));
    QCOMPARE(other, 0);
}

void WindowTest::timerTicksDriveBlinkAndSlowTick() {
    QVERIFY(fx.form->Timer1->isActive());
    QCOMPARE(fx.form->Timer1->interval(), 100);
    // The instrument is off: the time base runs anyway.
    QCOMPARE(seq.power, Power::Off);
    QTRY_VERIFY(inst.blinkCount >= 2);

    inst.slowTickCount = 19;
    inst.slowTick = 0;
    inst.menuTimeout = 5;
    QTRY_COMPARE(inst.slowTick, 1);
    QCOMPARE(inst.menuTimeout, 4);
}

void WindowTest::checkBoxesAreReadEveryPass() {
    fx.powerOnToMainLoop();
    QCOMPARE(inst.calibrateEnabled, 0);
    QCOMPARE(inst.adjustStep, 1);
    fx.click(fx.form->CheckBox2);
    fx.click(fx.form->CheckBox3);
    QVERIFY(fx.form->CheckBox2->isChecked());
    QVERIFY(fx.form->CheckBox3->isChecked());
    fx.steps(1);
    QCOMPARE(inst.calibrateEnabled, 1);
    QCOMPARE(inst.adjustStep, 10);
    fx.click(fx.form->CheckBox3);
    fx.steps(1);
    QCOMPARE(inst.calibrateEnabled, 1);
    QCOMPARE(inst.adjustStep, 1);
}

QTEST_MAIN(WindowTest)
#include "window_test.moc"
