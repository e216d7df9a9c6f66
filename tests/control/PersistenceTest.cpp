#include "FieldProbe.h"
#include "control/OrvSearchACS2.h"
#include "control/OrvSearchACS2_p.h"
#include "control/PersistedKeys.h"
#include "control/PropertyBag.h"
#include "support/PrintVariant.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <memory>

namespace orv {
namespace {

// The saved settings by name, in the order they are written: all of them, or all but the fonts.
QStringList savedNames(bool withFonts)
{
    QStringList names;
    for (const PersistedKey &key : kPersistedKeys) {
        if (withFonts || key.type != PropertyType::Font)
            names << QLatin1String(key.name);
    }
    return names;
}
const QByteArray kSettings = savedNames(false).join(u' ').toLatin1();

QString fontText(const QFont &font)
{
    return QStringLiteral("%1 %2%3")
        .arg(font.family())
        .arg(font.pointSizeF())
        .arg(font.bold() ? " bold" : "");
}

// Every setting away from its default, set in this order: the texts before the ids they would reset,
// the captions swapped.
// clang-format off
const std::pair<const char *, QVariant> kAwayFromDefaults[] = {
    {"BackColor", 0x00E0FFFFu}, {"ForeColor", 0x00400000u}, {"ControlBackColor", 0x00C0C0C0u},
    {"WidthCode", 1500}, {"WidthDescription", 2500}, {"WidthSecondDescription", 700}, {"Visible", false},
    {"Enabled", false}, {"EnabledSearch", false}, {"EnabledExecute", false},
    {"Font", QFont(QStringLiteral("Courier"), 12, QFont::Bold)}, {"SearchType", 3},
    {"Description", QStringLiteral("Cassa \"contanti\"")}, {"Code", QStringLiteral("01.05")},
    {"HideLeaf", true}, {"IDPDC", 4}, {"IDNode", -5}, {"NodeType", 1},
    {"FontLabel", QFont(QStringLiteral("Serif"), 7)}, {"CaptionDescription", QStringLiteral("Codice:")},
    {"CaptionCode", QStringLiteral("Cliente/Fornitore/Conto:")}, {"CaptionSearch", QStringLiteral("Conti")},
    {"Client", QStringLiteral("Fatture")}, {"IDFirm", 1}, {"IDUser", 2}, {"IDCliente", 3}, {"IDFornitore", 4},
    {"IDAnagrafica", 5}, {"IDSearchTypeConto", 6}, {"IDSearchTypeRamo", 2}, {"OnlyAccounts", false},
    {"OnlyTerminalBranch", true}};
// clang-format on

// A field on a form whose font is the ambient font of its controls.
class PersistenceTest : public ::testing::Test {
protected:
    PersistenceTest() { form.setFont(QFont(QStringLiteral("Verdana"), 11)); }

    std::unique_ptr<OrvSearchACS2> newField() { return std::make_unique<OrvSearchACS2>(&form); }
    static void changeEverything(OrvSearchACS2 &field)
    {
        for (const auto &[name, value] : kAwayFromDefaults)
            ASSERT_TRUE(field.setProperty(name, value)) << name;
    }

