#include "menu/SyntheticKeys.h"

#include "support/QtPrinters.h"

#include <QKeyEvent>
#include <QKeySequence>

#include <gtest/gtest.h>

namespace orv::menu {
namespace {

// The events as "+Control ^+R ^-R -Control": + press, - release, the modifiers a receiver reads
// (^ Ctrl, ! Shift, % Alt) and the key, then the text in quotes when there is one.
QString typed(const QString &sequence)
{
    QStringList events;
    for (const SyntheticKey &k : keyEventsOf(sequence)) {
        const QKeyEvent event(k.type, k.key, k.modifiers, k.text);
        const Qt::KeyboardModifiers m = event.modifiers();
        QString line = QString(m & Qt::ControlModifier ? "^" : "") + (m & Qt::ShiftModifier ? "!" : "") +
                       (m & Qt::AltModifier ? "%" : "") + (k.type == QEvent::KeyPress ? "+" : "-") +
                       QKeySequence(k.key).toString(QKeySequence::PortableText);
        if (!k.text.isEmpty())
            line += u'"' + k.text + u'"';
        events << line;
    }
    return events.join(u' ');
}

TEST(SyntheticKeysTest, KeySequenceNotationBecomesKeyEvents)
{
    EXPECT_EQ(typed("^(R)"), "^+Control ^+R ^-R -Control");
    EXPECT_EQ(typed("(R)"), "+R\"R\" -R\"R\"");
    EXPECT_EQ(typed("^()"), "^+Control -Control"); // the modifier alone
    EXPECT_EQ(typed("+(ab)c"), "!+Shift !+A\"a\" !-A\"a\" !+B\"b\" !-B\"b\" -Shift +C\"c\" -C\"c\"");
    EXPECT_EQ(typed("%^(0)"), "%+Alt ^%+Control ^%+0 ^%-0 %-Control -Alt");
    EXPECT_EQ(typed(""), "");
}

} // namespace
} // namespace orv::menu
