// The real picking list: Ctrl+R on the collaborator field opens it over every collaborator;
// the clerk looks at it and closes it with Escape, and the field keeps what it showed.
#include "Tour.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

namespace orv::demo {

namespace {

void pickerTour(DemoForm &form)
{
    OrvSearchACS2 *field = form.field(OrvSearchCollaborators);
    auto *code = field->findChild<QLineEdit *>(QStringLiteral("txtField0"));
    say(form, QStringLiteral("Collaborator field: Ctrl+R opens the picking list"));
    QTimer::singleShot(0, &form, [&form] {
        QWidget *list = QApplication::activeModalWidget();
        if (!list) {
            say(form, QStringLiteral("  no picking list opened"));
            return;
        }
        const auto *rows = list->findChild<QAbstractItemView *>();
        say(form, QStringLiteral("  \"%1\" opens with %2 rows; the clerk presses Escape")
                      .arg(list->windowTitle())
                      .arg(rows && rows->model() ? rows->model()->rowCount() : 0));
        QTest::keyClick(list, Qt::Key_Escape);
    });
    code->setFocus(Qt::TabFocusReason);
    QTest::keyClick(code, Qt::Key_R, Qt::ControlModifier);
    say(form, QStringLiteral("  the field shows \"%1\" \"%2\"").arg(field->Code(), field->Description()));
}

const TourSection section(35, "Registry fields: the picking list", pickerTour);

} // namespace
} // namespace orv::demo
