#include "menu/ShortCutText.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace orv::menu {
namespace {

// A tool's first shortcut text and what it says; the menu passes a key on as prefix(key).
TEST(ShortCutTextTest, MaskPrefixAndKeyOfAToolsFirstShortcut)
{
    const struct {
        QStringList shortcuts;
        int mask;
        const char *prefix, *key;
    } rows[] = {
        {{}, 0, "", "0"}, // no shortcut to read
        {{"Ctrl+R", "Alt+X"}, 2, "^", "R"},
        {{"Shift+F5"}, 1, "+", "F5"},
        {{"Alt+X"}, 4, "%", "X"},
        {{"Ctrl+Shift+R"}, 3, "", "R"}, // two modifiers: "(R)", the key alone
        {{"Ctrl+Alt+Shift+A"}, 7, "", "A"},
        {{"ctrl+R"}, 0, "", "R"},    // the names compare with case
        {{"Ctrl+CANC"}, 2, "^", ""}, // "^()": Ctrl over nothing
        {{"Ctrl+CANCELLA"}, 2, "^", ""},
        {{"DELETE"}, 0, "", ""},
        {{"Ctrl+Delete"}, 2, "^", "Delete"},
    };
    for (const auto &row : rows) {
        const std::string name = row.shortcuts.join(u',').toStdString();
        EXPECT_EQ(fnShortCutMask(row.shortcuts), row.mask) << name;
        EXPECT_EQ(fnShortCutPrefix(row.shortcuts), QString::fromLatin1(row.prefix)) << name;
        EXPECT_EQ(fnShortCutKey(row.shortcuts), QString::fromLatin1(row.key)) << name;
    }
}

} // namespace
} // namespace orv::menu
