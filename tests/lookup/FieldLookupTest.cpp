// The field as a clerk uses it on the demo company: real keystrokes and focus moves on the
// offscreen platform, the statements recorded on their way to SQLite, a scripted picker.
// The exact statement texts are checked in tests/lookup/QueryBuildersTest.cpp; here only which
// statements run, in which order, and what the field does with their rows.
#include "control/OrvSearchACS2.h"
#include "control/OrvSearchACS2_p.h"
#include "field/FieldContext.h"
#include "lookup/BlockedCheck.h"
#include "lookup/QueryBuilders.h"
#include "platform/QtPickerFactory.h"
#include "support/ChartFixture.h"
#include "support/Engines.h"
#include "support/FakeServices.h"
#include "support/FaultingConnection.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <stdexcept>

namespace orv {
namespace {

using test::PickChoice;

PickChoice code(const char *value)
{
    return PickChoice::withValue(QStringLiteral("Codice"), Variant(value));
}

class FieldLookupTest : public ::testing::TestWithParam<test::Engine> {
protected:
    // A new form with one field of the type, active, on the demo company; beforeShow sets the
    // field up before its window first shows.
    void open(OrvTypeSearchACS searchType, const std::function<void(OrvSearchACS2 &)> &beforeShow = {})
    {
        db->failOnStatement(0);
        window = std::make_unique<QWidget>();
        auto *layout = new QVBoxLayout(window.get());
        field = new OrvSearchACS2(window.get());
        after = new QLineEdit(window.get());
        after->setObjectName(QStringLiteral("after"));
        layout->addWidget(field);
        layout->addWidget(after);
        field->setConnection(db);
        field->setIDFirm(1);
        field->setIDPDC(1);
        field->setCaptionSearch(QStringLiteral("Ricerca"));
        field->setSearchType(searchType);
        QObject::connect(field, &OrvSearchACS2::ChangedElement, [this] { events << "ChangedElement"; });
        QObject::connect(field, &OrvSearchACS2::ErrorInLostFocus, [this] { events << "ErrorInLostFocus"; });
        if (beforeShow)
            beforeShow(*field);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        db->clear();
        events.clear();
    }
    const ControlState &state() { return fieldContextOf(*field).state(); }
    FieldWork &work() { return fieldContextOf(*field).work(); }
    QLineEdit *box(int i) { return field->findChild<QLineEdit *>(QStringLiteral("txtField%1").arg(i)); }

    void type(int i, const QString &text)
    {
        box(i)->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(box(i), text);
    }
    void tab(int i)
    {
        box(i)->setFocus(Qt::TabFocusReason);
        QTest::keyClick(box(i), Qt::Key_Tab);
    }
    void typeAndTab(int i, const QString &text)
    {
        type(i, text);
        tab(i);
    }
    // The field in one line: the three boxes joined by '|', "#IDAnagrafica/IDNode", the events
    // since the last look, "@" and the box with the focus (or "@after" the field), the flags
    // still set, and "pick-pending" when a scripted pick found no picker.
    QString shown()
    {
        QStringList parts{QStringList{box(0)->text(), box(1)->text(), box(2)->text()}.join(u'|') +
                          QStringLiteral(" #%1/%2").arg(field->IDAnagrafica()).arg(field->IDNode())};
        if (!events.isEmpty())
            parts << events.join(QStringLiteral(", "));
        events.clear();
        const QWidget *focus = QApplication::focusWidget();
        parts << u'@' + (focus ? focus->objectName().remove(QStringLiteral("txtField"))
                               : QStringLiteral("none"));
        const auto flag = [&](bool set, const char *name) {
            if (set)
                parts << QString::fromLatin1(name);
        };
        flag(work().bCodiceModificato, "code-edited");
        flag(work().bDescrizioneModificata, "description-edited");
        flag(work().bRicercaInCorso, "busy");
        flag(pickers->pendingChoices() != 0, "pick-pending");
        return parts.join(u' ');
    }
    QString headers() { return pickers->last().columns.join(u'|'); }
    // Leaves box i (0 code, 1 description) after typing the text, with the pick scripted: the
    // statements that ran, each named after the builder that gives it for the text ("count",
    // "rows", "count%", "rows%", "all"), up to the first that none gives; the picker, if one
    // opened, with its statement, search text, first column and key field; then the field shown.
    QString leave(int i, const QString &typed, std::optional<PickChoice> pick = {})
    {
        if (pick)
            pickers->then(*pick);
        const std::size_t before = pickers->pickers().size();
        typeAndTab(i, typed);
        const auto name = [&](const QString &sql) {
            using namespace lookup;
            for (const auto &[mode, like, label] : {std::tuple{kModeCount, false, "count"},
                                                    {kModeRows, false, "rows"},
                                                    {kModeCount, true, "count%"},
                                                    {kModeRows, true, "rows%"},
                                                    {kModeAllRows, false, "all"}}) {
                if (sql == (i == 1 ? fnSQLDescrizioneSearch(state(), mode, typed)
                                   : fnSQLCodiceSearch(state(), mode, typed, like)))
                    return QString::fromLatin1(label);
            }
            return QString();
        };
        QStringList parts;
        for (const QString &sql : db->sqlTexts()) {
            if (name(sql).isEmpty())
                break;
            parts << name(sql);
        }
        if (pickers->pickers().size() > before) {
            const test::PickerRecord &picker = pickers->last();
            EXPECT_EQ(picker.caption, QStringLiteral("Ricerca"));
            EXPECT_EQ(picker.connection, field->Connection());
            EXPECT_EQ(picker.calls.first(), QStringLiteral("Caption"));
            EXPECT_EQ(picker.calls.last(), QStringLiteral("Pick"));
            parts << QStringLiteral("pick %1 '%2' %3")
                         .arg(name(picker.queryText), picker.searchText, headers().section(u'|', 0, 0));
            if (!picker.keyField.isEmpty())
                parts << QStringLiteral("key ") + picker.keyField;
        }
        parts << QStringLiteral("=>") << shown();
        return parts.join(u' ');
    }
    QString lookup(OrvTypeSearchACS searchType, int i, const QString &typed,
                   std::optional<PickChoice> pick = {})
    {
        open(searchType);
        return leave(i, typed, std::move(pick));
    }

