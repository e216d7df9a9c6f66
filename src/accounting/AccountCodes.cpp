#include "AccountCodes.h"

#include "data/AnsiText.h"
#include "data/Blanks.h"
#include "data/DbUtility.h"
#include "data/RuntimeError.h"

#include <QStringBuilder>

namespace orv::accounting {

namespace {

QString codificaRamo(const ControlState &s, FieldWork &w, const Variant &vIDElementoPDC, int depth)
{
    if (vIDElementoPDC.isNull() || vIDElementoPDC.toText().isEmpty())
        return QString();
    const QString key = branchCacheKey(vIDElementoPDC);
    if (!w.colCodificheRami)
        w.colCodificheRami.emplace();
    if (const auto cached = w.colCodificheRami->constFind(key); cached != w.colCodificheRami->constEnd())
        return *cached;
    if (depth >= kMaxBranchDepth)
        raiseError(
            kErrOutOfStackSpace,
            QStringLiteral("Out of stack space: the parents of branch %1 loop").arg(vIDElementoPDC.toText()));

    QString sql = QStringLiteral("SELECT") % QLatin1String(" Codifica,") %
                  QLatin1String(" IDElementoPDCPadre") % QLatin1String(" FROM") %
                  QLatin1String(" ElementoPDC") % QLatin1String(" WHERE") %
                  QLatin1String(" IDPianoDeiConti = ") % QString::number(s.IDPDC) % QLatin1String(" AND") %
                  QLatin1String(" IDElementoPDC = ") % vIDElementoPDC.toText();
    const std::unique_ptr<DbResultSet> rs = runSql(s.Connection.get(), sql);
    if (rs->Eof()) {
        rs->Close();
        return QString();
    }
    const Variant parent = rs->Fields().Item(QStringLiteral("IDElementoPDCPadre")).Value();
    const QString own =
        trimBlanks(dbUtility().NullToValue(rs->Fields().Item(QStringLiteral("Codifica"))).toText());
    QString code;
    if (!parent.isNull())
        code = trimBlanks(codificaRamo(s, w, parent, depth + 1)) % w.sSeparatoreCodifica % own;
    else
        code = own;
    rs->Close();
    w.colCodificheRami->insert(key, code);
    return code;
}

} // namespace

QString branchCacheKey(const Variant &vIDElementoPDC)
{
    switch (vIDElementoPDC.type()) {
    case Variant::Type::Integer:
    case Variant::Type::Long:
        return signBlank(vIDElementoPDC.toLong());
    default: {
        const double number = vIDElementoPDC.toDouble();
        return (number < 0 ? QString() : QStringLiteral(" ")) % Variant(number).toText();
    }
    }
}

QString fnGetSeparatoreCodifica(DbConnection *connection, std::int32_t lIDPDC)
{
    QString sql = QStringLiteral("SELECT") % QLatin1String(" SeparatoreCodifica") % QLatin1String(" FROM") %
                  QLatin1String(" PianoDeiConti") % QLatin1String(" WHERE") %
                  QLatin1String(" IDPianoDeiConti = ") % QString::number(lIDPDC);
    const std::unique_ptr<DbResultSet> rs = runSql(connection, sql);
    QString separator;
    if (!rs->Eof())
        separator = trimBlanks(
            dbUtility().NullToValue(rs->Fields().Item(QStringLiteral("SeparatoreCodifica"))).toText());
    rs->Close();
    return separator;
}

QString fnGetCodificaRamo(const ControlState &s, FieldWork &work, const Variant &vIDElementoPDC)
{
    return codificaRamo(s, work, vIDElementoPDC, 0);
}

QString fnGetCodificaConto(const ControlState &s, FieldWork &work, std::int32_t lIDConto)
{
    QString sql = QStringLiteral("SELECT") % QLatin1String(" Epdc.IDElementoPDC,Cp.Codifica") %
                  QLatin1String(" FROM") %
                  QLatin1String(" ElementoPDC AS Epdc, ContoPerPDC AS Cpp,ContoPDC AS Cp") %
                  QLatin1String(" WHERE") % QLatin1String(" Epdc.IDPianoDeiConti =") % signBlank(s.IDPDC) %
                  QLatin1String(" AND Epdc.IDElementoPDC = Cpp.IDElementoPDC") %
                  QLatin1String(" AND Cpp.IDContoPDC = Cp.IDContoPDC") %
                  QLatin1String(" AND Cp.IDContoPDC = ") % dbUtility().SqlNumber(Variant(lIDConto)) %
                  QLatin1String(" AND (Epdc.VirtualDelete = 0 or Epdc.VirtualDelete = 2)") %
                  QLatin1String(" AND (Cpp.VirtualDelete = 0 or Cpp.VirtualDelete = 2)") %
                  QLatin1String(" AND (Cp.VirtualDelete = 0 or Cp.VirtualDelete = 2)");
    const std::unique_ptr<DbResultSet> rs = runSql(s.Connection.get(), sql);
    QString code;
    if (!rs->Eof()) {
        const QString branch =
            fnGetCodificaRamo(s, work, rs->Fields().Item(QStringLiteral("IDElementoPDC")).Value());
        // The own code is read as it is: a Null one is an error of the caller's request.
        const QString own = trimBlanks(rs->Fields().Item(QStringLiteral("Codifica")).Value().toText());
        code = trimBlanks(branch % work.sSeparatoreCodifica % own);
    }
    rs->Close();
    return code;
}

bool fnContieneSeparatore(const QString &separator, const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (QStringView(text).mid(i, 1) == separator)
            return true;
    }
    return false;
}

Variant fnGetEsercizioPDC(DbConnection *connection, std::int32_t lIDPianoDeiConti)
{
    Variant year = Variant::integer(-1);
    QString sql = QStringLiteral("SELECT PianoDeiConti.IDEsercizio") % QLatin1String(" FROM PianoDeiConti") %
                  QLatin1String(" WHERE PianoDeiConti.IDPianoDeiConti = ") %
                  QString::number(lIDPianoDeiConti);
    const std::unique_ptr<DbResultSet> rs = runSql(connection, sql);
    if (!rs->Eof())
        year = dbUtility().NullToValue(rs->Fields().Item(QStringLiteral("IDEsercizio")));
    rs->Close();
    return year;
}

} // namespace orv::accounting
