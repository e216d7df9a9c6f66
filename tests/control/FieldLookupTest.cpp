// The field as a clerk uses it on the demo company: real keystrokes and focus moves on the
// offscreen platform, the statements recorded on their way to SQLite, a scripted picker.
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
        QObject::connect(field, &OrvSearchACS2::ChangedElement,
                         [this] { events << QStringLiteral("ChangedElement"); });
        QObject::connect(field, &OrvSearchACS2::ErrorInLostFocus,
                         [this] { events << QStringLiteral("ErrorInLostFocus"); });
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
    QString takeEvents()
    {
        const QString joined = events.join(QStringLiteral(", "));
        events.clear();
        return joined;
    }
    QStringList boxes() { return {box(0)->text(), box(1)->text(), box(2)->text()}; }

    // A field of the given type that shows the entry of the code, with nothing pending.
    void resolved(OrvTypeSearchACS searchType, const QString &code)
    {
        open(searchType);
        type(0, code);
        tab(0);
        ASSERT_NE(field->IDAnagrafica(), 0) << code.toStdString();
        db->clear();
        events.clear();
    }

    QString statement(Sql kind, const QString &text, bool byDescription = false)
    {
        using namespace lookup;
        const ControlState &s = state();
        if (byDescription) {
            const std::int16_t mode = kind == Sql::Count  ? kModeCount
                                      : kind == Sql::Rows ? kModeRows
                                                          : kModeAllRows;
            return fnSQLDescrizioneSearch(s, mode, text);
        }
        switch (kind) {
        case Sql::Count:
            return fnSQLCodiceSearch(s, kModeCount, text, false);
        case Sql::Rows:
            return fnSQLCodiceSearch(s, kModeRows, text, false);
        case Sql::CountLike:
            return fnSQLCodiceSearch(s, kModeCount, text, true);
        case Sql::RowsLike:
            return fnSQLCodiceSearch(s, kModeRows, text, true);
        case Sql::All:
            break;
        }
        return fnSQLCodiceSearch(s, kModeAllRows, text, false);
    }

    QStringList headers(const test::PickerRecord &picker)
    {
        QStringList list;
        for (const auto &column : picker.columns)
            list << column.header + u'=' + column.column;
        return list;
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
    std::vector<Sql> statements; // those of the lookup itself, in order
    std::optional<PickChoice> pick;
    QStringList boxes;
    std::int32_t id;
    QString events;
    int focusBox; // -1: the description box, where Tab went
    QStringList columns = {};
    QString keyField = QString();
};

