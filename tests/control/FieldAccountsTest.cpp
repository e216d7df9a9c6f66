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

int errorOf(const std::function<void()> &call)
{
    try {
        call();
    } catch (const RuntimeError &error) {
        return error.number();
    }
    return 0;
}

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

// --- The chart and its separator -----------------------------------------------------------

TEST_F(AccountsField, IDPDCLoadsTheChartsSeparatorOnlyWithAConnection)
{
    EXPECT_EQ(field->context().state().sSeparatoreCodifica, QStringLiteral("."));
    field->setIDPDC(2);
    EXPECT_EQ(field->context().state().sSeparatoreCodifica, QStringLiteral("-"));
    EXPECT_EQ(recorder->sqlTexts(),
              QStringList{
                  QStringLiteral("SELECT SeparatoreCodifica FROM PianoDeiConti WHERE IDPianoDeiConti = 2")});
    EXPECT_EQ(log.take(), QStringLiteral("IDPDC"));

    // Set before the connection, the chart keeps the empty separator and codes lose their points.
    OrvSearchACS2 early;
    early.setIDPDC(1);
    early.setConnection(db);
    EXPECT_EQ(early.context().state().sSeparatoreCodifica, QString());
    std::int32_t account = 101;
    EXPECT_EQ(early.fnGetCodificaConto(account), QStringLiteral("0105001"));
    EXPECT_EQ(account, 101);
}

TEST_F(AccountsField, IDPDCOnAFailingConnectionIsTheHostsErrorAndKeepsTheSeparator)
{
    recorder->failOnStatement(1);
    EXPECT_EQ(errorOf([&] { field->setIDPDC(2); }), kErrDatabase);
    EXPECT_EQ(field->context().state().sSeparatoreCodifica, QStringLiteral("."));
    EXPECT_EQ(field->IDPDC(), 2);
    EXPECT_EQ(log.take(), QString()); // no notice: the assignment did not finish
}

TEST_F(AccountsField, AccountingMethodsAnswerThroughTheField)
{
    std::int32_t account = 1;
    EXPECT_EQ(field->fnGetCodificaConto(account), QStringLiteral("01.01.01.001"));

    std::int32_t id = 101;
    std::int16_t type = 0;
    Currency dare = Currency::fromLong(-1);
    Currency avere = Currency::fromLong(-1);
    std::int32_t esercizio = 2025;
    std::int16_t mese = 0;
    std::int16_t anno = 0;
    std::int32_t periodo = 0;
    field->sbCalcolaProgressiviConto(id, type, dare, avere, esercizio, mese, anno, periodo);
    EXPECT_EQ(dare, Currency::fromText(QStringLiteral("24500")));
    EXPECT_EQ(avere, Currency::fromText(QStringLiteral("23150.5")));

    id = 13; // branch 01.05 in 2025: only account 101 has totals
    field->sbCalcolaProgressiviGruppo(id, type, dare, avere, esercizio, mese, anno, periodo);
    EXPECT_EQ(dare, Currency::fromText(QStringLiteral("24500")));
    EXPECT_EQ(id, 13);

    std::int16_t categoria = 3; // costs of chart 1 in 2025: account 32
    field->sbCalcolaTotaleProgressiviConti(type, categoria, dare, avere, esercizio, mese, anno, periodo);
    EXPECT_EQ(dare, Currency::fromText(QStringLiteral("118420")));
    EXPECT_EQ(avere, Currency());
    EXPECT_TRUE(recorder->sqlTexts().last().contains(QStringLiteral(" AND ELE.IDPianoDeiConti = 1 AND")));

    std::int32_t company = 2;
    std::int32_t office = 0;
    QString role = QStringLiteral("IDContoBanca");
    EXPECT_EQ(field->fnGetIDContoFromContoAutomatico(company, office, role), Variant(306.0));

    std::int32_t chart = 1;
    const Variant all = field->SelectAllAccounts(chart);
    EXPECT_EQ(all.type(), Variant::Type::String);
    EXPECT_TRUE(all.toText().contains(QStringLiteral(" WHERE IDPianoDeiConti =  1 AND")));
    EXPECT_EQ(log.take(), QString()); // questions raise nothing
}

// --- SetPDC and IDNode ----------------------------------------------------------------------

struct SetPDCRow {
    std::int32_t chart;
    std::int32_t id;
    OrvNodeType type;
    const char *shown;
    const char *events;
};

class SetPDCRows : public AccountsField, public ::testing::WithParamInterface<SetPDCRow> {};

