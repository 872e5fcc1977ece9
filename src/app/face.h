// The instrument-face picture behind the window's keys and LCD view.
#pragma once

#include <QImage>

// The 310 x 310 face: bezel, LCD window, lamp socket, three keys and the
// knob, drawn in code; transparent outside the rounded bezel.
QImage DrawInstrumentFace();
