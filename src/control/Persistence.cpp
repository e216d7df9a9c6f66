// The field's design-time settings in its container's property bag.

#include "OrvSearchACS2.h"
#include "OrvSearchACS2_p.h"

#include "PropertyBag.h"
#include "data/RuntimeError.h"

#include <QApplication>

namespace orv {

namespace {

// The font a container offers its controls: its own.
QFont ambientFont(const QWidget &field)
{
    return field.parentWidget() ? field.parentWidget()->font() : QApplication::font();
}

PropertyValue colourValue(std::uint32_t ole)
{
    return PropertyValue(static_cast<std::int32_t>(ole));
}

constexpr std::int16_t kZero = 0; // the ids' defaults are Integers

// Reads keys as the types of their fields; an error names its key.
class KeyReader {
public:
    explicit KeyReader(const PropertyBag &bag) : m_bag(bag) {}

    std::int32_t Long(const char *key, const PropertyValue &defaultValue) const
    {
        return read(key, defaultValue, &PropertyValue::toLong);
    }
    std::int16_t Integer(const char *key, const PropertyValue &defaultValue) const
    {
        return read(key, defaultValue, &PropertyValue::toInteger);
    }
    bool Boolean(const char *key, bool defaultValue) const
    {
        return read(key, defaultValue, &PropertyValue::toBoolean);
    }
    QString String(const char *key, const QString &defaultValue) const
    {
        return read(key, defaultValue, &PropertyValue::toString);
    }
    QFont Font(const char *key, const QFont &defaultValue) const
    {
        return read(key, defaultValue, &PropertyValue::toFont);
    }
    std::uint32_t Colour(const char *key, std::uint32_t defaultValue) const
    {
        return static_cast<std::uint32_t>(Long(key, colourValue(defaultValue)));
    }

private:
    template <typename T>
    T read(const char *key, const PropertyValue &defaultValue, T (PropertyValue::*convert)() const) const
    {
        const QString name = QLatin1String(key);
        try {
            return (m_bag.ReadProperty(name, defaultValue).*convert)();
        } catch (const RuntimeError &error) {
            raiseError(error.number(), QStringLiteral("\"%1\": %2").arg(name, error.description()));
        }
    }

