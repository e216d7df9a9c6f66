#include "FormPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace orv::browser {

void sbCenterForm(QWidget *window, QWidget *container)
{
    if (!window)
        return;
    QPoint origin;
    QSize area;
    if (!container) {
        QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
        if (!screen)
            return;
        origin = screen->geometry().topLeft();
        area = screen->geometry().size();
    } else {
        area = container->contentsRect().size();
        if (window->isWindow() || window->parentWidget() != container)
            origin = container->mapToGlobal(container->contentsRect().topLeft());
    }
    const QSize size = window->isWindow() ? window->frameGeometry().size() : window->size();
    const int top = std::max(origin.y(), origin.y() + (area.height() - size.height()) / 2);
    const int left = std::max(origin.x(), origin.x() + (area.width() - size.width()) / 2);
    window->move(left, top);
}

} // namespace orv::browser
