// What the instrument needs from whatever stands in for its hardware: the
// Qt window, or the headless runner. Nothing above this line knows which.
#pragma once

class Host {
public:
    virtual ~Host() = default;
    // The communication line of one main-loop pass.
    virtual void AppendCommLine(const char* line) = 0;
    virtual bool CalibrateTicked() = 0;
    virtual bool KeyFastTicked() = 0;
    virtual void SetLamp(bool bright) = 0;
    virtual void SetViewVisible(bool visible) = 0;
    // Paint inst.frameBuffer into the LCD view.
    virtual void PresentFrame() = 0;
    // Deliver pending events. A host whose own event loop runs between steps
    // (the window) has nothing to do here.
    virtual void PumpMessages() = 0;
};

// The host the instrument talks to; set once before the first ON.
void SetHost(Host* host);
Host* CurrentHost();