    const PropertyBag &m_bag;
};

} // namespace

void OrvSearchACS2::InitProperties()
{
    d->initProperties();
    d->layoutControl();
}

void OrvSearchACS2::WriteProperties(PropertyBag &bag) const
{
    const ControlState &s = d->s;
    const QFont ambient = ambientFont(*this);
    const auto write = [&bag](const char *key, const PropertyValue &value,
                              const PropertyValue &defaultValue) {
        bag.WriteProperty(QLatin1String(key), value, defaultValue);
    };
    write("BackColor", colourValue(BackColor()), colourValue(kSystemWindow));
    write("ForeColor", colourValue(ForeColor()), colourValue(kSystemWindowText));
    write("ControlBackColor", colourValue(ControlBackColor()), colourValue(kSystemButtonFace));
    write("WidthCode", s.WidthCode, std::int16_t{1000});
    write("WidthDescription", s.WidthDescription, std::int16_t{2000});
    write("WidthSecondDescription", s.WidthSecondDescription, std::int16_t{1000});
    write("Visible", s.Visible, true);
    write("VisibleCode", s.VisibleCode, true);
    write("VisibleDescription", s.VisibleDescription, true);
    write("VisibleSecondDescription", s.VisibleSecondDescription, true);
    write("Enabled", Enabled(), true);
    write("EnabledSearch", s.EnabledSearch, true);
    write("EnabledExecute", s.EnabledExecute, true);
    write("Font", Font(), ambient);
    write("SearchType", s.SearchType, std::int32_t{1});
    write("HideLeaf", s.HideLeaf, false);
    write("IDPDC", s.IDPDC, kZero);
    write("IDNode", s.IDNode, kZero);
    write("NodeType", s.NodeType, kZero);
    write("FontLabel", FontLabel(), ambient);
    write("CaptionDescription", CaptionDescription(), QStringLiteral("Cliente/Fornitore/Conto:"));
    write("CaptionCode", CaptionCode(), QStringLiteral("Codice:"));
    write("Description", Description(), QString());
    write("Code", Code(), QString());
    write("CaptionSearch", s.CaptionSearch, QString());
    write("Client", s.Client, QString());
    write("IDFirm", s.IDFirm, kZero);
    write("IDUser", s.IDUser, kZero);
    write("IDCliente", s.IDCliente, kZero);
    write("IDFornitore", s.IDFornitore, kZero);
    write("IDAnagrafica", s.IDAnagrafica, kZero);
    write("IDSearchTypeConto", s.IDSearchTypeConto, kZero);
    write("IDSearchTypeRamo", s.IDSearchTypeRamo, kZero);
    write("OnlyAccounts", s.OnlyAccounts, true);
    write("OnlyTerminalBranch", s.OnlyTerminalBranch, false);
}

// Some keys go through their properties, with the layouts, notices and change handling these
// cause; the others straight into their fields or boxes. The order matters: Visible comes before
// the box visibilities, which win over it, and the description text, read before the code text,
// runs the change handling that forgets the IDNode read before it.
void OrvSearchACS2::ReadProperties(const PropertyBag &bag)
{
    const KeyReader read(bag);
    ControlState &s = d->s;
    const QFont ambient = ambientFont(*this);

    // BackColor colours the code and the description box; it is read once for each.
    d->setOleColor(d->txtField[0], kOleBackColor, QPalette::Base, read.Colour("BackColor", kSystemWindow));
    d->setOleColor(d->txtField[1], kOleBackColor, QPalette::Base, read.Colour("BackColor", kSystemWindow));
    for (QLineEdit *box : d->txtField)
        d->setOleColor(box, kOleForeColor, QPalette::Text, read.Colour("ForeColor", kSystemWindowText));
    d->setControlBackground(read.Colour("ControlBackColor", kSystemButtonFace));

    setVisibleProperty(read.Boolean("Visible", true));
    setVisibleCode(read.Boolean("VisibleCode", true));
    setVisibleDescription(read.Boolean("VisibleDescription", true));
    setVisibleSecondDescription(read.Boolean("VisibleSecondDescription", true));
    setWidthCode(read.Integer("WidthCode", std::int16_t{1000}));
    setWidthDescription(read.Integer("WidthDescription", std::int16_t{2000}));
    setWidthSecondDescription(read.Integer("WidthSecondDescription", std::int16_t{1000}));
    setEnabledProperty(read.Boolean("Enabled", true));
    setEnabledSearch(read.Boolean("EnabledSearch", true));
    setEnabledExecute(read.Boolean("EnabledExecute", true));
    setFontProperty(read.Font("Font", ambient));

    s.SearchType = read.Long("SearchType", std::int32_t{1});
    s.HideLeaf = read.Boolean("HideLeaf", false);
    s.IDPDC = read.Long("IDPDC", kZero);
    s.IDNode = read.Long("IDNode", kZero);
    s.NodeType = read.Long("NodeType", kZero);

    setFontLabel(read.Font("FontLabel", ambient));
    d->lblField[0]->setText(read.String("CaptionCode", QStringLiteral("Codice:")));
    Private::fitCaption(d->lblField[0]);
    d->lblField[1]->setText(read.String("CaptionDescription", QStringLiteral("Cliente/Fornitore/Conto:")));
    Private::fitCaption(d->lblField[1]);
    d->writeBox(1, read.String("Description", QString()));
    d->writeBox(0, read.String("Code", QString()));

    s.CaptionSearch = read.String("CaptionSearch", QString());
    s.Client = read.String("Client", QString());
    s.IDFirm = read.Long("IDFirm", kZero);
    s.IDUser = read.Long("IDUser", kZero);
    s.IDCliente = read.Long("IDCliente", kZero);
    s.IDFornitore = read.Long("IDFornitore", kZero);
    s.IDAnagrafica = read.Long("IDAnagrafica", kZero);
    s.IDSearchTypeConto = read.Long("IDSearchTypeConto", kZero);
    s.IDSearchTypeRamo = read.Long("IDSearchTypeRamo", kZero);
    s.OnlyAccounts = read.Boolean("OnlyAccounts", true);
    s.OnlyTerminalBranch = read.Boolean("OnlyTerminalBranch", false);

    d->layoutControl();
}

} // namespace orv
