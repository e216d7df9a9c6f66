#include "DescriptionLookup.h"

#include "AccountSearch.h"
#include "LookupSupport.h"
#include "QueryBuilders.h"
#include "field/OrvEnums.h"

namespace orv::lookup {

namespace {

void addPickerColumns(SearchPicker &picker, std::int32_t searchType)
{
    switch (searchType) {
    case OrvSearchAgents:
    case OrvSearchClerks:
    case OrvSearchAgentsAndClerks:
        addColumns(picker, {{"Anagrafica", "Anagrafica"}, {"Codice", "Codice"}, {"Nome", "Nome"}});
        if (searchType == OrvSearchAgentsAndClerks)
            addColumns(picker, {{"Tipo", "TipoAgente"}});
        addColumns(picker, {{"Codice Enasarco", "Enasarco"},
                            {"Codice Fiscale", "CodiceFiscale"},
                            {"Partita Iva", "PartitaIva"}});
        break;
    case OrvSearchAgentsForCustomer:
        addColumns(picker, {{"Cognome", "Anagrafica"},
                            {"Nome", "Nome"},
                            {"Codice", "Codice"},
                            {"Codice Cliente", "CodiceCliente"},
                            {"Cognome Cliente", "CognomeCliente"},
                            {"Nome Cliente", "NomeCliente"},
                            {"Codice Fiscale", "CodiceFiscale"},
                            {"Partita IVA", "PartitaIva"}});
        break;
    case OrvSearchCollaborators:
        addColumns(picker, {{"Anagrafica", "Anagrafica"},
                            {"Codice", "Codice"},
                            {"Nome", "Nome"},
                            {"Codice Fiscale", "CodiceFiscale"},
                            {"Partita Iva", "PartitaIva"}});
        break;
    case OrvSearchCustomersForAgent:
        addColumns(picker, {{"Anagrafica", "Anagrafica"},
                            {"Codice", "Codice"},
                            {"Nome", "Nome"},
                            {"Codice Fiscale", "CodiceFiscale"},
                            {"Partita Iva", "PartitaIva"},
                            {"Codice Agente", "CodiceAgente"},
                            {"Codice Enasarco", "Enasarco"},
                            {"Agente", "CognomeAgente"},
                            {"Nome Agente", "NomeAgente"}});
        break;
    case OrvSearchAllAnagraphics:
        addColumns(picker, {{"Anagrafica", "Anagrafica"},
                            {"Nome", "Nome"},
                            {"Codice Fiscale", "CodiceFiscale"},
                            {"Partita Iva", "PartitaIva"}});
        break;
    default: // customers, suppliers, and accounts restricted to a type
        addColumns(picker, {{"Anagrafica", "Anagrafica"},
                            {"Codice", "Codice"},
                            {"Nome", "Nome"},
                            {"Codice Fiscale", "CodiceFiscale"},
                            {"Partita Iva", "PartitaIva"}});
        if (searchType == OrvSearchCustomers || searchType == OrvSearchSuppliers)
            addColumns(picker, {{"Indirizzo", "Indirizzo"},
                                {"CAP", "Cap"},
                                {"Comune", "Comune"},
                                {"Provincia", "Provincia"},
                                {"Nazione", "Nazione"}});
        break;
    }
}

// With no match, the types whose picker lists every entry instead of the empty match.
bool listsAllWhenNothingMatches(std::int32_t searchType)
{
    switch (searchType) {
    case OrvSearchAgents:
    case OrvSearchCollaborators:
    case OrvSearchClerks:
    case OrvSearchAgentsAndClerks:
    case OrvSearchAllAnagraphics:
        return true;
    default:
        return false;
    }
}

void registryPath(FieldContext &field)
{
    const ControlState &s = field.state();
    FieldWork &w = field.work();
    DbConnection *const connection = s.Connection.get();
    const bool hasCode = s.SearchType != OrvSearchAllAnagraphics;
    RunPicker picker(field);
    CurrentResultSet rs;
    QString sql;
    std::int32_t n = 0;

    ignoringErrors([&] {
        sql = fnSQLDescrizioneSearch(s, kModeCount, field.boxText(1));
        rs.open(connection, sql);
        n = rs->Fields().Item(0).Value().toLong();
    });
    if (n == 1) {
        ignoringErrors([&] {
            sql = fnSQLDescrizioneSearch(s, kModeRows, field.boxText(1));
            rs.open(connection, sql);
        });
    } else {
        if (n > 1) {
            ignoringErrors([&] { sql = fnSQLDescrizioneSearch(s, kModeAllRows, field.boxText(1)); });
            ignoringErrors([&] { picker.get().SearchText(field.boxText(1)); });
        } else {
            const std::int16_t mode = listsAllWhenNothingMatches(s.SearchType) ? kModeAllRows : kModeRows;
            ignoringErrors([&] { sql = fnSQLDescrizioneSearch(s, mode, field.boxText(1)); });
        }
        ignoringErrors([&] { picker.get().Connection(s.Connection); });
        ignoringErrors([&] { picker.get().QueryText(sql); });
        ignoringErrors([&] { addPickerColumns(picker.get(), s.SearchType); });
        if (s.SearchType == OrvSearchAgentsForCustomer)
            ignoringErrors([&] { picker.get().KeyField(QStringLiteral("Anagrafica.IDAnagrafica")); });
        ignoringErrors([&] { rs.take(picker.get().Pick()); });
    }

    if (rs.hasRow()) {
        if (hasCode)
            ignoringErrors([&] { field.setBoxText(0, textOf(*rs, QStringLiteral("Codice"))); });
        ignoringErrors([&] { field.setBoxText(1, textOf(*rs, QStringLiteral("Anagrafica"))); });
        ignoringErrors([&] { field.setBoxText(2, textOf(*rs, QStringLiteral("Nome"))); });
        ignoringErrors([&] {
            field.setIDAnagraficaProperty(rs->Fields().Item(QStringLiteral("IDAnagrafica")).Value().toLong());
        });
        w.bDescrizioneModificata = false;
        w.bCodiceModificato = false;
        return;
    }
    // Nothing chosen: the field names nothing; the typed description stays to be corrected.
    if (hasCode)
        ignoringErrors([&] { field.setBoxText(0, QString()); });
    ignoringErrors([&] { field.setBoxText(2, QString()); });
    ignoringErrors([&] { field.sbResetIDs(); });
    ignoringErrors([&] { field.raiseErrorInLostFocus(); });
    ignoringErrors([&] { field.setFocusToBox(1); });
}

} // namespace

void sbDescrizioneSearch(FieldContext &field)
{
    const ControlState &s = field.state();
    FieldWork &w = field.work();
    if (w.bRicercaInCorso || !w.bDescrizioneModificata) {
        // Nothing to resolve; a call made while a lookup runs ends that lookup's suspension.
        w.bRicercaInCorso = false;
        return;
    }
    SearchInProgress running(w);

    bool blank = false;
    ignoringErrors([&] { blank = trimBlanks(field.boxText(1)).isEmpty(); });
    if (blank) {
        w.bDescrizioneModificata = false;
        w.bCodiceModificato = false;
        ignoringErrors([&] { field.raiseChangedElement(); });
        return;
    }
    if (s.SearchType == OrvSearchAccounts && s.IDSearchTypeConto == 0 && s.IDSearchTypeRamo == 0) {
        if (searchChartByDescription(field))
            running.handOver();
        return;
    }
    registryPath(field);
}

} // namespace orv::lookup
