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

// Records the key events a widget receives that no keyboard sent, as "press ^R".
class SyntheticKeySpy final : public QObject {
public:
    QStringList keys;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if ((event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) &&
            !event->spontaneous()) {
            const auto *key = static_cast<QKeyEvent *>(event);
            keys << QStringLiteral("%1 %2%3").arg(event->type() == QEvent::KeyPress ? "press" : "release",
                                                  key->modifiers() & Qt::ControlModifier ? "^" : "",
                                                  QKeySequence(key->key()).toString());
        }
        return false;
    }
};

// A form with two customer fields over the demo company and a plain box after them.
class FieldMenuTest : public ::testing::Test {
protected:
    FieldMenuTest()
    {
        auto *layout = new QVBoxLayout(&window);
        for (OrvSearchACS2 *&field : fields) {
            field = new OrvSearchACS2(&window);
            field->setConnection(db);
            field->setIDFirm(1);
            field->setSearchType(OrvSearchCustomers);
            layout->addWidget(field);
        }
        after = new QLineEdit(&window);
        layout->addWidget(after);
        after->installEventFilter(&spy);
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
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
    // The open menu's items, "caption shortcut" with "(off)" for a disabled one.
    QString items() const
    {
        QStringList list;
        for (const QAction *action : menu()->actions())
            list << action->text() + u' ' + action->shortcut().toString() +
                        (action->isEnabled() ? "" : " (off)");
        return list.join(QStringLiteral(", "));
    }
    void clickItem(const char *name)
    {
        QAction *item = menu()->findChild<QAction *>(QLatin1String(name));
        QTest::mouseClick(menu(), Qt::LeftButton, {}, menu()->actionGeometry(item).center());
        QCoreApplication::processEvents();
    }
    // The last search: its text and the first column of its list (Codice: by code).
    QString searched() const
    {
        const test::PickerRecord &picker = pickers->last();
        return picker.searchText + u' ' + picker.columns.value(0);
    }

    std::shared_ptr<test::RecordingConnection> db =
        std::make_shared<test::RecordingConnection>(test::demoDatabase());
    test::ServiceOverride<test::ScriptedPickerFactory> pickers;
    test::ServiceOverride<test::CapturedMessageBoxes> messages;
    QWidget window;
    std::array<OrvSearchACS2 *, 2> fields{};
    QLineEdit *after = nullptr;
    SyntheticKeySpy spy;
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

    // The commands' states are taken when the menu opens, not when the properties change.
    fields[0]->setEnabledExecute(true);
    fields[0]->setEnabledSearch(false);
    EXPECT_EQ(items(), "&Esegui Gestione... Ctrl+G (off), &Ricerca Ctrl+R");
    QTest::mouseClick(caption(0), Qt::RightButton);
    EXPECT_EQ(work().iCampoCorrente, 0);
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
    clickItem("Mnu_SearchObject");
    EXPECT_EQ(searched(), "Ro Anagrafica");
    EXPECT_TRUE(work().bSaltaKeyUp);
    EXPECT_FALSE(work().bMenuAperto);

    // The shortcut of a command typed in the open menu chooses it.
    box(0, 0)->setText(QStringLiteral("C00"));
    QTest::mouseClick(caption(0), Qt::RightButton);
    QTest::keyClick(menu(), Qt::Key_R, Qt::ControlModifier);
    QCoreApplication::processEvents();
    EXPECT_FALSE(menu()->isVisible());
    EXPECT_EQ(searched(), "C00 Codice");
    EXPECT_TRUE(spy.keys.isEmpty());
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
    EXPECT_EQ(QApplication::focusWidget(), box(0, 1)); // where the search puts it

    fields[0]->setEnabledProperty(false); // a disabled field's captions do nothing
    QTest::mouseClick(caption(0), Qt::LeftButton);
    QTest::mouseClick(caption(0), Qt::RightButton);
    EXPECT_EQ(pickers->pickers().size(), 1u);
    EXPECT_FALSE(menu()->isVisible());
}

TEST_F(FieldMenuTest, CtrlRInAFieldOfTwoSearchesThatFieldOnce)
{
    box(1, 0)->setFocus();
    QTest::keyClicks(box(1, 0), QStringLiteral("C00"));
    pickers->then(test::PickChoice::withValue(QStringLiteral("Codice"), Variant("C004")));
    QTest::keyPress(box(1, 0), Qt::Key_R, Qt::ControlModifier);
    EXPECT_TRUE(work(1).bSaltaKeyUp); // the menu has run the search as R went down
    QTest::keyRelease(box(1, 0), Qt::Key_R, Qt::ControlModifier);
    EXPECT_FALSE(work(1).bSaltaKeyUp);
    EXPECT_EQ(pickers->pickers().size(), 1u);
    EXPECT_EQ(fields[1]->Code(), QStringLiteral("C004"));
    EXPECT_EQ(fields[0]->Code(), QString());
    EXPECT_TRUE(spy.keys.isEmpty());
}

TEST_F(FieldMenuTest, AMenuKeyPressedOutsideTheFieldsGoesOnToTheFocusedWidget)
{
    after->setFocus();
    for (int round = 0; round < 2; ++round) { // the window's shortcuts are back after the keys
        spy.keys.clear();
        QTest::keyClick(after, Qt::Key_R, Qt::ControlModifier);
        QCoreApplication::processEvents();
        EXPECT_EQ(spy.keys.join(u','), "press ^Control,press ^R,release ^R,release Control");
    }
    EXPECT_TRUE(pickers->pickers().empty());
    EXPECT_FALSE(work(0).bSaltaKeyUp || work(1).bSaltaKeyUp);
}

} // namespace
} // namespace orv
