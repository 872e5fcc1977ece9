// The simulator window: the controls that stand in for the instrument's
// hardware, and the host the instrument draws into and reads from.
#pragma once

#include <QElapsedTimer>
#include <QWidget>

#include "core/host.h"

class ClickArea;
class Lamp;
class LcdView;
class Panel;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QSlider;
class QStatusBar;
class QTimer;

class TForm1 : public QWidget, public Host {
    Q_OBJECT

public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    // Passes per second, 0 unpaced; one of kPaces.
    int pace() const { return pace_; }
    void setPace(int pace);
    // What the status bar shows: splash frames or passes a second over the
    // last second, never the two mixed.
    double measuredRate() const { return measuredRate_; }
    // Main-loop passes a second since the main loop began, also within its
    // first second; 0 before it.
    double passRate() const;
    // Stops the instrument where it is: no further step runs.
    void haltInstrument();

    // Host
    void AppendCommLine(const char* line) override;
    bool CalibrateTicked() override;
    bool KeyFastTicked() override;
    void SetLamp(bool bright) override;
    void SetViewVisible(bool visible) override;
    void PresentFrame() override;
    void PumpMessages() override {}  // Qt's event loop runs between steps

    // Controls, in creation order: later ones lie on top.
    QLabel* Image2;
    QLabel* Label13;
    Lamp* Shape1;
    ClickArea* Image3;
    ClickArea* Image5;
    ClickArea* Image6;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QPushButton* Button1;
    QPushButton* Button2;
    QSlider* TrackBar1;
    QStatusBar* StatusBar1;
    Panel* Panel1;
    LcdView* Image1;
    QCheckBox* CheckBox2;
    QCheckBox* CheckBox3;
    QSlider* TrackBar2;
    QPushButton* Button3;
    QPushButton* Button4;
    QGroupBox* GroupBox1;
    QPlainTextEdit* Memo1;
    QTimer* Timer1;
    // In the status bar: the pace and the rate it reaches.
    QComboBox* PaceBox;
    QLabel* RateLabel;
    // Runs the instrument's steps.
    QTimer* StepTimer;

public slots:
    // One instrument step, then the next one is scheduled.
    void runStep();
    void powerOn();
    void powerOff();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    void createControls();
    void createStatusBar();
    void arrangeTabOrder();
    void scheduleNextStep();
    void updateRate();

    int pace_;
    bool commStarted_ = false;
    bool centred_ = false;
    bool frameAwaited_ = false;  // centred before a window manager framed it
    void centreByFrame();
    uint64_t stepsCounted_ = 0;  // splash frames or passes, whichever ran last
    double measuredRate_ = 0.0;
    QElapsedTimer rateClock_;
    uint64_t passesRun_ = 0;
    QElapsedTimer passClock_;  // from the start of the main loop
    QTimer* rateTimer_;
};

// The one window of the program; null when none exists.
extern TForm1* Form1;
