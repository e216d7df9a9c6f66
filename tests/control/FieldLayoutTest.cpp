#include "FieldProbe.h"
#include "control/OrvSearchACS2.h"
#include "support/FakeServices.h"
#include "support/PrintVariant.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <optional>

namespace orv {
namespace {

// A screen of a given density, in twips per pixel both ways.
class DensityScreen final : public ScreenService {
public:
    explicit DensityScreen(double twipsPerPixel) : m_twips(twipsPerPixel) {}
    double twipsPerPixelX() override { return m_twips; }
    double twipsPerPixelY() override { return m_twips; }
    void setBusy(bool) override {}

private:
    double m_twips;
};

// Where the layout puts the boxes, in twips, for a pixel of p twips; a hidden box has no left.
struct Placement {
    std::optional<int> code, description;
    int codeWidth, descriptionWidth;
    int second; // the second description box is moved even when it is hidden
    bool secondShown;
    int width;
};

struct LayoutCase {
    const char *name;
    std::function<void(OrvSearchACS2 &)> setUp;
    std::function<Placement(int p)> expected;
};

const LayoutCase kLayoutCases[] = {
    {"defaults", [](OrvSearchACS2 &) {},
     [](int p) { return Placement{0, 4 * p + 1000, 1000, 2000, 8 * p + 3000, true, 8 * p + 4000}; }},
    // Accounts: the second box's room goes to the description box.
    {"accounts", [](OrvSearchACS2 &f) { f.setSearchType(OrvSearchAccounts); },
     [](int p) { return Placement{0, 4 * p + 1000, 1000, 3000, 8 * p + 3000, false, 8 * p + 4000}; }},
    {"no code column", [](OrvSearchACS2 &f) { f.setVisibleCode(false); },
     [](int p) { return Placement{std::nullopt, 0, 1000, 2000, 4 * p + 2000, true, 4 * p + 3000}; }},
    // Accounts without the description column: the room goes to the code box.
    {"accounts, code only",
     [](OrvSearchACS2 &f) {
         f.setSearchType(OrvSearchAccounts);
         f.setVisibleDescription(false);
     },
     [](int p) { return Placement{0, std::nullopt, 2000, 3000, 4 * p + 1000, false, 4 * p + 2000}; }},
    {"nothing visible", [](OrvSearchACS2 &f) { f.setVisibleProperty(false); },
     [](int) { return Placement{std::nullopt, std::nullopt, 1000, 2000, 0, false, 0}; }},
    {"Visible off, then the code column on",
     [](OrvSearchACS2 &f) {
         f.setVisibleProperty(false);
         f.setVisibleCode(true);
     },
     [](int p) { return Placement{0, std::nullopt, 1000, 2000, 4 * p + 1000, false, 4 * p + 1000}; }},
};

TEST(FieldLayoutTest, PlacesTheColumnsInOneRowAtEveryDensity)
{
    for (const double density : {15.0, 12.0}) { // 96 and 120 dots per inch
        test::ServiceOverride<DensityScreen> screen(std::make_shared<DensityScreen>(density));
        const int p = static_cast<int>(density);
        const auto px = [density](int twips) { return static_cast<int>(std::lround(twips / density)); };
        for (const LayoutCase &c : kLayoutCases) {
            SCOPED_TRACE(testing::Message() << c.name << " at " << density << " twips a pixel");
            OrvSearchACS2 field;
            test::FieldProbe probe(field);
            c.setUp(field);
            const Placement want = c.expected(p);
            EXPECT_EQ(probe.box(0)->isVisibleTo(&field), want.code.has_value());
            EXPECT_EQ(probe.caption(0)->isVisibleTo(&field), want.code.has_value());
            EXPECT_EQ(probe.box(1)->isVisibleTo(&field), want.description.has_value());
            EXPECT_EQ(probe.caption(1)->isVisibleTo(&field), want.description.has_value());
            EXPECT_EQ(probe.box(2)->isVisibleTo(&field), want.secondShown);
            if (want.code) {
                EXPECT_EQ(probe.box(0)->x(), px(*want.code));
                EXPECT_EQ(probe.caption(0)->pos(), QPoint(0, 0));
            }
            if (want.description) {
                EXPECT_EQ(probe.box(1)->x(), px(*want.description));
                EXPECT_EQ(probe.caption(1)->pos(), QPoint(px(*want.description), 0));
            }
            EXPECT_EQ(probe.box(0)->width(), px(want.codeWidth));
            EXPECT_EQ(probe.box(1)->width(), px(want.descriptionWidth));
            EXPECT_EQ(probe.box(2)->x(), px(want.second));
            EXPECT_EQ(field.size(), QSize(px(want.width), px(600)));
            // One top edge for the boxes, a pixel below the code caption, shown or not.
            for (int i = 0; i < 3; ++i)
                EXPECT_EQ(probe.box(i)->y(), probe.caption(0)->height() + 1) << i;
        }
    }
}

TEST(FieldLayoutTest, AColumnSumBeyondSixteenBitsEndsTheLayoutWhereItOverflowed)
{
    OrvSearchACS2 field;
    test::FieldProbe probe(field);
    const QSize before = field.size();
    const int secondBefore = probe.box(2)->x();
    // The description column is placed, then its end (1060 + 32000 + 60) overflows.
    EXPECT_EQ(errorNumberOf([&] { field.setWidthDescription(32000); }), kErrOverflow);
    EXPECT_EQ(field.WidthDescription(), 32000);
    EXPECT_EQ(probe.box(1)->x(), std::lround(1060 / 15.0));
    EXPECT_EQ(probe.box(1)->width(), std::lround(32000 / 15.0));
    EXPECT_EQ(probe.box(2)->x(), secondBefore);
    EXPECT_EQ(field.size(), before);
}

// The toolkit's notice that the system palette changed.
void changeSystemPalette(OrvSearchACS2 &field, const QPalette &palette)
{
    QApplication::setPalette(palette);
    QEvent notice(QEvent::ApplicationPaletteChange);
    QApplication::sendEvent(&field, &notice);
}

TEST(FieldLayoutTest, SystemColoursFollowTheSystemPaletteAndFixedOnesStay)
{
    OrvSearchACS2 field;
    test::FieldProbe probe(field);
    field.setForeColor(0x000080); // dark red in the three boxes
    const QPalette original = QApplication::palette();
    QPalette system = original;
    system.setColor(QPalette::Base, QColor(10, 20, 30));
    system.setColor(QPalette::Button, QColor(40, 50, 60));
    system.setColor(QPalette::Disabled, QPalette::Text, QColor(70, 80, 90));
    changeSystemPalette(field, system);
    const QPalette code = probe.box(0)->palette();
    EXPECT_EQ(code.color(QPalette::Active, QPalette::Base), QColor(10, 20, 30)); // window (5)
    EXPECT_EQ(code.color(QPalette::Active, QPalette::Text), QColor(0x80, 0, 0)); // fixed
    EXPECT_EQ(code.color(QPalette::Disabled, QPalette::Text),
              QColor(70, 80, 90)); // the system's disabled look
    EXPECT_EQ(probe.box(2)->palette().color(QPalette::Base), QColor(40, 50, 60)); // button face (15)
    EXPECT_EQ(field.palette().color(QPalette::Window), QColor(40, 50, 60));
    changeSystemPalette(field, original);
    EXPECT_EQ(field.palette().color(QPalette::Window), original.color(QPalette::Button));
}

} // namespace
} // namespace orv
