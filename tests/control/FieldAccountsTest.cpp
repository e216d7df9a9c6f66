#include "accounting/ChartFixture.h"
#include "accounting/Loaders.h"
#include "control/FieldContext.h"
#include "control/OrvSearchACS2.h"
#include "data/RuntimeError.h"
#include "support/Database.h"
#include "support/FakeServices.h"
#include "support/QtPrinters.h"
#include "support/RecordingConnection.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace orv::test {
namespace {

// What the field tells its host, one line per event or notice, in order.
class HostLog {
public:
    explicit HostLog(OrvSearchACS2 &field)
    {
        QObject::connect(&field, &OrvSearchACS2::ChangedElement,
                         [this] { lines << QStringLiteral("ChangedElement"); });
        QObject::connect(&field, &OrvSearchACS2::ErrorInLostFocus,
                         [this] { lines << QStringLiteral("ErrorInLostFocus"); });
        QObject::connect(&field, &OrvSearchACS2::propertyChanged,
                         [this](const QString &name) { lines << name; });
    }
    QString take()
    {
        const QString joined = lines.join(QStringLiteral(", "));
        lines.clear();
        return joined;
    }
    QStringList lines;
};

// A field on the demo company through a recording connection, with message boxes captured.
class AccountsField : public ::testing::Test {
protected:
    AccountsField()
    {
        field->setConnection(recorder);
        field->setApplicationName(QStringLiteral("Contabilità"));
        field->setIDFirm(1);
        field->setIDPDC(1);
        field->setSearchType(OrvSearchAccounts);
        recorder->clear();
        log.take();
    }

    // Puts texts, ids and edit flags in place without any change handling or event.
    void preset(const QString &code, const QString &description, const QString &second, std::int32_t node,
                std::int32_t anagrafica, bool edited = false)
    {
        ControlState &s = field->context().state();
        s.bRicercaInCorso = true;
        field->context().setBoxText(0, code);
        field->context().setBoxText(1, description);
        field->context().setBoxText(2, second);
        s.bRicercaInCorso = false;
        s.IDNode = node;
        s.IDAnagrafica = anagrafica;
        s.bCodiceModificato = edited;
        s.bDescrizioneModificata = edited;
        recorder->clear();
        log.take();
    }

    // Old texts that a loader must replace or keep.
    void presetOld(std::int32_t node, std::int32_t anagrafica, bool edited = true)
    {
        preset(QStringLiteral("old code"), QStringLiteral("old name"), QStringLiteral("second"), node,
               anagrafica, edited);
    }

    // The field as the host sees it, with the edit flags.
    QString shown() const
    {
        const ControlState &s = field->context().state();
        return QStringLiteral("node %1 type %2 anagrafica %3 [%4|%5|%6]%7%8")
            .arg(field->IDNode())
            .arg(static_cast<int>(field->NodeType()))
            .arg(field->IDAnagrafica())
            .arg(field->Code(), field->Description(), field->SecondDescription())
            .arg(s.bCodiceModificato ? QStringLiteral(" code-edited") : QString())
            .arg(s.bDescrizioneModificata ? QStringLiteral(" description-edited") : QString());
    }

