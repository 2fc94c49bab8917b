#include <cmath>

#include <QTest>

#include "design/profile_tables.h"
#include "design/outline.h"
#include "window/section_plot.h"

namespace {

const QRgb kLightYellow = qRgb(255, 255, 192);

folix::Outline outlineOf(const folix::DesignState& state)
{
    folix::Outline outline;
    for (int i = 1; i <= folix::kOutlineSamples; ++i)
        outline[static_cast<std::size_t>(i - 1)] = {static_cast<float>(state.XU[i]), static_cast<float>(state.YU[i])};
    return outline;
}

folix::DesignState profile(double F, double G, double EM)
{
    folix::DesignState state;
    state.Pi = 4 * std::atan(1.0);
    state.F = F;
    state.G = G;
    state.EM = EM;
    folix::fillProfileTables(state);
    return state;
}

// The drawn pixels inside the border, as found in a grabbed image.
struct Ink {
    int left = INT_MAX, right = -1, top = INT_MAX, bottom = -1;
    int leftRowSum = 0, leftRows = 0;
    int count = 0;
    int other = 0;  // pixels that are neither background, ink nor the antialiased blend of the two
};

// Black ink laid over the light yellow in part: (255, 255, 192) darkened evenly.
bool isInkBlend(QRgb pixel)
{
    return qRed(pixel) == qGreen(pixel) && std::abs(qBlue(pixel) * 255 - qRed(pixel) * 192) <= 255 &&
           qAlpha(pixel) == 255;
}

Ink inkOf(const QImage& image, const QRect& area)
{
    Ink ink;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (pixel == kLightYellow) continue;
            if (!isInkBlend(pixel)) ++ink.other;
            if (qGray(pixel) > 100) continue;
            ++ink.count;
            ink.top = std::min(ink.top, y);
            ink.bottom = std::max(ink.bottom, y);
            ink.right = std::max(ink.right, x);
            if (x < ink.left) {
                ink.left = x;
                ink.leftRowSum = 0;
                ink.leftRows = 0;
            }
            if (x == ink.left) {
                ink.leftRowSum += y;
                ++ink.leftRows;
            }
        }
    return ink;
}

}  // namespace

class SectionPlotTest : public QObject {
    Q_OBJECT

private slots:
    void referenceOutlineIsClosedAtTheLeadingEdge();
    void blankBeforeTheFirstDesign();
    void leadingEdgeAndChordLineLandWhereTheWindowPutsThem();
    void outlineSurvivesResizing();
    void nextDesignErasesThePrevious();
    void outlineBeyondTheWindowIsCutAtTheBorder();
};

void SectionPlotTest::referenceOutlineIsClosedAtTheLeadingEdge()
{
    const folix::DesignState state = profile(0.1, 0.0, 2.0);
    QVERIFY(std::abs(state.XU[1]) < 1e-12 && std::abs(state.YU[1]) < 1e-12);
    QVERIFY(std::abs(state.XU[52]) < 1e-12 && std::abs(state.YU[52]) < 1e-12);
    double largest = 0;
    for (int i = 1; i <= 52; ++i) largest = std::max(largest, state.XU[i]);
    QVERIFY(std::abs(largest - 0.99906) < 5e-6);
}

void SectionPlotTest::blankBeforeTheFirstDesign()
{
    SectionPlot plot;
    plot.resize(500, 200);
    QCOMPARE(plot.objectName(), "Picture1");
    QVERIFY(!plot.hasOutline());
    const QImage image = plot.grab().toImage();
    const Ink ink = inkOf(image, plot.contentsRect());
    QCOMPARE(ink.count, 0);
    QCOMPARE(ink.other, 0);
}

void SectionPlotTest::leadingEdgeAndChordLineLandWhereTheWindowPutsThem()
{
    SectionPlot plot;
    plot.resize(602, 242);  // a drawing area of 600 by 240, the visible window's own proportion
    plot.draw(outlineOf(profile(0.1, 0.0, 2.0)));
    const QImage image = plot.grab().toImage();
    const QRect area = plot.contentsRect();
    const Ink ink = inkOf(image, area);
    QVERIFY(ink.count > 0);
    QCOMPARE(ink.other, 0);  // one plain pen, nothing else drawn

    // Chord lengths across: -0.1 at the left edge, 1.1 at the right edge.
    const double perChord = area.width() / 1.2;
    QVERIFY2(std::abs(ink.left - (area.left() + 0.1 * perChord)) <= 1.5, qPrintable(QString::number(ink.left)));
    QVERIFY2(std::abs(ink.right - (area.left() + 1.09906 * perChord)) <= 1.5, qPrintable(QString::number(ink.right)));
    // The symmetric section's chord line runs at mid-height.
    const double middle = area.top() + area.height() / 2.0;
    QVERIFY(std::abs(double(ink.leftRowSum) / ink.leftRows - middle) <= 1.5);
    QVERIFY(std::abs((ink.top + ink.bottom) / 2.0 - middle) <= 1.5);
    // A chord length up takes the same room as across.
    const double halfThickness = (ink.bottom - ink.top) / 2.0 / (area.height() / 0.48);
    const folix::DesignState state = profile(0.1, 0.0, 2.0);
    double thickest = 0;
    for (int i = 1; i <= 52; ++i) thickest = std::max(thickest, state.YU[i]);
    QVERIFY(std::abs(halfThickness - thickest) < 2.0 / perChord);
}

void SectionPlotTest::outlineSurvivesResizing()
{
    SectionPlot plot;
    plot.resize(300, 120);
    plot.draw(outlineOf(profile(0.1, 0.0, 2.0)));
    plot.resize(900, 360);
    const QRect area = plot.contentsRect();
    const Ink ink = inkOf(plot.grab().toImage(), area);
    QVERIFY(std::abs(ink.left - (area.left() + area.width() / 12.0)) <= 1.5);
    QVERIFY(ink.right > area.left() + area.width() * 0.9);
}

void SectionPlotTest::nextDesignErasesThePrevious()
{
    SectionPlot plot;
    plot.resize(500, 200);
    plot.draw(outlineOf(profile(0.3, 0.1, 1.8)));
    plot.draw(outlineOf(profile(0.1, 0.0, 2.0)));
    SectionPlot fresh;
    fresh.resize(500, 200);
    fresh.draw(outlineOf(profile(0.1, 0.0, 2.0)));
    QCOMPARE(plot.grab().toImage(), fresh.grab().toImage());
}

void SectionPlotTest::outlineBeyondTheWindowIsCutAtTheBorder()
{
    SectionPlot blank;
    blank.resize(500, 200);
    SectionPlot plot;
    plot.resize(500, 200);
    plot.draw(outlineOf(profile(2.0, 0.0, 2.0)));  // far thicker than the window is high
    const QImage drawn = plot.grab().toImage();
    const QImage empty = blank.grab().toImage();
    const QRect area = plot.contentsRect();
    const Ink ink = inkOf(drawn, area);
    QCOMPARE(ink.top, area.top());
    QCOMPARE(ink.bottom, area.bottom());
    for (int y = 0; y < drawn.height(); ++y)
        for (int x = 0; x < drawn.width(); ++x)
            if (!area.contains(x, y)) QCOMPARE(drawn.pixel(x, y), empty.pixel(x, y));
}

QTEST_MAIN(SectionPlotTest)
#include "section_plot_test.moc"
