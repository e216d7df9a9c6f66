#include "browser/frmSearchAccount.h"

#include "browser/BrowserQueries.h"
#include "browser/ChartTreeModel.h"
#include "browser/ResultList.h"
#include "data/querymodel/LazyQueryModel.h"
#include "field/ModuleState.h"
#include "support/ChartFixture.h"
#include "support/Engines.h"
#include "support/FakeServices.h"
#include "support/FaultingConnection.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <gtest/gtest.h>

#include <functional>

namespace orv {
namespace {

using browser::ChartTreeModel;
using browser::ResultList;

const QString kApplication = QStringLiteral("Contabilità");

class BrowserDialogTest : public ::testing::TestWithParam<test::Engine> {
protected:
    void SetUp() override
    {
        moduleState().sApplicationName = kApplication;
        configure(dialog, chart.recorder);
        dialog.sCaption = QStringLiteral("Cerca conto");
    }
    static void configure(frmSearchAccount &browser, DbConnectionPtr db)
    {
        browser.oConnect = std::move(db);
        browser.lIDPDC = 1;
        browser.sSepCod = QStringLiteral(".");
    }
    static QLineEdit *boxOf(frmSearchAccount &browser, const char *name)
    {
        return browser.findChild<QLineEdit *>(QLatin1String(name));
    }
    static void clickRow(frmSearchAccount &browser, int row)
    {
        auto *rows = browser.findChild<ResultList *>(QStringLiteral("lstListView"));
        QTest::mouseClick(rows->viewport(), Qt::LeftButton, Qt::NoModifier,
                          rows->visualRect(rows->model()->index(row, 0)).center());
    }

    // exec() with `interact` run in the open dialog; a dialog still open afterwards is cancelled.
    int open(const std::function<void()> &interact)
    {
        bool ran = false;
        QTimer::singleShot(0, &dialog, [&] {
            ran = true;
            EXPECT_EQ(QApplication::activeModalWidget(), &dialog);
            EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
            interact();
            stayedOpen = dialog.isVisible();
            if (stayedOpen)
                dialog.reject();
        });
        const int result = dialog.exec();
        EXPECT_TRUE(ran);
        return result;
    }

    template <typename T> T *child(const char *name)
    {
        return dialog.findChild<T *>(QString::fromLatin1(name));
    }
    QLineEdit *codeBox() { return boxOf(dialog, "txtCodifica"); }
    QLineEdit *descriptionBox() { return boxOf(dialog, "txtDescrizione"); }
    ResultList *list() { return child<ResultList>("lstListView"); }
    QTreeView *treeView() { return child<QTreeView>("trvTreeView"); }
    ChartTreeModel *tree() { return qobject_cast<ChartTreeModel *>(treeView()->model()); }

    QStringList keysBelow(const QString &key)
    {
        QStringList keys;
        const int node = tree()->find(key);
        for (int i = 0; i < tree()->childCount(node); ++i)
            keys << tree()->key(tree()->child(node, i));
        return keys;
    }
    QString tag(const QString &key) { return tree()->tag(tree()->find(key)).toText(); }
    QString currentKey() { return tree()->key(tree()->nodeOf(treeView()->currentIndex())); }

    static void enter(QLineEdit *box, const QString &text)
    {
        box->clear();
        QTest::keyClicks(box, text);
        QTest::keyClick(box, Qt::Key_Return);
    }
    QStringList listColumn(const char *column)
    {
        QStringList values;
        for (int row = 0; row < list()->rowCount(); ++row)
            values << list()->rows()->value(row, QString::fromLatin1(column)).toText();
        return values;
    }

