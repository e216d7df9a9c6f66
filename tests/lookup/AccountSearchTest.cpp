// The account field's searches in the chart-of-accounts browser, on the demo company: the real
// dialog, driven from inside its modal loop as a bookkeeper would.
#include "control/OrvSearchACS2.h"
#include "control/OrvSearchACS2_p.h"
#include "platform/FileSettingsStore.h"
#include "support/Database.h"
#include "support/Engines.h"
#include "support/FakeServices.h"
#include "support/QtPrinters.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <functional>
#include <utility>

namespace orv {
namespace {

class AccountSearchTest : public ::testing::TestWithParam<test::Engine> {
protected:
    AccountSearchTest()
    {
        auto *layout = new QVBoxLayout(&window);
        field = new OrvSearchACS2(&window);
        auto *after = new QLineEdit(&window);
        after->setObjectName(QStringLiteral("after"));
        layout->addWidget(field);
        layout->addWidget(after);
        field->setConnection(test::demoDatabaseOn(GetParam()));
        field->setIDFirm(1);
        field->setIDPDC(1);
        field->setCaptionSearch(QStringLiteral("Ricerca conto"));
        field->setSearchType(OrvSearchAccounts);
        QObject::connect(field, &OrvSearchACS2::ChangedElement, [this] { events << "ChangedElement"; });
        QObject::connect(field, &OrvSearchACS2::ErrorInLostFocus, [this] { events << "ErrorInLostFocus"; });
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        QObject::connect(&watcher, &QTimer::timeout, [this] { actOnTheOpenBrowser(); });
        watcher.start(5);
    }

    QLineEdit *box(int i) const { return field->findChild<QLineEdit *>(QStringLiteral("txtField%1").arg(i)); }

    // What the bookkeeper does once the browser is open; the browser as it opened is kept as
    // "<caption>: [<code box>|<description box>]", or "no browser".
    void inBrowser(std::function<void(QWidget &)> act)
    {
        opened = QStringLiteral("no browser");
        pending = std::move(act);
    }
    // Runs the pending action as soon as a modal dialog shows.
    void actOnTheOpenBrowser()
    {
        QWidget *dialog = QApplication::activeModalWidget();
        if (!dialog || !pending)
            return;
        const auto act = std::exchange(pending, nullptr);
        const auto text = [dialog](const char *name) {
            return dialog->findChild<QLineEdit *>(QLatin1String(name))->text();
        };
        opened = QStringLiteral("%1: [%2|%3]")
                     .arg(dialog->windowTitle(), text("txtCodifica"), text("txtDescrizione"));
        act(*dialog);
        if (dialog->isVisible()) // a refusal: the bookkeeper gives up
            dialog->findChild<QPushButton *>(QStringLiteral("cmdEsc"))->click();
    }
    static void chooseFirstRowAndConfirm(QWidget &dialog)
    {
        auto *list = dialog.findChild<QAbstractItemView *>(QStringLiteral("lstListView"));
        list->setCurrentIndex(list->model()->index(0, 0));
        dialog.findChild<QPushButton *>(QStringLiteral("cmdOK"))->click();
    }
    static void cancel(QWidget &dialog)
    {
        dialog.findChild<QPushButton *>(QStringLiteral("cmdEsc"))->click();
    }

