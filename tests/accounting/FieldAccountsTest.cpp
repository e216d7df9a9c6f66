#include "accounting/ChartCodeLookup.h"
#include "accounting/Loaders.h"
#include "support/ChartFixture.h"
#include "support/FakeServices.h"
#include "support/FaultingConnection.h"
#include "support/FieldFixture.h"

namespace orv::test {
namespace {

// A field of accounts on the demo company through the recording connection, with message
// boxes captured.
class AccountsField : public EngineFieldTest {
protected:
    AccountsField()
    {
        field->setConnection(recorder);
        field->setApplicationName(QStringLiteral("Contabilità"));
        field->setIDFirm(1);
        field->setIDPDC(1);
        field->setSearchType(OrvSearchAccounts);
        recorder->clear();
        heard.clear();
    }

    // SetPDC on a field that shows an old entry, edits pending; the caller's id stays as it was.
    QString setPDC(const std::int32_t id, int type)
    {
        preset(77, 55);
        std::int32_t asked = id;
        auto nodeType = static_cast<OrvNodeType>(type);
        field->SetPDC(asked, nodeType);
        EXPECT_EQ(asked, id);
        return shown();
    }
    // Resolves a code typed in the code box as the lookup leaves it: what the field shows, then
    // each message; "no account" stands for the message that the typed code names no account.
    // A code is refused exactly when the clerk is told why.
    QString resolve(const QString &typed)
    {
        preset(0, 0, true, {typed, "name", "2nd"});
        boxes->clear();
        work().bRicercaInCorso = true; // as the lookup runs it
        const bool resolved = accounting::resolveChartCode(context(), typed.trimmed());
        work().bRicercaInCorso = false;
        EXPECT_EQ(resolved, boxes->messages().empty());
        QString result = look();
        for (const CapturedMessageBoxes::Message &m : boxes->messages()) {
            EXPECT_EQ(m.style, kMbCritical | kMbOkOnly);
            EXPECT_EQ(m.title, QStringLiteral("Contabilità"));
            const QString noAccount =
                QStringLiteral("La codifica \"%1\" non corrisponde ad alcun conto.").arg(typed);
            result += QStringLiteral(" / ") + (m.text == noAccount ? QStringLiteral("no account") : m.text);
        }
        return result;
    }

