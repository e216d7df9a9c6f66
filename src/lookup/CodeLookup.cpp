#include "CodeLookup.h"

#include "LookupSupport.h"
#include "QueryBuilders.h"
#include "accounting/ChartCodeLookup.h"
#include "field/OrvEnums.h"

namespace orv::lookup {

namespace {

const QString kIDAnagrafica = QStringLiteral("IDAnagrafica");

void addPickerColumns(SearchPicker &picker, std::int32_t searchType)
{
    switch (searchType) {
    case OrvSearchAgents:
    case OrvSearchClerks:
    case OrvSearchAgentsAndClerks:
        addColumns(picker, {{"Codice", "Codice"}, {"Anagrafica", "Anagrafica"}, {"Nome", "Nome"}});
        if (searchType == OrvSearchAgentsAndClerks)
            addColumns(picker, {{"Tipo", "TipoAgente"}});
        addColumns(picker, {{"Codice Enasarco", "Enasarco"},
                            {"Codice Fiscale", "CodiceFiscale"},
                            {"Partita IVA", "PartitaIva"}});
        break;
    case OrvSearchCustomersForAgent:
        addColumns(picker, {{"Codice", "Codice"},
                            {"Anagrafica", "Anagrafica"},
                            {"Nome", "Nome"},
                            {"Codice Fiscale", "CodiceFiscale"},
                            {"Partita IVA", "PartitaIva"},
                            {"Codice Agente", "CodiceAgente"},
                            {"Codice Enasarco", "Enasarco"},
                            {"Agente", "CognomeAgente"}});
        break;
    case OrvSearchAgentsForCustomer:
        addColumns(picker, {{"Codice", "Codice"},
                            {"Cognome", "Anagrafica"},
                            {"Nome", "Nome"},
                            {"Codice Cliente", "CodiceCliente"},
                            {"Cognome Cliente", "CognomeCliente"},
                            {"Nome Cliente", "NomeCliente"},
                            {"Codice Fiscale", "CodiceFiscale"},
                            {"Partita IVA", "PartitaIva"}});
        break;
    default: // customers, suppliers, collaborators
        addColumns(picker, {{"Codice", "Codice"},
                            {"Anagrafica", "Anagrafica"},
                            {"Nome", "Nome"},
                            {"Codice Fiscale", "CodiceFiscale"},
                            {"Partita IVA", "PartitaIva"}});
        break;
    }
}

// A code that stays unresolved: the field names nothing and the clerk goes back to the code.
void failureEnding(FieldContext &field)
{
    ignoringErrors([&] { field.sbResetIDs(); });
    ignoringErrors([&] { field.raiseErrorInLostFocus(); });
    ignoringErrors([&] { field.setFocusToBox(0); });
}

// Fills the field from the candidate row. Customers, suppliers and the agent/customer pairs
// bring their account in the field's chart along; it is set first, so that the texts written
// here are the ones that stay.
void fill(FieldContext &field, const DbResultSet &row)
{
    const ControlState &s = field.state();
    FieldWork &w = field.work();
    switch (s.SearchType) {
    case OrvSearchCustomers:
    case OrvSearchSuppliers:
    case OrvSearchCustomersForAgent:
    case OrvSearchAgentsForCustomer:
        ignoringErrors([&] {
            field.setIDNodeProperty(
                accounting::fnGetIDContoAnagrafica(field, parsedIdOf(row, kIDAnagrafica)));
        });
        break;
    default:
        break;
    }
    ignoringErrors([&] { field.setBoxText(0, textOf(row, QStringLiteral("Codice"))); });
    ignoringErrors([&] { field.setBoxText(1, textOf(row, QStringLiteral("Anagrafica"))); });
    ignoringErrors([&] { field.setBoxText(2, textOf(row, QStringLiteral("Nome"))); });
    w.bDescrizioneModificata = false;
    w.bCodiceModificato = false;
    ignoringErrors([&] { field.setIDAnagraficaProperty(longOf(row, kIDAnagrafica)); });
}

void registryPath(FieldContext &field)
{
    const ControlState &s = field.state();
    DbConnection *const connection = s.Connection.get();
    RunPicker picker(field);
    CurrentResultSet rs;
    QString sql;
    std::int32_t n = 0;
    bool candidateReady = false;

    // Exact matches.
    ignoringErrors([&] {
        sql = fnSQLCodiceSearch(s, kModeCount, field.boxText(0), false);
        rs.open(connection, sql);
        n = rs->Fields().Item(0).Value().toLong();
    });
    if (n == 1) {
        ignoringErrors([&] {
            sql = fnSQLCodiceSearch(s, kModeRows, field.boxText(0), false);
            rs.open(connection, sql);
        });
        candidateReady = true;
    } else if (n > 1) {
        ignoringErrors([&] { sql = fnSQLCodiceSearch(s, kModeAllRows, field.boxText(0), false); });
    } else {
        // No exact match: one code that starts with the text is taken as well.
        n = 0;
        ignoringErrors([&] {
            sql = fnSQLCodiceSearch(s, kModeCount, field.boxText(0), true);
            rs.open(connection, sql);
            n = rs->Fields().Item(0).Value().toLong();
        });
        if (n == 1) {
            ignoringErrors([&] {
                sql = fnSQLCodiceSearch(s, kModeRows, field.boxText(0), true);
                rs.open(connection, sql);
            });
            candidateReady = true;
        } else {
            ignoringErrors([&] { sql = fnSQLCodiceSearch(s, kModeAllRows, field.boxText(0), false); });
        }
    }

    if (!candidateReady) {
        // Several entries, or none: the clerk picks among all entries of the type. Until the
        // list hands its row back, the count stays the candidate.
        ignoringErrors([&] { picker.get().SearchText(field.boxText(0)); });
        ignoringErrors([&] { picker.get().Connection(s.Connection); });
        ignoringErrors([&] { picker.get().QueryText(sql); });
        ignoringErrors([&] { addPickerColumns(picker.get(), s.SearchType); });
        if (s.SearchType == OrvSearchAgentsForCustomer)
            ignoringErrors([&] { picker.get().KeyField(QStringLiteral("Agente.IDAnagrafica")); });
        ignoringErrors([&] { rs.take(picker.get().Pick()); });
    }

    if (rs.hasRow()) {
        fill(field, *rs);
    } else {
        ignoringErrors([&] { field.setBoxText(1, QString()); });
        ignoringErrors([&] { field.setBoxText(2, QString()); });
        failureEnding(field);
    }
}

} // namespace

void sbCodiceSearch(FieldContext &field)
{
    const ControlState &s = field.state();
    FieldWork &w = field.work();
    QString code;
    ignoringErrors([&] { code = trimBlanks(field.boxText(0)); });
    if (s.bRicercaInCorso) {
        // A lookup is already filling the field (a focus change during its picker or message
        // box): this call runs nothing, and ends that lookup's suspension of the edit rules.
        w.bRicercaInCorso = false;
        return;
    }
    const SearchInProgress running(w);
    if (!s.bCodiceModificato || code.isEmpty())
        return;

    switch (s.SearchType) {
    case OrvSearchAccounts: {
        bool resolved = false;
        ignoringErrors([&] { resolved = accounting::resolveChartCode(field, code); });
        if (!resolved)
            failureEnding(field);
        break;
    }
    case OrvSearchCustomers:
    case OrvSearchSuppliers:
    case OrvSearchAgents:
    case OrvSearchCustomersForAgent:
    case OrvSearchCollaborators:
    case OrvSearchAgentsForCustomer:
    case OrvSearchClerks:
    case OrvSearchAgentsAndClerks:
        registryPath(field);
        break;
    default: // registry entries of any role have no code
        break;
    }
}

} // namespace orv::lookup