TEST_P(SetPDCRows, LoadsByNodeTypeWithDirectWritesAndEndsUnedited)
{
    const SetPDCRow row = GetParam();
    if (row.chart != 1)
        field->setIDPDC(row.chart);
    preset(QStringLiteral("old code"), QStringLiteral("old name"), QStringLiteral("second"), 77, 55, true);
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
                  "node 13 type 3 anagrafica 55 [01.05|Crediti verso clienti|second]", ""},
        SetPDCRow{1, 13, OrvPDCElementFromPDC,
                  "node 13 type 2 anagrafica 0 [01.05|Crediti verso clienti|second]", ""},
        // No account with a branch's id: the branch is loaded whatever the type asked.
        SetPDCRow{2, 102, OrvLeaf, "node 102 type 0 anagrafica 0 [02-1|Clienti|second]", ""},
        SetPDCRow{2, 102, OrvPDCElementFromAccount, "node 102 type 3 anagrafica 0 [02-1|Clienti|second]", ""},
        // Nothing found, or no id: everything cleared, the type kept.
        SetPDCRow{1, 9999, OrvLeaf, "node 0 type 0 anagrafica 0 [||]", ""},
        SetPDCRow{1, 100, OrvPDCElementFromPDC, "node 0 type 2 anagrafica 0 [||]", ""}, // a branch of chart 2
        SetPDCRow{1, 0, OrvBranch, "node 0 type 1 anagrafica 0 [||]", ""},
        SetPDCRow{1, -5, OrvPDCElementFromPDC, "node 0 type 2 anagrafica 0 [||]", ""},
        // An unknown type loads nothing but is stored.
        SetPDCRow{1, 101, static_cast<OrvNodeType>(4),
                  "node 77 type 4 anagrafica 55 [old code|old name|second]", ""}));

TEST_F(AccountsField, SetPDCStatementsForTheBranchOfAnAccount)
{
    std::int32_t id = 101;
    OrvNodeType type = OrvPDCElementFromAccount;
    field->SetPDC(id, type);
    const QStringList sql = recorder->sqlTexts();
    ASSERT_GE(sql.size(), 1);
    EXPECT_EQ(
        sql[0],
        QStringLiteral("SELECT ContoPDC,IDAnagrafica, ContoPerPDC.IDElementoPDC as IDRamo, ElementoPDC FROM "
                       "ElementoPDC, ContoPerPDC, ContoPDC WHERE IDPianoDeiConti = 1 AND "
                       "ContoPerPDC.IDElementoPDC = ElementoPDC.IDElementoPDC AND ContoPerPDC.IDContoPDC = "
                       "ContoPDC.IDContoPDC AND ContoPDC.IDContoPDC = 101"));

    recorder->clear();
    id = 102;
    field->setIDPDC(2);
    recorder->clear();
    field->SetPDC(id, type);
    EXPECT_EQ(recorder->sqlTexts().at(1),
              QStringLiteral("SELECT ElementoPDC, IDElementoPDC FROM ElementoPDC WHERE "
                             "IDPianoDeiConti = 2 AND IDElementoPDC = 102"));
}

TEST_F(AccountsField, IDNodeLoadsThroughSetPDCBeforeChangedElement)
{
    field->setNodeType(OrvPDCElementFromAccount);
    log.take();
    field->setIDNode(101);
    // The property handed its own field in: it now names the account's branch.
    EXPECT_EQ(shown(), QStringLiteral("node 13 type 3 anagrafica 0 [01.05|Crediti verso clienti|]"));
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
    db->executeScript(QStringLiteral("UPDATE ElementoPDC SET ElementoPDC = NULL WHERE IDElementoPDC = 13"));
    std::int32_t id = 101;
    OrvNodeType type = OrvBranch; // reads the branch name as it is
    EXPECT_EQ(errorOf([&] { field->SetPDC(id, type); }), kErrInvalidUseOfNull);
    type = OrvPDCElementFromPDC; // reads it through NullToValue
    id = 13;
    EXPECT_EQ(errorOf([&] { field->SetPDC(id, type); }), 0);
    EXPECT_EQ(field->Description(), QString());

    field->setConnection(nullptr);
    EXPECT_EQ(errorOf([&] { field->setIDNode(5); }), kErrNoConnection);
}

// --- sbLoadCF -------------------------------------------------------------------------------

struct LoadCFRow {
    std::int32_t anagrafica;
    std::int32_t conto;
    std::int32_t elemento;
    const char *shown;
};

class LoadCFRows : public AccountsField, public ::testing::WithParamInterface<LoadCFRow> {};

