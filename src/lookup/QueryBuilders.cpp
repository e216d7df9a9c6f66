#include "QueryBuilders.h"

#include "data/DbUtility.h"
#include "field/OrvEnums.h"

namespace orv::lookup {

namespace {

// The pieces of one registry statement, joined in this order: head, search condition,
// tail (the type's conditions that follow the search), caller's filter.
struct Statement {
    QString head;
    QString tail;
};

bool hasSearchCondition(std::int16_t mode)
{
    return mode == kModeRows || mode == kModeCount;
}

QString firm(const ControlState &s)
{
    return QString::number(s.IDFirm);
}

// Customers (customer = true) and suppliers: the address joins are left out of the count.
Statement customerOrSupplier(const ControlState &s, std::int16_t mode, bool customer)
{
    QString sql = QStringLiteral("SELECT");
    if (mode == kModeCount) {
        sql += QLatin1String(" count(*)");
    } else if (customer) {
        sql += QLatin1String(" Anagrafica.IDAnagrafica,"
                             " Anagrafica.Anagrafica,"
                             " Anagrafica.CodiceFiscale,"
                             " Anagrafica.PartitaIva,"
                             " Anagrafica.Nome,"
                             " Cliente.Codice,"
                             " Cliente.IDPDCContabile,"
                             " Anagrafica.Indirizzo,"
                             " Anagrafica.Cap,"
                             " Comune.Comune,"
                             " Provincia.Provincia,"
                             " Nazione.Nazione");
    } else {
        sql += QLatin1String(" Anagrafica.IDAnagrafica,"
                             " Anagrafica.Anagrafica,"
                             " Anagrafica.CodiceFiscale,"
                             " Anagrafica.PartitaIva,"
                             " Anagrafica.Nome,"
                             " Anagrafica.Indirizzo,"
                             " Fornitore.Codice,"
                             " Fornitore.IDPDCContabile,"
                             " Comune.CAP,"
                             " Comune.Comune,"
                             " Provincia.Provincia,"
                             " Nazione.Nazione");
    }
    if (customer) {
        sql += QLatin1String(" FROM Anagrafica"
                             " INNER JOIN Cliente ON Anagrafica.IDAnagrafica = Cliente.IDAnagrafica AND "
                             "Cliente.IDAzienda = ") +
               firm(s);
    } else {
        sql += QLatin1String(" FROM Anagrafica"
                             " INNER JOIN Fornitore ON Anagrafica.IDAnagrafica = Fornitore.IDAnagrafica AND "
                             "Fornitore.IDAzienda = ") +
               firm(s);
    }
    if (mode != kModeCount) {
        sql += QLatin1String(" LEFT JOIN Comune ON Anagrafica.IDComune = Comune.IDComune"
                             " LEFT JOIN Provincia ON Comune.IDProvincia = Provincia.IDProvincia"
                             " LEFT JOIN Nazione ON Anagrafica.IDNazione = Nazione.IDNazione");
    }
    sql += QLatin1String(" WHERE Anagrafica.VirtualDelete = 0");
    return {sql, customer ? blockCondition(s) : QString()};
}

// Agents (4), clerks (8), agents and clerks (9): the select list of both builders.
QString agentSelectList(const ControlState &s, std::int16_t mode)
{
    if (mode == kModeCount)
        return QStringLiteral(" COUNT(Agente.IDAnagrafica)");
    QString list = QStringLiteral(" Agente.IDAnagrafica,"
                                  " Agente.Codice,"
                                  " Agente.Enasarco,"
                                  " Anagrafica.CodiceFiscale,"
                                  " Anagrafica.PartitaIva,"
                                  " Anagrafica.Anagrafica,");
    if (s.SearchType == OrvSearchAgentsAndClerks)
        list += QLatin1String(" Anagrafica.Nome,"
                              " TipoAgente.TipoAgente");
    else
        list += QLatin1String(" Anagrafica.Nome");
    return list;
}

Statement agentsByCode(const ControlState &s, std::int16_t mode)
{
    QString sql = QStringLiteral("SELECT") + agentSelectList(s, mode);
    if (s.SearchType == OrvSearchAgentsAndClerks) {
        sql += QLatin1String(" FROM (Agente"
                             " INNER JOIN Anagrafica ON Anagrafica.IDAnagrafica = Agente.IDAnagrafica)"
                             " INNER JOIN TipoAgente ON TipoAgente.IDTipoAgente = Agente.IDTipoAgente"
                             " WHERE Anagrafica.VirtualDelete = 0"
                             " AND Agente.IDAzienda = ") +
               firm(s);
    } else {
        sql += QLatin1String(" FROM Agente"
                             " INNER JOIN Anagrafica ON Anagrafica.IDAnagrafica = Agente.IDAnagrafica"
                             " WHERE Anagrafica.VirtualDelete = 0"
                             " AND Agente.IDAzienda = ") +
               firm(s);
        if (s.SearchType == OrvSearchClerks)
            sql += QLatin1String(" AND Agente.IDTipoAgente = 2");
        else
            sql += QLatin1String(" AND (Agente.IDTipoAgente IS NULL OR Agente.IDTipoAgente = 1)");
    }
    return {sql, QStringLiteral(" AND Agente.Annullato = 0")};
}

Statement agentsByDescription(const ControlState &s, std::int16_t mode)
{
    QString sql = QStringLiteral("SELECT") + agentSelectList(s, mode);
    if (s.SearchType == OrvSearchAgentsAndClerks) {
        sql += QLatin1String(" FROM (Anagrafica"
                             " INNER JOIN Agente ON Anagrafica.IDAnagrafica = Agente.IDAnagrafica)"
                             " INNER JOIN TipoAgente ON TipoAgente.IDTipoAgente = Agente.IDTipoAgente"
                             " WHERE Agente.IDAzienda = ") +
               firm(s) + QLatin1String(" AND Anagrafica.VirtualDelete = 0");
    } else {
        sql += QLatin1String(" FROM Anagrafica"
                             " INNER JOIN Agente ON Anagrafica.IDAnagrafica = Agente.IDAnagrafica"
                             " WHERE Agente.IDAzienda = ") +
               firm(s) + QLatin1String(" AND Anagrafica.VirtualDelete = 0");
        if (s.SearchType == OrvSearchClerks)
            sql += QLatin1String(" AND Agente.IDTipoAgente = 2");
        else
            sql += QLatin1String(" AND (Agente.IDTipoAgente IS NULL OR Agente.IDTipoAgente =1)");
    }
    return {sql, QString()};
}

// Customers of an agent (5). The two builders differ only in the select list.
Statement customersForAgent(const ControlState &s, std::int16_t mode, bool byCode)
{
    QString sql = QStringLiteral("SELECT");
    if (mode == kModeCount) {
        sql += QLatin1String(" count(*)");
    } else if (byCode) {
        sql += QLatin1String(" Anagrafica.IDAnagrafica,"
                             " Anagrafica.Anagrafica ,"
                             " Anagrafica.CodiceFiscale ,"
                             " Anagrafica.PartitaIva ,"
                             " Anagrafica.Nome,"
                             " Cliente.Codice,"
                             " Cliente.IDPDCContabile AS IDPDCContabile,"
                             " Agente.Codice AS  CodiceAgente,"
                             " Agente.Enasarco,"
                             " AnagraficaAgente.Anagrafica AS CognomeAgente,"
                             " AnagraficaAgente.Nome AS NomeAgente");
    } else {
        sql += QLatin1String(" Anagrafica.IDAnagrafica ,"
                             " Anagrafica.Anagrafica , "
                             " Anagrafica.CodiceFiscale,"
                             " Anagrafica.PartitaIva ,"
                             " Anagrafica.Nome,"
                             " Cliente.Codice,"
                             " Cliente.IDPDCContabile,"
                             " Agente.Codice AS  CodiceAgente,"
                             " Agente.Enasarco,"
                             " AnagraficaAgente.Anagrafica AS CognomeAgente,"
                             " AnagraficaAgente.Nome AS NomeAgente");
    }
    sql += QLatin1String(" FROM"
                         " (((Anagrafica LEFT JOIN Cliente ON "
                         " Anagrafica.IDAnagrafica = Cliente.IDAnagrafica) "
                         " LEFT JOIN ProvvClienteAgente ON Cliente.IDAnagrafica = "
                         " ProvvClienteAgente.IDAnagraficaCliente) LEFT JOIN "
                         " Agente ON ProvvClienteAgente.IDAnagraficaAgente = "
                         " Agente.IDAnagrafica) LEFT JOIN Anagrafica AS "
                         " AnagraficaAgente ON Agente.IDAnagrafica = "
                         " AnagraficaAgente.IDAnagrafica"
                         " WHERE"
                         " Anagrafica.VirtualDelete = 0 "
                         " AND Cliente.IDAzienda = ") +
           firm(s) + QLatin1String(" AND Agente.IDAzienda = ") + firm(s);
    return {sql, QString()};
}

// Collaborators (6).
Statement collaborators(const ControlState &s, std::int16_t mode, bool byCode)
{
    QString sql = QStringLiteral("SELECT");
    if (mode == kModeCount)
        sql += QLatin1String(" count(*)");
    else if (byCode)
        sql += QLatin1String(" Anagrafica.IDAnagrafica,"
                             " Anagrafica,"
                             " CodiceFiscale,"
                             " PartitaIva,"
                             " Nome,"
                             " Codice");
    else
        sql += QLatin1String(" Anagrafica.IDAnagrafica,"
                             " Anagrafica,"
                             " Nome,"
                             " CodiceFiscale,"
                             " PartitaIva,"
                             " Codice");
    sql += QLatin1String(" FROM"
                         " Anagrafica,"
                         " Collaboratore"
                         " WHERE"
                         " Anagrafica.IDAnagrafica = Collaboratore.IDAnagrafica"
                         " AND Collaboratore.IDAzienda = ") +
           firm(s) + QLatin1String(" AND Anagrafica.VirtualDelete = 0");
    return {sql, QString()};
}

// Agents of a customer (7); the customer itself is narrowed by the caller's filter.
Statement agentsForCustomer(const ControlState &s, std::int16_t mode, bool byCode)
{
    QString sql = QStringLiteral("SELECT");
    if (mode == kModeCount) {
        sql += QLatin1String(" count(*)");
    } else {
        sql += QLatin1String(" Agente.Codice,"
                             " Anagrafica.Anagrafica,"
                             " Anagrafica.Nome,"
                             " Anagrafica.PartitaIva,"
                             " Anagrafica.CodiceFiscale,");
        sql += byCode ? QLatin1String(" Anagrafica.IDAnagrafica AS IDAnagrafica,")
                      : QLatin1String(" Anagrafica.IDAnagrafica,");
        sql += QLatin1String(" AnagraficaCliente.Anagrafica AS CognomeCliente,"
                             " AnagraficaCliente.Nome AS NomeCliente,"
                             " Cliente.Codice AS CodiceCliente");
    }
    if (byCode) {
        sql += QLatin1String(" FROM"
                             " ((ProvvClienteAgente RIGHT JOIN Agente "
                             " ON ProvvClienteAgente.IDAnagraficaAgente = "
                             " Agente.IDAnagrafica) INNER JOIN Anagrafica ON "
                             " Agente.IDAnagrafica = Anagrafica.IDAnagrafica) LEFT JOIN "
                             " (Cliente LEFT JOIN Anagrafica AS AnagraficaCliente ON "
                             " Cliente.IDAnagrafica = AnagraficaCliente.IDAnagrafica) "
                             " ON ProvvClienteAgente.IDAnagraficaCliente = "
                             " Cliente.IDAnagrafica"
                             " WHERE"
                             " Anagrafica.VirtualDelete = 0 "
                             " AND Agente.IDAzienda = ") +
               firm(s) + QLatin1String(" AND Cliente.IDAzienda = ") + firm(s);
    } else {
        sql += QLatin1String(" FROM"
                             " ((Anagrafica LEFT JOIN Agente ON Anagrafica.IDAnagrafica = "
                             " Agente.IDAnagrafica) LEFT JOIN ProvvClienteAgente ON "
                             " Agente.IDAnagrafica = ProvvClienteAgente.IDAnagraficaAgente) "
                             " LEFT JOIN (Cliente LEFT JOIN Anagrafica AS AnagraficaCliente "
                             " ON Cliente.IDAnagrafica = AnagraficaCliente.IDAnagrafica) ON "
                             " ProvvClienteAgente.IDAnagraficaCliente = Cliente.IDAnagrafica"
                             " WHERE"
                             " Agente.IDAzienda = ") +
               firm(s) + QLatin1String(" AND Cliente.IDAzienda = ") + firm(s) +
               QLatin1String(" AND Anagrafica.VirtualDelete = 0");
    }
    return {sql, QString()};
}

// All registry entries (10).
Statement allEntries(std::int16_t mode)
{
    QString sql = QStringLiteral("SELECT");
    if (mode == kModeCount)
        sql += QLatin1String(" count(*)");
    else
        sql += QLatin1String(" IDAnagrafica,"
                             " Anagrafica,"
                             " CodiceFiscale,"
                             " PartitaIva,"
                             " Nome");
    sql += QLatin1String(" FROM"
                         " Anagrafica"
                         " WHERE Anagrafica.VirtualDelete = 0");
    return {sql, QString()};
}

QString assemble(const ControlState &s, const Statement &statement, const QString &condition)
{
    return statement.head + condition + statement.tail + filterCondition(s);
}

// "<fragment>'<code>'" or "<fragment>'<code>%'" (the fragment ends in "= " or "LIKE ").
QString codeCondition(const char *exact, const char *like, const QString &code, bool useLike)
{
    if (useLike)
        return QLatin1String(like) + dbUtility().SqlText(trimBlanks(code + u'%'));
    return QLatin1String(exact) + dbUtility().SqlText(trimBlanks(code));
}

// "<fragment>'<text>%'": the literal of the trimmed text with its closing apostrophe
// replaced by "%'".
QString descriptionCondition(const char *fragment, const QString &text)
{
    QString condition = QLatin1String(fragment) + dbUtility().SqlText(trimBlanks(text));
    condition.chop(1);
    return condition + QLatin1String("%'");
}

} // namespace

QString blockCondition(const ControlState &s)
{
    if (!s.AttivaFiltroBlocco)
        return {};
    if (s.BloccoEmissioneDoc)
        return QStringLiteral(" AND Cliente.BloccoEmissioneDoc <> 0");
    return QStringLiteral(" AND (Cliente.BloccoEmissioneDoc IS NULL OR Cliente.BloccoEmissioneDoc = 0)");
}

QString filterCondition(const ControlState &s)
{
    if (!s.hasFilter())
        return {};
    return QStringLiteral(" AND ") + s.Filter;
}

QString fnSQLCodiceSearch(const ControlState &s, std::int16_t mode, const QString &code, bool useLike)
{
    const bool search = hasSearchCondition(mode);
    switch (s.SearchType) {
    case OrvSearchCustomers:
        return assemble(s, customerOrSupplier(s, mode, true),
                        search ? codeCondition(" AND Codice = ", " AND Codice LIKE ", code, useLike)
                               : QString());
    case OrvSearchAgents:
    case OrvSearchClerks:
    case OrvSearchAgentsAndClerks:
        return assemble(s, agentsByCode(s, mode),
                        search ? codeCondition(" AND Codice = ", " AND Codice LIKE ", code, useLike)
                               : QString());
    case OrvSearchCustomersForAgent:
        return assemble(s, customersForAgent(s, mode, true),
                        search ? codeCondition(" AND"
                                               " Cliente.Codice = ",
                                               " AND"
                                               " Cliente.Codice LIKE ",
                                               code, useLike)
                               : QString());
    case OrvSearchCollaborators:
        return assemble(s, collaborators(s, mode, true),
                        search ? codeCondition(" AND"
                                               " Codice = ",
                                               " AND"
                                               " Codice LIKE ",
                                               code, useLike)
                               : QString());
    case OrvSearchAgentsForCustomer:
        return assemble(s, agentsForCustomer(s, mode, true),
                        search ? codeCondition(" AND"
                                               " Agente.Codice = ",
                                               " AND"
                                               " Agente.Codice LIKE ",
                                               code, useLike)
                               : QString());
    case OrvSearchAllAnagraphics:
        return assemble(s, allEntries(mode), QString());
    default: // suppliers, and accounts and unknown types alike
        return assemble(s, customerOrSupplier(s, mode, false),
                        search ? codeCondition(" AND Codice = ", " AND Codice LIKE ", code, useLike)
                               : QString());
    }
}

QString fnSQLDescrizioneSearch(const ControlState &s, std::int16_t mode, const QString &text)
{
    const bool search = hasSearchCondition(mode);
    switch (s.SearchType) {
    case OrvSearchCustomers:
        return assemble(s, customerOrSupplier(s, mode, true),
                        search ? descriptionCondition(" AND"
                                                      " Anagrafica "
                                                      " LIKE ",
                                                      text)
                               : QString());
    case OrvSearchAgents:
    case OrvSearchClerks:
    case OrvSearchAgentsAndClerks:
        return assemble(s, agentsByDescription(s, mode),
                        search ? descriptionCondition(" AND Anagrafica LIKE ", text) : QString());
    case OrvSearchCustomersForAgent:
        return assemble(s, customersForAgent(s, mode, false),
                        search ? descriptionCondition(" AND"
                                                      " Anagrafica.Anagrafica "
                                                      " LIKE ",
                                                      text)
                               : QString());
    case OrvSearchCollaborators:
        return assemble(s, collaborators(s, mode, false),
                        search ? descriptionCondition(" AND"
                                                      " Anagrafica "
                                                      " LIKE ",
                                                      text)
                               : QString());
    case OrvSearchAgentsForCustomer:
        return assemble(s, agentsForCustomer(s, mode, false),
                        search ? descriptionCondition(" AND"
                                                      " Anagrafica.Anagrafica "
                                                      " LIKE ",
                                                      text)
                               : QString());
    case OrvSearchAllAnagraphics:
        return assemble(s, allEntries(mode),
                        search ? descriptionCondition(" AND"
                                                      " Anagrafica "
                                                      " LIKE ",
                                                      text)
                               : QString());
    default: // suppliers, and accounts and unknown types alike
        return assemble(s, customerOrSupplier(s, mode, false),
                        search ? descriptionCondition(" AND"
                                                      " Anagrafica "
                                                      " LIKE ",
                                                      text)
                               : QString());
    }
}

} // namespace orv::lookup
