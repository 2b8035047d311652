#include "app/app_version.h"
#include "app/window_layout.h"

#include <QTest>

#include <cmath>

using namespace Qt::StringLiterals;
using sw::DesignControl;
using sw::layoutFactors;
using sw::placeControl;

class LayoutTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void designSize();
    void fontsFollowTheSmallerFactorInSinglePrecision();
    void refusedValuesAreSkipped();
    void captionsAndVersion();
};

namespace {

const DesignControl& control(QLatin1StringView name)
{
    for (const DesignControl& c : sw::designControls()) {
        if (c.name == name)
            return c;
    }
    qFatal("no control %s", name.data());
}

} // namespace

void LayoutTest::designSize()
{
    QCOMPARE(sw::designControls().size(), std::size_t(72));
    const auto factors = layoutFactors(14070, 11640);
    const auto list = placeControl(control("lstScript"_L1), factors);
    QCOMPARE(list.top, 932);
    // Horizontal values stay; vertical ones shrink by (11640 - 330) / 11640.
    for (const DesignControl& c : sw::designControls()) {
        const auto placed = placeControl(c, factors);
        QCOMPARE(placed.left, c.left);
        QCOMPARE(placed.top, int(std::floor(c.top * 11310.0 / 11640.0)));
        if (!sw::sizesItself(c.kind)) {
            QCOMPARE(placed.width, c.width);
            QCOMPARE(placed.height, int(std::floor(c.height * 11310.0 / 11640.0)));
        }
        if (const int base = sw::layoutFontBase(c.kind); base > 0)
            QCOMPARE(placed.fontSize, base);
        else
            QVERIFY(!placed.fontSize);
    }
    // Wider only: everything moves and widens, no font changes while the height is smaller.
    const auto wide = placeControl(control("cmdDelete"_L1), layoutFactors(21105, 11640));
    QCOMPARE(wide.left, 18180);
    QCOMPARE(wide.width, 2002);
    QCOMPARE(wide.fontSize, 12);
}

void LayoutTest::fontsFollowTheSmallerFactorInSinglePrecision()
{
    // 11725 / 14070 is 5/6; in single precision 12 x 5/6 falls just below 10.
    const auto narrow = layoutFactors(11725, 20000);
    QCOMPARE(placeControl(control("txtTout"_L1), narrow).fontSize, 9);
    QCOMPARE(placeControl(control("cmbMode"_L1), narrow).fontSize, 11);
    QCOMPARE(placeControl(control("lblTout"_L1), narrow).fontSize, 8);
    // Taller only: the width factor is the smaller one, fonts keep their base sizes.
    QCOMPARE(placeControl(control("lblFlow"_L1), layoutFactors(14070, 30000)).fontSize, 12);
    // The default start size, 14070 x 10950: the height factor decides.
    QCOMPARE(placeControl(control("cmbMode"_L1), layoutFactors(14070, 10950)).fontSize, 13);
}

void LayoutTest::refusedValuesAreSkipped()
{
    // At 330 twips high every height is 0, which is allowed, and so is every top.
    const auto flat = placeControl(control("lstScript"_L1), layoutFactors(14070, 330));
    QCOMPARE(flat.height, 0);
    QCOMPARE(flat.top, 0);
    // Below it heights would be negative and fonts 0: skipped, while widths, lefts and the
    // tops, negative now, are still set.
    const auto low = placeControl(control("lstScript"_L1), layoutFactors(14070, 200));
    QVERIFY(!low.height && !low.fontSize);
    QCOMPARE(low.width, 5535);
    QCOMPARE(low.left, 8160);
    QCOMPARE(low.top, int(std::floor(960 * -130.0 / 11640)));
    // Self-sizing captions never get a size; arrow buttons and frames never a font.
    const auto caption = placeControl(control("lblINSet"_L1), layoutFactors(14070, 11640));
    QVERIFY(!caption.width && !caption.height);
    QVERIFY(!placeControl(control("cmdIN"_L1), layoutFactors(14070, 11640)).fontSize);
    // Sizes far beyond any screen are refused, not wrapped round.
    const auto huge = placeControl(control("lstScript"_L1), layoutFactors(1e12, 1e12));
    QVERIFY(!huge.width && !huge.height && !huge.left && !huge.fontSize);
}

void LayoutTest::captionsAndVersion()
{
    QCOMPARE(sw::baseCaption(), u"KT615 Stepwright   V1.02"_s);
    QCOMPARE(sw::versionText(), u"1.02"_s);
    QCOMPARE(sw::baseCaption(1, 123), u"KT615 Stepwright   V1.23"_s);
    QCOMPARE(sw::versionText(2, 10), u"2.10"_s);
}

QTEST_APPLESS_MAIN(LayoutTest)
#include "test_layout.moc"
