// The field as a clerk uses it on the demo company: real keystrokes and focus moves on the
// offscreen platform, the statements recorded on their way to SQLite, a scripted picker.
// The exact statement texts are checked in tests/lookup/QueryBuildersTest.cpp; here only which
// statements run, in which order, and what the field does with their rows.
#include "control/FieldContext.h"
#include "control/OrvSearchACS2.h"
#include "data/RuntimeError.h"
#include "lookup/BlockedCheck.h"
#include "lookup/QueryBuilders.h"
#include "support/Database.h"
#include "support/FakeServices.h"
#include "support/RecordingConnection.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <optional>

namespace orv {
namespace {

using test::PickChoice;

enum class Sql { Count, Rows, CountLike, RowsLike, All };

PickChoice code(const char *value)
{
    return PickChoice::withValue(QStringLiteral("Codice"), Variant(value));
}

class FieldLookupTest : public ::testing::Test {
protected:
    // A new form with one field of the type, active, on the demo company.
    void open(OrvTypeSearchACS searchType)
    {
        if (window)
            window->close();
        db->failOnStatement(0);
        window = std::make_unique<QWidget>();
        auto *layout = new QVBoxLayout(window.get());
        field = new OrvSearchACS2(window.get());
        after = new QLineEdit(window.get());
        layout->addWidget(field);
        layout->addWidget(after);
        field->setConnection(db);
        field->setIDFirm(1);
        field->setIDPDC(1);
        field->setCaptionSearch(QStringLiteral("Ricerca"));
        field->setSearchType(searchType);
        QObject::connect(field, &OrvSearchACS2::ChangedElement, [this] { events << "ChangedElement"; });
        QObject::connect(field, &OrvSearchACS2::ErrorInLostFocus, [this] { events << "ErrorInLostFocus"; });
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        db->clear();
        events.clear();
    }
    void TearDown() override
    {
        if (window)
            window->close();
        window.reset();
        db->failOnStatement(0);
    }

    ControlState &state() { return field->context().state(); }
    QLineEdit *box(int i) { return field->findChild<QLineEdit *>(QStringLiteral("txtField%1").arg(i)); }
    QWidget *focused() { return QApplication::focusWidget(); }

