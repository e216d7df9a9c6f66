#include "QtScreenService.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>

namespace orv {

namespace {

constexpr double kTwipsPerInch = 1440.0;
constexpr double kFallbackTwipsPerPixel = 15.0;

bool hasGuiApplication()
{
    return qobject_cast<QGuiApplication *>(QCoreApplication::instance()) != nullptr;
}

QScreen *primaryScreen()
{
    return hasGuiApplication() ? QGuiApplication::primaryScreen() : nullptr;
}

double twipsPerPixel(double dotsPerInch)
{
    return dotsPerInch > 0.0 ? kTwipsPerInch / dotsPerInch : kFallbackTwipsPerPixel;
}

} // namespace

class QtScreenService::Private {
public:
    int busyDepth = 0;
};

QtScreenService::QtScreenService() : d(std::make_unique<Private>()) {}

QtScreenService::~QtScreenService()
{
    if (!hasGuiApplication())
        return;
    for (; d->busyDepth > 0; --d->busyDepth)
        QGuiApplication::restoreOverrideCursor();
}

double QtScreenService::twipsPerPixelX()
{
    QScreen *screen = primaryScreen();
    return screen ? twipsPerPixel(screen->logicalDotsPerInchX()) : kFallbackTwipsPerPixel;
}

double QtScreenService::twipsPerPixelY()
{
    QScreen *screen = primaryScreen();
    return screen ? twipsPerPixel(screen->logicalDotsPerInchY()) : kFallbackTwipsPerPixel;
}

void QtScreenService::setBusy(bool busy)
{
    // Without a GUI application there is no pointer to change; the nesting is still kept.
    if (busy) {
        if (hasGuiApplication())
            QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
        ++d->busyDepth;
    } else if (d->busyDepth > 0) {
        if (hasGuiApplication())
            QGuiApplication::restoreOverrideCursor();
        --d->busyDepth;
    }
}

int QtScreenService::busyDepth() const
{
    return d->busyDepth;
}

} // namespace orv
