#include "BalanceTotals.h"

#include "AccountCodes.h"
#include "data/AnsiText.h"
#include "data/DbUtility.h"
#include "data/RuntimeError.h"
#include "data/Variant.h"

#include <QStringBuilder>

namespace orv::accounting {

namespace {

QString sqlId(std::int32_t id)
{
    return dbUtility().SqlNumber(Variant(id));
}

Currency leadingCurrency(const Variant &value)
{
    return Variant(leadingNumber(dbUtility().NullToValue(value).toText())).toCurrency();
}

void progressiviGruppo(DbConnection *connection, std::int32_t lIDConto, std::int16_t &iType, Currency &cDare,
                       Currency &cAvere, std::int32_t &lEsercizio, std::int16_t &iMonths, std::int16_t &iYear,
                       std::int32_t &lPeriodo, int depth)
{
    if (depth >= kMaxBranchDepth)
        raiseError(kErrOutOfStackSpace,
                   QStringLiteral("Out of stack space: the branches under %1 loop").arg(lIDConto));
    QString sql = QStringLiteral("SELECT") % QLatin1String(" IDElementoPDC,") %
                  QLatin1String(" ElementoTerminale") % QLatin1String(" FROM") %
                  QLatin1String(" ElementoPDC") % QLatin1String(" WHERE") %
                  QLatin1String(" IDElementoPDC = ") % sqlId(lIDConto) % QLatin1String(" AND") %
                  QLatin1String(" (") % QLatin1String(" VirtualDelete = 0") % QLatin1String(" OR") %
                  QLatin1String(" VirtualDelete = 2") % QLatin1String(" )");
    std::unique_ptr<DbResultSet> rs = runSql(connection, sql);
    // The branch must exist: reading a missing row is the caller's error.
    const Variant terminal = rs->Fields().Item(QStringLiteral("ElementoTerminale")).Value();
    const std::int32_t branch = rs->Fields().Item(QStringLiteral("IDElementoPDC")).Value().toLong();
    const bool isTerminal = !terminal.isNull() && terminal.toDouble() != 0.0;

    Currency totalDare;
    Currency totalAvere;
    Currency childDare;
    Currency childAvere;
    if (isTerminal) {
        sql = QStringLiteral("SELECT") % QLatin1String(" IDContoPDC") % QLatin1String(" FROM") %
              QLatin1String(" ContoPerPDC ") % QLatin1String(" WHERE") %
              QLatin1String(" (VirtualDelete = 0") % QLatin1String(" OR") %
              QLatin1String(" VirtualDelete = 2)") % QLatin1String(" AND") %
              QLatin1String(" IDElementoPDC = ") % sqlId(branch);
        rs = runSql(connection, sql);
        while (!rs->Eof()) {
            std::int32_t account = rs->Fields().Item(QStringLiteral("IDContoPDC")).Value().toLong();
            sbCalcolaProgressiviConto(connection, account, iType, childDare, childAvere, lEsercizio, iMonths,
                                      iYear, lPeriodo);
            totalDare += childDare;
            totalAvere += childAvere;
            childDare = Currency();
            childAvere = Currency();
            rs->MoveNext();
        }
    } else {
        sql = QStringLiteral("SELECT") % QLatin1String(" IDElementoPDC") % QLatin1String(" FROM") %
              QLatin1String(" ElementoPDC ") % QLatin1String(" WHERE") % QLatin1String(" (") %
              QLatin1String(" VirtualDelete = 0") % QLatin1String(" or") %
              QLatin1String(" VirtualDelete = 2") % QLatin1String(" )") % QLatin1String(" AND") %
              QLatin1String(" IDElementoPDCPadre = ") % sqlId(branch);
        rs = runSql(connection, sql);
        while (!rs->Eof()) {
            const std::int32_t child = rs->Fields().Item(QStringLiteral("IDElementoPDC")).Value().toLong();
            progressiviGruppo(connection, child, iType, childDare, childAvere, lEsercizio, iMonths, iYear,
                              lPeriodo, depth + 1);
            totalDare += childDare;
            totalAvere += childAvere;
            childDare = Currency();
            childAvere = Currency();
            rs->MoveNext();
        }
    }
    cDare = totalDare;
    cAvere = totalAvere;
    rs->Close();
}

} // namespace

QString progressiviContoSql(std::int32_t lIDConto, std::int16_t iType, std::int32_t lEsercizio,
                            std::int16_t iMonths, std::int16_t iYear, std::int32_t lPeriodo)
{
    QString sql = QStringLiteral("SELECT") % QLatin1String(" Dare,") % QLatin1String(" Avere") %
                  QLatin1String(" FROM ");
    switch (iType) {
    case kByFiscalYear:
        sql += QLatin1String(" ProgressivoContoEsercizio");
        break;
    case kByMonth:
        sql += QLatin1String(" ProgressivoContoMese");
        break;
    default:
        sql += QLatin1String(" ProgressivoContoPeriodo");
        break;
    }
    sql +=
        QLatin1String(" WHERE") % QLatin1String(" IDContoPDC = ") % sqlId(lIDConto) % QLatin1String(" AND");
    switch (iType) {
    case kByFiscalYear:
        sql += QLatin1String(" IDEsercizio = ") % QString::number(lEsercizio);
        break;
    case kByMonth:
        sql += QLatin1String(" Mese = ") % QString::number(iMonths) % QLatin1String(" AND") %
               QLatin1String(" Anno = ") % QString::number(iYear);
        break;
    default:
        sql += QLatin1String(" IDPeriodoContabilizzazione = ") % QString::number(lPeriodo);
        break;
    }
    return sql;
}

void sbCalcolaProgressiviConto(DbConnection *connection, std::int32_t &lIDConto, std::int16_t &iType,
                               Currency &cDare, Currency &cAvere, std::int32_t &lEsercizio,
                               std::int16_t &iMonths, std::int16_t &iYear, std::int32_t &lPeriodo)
{
    QString sql = progressiviContoSql(lIDConto, iType, lEsercizio, iMonths, iYear, lPeriodo);
    const std::unique_ptr<DbResultSet> rs = runSql(connection, sql);
    if (!rs->Eof()) {
        cDare = rs->Fields().Item(QStringLiteral("Dare")).Value().toCurrency();
        cAvere = rs->Fields().Item(QStringLiteral("Avere")).Value().toCurrency();
    }
    rs->Close();
}

void sbCalcolaProgressiviGruppo(DbConnection *connection, std::int32_t &lIDConto, std::int16_t &iType,
                                Currency &cDare, Currency &cAvere, std::int32_t &lEsercizio,
                                std::int16_t &iMonths, std::int16_t &iYear, std::int32_t &lPeriodo)
{
    progressiviGruppo(connection, lIDConto, iType, cDare, cAvere, lEsercizio, iMonths, iYear, lPeriodo, 0);
}

QString totaleProgressiviContiSql(std::int32_t lIDPDC, std::int16_t iType, std::int16_t iCategoria,
                                  std::int32_t lEsercizio, std::int16_t iMonths, std::int16_t iYear,
                                  std::int32_t lPeriodo)
{
    QString sql = QStringLiteral("SELECT") % QLatin1String(" SUM(PROG.Dare),") %
                  QLatin1String(" SUM(PROG.Avere)") % QLatin1String(" FROM") %
                  QLatin1String(" ElementoPDC as ELE,") % QLatin1String(" ContoPDC as CP,") %
                  QLatin1String(" ContoPerPDC as CPP,");
    // Only the three known kinds name a table; any other leaves a statement the database refuses.
    switch (iType) {
    case kByFiscalYear:
        sql += QLatin1String(" ProgressivoContoEsercizio as PROG") % QLatin1String(" WHERE") %
               QLatin1String(" PROG.IDEsercizio = ") % signBlank(lEsercizio);
        break;
    case kByMonth:
        sql += QLatin1String(" ProgressivoContoMese as PROG") % QLatin1String(" WHERE") %
               QLatin1String(" PROG.Anno = ") % signBlank(iYear) % QLatin1String(" AND") %
               QLatin1String(" PROG.Mese = ") % signBlank(iMonths);
        break;
    case kByPeriod:
        sql += QLatin1String(" ProgressivoContoPeriodo as PROG") % QLatin1String(" WHERE") %
               QLatin1String(" PROG.IDPeriodo = ") % signBlank(lPeriodo);
        break;
    default:
        break;
    }
    sql += QLatin1String(" AND") % QLatin1String(" ELE.IDPianoDeiConti = ") % QString::number(lIDPDC) %
           QLatin1String(" AND") % QLatin1String(" ELE.IDElementoPDC = CPP.IDElementoPDC") %
           QLatin1String(" AND") % QLatin1String(" CPP.IDContoPDC = CP.IDContoPDC") % QLatin1String(" AND") %
           QLatin1String(" CP.IDContoPDC = PROG.IDContoPDC") % QLatin1String(" AND") %
           QLatin1String(" ELE.VirtualDelete = 0") % QLatin1String(" AND") %
           QLatin1String(" CPP.VirtualDelete = 0") % QLatin1String(" AND") %
           QLatin1String(" CP.VirtualDelete = 0");
    if (iCategoria != -1)
        sql += QLatin1String(" AND") % QLatin1String(" CP.CategoriaConto = ") % signBlank(iCategoria);
    return sql;
}

void sbCalcolaTotaleProgressiviConti(DbConnection *connection, std::int32_t lIDPDC, std::int16_t &iType,
                                     std::int16_t &iCategoria, Currency &cDare, Currency &cAvere,
                                     std::int32_t &lEsercizio, std::int16_t &iMonths, std::int16_t &iYear,
                                     std::int32_t &lPeriodo)
{
    QString sql = totaleProgressiviContiSql(lIDPDC, iType, iCategoria, lEsercizio, iMonths, iYear, lPeriodo);
    const std::unique_ptr<DbResultSet> rs = runSql(connection, sql);
    if (!rs->Eof()) {
        cDare = leadingCurrency(rs->Fields().Item(0).Value());
        cAvere = leadingCurrency(rs->Fields().Item(1).Value());
    }
    rs->Close();
}

} // namespace orv::accounting
