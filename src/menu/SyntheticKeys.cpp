#include "SyntheticKeys.h"

#include <QCoreApplication>
#include <QKeyEvent>

#include <array>

namespace orv::menu {

namespace {

struct Modifier {
    QChar sign;
    int key;
    Qt::KeyboardModifier flag;
};
constexpr std::array<Modifier, 3> kModifiers{{{u'+', Qt::Key_Shift, Qt::ShiftModifier},
                                              {u'^', Qt::Key_Control, Qt::ControlModifier},
                                              {u'%', Qt::Key_Alt, Qt::AltModifier}}};

const Modifier *modifierOf(QChar sign)
{
    for (const Modifier &m : kModifiers) {
        if (m.sign == sign)
            return &m;
    }
    return nullptr;
}

// Letters and digits by their key; any other character by its code point, as Qt numbers the
// Latin-1 keys.
int keyOf(QChar c)
{
    return c.isLetter() && c.unicode() < 128 ? c.toUpper().unicode() : c.unicode();
}

} // namespace

std::vector<SyntheticKey> keyEventsOf(const QString &sequence)
{
    std::vector<SyntheticKey> events;
    std::vector<const Modifier *> held;
    Qt::KeyboardModifiers modifiers;
    const auto typeKey = [&](QChar c) {
        // A key typed with Ctrl or Alt writes no text.
        const QString text = modifiers & (Qt::ControlModifier | Qt::AltModifier) ? QString() : QString(c);
        events.push_back({QEvent::KeyPress, keyOf(c), modifiers, text});
        events.push_back({QEvent::KeyRelease, keyOf(c), modifiers, text});
    };
    const auto releaseHeld = [&] {
        for (auto it = held.rbegin(); it != held.rend(); ++it) {
            events.push_back({QEvent::KeyRelease, (*it)->key, modifiers, {}});
            modifiers &= ~(*it)->flag;
        }
        held.clear();
    };

    for (qsizetype i = 0; i < sequence.size(); ++i) {
        const QChar c = sequence.at(i);
        if (const Modifier *m = modifierOf(c)) {
            // As a keyboard sends them, a modifier's own events carry the state before them.
            events.push_back({QEvent::KeyPress, m->key, modifiers, {}});
            modifiers |= m->flag;
            held.push_back(m);
        } else if (c == u'(') {
            qsizetype close = sequence.indexOf(u')', i + 1);
            if (close < 0)
                close = sequence.size();
            for (qsizetype k = i + 1; k < close; ++k)
                typeKey(sequence.at(k));
            releaseHeld();
            i = close;
        } else {
            typeKey(c);
            releaseHeld();
        }
    }
    releaseHeld();
    return events;
}

void postKeyEvents(QObject *receiver, const std::vector<SyntheticKey> &keys)
{
    for (const SyntheticKey &k : keys)
        QCoreApplication::postEvent(receiver, new QKeyEvent(k.type, k.key, k.modifiers, k.text));
}

} // namespace orv::menu