TEST_P(LoadCFRows, WritesDirectlyWithoutEvents)
{
    const LoadCFRow row = GetParam();
    preset(QStringLiteral("old code"), QStringLiteral("old name"), QStringLiteral("second"), 77, 55, true);
    std::int32_t anagrafica = row.anagrafica;
    std::int32_t conto = row.conto;
    std::int32_t elemento = row.elemento;
    field->sbLoadCF(anagrafica, conto, elemento);
    EXPECT_EQ(shown(), QString::fromUtf8(row.shown));
    EXPECT_EQ(log.take(), QString());
    EXPECT_EQ(anagrafica, row.anagrafica);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, LoadCFRows,
    ::testing::Values(LoadCFRow{0, 0, 13,
                                "node 13 type 0 anagrafica 55 [01.05|Crediti verso clienti|second]"},
                      // A branch the chart does not hold: the id is taken, the name kept, the code emptied.
                      LoadCFRow{0, 0, 9999, "node 9999 type 0 anagrafica 55 [|old name|second]"},
                      LoadCFRow{1, 101, 0, "node 101 type 0 anagrafica 1 [01.05.001|Rossi Mario|second]"},
                      LoadCFRow{7, 9, 13, "node 9 type 0 anagrafica 0 [01.10.002|Banca Emiliana c/c|second]"},
                      // An account without a code in this chart: only the code box changes.
                      LoadCFRow{1, 14, 0, "node 77 type 0 anagrafica 55 [|old name|second]"},
                      LoadCFRow{1, 303, 0, "node 77 type 0 anagrafica 55 [|old name|second]"},
                      // Nothing to load: only the edit flags are cleared.
                      LoadCFRow{1, 0, 13, "node 77 type 0 anagrafica 55 [old code|old name|second]"},
                      LoadCFRow{0, 101, 0, "node 77 type 0 anagrafica 55 [old code|old name|second]"}));

TEST_F(AccountsField, LoadCFAccountStatement)
{
    std::int32_t anagrafica = 1;
    std::int32_t conto = 101;
    std::int32_t elemento = 0;
    field->sbLoadCF(anagrafica, conto, elemento);
    EXPECT_EQ(recorder->sqlTexts().first(),
              QStringLiteral("SELECT ContoPDC, IDAnagrafica FROM ContoPDC WHERE IDContoPDC =  101"));
}

// --- sbLoadAG -------------------------------------------------------------------------------

struct LoadAGRow {
    OrvTypeSearchACS searchType;
    std::int32_t anagrafica;
    const char *shown;
    const char *events;
};

class LoadAGRows : public AccountsField, public ::testing::WithParamInterface<LoadAGRow> {};

TEST_P(LoadAGRows, LoadsAgentsAndClerksOrClearsThroughTheProperties)
{
    const LoadAGRow row = GetParam();
    field->setSearchType(row.searchType);
    preset(QStringLiteral("old code"), QStringLiteral("old name"), QStringLiteral("second"), 0, 99, true);
    std::int32_t anagrafica = row.anagrafica;
    field->sbLoadAG(anagrafica);
    EXPECT_EQ(shown(), QString::fromUtf8(row.shown));
    EXPECT_EQ(log.take(), QString::fromLatin1(row.events));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, LoadAGRows,
    ::testing::Values(
        LoadAGRow{OrvSearchAgents, 40, "node 0 type 0 anagrafica 40 [A01|Moretti|Paolo]", "ChangedElement"},
        LoadAGRow{OrvSearchAgents, 41, "node 0 type 0 anagrafica 41 [A01|Sartori|Claudio]", "ChangedElement"},
        LoadAGRow{OrvSearchClerks, 44, "node 0 type 0 anagrafica 44 [I01|Pellegrini|Marta]",
                  "ChangedElement"},
        LoadAGRow{OrvSearchAgentsAndClerks, 44, "node 0 type 0 anagrafica 44 [I01|Pellegrini|Marta]",
                  "ChangedElement"},
        LoadAGRow{OrvSearchAgentsForCustomer, 42, "node 0 type 0 anagrafica 42 [A02|Villa|Roberto]",
                  "ChangedElement"},
        // A clerk on an agents field, an agent on a clerks field, a deleted agent: cleared.
        LoadAGRow{OrvSearchAgents, 44, "node 0 type 0 anagrafica 0 [||]",
                  "IDNode, ChangedElement, IDAnagrafica, Code, Description, SecondDescription"},
        LoadAGRow{OrvSearchClerks, 40, "node 0 type 0 anagrafica 0 [||]",
                  "IDNode, ChangedElement, IDAnagrafica, Code, Description, SecondDescription"},
        LoadAGRow{OrvSearchAgents, 46, "node 0 type 0 anagrafica 0 [||]",
                  "IDNode, ChangedElement, IDAnagrafica, Code, Description, SecondDescription"},
        // Not an agents field, or no id: only the edit flags change.
        LoadAGRow{OrvSearchCustomers, 40, "node 0 type 0 anagrafica 99 [old code|old name|second]", ""},
        LoadAGRow{OrvSearchAgents, 0, "node 0 type 0 anagrafica 99 [old code|old name|second]", ""}));