TEST_F(FieldLookupTest, CodeLookupResolvesUniquePrefixAmbiguousAndUnknownCodes)
{
    const QStringList agentColumns = {QStringLiteral("Codice=Codice"),
                                      QStringLiteral("Anagrafica=Anagrafica"),
                                      QStringLiteral("Nome=Nome"),
                                      QStringLiteral("Codice Enasarco=Enasarco"),
                                      QStringLiteral("Codice Fiscale=CodiceFiscale"),
                                      QStringLiteral("Partita IVA=PartitaIva")};
    const std::vector<CodeCase> cases = {
        {"a unique code fills the field at once",
         OrvSearchCustomers,
         QStringLiteral("C001"),
         {Sql::Count, Sql::Rows},
         std::nullopt,
         {QStringLiteral("C001"), QStringLiteral("Rossi"), QStringLiteral("Mario")},
         1,
         QStringLiteral("ChangedElement"),
         -1},
        {"one code starting with the text is taken without the picker",
         OrvSearchCustomers,
         QStringLiteral("c02"),
         {Sql::Count, Sql::CountLike, Sql::RowsLike},
         std::nullopt,
         {QStringLiteral("C020"), QStringLiteral("Lombardi"), QStringLiteral("Carlo")},
         20,
         QStringLiteral("ChangedElement"),
         -1},
        {"an ambiguous code opens the picker on all entries",
         OrvSearchAgents,
         QStringLiteral("A01"),
         {Sql::Count},
         PickChoice::withValue(QStringLiteral("IDAnagrafica"), Variant(41)),
         {QStringLiteral("A01"), QStringLiteral("Sartori"), QStringLiteral("Claudio")},
         41,
         QStringLiteral("ChangedElement"),
         -1,
         agentColumns},
        {"an unknown code picked from the list",
         OrvSearchSuppliers,
         QStringLiteral("ZZ"),
         {Sql::Count, Sql::CountLike},
         PickChoice::withValue(QStringLiteral("Codice"), Variant("F006")),
         {QStringLiteral("F006"), QStringLiteral("Fontana"), QStringLiteral("Alberto")},
         35,
         QStringLiteral("ChangedElement"),
         -1,
         {QStringLiteral("Codice=Codice"), QStringLiteral("Anagrafica=Anagrafica"),
          QStringLiteral("Nome=Nome"), QStringLiteral("Codice Fiscale=CodiceFiscale"),
          QStringLiteral("Partita IVA=PartitaIva")}},
        {"an unknown code not picked sends the clerk back",
         OrvSearchSuppliers,
         QStringLiteral("ZZ"),
         {Sql::Count, Sql::CountLike},
         PickChoice::cancel(),
         {QStringLiteral("ZZ"), QString(), QString()},
         0,
         QStringLiteral("ErrorInLostFocus"),
         0},
        {"several codes starting with the text open the picker",
         OrvSearchCollaborators,
         QStringLiteral("CO0"),
         {Sql::Count, Sql::CountLike},
         PickChoice::withValue(QStringLiteral("Codice"), Variant("CO02")),
         {QStringLiteral("CO02"), QStringLiteral("Testa"), QStringLiteral("Andrea")},
         51,
         QStringLiteral("ChangedElement"),
         -1},
        {"a clerk",
         OrvSearchClerks,
         QStringLiteral("I02"),
         {Sql::Count, Sql::Rows},
         std::nullopt,
         {QStringLiteral("I02"), QStringLiteral("Caruso"), QStringLiteral("Davide")},
         45,
         QStringLiteral("ChangedElement"),
         -1},
        {"agents and clerks list the type",
         OrvSearchAgentsAndClerks,
         QStringLiteral("I0"),
         {Sql::Count, Sql::CountLike},
         PickChoice::withValue(QStringLiteral("Codice"), Variant("I01")),
         {QStringLiteral("I01"), QStringLiteral("Pellegrini"), QStringLiteral("Marta")},
         44,
         QStringLiteral("ChangedElement"),
         -1,
         {QStringLiteral("Codice=Codice"), QStringLiteral("Anagrafica=Anagrafica"),
          QStringLiteral("Nome=Nome"), QStringLiteral("Tipo=TipoAgente"),
          QStringLiteral("Codice Enasarco=Enasarco"), QStringLiteral("Codice Fiscale=CodiceFiscale"),
          QStringLiteral("Partita IVA=PartitaIva")}},
        {"a customer of an agent",
         OrvSearchCustomersForAgent,
         QStringLiteral("C003"),
         {Sql::Count, Sql::Rows},
         std::nullopt,
         {QStringLiteral("C003"), QStringLiteral("Dell'Orto"), QStringLiteral("Giuseppe")},
         3,
         QStringLiteral("ChangedElement"),
         -1},
        {"the agents of customers are keyed by the agent",
         OrvSearchAgentsForCustomer,
         QStringLiteral("A02"),
         {Sql::Count},
         PickChoice::withValue(QStringLiteral("Codice"), Variant("A02")),
         {QStringLiteral("A02"), QStringLiteral("Villa"), QStringLiteral("Roberto")},
         42,
         QStringLiteral("ChangedElement"),
         -1,
         {QStringLiteral("Codice=Codice"), QStringLiteral("Cognome=Anagrafica"), QStringLiteral("Nome=Nome"),
          QStringLiteral("Codice Cliente=CodiceCliente"), QStringLiteral("Cognome Cliente=CognomeCliente"),
          QStringLiteral("Nome Cliente=NomeCliente"), QStringLiteral("Codice Fiscale=CodiceFiscale"),
          QStringLiteral("Partita IVA=PartitaIva")},
         QStringLiteral("Agente.IDAnagrafica")},
        {"registry entries of any role have no code",
         OrvSearchAllAnagraphics,
         QStringLiteral("C001"),
         {},
         std::nullopt,
         {QStringLiteral("C001"), QString(), QString()},
         0,
         QString(),
         -1},
    };
    for (const CodeCase &c : cases) {
        SCOPED_TRACE(c.name);
        open(c.searchType);
        const std::size_t pickersBefore = pickers->pickers().size();
        if (c.pick)
            pickers->then(*c.pick);

        type(0, c.typed);
        tab(0);

        QStringList expected;
        for (const Sql kind : c.statements)
            expected << statement(kind, c.typed);
        const QStringList ran = db->sqlTexts().mid(0, expected.size());
        EXPECT_EQ(ran.join(u'\n').toStdString(), expected.join(u'\n').toStdString());
        EXPECT_EQ(boxes(), c.boxes);
        EXPECT_EQ(field->IDAnagrafica(), c.id);
        EXPECT_EQ(takeEvents(), c.events);
        EXPECT_EQ(focused(), c.focusBox < 0 ? box(1) : box(c.focusBox));
        EXPECT_FALSE(state().bRicercaInCorso);
        EXPECT_EQ(state().bCodiceModificato, c.id == 0);
        EXPECT_EQ(pickers->pickers().size(), pickersBefore + (c.pick ? 1u : 0u));
        if (c.pick) {
            const test::PickerRecord &picker = pickers->last();
            EXPECT_EQ(picker.caption, QStringLiteral("Ricerca"));
            EXPECT_EQ(picker.searchText, c.typed);
            EXPECT_EQ(picker.queryText, statement(Sql::All, c.typed));
            EXPECT_EQ(picker.connection, db);
            EXPECT_EQ(picker.keyField, c.keyField);
            EXPECT_EQ(picker.calls.first(), QStringLiteral("Caption"));
            EXPECT_EQ(picker.calls.last(), QStringLiteral("Pick"));
            if (!c.columns.isEmpty()) {
                EXPECT_EQ(headers(picker), c.columns);
            }
        }
    }
}

