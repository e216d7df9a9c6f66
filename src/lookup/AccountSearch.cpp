#include "AccountSearch.h"

#include "LookupSupport.h"
#include "SearchCommand.h"
#include "accounting/AccountCodes.h"
#include "accounting/Loaders.h"
#include "browser/frmSearchAccount.h"
#include "data/AnsiText.h"
#include "data/DbUtility.h"
#include "field/FieldContext.h"
#include "field/ModuleState.h"
#include "field/OrvEnums.h"
#include "platform/Services.h"

#include <QCoreApplication>
#include <QStringBuilder>

namespace orv::lookup {

namespace {

const QString kMenuSettings = QStringLiteral("MenuSettings");
const QString kTreeHidden = QStringLiteral("TreeHidden");

// "<text>%'": the text's literal with its closing apostrophe replaced, so that it matches every
// text that begins with it. The text goes in as it is, blanks included.
QString prefixPattern(const QString &text)
{
    QString literal = dbUtility().SqlText(text);
    literal.chop(1);
    return literal + QLatin1String("%'");
}

// The node the field names now, loaded again into its boxes.
void reloadNode(FieldContext &field)
{
    const ControlState &s = field.state();
    if (s.IDNode <= 0)
        return;
    auto type = static_cast<std::int16_t>(s.NodeType);
    std::int32_t id = s.IDNode;
    accounting::sbLoadNode(field, type, id);
    field.work().bCodiceModificato = false;
    field.work().bDescrizioneModificata = false;
}

} // namespace

void sbOpenSearchAccount(FieldContext &field)
{
    const ControlState &s = field.state();
    frmSearchAccount dialog;
    dialog.oConnect = s.Connection;
    dialog.sCaption = s.CaptionSearch;
    dialog.lIDPDC = s.IDPDC;
    dialog.lIDSearchTypeConto = s.IDSearchTypeConto;
    dialog.lIDSearchTypeRamo = s.IDSearchTypeRamo;
    dialog.bCliente = s.IDSearchTypeConto == OrvCustomersAccounts;
    dialog.bFornitore = s.IDSearchTypeConto == OrvSuppliersAccounts;
    dialog.bOnlyConto = s.OnlyAccounts;
    dialog.bHideLeaf = s.HideLeaf;
    field.work().sSeparatoreCodifica = accounting::fnGetSeparatoreCodifica(s.Connection.get(), s.IDPDC);
    dialog.sSepCod = s.sSeparatoreCodifica;
    dialog.Codifica = field.boxText(0);
    dialog.Descrizione = field.boxText(1);
    dialog.bOnlyTerminalBranch = s.OnlyTerminalBranch;

    const QString application = moduleState().sSettingsAppName;
    const QString stored =
        services::settings().read(application, kMenuSettings, kTreeHidden, QStringLiteral("False"));
    dialog.setTreeHidden(Variant(stored).toBool());
    dialog.exec();
    services::settings().write(application, kMenuSettings, kTreeHidden,
                               Variant::boolean(dialog.TreeHidden()).toText());

    // The kind first: loading the id reads it.
    if (dialog.IDNode > 0) {
        field.storeNodeType(dialog.TypeNode);
        field.setIDNodeProperty(dialog.IDNode);
    }
}

void sbCallSearchPDC(FieldContext &field, const QString &sCodice, const QString &sDes)
{
    const bool isChartCode = accounting::fnContieneSeparatore(field.state().sSeparatoreCodifica, sCodice);
    field.setBoxTextProperty(0, isChartCode ? trimBlanks(sCodice) : QString());
    field.setBoxTextProperty(1, sDes.isEmpty() ? QString() : trimBlanks(sDes));
    field.work().bRicercaInCorso = true;
    sbOpenSearchAccount(field);
    QCoreApplication::processEvents();
    // A node chosen before is loaded again too, also after a cancel.
    reloadNode(field);
    field.work().bRicercaInCorso = false;
}

void sbAnagraficaCallFromMenuSearchPDC(FieldContext &field, const QString &sDescrizioneCF)
{
    const ControlState &s = field.state();
    field.work().bRicercaInCorso = true;
    if (s.SearchType == OrvSearchCustomers || s.SearchType == OrvSearchSuppliers) {
        const std::int32_t accountType =
            s.SearchType == OrvSearchCustomers ? OrvCustomersAccounts : OrvSuppliersAccounts;
        field.storeIDSearchTypeConto(accountType);
        field.storeIDSearchTypeRamo(OrvAllBranchs);
        // Whether any account or branch of the kind begins with the text.
        const QString pattern = prefixPattern(sDescrizioneCF);
        const QString chart = QString::number(s.IDPDC);
        const QString type = QString::number(accountType);
        QString sql =
            QStringLiteral("SELECT") % QLatin1String(" ElementoPDC.IDElementoPDC") % QLatin1String(" FROM") %
            QLatin1String(" ContoPDC,") % QLatin1String(" ContoPerPDC,") % QLatin1String(" ElementoPDC") %
            QLatin1String(" WHERE") % QLatin1String(" IDPianoDeiConti = ") % chart % QLatin1String(" AND") %
            QLatin1String(" ContoPerPDC.IDElementoPDC = ElementoPDC.IDElementoPDC") % QLatin1String(" AND") %
            QLatin1String(" ContoPerPDC.IDContoPDC = ContoPDC.IDContoPDC") % QLatin1String(" AND") %
            QLatin1String(" ContoPDC") % QLatin1String(" LIKE ") % pattern % QLatin1String(" AND") %
            QLatin1String(" ContoPDC.IDTipoConto = ") % type % QLatin1String(" UNION") %
            QLatin1String(" SELECT") % QLatin1String(" IDElementoPDC") % QLatin1String(" FROM") %
            QLatin1String(" ElementoPDC") % QLatin1String(" WHERE") % QLatin1String(" IDPianoDeiConti = ") %
            chart % QLatin1String(" AND") % QLatin1String(" ElementoPDC") % QLatin1String(" LIKE ") %
            pattern % QLatin1String(" AND") % QLatin1String(" IDTipoConto = ") % type;
        std::unique_ptr<DbResultSet> rs = runSql(s.Connection.get(), sql);
        if (rs->Eof())
            sbCallSearchPDC(field, QString(), QString());
        else
            sbCallSearchPDC(field, QString(), sDescrizioneCF);
        rs->Close();
        if (s.IDNode == 0)
            field.sbResetIDs();
    } else {
        field.work().bRicercaInCorso = true;
        field.setBoxTextProperty(1, trimBlanks(sDescrizioneCF));
        sbOpenSearchAccount(field);
        reloadNode(field);
    }
    ignoringErrors([&] { field.setFocusToBox(1); });
    field.work().bRicercaInCorso = false;
}

bool searchChartByDescription(FieldContext &field)
{
    const ControlState &s = field.state();
    FieldWork &w = field.work();
    CurrentResultSet rs;
    std::int32_t foundId = 0;
    std::int32_t foundRegistryId = 0;
    QString foundCode;
    QString foundDescription;
    bool accountFound = false;
    bool branchFound = false;
    ignoringErrors([&] { foundCode = field.boxText(0); });
    ignoringErrors([&] { foundDescription = field.boxText(1); });
    QString pattern;
    ignoringErrors([&] { pattern = prefixPattern(field.boxText(1)); });

    bool hasAccounts = false;
    ignoringErrors([&] {
        QString sql =
            QStringLiteral("SELECT") % QLatin1String(" ContoPDC.IDContoPDC,") % QLatin1String(" ContoPDC,") %
            QLatin1String(" IDAnagrafica") % QLatin1String(" FROM") % QLatin1String(" ContoPDC,") %
            QLatin1String(" ContoPerPDC,") % QLatin1String(" ElementoPDC") % QLatin1String(" WHERE") %
            QLatin1String(" ElementoPDC.IDPianoDeiConti = ") % QString::number(s.IDPDC) %
            QLatin1String(" AND") % QLatin1String(" ContoPerPDC.IDElementoPDC = ElementoPDC.IDElementoPDC") %
            QLatin1String(" AND") % QLatin1String(" ContoPerPDC.IDContoPDC = ContoPDC.IDContoPDC") %
            QLatin1String(" AND") % QLatin1String(" ContoPDC") % QLatin1String(" LIKE ") % pattern;
        rs.take(runSql(s.Connection.get(), sql, kRewindable));
        hasAccounts = !rs->Eof();
    });
    if (hasAccounts) {
        bool several = false;
        ignoringErrors([&] {
            rs->MoveNext();
            several = !rs->Eof();
        });
        if (several) {
            // The search command opens the browser; it ends the lookup's suspension itself.
            ignoringErrors([&] { sbSearchObject(field, w.iCampoCorrente); });
            return true;
        }
        ignoringErrors([&] { rs->MoveFirst(); });
        ignoringErrors([&] { foundId = longOf(*rs, QStringLiteral("IDContoPDC")); });
        ignoringErrors([&] { foundRegistryId = parsedIdOf(*rs, QStringLiteral("IDAnagrafica")); });
        ignoringErrors([&] { foundCode = accounting::fnGetCodificaConto(s, w, foundId); });
        ignoringErrors([&] { foundDescription = textOf(*rs, QStringLiteral("ContoPDC")); });
        w.bDescrizioneModificata = false;
        w.bCodiceModificato = false;
        accountFound = true;
    } else {
        // One branch of any chart whose description begins with the text is taken; several, like
        // none, are left to the browser.
        bool oneBranch = false;
        ignoringErrors([&] {
            QString sql = QStringLiteral("SELECT") % QLatin1String(" IDElementoPDC,") %
                          QLatin1String(" ElementoPDC") % QLatin1String(" FROM") %
                          QLatin1String(" ElementoPDC") % QLatin1String(" WHERE") %
                          QLatin1String(" VirtualDelete = 0") % QLatin1String(" AND") %
                          QLatin1String(" ElementoPDC") % QLatin1String(" LIKE ") % pattern;
            rs.take(runSql(s.Connection.get(), sql, kRewindable));
            if (rs->Eof())
                return;
            rs->MoveNext();
            oneBranch = rs->Eof();
            rs->MoveFirst();
        });
        if (oneBranch) {
            ignoringErrors([&] { foundId = longOf(*rs, QStringLiteral("IDElementoPDC")); });
            ignoringErrors([&] { foundCode = accounting::fnGetCodificaRamo(s, w, Variant(foundId)); });
            ignoringErrors([&] { foundDescription = textOf(*rs, QStringLiteral("ElementoPDC")); });
            w.bDescrizioneModificata = false;
            w.bCodiceModificato = false;
            branchFound = true;
        }
    }
    rs.close();

    if (!accountFound && !branchFound) {
        ignoringErrors([&] { sbCallSearchPDC(field, foundCode, foundDescription); });
        ignoringErrors([&] { field.raiseErrorInLostFocus(); });
        ignoringErrors([&] { field.setFocusToBox(1); });
        return false;
    }
    ignoringErrors([&] { field.setNodeTypeProperty(branchFound ? OrvBranch : OrvLeaf); });
    ignoringErrors([&] { field.setBoxText(0, foundCode); });
    ignoringErrors([&] { field.setBoxText(1, foundDescription); });
    ignoringErrors([&] { field.setFocusToBox(1); });
    w.bDescrizioneModificata = false;
    w.bCodiceModificato = false;
    ignoringErrors([&] { field.setIDNodeProperty(foundId); });
    ignoringErrors([&] { field.setIDAnagraficaProperty(foundRegistryId); });
    return false;
}

} // namespace orv::lookup
