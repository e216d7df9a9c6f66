#include "MenuSearch.h"

#include "LookupSupport.h"
#include "QueryBuilders.h"
#include "data/DbUtility.h"
#include "field/OrvEnums.h"
#include "platform/Services.h"

namespace orv::lookup {

namespace {

void addPickerColumns(SearchPicker &picker, std::int16_t iType, std::int32_t searchType)
{
    if (iType == 0) {
        addColumns(picker, {{"Codice", "Codice"}, {"Anagrafica", "Anagrafica"}});
    } else {
        addColumns(picker, {{"Anagrafica", "Anagrafica"}});
        if (searchType != OrvSearchAllAnagraphics)
            addColumns(picker, {{"Codice", "Codice"}});
    }
    addColumns(picker, {{"Nome", "Nome"}});
    if (searchType == OrvSearchAgentsAndClerks)
        addColumns(picker, {{"Tipo", "TipoAgente"}});
    addColumns(picker, {{"Codice Fiscale", "CodiceFiscale"}, {"Partita IVA", "PartitaIva"}});
    switch (searchType) {
    case OrvSearchAgents:
    case OrvSearchClerks:
    case OrvSearchAgentsAndClerks:
        addColumns(picker, {{"Codice Enasarco", "Enasarco"}});
        break;
    case OrvSearchCustomersForAgent:
        addColumns(picker, {{"Codice Agente", "CodiceAgente"},
                            {"Codice Enasarco", "Enasarco"},
                            {"Agente", "CognomeAgente"},
                            {"Nome Agente", "NomeAgente"}});
        picker.KeyField(QStringLiteral("Anagrafica.IDAnagrafica"));
        break;
    case OrvSearchAgentsForCustomer:
        addColumns(picker, {{"Codice Cliente", "CodiceCliente"},
                            {"Cognome Cliente", "CognomeCliente"},
                            {"Nome Cliente", "NomeCliente"}});
        picker.KeyField(QStringLiteral("Agente.IDAnagrafica"));
        break;
    case OrvSearchCustomers:
    case OrvSearchSuppliers:
        addColumns(picker, {{"Indirizzo", "Indirizzo"},
                            {"CAP", "Cap"},
                            {"Comune", "Comune"},
                            {"Provincia", "Provincia"},
                            {"Nazione", "Nazione"}});
        break;
    default:
        break;
    }
}

bool bringsItsAccount(std::int32_t searchType)
{
    return searchType == OrvSearchCustomers || searchType == OrvSearchSuppliers ||
           searchType == OrvSearchAccounts || searchType == OrvSearchCustomersForAgent;
}

} // namespace

void sbCallFromMenuSearch(FieldContext &field, std::int16_t iType, const QString &sCodiceCF)
{
    const ControlState &s = field.state();
    FieldWork &w = field.work();
    // Set for the whole search and cleared on its normal way out: a search that fails leaves it
    // set, and the next lookup of a box then only clears it.
    w.bRicercaInCorso = true;

    // Every entry of the type: the text only tells the list where to start.
    const QString sql = fnSQLCodiceSearch(s, kModeAllRows, sCodiceCF, false);
    std::unique_ptr<SearchPicker> picker = services::pickers().create(field.dialogParent());
    picker->SearchText(sCodiceCF);
    picker->Connection(s.Connection);
    picker->Caption(s.CaptionSearch);
    picker->QueryText(sql);
    addPickerColumns(*picker, iType, s.SearchType);

    CurrentResultSet rs;
    rs.take(picker->Pick());
    if (rs.hasRow()) {
        if (bringsItsAccount(s.SearchType))
            field.setIDNodeProperty(parsedIdOf(*rs, QStringLiteral("IDPDCContabile")));
        if (s.SearchType != OrvSearchAllAnagraphics)
            field.setBoxText(0, textOf(*rs, QStringLiteral("Codice")));
        field.setBoxText(1, textOf(*rs, QStringLiteral("Anagrafica")));
        field.setBoxText(2, textOf(*rs, QStringLiteral("Nome")));
        field.setIDAnagraficaProperty(longOf(*rs, QStringLiteral("IDAnagrafica")));
        w.bCodiceModificato = false;
        w.bDescrizioneModificata = false;
    }
    rs.close();
    picker.reset();

    ignoringErrors([&] { field.setFocusToBox(iType == 0 ? 0 : 1); });
    w.bRicercaInCorso = false;
}

} // namespace orv::lookup