TEST_F(FieldLookupTest, CustomerCodeBringsTheAccountOfTheChart)
{
    open(OrvSearchCustomers);
    field->setIDSearchTypeConto(OrvCustomersAccounts);
    type(0, QStringLiteral("C005"));
    tab(0);
    EXPECT_EQ(field->IDNode(), 105);
    EXPECT_EQ(boxes(),
              (QStringList{QStringLiteral("C005"), QStringLiteral("Ferrari Impianti S.n.c."), QString()}));
    EXPECT_EQ(field->IDAnagrafica(), 5);

    // Without a customer restriction the entry's supplier account is wanted; a customer has none.
    open(OrvSearchCustomers);
    type(0, QStringLiteral("C001"));
    tab(0);
    EXPECT_EQ(field->IDNode(), 0);
    EXPECT_EQ(field->IDAnagrafica(), 1);
}

TEST_F(FieldLookupTest, ApostrophesAndCharactersOutsideTheCodePageReachTheDatabaseConverted)
{
    open(OrvSearchCustomers);
    type(1, QStringLiteral("Dell'O"));
    tab(1);
    EXPECT_EQ(boxes(),
              (QStringList{QStringLiteral("C003"), QStringLiteral("Dell'Orto"), QStringLiteral("Giuseppe")}));
    ASSERT_FALSE(db->sqlTexts().isEmpty());
    EXPECT_TRUE(db->sqlTexts().first().endsWith(QStringLiteral("LIKE 'Dell''O%'")));

    // Ω is not in the code page: it reaches SQLite as "?"; "ß" and "€" are and stay.
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
    EXPECT_TRUE(db->sqlTexts().isEmpty()) << "leaving an unedited description box runs nothing";

    type(0, QStringLiteral("C"));
    EXPECT_EQ(takeEvents(), QStringLiteral("ChangedElement"));
    EXPECT_EQ(boxes(), (QStringList{QStringLiteral("C"), QString(), QString()}));
    EXPECT_EQ(field->IDAnagrafica(), 0);
    type(0, QStringLiteral("00"));
    EXPECT_EQ(takeEvents(), QString());
    EXPECT_EQ(box(0)->text(), QStringLiteral("C00"));

    // Keys that reach the description box now leave the code alone.
    QTest::keyClicks(box(1), QStringLiteral("x"));
    EXPECT_EQ(boxes(), (QStringList{QStringLiteral("C00"), QStringLiteral("x"), QString()}));
    EXPECT_EQ(takeEvents(), QString());
}

TEST_F(FieldLookupTest, AfterALookupTheNextEditForgetsAgain)
{
    resolved(OrvSearchCustomers, QStringLiteral("C001"));
    type(1, QStringLiteral("R")); // the description box had the focus after Tab
    EXPECT_EQ(takeEvents(), QStringLiteral("ChangedElement"));
    EXPECT_EQ(box(0)->text(), QString());
    EXPECT_TRUE(state().bDescrizioneModificata);
}

TEST_F(FieldLookupTest, TabbingThroughAResolvedFieldRunsNothing)
{
    resolved(OrvSearchCustomers, QStringLiteral("C002"));
    tab(0);
    tab(1);
    tab(2);
    EXPECT_EQ(focused(), after);
    EXPECT_TRUE(db->sqlTexts().isEmpty());
    EXPECT_EQ(takeEvents(), QString());
    EXPECT_EQ(field->IDAnagrafica(), 2);
}

