#include "CodeSearch.h"

#include "BrowserQueries.h"
#include "ChartTreeModel.h"

#include "accounting/AccountCodes.h"
#include "data/AnsiText.h"
#include "data/Blanks.h"
#include "data/DbUtility.h"
#include "field/ControlState.h"

namespace orv::browser {

QStringList splitCode(const QString &code, const QString &separator)
{
    QStringList parts;
    qsizetype start = 0;
    const qsizetype n = code.size();
    for (qsizetype i = 0; i < n; ++i) {
        const bool last = i == n - 1;
        if (!last && QStringView(code).mid(i, 1) != separator)
            continue;
        parts << (last ? code.mid(start) : code.mid(start, i - start));
        start = i + 1;
    }
    return parts;
}

std::int32_t nodeId(const QString &key)
{
    return static_cast<std::int32_t>(leadingNumber(key));
}

std::optional<Variant> firstValue(const ChartContext &chart, QString sql, const QString &column)
{
    const std::unique_ptr<DbResultSet> rs = runSql(chart.connection.get(), sql);
    std::optional<Variant> value;
    if (!rs->Eof())
        value = rs->Fields().Item(column).Value();
    rs->Close();
    return value;
}

std::int16_t fnSearchContoForCodifica(const ChartContext &chart, const QString &sCodifica, std::int32_t &lID)
{
    std::int32_t parent = 0;
    for (const QString &part : splitCode(sCodifica, chart.sSepCod)) {
        const auto branch =
            firstValue(chart, codePartBranchSql(chart.lIDPDC, part, parent), QStringLiteral("IDElementoPDC"));
        if (branch) {
            parent = branch->toLong();
            continue;
        }
        if (parent <= 0)
            return kNothingFound;
        const auto account =
            firstValue(chart, codePartAccountSql(chart.lIDPDC, parent, part), QStringLiteral("IDContoPDC"));
        if (!account)
            return kNothingFound;
        lID = account->toLong();
        return kAccountFound;
    }
    lID = parent;
    return kBranchFound;
}

QString fnCalcolaCodifica(const ChartContext &chart, const Variant &branchId)
{
    // The field's branch-code composition over a cache that lives for this call only.
    ControlState state;
    state.Connection = chart.connection;
    state.IDPDC = chart.lIDPDC;
    state.sSeparatoreCodifica = chart.sSepCod;
    return accounting::fnGetCodificaRamo(state, branchId);
}

QString fnCodificaSearch(const ChartContext &chart, const ChartTreeModel &tree, int node)
{
    const int root = 1;
    QString codes;
    for (int ancestor = tree.parentNode(node); ancestor != ChartTreeModel::kNoNode && ancestor != root;
         ancestor = tree.parentNode(ancestor)) {
        const auto code =
            firstValue(chart, ancestorCodeSql(Variant(nodeId(tree.key(ancestor))), chart.lIDPDC),
                       QStringLiteral("Codifica"));
        const QString own = code ? trimBlanks(dbUtility().NullToValue(*code).toText()) : QString();
        codes.prepend(own + chart.sSepCod);
    }
    return codes;
}

Variant fnGetDescrizioneNodo(const ChartContext &chart, std::int16_t iType, std::int32_t lID)
{
    const auto description =
        firstValue(chart, fnGetDescrizioneNodoSql(iType, lID),
                   iType == 0 ? QStringLiteral("ContoPDC") : QStringLiteral("ElementoPDC"));
    return description ? dbUtility().NullToValue(*description) : Variant();
}

} // namespace orv::browser
