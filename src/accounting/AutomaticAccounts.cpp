#include "AutomaticAccounts.h"

#include "data/AnsiText.h"
#include "data/DbUtility.h"

#include <QStringBuilder>

namespace orv::accounting {

Variant fnGetIDContoFromContoAutomatico(DbConnection *connection, std::int32_t &lIDAzienda,
                                        std::int32_t &lIDFiliale, QString &sField)
{
    Variant account;
    QString sql = QStringLiteral("SELECT ") % sField % QLatin1String(" FROM") %
                  QLatin1String(" ContoAutomatico") % QLatin1String(" WHERE") %
                  QLatin1String(" IDAzienda = ") % QString::number(lIDAzienda);
    if (lIDFiliale > 0)
        sql += QLatin1String(" AND") % QLatin1String(" IDFiliale = ") % QString::number(lIDFiliale);
    const std::unique_ptr<DbResultSet> rs = runSql(connection, sql);
    if (!rs->Eof())
        account = Variant(leadingNumber(dbUtility().NullToValue(rs->Fields().Item(sField)).toText()));
    rs->Close();
    return account;
}

QString SelectAllAccounts(std::int32_t lIDPDC)
{
    return QStringLiteral("SELECT") % QLatin1String(" CP.IDContoPDC,") % QLatin1String(" ContoPDC,") %
           QLatin1String(" CP.IDTipoConto,") % QLatin1String(" CP.Codifica") % QLatin1String(" FROM") %
           QLatin1String(" ElementoPDC as EPDC,") % QLatin1String(" ContoPerPDC as CPP,") %
           QLatin1String(" ContoPDC As CP") % QLatin1String(" WHERE") % QLatin1String(" IDPianoDeiConti = ") %
           signBlank(lIDPDC) % QLatin1String(" AND") %
           QLatin1String(" EPDC.IDElementoPDC = CPP.IDElementoPDC") % QLatin1String(" AND") %
           QLatin1String(" CPP.IDContoPDC = CP.IDContoPDC") % QLatin1String(" AND") %
           QLatin1String(" CP.VirtualDelete = 0") % QLatin1String(" AND") %
           QLatin1String(" CPP.VirtualDelete = 0") % QLatin1String(" AND") %
           QLatin1String(" EPDC.VirtualDelete = 0");
}

} // namespace orv::accounting
