#include "FieldProbe.h"
#include "control/OrvSearchACS2.h"
#include "control/PersistedKeys.h"
#include "ui_HostForm.h"

#include <QBuffer>
#include <QFile>
#include <QMetaProperty>
#include <QUiLoader>

#include <gtest/gtest.h>

#include <memory>

namespace orv {
namespace {

// The two fields of the host form, as read by name: a form loaded through the plugin holds the
// plugin's own copy of the field class.
QString describe(QWidget &form)
{
    QStringList lines;
    for (const char *name : {"fieldCliente", "fieldConto"}) {
        auto *field = form.findChild<QWidget *>(QLatin1String(name));
        if (!field || !field->inherits("orv::OrvSearchACS2"))
            return QStringLiteral("%1 missing").arg(QLatin1String(name));
        const QFont font = field->property("Font").value<QFont>();
        lines << QStringLiteral("%1: %2, %3 %4, code box %5 px, second box %6")
                     .arg(QLatin1String(name),
                          test::propsOf(*field, "SearchType CaptionCode CaptionDescription Description "
                                                "IDFirm Enabled OnlyAccounts BackColor"),
                          font.family())
                     .arg(font.pointSize())
                     .arg(field->findChild<QLineEdit *>(QStringLiteral("txtField0"))->width())
                     .arg(field->findChild<QLineEdit *>(QStringLiteral("txtField2"))->isVisibleTo(field));
    }
    return lines.join(u'\n');
}

const char *const kHostForm =
    "fieldCliente: SearchType=OrvSearchSuppliers CaptionCode=Codice fornitore: "
    "CaptionDescription=Cliente/Fornitore/Conto: Description=Rossi IDFirm=3 Enabled=true OnlyAccounts=false "
    "BackColor=14745599, Courier 11, code box 100 px, second box 0\n"
    "fieldConto: SearchType=OrvSearchAccounts CaptionCode=Codice: CaptionDescription=Conto: Description= "
    "IDFirm=0 Enabled=false OnlyAccounts=true BackColor=2147483653, Tahoma 8, code box 67 px, second box 0";

std::unique_ptr<QWidget> loadThroughPlugin(QIODevice &ui)
{
    QUiLoader loader;
    loader.clearPluginPaths();
    loader.addPluginPath(QStringLiteral(ORV_DESIGNER_PLUGIN_DIR));
    EXPECT_TRUE(loader.availableWidgets().contains(QStringLiteral("orv::OrvSearchACS2")));
    std::unique_ptr<QWidget> form(loader.load(&ui));
    EXPECT_TRUE(form) << loader.errorString().toStdString();
    return form;
}

TEST(DesignerFormTest, AFormHoldingTheFieldLoadsThroughThePluginAndThroughUicAlike)
{
    QFile ui(QStringLiteral(ORV_TEST_FORMS_DIR "/HostForm.ui"));
    ASSERT_TRUE(ui.open(QIODevice::ReadOnly));
    const std::unique_ptr<QWidget> loaded = loadThroughPlugin(ui);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(describe(*loaded), kHostForm);

    QWidget compiled;
    Ui::HostForm form;
    form.setupUi(&compiled);
    EXPECT_EQ(describe(compiled), kHostForm);
    EXPECT_EQ(form.fieldConto->SearchType(), OrvSearchAccounts);
}

TEST(DesignerFormTest, APropertyThatFailsIsAWarningAndTheFormStillLoads)
{
    QByteArray ui = R"(<ui version="4.0"><widget class="QWidget" name="Form"><layout class="QVBoxLayout">
        <item><widget class="orv::OrvSearchACS2" name="fieldConto">
          <property name="IDNode"><number>12</number></property>
          <property name="WidthCode" stdset="0"><number>40000</number></property>
          <property name="CaptionDescription"><string>Conto:</string></property>
        </widget></item></layout></widget></ui>)";
    static QStringList warnings;
    warnings.clear();
    const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &text) {
            if (type == QtWarningMsg)
                warnings << text;
        });
    QBuffer buffer(&ui);
    buffer.open(QIODevice::ReadOnly);
    const std::unique_ptr<QWidget> form = loadThroughPlugin(buffer);
    qInstallMessageHandler(previous);
    ASSERT_TRUE(form);
    auto *field = form->findChild<QWidget *>(QStringLiteral("fieldConto"));
    ASSERT_TRUE(field);
    // IDNode is stored before its load fails for want of a connection; the width is refused.
    EXPECT_EQ(warnings.filter(QStringLiteral("fieldConto IDNode: Errore 3002")).size(), 1)
        << warnings.join(u'\n').toStdString();
    EXPECT_EQ(warnings.filter(QStringLiteral("fieldConto WidthCode: Errore 6")).size(), 1);
    EXPECT_EQ(field->property("IDNode").toInt(), 12);
    EXPECT_EQ(field->property("WidthCode").toInt(), 1000);
    EXPECT_EQ(field->property("CaptionDescription").toString(), "Conto:");
}

TEST(DesignerFormTest, TheDesignerShowsTheSettingsTheFieldSaves)
{
    QStringList designable;
    const QMetaObject &meta = OrvSearchACS2::staticMetaObject;
    for (int i = meta.propertyOffset(); i < meta.propertyCount(); ++i) {
        if (meta.property(i).isDesignable())
            designable << QLatin1String(meta.property(i).name());
    }
    QStringList saved;
    for (const PersistedKey &key : kPersistedKeys)
        saved << QLatin1String(key.name);
    designable.sort();
    saved.sort();
    EXPECT_EQ(designable, saved);
}

} // namespace
} // namespace orv
