#include "control/SavedForm.h"
#include "control/OrvSearchACS2.h"
#include "support/PrintVariant.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace orv {
namespace {

QStringList texts(const std::vector<SavedFormError> &errors)
{
    QStringList list;
    for (const SavedFormError &error : errors)
        list << error.text();
    return list;
}

TEST(SavedFormTest, WritesReadableTextInTheOrderTheFieldSavesAndReadsItBackFromAFile)
{
    OrvSearchACS2 field;
    field.setOnlyAccounts(true); // back to the default: not written
    field.setCaptionCode(QStringLiteral("Codice \"cliente\"\\\n"));
    field.setWidthCode(1200);
    field.setBackColor(0x00E0FFFF);
    field.setForeColor(0x80000012u);
    field.setFontLabel(QFont(QStringLiteral("DejaVu Sans"), 9, QFont::Bold));
    field.setIDFirm(-3);
    SavedForm form;
    field.WriteProperties(form.bag(QStringLiteral("OrvSearchACS2"), QStringLiteral("fieldCliente")));
    PropertyBag &other = form.bag(QStringLiteral("QLabel"), QStringLiteral("intestazione"));
    other.store(QStringLiteral("Text"), QStringLiteral("Fattura – zona €"));
    other.store(QStringLiteral("Alto"), std::int16_t{-2});

    const QString text = form.toText();
    EXPECT_EQ(text, "# OrvSearch form\n"
                    "\n"
                    "[OrvSearchACS2 fieldCliente]\n"
                    "BackColor = Long 0x00E0FFFF\n"
                    "ForeColor = Long 0x80000012\n"
                    "WidthCode = Integer 1200\n"
                    "Visible = Boolean False\n"
                    "Font = Font \"Tahoma\" 8.25\n"
                    "FontLabel = Font \"DejaVu Sans\" 9 Bold\n"
                    "CaptionCode = String \"Codice \\\"cliente\\\"\\\\\\n\"\n"
                    "IDFirm = Long -3\n"
                    "\n"
                    "[QLabel intestazione]\n"
                    "Text = String \"Fattura – zona €\"\n"
                    "Alto = Integer -2\n");

    std::vector<SavedFormError> errors;
    const SavedForm read = SavedForm::fromText(text, &errors);
    EXPECT_TRUE(errors.empty()) << texts(errors).join(u'\n').toStdString();
    EXPECT_EQ(read.toText(), text);
    OrvSearchACS2 loaded;
    loaded.ReadProperties(*read.find(QStringLiteral("fieldCliente")));
    EXPECT_EQ(loaded.CaptionCode(), field.CaptionCode());
    EXPECT_EQ(loaded.ForeColor(), 0x80000012u);
    EXPECT_EQ(read.find(QStringLiteral("intestazione"))->value(QStringLiteral("Alto"))->type(),
              PropertyType::Integer);

    // The same text in a file; a file that cannot be reached is an error by number.
    QTemporaryDir dir;
    form.save(dir.filePath(QStringLiteral("form.txt")));
    EXPECT_EQ(SavedForm::load(dir.filePath(QStringLiteral("form.txt")), nullptr).toText(), text);
    EXPECT_EQ(errorNumberOf([&] { SavedForm::load(dir.filePath(QStringLiteral("none")), nullptr); }), 53);
    EXPECT_EQ(errorNumberOf([&] { form.save(dir.filePath(QStringLiteral("no/such/form.txt"))); }), 75);
}

TEST(SavedFormTest, RefusesEachValueItCannotTakeNamingItsKeyAndLoadsTheRest)
{
    const QString text = QStringLiteral("WidthCode = Integer 1\n"            // 1: outside any control
                                        "[OrvSearchACS2 fieldCliente]\n"     // 2
                                        "WidthCode = Long 70000\n"           // 3: beyond the field's Integer
                                        "WidthDescription = Integer 40000\n" // 4: beyond its own type
                                        "Visible = String \"no\"\n"          // 5: of the wrong type
                                        "IDFirm = Long 12abc\n"              // 6: no number
                                        "Colour = Long 5\n"                  // 7: no such setting
                                        "SearchType = Double 3\n"            // 8: no such type
                                        "WidthSecondDescription = Long 1500\n" // 9: a Long that fits: taken
                                        "IDFirm = Long 7\n"            // 10: taken, the bad one was not
                                        "IDFirm = Long 8\n"            // 11: twice
                                        "just words\n"                 // 12
                                        "[fieldFornitore]\n"           // 13: no class
                                        "IDFirm = Long 2\n"            // 14: left out with its section
                                        "[OrvSearchACS2 fieldConto]\n" // 15
                                        "\tSearchType = Long 3 \r\n"); // 16: taken, blanks aside
    std::vector<SavedFormError> errors;
    const SavedForm form = SavedForm::fromText(text, &errors);
    EXPECT_EQ(
        texts(errors),
        QStringList({
            "line 1: a value outside any control",
            "line 3, fieldCliente: \"WidthCode\" = Long 70000: out of the range of an Integer",
            "line 4, fieldCliente: \"WidthDescription\" = Integer 40000: out of the range of an Integer",
            "line 5, fieldCliente: \"Visible\" = String \"no\": a String where a Boolean belongs",
            "line 6, fieldCliente: \"IDFirm\" = Long 12abc: not a whole number",
            "line 7, fieldCliente: \"Colour\" = Long 5: not a setting of an OrvSearchACS2",
            "line 8, fieldCliente: \"SearchType\" = Double 3: unknown type Double",
            "line 11, fieldCliente: \"IDFirm\" given twice: the first value stays",
            "line 12, fieldCliente: not a line \"key = type value\"",
            "line 13: not a section \"[class name]\": its values are left out",
        }));
    EXPECT_EQ(form.controls().size(), 2u);
    OrvSearchACS2 field;
    field.ReadProperties(*form.find(QStringLiteral("fieldCliente")));
    EXPECT_EQ(field.WidthCode(), 1000); // refused: the default
    EXPECT_EQ(field.WidthSecondDescription(), 1500);
    EXPECT_EQ(field.IDFirm(), 7);
    EXPECT_EQ(form.find(QStringLiteral("fieldConto"))->value(QStringLiteral("SearchType"))->toLong(), 3);
}

TEST(SavedFormTest, AFormCutAnywhereLoadsEveryLineBeforeTheCutIntoTheField)
{
    // Loading a form reads no database; its faults are those of the file. The form cut after
    // each of its characters in turn: every whole line before the cut is taken as the whole
    // form gives it, only a cut line is reported, and the field takes what was read.
    const QString whole =
        QStringLiteral("# OrvSearch form\n[OrvSearchACS2 fieldConto]\n"
                       "SearchType = Long 3\nIDPDC = Long 1\nIDNode = Long 101\n"
                       "Font = Font \"Tahoma\" 9.75 Bold\nWidthCode = Integer 1200\n"
                       "Description = String \"Rossi \\\"M\\\"\"\nVisible = Boolean False\n");
    std::vector<SavedFormError> errors;
    const PropertyBag full = *SavedForm::fromText(whole, &errors).find(QStringLiteral("fieldConto"));
    ASSERT_TRUE(errors.empty());
    for (qsizetype k = 0; k <= whole.size(); ++k) {
        const QString cut = whole.left(k);
        SCOPED_TRACE(cut.toStdString());
        errors.clear();
        const SavedForm form = SavedForm::fromText(cut, &errors);
        const PropertyBag *bag = form.find(QStringLiteral("fieldConto"));
        const int wholeLines = static_cast<int>(cut.count(u'\n'));
        ASSERT_LE(errors.size(), 1u);
        if (!errors.empty()) {
            EXPECT_EQ(errors.front().line, wholeLines + 1);
        }
        if (!bag)
            continue;
        for (const QString &key : full.keys()) {
            const bool before = cut.contains(key + QStringLiteral(" = ")) &&
                                cut.indexOf(u'\n', cut.indexOf(key + QStringLiteral(" = "))) >= 0;
            if (before) {
                EXPECT_EQ(bag->value(key), full.value(key)) << key.toStdString();
            }
        }
        OrvSearchACS2 field;
        EXPECT_EQ(errorNumberOf([&] { field.ReadProperties(*bag); }), 0);
    }
}

} // namespace
} // namespace orv
