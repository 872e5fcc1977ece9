#include "app/pcmain.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMoveEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QShowEvent>
#include <QSlider>
#include <QStatusBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTimer>

#include "app/face.h"
#include "app/pace.h"
#include "app/widgets.h"
#include "core/sequence.h"
#include "core/state.h"

TForm1* Form1 = nullptr;

namespace {
constexpr int kClientWidth = 621;
constexpr int kClientHeight = 404;
constexpr int kMemoLines = 1000;

template <typename W>
W* Place(W* widget, const char* name, int left, int top, int width, int height) {
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(left, top, width, height);
    return widget;
}

QLabel* PlaceLabel(QWidget* parent, const char* name, const char* caption, int left, int top) {
    auto* label = new QLabel(QString::fromLatin1(caption), parent);
    label->setObjectName(QString::fromLatin1(name));
    label->move(left, top);
    label->adjustSize();
    return label;
}

QSlider* PlaceSlider(QWidget* parent, const char* name, int left, int top) {
    auto* slider = Place(new QSlider(Qt::Horizontal, parent), name, left, top, 201, 33);
    slider->setRange(0, 4096);
    slider->setValue(1);
    slider->setTickPosition(QSlider::NoTicks);
    return slider;
}

QString PaceName(int pace) {
    if (pace == 0) return QStringLiteral("unpaced");
    return pace == 1 ? QStringLiteral("1 pass/s") : QStringLiteral("%1 passes/s").arg(pace);
}
}  // namespace

TForm1::TForm1(QWidget* parent) : QWidget(parent), pace_(kDefaultPace) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Nimbolux Ovalis QTR-5"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    // Narrow enough for "Airspeed" to end before its value label.
    QFont small(QStringLiteral("DejaVu Sans"));
    small.setPixelSize(10);
    setFont(small);
    setFixedSize(kClientWidth, kClientHeight);
    if (QScreen* s = screen()) move(s->availableGeometry().center() - rect().center());

    createControls();
    createStatusBar();
    arrangeTabOrder();

    StepTimer = new QTimer(this);
    StepTimer->setObjectName(QStringLiteral("StepTimer"));
    StepTimer->setTimerType(Qt::PreciseTimer);
    connect(StepTimer, &QTimer::timeout, this, &TForm1::runStep);

    // The instrument's time base runs from creation, whether it is on or off.
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setTimerType(Qt::PreciseTimer);
    connect(Timer1, &QTimer::timeout, this, [] { Timer1Timer(); });
    Timer1->start(100);

    rateTimer_ = new QTimer(this);
    connect(rateTimer_, &QTimer::timeout, this, &TForm1::updateRate);
    rateTimer_->start(1000);
    rateClock_.start();

    SetHost(this);
    Form1 = this;
}

TForm1::~TForm1() {
    haltInstrument();
    if (CurrentHost() == this) SetHost(nullptr);
    if (Form1 == this) Form1 = nullptr;
}

