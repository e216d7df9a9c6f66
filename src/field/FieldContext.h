#pragma once

#include "ControlState.h"

#include <QString>

class QWidget;

namespace orv {

// What the lookups, loaders and searches see of a control: its fields, read-only, and its work,
// its boxes, the property assignments that raise events, and the few fields a step stores
// directly. The control implements it; tests may too.
class FieldContext {
public:
    virtual ~FieldContext() = default;

    virtual const ControlState &state() const = 0;
    virtual FieldWork &work() = 0;

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
    // The same fields stored directly: no event, no notice, no load.
    virtual void storeIDNode(std::int32_t id) = 0;
    virtual void storeIDAnagrafica(std::int32_t id) = 0;
    virtual void storeNodeType(std::int32_t type) = 0;
    virtual void storeIDSearchTypeConto(std::int32_t type) = 0;
    virtual void storeIDSearchTypeRamo(std::int32_t type) = 0;

    virtual void raiseChangedElement() = 0;
    virtual void raiseErrorInLostFocus() = 0;
    // Puts the focus on a box; fails (throws) when the box cannot take it.
    virtual void setFocusToBox(int box) = 0;

    // The window that owns dialogs and message boxes, and the title of message boxes.
    virtual QWidget *dialogParent() = 0;
    virtual QString applicationName() const = 0;
};

} // namespace orv
