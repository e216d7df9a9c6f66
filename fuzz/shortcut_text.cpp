// A menu tool's shortcut texts (one a line) through the shortcut-text functions, and the key
// sequence the menu would pass on through the parser of key-sequence notation. The mask, the
// prefix and the key agree with the first text, and the events of the sequence come in pairs.
#include "FuzzSupport.h"

#include "menu/ShortCutText.h"
#include "menu/SyntheticKeys.h"

#include <QStringList>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString input = orv::fuzz::textOf(data, size);
    const QStringList shortcuts = size == 0 ? QStringList() : input.split(QLatin1Char('\n'));
    const std::int16_t mask = orv::menu::fnShortCutMask(shortcuts);
    const QString prefix = orv::menu::fnShortCutPrefix(shortcuts);
    const QString key = orv::menu::fnShortCutKey(shortcuts);
    if (shortcuts.isEmpty()) {
        ORV_FUZZ_CHECK(mask == 0 && prefix.isEmpty() && key == QLatin1String("0"), input);
        return 0;
    }
    const QString &first = shortcuts.first();
    const int expected = (first.contains(QLatin1String("Ctrl")) ? 2 : 0) +
                         (first.contains(QLatin1String("Shift")) ? 1 : 0) +
                         (first.contains(QLatin1String("Alt")) ? 4 : 0);
    ORV_FUZZ_CHECK(mask == expected, input);
    ORV_FUZZ_CHECK(prefix == (mask == 1   ? QLatin1String("+")
                              : mask == 2 ? QLatin1String("^")
                              : mask == 4 ? QLatin1String("%")
                                          : QLatin1String("")),
                   input);
    ORV_FUZZ_CHECK(!key.contains(QLatin1Char('+')), input);
    int pressed = 0;
    for (const orv::menu::SyntheticKey &event : orv::menu::keyEventsOf(prefix + u'(' + key + u')'))
        pressed += event.type == QEvent::KeyPress ? 1 : -1;
    ORV_FUZZ_CHECK(pressed == 0, input);
    return 0;
}
