#include "PopupMenu.h"

#include "SyntheticKeys.h"
#include "field/ModuleState.h"
#include "platform/Services.h"

#include <QApplication>
#include <QKeyEvent>
#include <QShortcut>
#include <QStyle>
#include <QStyleFactory>

#include <map>
#include <vector>

namespace orv::menu {

// The shortcuts of the field menus of one window: one QShortcut per key, a child of the window.
class WindowShortcuts final : public QObject {
    Q_OBJECT
public:
    static WindowShortcuts *find(QWidget *window)
    {
        return window ? window->findChild<WindowShortcuts *>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
    }
    static WindowShortcuts &of(QWidget *window)
    {
        WindowShortcuts *found = find(window);
        return found ? *found : *new WindowShortcuts(window);
    }

    void add(PopupMenu *menu)
    {
        m_menus.emplace_back(menu);
        for (const QAction *action : menu->actions()) {
            for (const QKeySequence &key : action->shortcuts()) {
                if (m_shortcuts.count(key) != 0)
                    continue;
                auto *shortcut = new QShortcut(key, parent(), nullptr, nullptr, Qt::WindowShortcut);
                shortcut->setAutoRepeat(false);
                shortcut->setEnabled(m_suspended == 0);
                QObject::connect(shortcut, &QShortcut::activated, this, [this, key] { activated(key); });
                m_shortcuts.emplace(key, shortcut);
            }
        }
    }
    void remove(const PopupMenu *menu) { std::erase(m_menus, menu); }

    void suspend()
    {
        if (m_suspended++ == 0)
            setEnabled(false);
    }
    void resume()
    {
        if (--m_suspended == 0)
            setEnabled(true);
    }

private:
    explicit WindowShortcuts(QWidget *window) : QObject(window) {}

    void setEnabled(bool enabled)
    {
        for (const auto &[key, shortcut] : m_shortcuts)
            shortcut->setEnabled(enabled);
    }

    // A field's boxes take the menu keys themselves, so the focus is outside every field here:
    // the first field's menu takes the key and passes it on.
    void activated(const QKeySequence &key)
    {
        std::erase(m_menus, nullptr);
        for (PopupMenu *menu : m_menus) {
            for (const QAction *action : menu->actions()) {
                if (action->shortcuts().contains(key)) {
                    Q_EMIT menu->commandChosen(action->objectName());
                    return;
                }
            }
        }
    }

    std::vector<QPointer<PopupMenu>> m_menus;
    std::map<QKeySequence, QShortcut *> m_shortcuts;
    int m_suspended = 0;
};

PopupMenu::PopupMenu(QWidget *field, int view) : QMenu(field), m_view(view)
{
    setObjectName(QLatin1String(kBandName));
    applyView();
    addTool(kToolRunApplication, runApplicationTool(), QStringLiteral("&Esegui Gestione..."),
            QStringLiteral("Control+G"));
    addTool(kToolSearchObject, searchObjectTool(), QStringLiteral("&Ricerca"), QStringLiteral("Control+R"));
    connect(this, &QMenu::aboutToShow, this, &PopupMenu::opened);
    connect(this, &QMenu::aboutToHide, this, [this] {
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (!isVisible())
                    Q_EMIT closed();
            },
            Qt::QueuedConnection);
    });
}

// A tool's shortcut is given in the suite's notation ("Control+R"); Qt names the key "Ctrl".
void PopupMenu::addTool(int id, const QString &name, const QString &caption, const QString &shortcut)
{
    QAction *action = addAction(caption);
    action->setObjectName(name);
    action->setData(id);
    action->setShortcut(
        QKeySequence::fromString(QString(shortcut).replace(QStringLiteral("Control"), QStringLiteral("Ctrl")),
                                 QKeySequence::PortableText));
    // Shown in the menu; the window's shortcuts and keyPressEvent deliver it.
    action->setShortcutContext(Qt::WidgetShortcut);
    connect(action, &QAction::triggered, this, [this, name] { Q_EMIT commandChosen(name); });
}

void PopupMenu::applyView()
{
    if (m_view == kViewPlain) {
        setStyleSheet(QStringLiteral("QMenu { border: 1px solid palette(dark); background: palette(base); }"
                                     "QMenu::item { padding: 3px 24px 3px 20px; }"
                                     "QMenu::item:selected { background: palette(highlight);"
                                     " color: palette(highlighted-text); }"
                                     "QMenu::item:disabled { color: palette(mid); }"));
    } else if (m_view == kViewFusion) {
        if (QStyle *fusion = QStyleFactory::create(QStringLiteral("Fusion"))) {
            fusion->setParent(this);
            setStyle(fusion);
        }
    }
}

QAction *PopupMenu::tool(const QString &name) const
{
    for (QAction *action : actions()) {
        if (action->objectName() == name)
            return action;
    }
    return nullptr;
}

QStringList PopupMenu::shortcutTexts(const QString &name) const
{
    QStringList texts;
    if (const QAction *action = tool(name)) {
        for (const QKeySequence &key : action->shortcuts())
            texts << key.toString(QKeySequence::PortableText);
    }
    return texts;
}

QString PopupMenu::toolForKey(const QKeyEvent &event) const
{
    const QKeySequence key(event.keyCombination());
    for (const QAction *action : actions()) {
        if (action->shortcuts().contains(key))
            return action->objectName();
    }
    return {};
}

void PopupMenu::attachTo(QWidget *window)
{
    if (m_window == window)
        return;
    if (WindowShortcuts *old = WindowShortcuts::find(m_window))
        old->remove(this);
    m_window = window;
    if (window)
        WindowShortcuts::of(window).add(this);
}

// The open menu takes the shortcut of an enabled tool as a click on it.
void PopupMenu::keyPressEvent(QKeyEvent *event)
{
    QAction *chosen = tool(toolForKey(*event));
    if (chosen && chosen->isEnabled()) {
        hide();
        chosen->trigger();
        return;
    }
    QMenu::keyPressEvent(event);
}

PopupMenu *sbCreatePopupMenu(QWidget *field)
{
    const QString stored =
        services::settings().read(moduleState().sSettingsAppName, QStringLiteral("MenuSettings"),
                                  QStringLiteral("View2"), QStringLiteral("2"));
    bool number = false;
    const int view = stored.trimmed().toInt(&number);
    return new PopupMenu(field, number ? view : kViewNative);
}

void forwardToFocus(const QString &sequence)
{
    QWidget *focus = QApplication::focusWidget();
    const std::vector<SyntheticKey> keys = keyEventsOf(sequence);
    if (!focus || keys.empty())
        return;
    WindowShortcuts *shortcuts = WindowShortcuts::find(focus->window());
    if (shortcuts)
        shortcuts->suspend();
    postKeyEvents(focus, keys);
    if (shortcuts)
        QMetaObject::invokeMethod(shortcuts, &WindowShortcuts::resume, Qt::QueuedConnection);
}

} // namespace orv::menu

#include "PopupMenu.moc"
