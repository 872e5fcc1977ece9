#include "app/face.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>
#include <numbers>
#include <random>

namespace {
constexpr int kSize = 310;

// Places on the face; each lies under the window control of the same role.
const QRectF kLcdGlass(40, 92, 231, 135);
const QPointF kLampCentre(155, 29);
const QPointF kKnobCentre(262, 44);
struct Key {
    QPointF centre;
    int symbol;  // -1 left arrow, 0 centre dot, 1 right arrow
};
const Key kKeys[] = {{{89.5, 258.5}, -1}, {{155.5, 270.5}, 0}, {{220.5, 258.5}, 1}};
const QPointF kScrews[] = {{19, 19}, {291, 19}, {19, 291}, {291, 291}};

const QColor kPrint(214, 217, 222);  // the white paint of the lettering

QFont Lettering(int pixels, bool bold, qreal spacing) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    font.setLetterSpacing(QFont::AbsoluteSpacing, spacing);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

// A round part lit from the upper left: its highlight, body and rim colours.
struct Shine {
    QPointF light;  // offset of the highlight from the centre
    qreal spread;
    QColor highlight;
    qreal bodyAt;
    QColor body;
    QColor rim;
};

void DrawLitDisc(QPainter& p, QPointF centre, qreal radius, const Shine& shine) {
    QRadialGradient gradient(centre + shine.light, shine.spread);
    gradient.setColorAt(0.0, shine.highlight);
    gradient.setColorAt(shine.bodyAt, shine.body);
    gradient.setColorAt(1.0, shine.rim);
    p.setPen(QPen(QColor(14, 15, 17), 1.0));
    p.setBrush(gradient);
    p.drawEllipse(centre, radius, radius);
}

QPointF Polar(QPointF centre, double radius, double degrees) {
    const double a = degrees * std::numbers::pi / 180.0;
    return centre + QPointF(radius * std::cos(a), radius * std::sin(a));
}

void DrawPlate(QPainter& p, const QPainterPath& plate) {
    QLinearGradient metal(0, 0, 0, kSize);
    metal.setColorAt(0.0, QColor(74, 78, 86));
    metal.setColorAt(0.45, QColor(48, 51, 57));
    metal.setColorAt(1.0, QColor(30, 32, 36));
    p.fillPath(plate, metal);

    // Fine horizontal grain, always the same.
    p.save();
    p.setClipPath(plate);
    std::minstd_rand grain(5);
    std::uniform_int_distribution<int> alpha(0, 14);
    for (int y = 0; y < kSize; ++y) {
        const bool light = (grain() & 1) != 0;
        p.setPen(QColor(light ? 255 : 0, light ? 255 : 0, light ? 255 : 0, alpha(grain)));
        p.drawLine(0, y, kSize, y);
    }
    p.restore();

    // Light catches the upper edge, the lower edge falls into shadow.
    QLinearGradient rim(0, 0, 0, kSize);
    rim.setColorAt(0.0, QColor(255, 255, 255, 90));
    rim.setColorAt(0.5, QColor(255, 255, 255, 10));
    rim.setColorAt(1.0, QColor(0, 0, 0, 120));
    p.strokePath(plate, QPen(QBrush(rim), 3.0));
    p.strokePath(plate, QPen(QColor(10, 11, 13), 1.2));
}

void DrawScrew(QPainter& p, QPointF c) {
    DrawLitDisc(
        p, c, 6.5,
        {{-2, -2}, 8, QColor(205, 208, 212), 0.6, QColor(128, 132, 138), QColor(60, 62, 66)});
    // Cross recess, a little turned as screws are.
    p.setPen(QPen(QColor(35, 36, 40), 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(Polar(c, 4, 20), Polar(c, 4, 200));
    p.drawLine(Polar(c, 4, 110), Polar(c, 4, 290));
}

void DrawLcdWindow(QPainter& p) {
    // Raised frame round the glass, then the recess, then the dark glass.
    const QRectF frame = kLcdGlass.adjusted(-7, -7, 7, 6);
    QLinearGradient edge(frame.topLeft(), frame.bottomLeft());
    edge.setColorAt(0.0, QColor(96, 100, 108));
    edge.setColorAt(1.0, QColor(28, 30, 33));
    p.setPen(QPen(QColor(12, 13, 15), 1.0));
    p.setBrush(edge);
    p.drawRoundedRect(frame, 7, 7);

    const QRectF recess = kLcdGlass.adjusted(-4, -4, 4, 3);
    QLinearGradient inner(recess.topLeft(), recess.bottomLeft());
    inner.setColorAt(0.0, QColor(10, 10, 12));
    inner.setColorAt(1.0, QColor(52, 55, 60));
    p.setPen(Qt::NoPen);
    p.setBrush(inner);
    p.drawRoundedRect(recess, 4, 4);

    QLinearGradient glass(kLcdGlass.topLeft(), kLcdGlass.bottomRight());
    glass.setColorAt(0.0, QColor(34, 44, 40));
    glass.setColorAt(0.4, QColor(14, 19, 17));
    glass.setColorAt(1.0, QColor(8, 10, 9));
    p.setBrush(glass);
    p.drawRect(kLcdGlass);
}

void DrawLampSocket(QPainter& p) {
    // Chrome ring round the lamp.
    DrawLitDisc(
        p, kLampCentre, 17,
        {{-4, -5}, 20, QColor(236, 238, 240), 0.55, QColor(140, 144, 150), QColor(52, 54, 58)});
    p.setBrush(QColor(20, 8, 8));
    p.drawEllipse(kLampCentre, 13.5, 13.5);

    p.setFont(Lettering(8, true, 1.2));
    p.setPen(kPrint);
    p.drawText(QRectF(kLampCentre.x() - 40, 50, 80, 12), Qt::AlignHCenter | Qt::AlignTop,
               QStringLiteral("ALARM"));
}

void DrawModelName(QPainter& p) {
    p.setPen(kPrint);
    p.setFont(Lettering(21, true, 0.5));
    p.drawText(QPointF(34, 42), QStringLiteral("QTR-5"));
    p.setFont(Lettering(8, false, 1.5));
    p.drawText(QPointF(35, 58), QStringLiteral("ALT \u00b7 ASI"));
    // A thin printed rule under the name.
    p.setPen(QPen(QColor(214, 217, 222, 150), 1.0));
    p.drawLine(QPointF(35, 64.5), QPointF(108, 64.5));
}

void DrawKnob(QPainter& p) {
    const QPointF c = kKnobCentre;
    QRadialGradient shadow(c + QPointF(2, 4), 32);
    shadow.setColorAt(0.7, QColor(0, 0, 0, 150));
    shadow.setColorAt(1.0, QColor(0, 0, 0, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(shadow);
    p.drawEllipse(c + QPointF(2, 4), 32, 32);

    // Knurled skirt.
    p.setBrush(QColor(34, 36, 40));
    p.setPen(QPen(QColor(8, 9, 10), 1.0));
    p.drawEllipse(c, 26, 26);
    for (int i = 0; i < 60; ++i) {
        const double a = i * 6.0;
        // Ridges facing the light are brighter.
        const double lit = 0.5 + 0.5 * std::cos((a - 225.0) * std::numbers::pi / 180.0);
        const int v = 40 + static_cast<int>(lit * 90.0);
        p.setPen(QPen(QColor(v, v + 2, v + 6), 1.3));
        p.drawLine(Polar(c, 21.5, a), Polar(c, 25.5, a));
    }

    DrawLitDisc(p, c, 20,
                {{-6, -7}, 26, QColor(118, 122, 130), 0.5, QColor(62, 65, 72), QColor(24, 25, 28)});
    // Index mark.
    p.setPen(QPen(kPrint, 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(Polar(c, 9, -60), Polar(c, 17, -60));

    p.setFont(Lettering(8, true, 1.2));
    p.setPen(kPrint);
    p.drawText(QRectF(c.x() - 30, 73, 60, 11), Qt::AlignHCenter | Qt::AlignTop,
               QStringLiteral("SET"));
    // Turning arrows either side of the label, pointing away from it.
    p.setPen(QPen(kPrint, 1.0));
    p.setBrush(Qt::NoBrush);
    const double r = 31;
    const QRectF arc(c.x() - r, c.y() - r, 2 * r, 2 * r);
    p.drawArc(arc, 205 * 16, 40 * 16);
    p.drawArc(arc, 295 * 16, 40 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(kPrint);
    for (const double tip : {205.0, 335.0}) {
        // Arc angles run anticlockwise with y up; the tip heads on along the arc.
        const double a = tip * std::numbers::pi / 180.0;
        const QPointF at = c + QPointF(r * std::cos(a), -r * std::sin(a));
        const double sense = tip < 270.0 ? 1.0 : -1.0;
        const QPointF along(sense * std::sin(a), sense * std::cos(a));
        const QPointF across(along.y(), -along.x());
        QPainterPath head;
        head.moveTo(at + along * 4.0);
        head.lineTo(at + across * 2.6);
        head.lineTo(at - across * 2.6);
        head.closeSubpath();
        p.drawPath(head);
    }
}

void DrawKey(QPainter& p, const Key& key) {
    const QPointF c = key.centre;
    // The hole in the plate, lit from above: dark top, light lower lip.
    QLinearGradient collar(c + QPointF(0, -23), c + QPointF(0, 23));
    collar.setColorAt(0.0, QColor(8, 8, 10));
    collar.setColorAt(1.0, QColor(92, 96, 104));
    p.setPen(Qt::NoPen);
    p.setBrush(collar);
    p.drawEllipse(c, 23, 23);

    DrawLitDisc(
        p, c, 19.5,
        {{-6, -8}, 28, QColor(112, 116, 124), 0.55, QColor(66, 69, 76), QColor(34, 36, 40)});

    p.setPen(Qt::NoPen);
    p.setBrush(kPrint);
    if (key.symbol == 0) {
        p.drawEllipse(c, 4, 4);
        return;
    }
    const double s = key.symbol;
    QPainterPath arrow;
    arrow.moveTo(c + QPointF(s * 6, 0));
    arrow.lineTo(c + QPointF(-s * 4, -6));
    arrow.lineTo(c + QPointF(-s * 4, 6));
    arrow.closeSubpath();
    p.drawPath(arrow);
}
}  // namespace

QImage DrawInstrumentFace() {
    QImage face(kSize, kSize, QImage::Format_ARGB32_Premultiplied);
    face.fill(Qt::transparent);
    QPainter p(&face);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    QPainterPath plate;
    plate.addRoundedRect(QRectF(1.5, 1.5, kSize - 3, kSize - 3), 20, 20);
    DrawPlate(p, plate);
    for (const QPointF& screw : kScrews) DrawScrew(p, screw);
    DrawLcdWindow(p);
    DrawLampSocket(p);
    DrawModelName(p);
    DrawKnob(p);
    for (const Key& key : kKeys) DrawKey(p, key);
    return face;
}
