// The field's layout in twips, side by side for the cases that differ, and the form saved with
// every field's design-time settings and loaded again.
#include "Tour.h"

#include "control/PropertyBag.h"
#include "control/SavedForm.h"
#include "data/RuntimeError.h"
#include "platform/Services.h"

#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

namespace orv::demo {

namespace {

struct LayoutCase {
    const char *name;
    const char *title;
    std::function<void(OrvSearchACS2 &)> setUp;
};

const std::vector<LayoutCase> &layoutCases()
{
    static const std::vector<LayoutCase> cases = {
        {"layoutDefault", "Cliente: widths 1000, 2000, 1000", [](OrvSearchACS2 &) {}},
        {"layoutAccount", "Conto: the second box's room goes to the description",
         [](OrvSearchACS2 &f) {
             f.setSearchType(OrvSearchAccounts);
             f.setCaptionDescription(QStringLiteral("Conto:"));
         }},
        {"layoutWide", "Fornitore: widths 1600, 3000, 600",
         [](OrvSearchACS2 &f) {
             f.setSearchType(OrvSearchSuppliers);
             f.setWidthCode(1600);
             f.setWidthDescription(3000);
             f.setWidthSecondDescription(600);
             f.setCaptionDescription(QStringLiteral("Fornitore:"));
         }},
        {"layoutNoCode", "Agente: no code column",
         [](OrvSearchACS2 &f) {
             f.setSearchType(OrvSearchAgents);
             f.setVisibleCode(false);
             f.setCaptionDescription(QStringLiteral("Agente:"));
         }},
        {"layoutAccountCode", "Conto without description: the room goes to the code",
         [](OrvSearchACS2 &f) {
             f.setSearchType(OrvSearchAccounts);
             f.setVisibleDescription(false);
             f.setCaptionCode(QStringLiteral("Conto:"));
         }},
        {"layoutCodeOnly", "Visible off, then the code column on",
         [](OrvSearchACS2 &f) {
             f.setVisibleProperty(false);
             f.setVisibleCode(true);
             f.setBackColor(0x00E0FFFF); // light yellow
             f.setFontLabel([] {
                 QFont bold(QStringLiteral("Tahoma"));
                 bold.setPointSizeF(8.25);
                 bold.setBold(true);
                 return bold;
             }());
         }},
    };
    return cases;
}

QLineEdit *boxOf(OrvSearchACS2 *field, int i)
{
    return field->findChild<QLineEdit *>(QStringLiteral("txtField%1").arg(i));
}

// Where the boxes are, in twips, as the field placed them.
QString placement(OrvSearchACS2 *field)
{
    const double tx = services::screen().twipsPerPixelX();
    const auto twips = [tx](int pixels) { return static_cast<int>(std::lround(pixels * tx)); };
    QStringList parts;
    for (int i = 0; i < 3; ++i) {
        QLineEdit *box = boxOf(field, i);
        if (box->isVisibleTo(field))
            parts << QStringLiteral("box %1 at %2 width %3")
                         .arg(i)
                         .arg(twips(box->x()))
                         .arg(twips(box->width()));
    }
    parts << QStringLiteral("field %1 x %2").arg(twips(field->width())).arg(twips(field->height()));
    return parts.join(QStringLiteral(", "));
}

std::vector<OrvSearchACS2 *> addLayoutCases(DemoForm &form)
{
    auto *group = new QGroupBox(QStringLiteral("Layout in twips"), &form);
    group->setObjectName(QStringLiteral("layoutCases"));
    auto *grid = new QGridLayout(group);
    grid->setHorizontalSpacing(24);
    std::vector<OrvSearchACS2 *> fields;
    int cell = 0;
    for (const LayoutCase &c : layoutCases()) {
        auto *cellBox = new QWidget(group);
        auto *column = new QVBoxLayout(cellBox);
        column->setContentsMargins(0, 0, 0, 0);
        column->setSpacing(2);
        auto *title = new QLabel(QString::fromUtf8(c.title), cellBox);
        title->setStyleSheet(QStringLiteral("color: #555"));
        auto *field = new OrvSearchACS2(cellBox);
        field->setObjectName(QLatin1String(c.name));
        c.setUp(*field);
        column->addWidget(title);
        column->addWidget(field);
        grid->addWidget(cellBox, cell / 2, cell % 2, Qt::AlignLeft | Qt::AlignTop);
        fields.push_back(field);
        ++cell;
    }
    auto *layout = qobject_cast<QVBoxLayout *>(form.layout());
    layout->insertWidget(1, group);
    group->show(); // the form is already on screen
    form.resize(std::max(form.width(), form.sizeHint().width()),
                std::max(form.height(), form.sizeHint().height()));
    return fields;
}

void layoutTour(DemoForm &form)
{
    say(form, QStringLiteral("Screen: %1 twips a pixel").arg(services::screen().twipsPerPixelY()));
    const std::vector<OrvSearchACS2 *> fields = addLayoutCases(form);
    for (OrvSearchACS2 *field : fields)
        say(form, QStringLiteral("%1: %2").arg(field->objectName(), placement(field)));

    // The form saves every field: each bag holds what differs from the defaults.
    SavedForm saved;
    for (const auto &[type, field] : form.fields())
        field->WriteProperties(saved.bag(QStringLiteral("OrvSearchACS2"), field->objectName()));
    for (OrvSearchACS2 *field : fields)
        field->WriteProperties(saved.bag(QStringLiteral("OrvSearchACS2"), field->objectName()));
    QDir().mkpath(QStringLiteral("out"));
    const QString path = QDir(QStringLiteral("out")).absoluteFilePath(QStringLiteral("demo-form.txt"));
    saved.save(path);
    say(form, QStringLiteral("Saved form %1, the account field and the layout cases:").arg(path));
    SavedForm shown;
    const QString account = form.field(OrvSearchAccounts)->objectName();
    shown.bag(QStringLiteral("OrvSearchACS2"), account) = *saved.find(account);
    for (const OrvSearchACS2 *field : fields)
        shown.bag(QStringLiteral("OrvSearchACS2"), field->objectName()) = *saved.find(field->objectName());
    for (const QString &line : shown.toText().split(u'\n', Qt::SkipEmptyParts))
        say(form, QStringLiteral("  ") + line);

    // Loaded again into new fields, each lays itself out as the one saved.
    std::vector<SavedFormError> errors;
    const SavedForm loaded = SavedForm::load(path, &errors);
    say(form, QStringLiteral("Loaded again: %1 controls, %2 errors")
                  .arg(loaded.controls().size())
                  .arg(errors.size()));
    for (OrvSearchACS2 *field : fields) {
        OrvSearchACS2 copy;
        copy.ReadProperties(*loaded.find(field->objectName()));
        say(form,
            QStringLiteral("%1 loaded: %2")
                .arg(field->objectName(), placement(field) == placement(&copy) ? QStringLiteral("same layout")
                                                                               : placement(&copy)));
    }

    // A form edited by hand: the values that cannot be taken are named, the rest loads.
    const QString edited =
        saved.toText()
            .replace(QStringLiteral("WidthCode = Integer 1600"), QStringLiteral("WidthCode = Long 70000"))
            .replace(QStringLiteral("[OrvSearchACS2 layoutNoCode]"),
                     QStringLiteral("[OrvSearchACS2 layoutNoCode]\nVisibleCode = String \"no\""));
    std::vector<SavedFormError> refused;
    const SavedForm partly = SavedForm::fromText(edited, &refused);
    for (const SavedFormError &error : refused)
        say(form, QStringLiteral("Refused: ") + error.text());
    OrvSearchACS2 wide;
    wide.ReadProperties(*partly.find(QStringLiteral("layoutWide")));
    say(form, QStringLiteral("layoutWide loaded from the edited form: WidthCode %1, WidthDescription %2")
                  .arg(wide.WidthCode())
                  .arg(wide.WidthDescription()));
}

const TourSection section(80, "Layout, appearance and the saved form", layoutTour);

} // namespace

} // namespace orv::demo
