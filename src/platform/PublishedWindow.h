#pragma once

#include <QObject>

#include <cstdint>

class QTimer;
class QWidget;

namespace orv {

// Makes a top-level window of this process known to the other processes of the user through
// the file window registry (FileWindowRegistry), for as long as this object lives: its handle,
// whether it is visible, and a restore request that brings it to the front. The object belongs
// to the window; destroying it, or the window, withdraws the window and every property set on it.
//
// Window handles are Longs made of the process id and a number counted in the process
// ((pid << 8) | n): unique among the running processes on every platform plugin, offscreen
// included, where native window ids are not shared between processes.
class PublishedWindow final : public QObject {
    Q_OBJECT
public:
    explicit PublishedWindow(QWidget *window);
    ~PublishedWindow() override;

    std::int32_t handle() const { return m_handle; }

Q_SIGNALS:
    // Another program asked for the window, which has been restored and brought to the front.
    void restoreRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void publishState();
    void serveRestoreRequest();

    QWidget *m_window;
    std::int32_t m_handle;
    bool m_published = false;
    QTimer *m_requests;
};

} // namespace orv