    ServiceOverride<CapturedMessageBoxes> boxes;
};

// --- The chart, its separator and the accounting methods ------------------------------------

// --- SetPDC and IDNode ----------------------------------------------------------------------

TEST_P(AccountsField, SetPDCLoadsByNodeTypeWithDirectWritesAndEndsUneditedOrFails)
{
    // An account: its name and full code, its registry entry by property (a notice).
    EXPECT_EQ(setPDC(101, OrvLeaf), "101/0/1 [01.05.001|Rossi Mario|2nd] IDAnagrafica");
    EXPECT_EQ(setPDC(9, OrvLeaf), "9/0/0 [01.10.002|Banca Emiliana c/c|2nd] IDAnagrafica");
    // The account with its branch's code and name; IDNode keeps naming the account.
    EXPECT_EQ(setPDC(101, OrvBranch), "101/1/55 [01.05|Crediti verso clienti|2nd]");
    // The branch of an account: IDNode now names the branch.
    EXPECT_EQ(setPDC(101, OrvPDCElementFromAccount), "1013/3/55 [01.05|Crediti verso clienti|2nd]");
    EXPECT_EQ(setPDC(1013, OrvPDCElementFromPDC), "1013/2/0 [01.05|Crediti verso clienti|2nd]");
    // Nothing found (1100 is a branch of chart 2), or no id: everything cleared, the type kept.
    EXPECT_EQ(setPDC(9999, OrvLeaf), "0/0/0 [||]");
    EXPECT_EQ(setPDC(1100, OrvPDCElementFromPDC), "0/2/0 [||]");
    EXPECT_EQ(setPDC(0, OrvBranch), "0/1/0 [||]");
    EXPECT_EQ(setPDC(-5, OrvPDCElementFromPDC), "0/2/0 [||]");
    EXPECT_EQ(setPDC(101, 4), "77/4/55 [old|name|2nd]"); // an unknown type loads nothing but is stored

    // No account with a branch's id: the branch is loaded whatever the type asked.
    field->setIDPDC(2);
    EXPECT_EQ(setPDC(1102, OrvLeaf), "1102/0/0 [02-1|Clienti|2nd]");
    EXPECT_EQ(setPDC(1102, OrvPDCElementFromAccount), "1102/3/0 [02-1|Clienti|2nd]");

    // Errors reach the host.
    field->setIDPDC(1);
    execute(QStringLiteral("UPDATE ElementoPDC SET ElementoPDC = NULL WHERE IDElementoPDC = 1013"));
    EXPECT_EQ(errorNumberOf([&] { setPDC(101, OrvBranch); }),
              kErrInvalidUseOfNull);                                        // the branch name as it is
    EXPECT_EQ(setPDC(1013, OrvPDCElementFromPDC), "1013/2/0 [01.05||2nd]"); // through NullToValue
    field->setConnection(nullptr);
    EXPECT_EQ(errorNumberOf([&] { field->setIDNode(5); }), kErrNoConnection);
}

TEST_P(AccountsField, EveryStatementOrRowReadThatFailsReachesTheHost)
{
    // Each accounting method and loader runs once clean, then once for every statement and row
    // read it makes failing in turn (and one past the last): a fault is the error of the call
    // (3000), a run past the last fault gives what the clean run gave, and the same call made
    // again afterwards does too.
    auto faulting = std::make_shared<FaultingConnection>(db);
    const auto totals = [&](auto method, std::int32_t id, std::int16_t type) {
        return [=, this] {
            Currency dare = Currency::fromRaw(77700), avere = Currency::fromRaw(88800);
            std::int32_t account = id, year = 2026, periodo = 5;
            std::int16_t kind = type, mese = 3, anno = 2026;
            (field.get()->*method)(account, kind, dare, avere, year, mese, anno, periodo);
            return dare.toText() + u'/' + avere.toText();
        };
    };
    const auto chartTotals = [&](std::int16_t type, std::int16_t category) {
        return [=, this] {
            Currency dare, avere;
            std::int32_t year = 2026, periodo = 5;
            std::int16_t kind = type, categoria = category, mese = 3, anno = 2026;
            field->sbCalcolaTotaleProgressiviConti(kind, categoria, dare, avere, year, mese, anno, periodo);
            return dare.toText() + u'/' + avere.toText();
        };
    };
    const auto loader = [&](OrvTypeSearchACS searchType, std::function<void()> load) {
        return [=, this] {
            field->setSearchType(searchType);
            load();
            return look();
        };
    };
    const auto setPDC = [&](std::int32_t id, OrvNodeType type) {
        return loader(OrvSearchAccounts, [=, this] {
            std::int32_t asked = id;
            OrvNodeType nodeType = type;
            field->SetPDC(asked, nodeType);
        });
    };
    const auto loadCF = [&](std::int32_t anagrafica, std::int32_t conto, std::int32_t elemento) {
        return loader(OrvSearchAccounts, [=, this] {
            std::int32_t a = anagrafica, c = conto, e = elemento;
            field->sbLoadCF(a, c, e);
        });
    };
    const std::vector<std::pair<const char *, std::function<QString()>>> actions{
        {"fnGetCodificaConto 101",
         [&] {
             std::int32_t id = 101;
             return field->fnGetCodificaConto(id);
         }},
        {"sbCalcolaProgressiviConto year", totals(&OrvSearchACS2::sbCalcolaProgressiviConto, 101, 0)},
        {"sbCalcolaProgressiviConto month", totals(&OrvSearchACS2::sbCalcolaProgressiviConto, 101, 1)},
        {"sbCalcolaProgressiviGruppo 1001", totals(&OrvSearchACS2::sbCalcolaProgressiviGruppo, 1001, 0)},
        {"sbCalcolaProgressiviGruppo 1013", totals(&OrvSearchACS2::sbCalcolaProgressiviGruppo, 1013, 2)},
        {"sbCalcolaTotaleProgressiviConti all", chartTotals(0, -1)},
        {"sbCalcolaTotaleProgressiviConti category", chartTotals(1, 1)},
        {"SetPDC account", setPDC(101, OrvLeaf)},
        {"SetPDC branch of account", setPDC(101, static_cast<OrvNodeType>(3))},
        {"SetPDC branch", setPDC(1013, OrvBranch)},
        {"sbLoadCF account", loadCF(1, 101, 0)},
        {"sbLoadCF branch", loadCF(0, 0, 1013)},
        {"sbLoadAG", loader(OrvSearchAgents,
                            [this] {
                                std::int32_t id = 40;
                                field->sbLoadAG(id);
                            })},
        {"sbLoadCFByCodifica", loader(OrvSearchCustomers, [this] { field->sbLoadCFByCodifica(0, "C001"); })},
        {"sbLoadCFByIDAnagrafica",
         loader(OrvSearchSuppliers, [this] { field->sbLoadCFByIDAnagrafica(1, 5); })},
        {"sbLoadCFByIDAnagrafica all",
         loader(OrvSearchAllAnagraphics, [this] { field->sbLoadCFByIDAnagrafica(0, 70); })},
    };
    QStringList points;
    for (const auto &[name, action] : actions) {
        const QString cleanRun = runAtEveryFault(
            *faulting, points, QLatin1String(name),
            [&] {
                field = std::make_unique<OrvSearchACS2>(); // no branch code remembered
                field->setConnection(faulting);
                field->setIDFirm(1);
                field->setIDPDC(1);
                preset(77, 55);
            },
            [&] { return textOf(action); },
            [&](const QString &outcome, const QString &clean, bool fired) {
                EXPECT_EQ(outcome, fired ? QStringLiteral("#3000") : clean);
                EXPECT_FALSE(work().bRicercaInCorso);
                EXPECT_EQ(textOf(action), clean) << "called again";
            });
        EXPECT_FALSE(cleanRun.startsWith(u'#')) << name << ' ' << cleanRun.toStdString();
    }
    printFaultPoints(points);
}

// --- The loaders ------------------------------------------------------------------------------

TEST_P(AccountsField, LoadCFWritesDirectlyWithoutEvents)
{
    const auto loadCF = [&](const std::int32_t anagrafica, std::int32_t conto, std::int32_t elemento) {
        preset(77, 55);
        std::int32_t asked = anagrafica;
        field->sbLoadCF(asked, conto, elemento);
        EXPECT_EQ(asked, anagrafica);
        return shown();
    };
    EXPECT_EQ(loadCF(0, 0, 1013), "1013/0/55 [01.05|Crediti verso clienti|2nd]");
    // A branch the chart does not hold: the id is taken, the name kept, the code emptied.
    EXPECT_EQ(loadCF(0, 0, 9999), "9999/0/55 [|name|2nd]");
    EXPECT_EQ(loadCF(1, 101, 0), "101/0/1 [01.05.001|Rossi Mario|2nd]");
    EXPECT_EQ(loadCF(7, 9, 1013), "9/0/0 [01.10.002|Banca Emiliana c/c|2nd]");
    // An account without a code in this chart: only the code box changes.
    EXPECT_EQ(loadCF(1, 14, 0), "77/0/55 [|name|2nd]");
    EXPECT_EQ(loadCF(1, 303, 0), "77/0/55 [|name|2nd]");
    // Nothing to load: only the edit flags are cleared.
    EXPECT_EQ(loadCF(1, 0, 1013), "77/0/55 [old|name|2nd]");
    EXPECT_EQ(loadCF(0, 101, 0), "77/0/55 [old|name|2nd]");
}

TEST_P(AccountsField, LoadAGLoadsAgentsAndClerksOrClearsThroughTheProperties)
{
    const auto loadAG = [&](OrvTypeSearchACS searchType, std::int32_t anagrafica) {
        field->setSearchType(searchType);
        preset(0, 99);
        field->sbLoadAG(anagrafica);
        return shown();
    };
    EXPECT_EQ(loadAG(OrvSearchAgents, 40), "0/0/40 [A01|Moretti|Paolo] ChangedElement");
    EXPECT_EQ(loadAG(OrvSearchAgents, 41), "0/0/41 [A01|Sartori|Claudio] ChangedElement");
    EXPECT_EQ(loadAG(OrvSearchClerks, 44), "0/0/44 [I01|Pellegrini|Marta] ChangedElement");
    EXPECT_EQ(loadAG(OrvSearchAgentsAndClerks, 44), "0/0/44 [I01|Pellegrini|Marta] ChangedElement");
    EXPECT_EQ(loadAG(OrvSearchAgentsForCustomer, 42), "0/0/42 [A02|Villa|Roberto] ChangedElement");
    // A clerk on an agents field, an agent on a clerks field, a deleted agent: cleared.
    const char *const cleared =
        "0/0/0 [||] IDNode, ChangedElement, IDAnagrafica, Code, Description, SecondDescription";
    EXPECT_EQ(loadAG(OrvSearchAgents, 44), cleared);
    EXPECT_EQ(loadAG(OrvSearchClerks, 40), cleared);
    EXPECT_EQ(loadAG(OrvSearchAgents, 46), cleared);
    // Not an agents field, or no id: only the edit flags change.
    EXPECT_EQ(loadAG(OrvSearchCustomers, 40), "0/0/99 [old|name|2nd]");
    EXPECT_EQ(loadAG(OrvSearchAgents, 0), "0/0/99 [old|name|2nd]");

    field->setFilter(QStringLiteral(" Anagrafica.Nome <> 'x'")); // the host's filter is added
    EXPECT_EQ(loadAG(OrvSearchClerks, 44), "0/0/44 [I01|Pellegrini|Marta] ChangedElement");
    field->setFilter(QStringLiteral(" Anagrafica.Nome <> 'Marta'"));
    EXPECT_EQ(loadAG(OrvSearchClerks, 44), cleared);
}

TEST_P(AccountsField, ByCodeLoadsDirectlyAndRaisesChangedElementItself)
{
    const auto byCode = [&](std::int16_t kind, const char *code) {
        preset(77, 99, false);
        work().bCodiceModificato = true; // the flags come back as they were
        field->sbLoadCFByCodifica(kind, QString::fromUtf8(code));
        return shown();
    };
    field->setSearchType(OrvSearchCustomers);
    EXPECT_EQ(byCode(0, " C001 "), "101/0/1 [C001*|Rossi|2nd] ChangedElement");
    EXPECT_EQ(byCode(0, "c001"), "101/0/1 [C001*|Rossi|2nd] ChangedElement");
    EXPECT_EQ(byCode(1, "F009"), "209/0/5 [F009*|Ferrari Impianti S.n.c.|2nd] ChangedElement");
    EXPECT_EQ(byCode(2, "CO01"), "77/0/50 [CO01*|Barbieri|Silvia] ChangedElement");
    EXPECT_EQ(byCode(3, "A02"), "77/0/42 [A02*|Villa|Roberto] ChangedElement");
    // Unknown code: an agent field is cleared through the properties, the others keep all.
    // Clearing Code by property on an unedited description runs the change handling once more.
    EXPECT_EQ(byCode(3, "ZZ"),
              "0/0/0 [*|*|] IDNode, ChangedElement, IDAnagrafica, IDNode, IDAnagrafica, Code, "
              "Description, SecondDescription");
    // C018 is deleted; only spaces are blanks, so a tab or a non-breaking space stays in the code.
    for (const char *code : {"ZZ", "C'1", "C018", "C001\t", "C001\u00a0"})
        EXPECT_EQ(byCode(0, code), "77/0/99 [old*|name|2nd]") << code;
    EXPECT_EQ(byCode(4, "C001"), "77/0/99 [old*|name|2nd]");
    EXPECT_TRUE(recorder->sqlTexts().isEmpty()); // an unknown kind asks nothing

    // The block filter holds for customers only, on either side.
    field->setAttivaFiltroBlocco(true);
    EXPECT_EQ(byCode(0, "C007"), "77/0/99 [old*|name|2nd]");                   // blocked
    EXPECT_EQ(byCode(0, "C012"), "112/0/12 [C012*|Bruno|2nd] ChangedElement"); // Null: not blocked
    field->setBloccoEmissioneDoc(true);
    EXPECT_EQ(byCode(0, "C019"), "119/0/19 [C019*|Rizzo|2nd] ChangedElement"); // -1: blocked
    EXPECT_EQ(byCode(0, "C001"), "77/0/99 [old*|name|2nd]");
    EXPECT_EQ(byCode(1, "F001"),
              "201/0/30 [F001*|Acciaierie Lombarde S.p.A.|2nd] ChangedElement"); // no block
}

TEST_P(AccountsField, ByRegistryIdLoadsWithoutAnEventOfItsOwn)
{
    const auto byId = [&](std::int32_t node, std::int16_t kind, std::int32_t anagrafica) {
        preset(node, 0, true, {});
        field->sbLoadCFByIDAnagrafica(kind, anagrafica);
        return shown();
    };
    field->setSearchType(OrvSearchCustomers);
    EXPECT_EQ(byId(0, 0, 1), "101/0/1 [C001|Rossi|Mario]");
    // Agents and collaborators have no account: the node stays.
    EXPECT_EQ(byId(7, 3, 42), "7/0/42 [A02|Villa|Roberto]");
    EXPECT_EQ(byId(7, 2, 51), "7/0/51 [CO02|Testa|Andrea]");
    EXPECT_EQ(byId(0, 1, 5), "209/0/5 [F009|Ferrari Impianti S.n.c.|]");
    // Not found: nothing changes, the edit flags included.
    work().bDescrizioneModificata = true;
    field->sbLoadCFByIDAnagrafica(0, 30);
    EXPECT_EQ(shown(), "209/0/5 [F009|Ferrari Impianti S.n.c.*|]");

    // An unknown kind fails in the database and changes nothing.
    preset(0, 9, false, {"old"});
    EXPECT_NE(errorNumberOf([&] { field->sbLoadCFByIDAnagrafica(4, 1); }), 0);
    EXPECT_EQ(shown(), "0/0/9 [old||]");

    // On a resolved field the first box written is an edit: it forgets customer 2 first.
    preset(102, 2, false, {"C002", "Rossini Forniture S.r.l."});
    field->sbLoadCFByIDAnagrafica(0, 1);
    EXPECT_EQ(shown(), "101/0/1 [C001|Rossi|Mario] IDNode, ChangedElement, IDAnagrafica");

    // Registry entries: the kind is not read, and the code box is left to the change handling,
    // which empties it when the boxes were unedited.
    field->setSearchType(OrvSearchAllAnagraphics);
    preset(0, 0, true, {"kept?"});
    field->sbLoadCFByIDAnagrafica(7, 70);
    EXPECT_EQ(shown(), "0/0/70 [kept?|Banca Emiliana di Credito Cooperativo|]");
    preset(0, 0, false, {"gone"});
    field->sbLoadCFByIDAnagrafica(0, 71);
    EXPECT_EQ(shown(), "0/0/71 [|Comune di Bologna|] IDNode, IDAnagrafica");
}

TEST_P(AccountsField, LoadNodeShowsTheChosenAccountOrBranch)
{
    const auto loadNode = [&](std::int16_t type, std::int32_t id) {
        accounting::sbLoadNode(context(), type, id);
        return shown();
    };
    EXPECT_EQ(loadNode(0, 101),
              "101/0/1 [01.05.001|Rossi Mario|] IDAnagrafica, ChangedElement, IDNode, IDAnagrafica");
    EXPECT_TRUE(work().bRicercaInCorso);
    field->setIDPDC(2);
    context().storeNodeType(OrvBranch);
    EXPECT_EQ(loadNode(1, 1104), "1104/1/0 [03|PASSIVO|] IDPDC, ChangedElement, IDNode");
    // A missing row is the caller's error.
    EXPECT_EQ(errorNumberOf([&] { loadNode(1, 9999); }), kErrNoCurrentRow);
    EXPECT_EQ(errorNumberOf([&] { loadNode(0, 9999); }), kErrNoCurrentRow);
}

// --- The chart path of the lookup by code ---------------------------------------------------

TEST_P(AccountsField, ChartCodeResolvesOrRefusesTheTypedCode)
{
    EXPECT_EQ(resolve("01.05.001"), "101/0/1 [01.05.001|Rossi Mario|2nd]");
    EXPECT_EQ(resolve(" 01.01.01.003 "), "3/0/0 [01.01.01.003|Attrezzature industriali|2nd]");
    EXPECT_EQ(resolve("00.02"), "57/0/0 [00.02|Stato patrimoniale di chiusura|2nd]");
    // Refused after an account segment, on an unknown top segment, a separator at the end: the ids
    // reset and both descriptions emptied.
    EXPECT_EQ(resolve("01.05.001.7"), "0/0/0 [01.05.001.7*|*|] / no account");
    EXPECT_EQ(resolve("05.001"), "0/0/0 [05.001*|*|] / no account");
    EXPECT_EQ(resolve("01.05."), "0/0/0 [01.05.*|*|] / no account");
    EXPECT_EQ(resolve(" 01.99 "), "0/0/0 [ 01.99 *|*|] / no account");
    EXPECT_EQ(resolve("01.05.1"), "0/0/0 [01.05.1*|*|] / no account");

    field->setIDPDC(2);
    EXPECT_EQ(resolve("01.7"), "0/0/0 [01.7*|*|] / no account");
    EXPECT_EQ(resolve("01-7"), "301/0/0 [01-7|Prestazioni grafiche|2nd]");
    EXPECT_EQ(resolve("02-1"), "1102/1/0 [02-1|Clienti|2nd]");
    EXPECT_EQ(resolve("03"), "1104/1/0 [03|PASSIVO|2nd]");

    // Without a separator the code is one segment; a step that fails is skipped.
    field->setIDPDC(1);
    work().sSeparatoreCodifica.clear();
    EXPECT_EQ(resolve("01.05"), "0/1/0 [01.05*|*|] / no account"); // not branch 01.05
    EXPECT_EQ(resolve("01"), "1001/1/0 [01|ATTIVITA'|2nd]");

    work().sSeparatoreCodifica = QStringLiteral(".");
    recorder->failOnStatement(2); // the second segment
    EXPECT_EQ(resolve("01.05.001"), "0/1/0 [01.05.001*|*|] / no account");
    field->setConnection(nullptr);
    EXPECT_EQ(resolve("01.05.001"), "0/1/0 [01.05.001*|*|] / no account");
}

TEST_P(AccountsField, ChartCodeOfTheWrongKindIsRefusedAndKeepsTheDescriptions)
{
    field->setIDSearchTypeConto(OrvSuppliersAccounts);
    EXPECT_EQ(resolve("01.05.001"), "0/0/0 [01.05.001*|name*|2nd] / no account");
    EXPECT_EQ(resolve("02.10.009"), "209/0/5 [02.10.009|Ferrari Impianti S.n.c.|2nd]");
    EXPECT_EQ(take(), "IDAnagrafica, ChangedElement, IDNode, IDAnagrafica"); // loaded through IDNode

    field->setIDPDC(2);
    field->setIDSearchTypeRamo(OrvLiabilitiesBranch);
    EXPECT_EQ(resolve("02-1"), "0/0/0 [02-1*|name*|2nd] / no account");
    EXPECT_EQ(resolve("03"), "1104/1/0 [03|PASSIVO|2nd]");
    EXPECT_EQ(resolve("03-1"), "0/1/0 [03-1*|name*|2nd] / no account"); // a supplier branch; NodeType stays

    field->setOnlyAccounts(true);
    EXPECT_EQ(resolve("03"), "0/1/0 [03*|name*|2nd] / E' obbligatorio selezionare un conto.");
    EXPECT_EQ(resolve("03-1-001"), "307/0/62 [03-1-001|Cancelleria Moderna S.r.l.|2nd]");
}

ORV_ON_EVERY_ENGINE(AccountsField);

} // namespace
} // namespace orv::test
