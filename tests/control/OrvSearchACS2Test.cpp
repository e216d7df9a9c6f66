#include "control/OrvSearchACS2.h"
#include "control/FieldContext.h"
#include "control/ModuleState.h"
#include "support/Database.h"
#include "support/QtPrinters.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QStringList>
#include <QTest>
#include <QThread>

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace orv {
namespace {

// Everything a field tells its host, in order, as one line per event.
class EventLog {
public:
    explicit EventLog(OrvSearchACS2 &field)
    {
        QObject::connect(&field, &OrvSearchACS2::ChangedElement,
                         [this] { lines << QStringLiteral("ChangedElement"); });
        QObject::connect(&field, &OrvSearchACS2::ErrorInLostFocus,
                         [this] { lines << QStringLiteral("ErrorInLostFocus"); });
        QObject::connect(&field, &OrvSearchACS2::propertyChanged,
                         [this](const QString &name) { lines << QStringLiteral("changed ") + name; });
    }
    QString take()
    {
        const QString joined = lines.join(QStringLiteral(", "));
        lines.clear();
        return joined;
    }
    QStringList lines;
};

class FieldTest : public ::testing::Test {
protected:
    std::unique_ptr<OrvSearchACS2> field = std::make_unique<OrvSearchACS2>();
    EventLog log{*field};

    QLineEdit *box(int i) { return field->findChild<QLineEdit *>(QStringLiteral("txtField%1").arg(i)); }
    QLabel *caption(int i) { return field->findChild<QLabel *>(QStringLiteral("lblField%1").arg(i)); }
};

// Twips to pixels on the offscreen screen (96 dpi, 15 twips a pixel).
int px(int twips)
{
    return static_cast<int>(std::lround(twips / 15.0));
}

TEST_F(FieldTest, NewFieldHasTheDesignDefaults)
{
    EXPECT_EQ(field->SearchType(), OrvSearchCustomers);
    EXPECT_TRUE(field->EnabledSearch());
    EXPECT_TRUE(field->EnabledExecute());
    EXPECT_FALSE(field->Visible());
    EXPECT_TRUE(field->VisibleCode());
    EXPECT_TRUE(field->VisibleDescription());
    EXPECT_TRUE(field->VisibleSecondDescription());
    EXPECT_EQ(field->WidthCode(), 1000);
    EXPECT_EQ(field->WidthDescription(), 2000);
    EXPECT_EQ(field->WidthSecondDescription(), 1000);
    EXPECT_FALSE(field->OnlyAccounts());
    EXPECT_TRUE(field->DisableDoEvents());
    EXPECT_FALSE(field->AttivaFiltroBlocco());
    EXPECT_FALSE(field->BloccoEmissioneDoc());
    EXPECT_EQ(field->CaptionCode(), QStringLiteral("Codice:"));
    EXPECT_EQ(field->CaptionDescription(), QStringLiteral("Cliente/Fornitore/Conto:"));
    EXPECT_EQ(field->IDAnagrafica(), 0);
    EXPECT_EQ(field->IDNode(), 0);
    EXPECT_FALSE(field->Connection());
    EXPECT_EQ(field->BackColor(), 0u); // the code box has no colour given until the host gives one
    EXPECT_EQ(field->ControlBackColor(), 0x8000000Fu);
    for (int i = 0; i < 3; ++i)
        ASSERT_NE(box(i), nullptr) << i;
    ASSERT_NE(caption(0), nullptr);
    ASSERT_NE(caption(1), nullptr);
}

TEST_F(FieldTest, IDAnagraficaRaisesChangedElementOnlyWhenItChangesOutsideAccounts)
{
    field->setIDAnagrafica(5);
    EXPECT_EQ(log.take(), QStringLiteral("ChangedElement, changed IDAnagrafica"));
    field->setIDAnagrafica(5);
    EXPECT_EQ(log.take(), QStringLiteral("changed IDAnagrafica"));

    field->setSearchType(OrvSearchAccounts);
    log.take();
    field->setIDAnagrafica(7);
    EXPECT_EQ(log.take(), QStringLiteral("changed IDAnagrafica"));
    EXPECT_EQ(field->IDAnagrafica(), 7);
}

TEST_F(FieldTest, IDNodeRaisesChangedElementOnlyWhenItChangesOnAccounts)
{
    // A positive IDNode loads account 9 of chart 1, which assigns IDAnagrafica by property.
    field->setConnection(test::demoDatabase());
    field->setIDPDC(1);
    log.take();
    field->setIDNode(9); // customers: IDNode is not what matters
    EXPECT_EQ(log.take(), QStringLiteral("changed IDAnagrafica, changed IDNode"));

    field->setSearchType(OrvSearchAccounts); // zeroes IDNode without an event
    log.take();
    field->setIDNode(9);
    EXPECT_EQ(log.take(), QStringLiteral("changed IDAnagrafica, ChangedElement, changed IDNode"));
    field->setIDNode(9);
    EXPECT_EQ(log.take(), QStringLiteral("changed IDAnagrafica, changed IDNode"));
    field->setIDNode(-4); // loads nothing, but the id changed
    EXPECT_EQ(log.take(), QStringLiteral("ChangedElement, changed IDNode"));
    field->setIDNode(0);
    EXPECT_EQ(log.take(), QStringLiteral("ChangedElement, changed IDNode"));
}

TEST_F(FieldTest, SearchTypeClearsBoxesAndIdsWithoutEventsOfItsOwn)
{
    field->setConnection(test::demoDatabase());
    field->setIDPDC(1);
    field->setIDNode(3);                             // loads account 3 of chart 1 into the boxes
    field->context().state().bRicercaInCorso = true; // empty them again without the change handling
    field->setCode(QString());
    field->setDescription(QString());
    field->context().state().bRicercaInCorso = false;
    field->setIDAnagrafica(12);
    ASSERT_EQ(field->IDNode(), 3);
    log.take();

    // Empty boxes: clearing changes no text, so nothing but the notification is heard.
    field->setSearchType(OrvSearchSuppliers);
    EXPECT_EQ(log.take(), QStringLiteral("changed SearchType"));
    EXPECT_EQ(field->IDAnagrafica(), 0);
    EXPECT_EQ(field->IDNode(), 0);
}

TEST_F(FieldTest, SearchTypeEventsComeFromTheChangeHandlingOfTheClearedBoxes)
{
    field->context().state().bRicercaInCorso = true; // fill the boxes as a lookup would
    field->setCode(QStringLiteral("C001"));
    field->setDescription(QStringLiteral("Rossi"));
    field->setSecondDescription(QStringLiteral("Mario"));
    field->context().state().bRicercaInCorso = false;
    field->context().state().bCodiceModificato = false;
    field->context().state().bDescrizioneModificata = false;
    field->setIDAnagrafica(12);
    log.take();

    field->setSearchType(OrvSearchAgents);
    // Clearing the code box forgets the entity (the ids were already zeroed directly, so the
    // reset raises nothing), then the description box finds the code flag set.
    EXPECT_EQ(log.take(), QStringLiteral("changed IDNode, changed IDAnagrafica, changed SearchType"));
    EXPECT_TRUE(field->Code().isEmpty());
    EXPECT_TRUE(field->Description().isEmpty());
    EXPECT_TRUE(field->SecondDescription().isEmpty());
    EXPECT_TRUE(field->context().state().bCodiceModificato);
    EXPECT_TRUE(field->context().state().bDescrizioneModificata);
}

TEST_F(FieldTest, CodeFromTheHostForgetsTheEntityOnceLikeTyping)
{
    field->setIDAnagrafica(4);
    field->context().state().bRicercaInCorso = true;
    field->setDescription(QStringLiteral("Bianchi"));
    field->setSecondDescription(QStringLiteral("Luca"));
    field->context().state().bRicercaInCorso = false;
    field->context().state().bCodiceModificato = false;
    field->context().state().bDescrizioneModificata = false;
    log.take();

    field->setCode(QStringLiteral("C"));
    EXPECT_EQ(log.take(),
              QStringLiteral("changed IDNode, ChangedElement, changed IDAnagrafica, changed Code"));
    EXPECT_TRUE(field->Description().isEmpty());
    EXPECT_TRUE(field->SecondDescription().isEmpty());

    field->setCode(QStringLiteral("C0"));
    EXPECT_EQ(log.take(), QStringLiteral("changed Code")); // the description flag is set now
}

TEST_F(FieldTest, NoResetWhileALookupFillsTheBoxes)
{
    field->setIDAnagrafica(4);
    log.take();
    field->context().state().bRicercaInCorso = true;
    field->setCode(QStringLiteral("F01"));
    EXPECT_EQ(log.take(), QStringLiteral("changed Code"));
    EXPECT_EQ(field->IDAnagrafica(), 4);
    EXPECT_TRUE(field->context().state().bCodiceModificato);
}

TEST_F(FieldTest, VisibleSetsAllFourAndNotifiesInOrder)
{
    field->setVisibleProperty(false);
    EXPECT_EQ(log.take(), QStringLiteral("changed Visible, changed VisibleCode, changed VisibleDescription, "
                                         "changed VisibleSecondDescription"));
    EXPECT_FALSE(field->VisibleCode());
    EXPECT_FALSE(field->VisibleDescription());
    EXPECT_FALSE(field->VisibleSecondDescription());
    EXPECT_FALSE(box(0)->isVisibleTo(field.get()));
    field->setVisibleProperty(true);
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(box(i)->isVisibleTo(field.get())) << i;
}

TEST_F(FieldTest, ColoursGoToTheRightBoxes)
{
    const QColor secondBefore = box(2)->palette().color(QPalette::Base);
    field->setBackColor(0x0000FF); // red, as 0x00BBGGRR
    EXPECT_EQ(field->BackColor(), 0x0000FFu);
    EXPECT_EQ(box(0)->palette().color(QPalette::Base), QColor(255, 0, 0));
    EXPECT_EQ(box(1)->palette().color(QPalette::Base), QColor(255, 0, 0));
    EXPECT_EQ(box(2)->palette().color(QPalette::Base), secondBefore);

    field->setForeColor(0xFF0000); // blue
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(box(i)->palette().color(QPalette::Text), QColor(0, 0, 255)) << i;
    EXPECT_EQ(log.take(), QStringLiteral("changed BackColor, changed ForeColor"));
}

TEST_F(FieldTest, DelegatedPropertiesLiveInTheBoxes)
{
    box(0)->setText(QStringLiteral("typed"));
    EXPECT_EQ(field->Code(), QStringLiteral("typed"));
    field->setDescription(QStringLiteral("Dell'Acqua Idraulica S.r.l."));
    EXPECT_EQ(box(1)->cursorPosition(), 0); // a written name shows its beginning
    caption(1)->setText(QStringLiteral("Conto:"));
    EXPECT_EQ(field->CaptionDescription(), QStringLiteral("Conto:"));

    field->setEnabledProperty(false);
    EXPECT_FALSE(field->Enabled());
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(box(i)->isEnabled()) << i;
    EXPECT_FALSE(caption(0)->isEnabled());
    EXPECT_FALSE(caption(1)->isEnabled());

    QFont font(QStringLiteral("Serif"), 14);
    field->setFontProperty(font);
    EXPECT_EQ(box(2)->font().pointSize(), 14);
    EXPECT_EQ(field->Font().pointSize(), 14);
}

TEST_F(FieldTest, MouseEventsOfABoxReachTheHostOnceEach)
{
    QStringList events;
    const auto record = [&events](const char *name) {
        return [&events, name](std::int16_t &button, std::int16_t &, float &, float &) {
            events << QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(button);
        };
    };
    QObject::connect(field.get(), &OrvSearchACS2::MouseDown, record("MouseDown"));
    QObject::connect(field.get(), &OrvSearchACS2::MouseUp, record("MouseUp"));
    QObject::connect(field.get(), &OrvSearchACS2::Click, [&events] { events << QStringLiteral("Click"); });
    QObject::connect(field.get(), &OrvSearchACS2::DblClick,
                     [&events] { events << QStringLiteral("DblClick"); });

    QTest::mouseClick(box(1), Qt::LeftButton);
    EXPECT_EQ(events.join(u' '), QStringLiteral("MouseDown(1) MouseUp(1) Click"));
    events.clear();
    // What a window system sends for a double click: press, release, double click, release.
    QTest::mousePress(box(1), Qt::LeftButton);
    QTest::mouseRelease(box(1), Qt::LeftButton);
    const QPointF at(5, 5);
    QMouseEvent doubleClick(QEvent::MouseButtonDblClick, at, box(1)->mapToGlobal(at), Qt::LeftButton,
                            Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(box(1), &doubleClick);
    QTest::mouseRelease(box(1), Qt::LeftButton);
    EXPECT_EQ(events.count(QStringLiteral("DblClick")), 1) << events.join(u' ').toStdString();
    EXPECT_EQ(events.join(u' '), QStringLiteral("MouseDown(1) MouseUp(1) Click DblClick MouseUp(1)"));
    events.clear();
    QTest::mouseClick(box(1), Qt::LeftButton); // the next click counts again
    EXPECT_EQ(events.join(u' '), QStringLiteral("MouseDown(1) MouseUp(1) Click"));
    events.clear();
    QTest::mouseClick(box(2), Qt::RightButton);
    EXPECT_EQ(events.join(u' '), QStringLiteral("MouseDown(2) MouseUp(2)")); // only the left button clicks
}

TEST_F(FieldTest, PlainFieldsStoreWithoutNotice)
{
    field->setFilter(QStringLiteral(" Anagrafica.IDAnagrafica > 3"));
    field->setPassword(QStringLiteral("secret"));
    field->setUserName(QStringLiteral("mario"));
    field->setHwndContainer(77);
    field->setDisableDoEvents(false);
    field->setAttivaFiltroBlocco(true);
    field->setBloccoEmissioneDoc(true);
    EXPECT_EQ(log.take(), QString());
    EXPECT_EQ(field->Filter(), QStringLiteral(" Anagrafica.IDAnagrafica > 3"));
    EXPECT_EQ(field->HwndContainer(), 77);
    EXPECT_TRUE(field->BloccoEmissioneDoc());
}

TEST_F(FieldTest, PropertiesWorkByNameThroughTheMetaObject)
{
    auto db = test::demoDatabase();
    ASSERT_TRUE(field->setProperty("IDAnagrafica", 5));
    EXPECT_EQ(field->IDAnagrafica(), 5);
    ASSERT_TRUE(field->setProperty("SearchType", 3));
    EXPECT_EQ(field->SearchType(), OrvSearchAccounts);
    ASSERT_TRUE(field->setProperty("Connection", QVariant::fromValue<DbConnectionPtr>(db)));
    EXPECT_EQ(field->Connection(), db);
    ASSERT_TRUE(field->setProperty("Code", QStringLiteral("01.05")));
    EXPECT_EQ(field->property("Code").toString(), QStringLiteral("01.05"));
    ASSERT_TRUE(field->setProperty("WidthCode", 1500));
    EXPECT_EQ(field->WidthCode(), 1500);
}

TEST_F(FieldTest, ApplicationNameIsSharedByTheFieldsOfOneThread)
{
    OrvSearchACS2 other;
    field->setApplicationName(QStringLiteral("Contabilita"));
    EXPECT_EQ(other.ApplicationName(), QStringLiteral("Contabilita"));

    QString seenOnAnotherThread = QStringLiteral("unset");
    std::unique_ptr<QThread> thread(
        QThread::create([&] { seenOnAnotherThread = moduleState().sApplicationName; }));
    thread->start();
    thread->wait();
    EXPECT_TRUE(seenOnAnotherThread.isEmpty());
    EXPECT_FALSE(OrvSearchACS2::settingsAppName().isEmpty());
    EXPECT_EQ(OrvSearchACS2::settingsAppName(), OrvSearchACS2::settingsAppName().trimmed());
}

TEST_F(FieldTest, LayoutPlacesTheColumnsOnAFifteenTwipScreen)
{
    // Default widths 1000, 2000, 1000 on a 96 dpi screen: 15 twips a pixel.
    EXPECT_EQ(box(0)->x(), 0);
    EXPECT_EQ(caption(1)->x(), px(1060));
    EXPECT_EQ(box(1)->x(), px(1060));
    EXPECT_EQ(box(2)->x(), px(3120));
    EXPECT_EQ(field->width(), px(4120));
    EXPECT_EQ(field->height(), px(600));
    EXPECT_EQ(box(0)->y(), box(1)->y());
    EXPECT_EQ(box(0)->y(), 1 + caption(0)->height());

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
