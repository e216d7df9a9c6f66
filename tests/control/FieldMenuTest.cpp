// The captions and the context menu of the field on the demo company: clicks on the captions,
// commands chosen in the open menu, and the menu's keys with the focus in a field or elsewhere.
#include "control/OrvSearchACS2.h"
#include "control/OrvSearchACS2_p.h"
#include "support/Database.h"
#include "support/FakeServices.h"
#include "support/RecordingConnection.h"

#include <QKeyEvent>
#include <QMenu>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace orv {
namespace {

// A form with two customer fields over the demo company and a plain box after them, which
// records the key events it receives that no keyboard sent, as "press ^R".
class FieldMenuTest : public ::testing::Test, public QObject {
protected:
    FieldMenuTest()
    {
        auto *layout = new QVBoxLayout(&window);
        for (OrvSearchACS2 *&field : fields) {
            field = new OrvSearchACS2(&window);
            field->setConnection(db);
            field->setIDFirm(1);
            layout->addWidget(field);
        }
        layout->addWidget(after);
        after->installEventFilter(this);
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    bool eventFilter(QObject *, QEvent *event) override
    {
        const auto *key = dynamic_cast<QKeyEvent *>(event);
        if (key && event->type() != QEvent::ShortcutOverride && !event->spontaneous())
            keys << QStringLiteral("%1 %2%3").arg(event->type() == QEvent::KeyPress ? "press" : "release",
                                                  key->modifiers() & Qt::ControlModifier ? "^" : "",
                                                  QKeySequence(key->key()).toString());
        return false;
    }

    QLineEdit *box(int field, int i) const
    {
        return fields[field]->findChild<QLineEdit *>(QStringLiteral("txtField%1").arg(i));
    }
    QLabel *caption(int i) const
    {
        return fields[0]->findChild<QLabel *>(QStringLiteral("lblField%1").arg(i));
    }
    QMenu *menu() const { return fields[0]->findChild<QMenu *>(QStringLiteral("PopUp")); }
    FieldWork &work(int field = 0) { return fieldContextOf(*fields[field]).work(); }
    // The menu's items, "caption shortcut" with "(off)" for a disabled one.
    QString items() const
    {
        QStringList list;
        for (const QAction *item : menu()->actions())
            list << item->text() + u' ' + item->shortcut().toString() + (item->isEnabled() ? "" : " (off)");
        return list.join(QStringLiteral(", "));
    }
    // The last search: its text and the first column of its list (Codice when by code).
    QString searched() const { return pickers->last().searchText + u' ' + pickers->last().columns.value(0); }

    std::shared_ptr<test::RecordingConnection> db =
        std::make_shared<test::RecordingConnection>(test::demoDatabase());
    test::ServiceOverride<test::ScriptedPickerFactory> pickers;
    test::ServiceOverride<test::CapturedMessageBoxes> messages;
    QWidget window;
    std::array<OrvSearchACS2 *, 2> fields{};
    QLineEdit *after = new QLineEdit(&window);
    QStringList keys;
};

TEST_F(FieldMenuTest, RightClickOpensTheMenuWithTheCommandsTheFieldAllows)
{
    fields[0]->setEnabledExecute(false);
    QTest::mouseClick(caption(1), Qt::RightButton);
    ASSERT_TRUE(menu()->isVisible());
    EXPECT_TRUE(work().bMenuAperto);
    EXPECT_EQ(work().iCampoCorrente, 1);
    EXPECT_EQ(items(), "&Esegui Gestione... Ctrl+G (off), &Ricerca Ctrl+R");
    menu()->close();
    QCoreApplication::processEvents();
    EXPECT_FALSE(work().bMenuAperto);

    fields[0]->setEnabledExecute(true); // taken at the next right click only
    fields[0]->setEnabledSearch(false);
    QTest::mouseClick(caption(0), Qt::RightButton);
    EXPECT_EQ(items(), "&Esegui Gestione... Ctrl+G, &Ricerca Ctrl+R (off)");
    menu()->close();
    EXPECT_TRUE(pickers->pickers().empty());
}

TEST_F(FieldMenuTest, TheOpenMenuSearchesForTheCaptionRightClickedWithTheFocusAnywhere)
{
    after->setFocus();
    box(0, 0)->setText(QStringLiteral("C00"));
    box(0, 1)->setText(QStringLiteral("Ro"));
    pickers->then(test::PickChoice::cancel()).then(test::PickChoice::cancel());
    QTest::mouseClick(caption(1), Qt::RightButton);
    EXPECT_EQ(QApplication::focusWidget(), after);
    QAction *search = menu()->actions().at(1);
    QTest::mouseClick(menu(), Qt::LeftButton, {}, menu()->actionGeometry(search).center());
    EXPECT_EQ(searched(), "Ro Anagrafica");
    EXPECT_TRUE(work().bSaltaKeyUp);

    box(0, 0)->setText(QStringLiteral("C00")); // the shortcut typed in the open menu chooses it
    QTest::mouseClick(caption(0), Qt::RightButton);
    QTest::keyClick(menu(), Qt::Key_R, Qt::ControlModifier);
    EXPECT_FALSE(menu()->isVisible());
    EXPECT_EQ(searched(), "C00 Codice");
    QCoreApplication::processEvents();
    EXPECT_FALSE(work().bMenuAperto);
}

TEST_F(FieldMenuTest, LeftClickOnACaptionSearchesItsBoxWhereverTheFocusIs)
{
    box(0, 0)->setFocus();
    QTest::keyClicks(box(0, 0), QStringLiteral("C0"));
    box(0, 1)->setText(QStringLiteral("Ro"));
    fields[0]->setEnabledSearch(false); // a click does not ask
    pickers->then(test::PickChoice::cancel());
    QTest::mouseClick(caption(1), Qt::LeftButton);
    EXPECT_EQ(searched(), "Ro Anagrafica");
    EXPECT_EQ(work().iCampoCorrente, 1);

    fields[0]->setEnabledProperty(false); // a disabled field's captions do nothing
    QTest::mouseClick(caption(0), Qt::LeftButton);
    QTest::mouseClick(caption(0), Qt::RightButton);
    EXPECT_EQ(pickers->pickers().size(), 1u);
    EXPECT_FALSE(menu()->isVisible());
}

TEST_F(FieldMenuTest, CtrlRInOneOfTwoFieldsSearchesThatFieldOnce)
{
    box(1, 0)->setFocus();
    QTest::keyClicks(box(1, 0), QStringLiteral("C00"));
    pickers->then(test::PickChoice::withValue(QStringLiteral("Codice"), Variant("C004")));
    QTest::keyPress(box(1, 0), Qt::Key_R, Qt::ControlModifier);
    EXPECT_TRUE(work(1).bSaltaKeyUp); // the menu has run the search as R went down
    QTest::keyRelease(box(1, 0), Qt::Key_R, Qt::ControlModifier);
    EXPECT_FALSE(work(1).bSaltaKeyUp);
    EXPECT_EQ(pickers->pickers().size(), 1u);
    EXPECT_EQ(fields[1]->Code() + u'|' + fields[0]->Code(), "C004|");
}

TEST_F(FieldMenuTest, AMenuKeyTypedOutsideTheFieldsGoesOnToTheFocusedWidget)
{
    after->setFocus();
    for (int round = 0; round < 2; ++round) { // the window's shortcuts are back after the keys
        keys.clear();
        QTest::keyClick(after, Qt::Key_R, Qt::ControlModifier);
        QCoreApplication::processEvents();
        EXPECT_EQ(keys.join(u','), "press ^Control,press ^R,release ^R,release Control");
    }
    EXPECT_TRUE(pickers->pickers().empty());
}

} // namespace
} // namespace orv