    // Focus the box and type, one key at a time; characters a keyboard layout would not name
    // are sent with their text alone.
    void type(int i, const QString &text)
    {
        box(i)->setFocus(Qt::TabFocusReason);
        for (const QChar c : text) {
            const char latin = c.toLatin1();
            if (c.unicode() < 128 && latin != 0)
                QTest::keyClick(box(i), latin);
            else
                QTest::sendKeyEvent(QTest::Click, box(i), Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
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
    QString takeEvents()
    {
        const QString joined = events.join(QStringLiteral(", "));
        events.clear();
        return joined;
    }
    // The three boxes, joined by '|'.
    QString boxes() { return QStringList{box(0)->text(), box(1)->text(), box(2)->text()}.join(u'|'); }
    // The picker's columns as header=column, joined by '|'.
    static QString headers(const test::PickerRecord &picker)
    {
        QStringList list;
        for (const auto &column : picker.columns)
            list << column.header + u'=' + column.column;
        return list.join(u'|');
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
    // The statement the builders give for the field's present state.
    QString statement(Sql kind, const QString &text, bool byDescription = false)
    {
        using namespace lookup;
        const std::int16_t mode = kind == Sql::Count || kind == Sql::CountLike ? kModeCount
                                  : kind == Sql::All                           ? kModeAllRows
                                                                               : kModeRows;
        if (byDescription)
            return fnSQLDescrizioneSearch(state(), mode, text);
        return fnSQLCodiceSearch(state(), mode, text, kind == Sql::CountLike || kind == Sql::RowsLike);
    }

    std::shared_ptr<test::RecordingConnection> db =
        std::make_shared<test::RecordingConnection>(test::demoDatabase());
    test::ServiceOverride<test::ScriptedPickerFactory> pickers;
    test::ServiceOverride<test::CapturedMessageBoxes> messages;
    std::unique_ptr<QWidget> window;
    OrvSearchACS2 *field = nullptr;
    QLineEdit *after = nullptr;
    QStringList events;
};

// --- Lookup by code -----------------------------------------------------------------------------

struct CodeCase {
    const char *name;
    OrvTypeSearchACS searchType;
    QString typed;
    const char *statements; // those of the lookup itself, in order: count, rows, count% or rows%
    std::optional<PickChoice> pick;
    const char *boxes;
    std::int32_t id;               // 0: the lookup failed, or did not run
    const char *columns = nullptr; // the picker's, when checked
    const char *keyField = "";
};

TEST_F(FieldLookupTest, CodeLookupResolvesUniquePrefixAmbiguousAndUnknownCodes)
{
    const std::vector<CodeCase> cases = {
        {"a unique code fills the field at once", OrvSearchCustomers, "C001", "count rows", std::nullopt,
         "C001|Rossi|Mario", 1},
        {"one code starting with the text is taken without the picker", OrvSearchCustomers, "c02",
         "count count% rows%", std::nullopt, "C020|Lombardi|Carlo", 20},
        {"an ambiguous code opens the picker on all entries", OrvSearchAgents, "A01", "count",
         PickChoice::withValue(QStringLiteral("IDAnagrafica"), Variant(41)), "A01|Sartori|Claudio", 41,
         "Codice=Codice|Anagrafica=Anagrafica|Nome=Nome|Codice Enasarco=Enasarco|Codice "
         "Fiscale=CodiceFiscale|Partita IVA=PartitaIva"},
        {"an unknown code picked from the list", OrvSearchSuppliers, "ZZ", "count count%", code("F006"),
         "F006|Fontana|Alberto", 35,
         "Codice=Codice|Anagrafica=Anagrafica|Nome=Nome|Codice Fiscale=CodiceFiscale|Partita IVA=PartitaIva"},
        {"an unknown code not picked sends the clerk back", OrvSearchSuppliers, "ZZ", "count count%",
         PickChoice::cancel(), "ZZ||", 0},
        {"several codes starting with the text open the picker", OrvSearchCollaborators, "CO0",
         "count count%", code("CO02"), "CO02|Testa|Andrea", 51},
        {"a clerk", OrvSearchClerks, "I02", "count rows", std::nullopt, "I02|Caruso|Davide", 45},
        {"agents and clerks list the type", OrvSearchAgentsAndClerks, "I0", "count count%", code("I01"),
         "I01|Pellegrini|Marta", 44,
         "Codice=Codice|Anagrafica=Anagrafica|Nome=Nome|Tipo=TipoAgente|Codice Enasarco=Enasarco|Codice "
         "Fiscale=CodiceFiscale|Partita IVA=PartitaIva"},
        {"a customer of an agent", OrvSearchCustomersForAgent, "C003", "count rows", std::nullopt,
         "C003|Dell'Orto|Giuseppe", 3},
        {"the agents of customers are keyed by the agent", OrvSearchAgentsForCustomer, "A02", "count",
         code("A02"), "A02|Villa|Roberto", 42,
         "Codice=Codice|Cognome=Anagrafica|Nome=Nome|Codice Cliente=CodiceCliente|Cognome "
         "Cliente=CognomeCliente|Nome Cliente=NomeCliente|Codice Fiscale=CodiceFiscale|Partita "
         "IVA=PartitaIva",
         "Agente.IDAnagrafica"},
        {"registry entries of any role have no code", OrvSearchAllAnagraphics, "C001", "", std::nullopt,
         "C001||", 0},
    };
    for (const CodeCase &c : cases) {
        SCOPED_TRACE(c.name);
        open(c.searchType);
        const std::size_t pickersBefore = pickers->pickers().size();
        if (c.pick)
            pickers->then(*c.pick);

        typeAndTab(0, c.typed);

        QStringList expected;
        for (const QString &kind : QString::fromUtf8(c.statements).split(u' ', Qt::SkipEmptyParts))
            expected << statement(kind.startsWith(u'c') ? (kind.endsWith(u'%') ? Sql::CountLike : Sql::Count)
                                                        : (kind.endsWith(u'%') ? Sql::RowsLike : Sql::Rows),
                                  c.typed);
        EXPECT_EQ(db->sqlTexts().mid(0, expected.size()).join(u'\n').toStdString(),
                  expected.join(u'\n').toStdString());
        EXPECT_EQ(boxes(), QString::fromUtf8(c.boxes));
        EXPECT_EQ(field->IDAnagrafica(), c.id);
        const bool failed = c.id == 0 && *c.statements != '\0';
        EXPECT_EQ(takeEvents(), c.id != 0 ? "ChangedElement" : failed ? "ErrorInLostFocus" : "");
        EXPECT_EQ(focused(), failed ? box(0) : box(1)); // Tab went to the description box
        EXPECT_FALSE(state().bRicercaInCorso);
        EXPECT_EQ(state().bCodiceModificato, c.id == 0);
        ASSERT_EQ(pickers->pickers().size(), pickersBefore + (c.pick ? 1u : 0u));
        if (c.pick) {
            const test::PickerRecord &picker = pickers->last();
            EXPECT_EQ(picker.caption, QStringLiteral("Ricerca"));
            EXPECT_EQ(picker.searchText, c.typed);
            EXPECT_EQ(picker.queryText, statement(Sql::All, c.typed));
            EXPECT_EQ(picker.connection, db);
            EXPECT_EQ(picker.keyField, QString::fromUtf8(c.keyField));
            EXPECT_EQ(picker.calls.first(), QStringLiteral("Caption"));
            EXPECT_EQ(picker.calls.last(), QStringLiteral("Pick"));
            if (c.columns) {
                EXPECT_EQ(headers(picker), QString::fromUtf8(c.columns));
            }
        }
    }
}

TEST_F(FieldLookupTest, CustomerCodeBringsTheAccountOfTheChart)
{
    open(OrvSearchCustomers);
    field->setIDSearchTypeConto(OrvCustomersAccounts);
    typeAndTab(0, QStringLiteral("C005"));
    EXPECT_EQ(field->IDNode(), 105);
    EXPECT_EQ(boxes(), QStringLiteral("C005|Ferrari Impianti S.n.c.|"));
    EXPECT_EQ(field->IDAnagrafica(), 5);

    // Without a customer restriction the entry's supplier account is wanted; a customer has none.
    open(OrvSearchCustomers);
    typeAndTab(0, QStringLiteral("C001"));
    EXPECT_EQ(field->IDNode(), 0);
    EXPECT_EQ(field->IDAnagrafica(), 1);
}

// A branch is loaded by its id, which the field first asks for as an account: no account may
// share it, or the field shows that account's branch instead of the one typed.
TEST_F(FieldLookupTest, BranchCodeInAnAccountFieldShowsThatBranch)
{
    struct Row {
        const char *typed, *boxes;
        std::int32_t branch;
    };
    for (const Row &row :
         {Row{"01.05", "01.05|Crediti verso clienti|", 1013}, Row{"03", "03|COSTI|", 1003}}) {
        SCOPED_TRACE(row.typed);
        open(OrvSearchAccounts);
        typeAndTab(0, QString::fromLatin1(row.typed));
        EXPECT_EQ(boxes(), QString::fromUtf8(row.boxes));
        EXPECT_EQ(field->IDNode(), row.branch);
        EXPECT_EQ(field->NodeType(), OrvBranch);
        EXPECT_EQ(field->IDAnagrafica(), 0);
    }
}

TEST_F(FieldLookupTest, ApostrophesAndCharactersOutsideTheCodePageReachTheDatabaseConverted)
{
    // Apostrophes: see the description lookup. Ω is not in the code page: it reaches SQLite as "?"; "ß" and
    // "€" are and stay.
    open(OrvSearchSuppliers);
    pickers->then(PickChoice::cancel());
    type(0, QStringLiteral("Ωß€"));
    EXPECT_EQ(box(0)->text(), QStringLiteral("Ωß€"));
    tab(0);
    ASSERT_EQ(db->sqlTexts().size(), 3);
    EXPECT_TRUE(db->sqlTexts().at(0).endsWith(QStringLiteral("Codice = '?ß€'")));
    EXPECT_TRUE(db->sqlTexts().at(1).endsWith(QStringLiteral("Codice LIKE '?ß€%'")));
    EXPECT_EQ(box(0)->text(), QStringLiteral("Ωß€")); // the box keeps what was typed
    EXPECT_EQ(takeEvents(), QStringLiteral("ErrorInLostFocus"));
}

// --- Editing and focus --------------------------------------------------------------------------

TEST_F(FieldLookupTest, FirstKeystrokeOfAResolvedFieldForgetsTheEntityOnce)
{
    resolved(OrvSearchCustomers, QStringLiteral("C001"));
    box(0)->setFocus(Qt::TabFocusReason);
    box(0)->selectAll();

    type(0, QStringLiteral("C"));
    EXPECT_EQ(takeEvents(), QStringLiteral("ChangedElement"));
    EXPECT_EQ(boxes(), QStringLiteral("C||"));
    EXPECT_EQ(field->IDAnagrafica(), 0);
    type(0, QStringLiteral("00"));
    EXPECT_EQ(takeEvents(), QString());
    EXPECT_EQ(box(0)->text(), QStringLiteral("C00"));

    // Keys that reach the description box now leave the code alone.
    QTest::keyClicks(box(1), QStringLiteral("x"));
    EXPECT_EQ(boxes(), QStringLiteral("C00|x|"));
    EXPECT_EQ(takeEvents(), QString());

    // After a lookup the next edit, in the description box where Tab went, forgets again.
    resolved(OrvSearchCustomers, QStringLiteral("C001"));
    type(1, QStringLiteral("R"));
    EXPECT_EQ(takeEvents(), QStringLiteral("ChangedElement"));
    EXPECT_EQ(box(0)->text(), QString());
    EXPECT_TRUE(state().bDescrizioneModificata);
}

TEST_F(FieldLookupTest, LeavingUneditedBoxesOrTheSecondDescriptionRunsNothing)
{
    resolved(OrvSearchCustomers, QStringLiteral("C002"));
    tab(0);
    tab(1);
    tab(2);
    EXPECT_EQ(focused(), after);
    EXPECT_TRUE(db->sqlTexts().isEmpty());
    EXPECT_EQ(takeEvents(), QString());
    EXPECT_EQ(field->IDAnagrafica(), 2);

    open(OrvSearchCustomers);
    typeAndTab(2, QStringLiteral("Mario"));
    EXPECT_EQ(focused(), after);
    EXPECT_TRUE(db->sqlTexts().isEmpty());
    EXPECT_EQ(takeEvents(), QString());
}

TEST_F(FieldLookupTest, CodeFromTheHostIsLookedUpLikeTypedCode)
{
    resolved(OrvSearchCustomers, QStringLiteral("C001"));
    box(0)->setFocus(Qt::BacktabFocusReason);
    field->setCode(QStringLiteral("C002"));
    EXPECT_EQ(takeEvents(), QStringLiteral("ChangedElement"));
    EXPECT_EQ(boxes(), QStringLiteral("C002||"));
    tab(0);
    EXPECT_EQ(boxes(), QStringLiteral("C002|Rossini Forniture S.r.l.|"));
    EXPECT_EQ(takeEvents(), QStringLiteral("ChangedElement"));
}

TEST_F(FieldLookupTest, HostKeyHandlersChangeWhatTheBoxGoesOnToDo)
{
    open(OrvSearchCustomers);
    QObject::connect(
        field, &OrvSearchACS2::KeyPress, field,
        [](std::int16_t &ascii) {
            if (ascii >= 'a' && ascii <= 'z')
                ascii = static_cast<std::int16_t>(ascii - 32);
        },
        Qt::DirectConnection);
    QObject::connect(
        field, &OrvSearchACS2::KeyDown, field,
        [](std::int16_t &code, std::int16_t &) {
            if (code == 'X')
                code = 0;
        },
        Qt::DirectConnection);
    type(0, QStringLiteral("c0x1"));
    EXPECT_EQ(box(0)->text(), QStringLiteral("C01"));
}

// --- Lookup by description ----------------------------------------------------------------------

struct DescriptionCase {
    const char *name;
    OrvTypeSearchACS searchType;
    QString typed;
    std::optional<Sql> pickerStatement; // nullopt: no picker, the entry is read at once
    std::optional<PickChoice> pick;
    QString searchText;
    const char *boxes;
    std::int32_t id; // 0: the lookup failed
    const char *keyField = "";
};

TEST_F(FieldLookupTest, DescriptionLookupResolvesTheBeginningOfAName)
{
    const std::vector<DescriptionCase> cases = {
        {"an apostrophe", OrvSearchCustomers, "Dell'O", std::nullopt, std::nullopt, "",
         "C003|Dell'Orto|Giuseppe", 3},
        {"one supplier", OrvSearchSuppliers, "acciaierie", std::nullopt, std::nullopt, "",
         "F001|Acciaierie Lombarde S.p.A.|", 30},
        {"two customers: all customers, searched by the text", OrvSearchCustomers, "Ross", Sql::All,
         code("C002"), "Ross", "C002|Rossini Forniture S.r.l.|", 2},
        {"no customer: the empty match, nothing picked", OrvSearchCustomers, "Zeta", Sql::Rows,
         PickChoice::cancel(), "", "|Zeta|", 0},
        {"no agent: every agent", OrvSearchAgents, "Zeta", Sql::All, code("A02"), "", "A02|Villa|Roberto",
         42},
        {"agents of customers are keyed by the registry id", OrvSearchAgentsForCustomer, "Vil", Sql::All,
         code("A02"), "Vil", "A02|Villa|Roberto", 42, "Anagrafica.IDAnagrafica"},
        {"a registry entry of any role", OrvSearchAllAnagraphics, "Banca", std::nullopt, std::nullopt, "",
         "|Banca Emiliana di Credito Cooperativo|", 70},
    };
    for (const DescriptionCase &c : cases) {
        SCOPED_TRACE(c.name);
        open(c.searchType);
        if (c.pick)
            pickers->then(*c.pick);
        const std::size_t pickersBefore = pickers->pickers().size();

        typeAndTab(1, c.typed);

        ASSERT_GE(db->sqlTexts().size(), 1);
        EXPECT_EQ(db->sqlTexts().first(), statement(Sql::Count, c.typed, true));
        if (!c.pickerStatement) {
            EXPECT_EQ(db->sqlTexts().value(1), statement(Sql::Rows, c.typed, true));
        }
        EXPECT_EQ(boxes(), QString::fromUtf8(c.boxes));
        EXPECT_EQ(field->IDAnagrafica(), c.id);
        EXPECT_EQ(takeEvents(), c.id != 0 ? "ChangedElement" : "ErrorInLostFocus");
        EXPECT_EQ(focused(), c.id != 0 ? box(2) : box(1)); // Tab went to the second description box
        EXPECT_FALSE(state().bRicercaInCorso);
        ASSERT_EQ(pickers->pickers().size(), pickersBefore + (c.pickerStatement ? 1u : 0u));
        if (c.pickerStatement) {
            const test::PickerRecord &picker = pickers->last();
            EXPECT_EQ(picker.queryText, statement(*c.pickerStatement, c.typed, true));
            EXPECT_EQ(picker.searchText, c.searchText);
            EXPECT_EQ(picker.keyField, QString::fromUtf8(c.keyField));
            EXPECT_EQ(picker.columns.front().header,
                      c.searchType == OrvSearchAgentsForCustomer ? "Cognome" : "Anagrafica");
        }
    }
}

TEST_F(FieldLookupTest, RegistryEntriesKeepTheCodeBoxAsItIs)
{
    open(OrvSearchAllAnagraphics);
    const auto codeFromALoader = [this](const QString &code) {
        state().bRicercaInCorso = true;
        field->setCode(code);
        state().bRicercaInCorso = false;
    };
    codeFromALoader(QStringLiteral("kept"));
    typeAndTab(1, QStringLiteral("Comune di")); // the code flag is set: no reset on the first keystroke
    EXPECT_EQ(box(0)->text(), QStringLiteral("kept"));
    EXPECT_EQ(field->IDAnagrafica(), 71);

    // Several entries start with "Co": nothing picked keeps the code box too.
    codeFromALoader(QStringLiteral("kept too"));
    box(1)->setFocus(Qt::TabFocusReason);
    box(1)->selectAll();
    pickers->then(PickChoice::cancel());
    typeAndTab(1, QStringLiteral("Co"));
    EXPECT_EQ(box(0)->text(), QStringLiteral("kept too"));
    EXPECT_EQ(field->IDAnagrafica(), 0);
    EXPECT_EQ(focused(), box(1));
}

TEST_F(FieldLookupTest, ABlankDescriptionForgetsWithoutASearch)
{
    resolved(OrvSearchCustomers, QStringLiteral("C001"));
    box(1)->setFocus(Qt::TabFocusReason);
    box(1)->selectAll();
    type(1, QStringLiteral("  "));
    EXPECT_EQ(takeEvents(), QStringLiteral("ChangedElement")); // the edit forgot the entity
    tab(1);
    EXPECT_TRUE(db->sqlTexts().isEmpty());
    EXPECT_EQ(takeEvents(), QStringLiteral("ChangedElement")); // and the blank lookup tells it again
    EXPECT_FALSE(state().bCodiceModificato);
    EXPECT_FALSE(state().bDescrizioneModificata);
}

// --- Blocked customers --------------------------------------------------------------------------

struct BlockCase {
    const char *name;
    bool blockActive;
    bool blockedOnly;
    int box;
    QString typed;
    std::optional<PickChoice> pick;
    std::int32_t id;
    int rowsOffered = -1; // the picker's, when one opens
};

TEST_F(FieldLookupTest, TheBlockFilterAdmitsOneSideOnly)
{
    const std::vector<BlockCase> cases = {
        // 19 live customers less C007 and C019.
        {"issuing: the blocked C007 is not found nor offered", true, false, 0, "C007", PickChoice::cancel(),
         0, 17},
        {"issuing: a Null flag is not a block", true, false, 0, "C012", std::nullopt, 12},
        {"blocked only: C007 at once", true, true, 0, "C007", std::nullopt, 7},
        {"blocked only: by name only Romano and Rizzo", true, true, 1, "R", code("C019"), 19, 2},
        {"filter off: a blocked customer", false, true, 1, "Romano", std::nullopt, 7},
        {"filter off: an unblocked customer", false, false, 1, "Rossini", std::nullopt, 2},
    };
    for (const BlockCase &c : cases) {
        SCOPED_TRACE(c.name);
        open(OrvSearchCustomers);
        if (c.blockActive)
            field->setAttivaFiltroBlocco(true);
        field->setBloccoEmissioneDoc(c.blockedOnly);
        if (c.pick)
            pickers->then(*c.pick);
        const std::size_t pickersBefore = pickers->pickers().size();
        typeAndTab(c.box, c.typed);
        EXPECT_EQ(field->IDAnagrafica(), c.id);
        if (c.id == 0) {
            EXPECT_EQ(takeEvents(), QStringLiteral("ErrorInLostFocus"));
        }
        ASSERT_EQ(pickers->pickers().size(), pickersBefore + (c.pick ? 1u : 0u));
        if (c.pick) {
            EXPECT_EQ(pickers->last().rowsOffered, c.rowsOffered);
        }
    }
}

// --- An entry that comes back from the management program ---------------------------------------

struct CheckCase {
    const char *name;
    OrvTypeSearchACS searchType;
    std::int16_t kind;
    std::int32_t id;
    bool blockActive;
    QString filter;
    QString sql;
    std::int32_t shown; // the entry the field shows afterwards
};

TEST_F(FieldLookupTest, AnEntryFromOutsideIsShownOnlyWhenItStillQualifies)
{
    // role, id, conditions before the deletion test, conditions after it
    const auto check = [](const char *role, int id, const char *before = "", const char *more = "") {
        return QStringLiteral("SELECT Anagrafica.IDAnagrafica, %1.Codice FROM Anagrafica INNER JOIN %1 ON "
                              "Anagrafica.IDAnagrafica = %1.IDAnagrafica WHERE Anagrafica.IDAnagrafica = %2 "
                              "AND %1.IDAzienda = 1%3 AND Anagrafica.VirtualDelete = 0%4")
            .arg(QLatin1String(role))
            .arg(id)
            .arg(QLatin1String(before), QLatin1String(more));
    };
    const char *unblocked = " AND (Cliente.BloccoEmissioneDoc IS NULL OR Cliente.BloccoEmissioneDoc = 0)";
    using namespace lookup;
    const std::vector<CheckCase> cases = {
        {"a customer", OrvSearchCustomers, kKindCustomer, 1, false, "", check("Cliente", 1), 1},
        {"a blocked customer while only unblocked ones are admitted", OrvSearchCustomers, kKindCustomer, 7,
         true, "", check("Cliente", 7, "", unblocked), 2},
        {"a deleted customer", OrvSearchCustomers, kKindCustomer, 18, false, "", check("Cliente", 18), 2},
        {"the caller's filter", OrvSearchCustomers, kKindCustomer, 9, false, "Anagrafica.IDComune = 1",
         check("Cliente", 9, "", " AND Anagrafica.IDComune = 1"), 9},
        {"a supplier", OrvSearchSuppliers, kKindSupplier, 31, false, "", check("Fornitore", 31), 31},
        {"a clerk on a clerk field", OrvSearchClerks, kKindAgent, 44, false, "",
         check("Agente", 44, " AND Agente.IDTipoAgente = 2"), 44},
        {"a clerk on an agent field", OrvSearchAgents, kKindAgent, 44, false, "",
         check("Agente", 44, " AND (Agente.IDTipoAgente IS NULL OR Agente.IDTipoAgente = 1)"), 0},
        {"a collaborator", OrvSearchCollaborators, kKindCollaborator, 52, false, "",
         check("Collaboratore", 52), 52},
        {"a registry entry by its name", OrvSearchAllAnagraphics, kKindRegistryEntry, 71, false, "",
         "SELECT Anagrafica.IDAnagrafica, Anagrafica.Anagrafica FROM Anagrafica  WHERE "
         "Anagrafica.IDAnagrafica = 71 AND Anagrafica.VirtualDelete = 0",
         71},
    };
    for (const CheckCase &c : cases) {
        SCOPED_TRACE(c.name);
        // What the field showed before the management program ran.
        if (c.searchType == OrvSearchCustomers)
            resolved(c.searchType, QStringLiteral("C002"));
        else
            open(c.searchType);
        field->setAttivaFiltroBlocco(c.blockActive);
        field->setFilter(c.filter);
        db->clear();

        std::int16_t kind = c.kind;
        sbCheckAnagrafica(field->context(), c.id, kind);
        ASSERT_FALSE(db->sqlTexts().isEmpty());
        EXPECT_EQ(db->sqlTexts().first(), c.sql);
        EXPECT_EQ(field->IDAnagrafica(), c.shown);
        EXPECT_FALSE(state().bRicercaInCorso);
    }
}

// --- Failures -----------------------------------------------------------------------------------

struct FailureFlow {
    const char *name;
    OrvTypeSearchACS searchType;
    int box;
    QString typed;
    std::optional<PickChoice> pick;
    // One letter per statement k = 1, 2, ... that fails: whether a picker opens (p/P or -/E) and
    // whether the lookup ends in ErrorInLostFocus (P/E) or names an entry (p/-).
    const char *outcomes;
};

TEST_F(FieldLookupTest, AStatementThatFailsIsSkippedAndTheLookupGoesOn)
{
    const std::vector<FailureFlow> flows = {
        {"a unique customer code: count, rows, account", OrvSearchCustomers, 0, "C001", std::nullopt, "-E--"},
        {"an ambiguous agent code: count, the picker's list", OrvSearchAgents, 0, "A01", code("A02"), "pPp"},
        {"an unknown supplier code: count, prefix count, the picker's list", OrvSearchSuppliers, 0, "X",
         PickChoice::row(0), "ppPp"},
        {"one supplier by name: count, rows", OrvSearchSuppliers, 1, "Acc", PickChoice::row(0), "pE-"},
        {"two customers by name: count, the picker's list", OrvSearchCustomers, 1, "Ross", PickChoice::row(0),
         "pPp"},
    };
    for (const FailureFlow &flow : flows) {
        for (int k = 1; flow.outcomes[k - 1] != '\0'; ++k) {
            const char outcome = flow.outcomes[k - 1];
            const bool picks = outcome == 'p' || outcome == 'P';
            const bool error = outcome == 'P' || outcome == 'E';
            SCOPED_TRACE(
                QStringLiteral("%1, statement %2 fails").arg(QLatin1String(flow.name)).arg(k).toStdString());
            open(flow.searchType);
            db->failOnStatement(k);
            if (picks)
                pickers->then(*flow.pick);
            const std::size_t pickersBefore = pickers->pickers().size();

            typeAndTab(flow.box, flow.typed);

            EXPECT_FALSE(state().bRicercaInCorso);
            EXPECT_EQ(pickers->pickers().size(), pickersBefore + (picks ? 1u : 0u));
            EXPECT_EQ(events.contains(QStringLiteral("ErrorInLostFocus")), error)
                << takeEvents().toStdString();
            EXPECT_EQ(field->IDAnagrafica() != 0, !error);
            EXPECT_EQ(focused(), error ? box(flow.box) : box(flow.box + 1));
            EXPECT_EQ(state().bCodiceModificato || state().bDescrizioneModificata, error);
        }
    }
}

TEST_F(FieldLookupTest, NoConnectionEndsTheLookupAsFailed)
{
    for (const int i : {0, 1}) {
        SCOPED_TRACE(i);
        open(OrvSearchCustomers);
        field->setConnection(nullptr);
        pickers->then(PickChoice::cancel());
        typeAndTab(i, i == 0 ? QStringLiteral("C001") : QStringLiteral("Rossi"));
        EXPECT_EQ(takeEvents(), QStringLiteral("ErrorInLostFocus"));
        EXPECT_FALSE(state().bRicercaInCorso);
        EXPECT_EQ(focused(), box(i));
    }
}

TEST_F(FieldLookupTest, ALookupCalledWhileAnotherRunsOnlyEndsTheSuspension)
{
    open(OrvSearchCustomers);
    type(0, QStringLiteral("C001"));
    state().bRicercaInCorso = true;
    tab(0);
    EXPECT_TRUE(db->sqlTexts().isEmpty());
    EXPECT_FALSE(state().bRicercaInCorso);
    EXPECT_TRUE(state().bCodiceModificato);
}

// --- The search command -------------------------------------------------------------------------

void pressCtrlR(QLineEdit *target, Qt::KeyboardModifiers modifiers = Qt::ControlModifier)
{
    QTest::keyClick(target, Qt::Key_R, modifiers);
}

TEST_F(FieldLookupTest, CtrlRSearchesForTheBoxInUse)
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
    pressCtrlR(box(0));

    // Ctrl goes down first and up last; the search runs between the two halves of R.
    EXPECT_EQ(keys.join(u','), "down 17/2,down 82/2,up 82/2 after 1 picks,up 17/0 after 1 picks");
    const test::PickerRecord &picker = pickers->last();
    EXPECT_EQ(picker.searchText, QStringLiteral("C00"));
    EXPECT_TRUE(headers(picker).startsWith("Codice=Codice|Anagrafica=Anagrafica|")); // by code
    EXPECT_EQ(picker.calls.mid(0, 4).join(u','), "SearchText,Connection,Caption,QueryText");
    EXPECT_EQ(boxes(), QStringLiteral("C004|Esposito|Anna"));
    EXPECT_EQ(field->IDAnagrafica(), 4);
    EXPECT_EQ(focused(), box(0));
    EXPECT_FALSE(state().bCodiceModificato);

    // Nothing picked keeps a named entry.
    pickers->then(PickChoice::cancel());
    pressCtrlR(box(0));
    EXPECT_EQ(boxes(), QStringLiteral("C004|Esposito|Anna"));
    EXPECT_EQ(field->IDAnagrafica(), 4);
    EXPECT_EQ(takeEvents(), QStringLiteral("ChangedElement")); // the first pick's only

    // From the description box: by description, the name first.
    type(1, QStringLiteral("Ro"));
    pickers->then(PickChoice::cancel());
    pressCtrlR(box(1));
    EXPECT_EQ(pickers->last().searchText, QStringLiteral("Ro"));
    EXPECT_TRUE(headers(pickers->last()).startsWith("Anagrafica=Anagrafica|Codice=Codice|"));
    // Nothing picked and nothing named: all three boxes are emptied.
    EXPECT_EQ(boxes(), QStringLiteral("||"));
    EXPECT_EQ(focused(), box(1));
}

TEST_F(FieldLookupTest, CtrlRRunsOnlyForExactlyCtrlWithTheSearchEnabledAndOnce)
{
    open(OrvSearchCustomers);
    type(0, QStringLiteral("C0"));
    pressCtrlR(box(0), Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyClick(box(0), Qt::Key_G, Qt::ControlModifier);
    field->setEnabledSearch(false);
    pressCtrlR(box(0));
    field->setEnabledSearch(true);
    state().bSaltaKeyUp = true; // the popup menu's shortcut has just run the search
    pressCtrlR(box(0));
    EXPECT_FALSE(state().bSaltaKeyUp);
    EXPECT_TRUE(pickers->pickers().empty());
    EXPECT_EQ(box(0)->text(), QStringLiteral("C0"));

    pickers->then(PickChoice::cancel());
    pressCtrlR(box(0));
    EXPECT_EQ(pickers->pickers().size(), 1u);
}

TEST_F(FieldLookupTest, CtrlROnRegistryEntriesSearchesTheDescriptionAndKeepsTheCode)
{
    open(OrvSearchAllAnagraphics);
    type(0, QStringLiteral("x"));
    state().bRicercaInCorso = true;
    field->setDescription(QStringLiteral("Banca"));
    state().bRicercaInCorso = false;
    box(0)->setFocus(Qt::TabFocusReason);
    pickers->then(PickChoice::cancel());
    pressCtrlR(box(0));
    EXPECT_EQ(pickers->last().searchText, QStringLiteral("Banca"));
    EXPECT_TRUE(headers(pickers->last()).startsWith("Anagrafica=Anagrafica|Nome=Nome|")); // by description
    EXPECT_EQ(boxes(), QStringLiteral("x||"));
    EXPECT_EQ(focused(), box(1));
}

TEST_F(FieldLookupTest, ASearchThatFailsIsReportedAndLeavesTheFieldUsable)
{
    open(OrvSearchCustomers);
    type(0, QStringLiteral("C0"));
    db->clear();
    db->failOnStatement(1);
    pickers->then(PickChoice::row(0));
    pressCtrlR(box(0));
    db->failOnStatement(0);
    ASSERT_EQ(messages->messages().size(), 1u);
    EXPECT_TRUE(messages->texts().first().startsWith(QStringLiteral("Errore 3000: ")));
    EXPECT_EQ(messages->messages().front().style, kMbCritical);
    EXPECT_FALSE(state().bRicercaInCorso);
    EXPECT_EQ(field->IDAnagrafica(), 0);
}

// --- The host starts the search -----------------------------------------------------------------

struct MenuCase {
    OrvTypeSearchACS searchType;
    std::int16_t iType; // 0: by code, otherwise by description
    const char *columns;
    const char *keyField = "";
};

TEST_F(FieldLookupTest, HostSearchSetsTheColumnsOfEachType)
{
    const std::vector<MenuCase> cases = {
        {OrvSearchCustomers, 0,
         "Codice=Codice|Anagrafica=Anagrafica|Nome=Nome|Codice Fiscale=CodiceFiscale|Partita IVA=PartitaIva|"
         "Indirizzo=Indirizzo|CAP=Cap|Comune=Comune|Provincia=Provincia|Nazione=Nazione"},
        {OrvSearchSuppliers, 1,
         "Anagrafica=Anagrafica|Codice=Codice|Nome=Nome|Codice Fiscale=CodiceFiscale|Partita IVA=PartitaIva|"
         "Indirizzo=Indirizzo|CAP=Cap|Comune=Comune|Provincia=Provincia|Nazione=Nazione"},
        {OrvSearchAgentsAndClerks, 0,
         "Codice=Codice|Anagrafica=Anagrafica|Nome=Nome|Tipo=TipoAgente|Codice Fiscale=CodiceFiscale|"
         "Partita IVA=PartitaIva|Codice Enasarco=Enasarco"},
        {OrvSearchCustomersForAgent, 1,
         "Anagrafica=Anagrafica|Codice=Codice|Nome=Nome|Codice Fiscale=CodiceFiscale|Partita IVA=PartitaIva|"
         "Codice Agente=CodiceAgente|Codice Enasarco=Enasarco|Agente=CognomeAgente|Nome Agente=NomeAgente",
         "Anagrafica.IDAnagrafica"},
        {OrvSearchAgentsForCustomer, 0,
         "Codice=Codice|Anagrafica=Anagrafica|Nome=Nome|Codice Fiscale=CodiceFiscale|Partita IVA=PartitaIva|"
         "Codice Cliente=CodiceCliente|Cognome Cliente=CognomeCliente|Nome Cliente=NomeCliente",
         "Agente.IDAnagrafica"},
        {OrvSearchCollaborators, 1,
         "Anagrafica=Anagrafica|Codice=Codice|Nome=Nome|Codice Fiscale=CodiceFiscale|Partita IVA=PartitaIva"},
        {OrvSearchAllAnagraphics, 1,
         "Anagrafica=Anagrafica|Nome=Nome|Codice Fiscale=CodiceFiscale|Partita IVA=PartitaIva"},
    };
    for (const MenuCase &c : cases) {
        SCOPED_TRACE(c.searchType);
        open(c.searchType);
        pickers->then(PickChoice::row(0));
        std::int16_t iType = c.iType;
        QString text = QStringLiteral("abc");
        field->sbCallFromMenuSearch(iType, text);
        const test::PickerRecord &picker = pickers->last();
        EXPECT_EQ(headers(picker), QString::fromUtf8(c.columns));
        EXPECT_EQ(picker.keyField, QString::fromUtf8(c.keyField));
        EXPECT_EQ(picker.caption, QStringLiteral("Ricerca"));
        EXPECT_EQ(picker.queryText, statement(Sql::All, text));
        EXPECT_NE(field->IDAnagrafica(), 0);
        EXPECT_EQ(focused(), box(c.iType == 0 ? 0 : 1));
        EXPECT_FALSE(state().bRicercaInCorso);
    }
}

TEST_F(FieldLookupTest, HostSearchLoadsThePickedEntry)
{
    open(OrvSearchCustomers);
    pickers->then(code("C009"));
    std::int16_t iType = 1;
    QString text = QStringLiteral("Ric");
    field->sbCallFromMenuSearch(iType, text);
    EXPECT_EQ(field->IDNode(), 109); // the customer's account
    EXPECT_EQ(boxes(), QStringLiteral("C009|Ricci|Francesca"));
    EXPECT_EQ(field->IDAnagrafica(), 9);
    EXPECT_EQ(takeEvents(), QStringLiteral("ChangedElement"));
    EXPECT_EQ(iType, 1);
    EXPECT_EQ(text, QStringLiteral("Ric"));

    // Registry entries: the code box and IDNode stay as they are.
    open(OrvSearchAllAnagraphics);
    state().bRicercaInCorso = true;
    field->setCode(QStringLiteral("kept"));
    state().bRicercaInCorso = false;
    pickers->then(PickChoice::withValue(QStringLiteral("IDAnagrafica"), Variant(70)));
    field->sbCallFromMenuSearch(iType, text);
    EXPECT_EQ(boxes(), QStringLiteral("kept|Banca Emiliana di Credito Cooperativo|"));
    EXPECT_EQ(field->IDNode(), 0);
    EXPECT_EQ(field->IDAnagrafica(), 70);

    // A cancelled pick changes nothing.
    pickers->then(PickChoice::cancel());
    field->sbCallFromMenuSearch(iType, text);
    EXPECT_EQ(field->IDAnagrafica(), 70);
    EXPECT_EQ(takeEvents(), QStringLiteral("ChangedElement"));
}

TEST_F(FieldLookupTest, HostSearchPassesDatabaseErrorsOn)
{
    open(OrvSearchSuppliers);
    db->failOnStatement(1);
    pickers->then(PickChoice::row(0));
    std::int16_t iType = 0;
    QString text;
    try {
        field->sbCallFromMenuSearch(iType, text);
        ADD_FAILURE() << "the database error did not reach the host";
    } catch (const RuntimeError &error) {
        EXPECT_EQ(error.number(), kErrDatabase);
    }
    db->failOnStatement(0);
    EXPECT_FALSE(state().bRicercaInCorso);
    EXPECT_EQ(field->IDAnagrafica(), 0);
}

} // namespace
} // namespace orv
