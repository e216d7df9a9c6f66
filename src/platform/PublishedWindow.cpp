#include "PublishedWindow.h"

#include "FileWindowRegistry.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <atomic>

#include <unistd.h>

namespace orv {

namespace {
constexpr int kRequestPollMs = 100;
std::atomic<int> g_windowsPublished{0};
} // namespace

PublishedWindow::PublishedWindow(QWidget *window)
    : QObject(window), m_window(window),
      m_handle(static_cast<std::int32_t>(
          ((static_cast<std::int64_t>(getpid()) << 8) | ((++g_windowsPublished) & 0xff)) & 0x7fffffff)),
      m_requests(new QTimer(this))
{
    window->installEventFilter(this);
    connect(m_requests, &QTimer::timeout, this, &PublishedWindow::serveRestoreRequest);
    m_requests->start(kRequestPollMs);
    publishState();
}

PublishedWindow::~PublishedWindow()
{
    FileWindowRegistry().unpublish(m_handle);
}

bool PublishedWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_window && (event->type() == QEvent::Show || event->type() == QEvent::Hide))
        QTimer::singleShot(0, this, &PublishedWindow::publishState);
    return false;
}

void PublishedWindow::publishState()
{
    FileWindowRegistry().publish(m_handle, m_window->isVisible());
}

void PublishedWindow::serveRestoreRequest()
{
    if (!FileWindowRegistry().takeRestoreRequest(m_handle))
        return;
    m_window->showNormal();
    m_window->raise();
    m_window->activateWindow();
    Q_EMIT restoreRequested();
}

} // namespace orv