TEST_F(FieldLookupTest, LeavingTheSecondDescriptionRunsNothing)
{
    open(OrvSearchCustomers);
    type(2, QStringLiteral("Mario"));
    tab(2);
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
    EXPECT_EQ(boxes(), (QStringList{QStringLiteral("C002"), QString(), QString()}));
    tab(0);
    EXPECT_EQ(boxes(),
              (QStringList{QStringLiteral("C002"), QStringLiteral("Rossini Forniture S.r.l."), QString()}));
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
    std::optional<Sql> pickerStatement; // nullopt: no picker
    std::optional<PickChoice> pick;
    QString searchText;
    QStringList boxes;
    std::int32_t id;
    QString events;
    int focusBox; // -1: the second description box, where Tab went
    QString keyField = QString();
};

TEST_F(FieldLookupTest, DescriptionLookupResolvesTheBeginningOfAName)
{
    const std::vector<DescriptionCase> cases = {
        {"one supplier",
         OrvSearchSuppliers,
         QStringLiteral("acciaierie"),
         std::nullopt,
         std::nullopt,
         QString(),
         {QStringLiteral("F001"), QStringLiteral("Acciaierie Lombarde S.p.A."), QString()},
         30,
         QStringLiteral("ChangedElement"),
         -1},
        {"two customers: all customers, searched by the text",
         OrvSearchCustomers,
         QStringLiteral("Ross"),
         Sql::All,
         PickChoice::withValue(QStringLiteral("Codice"), Variant("C002")),
         QStringLiteral("Ross"),
         {QStringLiteral("C002"), QStringLiteral("Rossini Forniture S.r.l."), QString()},
         2,
         QStringLiteral("ChangedElement"),
         -1},
        {"no customer: the empty match, nothing picked",
         OrvSearchCustomers,
         QStringLiteral("Zeta"),
         Sql::Rows,
         PickChoice::cancel(),
         QString(),
         {QString(), QStringLiteral("Zeta"), QString()},
         0,
         QStringLiteral("ErrorInLostFocus"),
         1},
        {"no agent: every agent",
         OrvSearchAgents,
         QStringLiteral("Zeta"),
         Sql::All,
         PickChoice::withValue(QStringLiteral("Codice"), Variant("A02")),
         QString(),
         {QStringLiteral("A02"), QStringLiteral("Villa"), QStringLiteral("Roberto")},
         42,
         QStringLiteral("ChangedElement"),
         -1},
        {"agents of customers are keyed by the registry id",
         OrvSearchAgentsForCustomer,
         QStringLiteral("Vil"),
         Sql::All,
         PickChoice::withValue(QStringLiteral("Codice"), Variant("A02")),
         QStringLiteral("Vil"),
         {QStringLiteral("A02"), QStringLiteral("Villa"), QStringLiteral("Roberto")},
         42,
         QStringLiteral("ChangedElement"),
         -1,
         QStringLiteral("Anagrafica.IDAnagrafica")},
        {"a registry entry of any role",
         OrvSearchAllAnagraphics,
         QStringLiteral("Banca"),
         std::nullopt,
         std::nullopt,
         QString(),
         {QString(), QStringLiteral("Banca Emiliana di Credito Cooperativo"), QString()},
         70,
         QStringLiteral("ChangedElement"),
         -1},
    };
    for (const DescriptionCase &c : cases) {
        SCOPED_TRACE(c.name);
        open(c.searchType);
        if (c.pick)
            pickers->then(*c.pick);
        const std::size_t pickersBefore = pickers->pickers().size();

        type(1, c.typed);
        tab(1);

        ASSERT_GE(db->sqlTexts().size(), 1);
        EXPECT_EQ(db->sqlTexts().first(), statement(Sql::Count, c.typed, true));
        if (!c.pickerStatement) {
            EXPECT_EQ(db->sqlTexts().value(1), statement(Sql::Rows, c.typed, true));
        }
        EXPECT_EQ(boxes(), c.boxes);
        EXPECT_EQ(field->IDAnagrafica(), c.id);
        EXPECT_EQ(takeEvents(), c.events);
        EXPECT_EQ(focused(), c.focusBox < 0 ? box(2) : box(c.focusBox));
        EXPECT_FALSE(state().bRicercaInCorso);
        EXPECT_EQ(pickers->pickers().size(), pickersBefore + (c.pickerStatement ? 1u : 0u));
        if (c.pickerStatement) {
            const test::PickerRecord &picker = pickers->last();
            EXPECT_EQ(picker.queryText, statement(*c.pickerStatement, c.typed, true));
            EXPECT_EQ(picker.searchText, c.searchText);
            EXPECT_EQ(picker.keyField, c.keyField);
            EXPECT_EQ(picker.columns.front().header, c.searchType == OrvSearchAgentsForCustomer
                                                         ? QStringLiteral("Cognome")
                                                         : QStringLiteral("Anagrafica"));
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
    type(1, QStringLiteral("Comune di")); // the code flag is set: no reset on the first keystroke
    tab(1);
    EXPECT_EQ(box(0)->text(), QStringLiteral("kept"));
    EXPECT_EQ(field->IDAnagrafica(), 71);

    // Several entries start with "Co": nothing picked keeps the code box too.
    codeFromALoader(QStringLiteral("kept too"));
    box(1)->setFocus(Qt::TabFocusReason);
    box(1)->selectAll();
    pickers->then(PickChoice::cancel());
    type(1, QStringLiteral("Co"));
    tab(1);
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

TEST_F(FieldLookupTest, TheBlockFilterAdmitsOneSideOnly)
{
    const auto customerField = [this](bool blockedOnly) {
        open(OrvSearchCustomers);
        field->setAttivaFiltroBlocco(true);
        field->setBloccoEmissioneDoc(blockedOnly);
    };

    // Documents may be issued: the blocked C007 is not found, and not offered either.
    customerField(false);
    pickers->then(PickChoice::cancel());
    type(0, QStringLiteral("C007"));
    tab(0);
    EXPECT_EQ(field->IDAnagrafica(), 0);
    EXPECT_EQ(takeEvents(), QStringLiteral("ErrorInLostFocus"));
    EXPECT_EQ(pickers->last().rowsOffered, 17); // 19 live customers less C007 and C019
    customerField(false);
    type(0, QStringLiteral("C012")); // a Null flag is not a block
    tab(0);
    EXPECT_EQ(field->IDAnagrafica(), 12);

    // Blocked only: C007 at once, and by name only Romano and Rizzo.
    customerField(true);
    type(0, QStringLiteral("C007"));
    tab(0);
    EXPECT_EQ(field->IDAnagrafica(), 7);
    customerField(true);
    type(1, QStringLiteral("R"));
    pickers->then(PickChoice::withValue(QStringLiteral("Codice"), Variant("C019")));
    tab(1);
    EXPECT_EQ(pickers->last().rowsOffered, 2);
    EXPECT_EQ(field->IDAnagrafica(), 19);

    // The filter is off: both sides again.
    open(OrvSearchCustomers);
    field->setBloccoEmissioneDoc(true);
    type(1, QStringLiteral("Romano"));
    tab(1);
    EXPECT_EQ(field->IDAnagrafica(), 7);
    open(OrvSearchCustomers);
    type(1, QStringLiteral("Rossini"));
    tab(1);
    EXPECT_EQ(field->IDAnagrafica(), 2);
}

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
    const QString customer =
        QStringLiteral("SELECT Anagrafica.IDAnagrafica, Cliente.Codice FROM Anagrafica INNER JOIN Cliente ON "
                       "Anagrafica.IDAnagrafica = Cliente.IDAnagrafica WHERE Anagrafica.IDAnagrafica = %1 "
                       "AND Cliente.IDAzienda = 1 "
                       "AND Anagrafica.VirtualDelete = 0");
    const QString unblocked =
        QStringLiteral(" AND (Cliente.BloccoEmissioneDoc IS NULL OR Cliente.BloccoEmissioneDoc = 0)");
    const std::vector<CheckCase> cases = {
        {"a customer", OrvSearchCustomers, lookup::kKindCustomer, 1, false, QString(), customer.arg(1), 1},
        {"a blocked customer while only unblocked ones are admitted", OrvSearchCustomers,
         lookup::kKindCustomer, 7, true, QString(), customer.arg(7) + unblocked, 2},
        {"a deleted customer", OrvSearchCustomers, lookup::kKindCustomer, 18, false, QString(),
         customer.arg(18), 2},
        {"the caller's filter", OrvSearchCustomers, lookup::kKindCustomer, 9, false,
         QStringLiteral("Anagrafica.IDComune = 1"),
         customer.arg(9) + QStringLiteral(" AND Anagrafica.IDComune = 1"), 9},
        {"a supplier", OrvSearchSuppliers, lookup::kKindSupplier, 31, false, QString(),
         QStringLiteral(
             "SELECT Anagrafica.IDAnagrafica, Fornitore.Codice FROM Anagrafica INNER JOIN Fornitore ON "
             "Anagrafica.IDAnagrafica = Fornitore.IDAnagrafica WHERE Anagrafica.IDAnagrafica = 31 AND "
             "Fornitore.IDAzienda = 1 AND Anagrafica.VirtualDelete = 0"),
         31},
        {"a clerk on a clerk field", OrvSearchClerks, lookup::kKindAgent, 44, false, QString(),
         QStringLiteral(
             "SELECT Anagrafica.IDAnagrafica, Agente.Codice FROM Anagrafica INNER JOIN Agente ON "
             "Anagrafica.IDAnagrafica = Agente.IDAnagrafica WHERE Anagrafica.IDAnagrafica = 44 AND "
             "Agente.IDAzienda = 1 AND Agente.IDTipoAgente = 2 AND Anagrafica.VirtualDelete = 0"),
         44},
        {"a clerk on an agent field", OrvSearchAgents, lookup::kKindAgent, 44, false, QString(),
         QStringLiteral(
             "SELECT Anagrafica.IDAnagrafica, Agente.Codice FROM Anagrafica INNER JOIN Agente ON "
             "Anagrafica.IDAnagrafica = Agente.IDAnagrafica WHERE Anagrafica.IDAnagrafica = 44 AND "
             "Agente.IDAzienda = 1 AND (Agente.IDTipoAgente IS NULL OR Agente.IDTipoAgente = 1) AND "
             "Anagrafica.VirtualDelete = 0"),
         0},
        {"a collaborator", OrvSearchCollaborators, lookup::kKindCollaborator, 52, false, QString(),
         QStringLiteral(
             "SELECT Anagrafica.IDAnagrafica, Collaboratore.Codice FROM Anagrafica INNER JOIN "
             "Collaboratore ON Anagrafica.IDAnagrafica = Collaboratore.IDAnagrafica WHERE "
             "Anagrafica.IDAnagrafica = 52 AND Collaboratore.IDAzienda = 1 AND Anagrafica.VirtualDelete = 0"),
         52},
        {"a registry entry by its name", OrvSearchAllAnagraphics, lookup::kKindRegistryEntry, 71, false,
         QString(),
         QStringLiteral("SELECT Anagrafica.IDAnagrafica, Anagrafica.Anagrafica FROM Anagrafica  WHERE "
                        "Anagrafica.IDAnagrafica = 71 AND Anagrafica.VirtualDelete = 0"),
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
        lookup::sbCheckAnagrafica(field->context(), c.id, kind);
        ASSERT_FALSE(db->sqlTexts().isEmpty());
        EXPECT_EQ(db->sqlTexts().first(), c.sql);
        EXPECT_EQ(field->IDAnagrafica(), c.shown);
        EXPECT_FALSE(state().bRicercaInCorso);
    }
}

// --- Failures -----------------------------------------------------------------------------------

struct FailureCase {
    int k; // the statement that fails, counted from 1
    std::optional<PickChoice> pick;
    bool error; // ErrorInLostFocus raised
};

struct FailureFlow {
    const char *name;
    OrvTypeSearchACS searchType;
    int box;
    QString typed;
    std::vector<FailureCase> cases;
};

TEST_F(FieldLookupTest, AStatementThatFailsIsSkippedAndTheLookupGoesOn)
{
    const auto agent = [] { return PickChoice::withValue(QStringLiteral("Codice"), Variant("A02")); };
    const std::vector<FailureFlow> flows = {
        // count, rows, account
        {"a unique customer code",
         OrvSearchCustomers,
         0,
         QStringLiteral("C001"),
         {{1, std::nullopt, false},
          {2, std::nullopt, true},
          {3, std::nullopt, false},
          {4, std::nullopt, false}}},
        // count, the picker's list
        {"an ambiguous agent code",
         OrvSearchAgents,
         0,
         QStringLiteral("A01"),
         {{1, agent(), false}, {2, agent(), true}, {3, agent(), false}}},
        // count, prefix count, the picker's list
        {"an unknown supplier code",
         OrvSearchSuppliers,
         0,
         QStringLiteral("X"),
         {{1, PickChoice::row(0), false},
          {2, PickChoice::row(0), false},
          {3, PickChoice::row(0), true},
          {4, PickChoice::row(0), false}}},
        // count, rows
        {"one supplier by name",
         OrvSearchSuppliers,
         1,
         QStringLiteral("Acc"),
         {{1, PickChoice::row(0), false}, {2, std::nullopt, true}, {3, std::nullopt, false}}},
        // count, the picker's list
        {"two customers by name",
         OrvSearchCustomers,
         1,
         QStringLiteral("Ross"),
         {{1, PickChoice::row(0), false}, {2, PickChoice::row(0), true}, {3, PickChoice::row(0), false}}},
    };
    for (const FailureFlow &flow : flows) {
        for (const FailureCase &c : flow.cases) {
            SCOPED_TRACE(QStringLiteral("%1, statement %2 fails")
                             .arg(QLatin1String(flow.name))
                             .arg(c.k)
                             .toStdString());
            open(flow.searchType);
            db->failOnStatement(c.k);
            if (c.pick)
                pickers->then(*c.pick);
            const std::size_t pickersBefore = pickers->pickers().size();

            type(flow.box, flow.typed);
            tab(flow.box);

            EXPECT_FALSE(state().bRicercaInCorso);
            EXPECT_EQ(pickers->pickers().size(), pickersBefore + (c.pick ? 1u : 0u));
            EXPECT_EQ(events.contains(QStringLiteral("ErrorInLostFocus")), c.error)
                << takeEvents().toStdString();
            EXPECT_EQ(field->IDAnagrafica() != 0, !c.error);
            EXPECT_EQ(focused(), c.error ? box(flow.box) : box(flow.box + 1));
            EXPECT_EQ(state().bCodiceModificato || state().bDescrizioneModificata, c.error);
        }
    }
}

TEST_F(FieldLookupTest, NoConnectionEndsTheLookupAsFailed)
{
    open(OrvSearchCustomers);
    field->setConnection(nullptr);
    pickers->then(PickChoice::cancel());
    type(0, QStringLiteral("C001"));
    tab(0);
    EXPECT_EQ(takeEvents(), QStringLiteral("ErrorInLostFocus"));
    EXPECT_FALSE(state().bRicercaInCorso);
    EXPECT_EQ(focused(), box(0));

    open(OrvSearchCustomers);
    field->setConnection(nullptr);
    pickers->then(PickChoice::cancel());
    type(1, QStringLiteral("Rossi"));
    tab(1);
    EXPECT_EQ(takeEvents(), QStringLiteral("ErrorInLostFocus"));
    EXPECT_FALSE(state().bRicercaInCorso);
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

const QStringList kCustomerColumnsByCode = {QStringLiteral("Codice=Codice"),
                                            QStringLiteral("Anagrafica=Anagrafica"),
                                            QStringLiteral("Nome=Nome"),
                                            QStringLiteral("Codice Fiscale=CodiceFiscale"),
                                            QStringLiteral("Partita IVA=PartitaIva"),
                                            QStringLiteral("Indirizzo=Indirizzo"),
                                            QStringLiteral("CAP=Cap"),
                                            QStringLiteral("Comune=Comune"),
                                            QStringLiteral("Provincia=Provincia"),
                                            QStringLiteral("Nazione=Nazione")};

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
    pickers->then(PickChoice::withValue(QStringLiteral("Codice"), Variant("C004")));
    pressCtrlR(box(0));

    // Ctrl goes down first and up last; the search runs between the two halves of R.
    EXPECT_EQ(keys, (QStringList{QStringLiteral("down 17/2"), QStringLiteral("down 82/2"),
                                 QStringLiteral("up 82/2 after 1 picks"),
                                 QStringLiteral("up 17/0 after 1 picks")}));
    const test::PickerRecord &picker = pickers->last();
    EXPECT_EQ(picker.searchText, QStringLiteral("C00"));
    EXPECT_EQ(picker.queryText, statement(Sql::All, QString()));
    EXPECT_EQ(headers(picker), kCustomerColumnsByCode);
    EXPECT_EQ(picker.calls.mid(0, 4), (QStringList{QStringLiteral("SearchText"), QStringLiteral("Connection"),
                                                   QStringLiteral("Caption"), QStringLiteral("QueryText")}));
    EXPECT_EQ(boxes(),
              (QStringList{QStringLiteral("C004"), QStringLiteral("Esposito"), QStringLiteral("Anna")}));
    EXPECT_EQ(field->IDAnagrafica(), 4);
    EXPECT_EQ(focused(), box(0));
    EXPECT_FALSE(state().bCodiceModificato);
    EXPECT_FALSE(state().bRicercaInCorso);

    // From the description box: by description, the name first.
    type(1, QStringLiteral("Ro"));
    pickers->then(PickChoice::cancel());
    pressCtrlR(box(1));
    EXPECT_EQ(pickers->last().searchText, QStringLiteral("Ro"));
    EXPECT_EQ(headers(pickers->last()).mid(0, 2),
              (QStringList{QStringLiteral("Anagrafica=Anagrafica"), QStringLiteral("Codice=Codice")}));
    // Nothing picked and nothing named: all three boxes are emptied.
    EXPECT_EQ(boxes(), (QStringList{QString(), QString(), QString()}));
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
    const test::PickerRecord &picker = pickers->last();
    EXPECT_EQ(picker.searchText, QStringLiteral("Banca"));
    EXPECT_EQ(headers(picker),
              (QStringList{QStringLiteral("Anagrafica=Anagrafica"), QStringLiteral("Nome=Nome"),
                           QStringLiteral("Codice Fiscale=CodiceFiscale"),
                           QStringLiteral("Partita IVA=PartitaIva")}));
    EXPECT_EQ(boxes(), (QStringList{QStringLiteral("x"), QString(), QString()}));
    EXPECT_EQ(focused(), box(1));
}

TEST_F(FieldLookupTest, CtrlRThatPicksNothingKeepsANamedEntry)
{
    resolved(OrvSearchSuppliers, QStringLiteral("F003"));
    box(0)->setFocus(Qt::TabFocusReason);
    pickers->then(PickChoice::cancel());
    pressCtrlR(box(0));
    EXPECT_EQ(boxes(),
              (QStringList{QStringLiteral("F003"), QStringLiteral("Energia Padana S.p.A."), QString()}));
    EXPECT_EQ(field->IDAnagrafica(), 32);
    EXPECT_EQ(takeEvents(), QString());
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
    std::int16_t iType;
    QStringList columns;
    QString keyField;
};

TEST_F(FieldLookupTest, HostSearchSetsTheColumnsOfEachType)
{
    const auto cols = [](std::initializer_list<const char *> pairs) {
        QStringList list;
        for (const char *pair : pairs)
            list << QString::fromUtf8(pair);
        return list;
    };
    const std::vector<MenuCase> cases = {
        {OrvSearchCustomers, 0, kCustomerColumnsByCode, QString()},
        {OrvSearchSuppliers, 1,
         cols({"Anagrafica=Anagrafica", "Codice=Codice", "Nome=Nome", "Codice Fiscale=CodiceFiscale",
               "Partita IVA=PartitaIva", "Indirizzo=Indirizzo", "CAP=Cap", "Comune=Comune",
               "Provincia=Provincia", "Nazione=Nazione"}),
         QString()},
        {OrvSearchAgentsAndClerks, 0,
         cols({"Codice=Codice", "Anagrafica=Anagrafica", "Nome=Nome", "Tipo=TipoAgente",
               "Codice Fiscale=CodiceFiscale", "Partita IVA=PartitaIva", "Codice Enasarco=Enasarco"}),
         QString()},
        {OrvSearchCustomersForAgent, 1,
         cols({"Anagrafica=Anagrafica", "Codice=Codice", "Nome=Nome", "Codice Fiscale=CodiceFiscale",
               "Partita IVA=PartitaIva", "Codice Agente=CodiceAgente", "Codice Enasarco=Enasarco",
               "Agente=CognomeAgente", "Nome Agente=NomeAgente"}),
         QStringLiteral("Anagrafica.IDAnagrafica")},
        {OrvSearchAgentsForCustomer, 0,
         cols({"Codice=Codice", "Anagrafica=Anagrafica", "Nome=Nome", "Codice Fiscale=CodiceFiscale",
               "Partita IVA=PartitaIva", "Codice Cliente=CodiceCliente", "Cognome Cliente=CognomeCliente",
               "Nome Cliente=NomeCliente"}),
         QStringLiteral("Agente.IDAnagrafica")},
        {OrvSearchCollaborators, 1,
         cols({"Anagrafica=Anagrafica", "Codice=Codice", "Nome=Nome", "Codice Fiscale=CodiceFiscale",
               "Partita IVA=PartitaIva"}),
         QString()},
        {OrvSearchAllAnagraphics, 1,
         cols({"Anagrafica=Anagrafica", "Nome=Nome", "Codice Fiscale=CodiceFiscale",
               "Partita IVA=PartitaIva"}),
         QString()},
    };
    for (const MenuCase &c : cases) {
        SCOPED_TRACE(c.searchType);
        open(c.searchType);
        pickers->then(PickChoice::row(0));
        std::int16_t iType = c.iType;
        QString text = QStringLiteral("abc");
        field->sbCallFromMenuSearch(iType, text);
        const test::PickerRecord &picker = pickers->last();
        EXPECT_EQ(headers(picker), c.columns);
        EXPECT_EQ(picker.keyField, c.keyField);
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
    pickers->then(PickChoice::withValue(QStringLiteral("Codice"), Variant("C009")));
    std::int16_t iType = 1;
    QString text = QStringLiteral("Ric");
    field->sbCallFromMenuSearch(iType, text);
    EXPECT_EQ(field->IDNode(), 109); // the customer's account
    EXPECT_EQ(boxes(),
              (QStringList{QStringLiteral("C009"), QStringLiteral("Ricci"), QStringLiteral("Francesca")}));
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
    EXPECT_EQ(boxes(), (QStringList{QStringLiteral("kept"),
                                    QStringLiteral("Banca Emiliana di Credito Cooperativo"), QString()}));
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