TEST_F(AccountsField, LoadAGStatementWithTheFilter)
{
    field->setSearchType(OrvSearchClerks);
    field->setFilter(QStringLiteral(" Anagrafica.Nome <> 'x'"));
    recorder->clear();
    std::int32_t anagrafica = 44;
    field->sbLoadAG(anagrafica);
    EXPECT_EQ(
        recorder->sqlTexts(),
        QStringList{QStringLiteral(
            "SELECT Agente.IDAnagrafica, Agente.Codice, Agente.Enasarco, Anagrafica.CodiceFiscale, "
            "Anagrafica.PartitaIva, Anagrafica.Anagrafica, Anagrafica.Nome FROM Agente INNER JOIN Anagrafica "
            "ON "
            "Anagrafica.IDAnagrafica = Agente.IDAnagrafica WHERE Agente.IDAzienda = 1 AND "
            "Anagrafica.VirtualDelete = 0 AND Agente.IDAnagrafica = 44 AND Agente.IDTipoAgente = 2 AND  "
            "Anagrafica.Nome <> 'x'")});
    EXPECT_EQ(field->IDAnagrafica(), 44);
}

// --- sbLoadCFByCodifica ---------------------------------------------------------------------

struct ByCodeRow {
    std::int16_t kind;
    const char *code;
    const char *shown;
    const char *events;
};

class ByCodeRows : public AccountsField, public ::testing::WithParamInterface<ByCodeRow> {};

TEST_P(ByCodeRows, LoadsDirectlyAndRaisesChangedElementItself)
{
    const ByCodeRow row = GetParam();
    field->setSearchType(OrvSearchCustomers);
    preset(QStringLiteral("old code"), QStringLiteral("old name"), QStringLiteral("second"), 77, 99);
    ControlState &s = field->context().state();
    s.bCodiceModificato = true; // the flags come back as they were
    field->sbLoadCFByCodifica(row.kind, QString::fromUtf8(row.code));
    EXPECT_EQ(shown(), QString::fromUtf8(row.shown));
    EXPECT_EQ(log.take(), QString::fromLatin1(row.events));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ByCodeRows,
    ::testing::Values(
        ByCodeRow{0, " C001 ", "node 101 type 0 anagrafica 1 [C001|Rossi|second] code-edited",
                  "ChangedElement"},
        ByCodeRow{1, "F009", "node 209 type 0 anagrafica 5 [F009|Ferrari Impianti S.n.c.|second] code-edited",
                  "ChangedElement"},
        ByCodeRow{2, "CO01", "node 77 type 0 anagrafica 50 [CO01|Barbieri|Silvia] code-edited",
                  "ChangedElement"},
        ByCodeRow{3, "A02", "node 77 type 0 anagrafica 42 [A02|Villa|Roberto] code-edited", "ChangedElement"},
        ByCodeRow{0, "c001", "node 101 type 0 anagrafica 1 [C001|Rossi|second] code-edited",
                  "ChangedElement"},
        // Unknown code: an agent field is cleared through the properties, the others keep all.
        // Clearing Code by property on an unedited description runs the change handling once more.
        ByCodeRow{3, "ZZ", "node 0 type 0 anagrafica 0 [||] code-edited description-edited",
                  "IDNode, ChangedElement, IDAnagrafica, IDNode, IDAnagrafica, Code, Description, "
                  "SecondDescription"},
        ByCodeRow{0, "ZZ", "node 77 type 0 anagrafica 99 [old code|old name|second] code-edited", ""},
        ByCodeRow{0, "C'1", "node 77 type 0 anagrafica 99 [old code|old name|second] code-edited", ""},
        ByCodeRow{0, "C018", "node 77 type 0 anagrafica 99 [old code|old name|second] code-edited",
                  ""}, // deleted
        ByCodeRow{4, "C001", "node 77 type 0 anagrafica 99 [old code|old name|second] code-edited", ""}));

