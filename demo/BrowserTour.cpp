// The account field's browser as a bookkeeper uses it: Ctrl+R opens it on the chart; the tree is
// opened two levels down, a full code and the beginning of a description are searched, and the
// account found is confirmed. A picture of the dialog goes to out/browser.png.
#include "Tour.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeView>

namespace orv::demo {

namespace {

QWidget *openBrowser()
{
    return QApplication::activeModalWidget();
}

// Expands the first child that has children of its own, one level under the given node.
QModelIndex expandFirstParent(QTreeView *tree, const QModelIndex &under)
{
    QAbstractItemModel *model = tree->model();
    for (int row = 0; row < model->rowCount(under); ++row) {
        const QModelIndex child = model->index(row, 0, under);
        if (model->hasChildren(child)) {
            tree->expand(child);
            return child;
        }
    }
    return {};
}

void enterIn(QWidget *dialog, const char *box, const QString &text)
{
    auto *edit = dialog->findChild<QLineEdit *>(QLatin1String(box));
    edit->setFocus();
    edit->setText(text);
    QTest::keyClick(edit, Qt::Key_Return);
}

void browserTour(DemoForm &form)
{
    OrvSearchACS2 *field = form.field(OrvSearchAccounts);
    const TourMessages messages(form);
    say(form, QStringLiteral("Account field: the bookkeeper presses Ctrl+R in the empty code box"));
    field->findChild<QLineEdit *>(QStringLiteral("txtField0"))->clear();
    field->findChild<QLineEdit *>(QStringLiteral("txtField1"))->clear();
    QTimer::singleShot(0, &form, [&form] {
        QWidget *dialog = openBrowser();
        if (!dialog) {
            say(form, QStringLiteral("  no browser opened"));
            return;
        }
        say(form, QStringLiteral("  \"%1\" opens").arg(dialog->windowTitle()));
        auto *tree = dialog->findChild<QTreeView *>(QStringLiteral("trvTreeView"));
        const QModelIndex root = tree->model()->index(0, 0);
        const QModelIndex first = expandFirstParent(tree, root);
        const QModelIndex second = expandFirstParent(tree, first);
        say(form, QStringLiteral("  the tree opened at \"%1\", then \"%2\"")
                      .arg(first.data().toString(), second.data().toString()));
        enterIn(dialog, "txtDescrizione", QStringLiteral("Cassa"));
        auto *list = dialog->findChild<QAbstractItemView *>(QStringLiteral("lstListView"));
        say(form, QStringLiteral("  the description \"Cassa\" lists %1 rows").arg(list->model()->rowCount()));
        enterIn(dialog, "txtCodifica", QStringLiteral("01.05.001"));
        say(form, QStringLiteral("  the code 01.05.001 finds \"%1\"")
                      .arg(dialog->findChild<QLineEdit *>(QStringLiteral("txtDescrizione"))->text()));
        QDir().mkpath(QStringLiteral("out"));
        if (form.pictures && dialog->grab().save(QStringLiteral("out/browser.png")))
            say(form, QStringLiteral("  picture of the dialog: out/browser.png"));
        list->setCurrentIndex(list->model()->index(0, 0)); // the bookkeeper clicks the row found
        dialog->findChild<QPushButton *>(QStringLiteral("cmdOK"))->click();
        if (dialog->isVisible()) // refused: the tour goes on without a choice
            dialog->findChild<QPushButton *>(QStringLiteral("cmdEsc"))->click();
    });
    QTest::keyClick(field->findChild<QLineEdit *>(QStringLiteral("txtField0")), Qt::Key_R,
                    Qt::ControlModifier);
    say(form, QStringLiteral("  the field shows \"%1\" \"%2\", IDNode %3, NodeType %4")
                  .arg(field->Code(), field->Description())
                  .arg(field->IDNode())
                  .arg(static_cast<int>(field->NodeType())));
}

const TourSection section(45, "Account field: the chart-of-accounts browser", browserTour);

} // namespace

} // namespace orv::demo
