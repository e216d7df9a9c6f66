#include "BrowserQueries.h"

#include "data/DbUtility.h"

namespace orv::browser {

namespace {

QString number(std::int32_t value)
{
    return QString::number(value);
}

QString text(const QString &value)
{
    return dbUtility().SqlText(Variant(value));
}

// The pattern of a description that begins with sLike: the literal with "%" before its closing
// apostrophe.
QString beginsWith(const QString &sLike)
{
    return text(sLike).chopped(1) + QLatin1String("%'");
}

// The account rows of the list up to and including their LIKE.
QString listAccounts(std::int32_t lIDPDC, std::int32_t lID, const QString &pattern)
{
    QString sql =
        QStringLiteral("SELECT") + QLatin1String(" 0 as IDRamo,") +
        QLatin1String(" CP.IDContoPDC as IDConto,") + QLatin1String(" CP.ContoPDC as Descrizione,") +
        QLatin1String(" CP.Codifica as Cod,") + QLatin1String(" CPP.IDElementoPDC as IDPadre,") +
        QLatin1String(" CPP.CodificaCompleta as CodCompleta,") +
        QLatin1String(" TipoConto.TipoConto as TipodiConto, ") + text(QStringLiteral("SI")) +
        QLatin1String(" as IsConto") + QLatin1String(" FROM (") + QLatin1String(" ElementoPDC as EPDC") +
        QLatin1String(" INNER JOIN") + QLatin1String(" TipoConto") + QLatin1String(" ON") +
        QLatin1String(" EPDC.IDTipoConto = TipoConto.IDTipoConto),") + QLatin1String(" ContoPerPDC as CPP,") +
        QLatin1String(" ContoPDC As CP") + QLatin1String(" WHERE") + QLatin1String(" IDPianoDeiConti = ") +
        number(lIDPDC) + QLatin1String(" AND") + QLatin1String(" EPDC.IDElementoPDC = CPP.IDElementoPDC") +
        QLatin1String(" AND") + QLatin1String(" CPP.IDContoPDC = CP.IDContoPDC") + QLatin1String(" AND");
    if (lID > 0)
        sql += QLatin1String(" CP.IDContoPDC = ") + number(lID) + QLatin1String(" AND");
    return sql + QLatin1String(" CP.IDContoPDC > 0") + QLatin1String(" AND") + QLatin1String(" ContoPDC") +
           QLatin1String(" LIKE ") + pattern;
}

QString listBranches(std::int32_t lIDPDC, std::int32_t lID, const QString &pattern)
{
    QString sql = QStringLiteral("SELECT") + QLatin1String(" IDElementoPDC as IDRamo,") +
                  QLatin1String(" 0 as IDConto,") + QLatin1String(" ElementoPDC as Descrizione,") +
                  QLatin1String(" Codifica as Cod,") + QLatin1String(" IDElementoPDCPadre as IDPadre,") +
                  QLatin1String(" ElementoPDC.CodificaCompleta as CodCompleta,") +
                  QLatin1String(" TipoConto.TipoConto as TipodiConto, ") + text(QStringLiteral("NO")) +
                  QLatin1String(" as IsConto") + QLatin1String(" FROM (") + QLatin1String(" ElementoPDC") +
                  QLatin1String(" INNER JOIN") + QLatin1String(" TipoConto") + QLatin1String(" ON") +
                  QLatin1String(" ElementoPDC.IDTipoConto = TipoConto.IDTipoConto)") +
                  QLatin1String(" WHERE") + QLatin1String(" IDPianoDeiConti = ") + number(lIDPDC) +
                  QLatin1String(" AND") + QLatin1String(" IDElementoPDC > 0") + QLatin1String(" AND");
    if (lID > 0)
        sql += QLatin1String(" IDElementoPDC = ") + number(lID) + QLatin1String(" AND");
    return sql + QLatin1String(" ElementoPDC") + QLatin1String(" LIKE ") + pattern;
}

} // namespace

QString fnSelectBranchSearch(std::int32_t lIDPDC, std::int32_t lIDElePDC)
{
    QString sql = QStringLiteral("SELECT") + QLatin1String(" IDElementoPDC,") +
                  QLatin1String(" ElementoPDC,") + QLatin1String(" ElementoTerminale,") +
                  QLatin1String(" CategoriaConto,") + QLatin1String(" Codifica,") +
                  QLatin1String(" TipoConto") + QLatin1String(" FROM") + QLatin1String(" ElementoPDC,") +
                  QLatin1String(" TipoConto") + QLatin1String(" WHERE") +
                  QLatin1String(" IDPianoDeiConti = ") + number(lIDPDC) + QLatin1String(" AND") +
                  QLatin1String(" IDElementoPDC > 0") + QLatin1String(" AND");
    if (lIDElePDC != 0)
        sql += QLatin1String(" IDElementoPDCPadre = ") + number(lIDElePDC);
    else
        sql += QLatin1String(" IDElementoPDCPadre is Null ");
    sql += QLatin1String(" AND") + QLatin1String(" ElementoPDC.IDTipoConto = TipoConto.IDTipoConto");
    if (lIDElePDC == 0)
        sql += QLatin1String(" ORDER BY ElementoPDC.CategoriaConto, ElementoPDC.Codifica");
    return sql;
}

QString fnSelectContiForBranchSearch(std::int32_t lIDBranch)
{
    return QStringLiteral("SELECT") + QLatin1String(" CP.IDContoPDC,") + QLatin1String(" CP.ContoPDC,") +
           QLatin1String(" CP.IDAnagrafica,") + QLatin1String(" CP.CategoriaConto,") +
           QLatin1String(" CP.CondizioneContabile,") + QLatin1String(" CP.IDTipoConto,") +
           QLatin1String(" CP.Codifica,") + QLatin1String(" TP.TipoConto") + QLatin1String(" FROM") +
           QLatin1String(" ContoPDC as CP,") + QLatin1String(" ContoPerPDC as CPP,") +
           QLatin1String(" TipoConto as TP") + QLatin1String(" WHERE") +
           QLatin1String(" CPP.IDElementoPDC = ") + number(lIDBranch) + QLatin1String(" AND") +
           QLatin1String(" CPP.IDContoPDC = CP.IDContoPDC") + QLatin1String(" AND") +
           QLatin1String(" CP.IDTipoConto = TP.IDTipoConto");
}

QString requiredTypeRowsSql(std::int32_t lIDPDC, std::int32_t lIDSearchTypeConto,
                            std::int32_t lIDSearchTypeRamo, bool bHideLeaf)
{
    const QString chart = number(lIDPDC);
    QString sql;
    if (!bHideLeaf) {
        sql = QStringLiteral("SELECT") + QLatin1String(" CP.IDContoPDC as IDConto,") +
              QLatin1String(" CP.ContoPDC as Descrizione,") + QLatin1String(" CP.Codifica as Cod,") +
              QLatin1String(" CPP.IDElementoPDC as IDPadre") + QLatin1String(" FROM") +
              QLatin1String(" ElementoPDC as EPDC,") + QLatin1String(" ContoPerPDC as CPP,") +
              QLatin1String(" ContoPDC As CP") + QLatin1String(" WHERE") +
              QLatin1String(" IDPianoDeiConti = ") + chart + QLatin1String(" AND") +
              QLatin1String(" EPDC.IDElementoPDC = CPP.IDElementoPDC") + QLatin1String(" AND") +
              QLatin1String(" CPP.IDContoPDC = CP.IDContoPDC") + QLatin1String(" AND") +
              QLatin1String(" CP.IDContoPDC > 0") + QLatin1String(" AND") +
              QLatin1String(" CP.IDTipoConto = ") + number(lIDSearchTypeConto) + QLatin1String(" UNION ");
    }
    return sql + QStringLiteral("SELECT") + QLatin1String(" IDElementoPDC as IDConto,") +
           QLatin1String(" ElementoPDC as Descrizione,") + QLatin1String(" Codifica as Cod,") +
           QLatin1String(" IDElementoPDCPadre as IDPadre") + QLatin1String(" FROM") +
           QLatin1String(" ElementoPDC") + QLatin1String(" WHERE") + QLatin1String(" IDPianoDeiConti = ") +
           chart + QLatin1String(" AND") + QLatin1String(" IDElementoPDC > 0") + QLatin1String(" AND") +
           QLatin1String(" IDTipoConto = ") + number(lIDSearchTypeRamo);
}

QString requiredTypeBranchSql(std::int32_t lIDPDC, const QString &part, std::int32_t parent)
{
    QString sql = QStringLiteral("SELECT") + QLatin1String(" IDElementoPDC,") +
                  QLatin1String(" ElementoPDC,") + QLatin1String(" ElementoTerminale") +
                  QLatin1String(" FROM") + QLatin1String(" ElementoPDC") + QLatin1String(" WHERE") +
                  QLatin1String(" Codifica = ") + text(part) + QLatin1String(" AND") +
                  QLatin1String(" IDElementoPDC > 0") + QLatin1String(" AND") +
                  QLatin1String(" IDPianoDeiConti = ") + number(lIDPDC);
    if (parent != 0)
        return sql + QLatin1String(" AND") + QLatin1String(" IDElementoPDCPadre = ") + number(parent);
    return sql + QLatin1String(" AND") + QLatin1String(" IDElementoPDCPadre is Null");
}

QString requiredTypeAccountSql(std::int32_t lIDPDC, std::int32_t parent, const QString &part)
{
    const QString branch = number(parent);
    return QStringLiteral("SELECT") + QLatin1String(" ContoPDC.IDContoPDC,") +
           QLatin1String(" ContoPDC.ContoPDC") + QLatin1String(" FROM") + QLatin1String(" ContoPDC,") +
           QLatin1String(" ContoPerPDC,") + QLatin1String(" ElementoPDC") + QLatin1String(" WHERE") +
           QLatin1String(" ElementoPDC.IDPianoDeiConti = ") + number(lIDPDC) + QLatin1String(" AND") +
           QLatin1String(" ElementoPDC.IDElementoPDC = ") + branch + QLatin1String(" AND") +
           QLatin1String(" ContoPerPDC.IDElementoPDC = ") + branch + QLatin1String(" AND") +
           QLatin1String(" ContoPDC.Codifica = ") + text(part) + QLatin1String(" AND") +
           QLatin1String(" ContoPerPDC.IDContoPDC = ContoPDC.IDContoPDC") + QLatin1String(" AND") +
           QLatin1String(" ContoPDC.IDContoPDC > 0") + QLatin1String(" AND") +
           QLatin1String(" ElementoPDC.IDElementoPDC > 0 ");
}

QString nodeRowSql(bool account, std::int32_t id)
{
    if (account)
        return QStringLiteral("SELECT") + QLatin1String(" ContoPDC as Descr,") + QLatin1String(" Codifica") +
               QLatin1String(" FROM") + QLatin1String(" ContoPDC") + QLatin1String(" WHERE") +
               QLatin1String(" IDContoPDC = ") + number(id);
    return QStringLiteral("SELECT") + QLatin1String(" ElementoPDC as Descr,") + QLatin1String(" Codifica") +
           QLatin1String(" FROM") + QLatin1String(" ElementoPDC") + QLatin1String(" WHERE") +
           QLatin1String(" IDElementoPDC = ") + number(id);
}

QString codePartBranchSql(std::int32_t lIDPDC, const QString &part, std::int32_t parent)
{
    QString sql = QStringLiteral("SELECT") + QLatin1String(" IDElementoPDC") + QLatin1String(" FROM") +
                  QLatin1String(" ElementoPDC") + QLatin1String(" WHERE") + QLatin1String(" Codifica = ") +
                  text(part) + QLatin1String(" AND") + QLatin1String(" IDElementoPDC > 0") +
                  QLatin1String(" AND") + QLatin1String(" IDPianoDeiConti = ") + number(lIDPDC);
    if (parent > 0)
        sql += QLatin1String(" AND") + QLatin1String(" IDElementoPDCPadre = ") + number(parent);
    return sql;
}

QString codePartTopBranchSql(std::int32_t lIDPDC, const QString &part)
{
    return codePartBranchSql(lIDPDC, part, 0) + QLatin1String(" AND") +
           QLatin1String(" (IDElementoPDCPadre Is Null Or IDElementoPDCPadre = 0)");
}

QString codePartAccountSql(std::int32_t lIDPDC, std::int32_t parent, const QString &part)
{
    return QStringLiteral("SELECT") + QLatin1String(" CP.IDContoPDC") + QLatin1String(" FROM") +
           QLatin1String(" ElementoPDC as EPDC,") + QLatin1String(" ContoPerPDC as CPP,") +
           QLatin1String(" ContoPDC As CP") + QLatin1String(" WHERE") + QLatin1String(" IDPianoDeiConti = ") +
           number(lIDPDC) + QLatin1String(" AND") + QLatin1String(" EPDC.IDElementoPDC = CPP.IDElementoPDC") +
           QLatin1String(" AND") + QLatin1String(" CPP.IDElementoPDC = ") + number(parent) +
           QLatin1String(" AND") + QLatin1String(" CPP.IDContoPDC = CP.IDContoPDC") + QLatin1String(" AND") +
           QLatin1String(" CP.IDContoPDC > 0") + QLatin1String(" AND") + QLatin1String(" CP.Codifica =") +
           text(part);
}

QString ancestorCodeSql(const Variant &branchId, std::int32_t lIDPDC)
{
    return QStringLiteral("SELECT") + QLatin1String(" Codifica") + QLatin1String(" FROM") +
           QLatin1String(" ElementoPDC") + QLatin1String(" WHERE") + QLatin1String(" IDElementoPDC = ") +
           dbUtility().SqlNumber(branchId) + QLatin1String(" AND") + QLatin1String(" IDPianoDeiConti = ") +
           number(lIDPDC);
}

QString fnGetDescrizioneNodoSql(std::int16_t iType, std::int32_t lID)
{
    if (iType == 0)
        return QLatin1String("SELECT ContoPDC.ContoPDC FROM ContoPDC WHERE ContoPDC.IDContoPDC = ") +
               number(lID);
    return QLatin1String(
               "SELECT ElementoPDC.ElementoPDC FROM ElementoPDC WHERE ElementoPDC.IDElementoPDC = ") +
           number(lID);
}

QString fnSelectForSearch(std::int32_t lIDPDC, std::int32_t lID, const QString &sLike, std::int16_t iType,
                          std::int32_t lIDSearchTypeConto, std::int32_t lIDSearchTypeRamo)
{
    const QString pattern = beginsWith(sLike);
    QString sql;
    if (iType == kListAccounts || iType == kListBoth) {
        sql = listAccounts(lIDPDC, lID, pattern);
        if (lIDSearchTypeConto > 0)
            sql += QLatin1String(" AND") + QLatin1String(" CP.IDTipoConto = ") + number(lIDSearchTypeConto);
        if (lIDSearchTypeRamo > 0) {
            // The accounts held by branches of the required branch type.
            sql += QLatin1String(" UNION ") + listAccounts(lIDPDC, lID, pattern) + QLatin1String(" AND") +
                   QLatin1String(" CPP.IDElementoPDC") + QLatin1String(" IN") + QLatin1String(" (") +
                   QStringLiteral("SELECT") + QLatin1String(" IDElementoPDC") + QLatin1String(" FROM") +
                   QLatin1String(" ElementoPDC") + QLatin1String(" WHERE") +
                   QLatin1String(" IDPianoDeiConti = ") + number(lIDPDC) + QLatin1String(" AND") +
                   QLatin1String(" IDElementoPDC > 0") + QLatin1String(" AND") +
                   QLatin1String(" IDTipoConto = ") + number(lIDSearchTypeRamo) + QLatin1String(" )");
        }
    }
    if (iType == kListBoth)
        sql += QLatin1String(" UNION ");
    if (iType == kListBranches || iType == kListBoth) {
        sql += listBranches(lIDPDC, lID, pattern);
        if (lIDSearchTypeRamo > 0)
            sql += QLatin1String(" AND") + QLatin1String(" ElementoPDC.IDTipoConto = ") +
                   number(lIDSearchTypeRamo);
    }
    return sql;
}

QString terminalTestSql(std::int32_t IDNode)
{
    return QStringLiteral("SELECT") + QLatin1String(" ElementoPDC.IDElementoPDC,") +
           QLatin1String(" ElementoPDC.ElementoPDC,") + QLatin1String(" ElementoPDC.ElementoTerminale") +
           QLatin1String(" FROM") + QLatin1String(" ElementoPDC") + QLatin1String(" WHERE") +
           QLatin1String(" ElementoPDC.IDElementoPDC = ") + number(IDNode);
}

QString fnErrorSearchSql(std::int32_t IDNode, std::int32_t lIDSearchTypeRamo)
{
    return QStringLiteral("SELECT") + QLatin1String(" ElementoPDC,") + QLatin1String(" TipoConto") +
           QLatin1String(" FROM") + QLatin1String(" TipoConto,") + QLatin1String(" ElementoPDC") +
           QLatin1String(" WHERE") + QLatin1String(" IDElementoPDC = ") + number(IDNode) +
           QLatin1String(" AND") + QLatin1String(" ElementoPDC.IDTipoConto = TipoConto.IDTipoConto") +
           QLatin1String(" AND") + QLatin1String(" TipoConto.IDTipoConto = ") + number(lIDSearchTypeRamo);
}

QString typeNameSql(std::int32_t IDTipoConto)
{
    return QLatin1String("SELECT TipoConto FROM TipoConto WHERE IDTipoConto = ") + number(IDTipoConto);
}

} // namespace orv::browser