void TForm1::createControls() {
    Image2 = Place(new QLabel(this), "Image2", 0, 0, 310, 310);
    Image2->setPixmap(QPixmap::fromImage(DrawInstrumentFace()));
    Image2->setScaledContents(true);

    Label13 = PlaceLabel(this, "Label13", "0", 392, 48);
    Shape1 = Place(new Lamp(this), "Shape1", 143, 17, 24, 24);
    Image3 = Place(new ClickArea(this, Image3Click), "Image3", 65, 234, 49, 49);
    Image5 = Place(new ClickArea(this, Image5Click), "Image5", 131, 246, 49, 49);
    Image6 = Place(new ClickArea(this, Image6Click), "Image6", 196, 234, 49, 49);
    Label1 = PlaceLabel(this, "Label1", "Airspeed", 344, 48);
    Label2 = PlaceLabel(this, "Label2", "Altitude", 344, 16);
    Label3 = PlaceLabel(this, "Label3", "0", 392, 16);

    Button1 = Place(new QPushButton(QStringLiteral("ON"), this), "Button1", 24, 328, 129, 49);
    connect(Button1, &QPushButton::clicked, this, &TForm1::powerOn);
    Button2 = Place(new QPushButton(QStringLiteral("OFF"), this), "Button2", 176, 328, 137, 49);
    connect(Button2, &QPushButton::clicked, this, &TForm1::powerOff);

    // Connected after the start position is set: the labels read "0" until a move.
    TrackBar1 = PlaceSlider(this, "TrackBar1", 416, 48);
    connect(TrackBar1, &QSlider::valueChanged, this, [this](int position) {
        TrackBar1Change(position);
        Label13->setText(QString::number(position));
        Label13->adjustSize();
    });

    StatusBar1 = Place(new QStatusBar(this), "StatusBar1", 0, 385, 621, 19);
    StatusBar1->setSizeGripEnabled(false);
    StatusBar1->setContentsMargins(4, 0, 6, 0);

    Panel1 = Place(new Panel(this), "Panel1", 40, 92, 231, 135);
    Image1 = Place(new LcdView(Panel1), "Image1", 1, 1, LcdView::kWidth, LcdView::kHeight);

    CheckBox2 =
        Place(new QCheckBox(QStringLiteral("Calibrate"), this), "CheckBox2", 360, 80, 97, 17);
    CheckBox3 = Place(new QCheckBox(QStringLiteral("KeyFast"), this), "CheckBox3", 472, 80, 97, 17);

    TrackBar2 = PlaceSlider(this, "TrackBar2", 416, 8);
    connect(TrackBar2, &QSlider::valueChanged, this, [this](int position) {
        TrackBar2Change(position);
        Label3->setText(QString::number(position));
        Label3->adjustSize();
    });

    Button3 = Place(new QPushButton(QStringLiteral("Clockwise"), this), "Button3", 0, 285, 59, 25);
    connect(Button3, &QPushButton::clicked, this, [] { Button3Click(); });
    Button4 =
        Place(new QPushButton(QStringLiteral("AntiClockwise"), this), "Button4", 237, 286, 75, 25);
    connect(Button4, &QPushButton::clicked, this, [] { Button4Click(); });

    GroupBox1 = Place(new QGroupBox(QStringLiteral(" Communication Window  "), this), "GroupBox1",
                      313, 100, 304, 285);
    Memo1 = Place(new QPlainTextEdit(GroupBox1), "Memo1", 2, 15, 300, 268);
    // Old lines drop off the top; the limit also turns off the undo history.
    Memo1->setMaximumBlockCount(kMemoLines);
    // Tab goes on to the next control, as the tab order says, not into the text.
    Memo1->setTabChangesFocus(true);
}

void TForm1::createStatusBar() {
    auto* paceLabel = new QLabel(QStringLiteral("Pace"), StatusBar1);
    PaceBox = new QComboBox(StatusBar1);
    PaceBox->setObjectName(QStringLiteral("PaceBox"));
    for (const int pace : kPaces) PaceBox->addItem(PaceName(pace), pace);
    PaceBox->setCurrentIndex(PaceBox->findData(kDefaultPace));
    PaceBox->setFixedHeight(15);  // the bar is 19 high and keeps 3 above
    connect(PaceBox, &QComboBox::currentIndexChanged, this,
            [this](int index) { setPace(PaceBox->itemData(index).toInt()); });
    RateLabel = new QLabel(StatusBar1);
    RateLabel->setObjectName(QStringLiteral("RateLabel"));
    StatusBar1->addWidget(paceLabel);
    StatusBar1->addWidget(PaceBox);
    StatusBar1->addPermanentWidget(RateLabel);
    updateRate();
}

