#include "app/window_layout.h"

#include <QTest>

#include <algorithm>
#include <tuple>

using namespace Qt::StringLiterals;

class LayoutTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void placementsScaleWithTheWindow();
};

void LayoutTest::placementsScaleWithTheWindow()
{
    // Width, height, left, top and font size of a control at an outer window size in twips;
    // "-" where the layout leaves the value alone.
    const QList<std::tuple<double, double, QLatin1StringView, QString>> rows{
        // The design size: horizontal values as designed, the list's top 960 becomes 932.
        {14070, 11640, "lstScript"_L1, u"5535 8453 8160 932 12"_s},
        // The width factor 5/6, in single precision, puts 12 x 5/6 just below 10.
        {11725, 20000, "txtTout"_L1, u"912 633 2300 1622 9"_s},
        // The default start size: the height factor decides the font.
        {14070, 10950, "cmbMode"_L1, u"2175 410 480 218 13"_s},
        // Captions size themselves.
        {11725, 20000, "lblTout"_L1, u"- - 1100 1689 8"_s},
        // At 330 twips high heights and tops are 0 and fonts refused; lower, heights are refused
        // too and tops go negative.
        {14070, 330, "lstScript"_L1, u"5535 0 8160 0 -"_s},
        {14070, 200, "lstScript"_L1, u"5535 - 8160 -11 -"_s},
        // Far beyond any screen: refused, not wrapped round.
        {1e12, 1e12, "lstScript"_L1, u"- - - - -"_s},
    };
    const auto text = [](std::optional<int> value) {
        return value ? QString::number(*value) : u"-"_s;
    };
    const auto controls = sw::designControls();
    for (const auto& [width, height, name, expected] : rows) {
        const QLatin1StringView wanted = name;
        const auto control = std::find_if(controls.begin(), controls.end(),
                                          [wanted](const auto& c) { return c.name == wanted; });
        const sw::Placement p = sw::placeControl(*control, sw::layoutFactors(width, height));
        QCOMPARE(QStringList(
                     {text(p.width), text(p.height), text(p.left), text(p.top), text(p.fontSize)})
                     .join(u' '),
                 expected);
    }
}

QTEST_APPLESS_MAIN(LayoutTest)
#include "test_layout.moc"
