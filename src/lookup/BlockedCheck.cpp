#include "BlockedCheck.h"

#include "CodeLookup.h"
#include "DescriptionLookup.h"
#include "LookupSupport.h"
#include "QueryBuilders.h"
#include "data/AnsiText.h"
#include "field/OrvEnums.h"

namespace orv::lookup {

QString checkAnagraficaSql(const ControlState &s, std::int32_t lIDAnagrafica, std::int16_t iKind)
{
    const QString id = QString::number(lIDAnagrafica);
    const QString firm = QString::number(s.IDFirm);
    QString sql;
    switch (iKind) {
    case kKindCustomer:
        sql = QStringLiteral("SELECT Anagrafica.IDAnagrafica, Cliente.Codice"
                             " FROM Anagrafica INNER JOIN Cliente"
                             " ON Anagrafica.IDAnagrafica = Cliente.IDAnagrafica"
                             " WHERE Anagrafica.IDAnagrafica = ") +
              id + QLatin1String(" AND Cliente.IDAzienda = ") + firm +
              QLatin1String(" AND Anagrafica.VirtualDelete = 0") + blockCondition(s);
        break;
    case kKindSupplier:
        sql = QStringLiteral("SELECT Anagrafica.IDAnagrafica, Fornitore.Codice"
                             " FROM Anagrafica INNER JOIN Fornitore"
                             " ON Anagrafica.IDAnagrafica = Fornitore.IDAnagrafica"
                             " WHERE Anagrafica.IDAnagrafica = ") +
              id + QLatin1String(" AND Fornitore.IDAzienda = ") + firm +
              QLatin1String(" AND Anagrafica.VirtualDelete = 0");
        break;
    case kKindAgent:
        sql = QStringLiteral("SELECT Anagrafica.IDAnagrafica, Agente.Codice"
                             " FROM Anagrafica"
                             " INNER JOIN Agente ON Anagrafica.IDAnagrafica = Agente.IDAnagrafica"
                             " WHERE Anagrafica.IDAnagrafica = ") +
              id + QLatin1String(" AND Agente.IDAzienda = ") + firm;
        if (s.SearchType == OrvSearchClerks)
            sql += QLatin1String(" AND Agente.IDTipoAgente = 2");
        else
            sql += QLatin1String(" AND (Agente.IDTipoAgente IS NULL OR Agente.IDTipoAgente = 1)");
        sql += QLatin1String(" AND Anagrafica.VirtualDelete = 0");
        break;
    case kKindCollaborator:
        sql = QStringLiteral("SELECT Anagrafica.IDAnagrafica, Collaboratore.Codice"
                             " FROM Anagrafica INNER JOIN Collaboratore"
                             " ON Anagrafica.IDAnagrafica = Collaboratore.IDAnagrafica"
                             " WHERE Anagrafica.IDAnagrafica = ") +
              id + QLatin1String(" AND Collaboratore.IDAzienda = ") + firm +
              QLatin1String(" AND Anagrafica.VirtualDelete = 0");
        break;
    case kKindRegistryEntry:
        sql = QStringLiteral("SELECT Anagrafica.IDAnagrafica, Anagrafica.Anagrafica"
                             " FROM Anagrafica "
                             " WHERE Anagrafica.IDAnagrafica = ") +
              id + QLatin1String(" AND Anagrafica.VirtualDelete = 0");
        break;
    default:
        return {};
    }
    return sql + filterCondition(s);
}

void sbCheckAnagrafica(FieldContext &field, std::int32_t lIDAnagrafica, std::int16_t &iKind)
{
    const ControlState &s = field.state();
    QString sql = checkAnagraficaSql(s, lIDAnagrafica, iKind);
    if (sql.isEmpty())
        return;
    CurrentResultSet rs;
    rs.open(s.Connection.get(), sql);
    if (rs->Eof() && rs->Bof())
        return;
    if (iKind == kKindRegistryEntry) {
        field.setBoxText(1, textOf(*rs, QStringLiteral("Anagrafica")));
        sbDescrizioneSearch(field);
    } else {
        field.setBoxText(0, textOf(*rs, QStringLiteral("Codice")));
        sbCodiceSearch(field);
    }
}

} // namespace orv::lookup