void TForm1::arrangeTabOrder() {
    QWidget* const order[] = {Button1,   Button2, TrackBar1, CheckBox2, CheckBox3,
                              TrackBar2, Button3, Button4,   Memo1,     PaceBox};
    for (size_t i = 1; i < std::size(order); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
}

void TForm1::setPace(int pace) {
    if (pace == pace_) return;
    pace_ = pace;
    const int index = PaceBox->findData(pace);
    if (index >= 0 && index != PaceBox->currentIndex()) PaceBox->setCurrentIndex(index);
    // A new pace takes effect from now, not at the next step.
    if (StepTimer->isActive()) StepTimer->start(StepIntervalMs(seq.power, pace_));
}

void TForm1::powerOn() {
    Button1Click();
    // A restart's splash frames are not counted as passes of the run before.
    stepsCounted_ = 0;
    rateClock_.restart();
    // The first step comes one interval after ON, also when ON restarts a run.
    StepTimer->start(StepIntervalMs(seq.power, pace_));
}

void TForm1::powerOff() {
    Button2Click();
    if (seq.power == Power::Off) StepTimer->stop();
}

void TForm1::runStep() {
    const Power before = seq.power;
    if (!InstrumentStep()) {
        StepTimer->stop();
        return;
    }
    if (before == Power::Running) {
        ++passesRun_;
        ++stepsCounted_;
    } else if (seq.power == Power::Running) {
        // The splash is over: the meters count passes from here.
        passesRun_ = 0;
        passClock_.start();
        stepsCounted_ = 0;
        rateClock_.restart();
    } else {
        ++stepsCounted_;
    }
    scheduleNextStep();
}

double TForm1::passRate() const {
    if (seq.power != Power::Running || !passClock_.isValid()) return 0.0;
    const qint64 ms = passClock_.elapsed();
    return ms > 0 ? static_cast<double>(passesRun_) * 1000.0 / static_cast<double>(ms) : 0.0;
}

// A repeating timer keeps the pace exact on average; its interval changes only
// when the power state calls for another one.
void TForm1::scheduleNextStep() {
    if (seq.power == Power::Off) {
        StepTimer->stop();
        return;
    }
    const int interval = StepIntervalMs(seq.power, pace_);
    if (!StepTimer->isActive() || StepTimer->interval() != interval) StepTimer->start(interval);
}

void TForm1::haltInstrument() {
    StepTimer->stop();
    if (seq.power != Power::Off) Button2Click();
}

// Centred by its frame, title bar included, once the frame is known.
void TForm1::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (centred_) return;
    centred_ = true;
    centreByFrame();
    // A window manager adds its frame only after mapping, moving the window:
    // centre once more when the frame turns up, then leave the place to the user.
    frameAwaited_ = frameGeometry().size() == size();
    if (frameAwaited_) QTimer::singleShot(2000, this, [this] { frameAwaited_ = false; });
}

void TForm1::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    if (!frameAwaited_ || frameGeometry().size() == size()) return;
    frameAwaited_ = false;
    centreByFrame();
}

void TForm1::centreByFrame() {
    if (QScreen* s = screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(s->availableGeometry().center());
        move(frame.topLeft());
    }
}

void TForm1::closeEvent(QCloseEvent* event) {
    haltInstrument();
    event->accept();
}

void TForm1::updateRate() {
    const qint64 ms = rateClock_.restart();
    measuredRate_ =
        ms > 0 ? static_cast<double>(stepsCounted_) * 1000.0 / static_cast<double>(ms) : 0.0;
    stepsCounted_ = 0;
    const QString rate = QString::number(measuredRate_, 'f', measuredRate_ < 100.0 ? 1 : 0);
    switch (seq.power) {
    case Power::Off: RateLabel->setText(QStringLiteral("off")); break;
    case Power::Splash:
        RateLabel->setText(QStringLiteral("measured: splash %1 frames/s").arg(rate));
        break;
    case Power::Running:
        RateLabel->setText(QStringLiteral("measured: %1 passes/s").arg(rate));
        break;
    }
}

void TForm1::AppendCommLine(const char* line) {
    QScrollBar* bar = Memo1->verticalScrollBar();
    const bool followEnd = bar->value() == bar->maximum();
    QTextCursor cursor(Memo1->document());
    cursor.movePosition(QTextCursor::End);
    // An empty document already holds one empty block: the first line goes there.
    if (commStarted_ || !Memo1->document()->isEmpty()) cursor.insertBlock();
    cursor.insertText(QString::fromLatin1(line));
    commStarted_ = true;
    if (followEnd) bar->setValue(bar->maximum());
}

bool TForm1::CalibrateTicked() { return CheckBox2->isChecked(); }
bool TForm1::KeyFastTicked() { return CheckBox3->isChecked(); }
void TForm1::SetLamp(bool bright) { Shape1->setColour(bright ? kLampBright : kLampDark); }
void TForm1::SetViewVisible(bool visible) { Image1->setVisible(visible); }
void TForm1::PresentFrame() { Image1->presentFrame(inst.frameBuffer); }
