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

// Every persisted property by name, and the two texts the loading of a form does not restore.
constexpr const char *kSettings =
    "BackColor ForeColor ControlBackColor WidthCode WidthDescription WidthSecondDescription Visible "
    "VisibleCode VisibleDescription VisibleSecondDescription Enabled EnabledSearch EnabledExecute SearchType "
    "HideLeaf IDPDC IDNode NodeType CaptionDescription CaptionCode Description Code CaptionSearch Client "
    "IDFirm IDUser IDCliente IDFornitore IDAnagrafica IDSearchTypeConto IDSearchTypeRamo OnlyAccounts "
    "OnlyTerminalBranch";

QString fontText(const QFont &font)
{
    return QStringLiteral("%1 %2%3")
        .arg(font.family())
        .arg(font.pointSizeF())
        .arg(font.bold() ? " bold" : "");
}

// A field on a form whose font is the ambient font of its controls.
class PersistenceTest : public ::testing::Test {
protected:
    PersistenceTest() { form.setFont(QFont(QStringLiteral("Verdana"), 11)); }

    std::unique_ptr<OrvSearchACS2> newField() { return std::make_unique<OrvSearchACS2>(&form); }
    // Every setting away from its default.
    static void changeEverything(OrvSearchACS2 &f)
    {
        f.setBackColor(0x00E0FFFF);
        f.setForeColor(0x00400000);
        f.setControlBackColor(0x00C0C0C0);
        f.setWidthCode(1500);
        f.setWidthDescription(2500);
        f.setWidthSecondDescription(700);
        f.setVisibleProperty(false); // and the three columns
        f.setEnabledProperty(false);
        f.setEnabledSearch(false);
        f.setEnabledExecute(false);
        f.setFontProperty(QFont(QStringLiteral("Courier"), 12, QFont::Bold));
        f.setSearchType(OrvSearchAccounts);
        f.setDescription(QStringLiteral("Cassa \"contanti\"")); // before the ids, which it would reset
        f.setCode(QStringLiteral("01.05"));
        f.setHideLeaf(true);
        f.setIDPDC(4);
        f.setIDNode(-5); // loads nothing
        f.setNodeType(OrvBranch);
        f.setFontLabel(QFont(QStringLiteral("Serif"), 7));
        f.setCaptionDescription(QStringLiteral("Codice:")); // the captions swapped
        f.setCaptionCode(QStringLiteral("Cliente/Fornitore/Conto:"));
        f.setCaptionSearch(QStringLiteral("Conti"));
        f.setClient(QStringLiteral("Fatture"));
        f.setIDFirm(1);
        f.setIDUser(2);
        f.setIDCliente(3);
        f.setIDFornitore(4);
        f.setIDAnagrafica(5);
        f.setIDSearchTypeConto(OrvCustomersAccounts);
        f.setIDSearchTypeRamo(OrvLiabilitiesBranch);
        f.setOnlyAccounts(false);
        f.setOnlyTerminalBranch(true);
    }

    QWidget form;
};

