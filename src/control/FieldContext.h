#pragma once

#include "ControlState.h"

#include <QString>

class QWidget;

namespace orv {

// What the lookups, loaders and searches see of a control: its fields, its boxes, the
// property assignments that raise events, and the operations of other subsystems that they
// call through the control. The control implements it; tests may too.
class FieldContext {
public:
    virtual ~FieldContext() = default;

    virtual ControlState &state() = 0;

    // Box 0 code, 1 description, 2 second description. Writing a text is like the host
    // assigning Code/Description/SecondDescription: it runs the change handling.
    virtual QString boxText(int box) const = 0;
    virtual void setBoxText(int box, const QString &text) = 0;
    // The same through the Code, Description or SecondDescription property, which also tells
    // the container that the property changed. A context without a container just writes.
    virtual void setBoxTextProperty(int box, const QString &text) { setBoxText(box, text); }

    // Assignments through the properties, with their events and notifications.
    virtual void setIDNodeProperty(std::int32_t id) = 0;
    virtual void setIDAnagraficaProperty(std::int32_t id) = 0;
    virtual void setNodeTypeProperty(std::int32_t type) = 0;
    virtual void sbResetIDs() = 0;

    virtual void raiseChangedElement() = 0;
    virtual void raiseErrorInLostFocus() = 0;
    // Puts the focus on a box; fails (throws) when the box cannot take it.
    virtual void setFocusToBox(int box) = 0;

    // The chart path of the lookup by code: resolves a full account or branch code of the
    // current chart and fills the field. False when the code is refused; the user has then
    // been told why, and the caller ends the lookup as failed.
    virtual bool resolveChartCode(const QString &code) = 0;
    // The account of a registry entry in the current chart, 0 when it has none.
    virtual std::int32_t fnGetIDContoAnagrafica(std::int32_t idAnagrafica) = 0;

    // The window that owns dialogs and message boxes, and the title of message boxes.
    virtual QWidget *dialogParent() = 0;
    virtual QString applicationName() const = 0;
};

} // namespace orv