    // The field in one line: boxes, "#IDNode/NodeType/IDAnagrafica", the events, the flags.
    QString shown()
    {
        const FieldWork &work = fieldContextOf(*field).work();
        QString line = QStringLiteral("%1|%2 #%3/%4/%5")
                           .arg(field->Code(), field->Description())
                           .arg(field->IDNode())
                           .arg(static_cast<int>(field->NodeType()))
                           .arg(field->IDAnagrafica());
        if (!events.isEmpty())
            line += u' ' + events.join(QStringLiteral(", "));
        events.clear();
        if (work.bCodiceModificato || work.bDescrizioneModificata)
            line += QStringLiteral(" edited");
        if (work.bRicercaInCorso)
            line += QStringLiteral(" busy");
        return line;
    }
    // The window is active again, as a window manager makes it once a dialog has closed.
    void activate()
    {
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    void leaveDescription(const QString &typed)
    {
        activate();
        box(1)->setFocus(Qt::TabFocusReason);
        box(1)->selectAll();
        QTest::keyClicks(box(1), typed);
        QTest::keyClick(box(1), Qt::Key_Tab);
    }

    QTemporaryDir settingsFolder;
    test::ServiceOverride<FileSettingsStore> settings{
        std::make_shared<FileSettingsStore>(settingsFolder.path())};
    test::ServiceOverride<test::CapturedMessageBoxes> messages;
    QWidget window;
    OrvSearchACS2 *field = nullptr;
    QStringList events;
    QString opened;
    std::function<void(QWidget &)> pending;
    QTimer watcher;
};

TEST_P(AccountSearchTest, TheLookupByDescriptionTakesOneAccountOrOneBranchAndBrowsesTheRest)
{
    // One account of the chart, then one branch: filled without the browser (the first keystroke
    // forgets the node shown before).
    inBrowser([](QWidget &) {});
    leaveDescription(QStringLiteral("Rossi Mario"));
    EXPECT_EQ(opened, "no browser");
    EXPECT_EQ(shown(), "01.05.001|Rossi Mario #101/0/1 ChangedElement");
    inBrowser([](QWidget &) {});
    leaveDescription(QStringLiteral("Crediti verso"));
    EXPECT_EQ(shown(), "01.05|Crediti verso clienti #1013/1/0 ChangedElement, ChangedElement");

    // Two accounts: the search command opens the browser on the description.
    inBrowser([&](QWidget &dialog) { chooseFirstRowAndConfirm(dialog); });
    leaveDescription(QStringLiteral("Ferrari"));
    EXPECT_EQ(opened, "Ricerca conto: [|Ferrari]");
    EXPECT_EQ(shown(), "01.05.005|Ferrari Impianti S.n.c. #105/0/5 ChangedElement, ChangedElement");

    // Nothing: the browser opens with the boxes, and the lookup ends as failed.
    inBrowser([&](QWidget &dialog) { cancel(dialog); });
    leaveDescription(QStringLiteral("Zzz"));
    EXPECT_EQ(opened, "Ricerca conto: [|Zzz]");
    EXPECT_EQ(shown(), "|Zzz #0/0/0 ChangedElement, ErrorInLostFocus edited");
    EXPECT_EQ(window.focusWidget(), box(1));
}

TEST_P(AccountSearchTest, CtrlRLoadsTheChosenNodeOrTheOneBeforeAndRemembersTheTree)
{
    inBrowser([&](QWidget &dialog) {
        auto *code = dialog.findChild<QLineEdit *>(QStringLiteral("txtCodifica"));
        code->setText(QStringLiteral("01.10"));
        QTest::keyClick(code, Qt::Key_Return);
        chooseFirstRowAndConfirm(dialog);
    });
    QTest::keyClick(box(0), Qt::Key_R, Qt::ControlModifier);
    EXPECT_EQ(opened, "Ricerca conto: [|]");
    EXPECT_EQ(shown(), "01.10|Disponibilità liquide #1014/1/0 ChangedElement");

    // A cancel loads the node the field named again; the hidden tree is remembered.
    inBrowser([&](QWidget &dialog) {
        dialog.findChild<QAbstractButton *>(QStringLiteral("chkVisTree"))->click();
        cancel(dialog);
    });
    QTest::keyClick(box(0), Qt::Key_R, Qt::ControlModifier);
    // Given both, the browser searches the description and keeps the code's node in the tree.
    EXPECT_EQ(opened, "Ricerca conto: [|Disponibilità liquide]");
    EXPECT_EQ(shown(), "01.10|Disponibilità liquide #1014/1/0");
    EXPECT_EQ(settings->read(OrvSearchACS2::settingsAppName(), QStringLiteral("MenuSettings"),
                             QStringLiteral("TreeHidden")),
              QStringLiteral("True"));
}

TEST_P(AccountSearchTest, TheHostFindsACustomerOrSupplierThroughItsAccount)
{
    // description, field type, then what the browser opened with and what the field shows
    const struct {
        const char *description;
        OrvTypeSearchACS type;
        const char *opened;
        const char *shown;
        int accountType;
    } rows[] = {
        {"Ferrari", OrvSearchCustomers, "Ricerca conto: [|Ferrari]",
         "01.05.005|Ferrari Impianti S.n.c. #105/0/5 ChangedElement", 6},
        {"Ferrari", OrvSearchSuppliers, "Ricerca conto: [|Ferrari]",
         "02.10.009|Ferrari Impianti S.n.c. #209/0/5 ChangedElement", 7},
        {"Zzz", OrvSearchCustomers, "Ricerca conto: [|]", "| #0/0/0 edited", 6},
    };
    for (const auto &row : rows) {
        field->setSearchType(row.type);
        field->setIDSearchTypeRamo(OrvAssetsBranchs);
        shown();
        inBrowser([&](QWidget &dialog) {
            if (QString::fromLatin1(row.description) == QLatin1String("Zzz"))
                cancel(dialog);
            else
                chooseFirstRowAndConfirm(dialog);
        });
        QString description = QString::fromLatin1(row.description);
        field->sbAnagraficaCallFromMenuSearchPDC(description);
        EXPECT_EQ(opened, row.opened) << row.description;
        EXPECT_EQ(shown(), row.shown) << row.description;
        // The restriction stays the field's.
        EXPECT_EQ(static_cast<int>(field->IDSearchTypeConto()), row.accountType);
        EXPECT_EQ(field->IDSearchTypeRamo(), OrvAllBranchs);
        EXPECT_EQ(window.focusWidget(), box(1));
    }
}

ORV_ON_EVERY_ENGINE(AccountSearchTest);

} // namespace
} // namespace orv
