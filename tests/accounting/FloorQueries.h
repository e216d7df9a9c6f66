#pragma once

#include <QString>

#include <cstdint>

namespace orv::test {

// Answers of the accounting methods computed by one recursive statement straight on the
// database: the oracle of the tests and the floor of the benchmarks.

// The debit and credit totals of branch `branch` for fiscal year `year`: a terminal branch
// sums its live and archived links, any other its live and archived child branches.
inline QString branchTotalsFloorSql(std::int32_t branch, std::int32_t year)
{
    return QStringLiteral(
               "WITH RECURSIVE sub(id, term) AS ("
               " SELECT IDElementoPDC, COALESCE(ElementoTerminale, 0) FROM ElementoPDC"
               " WHERE IDElementoPDC = %1 AND VirtualDelete IN (0, 2)"
               " UNION ALL"
               " SELECT e.IDElementoPDC, COALESCE(e.ElementoTerminale, 0) FROM ElementoPDC e JOIN sub"
               " ON e.IDElementoPDCPadre = sub.id WHERE sub.term = 0 AND e.VirtualDelete IN (0, 2))"
               " SELECT TOTAL(p.Dare), TOTAL(p.Avere) FROM sub"
               " JOIN ContoPerPDC c ON c.IDElementoPDC = sub.id AND c.VirtualDelete IN (0, 2)"
               " JOIN ProgressivoContoEsercizio p ON p.IDContoPDC = c.IDContoPDC AND p.IDEsercizio = %2"
               " WHERE sub.term <> 0")
        .arg(branch)
        .arg(year);
}

// The full code of an account in chart `chart`, from its first live or archived link.
inline QString accountCodeFloorSql(std::int32_t chart, std::int32_t account, const QString &separator)
{
    QString quoted = separator;
    quoted.replace(QLatin1String("'"), QLatin1String("''"));
    return QStringLiteral(
               "WITH RECURSIVE up(id, parent, code) AS ("
               " SELECT e.IDElementoPDC, e.IDElementoPDCPadre, TRIM(e.Codifica) FROM ElementoPDC e"
               " WHERE e.IDElementoPDC = (SELECT c.IDElementoPDC FROM ContoPerPDC c JOIN ElementoPDC x"
               " ON x.IDElementoPDC = c.IDElementoPDC WHERE c.IDContoPDC = %2 AND x.IDPianoDeiConti = %1"
               " AND c.VirtualDelete IN (0, 2) AND x.VirtualDelete IN (0, 2) LIMIT 1)"
               " UNION ALL"
               " SELECT e.IDElementoPDC, e.IDElementoPDCPadre, TRIM(e.Codifica) || '%3' || up.code"
               " FROM ElementoPDC e JOIN up ON e.IDElementoPDC = up.parent)"
               " SELECT up.code || '%3' || TRIM(a.Codifica) FROM up, ContoPDC a"
               " WHERE up.parent IS NULL AND a.IDContoPDC = %2 AND a.VirtualDelete IN (0, 2)")
        .arg(chart)
        .arg(account)
        .arg(quoted);
}

} // namespace orv::test
