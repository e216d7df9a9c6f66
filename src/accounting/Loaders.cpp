#include "Loaders.h"

#include "AccountCodes.h"
#include "data/AnsiText.h"
#include "data/Blanks.h"
#include "data/DbUtility.h"
#include "field/FieldContext.h"

#include <QStringBuilder>

namespace orv::accounting {

namespace {

constexpr int kCode = 0;
constexpr int kDescription = 1;
constexpr int kSecondDescription = 2;

Variant column(const DbResultSet &rs, const char *name)
{
    return rs.Fields().Item(QLatin1String(name)).Value();
}
// A column through NullToValue, as text.
QString convertedText(const DbResultSet &rs, const char *name)
{
    return dbUtility().NullToValue(column(rs, name)).toText();
}
// A column through NullToValue, as an id: the leading number of its text, to the nearest Long.
std::int32_t convertedId(const DbResultSet &rs, const char *name)
{
    return leadingLong(dbUtility().NullToValue(column(rs, name)));
}

void setEditFlags(FieldWork &w, bool edited)
{
    w.bCodiceModificato = edited;
    w.bDescrizioneModificata = edited;
}

void emptyBoxes(FieldContext &ctx)
{
    ctx.setBoxText(kCode, QString());
    ctx.setBoxText(kDescription, QString());
    ctx.setBoxText(kSecondDescription, QString());
}

// The not-found ending of the agent loaders: ids and boxes cleared through the properties.
void clearThroughProperties(FieldContext &ctx)
{
    ctx.sbResetIDs();
    ctx.setBoxTextProperty(kCode, QString());
    ctx.setBoxTextProperty(kDescription, QString());
    ctx.setBoxTextProperty(kSecondDescription, QString());
}

// " AND " + Filter as stored, when it holds a non-blank character.
QString filterTail(const ControlState &s)
{
    return s.hasFilter() ? QStringLiteral(" AND ") + s.Filter : QString();
}

// For customers only, when the block filter is on.
QString blockTail(const ControlState &s, std::int16_t kind)
{
    if (kind != kKindCustomer || !s.AttivaFiltroBlocco)
        return QString();
    if (s.BloccoEmissioneDoc)
        return QStringLiteral(" AND Cliente.BloccoEmissioneDoc <> 0");
    return QStringLiteral(" AND (Cliente.BloccoEmissioneDoc IS NULL OR Cliente.BloccoEmissioneDoc = 0)");
}

const char *roleTable(std::int16_t kind)
{
    switch (kind) {
    case kKindCustomer:
        return "Cliente";
    case kKindSupplier:
        return "Fornitore";
    case kKindCollaborator:
        return "Collaboratore";
    case kKindAgent:
        return "Agente";
    default:
        return nullptr;
    }
}

// The query of an entity kind up to its key condition, which the caller appends. A kind outside
// 0 to 3 has no select list, no tables and no link, so the text is not a valid statement.
QString entityQueryHead(const ControlState &s, std::int16_t kind)
{
    QString sql;
    switch (kind) {
    case kKindCustomer:
    case kKindSupplier:
        sql = QStringLiteral("SELECT") % QLatin1String(" Anagrafica.IDAnagrafica,") %
              QLatin1String(" Anagrafica,") % QLatin1String(" CodiceFiscale,") %
              QLatin1String(" PartitaIva,") % QLatin1String(" Nome,") % QLatin1String(" Codice,") %
              QLatin1String(" IDPDCContabile") % QLatin1String(" FROM") % QLatin1String(" Anagrafica,") %
              QLatin1String(kind == kKindCustomer ? " Cliente" : " Fornitore");
        break;
    case kKindCollaborator:
        sql = QStringLiteral("SELECT") % QLatin1String(" Anagrafica.IDAnagrafica,") %
              QLatin1String(" Anagrafica,") % QLatin1String(" CodiceFiscale,") %
              QLatin1String(" PartitaIva,") % QLatin1String(" Nome,") % QLatin1String(" Codice") %
              QLatin1String(" FROM") % QLatin1String(" Anagrafica,") % QLatin1String(" Collaboratore");
        break;
    case kKindAgent:
        sql = QStringLiteral("SELECT") % QLatin1String(" Agente.IDAnagrafica,") %
              QLatin1String(" Agente.Codice,") % QLatin1String(" Agente.Enasarco,") %
              QLatin1String(" Anagrafica.CodiceFiscale,") % QLatin1String(" Anagrafica.PartitaIva,") %
              QLatin1String(" Anagrafica.Anagrafica,") % QLatin1String(" Anagrafica.Nome") %
              QLatin1String(" FROM") % QLatin1String(" Agente,") % QLatin1String(" Anagrafica");
        break;
    default:
        break;
    }
    sql += QLatin1String(" WHERE");
    if (const char *table = roleTable(kind)) {
        const QLatin1String role(table);
        sql += QLatin1String(" Anagrafica.IDAnagrafica = ") % role % QLatin1String(".IDAnagrafica") %
               QLatin1String(" AND ") % role % QLatin1String(".IDAzienda = ") % QString::number(s.IDFirm);
    }
    sql += QLatin1String(" AND Anagrafica.VirtualDelete = 0") % QLatin1String(" AND");
    return sql;
}

} // namespace

void SetPDC(FieldContext &ctx, std::int32_t &lID, std::int32_t iType)
{
    const ControlState &s = ctx.state();
    FieldWork &w = ctx.work();
    setEditFlags(w, true);
    std::unique_ptr<DbResultSet> rs;
    if (lID < 1) {
        ctx.storeIDNode(0);
        ctx.storeIDAnagrafica(0);
        emptyBoxes(ctx);
    } else {
        bool asBranch = iType == 2;
        if (iType == 0 || iType == 1 || iType == 3) {
            QString sql =
                QStringLiteral("SELECT") % QLatin1String(" ContoPDC,IDAnagrafica,") %
                QLatin1String(" ContoPerPDC.IDElementoPDC as IDRamo,") % QLatin1String(" ElementoPDC") %
                QLatin1String(" FROM") % QLatin1String(" ElementoPDC,") % QLatin1String(" ContoPerPDC,") %
                QLatin1String(" ContoPDC") % QLatin1String(" WHERE") % QLatin1String(" IDPianoDeiConti = ") %
                QString::number(s.IDPDC) % QLatin1String(" AND") %
                QLatin1String(" ContoPerPDC.IDElementoPDC = ElementoPDC.IDElementoPDC") %
                QLatin1String(" AND") % QLatin1String(" ContoPerPDC.IDContoPDC = ContoPDC.IDContoPDC") %
                QLatin1String(" AND") % QLatin1String(" ContoPDC.IDContoPDC = ") % QString::number(lID);
            rs = runSql(s.Connection.get(), sql);
            if (rs->Eof()) {
                asBranch = true;
            } else if (iType == 0) {
                ctx.setBoxText(kDescription, convertedText(*rs, "ContoPDC"));
                ctx.storeIDNode(lID);
                ctx.setIDAnagraficaProperty(convertedId(*rs, "IDAnagrafica"));
                ctx.setBoxText(kCode, fnGetCodificaConto(s, w, lID));
            } else {
                const Variant branch = column(*rs, "IDRamo");
                if (iType == 3)
                    ctx.storeIDNode(leadingLong(dbUtility().NullToValue(branch)));
                else
                    ctx.storeIDNode(lID);
                ctx.setBoxText(kCode, fnGetCodificaRamo(s, w, branch));
                // The branch name is read as it is: a Null one is an error of the call.
                ctx.setBoxText(kDescription, column(*rs, "ElementoPDC").toText());
            }
        }
        if (asBranch) {
            QString sql = QStringLiteral("SELECT") % QLatin1String(" ElementoPDC,") %
                          QLatin1String(" IDElementoPDC") % QLatin1String(" FROM") %
                          QLatin1String(" ElementoPDC") % QLatin1String(" WHERE") %
                          QLatin1String(" IDPianoDeiConti = ") % QString::number(s.IDPDC) %
                          QLatin1String(" AND") % QLatin1String(" IDElementoPDC = ") % QString::number(lID);
            rs = runSql(s.Connection.get(), sql);
            if (!rs->Eof()) {
                ctx.storeIDNode(lID);
                ctx.setBoxText(kCode, fnGetCodificaRamo(s, w, Variant(lID)));
                ctx.setBoxText(kDescription, convertedText(*rs, "ElementoPDC"));
                ctx.storeIDAnagrafica(0);
            } else {
                ctx.storeIDNode(0);
                ctx.storeIDAnagrafica(0);
                emptyBoxes(ctx);
            }
        }
    }
    ctx.storeNodeType(iType);
    setEditFlags(w, false);
    if (rs)
        rs->Close();
}

void sbLoadCF(FieldContext &ctx, std::int32_t &lIDAnagrafica, std::int32_t &lIDConto,
              std::int32_t &lIDElementoPDC)
{
    const ControlState &s = ctx.state();
    FieldWork &w = ctx.work();
    setEditFlags(w, true);
    std::unique_ptr<DbResultSet> rs;
    if (lIDAnagrafica == 0) {
        if (lIDElementoPDC > 0) {
            ctx.storeIDNode(lIDElementoPDC);
            QString sql = QStringLiteral("SELECT") % QLatin1String(" ElementoPDC") % QLatin1String(" FROM") %
                          QLatin1String(" ElementoPDC") % QLatin1String(" WHERE") %
                          QLatin1String(" IDPianoDeiConti = ") % QString::number(s.IDPDC) %
                          QLatin1String(" AND") % QLatin1String(" IDElementoPDC = ") %
                          QString::number(lIDElementoPDC);
            rs = runSql(s.Connection.get(), sql);
            if (!rs->Eof())
                ctx.setBoxText(kDescription, convertedText(*rs, "ElementoPDC"));
            ctx.setBoxText(kCode, fnGetCodificaRamo(s, w, Variant(lIDElementoPDC)));
        }
    } else if (lIDConto > 0) {
        QString sql = QStringLiteral("SELECT") % QLatin1String(" ContoPDC,") %
                      QLatin1String(" IDAnagrafica") % QLatin1String(" FROM") % QLatin1String(" ContoPDC") %
                      QLatin1String(" WHERE") % QLatin1String(" IDContoPDC = ") % signBlank(lIDConto);
        rs = runSql(s.Connection.get(), sql);
        if (!rs->Eof()) {
            ctx.setBoxText(kCode, fnGetCodificaConto(s, w, lIDConto));
            if (!ctx.boxText(kCode).isEmpty()) {
                ctx.setBoxText(kDescription, convertedText(*rs, "ContoPDC"));
                ctx.storeIDAnagrafica(convertedId(*rs, "IDAnagrafica"));
                ctx.storeIDNode(lIDConto);
            }
        }
    }
    setEditFlags(w, false);
    if (rs)
        rs->Close();
}

void sbLoadAG(FieldContext &ctx, std::int32_t &lIDAnagrafica)
{
    const ControlState &s = ctx.state();
    FieldWork &w = ctx.work();
    setEditFlags(w, true);
    const bool agentField = s.SearchType == 4 || s.SearchType == 7 || s.SearchType == 8 || s.SearchType == 9;
    if (lIDAnagrafica != 0 && agentField) {
        QString sql =
            QStringLiteral("SELECT") % QLatin1String(" Agente.IDAnagrafica,") %
            QLatin1String(" Agente.Codice,") % QLatin1String(" Agente.Enasarco,") %
            QLatin1String(" Anagrafica.CodiceFiscale,") % QLatin1String(" Anagrafica.PartitaIva,") %
            QLatin1String(" Anagrafica.Anagrafica,") % QLatin1String(" Anagrafica.Nome") %
            QLatin1String(" FROM Agente") %
            QLatin1String(" INNER JOIN Anagrafica ON Anagrafica.IDAnagrafica = Agente.IDAnagrafica") %
            QLatin1String(" WHERE Agente.IDAzienda = ") % QString::number(s.IDFirm) %
            QLatin1String(" AND Anagrafica.VirtualDelete = 0") %
            QLatin1String(" AND Agente.IDAnagrafica = ") % QString::number(lIDAnagrafica);
        if (s.SearchType == 8)
            sql += QLatin1String(" AND Agente.IDTipoAgente = 2");
        else if (s.SearchType != 9)
            sql += QLatin1String(" AND (Agente.IDTipoAgente IS NULL OR Agente.IDTipoAgente = 1)");
        sql += filterTail(s);
        const std::unique_ptr<DbResultSet> rs = runSql(s.Connection.get(), sql);
        if (!rs->Eof()) {
            ctx.storeIDAnagrafica(convertedId(*rs, "IDAnagrafica"));
            const bool codeEdited = s.bCodiceModificato;
            const bool descriptionEdited = s.bDescrizioneModificata;
            setEditFlags(w, true);
            ctx.setBoxText(kCode, convertedText(*rs, "Codice"));
            ctx.setBoxText(kDescription, convertedText(*rs, "Anagrafica"));
            ctx.setBoxText(kSecondDescription, convertedText(*rs, "Nome"));
            w.bCodiceModificato = codeEdited;
            w.bDescrizioneModificata = descriptionEdited;
            ctx.raiseChangedElement();
        } else {
            clearThroughProperties(ctx);
        }
        rs->Close();
    }
    setEditFlags(w, false);
}

void sbLoadCFByCodifica(FieldContext &ctx, std::int16_t iType, const QString &sCodifica)
{
    if (iType < kKindCustomer || iType > kKindAgent)
        return;
    const ControlState &s = ctx.state();
    FieldWork &w = ctx.work();
    QString sql = entityQueryHead(s, iType) % QLatin1String(" Codice = ") %
                  dbUtility().SqlText(trimBlanks(sCodifica)) % blockTail(s, iType) % filterTail(s);
    const std::unique_ptr<DbResultSet> rs = runSql(s.Connection.get(), sql);
    if (!rs->Eof()) {
        const bool codeEdited = s.bCodiceModificato;
        const bool descriptionEdited = s.bDescrizioneModificata;
        setEditFlags(w, true);
        ctx.storeIDAnagrafica(convertedId(*rs, "IDAnagrafica"));
        if (iType == kKindCustomer || iType == kKindSupplier)
            ctx.storeIDNode(convertedId(*rs, "IDPDCContabile"));
        ctx.setBoxText(kCode, convertedText(*rs, "Codice"));
        ctx.setBoxText(kDescription, convertedText(*rs, "Anagrafica"));
        if (iType == kKindCollaborator || iType == kKindAgent)
            ctx.setBoxText(kSecondDescription, convertedText(*rs, "Nome"));
        w.bCodiceModificato = codeEdited;
        w.bDescrizioneModificata = descriptionEdited;
        ctx.raiseChangedElement();
    } else if (iType == kKindAgent) {
        clearThroughProperties(ctx);
    }
    rs->Close();
}

void sbLoadCFByIDAnagrafica(FieldContext &ctx, std::int16_t iType, std::int32_t lIDAnagrafica)
{
    const ControlState &s = ctx.state();
    FieldWork &w = ctx.work();
    if (s.SearchType == 10) {
        QString sql =
            QStringLiteral("SELECT") % QLatin1String(" Anagrafica.IDAnagrafica,") %
            QLatin1String(" Anagrafica,") % QLatin1String(" CodiceFiscale,") % QLatin1String(" PartitaIva,") %
            QLatin1String(" Nome") % QLatin1String(" FROM") % QLatin1String(" Anagrafica") %
            QLatin1String(" WHERE") % QLatin1String(" Anagrafica.VirtualDelete = 0") % QLatin1String(" AND") %
            QLatin1String(" Anagrafica.IDAnagrafica = ") % QString::number(lIDAnagrafica) % filterTail(s);
        const std::unique_ptr<DbResultSet> rs = runSql(s.Connection.get(), sql);
        if (!rs->Eof()) {
            ctx.setBoxText(kDescription, convertedText(*rs, "Anagrafica"));
            ctx.setBoxText(kSecondDescription, convertedText(*rs, "Nome"));
            setEditFlags(w, false);
            ctx.storeIDAnagrafica(convertedId(*rs, "IDAnagrafica"));
        }
        rs->Close();
        return;
    }
    QString sql = entityQueryHead(s, iType) % QLatin1String(" Anagrafica.IDAnagrafica = ") %
                  QString::number(lIDAnagrafica) % blockTail(s, iType) % filterTail(s);
    const std::unique_ptr<DbResultSet> rs = runSql(s.Connection.get(), sql);
    if (!rs->Eof()) {
        ctx.setBoxText(kCode, convertedText(*rs, "Codice"));
        ctx.setBoxText(kDescription, convertedText(*rs, "Anagrafica"));
        ctx.setBoxText(kSecondDescription, convertedText(*rs, "Nome"));
        setEditFlags(w, false);
        if (iType == kKindCustomer || iType == kKindSupplier)
            ctx.storeIDNode(convertedId(*rs, "IDPDCContabile"));
        ctx.storeIDAnagrafica(convertedId(*rs, "IDAnagrafica"));
    }
    rs->Close();
}

void sbLoadNode(FieldContext &ctx, std::int16_t &iType, std::int32_t &lID)
{
    const ControlState &s = ctx.state();
    FieldWork &w = ctx.work();
    w.bRicercaInCorso = true;
    ctx.setIDNodeProperty(lID);
    std::unique_ptr<DbResultSet> rs;
    if (iType == 0) {
        QString sql =
            QStringLiteral("SELECT ContoPDC,Codifica,IDAnagrafica FROM ContoPDC WHERE IDContoPDC =") %
            signBlank(lID);
        rs = runSql(s.Connection.get(), sql);
        ctx.setIDAnagraficaProperty(convertedId(*rs, "IDAnagrafica"));
        ctx.setBoxText(kDescription, convertedText(*rs, "ContoPDC"));
        ctx.setBoxText(kCode, fnGetCodificaConto(s, w, s.IDNode));
    } else if (iType > 0) {
        QString sql = QStringLiteral("SELECT ElementoPDC,Codifica FROM ElementoPDC WHERE IDElementoPDC =") %
                      signBlank(lID);
        rs = runSql(s.Connection.get(), sql);
        ctx.setBoxText(kDescription, convertedText(*rs, "ElementoPDC"));
        ctx.setBoxText(kCode, fnGetCodificaRamo(s, w, Variant(s.IDNode)));
    }
    if (rs)
        rs->Close();
}

} // namespace orv::accounting