TEST_F(AccountsField, ByCodeStatementAndTheBlockFilter)
{
    field->sbLoadCFByCodifica(0, QStringLiteral(" C001 "));
    EXPECT_EQ(recorder->sqlTexts(),
              QStringList{QStringLiteral(
                  "SELECT Anagrafica.IDAnagrafica, Anagrafica, CodiceFiscale, PartitaIva, Nome, "
                  "Codice, IDPDCContabile FROM Anagrafica, Cliente WHERE "
                  "Anagrafica.IDAnagrafica = Cliente.IDAnagrafica AND Cliente.IDAzienda = 1 AND "
                  "Anagrafica.VirtualDelete = 0 AND Codice = 'C001'")});
    field->sbLoadCFByCodifica(4, QStringLiteral("C001"));
    EXPECT_EQ(recorder->sqlTexts().size(), 1); // an unknown kind asks nothing

    const auto loadedByCode = [&](const char *code) {
        field->context().state().IDAnagrafica = 0;
        field->sbLoadCFByCodifica(0, QString::fromLatin1(code));
        return field->IDAnagrafica();
    };
    field->setAttivaFiltroBlocco(true);
    EXPECT_EQ(loadedByCode("C007"), 0);  // blocked
    EXPECT_EQ(loadedByCode("C012"), 12); // Null: not blocked
    EXPECT_TRUE(recorder->sqlTexts().last().endsWith(
        QStringLiteral(" AND (Cliente.BloccoEmissioneDoc IS NULL OR Cliente.BloccoEmissioneDoc = 0)")));
    field->setBloccoEmissioneDoc(true);
    EXPECT_EQ(loadedByCode("C019"), 19); // -1: blocked
    EXPECT_EQ(loadedByCode("C001"), 0);
    EXPECT_TRUE(recorder->sqlTexts().last().endsWith(QStringLiteral(" AND Cliente.BloccoEmissioneDoc <> 0")));
    field->sbLoadCFByCodifica(1, QStringLiteral("F001")); // suppliers have no block
    EXPECT_TRUE(recorder->sqlTexts().last().endsWith(QStringLiteral("Codice = 'F001'")));
}

// --- sbLoadCFByIDAnagrafica -----------------------------------------------------------------

TEST_F(AccountsField, ByRegistryIdLoadsWithoutAnEventOfItsOwn)
{
    field->setSearchType(OrvSearchCustomers);
    preset(QString(), QString(), QString(), 0, 0, true);
    field->sbLoadCFByIDAnagrafica(0, 1);
    EXPECT_EQ(shown(), QStringLiteral("node 101 type 0 anagrafica 1 [C001|Rossi|Mario]"));
    EXPECT_EQ(log.take(), QString());
    EXPECT_EQ(recorder->sqlTexts(),
              QStringList{QStringLiteral(
                  "SELECT Anagrafica.IDAnagrafica, Anagrafica, CodiceFiscale, PartitaIva, Nome, "
                  "Codice, IDPDCContabile FROM Anagrafica, Cliente WHERE "
                  "Anagrafica.IDAnagrafica = Cliente.IDAnagrafica AND Cliente.IDAzienda = 1 AND "
                  "Anagrafica.VirtualDelete = 0 AND Anagrafica.IDAnagrafica = 1")});

    preset(QString(), QString(), QString(), 7, 0, true);
    field->sbLoadCFByIDAnagrafica(3, 42); // agents and collaborators have no account
    EXPECT_EQ(shown(), QStringLiteral("node 7 type 0 anagrafica 42 [A02|Villa|Roberto]"));
    preset(QString(), QString(), QString(), 7, 0, true);
    field->sbLoadCFByIDAnagrafica(2, 51);
    EXPECT_EQ(shown(), QStringLiteral("node 7 type 0 anagrafica 51 [CO02|Testa|Andrea]"));
    preset(QString(), QString(), QString(), 0, 0, true);
    field->sbLoadCFByIDAnagrafica(1, 5);
    EXPECT_EQ(shown(), QStringLiteral("node 209 type 0 anagrafica 5 [F009|Ferrari Impianti S.n.c.|]"));

    // Not found: nothing changes, the edit flags included.
    field->context().state().bDescrizioneModificata = true;
    field->sbLoadCFByIDAnagrafica(0, 30);
    EXPECT_EQ(
        shown(),
        QStringLiteral("node 209 type 0 anagrafica 5 [F009|Ferrari Impianti S.n.c.|] description-edited"));
    EXPECT_EQ(log.take(), QString());
}