TEST_F(PersistenceTest, AnEmptyBagGivesEveryDefault)
{
    auto field = newField();
    changeEverything(*field);
    test::FieldProbe probe(*field);
    field->ReadProperties(PropertyBag());
    EXPECT_EQ(probe.props(kSettings),
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
    // Every key, in the order of the table, with the type of what was written.
    QStringList typed;
    for (const PersistedKey &key : kPersistedKeys) {
        const std::optional<PropertyValue> value = bag.value(QLatin1String(key.name));
        ASSERT_TRUE(value) << key.name;
        typed << QStringLiteral("%1:%2").arg(key.name, propertyTypeName(value->type()));
    }
    EXPECT_EQ(bag.keys().join(u' '),
              QString::fromLatin1(kSettings)
                  .replace(QStringLiteral("EnabledExecute "), QStringLiteral("EnabledExecute Font "))
                  .replace(QStringLiteral("NodeType "), QStringLiteral("NodeType FontLabel ")));
    EXPECT_EQ(typed.filter(QStringLiteral("Integer")).join(u' '),
              "WidthCode:Integer WidthDescription:Integer WidthSecondDescription:Integer");
    EXPECT_EQ(bag.ReadProperty(QStringLiteral("IDPDC"), std::int16_t{0}).type(), PropertyType::Long);

    auto loaded = newField();
    loaded->ReadProperties(bag);
    test::FieldProbe before(*saved);
    test::FieldProbe after(*loaded);
    // The loaded texts run the change handling, which forgets IDNode (see the next test).
    EXPECT_EQ(after.props(kSettings),
              before.props(kSettings).replace(QStringLiteral("IDNode=-5"), QStringLiteral("IDNode=0")));
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

TEST_F(PersistenceTest, BoxVisibilitiesReadAfterVisibleWinOverIt)
{
    PropertyBag bag;
    bag.store(QStringLiteral("Visible"), false);
    bag.store(QStringLiteral("VisibleDescription"), false);
    bag.store(QStringLiteral("VisibleSecondDescription"), false);
    auto field = newField();
    field->ReadProperties(bag);
    test::FieldProbe probe(*field);
    EXPECT_EQ(probe.props("Visible VisibleCode"), "Visible=false VisibleCode=true");
    EXPECT_TRUE(probe.box(0)->isVisibleTo(field.get()));
    EXPECT_FALSE(probe.box(1)->isVisibleTo(field.get()));
    EXPECT_EQ(field->width(), std::lround((60 + 1000) / 15.0));
}

TEST_F(PersistenceTest, AValueItsFieldCannotTakeEndsTheReadingAtItsKey)
{
    struct Case {
        const char *key;
        PropertyValue value;
        int number;
    };
    const Case cases[] = {
        {"WidthDescription", std::int32_t{70000}, kErrOverflow},
        {"WidthDescription", QStringLiteral("wide"), kErrTypeMismatch},
        {"Enabled", std::int16_t{-1}, kErrTypeMismatch},
        {"Font", QStringLiteral("Arial"), kErrTypeMismatch},
    };
    for (const Case &c : cases) {
        PropertyBag bag;
        bag.store(QStringLiteral("WidthCode"), std::int32_t{1300}); // a Long that fits an Integer
        bag.store(QLatin1String(c.key), c.value);
        bag.store(QStringLiteral("CaptionCode"), QStringLiteral("Conto:"));
        auto field = newField();
        try {
            field->ReadProperties(bag);
            ADD_FAILURE() << c.key << " was taken";
        } catch (const RuntimeError &error) {
            EXPECT_EQ(error.number(), c.number) << c.key;
            EXPECT_TRUE(error.description().startsWith(QStringLiteral("\"%1\": ").arg(c.key)))
                << error.description().toStdString();
        }
        EXPECT_EQ(field->WidthCode(), 1300) << c.key;        // read before
        EXPECT_EQ(field->CaptionCode(), "Codice:") << c.key; // never reached
    }
}

TEST(PropertyBagTest, StoresWhatDiffersFromTheDefaultWithItsType)
{
    PropertyBag bag;
    bag.WriteProperty(QStringLiteral("IDPDC"), std::int32_t{0}, std::int16_t{0}); // 0 is 0 in either width
    bag.WriteProperty(QStringLiteral("Visible"), true, true);
    bag.WriteProperty(QStringLiteral("Font"), QFont(QStringLiteral("Tahoma"), 9),
                      QFont(QStringLiteral("Tahoma"), 9));
    EXPECT_TRUE(bag.isEmpty());
    bag.WriteProperty(QStringLiteral("IDPDC"), std::int32_t{4}, std::int16_t{0});
    bag.WriteProperty(QStringLiteral("Caption"), QStringLiteral(""), QStringLiteral("Codice:"));
    EXPECT_EQ(bag.keys().join(u' '), "IDPDC Caption");
    EXPECT_EQ(bag.ReadProperty(QStringLiteral("IDPDC"), std::int16_t{0}).type(), PropertyType::Long);
    EXPECT_EQ(bag.ReadProperty(QStringLiteral("Caption"), QStringLiteral("Codice:")).toString(), "");
    // An absent key gives its default, with the default's type.
    EXPECT_EQ(bag.ReadProperty(QStringLiteral("IDNode"), std::int16_t{9}).type(), PropertyType::Integer);
    // Written back to its default, a key is gone.
    bag.WriteProperty(QStringLiteral("IDPDC"), std::int16_t{0}, std::int16_t{0});
    EXPECT_EQ(bag.keys().join(u' '), "Caption");
    // A number converts to the other width when it fits; other types do not convert.
    EXPECT_EQ(PropertyValue(std::int16_t{-3}).toLong(), -3);
    EXPECT_EQ(errorNumberOf([] { PropertyValue(std::int32_t{32768}).toInteger(); }), kErrOverflow);
    EXPECT_EQ(errorNumberOf([] { PropertyValue(true).toLong(); }), kErrTypeMismatch);
    EXPECT_FALSE(PropertyValue(true) == PropertyValue(std::int32_t{-1}));
}

} // namespace
} // namespace orv