    test::ChartFixture chart{test::demoDatabaseOn(GetParam())};
    test::ServiceOverride<test::CapturedMessageBoxes> boxes;
    test::ServiceOverride<test::FixedScreen> screen;
    frmSearchAccount dialog;
    QAbstractItemModelTester treeTester{tree(), QAbstractItemModelTester::FailureReportingMode::Fatal};
    bool stayedOpen = false;
};

// Customer mode: only the paths to the customer accounts, each account once.
TEST_P(BrowserDialogTest, CustomerModeShowsThePathsToTheCustomerAccounts)
{
    dialog.bCliente = true;
    dialog.lIDSearchTypeRamo = 1;
    open([&] {
        EXPECT_EQ(dialog.lIDSearchTypeConto, 6);
        EXPECT_EQ(dialog.lIDSearchTypeRamo, 6);
        EXPECT_EQ(keysBelow(QStringLiteral("Piano dei conti")), QStringList({"1001B"}));
        EXPECT_EQ(keysBelow(QStringLiteral("1001B")), QStringList({"1013B"}));
        EXPECT_EQ(QStringList({tag(QStringLiteral("1001B")), tag(QStringLiteral("1013B"))}),
                  QStringList({"10", "02"}));
        EXPECT_EQ(keysBelow(QStringLiteral("1013B")).size(), 21); // Effetti attivi is not a customer account
        EXPECT_FALSE(keysBelow(QStringLiteral("1013B")).contains(QStringLiteral("20L")));
        treeView()->collapse(tree()->indexOf(tree()->find(QStringLiteral("1001B"))));
        treeView()->expand(tree()->indexOf(tree()->find(QStringLiteral("1001B"))));
        EXPECT_EQ(keysBelow(QStringLiteral("1013B")).size(), 22);
        EXPECT_TRUE(keysBelow(QStringLiteral("1013B")).contains(QStringLiteral("20L")));
        EXPECT_EQ(tag(QStringLiteral("1013B")), QStringLiteral("12"));
    });
}

// What OK hands back, or why it refuses: a description search, then the row chosen in the list.
TEST_P(BrowserDialogTest, OkHandsBackTheChosenRowOrRefusesItWithEachRule)
{
    const QString invalid = QStringLiteral("Il conto selezionato non è valido.");
    const QString terminal = QStringLiteral("E' obbligatorio selezionare un ramo terminale.");
    const QString conto = QStringLiteral("E' obbligatorio selezionare un conto.");
    const QString passive =
        QStringLiteral("Il conto selezionato non appartiene alla tipologia conto \"Passività\".");
    const struct Case {
        const char *name;
        const char *settings; // hide: bHideLeaf, conto: bOnlyConto, terminal: bOnlyTerminalBranch,
                              // type2: lIDSearchTypeRamo 2, notree: the tree hidden
        const char *description;
        const char *meanwhile; // a change of the chart by someone else before OK
        int row;
        QStringList messages;
        const char *outcome; // "ok id/type code branch-type" or "open" and the id the open dialog holds
    } cases[] = {
        {"account", "", "Cassa contanti", nullptr, 0, {}, "ok 8/0 01.10.001 0"},
        {"branch", "", "Disponibilit", nullptr, 0, {}, "ok 1014/1 01.10 0"},
        {"nothing listed", "", "zzz", nullptr, -1, {invalid}, "open 0"},
        {"no row chosen", "", "Cassa", nullptr, -1, {invalid}, "open 0"},
        {"account while accounts are hidden", "hide", "Cassa contanti", nullptr, 0, {terminal}, "open 0"},
        {"branch while only accounts", "conto", "Disponibilit", nullptr, 0, {conto}, "open 0"},
        {"branch of the required type", "type2", "Fondi", nullptr, 0, {}, "ok 1023/1 02.15 0"},
        {"non-terminal branch, tree shown", "terminal", "Fondi", nullptr, 0, {invalid}, "open 1023"},
        {"non-terminal branch, tree hidden", "terminal notree", "Fondi", nullptr, 0, {terminal}, "open 1023"},
        {"non-terminal branch of another type by now, tree hidden",
         "terminal type2 notree",
         "Fondi",
         "UPDATE ElementoPDC SET IDTipoConto = 1 WHERE IDElementoPDC = 1023",
         0,
         {passive, terminal},
         "open 1023"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        test::ChartFixture company(test::demoDatabaseOn(GetParam()));
        frmSearchAccount browser;
        configure(browser, company.recorder);
        const QString settings = QLatin1String(c.settings);
        if (settings.contains(u"hide"))
            browser.bHideLeaf = true;
        if (settings.contains(u"conto"))
            browser.bOnlyConto = true;
        if (settings.contains(u"terminal"))
            browser.bOnlyTerminalBranch = true;
        if (settings.contains(u"type2"))
            browser.lIDSearchTypeRamo = 2;
        if (settings.contains(u"notree"))
            browser.setTreeHidden(true);
        boxes->clear();
        QString outcome;
        QTimer::singleShot(0, &browser, [&] {
            enter(boxOf(browser, "txtDescrizione"), QString::fromUtf8(c.description));
            if (c.row >= 0)
                clickRow(browser, c.row);
            if (c.meanwhile)
                company.execute(QString::fromLatin1(c.meanwhile));
            QTest::keyClick(browser.findChild<ResultList *>(QStringLiteral("lstListView")), Qt::Key_Return);
            if (browser.isVisible()) {
                outcome = QStringLiteral("open %1").arg(browser.IDNode);
                browser.reject();
            }
        });
        const int result = browser.exec();
        if (outcome.isEmpty())
            outcome = QStringLiteral("%1 %2/%3 %4 %5")
                          .arg(result == QDialog::Accepted ? "ok" : "rejected")
                          .arg(browser.IDNode)
                          .arg(browser.TypeNode)
                          .arg(browser.Codifica)
                          .arg(browser.lIDSearchTypeRamo);
        EXPECT_EQ(outcome, QLatin1String(c.outcome));
        EXPECT_EQ(boxes->texts(), c.messages);
        for (const auto &shown : boxes->messages()) {
            EXPECT_EQ(shown.style, kMbCritical);
            EXPECT_EQ(shown.title, kApplication);
        }
    }
}

TEST_P(BrowserDialogTest, EveryStatementOrRowReadThatFailsReachesTheCallerOrTheUser)
{
    // Each step runs once clean, then once for every statement and row read it makes failing
    // in turn (and one past the last). A fault while opening is the error of exec(); one in the
    // open dialog is shown as "Errore 3000: ..." and leaves it open, where a search by code still
    // finds its account. Only the walk down a typed code to its node ends silently at a fault.
    auto faulting = std::make_shared<test::FaultingConnection>(chart.db);
    using Act = std::function<void(frmSearchAccount &)>;
    struct Step {
        const char *name;
        Act before; // held: not counted
        Act act;    // null: the opening is the step
        bool walksCode = false;
    };
    const auto typeIn = [&](const char *name, const char *text) -> Act {
        return [=](frmSearchAccount &d) { enter(boxOf(d, name), QString::fromUtf8(text)); };
    };
    const Step steps[] = {
        {"open", {}, {}},
        {"open with a code and a description",
         [](frmSearchAccount &d) {
             d.Codifica = QStringLiteral("01.10.001"), d.Descrizione = QStringLiteral("Banca");
         },
         {},
         true},
        {"expand",
         {},
         [](frmSearchAccount &d) {
             auto *view = d.findChild<QTreeView *>(QStringLiteral("trvTreeView"));
             auto *model = qobject_cast<ChartTreeModel *>(view->model());
             view->expand(model->indexOf(model->find(QStringLiteral("1001B"))));
         }},
        {"search by code", {}, typeIn("txtCodifica", "02.15.01.003"), true},
        {"search by description", {}, typeIn("txtDescrizione", "Banca")},
    };
    QStringList points;
    for (const Step &step : steps) {
        std::unique_ptr<frmSearchAccount> browser;
        QString outcome; // written by the timer, which may outlive a run that threw
        bool recovered = false;
        const auto run = [&] {
            outcome.clear();
            browser = std::make_unique<frmSearchAccount>();
            configure(*browser, faulting);
            boxes->clear();
            recovered = false;
            faulting->hold(static_cast<bool>(step.act));
            if (step.before)
                step.before(*browser);
            QTimer::singleShot(0, browser.get(), [&] {
                frmSearchAccount &d = *browser;
                if (step.act) {
                    faulting->hold(false);
                    step.act(d);
                }
                faulting->hold(true);
                outcome = QStringLiteral("%1 -> %2 %3")
                              .arg(boxes->texts().join(u';'))
                              .arg(d.IDNode)
                              .arg(d.isVisible());
                if (d.isVisible()) {
                    enter(boxOf(d, "txtCodifica"), QStringLiteral("01.10.001"));
                    recovered = d.IDNode == 0 &&
                                boxOf(d, "txtDescrizione")->text() == QStringLiteral("Cassa contanti");
                    d.reject();
                } else {
                    recovered = true;
                }
            });
            try {
                browser->exec();
            } catch (const RuntimeError &e) {
                outcome = QStringLiteral("#%1").arg(e.number());
            }
            return outcome;
        };
        test::runAtEveryFault(
            *faulting, points, QLatin1String(step.name), [] {}, run,
            [&](const QString &result, const QString &clean, bool fired) {
                const bool reported = result == QStringLiteral("#3000") ||
                                      result.startsWith(QStringLiteral("Errore 3000: injected"));
                const bool silent = result.startsWith(QStringLiteral(" -> "));
                if (!fired)
                    EXPECT_EQ(result, clean);
                else
                    EXPECT_TRUE(reported || (step.walksCode && silent)) << result.toStdString();
                EXPECT_FALSE(step.act && result.startsWith(u'#')) << "out of the open dialog";
                EXPECT_TRUE(result.startsWith(u'#') || recovered) << result.toStdString();
            });
        EXPECT_TRUE(recovered) << step.name;
    }
    test::printFaultPoints(points);
}

TEST_P(BrowserDialogTest, AnnullaEscapeAndClosingHandBackNothing)
{
    const std::function<void(frmSearchAccount &)> ways[] = {
        [](frmSearchAccount &d) { d.findChild<QPushButton *>(QStringLiteral("cmdEsc"))->click(); },
        [](frmSearchAccount &d) { QTest::keyClick(&d, Qt::Key_Escape); },
        [](frmSearchAccount &d) { d.close(); },
    };
    for (const auto &cancel : ways) {
        dialog.Codifica = QStringLiteral("01.10.001");
        dialog.IDNode = 5;
        dialog.bFornitore = true;
        EXPECT_EQ(open([&] { cancel(dialog); }), QDialog::Rejected);
        EXPECT_FALSE(stayedOpen);
        EXPECT_EQ(dialog.IDNode, 0);
        EXPECT_TRUE(dialog.Codifica.isEmpty() && dialog.Descrizione.isEmpty());
        EXPECT_FALSE(dialog.bFornitore);
        EXPECT_EQ(dialog.lIDSearchTypeConto, 0);
    }
}

// A code five levels down whose branches are not loaded yet: the walk loads them on its way.
TEST_P(BrowserDialogTest, ACodeSearchSelectsANodeNotLoadedYet)
{
    open([&] {
        EXPECT_EQ(tree()->find(QStringLiteral("30L")), ChartTreeModel::kNoNode);
        enter(codeBox(), QStringLiteral("02.15.01.003"));
        EXPECT_EQ(currentKey(), QStringLiteral("30L"));
        EXPECT_TRUE(treeView()->isExpanded(tree()->indexOf(tree()->find(QStringLiteral("1024B")))));
        EXPECT_EQ(descriptionBox()->text(), QStringLiteral("Fondo ammortamento automezzi"));
        EXPECT_EQ(list()->sqlSource(), browser::fnSelectForSearch(1, 30, descriptionBox()->text(), 2, 0, 0));
        EXPECT_EQ(listColumn("IDConto"), QStringList({"30"}));
        enter(codeBox(), QStringLiteral("99.01"));
        EXPECT_TRUE(descriptionBox()->text().isEmpty());
        EXPECT_EQ(list()->rowCount(), 0);
        EXPECT_EQ(currentKey(), QStringLiteral("30L"));
    });
}

ORV_ON_EVERY_ENGINE(BrowserDialogTest);

} // namespace
} // namespace orv
