// The LCD view and the alarm lamp: every dot as a 2 x 2 block, the edges the
// instrument never paints, and the lamp's two colours.
#include <QSet>
#include <cstring>

#include "app/widgets.h"
#include "window_fixture.h"

class ViewTest : public QObject {
    Q_OBJECT

private slots:
    void init() { fx.start(); }
    void cleanup() { fx.finish(); }

    void emptyViewAndBrightLampAtCreation();
    void dotsPaintAsTwoByTwoBlocks_data();
    void dotsPaintAsTwoByTwoBlocks();
    void everyFrameRepaintsEveryDot();
    void panelShowsAtTheUnpaintedEdges();
    void lampShowsBrightAndDark();

private:
    WindowFixture fx;
    const QImage& view() { return fx.form->Image1->picture(); }
};

void ViewTest::emptyViewAndBrightLampAtCreation() {
    QVERIFY(view().isNull());
    QCOMPARE(fx.form->Shape1->colour(), kLampBright);
    QCOMPARE(fx.form->Shape1->size(), QSize(24, 24));
}

void ViewTest::dotsPaintAsTwoByTwoBlocks_data() {
    QTest::addColumn<int>("byte");
    QTest::addColumn<int>("bits");
    QTest::addColumn<QList<QPoint>>("black");
    QTest::newRow("all clear") << 0 << 0x00 << QList<QPoint>{};
    QTest::newRow("dot (0,0)") << 0 << 0x01 << QList<QPoint>{{0, 0}, {1, 0}, {0, 1}, {1, 1}};
    QTest::newRow("byte 114 bit 7: dot (0,15)")
        << 114 << 0x80 << QList<QPoint>{{0, 30}, {1, 30}, {0, 31}, {1, 31}};
    QTest::newRow("dot (113,63)") << 911 << 0x80
                                  << QList<QPoint>{{226, 126}, {227, 126}, {226, 127}, {227, 127}};
    QTest::newRow("dots (5,0) and (5,2)")
        << 5 << 0x05
        << QList<QPoint>{{10, 0}, {11, 0}, {10, 1}, {11, 1}, {10, 4}, {11, 4}, {10, 5}, {11, 5}};
}

void ViewTest::dotsPaintAsTwoByTwoBlocks() {
    QFETCH(int, byte);
    QFETCH(int, bits);
    QFETCH(QList<QPoint>, black);
    std::memset(inst.frameBuffer, 0, sizeof inst.frameBuffer);
    inst.frameBuffer[byte] = static_cast<uint8_t>(bits);
    fx.form->PresentFrame();

    const QImage& image = view();
    QCOMPARE(image.size(), QSize(229, 133));
    const QSet<QPoint> dark(black.begin(), black.end());
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            QRgb want = kLcdBackground;
            if (x == 228 || y >= 128)
                want = qRgba(0, 0, 0, 0);  // never painted
            else if (dark.contains(QPoint(x, y)))
                want = kLcdDark;
            if (image.pixel(x, y) != want)
                QFAIL(qPrintable(QStringLiteral("view pixel (%1,%2) is %3, want %4")
                                     .arg(x)
                                     .arg(y)
                                     .arg(image.pixel(x, y), 8, 16)
                                     .arg(want, 8, 16)));
        }
    }
}

void ViewTest::everyFrameRepaintsEveryDot() {
    std::memset(inst.frameBuffer, 0xff, sizeof inst.frameBuffer);
    fx.form->PresentFrame();
    QCOMPARE(view().pixel(0, 0), kLcdDark);
    QCOMPARE(view().pixel(227, 127), kLcdDark);
    std::memset(inst.frameBuffer, 0, sizeof inst.frameBuffer);
    fx.form->PresentFrame();
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 228; ++x)
            if (view().pixel(x, y) != kLcdBackground)
                QFAIL(qPrintable(QStringLiteral("dot left dark at (%1,%2)").arg(x).arg(y)));
}

void ViewTest::panelShowsAtTheUnpaintedEdges() {
    std::memset(inst.frameBuffer, 0xff, sizeof inst.frameBuffer);
    fx.form->PresentFrame();
    // What a person sees: the panel, with the view one pixel in from its edge.
    const QImage seen = fx.form->Panel1->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(seen.pixel(1 + 0, 1 + 0), kLcdDark);
    QCOMPARE(seen.pixel(1 + 227, 1 + 127), kLcdDark);
    QCOMPARE(seen.pixel(1 + 228, 1 + 60), kPanelColour);
    QCOMPARE(seen.pixel(1 + 100, 1 + 128), kPanelColour);
    QCOMPARE(seen.pixel(1 + 100, 1 + 132), kPanelColour);
}

void ViewTest::lampShowsBrightAndDark() {
    Lamp& lamp = *fx.form->Shape1;
    for (const bool bright : {false, true, false}) {
        fx.form->SetLamp(bright);
        const QRgb want = bright ? kLampBright : kLampDark;
        QCOMPARE(lamp.colour(), want);
        const QImage seen = lamp.grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(seen.pixel(12, 12), want);
        QCOMPARE(seen.pixel(5, 12), want);
    }
}

QTEST_MAIN(ViewTest)
#include "view_test.moc"