    ServiceOverride<CapturedMessageBoxes> boxes;
    std::shared_ptr<SqliteConnection> db = demoDatabase();
    std::shared_ptr<RecordingConnection> recorder = std::make_shared<RecordingConnection>(db);
    std::unique_ptr<OrvSearchACS2> field = std::make_unique<OrvSearchACS2>();
    HostLog log{*field};
};

// --- The chart, its separator and the accounting methods ------------------------------------

TEST_F(AccountsField, IDPDCLoadsTheChartsSeparatorOnlyWithAConnection)
{
    EXPECT_EQ(field->context().state().sSeparatoreCodifica, QStringLiteral("."));
    field->setIDPDC(2);
    EXPECT_EQ(field->context().state().sSeparatoreCodifica, QStringLiteral("-"));
    EXPECT_EQ(recorder->sqlTexts().size(), 1);
    EXPECT_EQ(log.take(), QStringLiteral("IDPDC"));

    // Set before the connection, the chart keeps the empty separator and codes lose their points.
    OrvSearchACS2 early;
    early.setIDPDC(1);
    early.setConnection(db);
    EXPECT_EQ(early.context().state().sSeparatoreCodifica, QString());
    std::int32_t account = 101;
    EXPECT_EQ(early.fnGetCodificaConto(account), QStringLiteral("0105001"));
    EXPECT_EQ(account, 101);

    // On a failing connection: the host's error, the separator kept, no notice.
    recorder->clear();
    recorder->failOnStatement(1);
    EXPECT_EQ(errorOf([&] { field->setIDPDC(1); }), kErrDatabase);
    EXPECT_EQ(field->context().state().sSeparatoreCodifica, QStringLiteral("-"));
    EXPECT_EQ(field->IDPDC(), 1);
    EXPECT_EQ(log.take(), QString());
}

TEST_F(AccountsField, AccountingMethodsAnswerThroughTheFieldsChart)
{
    std::int32_t account = 1;
    EXPECT_EQ(field->fnGetCodificaConto(account), QStringLiteral("01.01.01.001"));

    std::int32_t id = 101, esercizio = 2025, periodo = 0, company = 2, office = 0, chart = 1;
    std::int16_t type = 0, mese = 0, anno = 0, categoria = 3;
    Currency dare = Currency::fromLong(-1), avere = Currency::fromLong(-1);
    field->sbCalcolaProgressiviConto(id, type, dare, avere, esercizio, mese, anno, periodo);
    EXPECT_EQ(dare, Currency::fromText(QStringLiteral("24500")));
    EXPECT_EQ(avere, Currency::fromText(QStringLiteral("23150.5")));

    id = 1013; // branch 01.05 in 2025: only account 101 has totals
    dare = Currency::fromLong(-1);
    field->sbCalcolaProgressiviGruppo(id, type, dare, avere, esercizio, mese, anno, periodo);
    EXPECT_EQ(dare, Currency::fromText(QStringLiteral("24500")));
    EXPECT_EQ(id, 1013);

    // Costs of chart 1 in 2025: account 32.
    field->sbCalcolaTotaleProgressiviConti(type, categoria, dare, avere, esercizio, mese, anno, periodo);
    EXPECT_EQ(dare, Currency::fromText(QStringLiteral("118420")));
    EXPECT_EQ(avere, Currency());

    QString role = QStringLiteral("IDContoBanca");
    EXPECT_EQ(field->fnGetIDContoFromContoAutomatico(company, office, role), Variant(306.0));

    EXPECT_TRUE(
        field->SelectAllAccounts(chart).toText().contains(QStringLiteral("IDPianoDeiConti =  1 AND")));
    EXPECT_EQ(log.take(), QString()); // questions raise nothing

    FieldContext &ctx = field->context(); // a registry entry's account: suppliers unless customers asked
    EXPECT_EQ(ctx.fnGetIDContoAnagrafica(5), 209);
    field->setIDSearchTypeConto(OrvCustomersAccounts);
    EXPECT_EQ(ctx.fnGetIDContoAnagrafica(5), 105);
    EXPECT_EQ(ctx.fnGetIDContoAnagrafica(30), 0);
    field->setIDPDC(2);
    EXPECT_EQ(ctx.fnGetIDContoAnagrafica(1), 304);
}

// --- SetPDC and IDNode ----------------------------------------------------------------------

struct SetPDCRow {
    std::int32_t chart, id;
    OrvNodeType type;
    const char *shown, *events;
};

class SetPDCRows : public AccountsField, public ::testing::WithParamInterface<SetPDCRow> {};

TEST_P(SetPDCRows, LoadsByNodeTypeWithDirectWritesAndEndsUnedited)
{
    const SetPDCRow row = GetParam();
    if (row.chart != 1)
        field->setIDPDC(row.chart);
    presetOld(77, 55);
    std::int32_t id = row.id;
    OrvNodeType type = row.type;
    field->SetPDC(id, type);
    EXPECT_EQ(shown(), QString::fromUtf8(row.shown));
    EXPECT_EQ(log.take(), QString::fromLatin1(row.events));
    EXPECT_EQ(id, row.id);
    EXPECT_EQ(type, row.type);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SetPDCRows,
    ::testing::Values(
        // An account: its name and full code, its registry entry by property (a notice).
        SetPDCRow{1, 101, OrvLeaf, "node 101 type 0 anagrafica 1 [01.05.001|Rossi Mario|second]",
                  "IDAnagrafica"},
        SetPDCRow{1, 9, OrvLeaf, "node 9 type 0 anagrafica 0 [01.10.002|Banca Emiliana c/c|second]",
                  "IDAnagrafica"},
        // The account with its branch's code and name; IDNode keeps naming the account.
        SetPDCRow{1, 101, OrvBranch, "node 101 type 1 anagrafica 55 [01.05|Crediti verso clienti|second]",
                  ""},
        // The branch of an account: IDNode now names the branch.
        SetPDCRow{1, 101, OrvPDCElementFromAccount,
                  "node 1013 type 3 anagrafica 55 [01.05|Crediti verso clienti|second]", ""},
        SetPDCRow{1, 1013, OrvPDCElementFromPDC,
                  "node 1013 type 2 anagrafica 0 [01.05|Crediti verso clienti|second]", ""},
        // No account with a branch's id: the branch is loaded whatever the type asked.
        SetPDCRow{2, 1102, OrvLeaf, "node 1102 type 0 anagrafica 0 [02-1|Clienti|second]", ""},
        SetPDCRow{2, 1102, OrvPDCElementFromAccount, "node 1102 type 3 anagrafica 0 [02-1|Clienti|second]",
                  ""},
        // Nothing found (1100 is a branch of chart 2), or no id: everything cleared, the type kept.
        SetPDCRow{1, 9999, OrvLeaf, "node 0 type 0 anagrafica 0 [||]", ""},
        SetPDCRow{1, 1100, OrvPDCElementFromPDC, "node 0 type 2 anagrafica 0 [||]", ""},
        SetPDCRow{1, 0, OrvBranch, "node 0 type 1 anagrafica 0 [||]", ""},
        SetPDCRow{1, -5, OrvPDCElementFromPDC, "node 0 type 2 anagrafica 0 [||]", ""},
        // An unknown type loads nothing but is stored.
        SetPDCRow{1, 101, static_cast<OrvNodeType>(4),
                  "node 77 type 4 anagrafica 55 [old code|old name|second]", ""}));

TEST_F(AccountsField, IDNodeLoadsThroughSetPDCBeforeChangedElement)
{
    field->setNodeType(OrvPDCElementFromAccount);
    log.take();
    field->setIDNode(101);
    // The property handed its own field in: it now names the account's branch.
    EXPECT_EQ(shown(), QStringLiteral("node 1013 type 3 anagrafica 0 [01.05|Crediti verso clienti|]"));
    EXPECT_EQ(log.take(), QStringLiteral("ChangedElement, IDNode"));

    field->setNodeType(OrvLeaf);
    log.take();
    QStringList seenByHost;
    QObject::connect(field.get(), &OrvSearchACS2::ChangedElement,
                     [&] { seenByHost << field->Code() + QLatin1Char('/') + field->Description(); });
    field->setIDNode(8);
    EXPECT_EQ(seenByHost, QStringList{QStringLiteral("01.10.001/Cassa contanti")});
    EXPECT_EQ(log.take(), QStringLiteral("IDAnagrafica, ChangedElement, IDNode"));

    field->setIDNode(-1); // loads nothing
    EXPECT_EQ(shown(), QStringLiteral("node -1 type 0 anagrafica 0 [01.10.001|Cassa contanti|]"));
}

TEST_F(AccountsField, SetPDCErrorsReachTheHost)
{
    db->executeScript(QStringLiteral("UPDATE ElementoPDC SET ElementoPDC = NULL WHERE IDElementoPDC = 1013"));
    std::int32_t id = 101;
    OrvNodeType type = OrvBranch; // reads the branch name as it is
    EXPECT_EQ(errorOf([&] { field->SetPDC(id, type); }), kErrInvalidUseOfNull);
    type = OrvPDCElementFromPDC; // reads it through NullToValue
    id = 1013;
    EXPECT_EQ(errorOf([&] { field->SetPDC(id, type); }), 0);
    EXPECT_EQ(field->Description(), QString());

    field->setConnection(nullptr);
    EXPECT_EQ(errorOf([&] { field->setIDNode(5); }), kErrNoConnection);
}

// --- sbLoadCF and sbLoadAG ------------------------------------------------------------------

TEST_F(AccountsField, LoadCFWritesDirectlyWithoutEvents)
{
    struct Row {
        std::int32_t anagrafica, conto, elemento;
        const char *shown;
    };
    for (const Row &row :
         {Row{0, 0, 1013, "node 1013 type 0 anagrafica 55 [01.05|Crediti verso clienti|second]"},
          // A branch the chart does not hold: the id is taken, the name kept, the code emptied.
          Row{0, 0, 9999, "node 9999 type 0 anagrafica 55 [|old name|second]"},
          Row{1, 101, 0, "node 101 type 0 anagrafica 1 [01.05.001|Rossi Mario|second]"},
          Row{7, 9, 1013, "node 9 type 0 anagrafica 0 [01.10.002|Banca Emiliana c/c|second]"},
          // An account without a code in this chart: only the code box changes.
          Row{1, 14, 0, "node 77 type 0 anagrafica 55 [|old name|second]"},
          Row{1, 303, 0, "node 77 type 0 anagrafica 55 [|old name|second]"},
          // Nothing to load: only the edit flags are cleared.
          Row{1, 0, 1013, "node 77 type 0 anagrafica 55 [old code|old name|second]"},
          Row{0, 101, 0, "node 77 type 0 anagrafica 55 [old code|old name|second]"}}) {
        SCOPED_TRACE(testing::Message() << row.anagrafica << " " << row.conto << " " << row.elemento);
        presetOld(77, 55);
        std::int32_t anagrafica = row.anagrafica;
        std::int32_t conto = row.conto;
        std::int32_t elemento = row.elemento;
        field->sbLoadCF(anagrafica, conto, elemento);
        EXPECT_EQ(shown(), QString::fromUtf8(row.shown));
        EXPECT_EQ(log.take(), QString());
        EXPECT_EQ(anagrafica, row.anagrafica);
    }
}

TEST_F(AccountsField, LoadAGLoadsAgentsAndClerksOrClearsThroughTheProperties)
{
    const char *const cleared = "IDNode, ChangedElement, IDAnagrafica, Code, Description, SecondDescription";
    struct Row {
        OrvTypeSearchACS searchType;
        std::int32_t anagrafica;
        const char *shown, *events;
    };
    for (const Row &row :
         {Row{OrvSearchAgents, 40, "node 0 type 0 anagrafica 40 [A01|Moretti|Paolo]", "ChangedElement"},
          Row{OrvSearchAgents, 41, "node 0 type 0 anagrafica 41 [A01|Sartori|Claudio]", "ChangedElement"},
          Row{OrvSearchClerks, 44, "node 0 type 0 anagrafica 44 [I01|Pellegrini|Marta]", "ChangedElement"},
          Row{OrvSearchAgentsAndClerks, 44, "node 0 type 0 anagrafica 44 [I01|Pellegrini|Marta]",
              "ChangedElement"},
          Row{OrvSearchAgentsForCustomer, 42, "node 0 type 0 anagrafica 42 [A02|Villa|Roberto]",
              "ChangedElement"},
          // A clerk on an agents field, an agent on a clerks field, a deleted agent: cleared.
          Row{OrvSearchAgents, 44, "node 0 type 0 anagrafica 0 [||]", cleared},
          Row{OrvSearchClerks, 40, "node 0 type 0 anagrafica 0 [||]", cleared},
          Row{OrvSearchAgents, 46, "node 0 type 0 anagrafica 0 [||]", cleared},
          // Not an agents field, or no id: only the edit flags change.
          Row{OrvSearchCustomers, 40, "node 0 type 0 anagrafica 99 [old code|old name|second]", ""},
          Row{OrvSearchAgents, 0, "node 0 type 0 anagrafica 99 [old code|old name|second]", ""}}) {
        SCOPED_TRACE(testing::Message() << row.searchType << " " << row.anagrafica);
        field->setSearchType(row.searchType);
        presetOld(0, 99);
        std::int32_t anagrafica = row.anagrafica;
        field->sbLoadAG(anagrafica);
        EXPECT_EQ(shown(), QString::fromUtf8(row.shown));
        EXPECT_EQ(log.take(), QString::fromLatin1(row.events));
    }
    field->setSearchType(OrvSearchClerks); // the host's filter is added to the statement
    std::int32_t clerk = 44;
    field->setFilter(QStringLiteral(" Anagrafica.Nome <> 'x'"));
    field->sbLoadAG(clerk);
    EXPECT_EQ(field->IDAnagrafica(), 44);
    field->setFilter(QStringLiteral(" Anagrafica.Nome <> 'Marta'"));
    field->sbLoadAG(clerk);
    EXPECT_EQ(field->IDAnagrafica(), 0);
}

// --- sbLoadCFByCodifica and sbLoadCFByIDAnagrafica ------------------------------------------

TEST_F(AccountsField, ByCodeLoadsDirectlyAndRaisesChangedElementItself)
{
    const char *const kept = "node 77 type 0 anagrafica 99 [old code|old name|second] code-edited";
    struct Row {
        std::int16_t kind;
        const char *code, *shown, *events;
    };
    field->setSearchType(OrvSearchCustomers);
    for (const Row &row :
         {Row{0, " C001 ", "node 101 type 0 anagrafica 1 [C001|Rossi|second] code-edited", "ChangedElement"},
          Row{1, "F009", "node 209 type 0 anagrafica 5 [F009|Ferrari Impianti S.n.c.|second] code-edited",
              "ChangedElement"},
          Row{2, "CO01", "node 77 type 0 anagrafica 50 [CO01|Barbieri|Silvia] code-edited", "ChangedElement"},
          Row{3, "A02", "node 77 type 0 anagrafica 42 [A02|Villa|Roberto] code-edited", "ChangedElement"},
          Row{0, "c001", "node 101 type 0 anagrafica 1 [C001|Rossi|second] code-edited", "ChangedElement"},
          // Unknown code: an agent field is cleared through the properties, the others keep all.
          // Clearing Code by property on an unedited description runs the change handling once more.
          Row{3, "ZZ", "node 0 type 0 anagrafica 0 [||] code-edited description-edited",
              "IDNode, ChangedElement, IDAnagrafica, IDNode, IDAnagrafica, Code, Description, "
              "SecondDescription"},
          Row{0, "ZZ", kept, ""}, Row{0, "C'1", kept, ""}, Row{0, "C018", kept, ""}, // C018: deleted
          Row{4, "C001", kept, ""}}) {
        SCOPED_TRACE(row.code);
        presetOld(77, 99, false);
        field->context().state().bCodiceModificato = true; // the flags come back as they were
        field->sbLoadCFByCodifica(row.kind, QString::fromUtf8(row.code));
        EXPECT_EQ(shown(), QString::fromUtf8(row.shown));
        EXPECT_EQ(log.take(), QString::fromLatin1(row.events));
    }
    EXPECT_TRUE(recorder->sqlTexts().isEmpty()); // an unknown kind asks nothing
}

TEST_F(AccountsField, ByCodeHonoursTheBlockFilterOfCustomersOnly)
{
    const auto loadedByCode = [&](std::int16_t kind, const char *code) {
        field->context().state().IDAnagrafica = 0;
        field->sbLoadCFByCodifica(kind, QString::fromLatin1(code));
        return field->IDAnagrafica();
    };
    field->setAttivaFiltroBlocco(true);
    EXPECT_EQ(loadedByCode(0, "C007"), 0);  // blocked
    EXPECT_EQ(loadedByCode(0, "C012"), 12); // Null: not blocked
    field->setBloccoEmissioneDoc(true);
    EXPECT_EQ(loadedByCode(0, "C019"), 19); // -1: blocked
    EXPECT_EQ(loadedByCode(0, "C001"), 0);
    EXPECT_NE(loadedByCode(1, "F001"), 0); // suppliers have no block
}

TEST_F(AccountsField, ByRegistryIdLoadsWithoutAnEventOfItsOwn)
{
    struct Row {
        std::int32_t node;
        std::int16_t kind;
        std::int32_t anagrafica;
        const char *shown;
    };
    field->setSearchType(OrvSearchCustomers);
    for (const Row &row : {Row{0, 0, 1, "node 101 type 0 anagrafica 1 [C001|Rossi|Mario]"},
                           // Agents and collaborators have no account: the node stays.
                           Row{7, 3, 42, "node 7 type 0 anagrafica 42 [A02|Villa|Roberto]"},
                           Row{7, 2, 51, "node 7 type 0 anagrafica 51 [CO02|Testa|Andrea]"},
                           Row{0, 1, 5, "node 209 type 0 anagrafica 5 [F009|Ferrari Impianti S.n.c.|]"}}) {
        SCOPED_TRACE(row.anagrafica);
        preset(QString(), QString(), QString(), row.node, 0, true);
        field->sbLoadCFByIDAnagrafica(row.kind, row.anagrafica);
        EXPECT_EQ(shown(), QString::fromUtf8(row.shown));
        EXPECT_EQ(log.take(), QString());
    }
    // Not found: nothing changes, the edit flags included.
    field->context().state().bDescrizioneModificata = true;
    field->sbLoadCFByIDAnagrafica(0, 30);
    EXPECT_EQ(
        shown(),
        QStringLiteral("node 209 type 0 anagrafica 5 [F009|Ferrari Impianti S.n.c.|] description-edited"));
    EXPECT_EQ(log.take(), QString());

    // An unknown kind fails in the database and changes nothing.
    preset(QStringLiteral("old"), QString(), QString(), 0, 9);
    EXPECT_NE(errorOf([&] { field->sbLoadCFByIDAnagrafica(4, 1); }), 0);
    EXPECT_EQ(shown(), QStringLiteral("node 0 type 0 anagrafica 9 [old||]"));

    // On a resolved field the first box written is an edit: it forgets customer 2 first.
    preset(QStringLiteral("C002"), QStringLiteral("Rossini Forniture S.r.l."), QString(), 102, 2);
    field->sbLoadCFByIDAnagrafica(0, 1);
    EXPECT_EQ(log.take(), QStringLiteral("IDNode, ChangedElement, IDAnagrafica"));
    EXPECT_EQ(shown(), QStringLiteral("node 101 type 0 anagrafica 1 [C001|Rossi|Mario]"));
}

TEST_F(AccountsField, ByRegistryIdOnAllEntriesLeavesTheCodeToTheChangeHandling)
{
    field->setSearchType(OrvSearchAllAnagraphics);
    preset(QStringLiteral("kept?"), QString(), QString(), 0, 0, true);
    field->sbLoadCFByIDAnagrafica(7, 70); // the kind is not read
    EXPECT_EQ(shown(),
              QStringLiteral("node 0 type 0 anagrafica 70 [kept?|Banca Emiliana di Credito Cooperativo|]"));
    // With unedited boxes the description's change handling empties the code box.
    preset(QStringLiteral("gone"), QString(), QString(), 0, 0);
    field->sbLoadCFByIDAnagrafica(0, 71);
    EXPECT_EQ(shown(), QStringLiteral("node 0 type 0 anagrafica 71 [|Comune di Bologna|]"));
}

// --- sbLoadNode -----------------------------------------------------------------------------

TEST_F(AccountsField, LoadNodeShowsTheChosenAccountOrBranch)
{
    std::int16_t type = 0;
    std::int32_t id = 101;
    accounting::sbLoadNode(field->context(), type, id);
    EXPECT_TRUE(field->context().state().bRicercaInCorso);
    EXPECT_EQ(shown(), QStringLiteral("node 101 type 0 anagrafica 1 [01.05.001|Rossi Mario|]"));
    EXPECT_EQ(log.take(), QStringLiteral("IDAnagrafica, ChangedElement, IDNode, IDAnagrafica"));

    field->setIDPDC(2);
    field->context().state().NodeType = OrvBranch;
    type = 1;
    id = 1104;
    accounting::sbLoadNode(field->context(), type, id);
    EXPECT_EQ(shown(), QStringLiteral("node 1104 type 1 anagrafica 0 [03|PASSIVO|]"));

    id = 9999; // a missing row is the caller's error
    EXPECT_EQ(errorOf([&] { accounting::sbLoadNode(field->context(), type, id); }), kErrNoCurrentRow);
    type = 0;
    EXPECT_EQ(errorOf([&] { accounting::sbLoadNode(field->context(), type, id); }), kErrNoCurrentRow);
}

// --- The chart path of the lookup by code ---------------------------------------------------

// Types a code into the code box as the user would leave it, then resolves it.
struct ChartCodeRow {
    std::int32_t chart;
    const char *typed;
    const char *shown; // none: refused, the ids reset and both descriptions emptied
};

class ChartCodeRows : public AccountsField, public ::testing::WithParamInterface<ChartCodeRow> {};

TEST_P(ChartCodeRows, ResolvesOrRefusesTheTypedCode)
{
    const ChartCodeRow row = GetParam();
    const QString typed = QString::fromUtf8(row.typed);
    const bool resolved = row.shown != nullptr;
    if (row.chart != 1)
        field->setIDPDC(row.chart);
    preset(typed, QStringLiteral("old name"), QStringLiteral("second"), 0, 0, true);
    field->context().state().bRicercaInCorso = true; // as the lookup runs it
    EXPECT_EQ(field->context().resolveChartCode(typed.trimmed()), resolved);
    field->context().state().bRicercaInCorso = false;
    EXPECT_EQ(shown(), resolved ? QString::fromUtf8(row.shown)
                                : QStringLiteral("node 0 type 0 anagrafica 0 [%1||] code-edited "
                                                 "description-edited")
                                      .arg(typed));
    if (resolved) {
        EXPECT_TRUE(boxes->messages().empty());
        return;
    }
    ASSERT_EQ(boxes->messages().size(), 1u);
    EXPECT_EQ(boxes->messages()[0].text,
              QStringLiteral("La codifica \"%1\" non corrisponde ad alcun conto.").arg(typed));
    EXPECT_EQ(boxes->messages()[0].style, kMbCritical | kMbOkOnly);
    EXPECT_EQ(boxes->messages()[0].title, QStringLiteral("Contabilità"));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ChartCodeRows,
    ::testing::Values(
        ChartCodeRow{1, "01.05.001", "node 101 type 0 anagrafica 1 [01.05.001|Rossi Mario|second]"},
        ChartCodeRow{1, " 01.01.01.003 ",
                     "node 3 type 0 anagrafica 0 [01.01.01.003|Attrezzature industriali|second]"},
        ChartCodeRow{1, "00.02", "node 57 type 0 anagrafica 0 [00.02|Stato patrimoniale di chiusura|second]"},
        ChartCodeRow{2, "01-7", "node 301 type 0 anagrafica 0 [01-7|Prestazioni grafiche|second]"},
        ChartCodeRow{2, "02-1", "node 1102 type 1 anagrafica 0 [02-1|Clienti|second]"},
        ChartCodeRow{2, "03", "node 1104 type 1 anagrafica 0 [03|PASSIVO|second]"},
        // Refused: after an account segment, an unknown top segment, a separator at the end.
        ChartCodeRow{1, "01.05.001.7", nullptr}, ChartCodeRow{1, "05.001", nullptr},
        ChartCodeRow{1, "01.05.", nullptr}, ChartCodeRow{1, " 01.99 ", nullptr},
        ChartCodeRow{1, "01.05.1", nullptr}, ChartCodeRow{2, "01.7", nullptr}));

TEST_F(AccountsField, ChartCodeOfTheWrongKindIsRefusedAndKeepsTheDescriptions)
{
    const auto refused = [&](const QString &code) {
        preset(code, QStringLiteral("old name"), QStringLiteral("second"), 0, 0, true);
        boxes->clear();
        const bool resolved = field->context().resolveChartCode(code);
        return resolved ? QStringLiteral("resolved") : boxes->texts().join(QLatin1Char('|')) + u' ' + shown();
    };
    const auto refusal = [](const char *code, int type, const char *message = nullptr) {
        return (message ? QString::fromLatin1(message)
                        : QStringLiteral("La codifica \"%1\" non corrisponde ad alcun conto.").arg(code)) +
               QStringLiteral(
                   " node 0 type %1 anagrafica 0 [%2|old name|second] code-edited description-edited")
                   .arg(type)
                   .arg(QLatin1String(code));
    };
    field->setIDSearchTypeConto(OrvSuppliersAccounts);
    EXPECT_EQ(refused(QStringLiteral("01.05.001")), refusal("01.05.001", 0));
    EXPECT_EQ(refused(QStringLiteral("02.10.009")), QStringLiteral("resolved"));
    EXPECT_EQ(field->IDAnagrafica(), 5);

    field->setIDPDC(2);
    field->setIDSearchTypeRamo(OrvLiabilitiesBranch);
    EXPECT_EQ(refused(QStringLiteral("02-1")), refusal("02-1", 0));
    EXPECT_EQ(refused(QStringLiteral("03")), QStringLiteral("resolved"));
    // A supplier branch; the refusal keeps NodeType 1 of "03".
    EXPECT_EQ(refused(QStringLiteral("03-1")), refusal("03-1", 1));

    field->setOnlyAccounts(true);
    EXPECT_EQ(refused(QStringLiteral("03")), refusal("03", 1, "E' obbligatorio selezionare un conto."));
    EXPECT_EQ(refused(QStringLiteral("03-1-001")), QStringLiteral("resolved"));
}

TEST_F(AccountsField, ChartCodeWithoutSeparatorIsOneSegmentAndFailingStepsAreSkipped)
{
    field->context().state().sSeparatoreCodifica.clear();
    preset(QStringLiteral("01.05"), QString(), QString(), 0, 0, true);
    EXPECT_FALSE(field->context().resolveChartCode(QStringLiteral("01.05"))); // not branch 01.05
    EXPECT_TRUE(field->context().resolveChartCode(QStringLiteral("01")));
    EXPECT_EQ(field->IDNode(), 1001);

    field->context().state().sSeparatoreCodifica = QStringLiteral(".");
    preset(QStringLiteral("01.05.001"), QStringLiteral("old name"), QString(), 0, 0, true);
    boxes->clear();
    recorder->failOnStatement(2); // the second segment
    EXPECT_FALSE(field->context().resolveChartCode(QStringLiteral("01.05.001")));
    EXPECT_EQ(boxes->texts(),
              QStringList{QStringLiteral("La codifica \"01.05.001\" non corrisponde ad alcun conto.")});
    boxes->clear();
    field->setConnection(nullptr);
    EXPECT_FALSE(field->context().resolveChartCode(QStringLiteral("01.05.001")));
    EXPECT_EQ(boxes->messages().size(), 1u);
}

} // namespace
} // namespace orv::test
