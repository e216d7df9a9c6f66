#include "MenuCommand.h"

#include "PopupMenu.h"
#include "ShortCutText.h"
#include "field/ControlState.h"

namespace orv::menu {

void handleMenuCommand(FieldWork &work, const QString &tool, const QStringList &shortcuts,
                       const MenuCommands &commands)
{
    work.bSaltaKeyUp = false;
    if (work.bFocusInterno || work.bMenuAperto) {
        if (tool == searchObjectTool()) {
            work.bSaltaKeyUp = true;
            commands.searchObject(work.iCampoCorrente);
        } else if (tool == runApplicationTool()) {
            work.bSaltaKeyUp = true;
            commands.runApplication(work.iCampoCorrente);
        }
        return;
    }
    forwardToFocus(fnShortCutPrefix(shortcuts) + u'(' + fnShortCutKey(shortcuts) + u')');
}

} // namespace orv::menu
