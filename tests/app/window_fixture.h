// A fresh program and a fresh window for each window test, and ways to drive
// the instrument one step at a time.
#pragma once

#include <QPushButton>
#include <QTest>
#include <memory>

#include "app/pcmain.h"
#include "core/sequence.h"
#include "core/state.h"

struct WindowFixture {
    std::unique_ptr<TForm1> form;

    void start() {
        ResetProgram();
        ResetSequence();
        form = std::make_unique<TForm1>();
    }
    void finish() { form.reset(); }

    void click(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton); }
    void steps(int count) {
        for (int i = 0; i < count; ++i) form->runStep();
    }
    // ON, the 80 splash frames, and the first main-loop pass.
    void powerOnToMainLoop() {
        click(form->Button1);
        steps(81);
    }
};