TEST_F(AccountsField, ByRegistryIdOnAResolvedFieldGoesThroughTheChangeHandlingOfTheCodeBox)
{
    field->setSearchType(OrvSearchCustomers);
    preset(QStringLiteral("C002"), QStringLiteral("Rossini Forniture S.r.l."), QString(), 102, 2);
    field->sbLoadCFByIDAnagrafica(0, 1);
    // The first box written is an edit of a resolved field: it forgets customer 2 first.
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
    EXPECT_EQ(recorder->sqlTexts(),
              QStringList{QStringLiteral(
                  "SELECT Anagrafica.IDAnagrafica, Anagrafica, CodiceFiscale, PartitaIva, Nome "
                  "FROM Anagrafica WHERE Anagrafica.VirtualDelete = 0 AND "
                  "Anagrafica.IDAnagrafica = 70")});
    // With unedited boxes the description's change handling empties the code box.
    preset(QStringLiteral("gone"), QString(), QString(), 0, 0);
    field->sbLoadCFByIDAnagrafica(0, 71);
    EXPECT_EQ(shown(), QStringLiteral("node 0 type 0 anagrafica 71 [|Comune di Bologna|]"));
}

TEST_F(AccountsField, ByRegistryIdOfAnUnknownKindFailsInTheDatabase)
{
    field->setSearchType(OrvSearchCustomers);
    preset(QStringLiteral("old"), QString(), QString(), 0, 9);
    EXPECT_NE(errorOf([&] { field->sbLoadCFByIDAnagrafica(4, 1); }), 0);
    EXPECT_EQ(shown(), QStringLiteral("node 0 type 0 anagrafica 9 [old||]"));
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
    EXPECT_TRUE(recorder->sqlTexts().contains(
        QStringLiteral("SELECT ContoPDC,Codifica,IDAnagrafica FROM ContoPDC WHERE IDContoPDC = 101")));

    field->setIDPDC(2);
    field->context().state().NodeType = OrvBranch;
    type = 1;
    id = 104;
    accounting::sbLoadNode(field->context(), type, id);
    EXPECT_EQ(shown(), QStringLiteral("node 104 type 1 anagrafica 0 [03|PASSIVO|]"));
    EXPECT_TRUE(recorder->sqlTexts().contains(
        QStringLiteral("SELECT ElementoPDC,Codifica FROM ElementoPDC WHERE IDElementoPDC = 104")));
}

TEST_F(AccountsField, LoadNodeOfAMissingRowIsTheCallersError)
{
    std::int16_t type = 0;
    std::int32_t id = 9999;
    EXPECT_EQ(errorOf([&] { accounting::sbLoadNode(field->context(), type, id); }), kErrNoCurrentRow);
    type = 2;
    EXPECT_EQ(errorOf([&] { accounting::sbLoadNode(field->context(), type, id); }), kErrNoCurrentRow);
}

// --- The chart path of the lookup by code ---------------------------------------------------

// Types a code into the code box as the user would leave it, then resolves it.
struct ChartCodeRow {
    std::int32_t chart;
    const char *typed;
    bool resolved;
    const char *shown;
    const char *message; // empty: none
};

class ChartCodeRows : public AccountsField, public ::testing::WithParamInterface<ChartCodeRow> {};

