#pragma once

#include <QString>

namespace orv::test {

// All customers of company 1, as the search field hands them to the picking list.
inline const QString kCustomerListing = QStringLiteral(
    "SELECT Anagrafica.IDAnagrafica, Anagrafica.Anagrafica, Anagrafica.CodiceFiscale, Anagrafica.PartitaIva,"
    " Anagrafica.Nome, Cliente.Codice, Cliente.IDPDCContabile, Anagrafica.Indirizzo, Anagrafica.Cap,"
    " Comune.Comune, Provincia.Provincia, Nazione.Nazione"
    " FROM Anagrafica INNER JOIN Cliente ON Anagrafica.IDAnagrafica = Cliente.IDAnagrafica AND "
    "Cliente.IDAzienda = 1"
    " LEFT JOIN Comune ON Anagrafica.IDComune = Comune.IDComune"
    " LEFT JOIN Provincia ON Comune.IDProvincia = Provincia.IDProvincia"
    " LEFT JOIN Nazione ON Anagrafica.IDNazione = Nazione.IDNazione"
    " WHERE Anagrafica.VirtualDelete = 0");

} // namespace orv::test
