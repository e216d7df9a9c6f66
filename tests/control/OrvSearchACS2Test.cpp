#include "support/FieldFixture.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>

#include <cmath>

namespace orv {
namespace {

class FieldTest : public test::FieldFixture {
protected:
    // Properties read by name through the meta object, as "name=value" separated by blanks.
    QString props(const char *names) const
    {
        QStringList list;
        for (const QString &name : QString::fromLatin1(names).split(u' '))
            list << name + u'=' + field->property(name.toLatin1().constData()).toString();
        return list.join(u' ');
    }
};

TEST_F(FieldTest, NewFieldHasTheDesignDefaultsAndPropertiesWorkByName)
{
    EXPECT_EQ(
        props("SearchType EnabledSearch EnabledExecute Visible VisibleCode VisibleDescription "
              "VisibleSecondDescription OnlyAccounts DisableDoEvents AttivaFiltroBlocco BloccoEmissioneDoc"),
        "SearchType=OrvSearchCustomers EnabledSearch=true EnabledExecute=true Visible=false VisibleCode=true "
        "VisibleDescription=true VisibleSecondDescription=true OnlyAccounts=false DisableDoEvents=true "
        "AttivaFiltroBlocco=false BloccoEmissioneDoc=false");
    // The boxes have the window's system colours, the field the button face.
    EXPECT_EQ(props("CaptionCode CaptionDescription BackColor ForeColor ControlBackColor"),
              "CaptionCode=Codice: CaptionDescription=Cliente/Fornitore/Conto: BackColor=2147483653 "
              "ForeColor=2147483656 ControlBackColor=2147483663");
    ASSERT_TRUE(box(0) && box(1) && box(2) && caption(0) && caption(1));

    // The plain fields store without notice; Code runs the change handling of its box.
    // clang-format off
    const std::vector<std::pair<const char *, QVariant>> writes = {
        {"Filter", " Anagrafica.IDAnagrafica > 3"}, {"Password", "secret"}, {"UserName", "mario"},
        {"HwndContainer", 77}, {"DisableDoEvents", false}, {"AttivaFiltroBlocco", true}, {"BloccoEmissioneDoc", true},
        {"SearchType", 3}, {"Code", "01.05"}, {"IDAnagrafica", 5}, {"Connection", QVariant::fromValue<DbConnectionPtr>(db)},
        {"WidthCode", 1500}};
    // clang-format on
    EXPECT_EQ(during([&] {
                  for (const auto &[name, value] : writes)
                      EXPECT_TRUE(field->setProperty(name, value)) << name;
              }),
              "SearchType, IDNode, IDAnagrafica, Code, IDAnagrafica, "
              "Connection, WidthCode");
    EXPECT_EQ(
        props("Filter Password UserName HwndContainer DisableDoEvents AttivaFiltroBlocco BloccoEmissioneDoc "
              "SearchType Code IDAnagrafica WidthCode"),
        "Filter= Anagrafica.IDAnagrafica > 3 Password=secret UserName=mario HwndContainer=77 "
        "DisableDoEvents=false "
        "AttivaFiltroBlocco=true BloccoEmissioneDoc=true SearchType=OrvSearchAccounts Code=01.05 "
        "IDAnagrafica=5 "
        "WidthCode=1500");
    EXPECT_EQ(field->Connection(), db);

    // Integer properties by name: a value outside 16 bits is an overflow and changes nothing.
    for (const char *name : {"WidthCode", "WidthDescription", "WidthSecondDescription"}) {
        const int before = field->property(name).toInt();
        for (const int outside : {32768, -32769})
            EXPECT_EQ(errorNumberOf([&] { field->setProperty(name, outside); }), kErrOverflow) << name;
        EXPECT_EQ(field->property(name).toInt(), before) << name;
        EXPECT_TRUE(field->setProperty(name, 1200)) << name;
        EXPECT_EQ(field->property(name).toInt(), 1200) << name;
    }

    // A text of any length reads back whole.
    const QString longText(40000, u'x');
    for (const char *name : {"Code", "Description", "SecondDescription"}) {
        field->setProperty(name, longText);
        EXPECT_EQ(field->property(name).toString().size(), longText.size()) << name;
    }

    // The application name is shared by the fields; the settings' one is read trimmed.
    OrvSearchACS2 other;
    field->setApplicationName(QStringLiteral("Contabilita"));
    EXPECT_EQ(other.ApplicationName(), QStringLiteral("Contabilita"));
    EXPECT_FALSE(OrvSearchACS2::settingsAppName().isEmpty());
    EXPECT_EQ(OrvSearchACS2::settingsAppName(), OrvSearchACS2::settingsAppName().trimmed());
}

TEST_F(FieldTest, DelegatedPropertiesAndColoursLiveInTheBoxes)
{
    box(0)->setText(QStringLiteral("typed"));
    EXPECT_EQ(field->Code(), QStringLiteral("typed"));
    field->setDescription(QStringLiteral("Dell'Acqua Idraulica S.r.l."));
    EXPECT_EQ(box(1)->cursorPosition(), 0); // a written name shows its beginning
    caption(1)->setText(QStringLiteral("Conto:"));
    EXPECT_EQ(field->CaptionDescription(), QStringLiteral("Conto:"));

    field->setEnabledProperty(false);
    EXPECT_FALSE(field->Enabled());
    for (QWidget *part : std::initializer_list<QWidget *>{box(0), box(1), box(2), caption(0), caption(1)})
        EXPECT_FALSE(part->isEnabled()) << part->objectName().toStdString();

    field->setFontProperty(QFont(QStringLiteral("Serif"), 14));
    EXPECT_EQ(box(2)->font().pointSize(), 14);
    EXPECT_EQ(field->Font().pointSize(), 14);

    // Colours are kept on the boxes they colour.
    const QColor secondBefore = box(2)->palette().color(QPalette::Base);
    EXPECT_EQ(during([&] {
                  field->setBackColor(0x0000FF); // red, as 0x00BBGGRR
                  field->setForeColor(0xFF0000); // blue
              }),
              "BackColor, ForeColor");
    EXPECT_EQ(field->BackColor(), 0x0000FFu);
    EXPECT_EQ(box(0)->palette().color(QPalette::Base), QColor(255, 0, 0));
    EXPECT_EQ(box(1)->palette().color(QPalette::Base), QColor(255, 0, 0));
    EXPECT_EQ(box(2)->palette().color(QPalette::Base), secondBefore);
    for (int i = 0; i < 3; ++i) // the boxes are disabled: their text has the system's disabled look
        EXPECT_EQ(box(i)->palette().color(QPalette::Active, QPalette::Text), QColor(0, 0, 255)) << i;
}

TEST_F(FieldTest, MouseEventsOfABoxReachTheHostOnceEach)
{
    const auto record = [this](const char *name) {
        return [this, name](std::int16_t &button, std::int16_t &, float &, float &) {
            heard << QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(button);
        };
    };
    QObject::connect(field.get(), &OrvSearchACS2::MouseDown, record("MouseDown"));
    QObject::connect(field.get(), &OrvSearchACS2::MouseUp, record("MouseUp"));
    QObject::connect(field.get(), &OrvSearchACS2::Click, [this] { heard << "Click"; });
    QObject::connect(field.get(), &OrvSearchACS2::DblClick, [this] { heard << "DblClick"; });
    const auto click = [this](int i, Qt::MouseButton button) { QTest::mouseClick(box(i), button); };

    EXPECT_EQ(during([&] { click(1, Qt::LeftButton); }), "MouseDown(1), MouseUp(1), Click");
    // What a window system sends for a double click: press, release, double click, release.
    EXPECT_EQ(during([&] {
                  QTest::mousePress(box(1), Qt::LeftButton);
                  QTest::mouseRelease(box(1), Qt::LeftButton);
                  const QPointF at(5, 5);
                  QMouseEvent doubleClick(QEvent::MouseButtonDblClick, at, box(1)->mapToGlobal(at),
                                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
                  QApplication::sendEvent(box(1), &doubleClick);
                  QTest::mouseRelease(box(1), Qt::LeftButton);
              }),
              "MouseDown(1), MouseUp(1), Click, DblClick, MouseUp(1)");
    EXPECT_EQ(during([&] { click(1, Qt::LeftButton); }), "MouseDown(1), MouseUp(1), Click"); // counts again
    EXPECT_EQ(during([&] { click(2, Qt::RightButton); }), "MouseDown(2), MouseUp(2)"); // only left clicks
}

TEST_F(FieldTest, LayoutPlacesTheVisibleColumnsOnAFifteenTwipScreen)
{
    // Default widths 1000, 2000, 1000 on a 96 dpi screen: 15 twips a pixel.
    const auto px = [](int twips) { return static_cast<int>(std::lround(twips / 15.0)); };
    EXPECT_EQ(box(0)->x(), 0);
    EXPECT_EQ(caption(1)->x(), px(1060));
    EXPECT_EQ(box(1)->x(), px(1060));
    EXPECT_EQ(box(2)->x(), px(3120));
    EXPECT_EQ(field->size(), QSize(px(4120), px(600)));
    EXPECT_EQ(box(0)->y(), box(1)->y());
    EXPECT_EQ(box(0)->y(), 1 + caption(0)->height());

    // Visible sets all four and notifies in order.
    EXPECT_EQ(during([&] { field->setVisibleProperty(false); }),
              "Visible, VisibleCode, VisibleDescription, VisibleSecondDescription");
    EXPECT_EQ(props("VisibleCode VisibleDescription VisibleSecondDescription"),
              "VisibleCode=false VisibleDescription=false VisibleSecondDescription=false");
    EXPECT_FALSE(box(0)->isVisibleTo(field.get()));
    field->setVisibleProperty(true);
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(box(i)->isVisibleTo(field.get())) << i;

    field->setSearchType(OrvSearchAccounts);
    EXPECT_FALSE(box(2)->isVisibleTo(field.get()));
    EXPECT_EQ(box(1)->width(), px(3000));
    EXPECT_EQ(field->width(), px(4120));

    field->setVisibleDescription(false);
    EXPECT_EQ(box(0)->width(), px(2000));
    EXPECT_EQ(field->width(), px(60 + 1000 + 1000));
}

} // namespace
} // namespace orv