TEST_P(ChartCodeRows, ResolvesOrRefusesTheTypedCode)
{
    const ChartCodeRow row = GetParam();
    if (row.chart != 1)
        field->setIDPDC(row.chart);
    preset(QString::fromUtf8(row.typed), QStringLiteral("old name"), QStringLiteral("second"), 0, 0, true);
    field->context().state().bRicercaInCorso = true; // as the lookup runs it
    EXPECT_EQ(field->context().resolveChartCode(QString::fromUtf8(row.typed).trimmed()), row.resolved);
    field->context().state().bRicercaInCorso = false;
    EXPECT_EQ(shown(), QString::fromUtf8(row.shown));
    if (*row.message) {
        ASSERT_EQ(boxes->messages().size(), 1u);
        EXPECT_EQ(boxes->messages()[0].text, QString::fromUtf8(row.message));
        EXPECT_EQ(boxes->messages()[0].style, kMbCritical | kMbOkOnly);
        EXPECT_EQ(boxes->messages()[0].title, QStringLiteral("Contabilità"));
    } else {
        EXPECT_TRUE(boxes->messages().empty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ChartCodeRows,
    ::testing::Values(
        ChartCodeRow{1, "01.05.001", true, "node 101 type 0 anagrafica 1 [01.05.001|Rossi Mario|second]", ""},
        ChartCodeRow{1, " 01.01.01.003 ", true,
                     "node 3 type 0 anagrafica 0 [01.01.01.003|Attrezzature industriali|second]", ""},
        ChartCodeRow{1, "00.02", true,
                     "node 57 type 0 anagrafica 0 [00.02|Stato patrimoniale di chiusura|second]", ""},
        ChartCodeRow{2, "01-7", true, "node 301 type 0 anagrafica 0 [01-7|Prestazioni grafiche|second]", ""},
        ChartCodeRow{2, "02-1", true, "node 102 type 1 anagrafica 0 [02-1|Clienti|second]", ""},
        ChartCodeRow{2, "03", true, "node 104 type 1 anagrafica 0 [03|PASSIVO|second]", ""},
        // Refused: the ids are reset; an unresolved code also empties the two descriptions.
        ChartCodeRow{1, "01.05.001.7", false,
                     "node 0 type 0 anagrafica 0 [01.05.001.7||] code-edited description-edited",
                     "La codifica \"01.05.001.7\" non corrisponde ad alcun conto."},
        ChartCodeRow{1, "05.001", false,
                     "node 0 type 0 anagrafica 0 [05.001||] code-edited description-edited",
                     "La codifica \"05.001\" non corrisponde ad alcun conto."},
        ChartCodeRow{1, "01.05.", false,
                     "node 0 type 0 anagrafica 0 [01.05.||] code-edited description-edited",
                     "La codifica \"01.05.\" non corrisponde ad alcun conto."},
        ChartCodeRow{1, " 01.99 ", false,
                     "node 0 type 0 anagrafica 0 [ 01.99 ||] code-edited description-edited",
                     "La codifica \" 01.99 \" non corrisponde ad alcun conto."},
        ChartCodeRow{1, "01.05.1", false,
                     "node 0 type 0 anagrafica 0 [01.05.1||] code-edited description-edited",
                     "La codifica \"01.05.1\" non corrisponde ad alcun conto."},
        ChartCodeRow{2, "01.7", false, "node 0 type 0 anagrafica 0 [01.7||] code-edited description-edited",
                     "La codifica \"01.7\" non corrisponde ad alcun conto."}));

TEST_F(AccountsField, ChartCodeWalkStatements)
{
    preset(QStringLiteral("01.05.001"), QString(), QString(), 0, 0, true);
    field->context().resolveChartCode(QStringLiteral("01.05.001"));
    const QStringList sql = recorder->sqlTexts();
    ASSERT_GE(sql.size(), 5);
    EXPECT_EQ(
        sql.mid(0, 5),
        (QStringList{
            QStringLiteral("SELECT IDElementoPDC, ElementoPDC FROM ElementoPDC WHERE Codifica = '01' AND "
                           "IDElementoPDC > 0 AND IDPianoDeiConti = 1 AND IDElementoPDCPadre is Null"),
            QStringLiteral("SELECT IDElementoPDC, ElementoPDC FROM ElementoPDC WHERE Codifica = '05' AND "
                           "IDElementoPDC > 0 AND IDPianoDeiConti = 1 AND IDElementoPDCPadre = 1"),
            QStringLiteral("SELECT IDElementoPDC, ElementoPDC FROM ElementoPDC WHERE Codifica = '001' AND "
                           "IDElementoPDC > 0 AND IDPianoDeiConti = 1 AND IDElementoPDCPadre = 13"),
            QStringLiteral(
                "SELECT CP.IDContoPDC, CP.ContoPDC FROM ElementoPDC as EPDC, ContoPerPDC as CPP, "
                "ContoPDC As CP WHERE IDPianoDeiConti = 1 AND EPDC.IDElementoPDC = CPP.IDElementoPDC "
                "AND CPP.IDElementoPDC = 13 AND CPP.IDContoPDC = CP.IDContoPDC AND CP.IDContoPDC > 0 "
                "AND CP.Codifica ='001'"),
            QStringLiteral("SELECT ContoPDC, Codifica, IDAnagrafica FROM ContoPDC WHERE IDContoPDC =  101"),
        }));

    recorder->clear();
    field->setIDSearchTypeConto(OrvCustomersAccounts);
    field->setIDSearchTypeRamo(OrvAssetsBranchs);
    field->setIDPDC(2);
    recorder->clear();
    field->context().resolveChartCode(QStringLiteral("02"));
    EXPECT_EQ(
        recorder->sqlTexts().at(1),
        QStringLiteral("SELECT ElementoPDC FROM ElementoPDC WHERE IDElementoPDC =  101 AND IDTipoConto = 1"));
    recorder->clear();
    field->context().resolveChartCode(QStringLiteral("02-1-001"));
    EXPECT_EQ(recorder->sqlTexts().at(4),
              QStringLiteral("SELECT ContoPDC, Codifica, IDAnagrafica FROM ContoPDC WHERE "
                             "IDContoPDC =  303 AND IDTipoConto = 6"));
}

TEST_F(AccountsField, ChartCodeOfTheWrongKindIsRefusedAndKeepsTheDescriptions)
{
    const auto refused = [&](const QString &code) {
        preset(code, QStringLiteral("old name"), QStringLiteral("second"), 0, 0, true);
        boxes->clear();
        const bool resolved = field->context().resolveChartCode(code);
        return resolved ? QStringLiteral("resolved") : boxes->texts().join(QLatin1Char('|')) + u' ' + shown();
    };
    field->setIDSearchTypeConto(OrvSuppliersAccounts);
    EXPECT_EQ(
        refused(QStringLiteral("01.05.001")),
        QStringLiteral("La codifica \"01.05.001\" non corrisponde ad alcun conto. node 0 type 0 anagrafica 0 "
                       "[01.05.001|old name|second] code-edited description-edited"));
    EXPECT_EQ(refused(QStringLiteral("02.10.009")), QStringLiteral("resolved"));
    EXPECT_EQ(field->IDAnagrafica(), 5);

    field->setIDPDC(2);
    field->setIDSearchTypeRamo(OrvLiabilitiesBranch);
    EXPECT_EQ(
        refused(QStringLiteral("02-1")),
        QStringLiteral("La codifica \"02-1\" non corrisponde ad alcun conto. node 0 type 0 anagrafica 0 "
                       "[02-1|old name|second] code-edited description-edited"));
    EXPECT_EQ(refused(QStringLiteral("03")), QStringLiteral("resolved"));
    EXPECT_EQ(
        refused(QStringLiteral("03-1")), // a supplier branch; the refusal keeps NodeType 1 of "03"
        QStringLiteral("La codifica \"03-1\" non corrisponde ad alcun conto. node 0 type 1 anagrafica 0 "
                       "[03-1|old name|second] code-edited description-edited"));

    field->setOnlyAccounts(true);
    EXPECT_EQ(refused(QStringLiteral("03")),
              QStringLiteral(
                  "E' obbligatorio selezionare un conto. node 0 type 1 anagrafica 0 [03|old name|second] "
                  "code-edited description-edited"));
    EXPECT_EQ(refused(QStringLiteral("03-1-001")), QStringLiteral("resolved"));
}

TEST_F(AccountsField, ChartCodeWithoutSeparatorIsOneSegment)
{
    field->context().state().sSeparatoreCodifica.clear();
    preset(QStringLiteral("01.05"), QString(), QString(), 0, 0, true);
    EXPECT_FALSE(field->context().resolveChartCode(QStringLiteral("01.05")));
    EXPECT_EQ(
        recorder->sqlTexts().first(),
        QStringLiteral("SELECT IDElementoPDC, ElementoPDC FROM ElementoPDC WHERE Codifica = '01.05' AND "
                       "IDElementoPDC > 0 AND IDPianoDeiConti = 1 AND IDElementoPDCPadre is Null"));
    EXPECT_TRUE(field->context().resolveChartCode(QStringLiteral("01")));
    EXPECT_EQ(field->IDNode(), 1);
}

TEST_F(AccountsField, ChartCodeStepsThatFailAreSkipped)
{
    preset(QStringLiteral("01.05.001"), QStringLiteral("old name"), QString(), 0, 0, true);
    recorder->failOnStatement(2); // the second segment
    EXPECT_FALSE(field->context().resolveChartCode(QStringLiteral("01.05.001")));
    EXPECT_EQ(boxes->texts(),
              QStringList{QStringLiteral("La codifica \"01.05.001\" non corrisponde ad alcun conto.")});

    boxes->clear();
    field->setConnection(nullptr);
    EXPECT_FALSE(field->context().resolveChartCode(QStringLiteral("01.05.001")));
    EXPECT_EQ(boxes->messages().size(), 1u);
}

TEST_F(AccountsField, RegistryEntryAccountInTheFieldsChart)
{
    FieldContext &ctx = field->context();
    EXPECT_EQ(ctx.fnGetIDContoAnagrafica(5), 209); // supplier accounts unless customers are asked for
    EXPECT_EQ(
        recorder->sqlTexts(),
        QStringList{QStringLiteral(
            "SELECT ContoPDC.IDContoPDC FROM ContoPDC, ContoPerPDC, ElementoPDC WHERE IDAnagrafica = 5 AND "
            "ContoPDC.IDContoPDC = ContoPerPDC.IDContoPDC AND ElementoPDC.IDElementoPDC = "
            "ContoPerPDC.IDElementoPDC AND ElementoPDC.IDPianoDeiConti = 1 AND ContoPDC.IDTipoConto = 7")});
    field->setIDSearchTypeConto(OrvCustomersAccounts);
    EXPECT_EQ(ctx.fnGetIDContoAnagrafica(5), 105);
    EXPECT_EQ(ctx.fnGetIDContoAnagrafica(30), 0);
    field->setIDPDC(2);
    EXPECT_EQ(ctx.fnGetIDContoAnagrafica(1), 304);
}

} // namespace
} // namespace orv::test
