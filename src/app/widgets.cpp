#include "app/widgets.h"

#include <QMouseEvent>
#include <QPainter>

#include "core/state.h"
#include "lcd/lcd.h"

LcdView::LcdView(QWidget* parent) : QWidget(parent) {}

void LcdView::presentFrame(const uint8_t* frameBuffer) {
    if (picture_.isNull()) {
        picture_ = QImage(kWidth, kHeight, QImage::Format_ARGB32);
        picture_.fill(Qt::transparent);
    }
    for (int32_t x = 0; x < kLcdWidth; ++x) {
        for (int32_t y = 0; y < kLcdHeight; ++y) {
            const bool dark = (frameBuffer[(y / 8) * kLcdWidth + x] & bitMask[y % 8]) != 0;
            plotLcdPixel(x, y, dark ? kLcdDark : kLcdBackground);
        }
    }
    update();
}

void LcdView::plotLcdPixel(int32_t x, int32_t y, QRgb colour) {
    if (picture_.isNull() || x < 0 || x >= kLcdWidth || y < 0 || y >= kLcdHeight) return;
    auto* top = reinterpret_cast<QRgb*>(picture_.scanLine(2 * y)) + 2 * x;
    auto* bottom = reinterpret_cast<QRgb*>(picture_.scanLine(2 * y + 1)) + 2 * x;
    top[0] = colour;
    top[1] = colour;
    bottom[0] = colour;
    bottom[1] = colour;
}

void LcdView::paintEvent(QPaintEvent*) {
    if (picture_.isNull()) return;
    QPainter painter(this);
    painter.drawImage(0, 0, picture_);
}

void Panel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(kPanelColour));
    // A raised one-pixel bevel: light above and left, dark below and right.
    const int right = width() - 1;
    const int bottom = height() - 1;
    painter.setPen(QColor(220, 220, 220));
    painter.drawLine(0, 0, right - 1, 0);
    painter.drawLine(0, 0, 0, bottom - 1);
    painter.setPen(QColor(90, 90, 90));
    painter.drawLine(0, bottom, right, bottom);
    painter.drawLine(right, 0, right, bottom);
}

Lamp::Lamp(QWidget* parent) : QWidget(parent) { setAttribute(Qt::WA_TranslucentBackground); }

void Lamp::setColour(QRgb colour) {
    if (colour == colour_) return;
    colour_ = colour;
    update();
}

void Lamp::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(30, 30, 30), 1.0));
    painter.setBrush(QColor(colour_));
    painter.drawEllipse(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
}

ClickArea::ClickArea(QWidget* parent, void (*handler)()) : QWidget(parent), handler_(handler) {
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::PointingHandCursor);
}

void ClickArea::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
    event->accept();
    handler_();
}

void ClickArea::mouseReleaseEvent(QMouseEvent* event) { event->accept(); }
