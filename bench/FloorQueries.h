#pragma once

#include <QString>

#include <cstdint>

namespace orv::test {

// Answers of the accounting methods computed by one recursive statement straight on the
// database: the floor the benchmarks measure the accounting methods against.

// The debit and credit totals of branch `branch` for fiscal year `year`: a terminal branch
// sums its live and archived links, any other its live and archived child branches. The links
// are sought by the list of terminal branches and each totals row by its key: written as plain
// joins, SQLite first builds Bloom filters over the whole link and totals tables.
inline QString branchTotalsFloorSql(std::int32_t branch, std::int32_t year, bool postgres = false)
{
    // PostgreSQL has neither TOTAL() nor a rowid, and plans the plain join well.
    const QString totals =
        postgres
            ? QStringLiteral(" SELECT COALESCE(SUM(p.Dare), 0), COALESCE(SUM(p.Avere), 0) FROM ContoPerPDC c"
                             " JOIN ProgressivoContoEsercizio p ON p.IDContoPDC = c.IDContoPDC"
                             " AND p.IDEsercizio = %2"
                             " WHERE c.IDElementoPDC IN (SELECT id FROM sub WHERE term <> 0)"
                             " AND c.VirtualDelete IN (0, 2)")
            : QStringLiteral(
                  " SELECT TOTAL(p.Dare), TOTAL(p.Avere) FROM ContoPerPDC c, ProgressivoContoEsercizio p"
                  " WHERE c.IDElementoPDC IN (SELECT id FROM sub WHERE term <> 0)"
                  " AND c.VirtualDelete IN (0, 2)"
                  " AND p.rowid = (SELECT q.rowid FROM ProgressivoContoEsercizio q"
                  " WHERE q.IDContoPDC = c.IDContoPDC AND q.IDEsercizio = %2)");
    return (QStringLiteral(
                "WITH RECURSIVE sub(id, term) AS ("
                " SELECT IDElementoPDC, COALESCE(ElementoTerminale, 0) FROM ElementoPDC"
                " WHERE IDElementoPDC = %1 AND VirtualDelete IN (0, 2)"
                " UNION ALL"
                " SELECT e.IDElementoPDC, COALESCE(e.ElementoTerminale, 0) FROM sub JOIN ElementoPDC e"
                " ON e.IDElementoPDCPadre = sub.id WHERE sub.term = 0 AND e.VirtualDelete IN (0, 2))") +
            totals)
        .arg(branch)
        .arg(year);
}

// The full code of an account in chart `chart`, from its first live or archived link: the
// link's branch and account segments, then one parent after the other up to the top.
inline QString accountCodeFloorSql(std::int32_t chart, std::int32_t account, const QString &separator)
{
    QString quoted = separator;
    quoted.replace(QLatin1String("'"), QLatin1String("''"));
    return QStringLiteral("WITH RECURSIVE up(parent, code) AS ("
                          " SELECT x.IDElementoPDCPadre, TRIM(x.Codifica) || '%3' || TRIM(a.Codifica)"
                          " FROM ContoPDC a JOIN ContoPerPDC c ON c.IDContoPDC = a.IDContoPDC"
                          " JOIN ElementoPDC x ON x.IDElementoPDC = c.IDElementoPDC"
                          " WHERE a.IDContoPDC = %2 AND x.IDPianoDeiConti = %1 AND a.VirtualDelete IN (0, 2)"
                          " AND c.VirtualDelete IN (0, 2) AND x.VirtualDelete IN (0, 2)"
                          " UNION ALL"
                          " SELECT e.IDElementoPDCPadre, TRIM(e.Codifica) || '%3' || up.code"
                          " FROM up JOIN ElementoPDC e ON e.IDElementoPDC = up.parent)"
                          " SELECT code FROM up WHERE parent IS NULL LIMIT 1")
        .arg(chart)
        .arg(account)
        .arg(quoted);
}

} // namespace orv::test
