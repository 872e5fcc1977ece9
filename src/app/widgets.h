// The window's own small widgets: the LCD view, the panel around it, the
// alarm lamp and the transparent click areas over the keys.
#pragma once

#include <QImage>
#include <QWidget>
#include <cstdint>

// Background dots: a fixed light grey standing for the inactive-window-border
// colour, so the view looks the same on every desktop.
inline constexpr QRgb kLcdBackground = qRgb(200, 200, 200);
inline constexpr QRgb kLcdDark = qRgb(0, 0, 0);
// The panel behind the view (the scroll-bar grey): it shows through the
// view's unpainted right column and bottom rows.
inline constexpr QRgb kPanelColour = qRgb(160, 160, 160);
inline constexpr QRgb kLampBright = qRgb(255, 0, 0);
inline constexpr QRgb kLampDark = qRgb(128, 0, 0);

// Image1: the LCD at twice its size. Until the first frame it is empty and
// the panel shows through.
class LcdView : public QWidget {
public:
    static constexpr int kWidth = 229;
    static constexpr int kHeight = 133;

    explicit LcdView(QWidget* parent);
    // Paints every dot of the frame, column by column, top to bottom.
    void presentFrame(const uint8_t* frameBuffer);
    // The four view pixels of LCD dot (x, y).
    void plotLcdPixel(int32_t x, int32_t y, QRgb colour);
    const QImage& picture() const { return picture_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage picture_;  // null until the first frame; transparent where never painted
};

// Panel1: the raised frame the view sits in.
class Panel : public QWidget {
public:
    explicit Panel(QWidget* parent) : QWidget(parent) {}

protected:
    void paintEvent(QPaintEvent* event) override;
};

// Shape1: the alarm lamp, a filled circle.
class Lamp : public QWidget {
public:
    explicit Lamp(QWidget* parent);
    void setColour(QRgb colour);
    QRgb colour() const { return colour_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRgb colour_ = kLampBright;
};

// An invisible area over a key of the face picture; a press calls the handler.
class ClickArea : public QWidget {
public:
    ClickArea(QWidget* parent, void (*handler)());

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void (*handler_)();
};
