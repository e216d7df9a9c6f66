#pragma once

#include <QMenu>
#include <QPointer>
#include <QStringList>

class QKeyEvent;

namespace orv::menu {

// The band of the menu and its tools, by id and name, in menu order.
inline constexpr char kBandName[] = "PopUp";
inline constexpr int kToolRunApplication = 1;
inline constexpr int kToolSearchObject = 2;
inline QString runApplicationTool()
{
    return QStringLiteral("Mnu_RunApplication");
}
inline QString searchObjectTool()
{
    return QStringLiteral("Mnu_SearchObject");
}

// The looks the user setting "MenuSettings"/"View2" chooses between; any other value is the
// application's own look.
enum MenuView : int {
    kViewPlain = 0,  // a flat frame and plain items, drawn by a style sheet
    kViewFusion = 1, // Qt's Fusion style, the same on every platform
    kViewNative = 2, // the application's style (the default)
};

// A field's context menu: the band "PopUp" with the search and the management launch. A tool
// is chosen by a click in the open menu, by its shortcut while the menu is open, or by its
// shortcut pressed anywhere in the window the menu is attached to; each way ends in
// commandChosen. The menu's parent is the field.
class PopupMenu final : public QMenu {
    Q_OBJECT
public:
    PopupMenu(QWidget *field, int view);

    int view() const { return m_view; }
    // The tool of that name, or null.
    QAction *tool(const QString &name) const;
    // The tool's shortcuts as texts, in Qt's portable notation ("Ctrl+R").
    QStringList shortcutTexts(const QString &name) const;
    // The tool whose shortcut the key is, or an empty text.
    QString toolForKey(const QKeyEvent &event) const;

    // The tools' shortcuts reach this menu from that window while the popup is closed and the
    // focus is outside the field. One shortcut per key serves every field of a window (two
    // would make the key ambiguous, and Qt runs neither): it goes to the first field's menu.
    void attachTo(QWidget *window);

Q_SIGNALS:
    void opened();
    // Qt hides a menu before it triggers the item chosen: the close is told once the event
    // loop is back, so the command chosen still finds the menu open.
    void closed();
    void commandChosen(const QString &tool);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void addTool(int id, const QString &name, const QString &caption, const QString &shortcut);
    void applyView();

    int m_view;
    QPointer<QWidget> m_window;
};

// Builds the field's menu (`sbCreatePopupMenu`), in the look of the user setting
// "MenuSettings"/"View2" read under the settings application name; a value that is no number
// reads as the default 2.
PopupMenu *sbCreatePopupMenu(QWidget *field);

// Types the sequence (key-sequence notation, see keyEventsOf) into the widget that has the focus,
// without waiting for it to be processed. The menu shortcuts of its window stand aside until the
// keys are through, so that a forwarded key reaches the widget and not a menu again.
void forwardToFocus(const QString &sequence);

} // namespace orv::menu
