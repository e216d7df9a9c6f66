#pragma once

// The private part of OrvSearchACS2: for the field's own sources and, through fieldContextOf,
// for tests of the subsystems it calls. Not installed.

#include "OleColor.h"
#include "OrvSearchACS2.h"
#include "field/FieldContext.h"
#include "field/ModuleState.h"
#include "platform/Services.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>

#include <array>
#include <cmath>
#include <cstdint>
#include <exception>

class QKeyEvent;
class QMouseEvent;

namespace orv {

namespace menu {
class PopupMenu;
}

struct DesignRect;

// The dynamic properties of the boxes that keep their colour values.
inline constexpr char kOleBackColor[] = "orvOleBackColor";
inline constexpr char kOleForeColor[] = "orvOleForeColor";

// The font of the field and of its captions as designed: Tahoma 8.25 pt, regular.
inline QFont designFont()
{
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSizeF(8.25);
    return font;
}

class OrvSearchACS2::Private final : public FieldContext {
public:
    explicit Private(OrvSearchACS2 *owner) : q(owner) {}

    OrvSearchACS2 *q; // null once the field is destroyed
    ControlState s;
    std::array<QLineEdit *, 3> txtField{};
    std::array<QLabel *, 2> lblField{};
    menu::PopupMenu *popupMenu = nullptr; // BarMain, the context menu of the captions
    bool releaseEndsDoubleClick = false;
    // The box that had the focus when its window lost it to another window or a popup.
    int boxLeftForAnotherWindow = -1;
    // A key the host changed in KeyDown or KeyPress, on its way to the box.
    bool deliveringChangedKey = false;
    // Box texts written by the field itself, and the first error their change handling raised.
    int ownWrites = 0;
    std::exception_ptr pendingError;

    // Throws when the field is gone: every step of a running command that would touch it fails.
    void ensureAlive() const;

    // Twips and pixels on the screen the field lives on.
    int toPixelsX(int twips) const
    {
        return static_cast<int>(std::lround(twips / services::screen().twipsPerPixelX()));
    }
    int toPixelsY(int twips) const
    {
        return static_cast<int>(std::lround(twips / services::screen().twipsPerPixelY()));
    }
    int toTwipsY(int pixels) const
    {
        return static_cast<int>(std::lround(pixels * services::screen().twipsPerPixelY()));
    }
    void place(QWidget *widget, const DesignRect &rect);

    // A caption keeps its design height but grows to show its whole text.
    static void fitCaption(QLabel *label)
    {
        label->resize(std::max(label->width(), label->sizeHint().width()), label->height());
    }

    void createChildren();
    void initProperties();
    void layoutControl();
    void notify(const char *name) { Q_EMIT q->propertyChanged(QString::fromLatin1(name)); }

    void setOleColor(QWidget *widget, const char *key, QPalette::ColorRole role, std::uint32_t ole)
    {
        widget->setProperty(key, QVariant::fromValue(ole));
        paint(widget, role, ole);
    }
    static void paint(QWidget *widget, QPalette::ColorRole role, std::uint32_t ole)
    {
        QPalette palette = widget->palette();
        applyOleColor(palette, role, ole, QApplication::palette());
        widget->setPalette(palette);
    }
    // The field's own background, ControlBackColor; kept here, not as a property a form
    // designer would show and save.
    std::uint32_t controlBackColor = kSystemButtonFace;
    void setControlBackground(std::uint32_t ole)
    {
        controlBackColor = ole;
        q->setAutoFillBackground(true);
        paint(q, QPalette::Window, ole);
    }
    // Maps the colour values onto the palette again, after the system palette changed.
    void refreshOleColors();
    qint64 systemPaletteKey = 0;

    // Writes a box as the program does: the change handling runs, and an error it raises is the
    // error of this call.
    void writeBox(int box, const QString &text);
    // Change handling of the code box (0) and the description box (1).
    void onBoxChanged(int box);
    void boxChanged(int box);
    int boxIndex(const QObject *object) const
    {
        for (int i = 0; i < 3; ++i) {
            if (txtField[static_cast<std::size_t>(i)] == object)
                return i;
        }
        return -1;
    }
    bool filterBoxEvent(QObject *watched, int box, QEvent *event);
    bool filterKey(int box, QKeyEvent *event);
    bool filterMouse(QMouseEvent *event);
    int captionIndex(const QObject *object) const
    {
        return object == lblField[0] ? 0 : object == lblField[1] ? 1 : -1;
    }
    bool filterCaptionEvent(int caption, QEvent *event);
    void createPopupMenu();
    void menuCommand(const QString &tool);
    // Whether a tool's shortcut typed in a box runs its command: EnabledSearch, EnabledExecute.
    bool menuCommandAllowed(const QString &tool) const;
    // Starts the suite's management program for the entity in the field.
    void runApplication(int box);
    void lostFocus(int box);
    void shortcutKeyUp(std::int16_t code, std::int16_t shift);
    // Runs what the user started from the event loop; whatever it throws is shown, not passed on.
    // False when it threw.
    template <typename Entry> bool runCommand(Entry &&entry) noexcept;
    void reportError(const std::exception_ptr &error) noexcept;

    // FieldContext
    const ControlState &state() const override { return s; }
    FieldWork &work() override { return s; }
    void storeIDNode(std::int32_t id) override { s.IDNode = id; }
    void storeIDAnagrafica(std::int32_t id) override { s.IDAnagrafica = id; }
    void storeNodeType(std::int32_t type) override { s.NodeType = type; }
    void storeIDSearchTypeConto(std::int32_t type) override { s.IDSearchTypeConto = type; }
    void storeIDSearchTypeRamo(std::int32_t type) override { s.IDSearchTypeRamo = type; }
    QString boxText(int box) const override
    {
        ensureAlive();
        return txtField.at(static_cast<std::size_t>(box))->text();
    }
    void setBoxText(int box, const QString &text) override { writeBox(box, text); }
    void setBoxTextProperty(int box, const QString &text) override
    {
        ensureAlive();
        if (box == 0)
            q->setCode(text);
        else if (box == 1)
            q->setDescription(text);
        else
            q->setSecondDescription(text);
    }
    void setIDNodeProperty(std::int32_t id) override
    {
        ensureAlive();
        q->setIDNode(id);
    }
    void setIDAnagraficaProperty(std::int32_t id) override
    {
        ensureAlive();
        q->setIDAnagrafica(id);
    }
    void setNodeTypeProperty(std::int32_t type) override
    {
        ensureAlive();
        q->setNodeType(static_cast<OrvNodeType>(type));
    }
    void sbResetIDs() override
    {
        setIDNodeProperty(0);
        setIDAnagraficaProperty(0);
    }
    void raiseChangedElement() override
    {
        ensureAlive();
        Q_EMIT q->ChangedElement();
    }
    void raiseErrorInLostFocus() override
    {
        ensureAlive();
        Q_EMIT q->ErrorInLostFocus();
    }
    void setFocusToBox(int box) override;
    QWidget *dialogParent() override
    {
        ensureAlive();
        return q;
    }
    QString applicationName() const override { return moduleState().sApplicationName; }
};

// What the lookups, loaders and searches see of a field: a way in for tests of operations that
// the field runs for them and no public method reaches.
FieldContext &fieldContextOf(OrvSearchACS2 &field);

} // namespace orv
