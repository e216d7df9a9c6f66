#pragma once

#include "data/DbConnection.h"

#include <QDialog>
#include <QString>

#include <cstdint>
#include <memory>

namespace orv {

// The modal chart-of-accounts browser: the chart as a tree loaded as it is expanded, a list of
// the accounts and branches found, and a code box and a description box to search with (Enter).
// The caller sets the inputs, calls exec() and reads IDNode and TypeNode back; OK hands back the
// list's current row when it obeys the restrictions, and refuses it with a message otherwise;
// Annulla, Escape or closing the window hand back nothing (IDNode 0). Enter or a double click in
// the list is OK; F1 opens the help file named by the application's "helpFile" property.
//
// The children have fixed object names: "fraSearch", "lblCod", "txtCodifica", "lblDescrizione",
// "txtDescrizione", "cmdOK", "cmdEsc", "chkVisTree", "trvTreeView" and "lstListView".
class frmSearchAccount : public QDialog {
    Q_OBJECT

public:
    explicit frmSearchAccount(QWidget *parent = nullptr);
    ~frmSearchAccount() override;

    // Inputs and result, as the caller sets them before exec() and reads them after.
    DbConnectionPtr oConnect;
    QString SearchSQL;            // not used by the browser
    QObject *frmActive = nullptr; // not used by the browser
    bool bAnagrafiche = false;    // not used by the browser
    QString Codifica;             // in: the code to search at once; out: the code box of the choice
    QString Descrizione;          // in: the description to search at once; out: the chosen account's
    std::int32_t IDNode = 0;      // out: the chosen account or branch; 0 nothing chosen
    std::int32_t TypeNode = 0;    // out: 0 an account, 1 a branch
    bool bOnlyConto = false;      // only accounts may be chosen
    bool bCliente = false;        // customer accounts are searched
    bool bFornitore = false;      // supplier accounts are searched
    bool bHideLeaf = false;       // only branches may be chosen
    bool bEnabledSearch = false;  // not used by the browser
    bool bEnabledExecute = false; // not used by the browser
    bool bOnlyTerminalBranch = false;
    std::int32_t lIDSearchTypeConto = 0; // required account type: 0 any
    std::int32_t lIDSearchTypeRamo = 0;  // required branch type: 0 any
    QString sSepCod;                     // the chart's code separator
    std::int32_t lIDPDC = 0;             // the chart
    QString sCaption;
    std::int16_t iTypeCaller = 0; // not used by the browser

    // Whether the tree is hidden and the list fills the dialog. Setting it before exec() chooses
    // how the dialog opens; it does not change an open dialog's layout.
    bool TreeHidden() const;
    void setTreeHidden(bool hidden);

    // Loads the tree and the list, runs the search of Codifica and Descrizione, then stays modal
    // until OK is accepted or the dialog is cancelled. A database error while loading reaches
    // the caller before the dialog shows.
    int exec() override;

private:
    class Private;
    std::unique_ptr<Private> const d;
};

} // namespace orv
