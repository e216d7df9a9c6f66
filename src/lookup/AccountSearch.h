#pragma once

#include <QString>

namespace orv {
class FieldContext;
}

namespace orv::lookup {

// The account searches of a field, all in the chart-of-accounts browser. Database errors reach
// the caller.

// Opens the browser on the field's chart, restrictions and boxes, with the tree shown or hidden
// as the user last left it, and stores the choice: NodeType directly, then IDNode through its
// property, which loads the node. Nothing chosen changes nothing. The tree's visibility is
// remembered whatever the outcome.
void sbOpenSearchAccount(FieldContext &field);

// The host's (and Ctrl+R's) account search: the browser preset with sCodice when it holds the
// chart's separator (a code without one is never carried in) and with sDes, trimmed; afterwards
// the node in IDNode, chosen now or before, is loaded again and the edit flags are clear.
void sbCallSearchPDC(FieldContext &field, const QString &sCodice, const QString &sDes);

// Finds a customer or supplier through its account: the browser restricted to customer (6) or
// supplier (7) accounts, which stays the field's restriction afterwards, preset with the
// description when an account or branch of that kind begins with it; nothing chosen resets the
// ids. Any other field opens the browser on its own restrictions. The focus goes to the
// description box.
void sbAnagraficaCallFromMenuSearchPDC(FieldContext &field, const QString &sDescrizioneCF);

// The chart path of the lookup by description, run with the lookup's errors ignored: one account
// or one branch whose description begins with the box text fills the field; several accounts go
// to the search command, which ends the lookup itself (true); anything else opens the browser
// with the boxes' texts and ends as a failure (ErrorInLostFocus).
bool searchChartByDescription(FieldContext &field);

} // namespace orv::lookup