    // A field of the given type that shows the entry of the code, with nothing pending.
    void resolved(OrvTypeSearchACS searchType, const QString &code)
    {
        open(searchType);
        typeAndTab(0, code);
        ASSERT_NE(field->IDAnagrafica(), 0) << code.toStdString();
        db->clear();
        events.clear();
    }
    std::shared_ptr<test::RecordingConnection> db =
        std::make_shared<test::RecordingConnection>(test::demoDatabaseOn(GetParam()));
    test::ServiceOverride<test::ScriptedPickerFactory> pickers;
    test::ServiceOverride<test::CapturedMessageBoxes> messages;
    std::unique_ptr<QWidget> window;
    OrvSearchACS2 *field = nullptr;
    QLineEdit *after = nullptr;
    QStringList events;
};

// --- Lookup by code -----------------------------------------------------------------------------

TEST_P(FieldLookupTest, CodeLookupResolvesUniquePrefixAmbiguousAndUnknownCodes)
{
    // A unique code fills the field at once; one code that starts with the text needs no picker.
    // The entry's supplier account is wanted, and customer 1 has none.
    EXPECT_EQ(lookup(OrvSearchCustomers, 0, "C001"), "count rows => C001|Rossi|Mario #1/0 ChangedElement @1");
    EXPECT_EQ(lookup(OrvSearchCustomers, 0, "c02"),
              "count count% rows% => C020|Lombardi|Carlo #20/0 ChangedElement @1");
    // An ambiguous code opens the picker on all entries.
    EXPECT_EQ(
        lookup(OrvSearchAgents, 0, "A01", PickChoice::withValue(QStringLiteral("IDAnagrafica"), Variant(41))),
        "count all pick all 'A01' Codice => A01|Sartori|Claudio #41/0 ChangedElement @1");
    // An unknown code picked from the list, or not picked: the clerk goes back.
    EXPECT_EQ(lookup(OrvSearchSuppliers, 0, "ZZ", code("F006")),
              "count count% all pick all 'ZZ' Codice => F006|Fontana|Alberto #35/206 ChangedElement @1");
    EXPECT_EQ(lookup(OrvSearchSuppliers, 0, "ZZ", PickChoice::cancel()),
              "count count% all pick all 'ZZ' Codice => ZZ|| #0/0 ErrorInLostFocus @0 code-edited");
    // Several codes that start with the text open the picker.
    EXPECT_EQ(lookup(OrvSearchAgentsAndClerks, 0, "I0", code("I01")),
              "count count% all pick all 'I0' Codice => I01|Pellegrini|Marta #44/0 ChangedElement @1");
    EXPECT_EQ(headers(),
              "Codice|Anagrafica|Nome|Tipo=TipoAgente|Codice Enasarco=Enasarco|Codice Fiscale=CodiceFiscale|"
              "Partita IVA=PartitaIva");
    // The agents of customers are keyed by the agent.
    EXPECT_EQ(lookup(OrvSearchAgentsForCustomer, 0, "A02", code("A02")),
              "count all pick all 'A02' Codice key Agente.IDAnagrafica => A02|Villa|Roberto #42/0 "
              "ChangedElement @1");
    EXPECT_EQ(headers(),
              "Codice|Cognome=Anagrafica|Nome|Codice Cliente=CodiceCliente|Cognome Cliente=CognomeCliente|"
              "Nome Cliente=NomeCliente|Codice Fiscale=CodiceFiscale|Partita IVA=PartitaIva");
    // Registry entries of any role have no code: nothing runs.
    EXPECT_EQ(lookup(OrvSearchAllAnagraphics, 0, "C001"), "=> C001|| #0/0 @1 code-edited");
}

TEST_P(FieldLookupTest, CodeLookupBringsTheChartAccountOrShowsTheBranchTyped)
{
    open(OrvSearchCustomers); // a customer's own account when customer accounts are asked for
    field->setIDSearchTypeConto(OrvCustomersAccounts);
    typeAndTab(0, QStringLiteral("C005"));
    EXPECT_EQ(shown(), "C005|Ferrari Impianti S.n.c.| #5/105 ChangedElement @1");

    // A branch is loaded by its id, which the field first asks for as an account: no account may
    // share it, or the field shows that account's branch instead of the one typed.
    for (const auto &[typed, expected] :
         {std::pair{"01.05", "01.05|Crediti verso clienti| #0/1013 ChangedElement @1"},
          std::pair{"03", "03|COSTI| #0/1003 ChangedElement @1"}}) {
        open(OrvSearchAccounts);
        typeAndTab(0, QString::fromLatin1(typed));
        EXPECT_EQ(shown(), expected);
        EXPECT_EQ(field->NodeType(), OrvBranch);
    }
}

// --- Editing and focus --------------------------------------------------------------------------

TEST_P(FieldLookupTest, FirstKeystrokeForgetsTheEntityOnce)
{
    resolved(OrvSearchCustomers, QStringLiteral("C001"));
    box(0)->setFocus(Qt::TabFocusReason);
    box(0)->selectAll();
    type(0, QStringLiteral("C"));
    EXPECT_EQ(shown(), "C|| #0/0 ChangedElement @0 code-edited description-edited");
    type(0, QStringLiteral("00"));
    // Keys that reach the description box now leave the code alone.
    QTest::keyClicks(box(1), QStringLiteral("x"));
    EXPECT_EQ(shown(), "C00|x| #0/0 @0 code-edited description-edited");

    // After a lookup the next edit, in the description box where Tab went, forgets again.
    resolved(OrvSearchCustomers, QStringLiteral("C001"));
    type(1, QStringLiteral("R"));
    EXPECT_EQ(shown(), "|R| #0/0 ChangedElement @1 code-edited description-edited");
}

TEST_P(FieldLookupTest, LeavingUneditedBoxesOrTheSecondDescriptionOrDuringALookupRunsNothing)
{
    resolved(OrvSearchCustomers, QStringLiteral("C002"));
    tab(0);
    tab(1);
    tab(2);
    EXPECT_EQ(shown(), "C002|Rossini Forniture S.r.l.| #2/0 @after");
    EXPECT_TRUE(db->sqlTexts().isEmpty());

    open(OrvSearchCustomers);
    typeAndTab(2, QStringLiteral("Mario"));
    EXPECT_EQ(shown(), "||Mario #0/0 @after");
    EXPECT_TRUE(db->sqlTexts().isEmpty());

    // Nor does a lookup called while another runs: it only ends the suspension of the edit rules.
    open(OrvSearchCustomers);
    type(0, QStringLiteral("C001"));
    work().bRicercaInCorso = true;
    tab(0);
    EXPECT_TRUE(db->sqlTexts().isEmpty());
    EXPECT_EQ(shown(), "C001|| #0/0 @1 code-edited");
}

TEST_P(FieldLookupTest, TheBoxAWindowFocusesFirstIsTheBoxInUse)
{
    // The code box is hidden, so the new window gives the description box the first focus.
    open(OrvSearchCustomers, [](OrvSearchACS2 &f) { f.setVisibleCode(false); });
    ASSERT_EQ(QApplication::focusWidget(), box(1));
    QTest::keyClicks(box(1), QStringLiteral("ROS"));
    pickers->then(PickChoice::cancel());
    QTest::keyClick(box(1), Qt::Key_R, Qt::ControlModifier);
    EXPECT_EQ(pickers->last().searchText, QStringLiteral("ROS"));
    EXPECT_TRUE(headers().startsWith("Anagrafica|Codice|")); // by description
}

TEST_P(FieldLookupTest, KeysReachTheHostWithTheirCodes)
{
    open(OrvSearchCustomers);
    field->setEnabledSearch(false); // Ctrl+R and Ctrl+G reach the host and run nothing
    field->setEnabledExecute(false);
    QStringList keys;
    QObject::connect(field, &OrvSearchACS2::KeyDown, [&](std::int16_t &code, std::int16_t &shift) {
        keys << QStringLiteral("%1/%2").arg(code).arg(shift);
    });
    QObject::connect(field, &OrvSearchACS2::KeyPress,
                     [&](std::int16_t &ascii) { keys << QString::number(ascii); });
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        const char *text;
        const char *heard; // KeyDown's code/shift for each modifier and the key, KeyPress's character
    } presses[] = {
        {Qt::Key_Exclam, Qt::ShiftModifier, "!", "16/1 49/1 33"},
        {Qt::Key_Question, Qt::ShiftModifier, "?", "16/1 191/1 63"},
        {Qt::Key_Ograve, Qt::NoModifier, "\u00f2", "192/0 242"},
        {Qt::Key_0, Qt::KeypadModifier, "0", "96/0 48"},
        {Qt::Key_Plus, Qt::KeypadModifier, "+", "107/0 43"},
        {Qt::Key_R, Qt::ControlModifier, "\x12", "17/2 82/2 18"},
        {Qt::Key_G, Qt::ControlModifier | Qt::ShiftModifier, "\x07", "16/1 17/3 71/3 7"},
        {Qt::Key_F1, Qt::NoModifier, "", "112/0"},
    };
    for (const auto &press : presses) {
        keys.clear();
        QTest::sendKeyEvent(QTest::Press, box(0), press.key, QString::fromUtf8(press.text), press.modifiers);
        EXPECT_EQ(keys.join(u' '), press.heard) << press.heard;
    }
    // A character no key names has no key code, and is typed all the same.
    QTest::sendKeyEvent(QTest::Click, box(0), Qt::Key_unknown, QStringLiteral("ß"), Qt::NoModifier);
    EXPECT_TRUE(box(0)->text().endsWith(QStringLiteral("ß")));
}

// --- Lookup by description ----------------------------------------------------------------------

TEST_P(FieldLookupTest, DescriptionLookupResolvesTheBeginningOfAName)
{
    // One entry: an apostrophe, a registry entry of any role.
    EXPECT_EQ(lookup(OrvSearchCustomers, 1, "Dell'O"),
              "count rows => C003|Dell'Orto|Giuseppe #3/0 ChangedElement @2");
    EXPECT_EQ(lookup(OrvSearchAllAnagraphics, 1, "Banca"),
              "count rows => |Banca Emiliana di Credito Cooperativo| #70/0 ChangedElement @2");
    // Two customers: all customers, searched by the text.
    EXPECT_EQ(
        lookup(OrvSearchCustomers, 1, "Ross", code("C002")),
        "count all pick all 'Ross' Anagrafica => C002|Rossini Forniture S.r.l.| #2/0 ChangedElement @2");
    // No customer: the empty match, nothing picked; no agent: every agent.
    EXPECT_EQ(lookup(OrvSearchCustomers, 1, "Zeta", PickChoice::cancel()),
              "count rows pick rows '' Anagrafica => |Zeta| #0/0 ErrorInLostFocus @1 description-edited");
    EXPECT_EQ(lookup(OrvSearchAgents, 1, "Zeta", code("A02")),
              "count all pick all '' Anagrafica => A02|Villa|Roberto #42/0 ChangedElement @2");
    // Agents of customers are keyed by the registry id.
    EXPECT_EQ(
        lookup(OrvSearchAgentsForCustomer, 1, "Vil", code("A02")),
        "count all pick all 'Vil' Cognome=Anagrafica key Anagrafica.IDAnagrafica => A02|Villa|Roberto #42/0 "
        "ChangedElement @2");

    // A blank description forgets the entry without a search.
    resolved(OrvSearchCustomers, QStringLiteral("C001"));
    box(1)->setFocus(Qt::TabFocusReason);
    box(1)->selectAll();
    type(1, QStringLiteral("  "));
    EXPECT_EQ(events.join(u','), "ChangedElement"); // the edit forgot the entity
    events.clear();
    tab(1);
    EXPECT_EQ(shown(), "|  | #0/0 ChangedElement @2"); // the blank lookup tells it again
    EXPECT_TRUE(db->sqlTexts().isEmpty());
}

TEST_P(FieldLookupTest, RegistryEntriesKeepTheCodeBoxAsItIs)
{
    open(OrvSearchAllAnagraphics);
    const auto codeFromALoader = [this](const QString &code) {
        work().bRicercaInCorso = true;
        field->setCode(code);
        work().bRicercaInCorso = false;
    };
    codeFromALoader(QStringLiteral("kept"));
    typeAndTab(1, QStringLiteral("Comune di")); // the code flag is set: no reset on the first keystroke
    EXPECT_EQ(shown(), "kept|Comune di Bologna| #71/0 ChangedElement @2");

    // Several entries start with "Co": nothing picked keeps the code box too.
    codeFromALoader(QStringLiteral("kept too"));
    box(1)->setFocus(Qt::TabFocusReason);
    box(1)->selectAll();
    pickers->then(PickChoice::cancel());
    typeAndTab(1, QStringLiteral("Co"));
    EXPECT_EQ(shown(),
              "kept too|Co| #0/0 ChangedElement, ErrorInLostFocus @1 code-edited description-edited");
}

// --- An entry that comes back from the management program ---------------------------------------

TEST_P(FieldLookupTest, AnEntryFromOutsideIsShownOnlyWhenItStillQualifies)
{
    // The statement that re-reads the entry, then the entry the field shows afterwards; a customer
    // field showed customer 2 before the management program ran. Block: 1 blocked customers left
    // out, 2 blocked customers only.
    const auto recheck = [&](OrvTypeSearchACS searchType, std::int16_t kind, std::int32_t id, int block = 0,
                             const QString &filter = {}) {
        if (searchType == OrvSearchCustomers)
            resolved(searchType, QStringLiteral("C002"));
        else
            open(searchType);
        field->setAttivaFiltroBlocco(block != 0);
        field->setBloccoEmissioneDoc(block == 2);
        field->setFilter(filter);
        db->clear();
        lookup::sbCheckAnagrafica(fieldContextOf(*field), id, kind);
        EXPECT_FALSE(work().bRicercaInCorso);
        return db->sqlTexts().value(0) + QStringLiteral(" => %1").arg(field->IDAnagrafica());
    };
    const auto listed = [](const char *name, int shown, const char *more = "") {
        return test::listedStatement(QStringLiteral("recheck.") + QLatin1String(name)) + QLatin1String(more) +
               QStringLiteral(" => %1").arg(shown);
    };
    using namespace lookup;
    EXPECT_EQ(recheck(OrvSearchCustomers, kKindCustomer, 1), listed("customer", 1));
    EXPECT_EQ(recheck(OrvSearchCustomers, kKindCustomer, 7, 1), listed("customer_blocked_excluded", 2));
    EXPECT_EQ(recheck(OrvSearchCustomers, kKindCustomer, 19, 2), listed("customer_blocked_only", 19));
    EXPECT_EQ(recheck(OrvSearchCustomers, kKindCustomer, 18), listed("customer_deleted", 2));
    EXPECT_EQ(recheck(OrvSearchCustomers, kKindCustomer, 1, 0, "Anagrafica.Nome = 'Mario'"),
              listed("customer", 1, " AND Anagrafica.Nome = 'Mario'"));
    EXPECT_EQ(recheck(OrvSearchSuppliers, kKindSupplier, 5), listed("supplier", 5));
    EXPECT_EQ(recheck(OrvSearchClerks, kKindAgent, 44), listed("clerk", 44));
    EXPECT_EQ(recheck(OrvSearchAgents, kKindAgent, 44), listed("agent_is_clerk", 0));
    EXPECT_EQ(recheck(OrvSearchCollaborators, kKindCollaborator, 64), listed("collaborator", 0));
    EXPECT_EQ(recheck(OrvSearchAllAnagraphics, kKindRegistryEntry, 70), listed("any", 70));
}

// --- Failures -----------------------------------------------------------------------------------

TEST_P(FieldLookupTest, EveryStatementOrRowReadThatFailsLeavesTheFieldUsable)
{
    // Each lookup runs once clean, then once for every statement and every row read it makes
    // failing in turn (and one past the last). A failed step is skipped or ends the lookup with
    // ErrorInLostFocus; nothing reaches the event loop or a message box, the run's flag is
    // cleared, and the same lookup typed again names what the clean run named.
    QTimer closer; // a browser the chart lookup opens under a fault is closed by the clerk
    QObject::connect(&closer, &QTimer::timeout, [] {
        if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
            dialog->reject();
    });
    closer.start(5);
    auto faulting = std::make_shared<test::FaultingConnection>(db);
    struct Lookup {
        OrvTypeSearchACS searchType;
        int box;
        const char *typed;
    };
    QStringList points;
    for (const Lookup &run : {Lookup{OrvSearchCustomers, 0, "C001"},
                              {OrvSearchAgents, 0, "A01"},
                              {OrvSearchSuppliers, 0, "X"},
                              {OrvSearchSuppliers, 1, "Acc"},
                              {OrvSearchCustomers, 1, "Ross"},
                              {OrvSearchAllAnagraphics, 1, "Banca"},
                              {OrvSearchAccounts, 0, "01.01.01.001"},
                              {OrvSearchAccounts, 0, "01.01.01"},
                              {OrvSearchAccounts, 1, "Fabbr"}}) {
        const QString typed = QString::fromLatin1(run.typed);
        bool escaped = false;
        const auto leaveBox = [&] {
            try {
                typeAndTab(run.box, typed);
            } catch (...) {
                escaped = true;
            }
            return QStringLiteral("%1|%2|%3 #%4/%5")
                .arg(box(0)->text(), box(1)->text(), box(2)->text())
                .arg(field->IDAnagrafica())
                .arg(field->IDNode());
        };
        test::runAtEveryFault(
            *faulting, points, QStringLiteral("%1 %2").arg(run.box).arg(typed),
            [&] {
                open(run.searchType);
                field->setConnection(faulting);
                while (pickers->pendingChoices() < 3)
                    pickers->then(PickChoice::row(0));
                messages->clear();
            },
            leaveBox,
            [&](const QString &named, const QString &clean, bool fired) {
                EXPECT_FALSE(escaped);
                for (const QString &text : messages->texts())
                    EXPECT_FALSE(text.startsWith(QStringLiteral("Errore"))) << text.toStdString();
                EXPECT_FALSE(work().bRicercaInCorso);
                EXPECT_TRUE(fired || named == clean) << named.toStdString();
                window->activateWindow(); // a browser that opened took the activation with it
                EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
                box(run.box)->setFocus(Qt::TabFocusReason);
                box(run.box)->selectAll();
                EXPECT_EQ(leaveBox(), clean) << "typed again";
            });
    }
    test::printFaultPoints(points);
}

// --- The search command -------------------------------------------------------------------------

TEST_P(FieldLookupTest, CtrlRSearchesForTheBoxInUse)
{
    open(OrvSearchCustomers);
    QStringList keys;
    QObject::connect(field, &OrvSearchACS2::KeyDown, [&](std::int16_t &code, std::int16_t &shift) {
        keys << QStringLiteral("down %1/%2").arg(code).arg(shift);
    });
    QObject::connect(field, &OrvSearchACS2::KeyUp, [&](std::int16_t &code, std::int16_t &shift) {
        keys << QStringLiteral("up %1/%2 after %3 picks").arg(code).arg(shift).arg(pickers->pickers().size());
    });
    type(0, QStringLiteral("C00"));
    keys.clear();
    pickers->then(code("C004"));
    QTest::keyClick(box(0), Qt::Key_R, Qt::ControlModifier);

    // Ctrl goes down first and up last; the search runs between the two halves of R.
    EXPECT_EQ(keys.join(u','), "down 17/2,down 82/2,up 82/2 after 1 picks,up 17/0 after 1 picks");
    const test::PickerRecord &picker = pickers->last();
    EXPECT_EQ(picker.searchText, QStringLiteral("C00"));
    EXPECT_TRUE(headers().startsWith("Codice|Anagrafica|")); // by code
    EXPECT_EQ(picker.calls.mid(0, 4).join(u','), "SearchText,Connection,Caption,QueryText");
    EXPECT_EQ(shown(), "C004|Esposito|Anna #4/104 ChangedElement @0");

    pickers->then(PickChoice::cancel()); // nothing picked keeps a named entry
    QTest::keyClick(box(0), Qt::Key_R, Qt::ControlModifier);
    EXPECT_EQ(shown(), "C004|Esposito|Anna #4/104 @0");

    // From the description box: by description, the name first. Nothing picked and nothing
    // named: all three boxes are emptied.
    type(1, QStringLiteral("Ro"));
    pickers->then(PickChoice::cancel());
    QTest::keyClick(box(1), Qt::Key_R, Qt::ControlModifier);
    EXPECT_EQ(pickers->last().searchText, QStringLiteral("Ro"));
    EXPECT_TRUE(headers().startsWith("Anagrafica|Codice|"));
    EXPECT_EQ(shown(), "|| #0/0 ChangedElement @1");

    // Registry entries: by description whatever the box, and the code box is kept.
    open(OrvSearchAllAnagraphics);
    type(0, QStringLiteral("x"));
    work().bRicercaInCorso = true;
    field->setDescription(QStringLiteral("Banca"));
    work().bRicercaInCorso = false;
    box(0)->setFocus(Qt::TabFocusReason);
    pickers->then(PickChoice::cancel());
    QTest::keyClick(box(0), Qt::Key_R, Qt::ControlModifier);
    EXPECT_EQ(pickers->last().searchText, QStringLiteral("Banca"));
    EXPECT_TRUE(headers().startsWith("Anagrafica|Nome|")); // by description
    EXPECT_EQ(shown(), "x|| #0/0 @1");
}

TEST_P(FieldLookupTest, CtrlRRunsOnlyForExactlyCtrlWithTheSearchEnabledOnceAndReportsItsErrors)
{
    // No choice is scripted: a picker opened here fails the test.
    open(OrvSearchCustomers);
    type(0, QStringLiteral("C0"));
    QTest::keyClick(box(0), Qt::Key_R, Qt::ControlModifier | Qt::ShiftModifier);
    field->setEnabledExecute(false); // Ctrl+G would start the management program
    QTest::keyClick(box(0), Qt::Key_G, Qt::ControlModifier);
    field->setEnabledSearch(false);
    QTest::keyClick(box(0), Qt::Key_R, Qt::ControlModifier);
    field->setEnabledSearch(true);
    work().bSaltaKeyUp = true; // the menu has run the search for this key: its key-up runs nothing
    QTest::sendKeyEvent(QTest::Release, box(0), Qt::Key_R, QString(), Qt::ControlModifier);
    EXPECT_FALSE(work().bSaltaKeyUp);
    EXPECT_EQ(box(0)->text(), QStringLiteral("C0"));

    pickers->then(PickChoice::cancel());
    QTest::keyClick(box(0), Qt::Key_R, Qt::ControlModifier);
    EXPECT_EQ(pickers->pickers().size(), 1u);

    // A search that fails is reported and leaves the field usable.
    open(OrvSearchCustomers);
    type(0, QStringLiteral("C0"));
    db->clear();
    db->failOnStatement(1);
    pickers->then(PickChoice::row(0));
    QTest::keyClick(box(0), Qt::Key_R, Qt::ControlModifier);
    db->failOnStatement(0);
    ASSERT_EQ(messages->messages().size(), 1u);
    EXPECT_TRUE(messages->texts().first().startsWith(QStringLiteral("Errore 3000: ")));
    EXPECT_EQ(messages->messages().front().style, kMbCritical);
    // The failed search left its flag set: leaving the box then only clears it.
    EXPECT_EQ(shown(), "C0|| #0/0 @0 code-edited busy");
    tab(0);
    EXPECT_EQ(shown(), "C0|| #0/0 @1 code-edited");
    EXPECT_TRUE(db->sqlTexts().size() == 1); // the failed list only
}

TEST_P(FieldLookupTest, NothingThrowsIntoTheEventLoop)
{
    // A host handler of ChangedElement that throws, and what the clerk then sees.
    std::function<void()> hostHandler;
    const auto withHandler = [&](OrvTypeSearchACS searchType, std::function<void()> handler) {
        resolved(searchType, QStringLiteral("C001"));
        field->setApplicationName(QStringLiteral("Contabilita"));
        hostHandler = std::move(handler);
        QObject::connect(field, &OrvSearchACS2::ChangedElement, field, [&] { hostHandler(); });
        messages->clear();
    };
    const auto told = [&] {
        QStringList list;
        for (const auto &message : messages->messages())
            list << QStringLiteral("%1 (%2, %3)").arg(message.text).arg(message.style).arg(message.title);
        messages->clear();
        return list.join(QStringLiteral("; "));
    };

    // The first keystroke forgets the entity: the handler's error is shown, the key typed.
    withHandler(OrvSearchCustomers, [] { throw std::runtime_error("host failed"); });
    box(0)->selectAll();
    type(0, QStringLiteral("C"));
    EXPECT_EQ(told(), "Errore imprevisto: host failed (16, Contabilita)");
    EXPECT_EQ(box(0)->text(), QStringLiteral("C"));

    // Ctrl+R, with something that is not even an exception class.
    withHandler(OrvSearchCustomers, [] { throw 7; });
    box(0)->setFocus(Qt::TabFocusReason);
    type(0, QStringLiteral("2"));
    told();
    pickers->then(code("C004"));
    QTest::keyClick(box(0), Qt::Key_R, Qt::ControlModifier);
    EXPECT_EQ(told(), "Errore imprevisto. (16, Contabilita)");

    // The lookup of a box ignores it like any step that fails, and goes on.
    withHandler(OrvSearchCustomers, [&] {
        if (field->IDAnagrafica() != 0) // when the lookup names the entry, not when typing forgets it
            throw 7;
    });
    box(0)->selectAll();
    typeAndTab(0, QStringLiteral("C002"));
    EXPECT_EQ(told(), "");
    EXPECT_EQ(shown(), "C002|Rossini Forniture S.r.l.| #2/0 ChangedElement, ChangedElement @1");

    // The host's own property call fails with its handler's error.
    withHandler(OrvSearchCustomers, [] { throw std::runtime_error("host failed"); });
    EXPECT_THROW(field->setCode(QStringLiteral("C003")), std::runtime_error);
    EXPECT_EQ(told(), "");
}

// --- The host starts the search -----------------------------------------------------------------

TEST_P(FieldLookupTest, HostSearchSetsTheColumnsOfEachType)
{
    // The picker's columns and key field when the host searches every entry from "abc", by code
    // (0) or by description (1); the first row is picked and the focus goes to that box.
    const auto search = [&](OrvTypeSearchACS searchType, std::int16_t iType) {
        open(searchType);
        pickers->then(PickChoice::row(0));
        QString text = QStringLiteral("abc");
        field->sbCallFromMenuSearch(iType, text);
        const test::PickerRecord &picker = pickers->last();
        EXPECT_EQ(picker.caption, QStringLiteral("Ricerca"));
        EXPECT_EQ(picker.queryText, lookup::fnSQLCodiceSearch(state(), lookup::kModeAllRows, text, false));
        EXPECT_NE(field->IDAnagrafica(), 0);
        EXPECT_EQ(QApplication::focusWidget(), box(iType == 0 ? 0 : 1));
        EXPECT_FALSE(work().bRicercaInCorso);
        return headers() +
               (picker.keyField.isEmpty() ? QString() : QStringLiteral(" key ") + picker.keyField);
    };
    EXPECT_EQ(search(OrvSearchCustomers, 0),
              "Codice|Anagrafica|Nome|Codice Fiscale=CodiceFiscale|Partita IVA=PartitaIva|"
              "Indirizzo|CAP=Cap|Comune|Provincia|Nazione");
    EXPECT_EQ(search(OrvSearchAgentsAndClerks, 0),
              "Codice|Anagrafica|Nome|Tipo=TipoAgente|Codice Fiscale=CodiceFiscale|"
              "Partita IVA=PartitaIva|Codice Enasarco=Enasarco");
    EXPECT_EQ(
        search(OrvSearchCustomersForAgent, 1),
        "Anagrafica|Codice|Nome|Codice Fiscale=CodiceFiscale|Partita IVA=PartitaIva|Codice "
        "Agente=CodiceAgente|"
        "Codice Enasarco=Enasarco|Agente=CognomeAgente|Nome Agente=NomeAgente key Anagrafica.IDAnagrafica");
    EXPECT_EQ(search(OrvSearchAgentsForCustomer, 0),
              "Codice|Anagrafica|Nome|Codice Fiscale=CodiceFiscale|Partita IVA=PartitaIva|Codice "
              "Cliente=CodiceCliente|"
              "Cognome Cliente=CognomeCliente|Nome Cliente=NomeCliente key Agente.IDAnagrafica");
    EXPECT_EQ(search(OrvSearchCollaborators, 1),
              "Anagrafica|Codice|Nome|Codice Fiscale=CodiceFiscale|Partita IVA=PartitaIva");
    EXPECT_EQ(search(OrvSearchAllAnagraphics, 1),
              "Anagrafica|Nome|Codice Fiscale=CodiceFiscale|Partita IVA=PartitaIva");
}

// A crash here, not an assertion, is what shows the fault.
TEST_P(FieldLookupTest, AFieldDeletedWhileItsListIsOpenEndsTheSearchQuietly)
{
    test::ServiceOverride<QtPickerFactory> realList;
    open(OrvSearchCustomers);
    type(0, QStringLiteral("C0"));
    QStringList heard;
    QObject::connect(field, &OrvSearchACS2::KeyUp, window.get(),
                     [&](std::int16_t &code, std::int16_t &) { heard << QString::number(code); });
    const QPointer<QLineEdit> codeBox = box(0);
    QTimer::singleShot(0, window.get(), [this] { delete field; }); // runs once the list is open
    QKeyEvent press(QEvent::KeyPress, Qt::Key_R, Qt::ControlModifier);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_R, Qt::ControlModifier);
    QApplication::sendEvent(codeBox, &press); // the search runs as Ctrl+R goes down
    if (codeBox)
        QApplication::sendEvent(codeBox, &release);
    field = nullptr;
    EXPECT_TRUE(codeBox.isNull());
    EXPECT_TRUE(heard.isEmpty());
    EXPECT_TRUE(messages->messages().empty());
}

ORV_ON_EVERY_ENGINE(FieldLookupTest);

} // namespace
} // namespace orv