    QWidget form;
};

TEST_F(PersistenceTest, AnEmptyBagGivesEveryDefault)
{
    auto field = newField();
    changeEverything(*field);
    test::FieldProbe probe(*field);
    field->ReadProperties(PropertyBag());
    EXPECT_EQ(probe.props(kSettings.constData()),
              "BackColor=2147483653 ForeColor=2147483656 ControlBackColor=2147483663 WidthCode=1000 "
              "WidthDescription=2000 WidthSecondDescription=1000 Visible=true VisibleCode=true "
              "VisibleDescription=true VisibleSecondDescription=true Enabled=true EnabledSearch=true "
              "EnabledExecute=true SearchType=OrvSearchCustomers HideLeaf=false IDPDC=0 IDNode=0 "
              "NodeType=OrvLeaf CaptionDescription=Cliente/Fornitore/Conto: CaptionCode=Codice: Description= "
              "Code= CaptionSearch= Client= IDFirm=0 IDUser=0 IDCliente=0 IDFornitore=0 IDAnagrafica=0 "
              "IDSearchTypeConto=OrvAllAccounts IDSearchTypeRamo=OrvAllBranchs OnlyAccounts=true "
              "OnlyTerminalBranch=false");
    // The fonts are the form's; the second box keeps its button face.
    EXPECT_EQ(fontText(field->Font()), fontText(form.font()));
    EXPECT_EQ(fontText(field->FontLabel()), fontText(form.font()));
    EXPECT_EQ(probe.box(2)->property(kOleBackColor).toUInt(), kSystemButtonFace);
    EXPECT_EQ(probe.box(2)->palette().color(QPalette::Text), probe.box(0)->palette().color(QPalette::Text));
}

TEST_F(PersistenceTest, ValuesAwayFromTheirDefaultsSurviveAWriteAndARead)
{
    auto saved = newField();
    changeEverything(*saved);
    PropertyBag bag;
    saved->WriteProperties(bag);
    // Every key, in order, with the type of what was written.
    EXPECT_EQ(bag.keys(), savedNames(true));
    QStringList integers;
    for (const QString &key : bag.keys()) {
        if (bag.value(key)->type() == PropertyType::Integer)
            integers << key;
    }
    EXPECT_EQ(integers.join(u' '), "WidthCode WidthDescription WidthSecondDescription");
    EXPECT_EQ(bag.ReadProperty(QStringLiteral("IDPDC"), std::int16_t{0}).type(), PropertyType::Long);

    auto loaded = newField();
    loaded->ReadProperties(bag);
    test::FieldProbe before(*saved);
    test::FieldProbe after(*loaded);
    // The loaded texts run the change handling, which forgets IDNode (see the next test).
    EXPECT_EQ(
        after.props(kSettings.constData()),
        before.props(kSettings.constData()).replace(QStringLiteral("IDNode=-5"), QStringLiteral("IDNode=0")));
    EXPECT_EQ(fontText(loaded->Font()), QStringLiteral("Courier 12 bold"));
    EXPECT_EQ(fontText(loaded->FontLabel()), QStringLiteral("Serif 7"));
    EXPECT_EQ(after.box(1)->palette().color(QPalette::Base), QColor(0xFF, 0xFF, 0xE0));

    // Saving what was loaded writes the same bag again, but for the forgotten node.
    PropertyBag again;
    loaded->WriteProperties(again);
    QStringList withoutNode = bag.keys();
    withoutNode.removeOne(QStringLiteral("IDNode"));
    EXPECT_EQ(again.keys(), withoutNode);
}

TEST_F(PersistenceTest, LoadingRunsThePropertiesInOrderAndTheStoredTextsForgetTheNode)
{
    PropertyBag bag;
    bag.store(QStringLiteral("SearchType"), std::int32_t{3});
    bag.store(QStringLiteral("IDNode"), std::int32_t{42});
    bag.store(QStringLiteral("IDAnagrafica"), std::int32_t{7});
    bag.store(QStringLiteral("Description"), QStringLiteral("Cassa"));
    bag.store(QStringLiteral("Code"), QStringLiteral("01.05"));
    auto field = newField();
    field->setSecondDescription(QStringLiteral("left over"));
    test::FieldProbe probe(*field);
    EXPECT_EQ(
        probe.heard([&] { field->ReadProperties(bag); }),
        "changed Visible, changed VisibleCode, changed VisibleDescription, changed VisibleSecondDescription, "
        "changed VisibleCode, changed VisibleDescription, changed VisibleSecondDescription, "
        "changed WidthCode, changed WidthDescription, changed WidthSecondDescription, changed Enabled, "
        "changed EnabledSearch, changed EnabledExecute, changed Font, changed FontLabel, "
        // the description empties the other boxes and resets the ids; the code does not again
        "ChangedElement, changed IDNode, changed IDAnagrafica");
    EXPECT_EQ(probe.props("Code Description SecondDescription IDNode IDAnagrafica"),
              "Code=01.05 Description=Cassa SecondDescription= IDNode=0 IDAnagrafica=7");
    const ControlState &s = fieldContextOf(*field).state();
    EXPECT_TRUE(s.bCodiceModificato && s.bDescrizioneModificata);
    EXPECT_FALSE(probe.box(2)->isVisibleTo(field.get())); // laid out as accounts
    EXPECT_EQ(probe.box(1)->width(), std::lround(3000 / 15.0));
}

TEST_F(PersistenceTest, OnlyAccountsIsFalseOnANewFieldAndStaysSoThroughTheBag)
{
    auto field = newField();
    field->InitProperties();
    EXPECT_FALSE(field->OnlyAccounts()); // not among the defaults a new field gets
    PropertyBag bag;
    field->WriteProperties(bag);
    // False differs from the bag's default True, so it is written; Visible likewise.
    EXPECT_EQ(bag.keys().join(u' '), "Visible Font FontLabel OnlyAccounts");
    auto loaded = newField();
    loaded->ReadProperties(bag);
    EXPECT_FALSE(loaded->OnlyAccounts());
    loaded->ReadProperties(PropertyBag());
    EXPECT_TRUE(loaded->OnlyAccounts());
}

TEST_F(PersistenceTest, AValueItsFieldCannotTakeEndsTheReadingAtItsKey)
{
    PropertyBag bag;
    bag.store(QStringLiteral("WidthCode"), std::int32_t{1300}); // a Long that fits an Integer
    bag.store(QStringLiteral("WidthDescription"), std::int32_t{70000});
    bag.store(QStringLiteral("CaptionCode"), QStringLiteral("Conto:"));
    auto field = newField();
    try {
        field->ReadProperties(bag);
        ADD_FAILURE() << "the width was taken";
    } catch (const RuntimeError &error) {
        EXPECT_EQ(error.number(), kErrOverflow);
        EXPECT_EQ(error.description(), "\"WidthDescription\": Overflow: 70000 does not fit an Integer");
    }
    EXPECT_EQ(field->WidthCode(), 1300);        // read before
    EXPECT_EQ(field->CaptionCode(), "Codice:"); // never reached
}

TEST(PropertyBagTest, AValueWrittenBackToItsDefaultLeavesTheBag)
{
    PropertyBag bag;
    bag.WriteProperty(QStringLiteral("IDPDC"), std::int32_t{4}, std::int16_t{0});
    bag.WriteProperty(QStringLiteral("Font"), QFont(QStringLiteral("Tahoma"), 9),
                      QFont(QStringLiteral("Tahoma"), 9));
    EXPECT_EQ(bag.keys().join(u' '), "IDPDC");
    bag.WriteProperty(QStringLiteral("IDPDC"), std::int32_t{0}, std::int16_t{0}); // 0 is 0 in either width
    EXPECT_TRUE(bag.isEmpty());
    EXPECT_EQ(bag.ReadProperty(QStringLiteral("IDPDC"), std::int16_t{9}).type(), PropertyType::Integer);
}

} // namespace
} // namespace orv
