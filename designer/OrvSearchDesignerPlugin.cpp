#include "OrvSearchDesignerPlugin.h"

#include "control/OrvSearchACS2.h"
#include "data/RuntimeError.h"
#include "platform/Services.h"

#include <QIcon>
#include <QMetaProperty>

#include <exception>

namespace orv {

namespace {

// A field whose properties a form sets by name: an error of one is a warning, and the form
// goes on. Designer shows the warnings that start with "Designer: " in a message box.
class FormField final : public OrvSearchACS2 {
public:
    FormField(QWidget *parent, bool inDesigner) : OrvSearchACS2(parent), m_inDesigner(inDesigner) {}

    int qt_metacall(QMetaObject::Call call, int id, void **arguments) override
    {
        const char *property = nullptr;
        if (call == QMetaObject::WriteProperty && id >= 0 && id < metaObject()->propertyCount())
            property = metaObject()->property(id).name();
        try {
            return OrvSearchACS2::qt_metacall(call, id, arguments);
        } catch (const RuntimeError &error) {
            warn(property, QStringLiteral("Errore %1: %2").arg(error.number()).arg(error.description()));
        } catch (const std::exception &error) {
            warn(property, QString::fromLocal8Bit(error.what()));
        }
        return -1;
    }

private:
    void warn(const char *property, const QString &error) const
    {
        const QString text = QStringLiteral("%1%2 %3: %4")
                                 .arg(m_inDesigner ? QStringLiteral("Designer: ") : QString(), objectName(),
                                      QLatin1String(property ? property : "call"), error);
        qWarning("%s", qUtf8Printable(text));
    }

    bool m_inDesigner;
};

} // namespace

OrvSearchDesignerPlugin::OrvSearchDesignerPlugin(QObject *parent) : QObject(parent) {}

QString OrvSearchDesignerPlugin::name() const
{
    return QStringLiteral("orv::OrvSearchACS2");
}

QString OrvSearchDesignerPlugin::group() const
{
    return QStringLiteral("OrvSearch");
}

QString OrvSearchDesignerPlugin::toolTip() const
{
    return QStringLiteral("Campo di ricerca: codice, descrizione e seconda descrizione");
}

QString OrvSearchDesignerPlugin::whatsThis() const
{
    return QStringLiteral(
        "A search field that names a customer, a supplier, an agent, a registry entry or an "
        "account of a chart of accounts by its code or its description.");
}

QString OrvSearchDesignerPlugin::includeFile() const
{
    return QStringLiteral("control/OrvSearchACS2.h");
}

QIcon OrvSearchDesignerPlugin::icon() const
{
    return QIcon(services::resources().picture(kPictureCaptionCursor));
}

bool OrvSearchDesignerPlugin::isContainer() const
{
    return false;
}

QWidget *OrvSearchDesignerPlugin::createWidget(QWidget *parent)
{
    return new FormField(parent, m_inDesigner);
}

bool OrvSearchDesignerPlugin::isInitialized() const
{
    return m_initialized;
}

// Designer initializes its plugins with its core; a form loader does not initialize them.
void OrvSearchDesignerPlugin::initialize(QDesignerFormEditorInterface *core)
{
    m_initialized = true;
    m_inDesigner = core != nullptr;
}

// The texts of the boxes and the search settings are data, not texts to translate.
QString OrvSearchDesignerPlugin::domXml() const
{
    return QStringLiteral(R"(<ui language="c++" displayname="OrvSearchACS2">
 <widget class="orv::OrvSearchACS2" name="searchField"/>
 <customwidgets>
  <customwidget>
   <class>orv::OrvSearchACS2</class>
   <propertyspecifications>
    <stringpropertyspecification name="Code" notr="true" type="singleline"/>
    <stringpropertyspecification name="Description" notr="true" type="singleline"/>
    <stringpropertyspecification name="CaptionSearch" notr="true" type="singleline"/>
    <stringpropertyspecification name="Client" notr="true" type="singleline"/>
   </propertyspecifications>
  </customwidget>
 </customwidgets>
</ui>
)");
}

} // namespace orv
