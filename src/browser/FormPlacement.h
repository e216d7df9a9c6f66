#pragma once

class QWidget;

namespace orv::browser {

// Places a window in the middle of a container: the screen when there is none, else the
// container's client area (for a child of the container, in the container's own coordinates).
// A window larger than the container keeps its top and left edges inside it.
void sbCenterForm(QWidget *window, QWidget *container = nullptr);

} // namespace orv::browser
