#include "SearchCommand.h"

#include "AccountSearch.h"
#include "MenuSearch.h"
#include "field/FieldContext.h"
#include "field/OrvEnums.h"

namespace orv::lookup {

void sbSearchObject(FieldContext &field, std::int16_t &index)
{
    const ControlState &s = field.state();
    FieldWork &w = field.work();
    if (s.SearchType == OrvSearchAccounts) {
        const std::int32_t before = s.IDNode;
        sbCallSearchPDC(field, field.boxText(0), field.boxText(1));
        if (s.IDNode == before) {
            w.bCodiceModificato = false;
            w.bDescrizioneModificata = false;
        }
        return; // a new node was loaded, flags and all
    }

    const std::int32_t before = s.IDAnagrafica;
    const bool allEntries = s.SearchType == OrvSearchAllAnagraphics;
    const std::int16_t kind = allEntries ? std::int16_t{1} : index;
    const int box = allEntries ? 1 : (index >= 0 && index <= 2 ? index : 0);
    sbCallFromMenuSearch(field, kind, field.boxText(box));

    if (s.IDAnagrafica != before)
        return; // the entry picked was loaded, flags and all
    if (s.IDAnagrafica == 0) {
        // Nothing picked and nothing named: nothing half-typed stays behind.
        if (!allEntries)
            field.setBoxText(0, QString());
        field.setBoxText(1, QString());
        field.setBoxText(2, QString());
        field.sbResetIDs();
    }
    w.bCodiceModificato = false;
    w.bDescrizioneModificata = false;
}

} // namespace orv::lookup
