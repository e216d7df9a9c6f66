#pragma once

#include <QEvent>
#include <QString>

#include <vector>

class QObject;

namespace orv::menu {

// One key event of a typed sequence.
struct SyntheticKey {
    QEvent::Type type; // KeyPress or KeyRelease
    int key;           // Qt::Key
    Qt::KeyboardModifiers modifiers;
    QString text;
};

// The key events of a sequence in key-sequence notation: "^" (Ctrl), "+" (Shift) and "%" (Alt)
// are held down over the key or the group in parentheses that follows them; every other
// character is a key typed as it stands ("^(R)" is Ctrl+R, "(R)" the R key alone). A modifier
// over an empty group is pressed and released alone. Named keys in braces are not supported.
std::vector<SyntheticKey> keyEventsOf(const QString &sequence);

// Queues the events to the receiver and returns at once; they are processed when the event loop
// next runs.
void postKeyEvents(QObject *receiver, const std::vector<SyntheticKey> &keys);

} // namespace orv::menu
