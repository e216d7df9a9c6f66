#include "ChartCodeLookup.h"

#include "data/AnsiText.h"
#include "data/DbUtility.h"
#include "field/FieldContext.h"
#include "platform/Services.h"

#include <QStringBuilder>

namespace orv::accounting {

namespace {

// Runs one step of the lookup with its errors ignored: a step that fails has no effect
// beyond what it did before failing, and the lookup goes on with the next step.
template <typename Step> bool ignoringErrors(Step &&step)
{
    try {
        step();
        return true;
    } catch (const std::exception &) {
        return false;
    }
}

// The segment query: a branch of the chart with that own code under the given parent, or
// at the top of the chart when there is no parent yet.
QString branchSegmentSql(std::int32_t chart, const QString &segment, std::int32_t parent)
{
    QString sql = QStringLiteral("SELECT") % QLatin1String(" IDElementoPDC,") %
                  QLatin1String(" ElementoPDC") % QLatin1String(" FROM") % QLatin1String(" ElementoPDC") %
                  QLatin1String(" WHERE") % QLatin1String(" Codifica = ") % dbUtility().SqlText(segment) %
                  QLatin1String(" AND") % QLatin1String(" IDElementoPDC > 0") % QLatin1String(" AND") %
                  QLatin1String(" IDPianoDeiConti = ") % QString::number(chart);
    if (parent > 0)
        sql += QLatin1String(" AND") % QLatin1String(" IDElementoPDCPadre = ") % QString::number(parent);
    else
        sql += QLatin1String(" AND") % QLatin1String(" IDElementoPDCPadre is Null");
    return sql;
}

// An account with that own code linked to the given branch of the chart.
QString accountSegmentSql(std::int32_t chart, const QString &segment, std::int32_t parent)
{
    return QStringLiteral("SELECT") % QLatin1String(" CP.IDContoPDC,") % QLatin1String(" CP.ContoPDC") %
           QLatin1String(" FROM") % QLatin1String(" ElementoPDC as EPDC,") %
           QLatin1String(" ContoPerPDC as CPP,") % QLatin1String(" ContoPDC As CP") %
           QLatin1String(" WHERE") % QLatin1String(" IDPianoDeiConti = ") % QString::number(chart) %
           QLatin1String(" AND") % QLatin1String(" EPDC.IDElementoPDC = CPP.IDElementoPDC") %
           QLatin1String(" AND") % QLatin1String(" CPP.IDElementoPDC = ") % QString::number(parent) %
           QLatin1String(" AND") % QLatin1String(" CPP.IDContoPDC = CP.IDContoPDC") % QLatin1String(" AND") %
           QLatin1String(" CP.IDContoPDC > 0") % QLatin1String(" AND") % QLatin1String(" CP.Codifica =") %
           dbUtility().SqlText(segment);
}

void showCritical(FieldContext &ctx, const QString &text)
{
    services::messageBox().show(ctx.dialogParent(), text, kMbCritical | kMbOkOnly, ctx.applicationName());
}

} // namespace

std::int16_t fnSearchCodificaPDC(DbConnection *connection, const QString &separator, std::int32_t &lIDPDC,
                                 QString &sCodifica, std::int32_t &lID, QString &sDescrizione)
{
    std::int32_t parent = 0;
    qsizetype start = 0;
    const qsizetype length = sCodifica.size();
    for (qsizetype position = 0; position < length; ++position) {
        const bool last = position == length - 1;
        // One character against the whole separator: an empty or longer separator never splits.
        const bool atSeparator = QStringView(sCodifica).mid(position, 1) == separator;
        if (!atSeparator && !last)
            continue;
        const QString segment = last ? sCodifica.mid(start) : sCodifica.mid(start, position - start);
        start = position + 1;

        QString sql = branchSegmentSql(lIDPDC, segment, parent);
        std::unique_ptr<DbResultSet> rs = runSql(connection, sql);
        if (!rs->Eof()) {
            parent = rs->Fields().Item(QStringLiteral("IDElementoPDC")).Value().toLong();
            sDescrizione = dbUtility().NullToValue(rs->Fields().Item(QStringLiteral("ElementoPDC"))).toText();
            rs->Close();
            continue;
        }
        rs->Close();
        if (parent <= 0)
            return kCodeNoMatch;

        sql = accountSegmentSql(lIDPDC, segment, parent);
        rs = runSql(connection, sql);
        if (rs->Eof() || !last) {
            rs->Close();
            return kCodeNoMatch;
        }
        lID = rs->Fields().Item(QStringLiteral("IDContoPDC")).Value().toLong();
        sDescrizione = dbUtility().NullToValue(rs->Fields().Item(QStringLiteral("ContoPDC"))).toText();
        rs->Close();
        return kCodeIsAccount;
    }
    lID = parent;
    return kCodeIsBranch;
}

std::int32_t fnGetIDContoAnagrafica(FieldContext &ctx, std::int32_t lIDAnagrafica)
{
    const ControlState &s = ctx.state();
    const int accountType = s.IDSearchTypeConto == 6 ? 6 : 7;
    QString sql =
        QStringLiteral("SELECT") % QLatin1String(" ContoPDC.IDContoPDC") % QLatin1String(" FROM") %
        QLatin1String(" ContoPDC,") % QLatin1String(" ContoPerPDC,") % QLatin1String(" ElementoPDC") %
        QLatin1String(" WHERE") % QLatin1String(" IDAnagrafica = ") % QString::number(lIDAnagrafica) %
        QLatin1String(" AND") % QLatin1String(" ContoPDC.IDContoPDC = ContoPerPDC.IDContoPDC") %
        QLatin1String(" AND") % QLatin1String(" ElementoPDC.IDElementoPDC = ContoPerPDC.IDElementoPDC") %
        QLatin1String(" AND") % QLatin1String(" ElementoPDC.IDPianoDeiConti = ") % QString::number(s.IDPDC) %
        QLatin1String(" AND") % QLatin1String(" ContoPDC.IDTipoConto = ") % QString::number(accountType);
    std::unique_ptr<DbResultSet> rs = runSql(s.Connection.get(), sql);
    std::int32_t account = 0;
    if (!rs->Eof())
        account = dbUtility().NullToValue(rs->Fields().Item(QStringLiteral("IDContoPDC")).Value()).toLong();
    rs->Close();
    return account;
}

void sbMsgCodificaErrata(FieldContext &ctx, const QString &sCodifica)
{
    showCritical(ctx, QStringLiteral("La codifica ") % QChar(u'"') % sCodifica % QChar(u'"') %
                          QLatin1String(" non corrisponde ad alcun conto."));
    ctx.sbResetIDs();
}

bool resolveChartCode(FieldContext &ctx, const QString &code)
{
    const ControlState &s = ctx.state();
    FieldWork &w = ctx.work();
    std::int32_t chart = s.IDPDC;
    QString typed = code;
    std::int32_t id = 0;
    QString description;
    // A resolution that fails names nothing.
    std::int16_t kind = kCodeNoMatch;
    ignoringErrors([&] {
        kind = fnSearchCodificaPDC(s.Connection.get(), s.sSeparatoreCodifica, chart, typed, id, description);
    });

    if (kind == kCodeNoMatch) {
        ignoringErrors([&] { sbMsgCodificaErrata(ctx, ctx.boxText(0)); });
        ignoringErrors([&] { ctx.setBoxText(1, QString()); });
        ignoringErrors([&] { ctx.setBoxText(2, QString()); });
        return false;
    }

    std::unique_ptr<DbResultSet> rs;
    bool found = false;
    if (kind == kCodeIsAccount) {
        QString sql = QStringLiteral("SELECT") % QLatin1String(" ContoPDC,") % QLatin1String(" Codifica,") %
                      QLatin1String(" IDAnagrafica") % QLatin1String(" FROM") % QLatin1String(" ContoPDC") %
                      QLatin1String(" WHERE") % QLatin1String(" IDContoPDC = ") % signBlank(id);
        if (s.IDSearchTypeConto > 0)
            sql += QLatin1String(" AND") % QLatin1String(" IDTipoConto = ") %
                   QString::number(s.IDSearchTypeConto);
        ignoringErrors([&] { rs = runSql(s.Connection.get(), sql); });
        ignoringErrors([&] { found = rs && !rs->Eof(); });
        if (!found) {
            ignoringErrors([&] { sbMsgCodificaErrata(ctx, ctx.boxText(0)); });
            return false;
        }
        ctx.storeNodeType(0);
        ignoringErrors([&] { ctx.setBoxText(1, description); });
        w.bCodiceModificato = false;
        w.bDescrizioneModificata = false;
        ignoringErrors([&] { ctx.setIDNodeProperty(id); });
        ignoringErrors([&] {
            ctx.setIDAnagraficaProperty(leadingLong(
                dbUtility().NullToValue(rs->Fields().Item(QStringLiteral("IDAnagrafica")).Value())));
        });
    } else {
        QString sql = QStringLiteral("SELECT") % QLatin1String(" ElementoPDC") % QLatin1String(" FROM") %
                      QLatin1String(" ElementoPDC") % QLatin1String(" WHERE") %
                      QLatin1String(" IDElementoPDC = ") % signBlank(id);
        if (s.IDSearchTypeRamo > 0)
            sql += QLatin1String(" AND") % QLatin1String(" IDTipoConto = ") %
                   QString::number(s.IDSearchTypeRamo);
        ignoringErrors([&] { rs = runSql(s.Connection.get(), sql); });
        ignoringErrors([&] { found = rs && !rs->Eof(); });
        if (!found) {
            ignoringErrors([&] { sbMsgCodificaErrata(ctx, ctx.boxText(0)); });
            return false;
        }
        if (s.OnlyAccounts) {
            ignoringErrors(
                [&] { showCritical(ctx, QStringLiteral("E' obbligatorio selezionare un conto.")); });
            return false;
        }
        ctx.storeNodeType(1);
        ignoringErrors([&] { ctx.setBoxText(1, description); });
        w.bDescrizioneModificata = false;
        w.bCodiceModificato = false;
        ignoringErrors([&] { ctx.setIDNodeProperty(id); });
        ignoringErrors([&] { ctx.setIDAnagraficaProperty(0); });
    }
    ignoringErrors([&] { rs->Close(); });
    return true;
}

} // namespace orv::accounting
