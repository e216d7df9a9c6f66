#include "data/picker/PickerDialog.h"

#include "data/RuntimeError.h"
#include "data/querymodel/LazyQueryModel.h"
#include "platform/QtPickerFactory.h"
#include "support/Database.h"
#include "support/Engines.h"
#include "support/FakeServices.h"
#include "support/FaultingConnection.h"
#include "support/Listings.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

using namespace orv;

namespace {

// The customers of the demo company by name: Bruno, Colombo, Conti, ..., Rossi, Rossini
// Forniture S.r.l., Russo.
class PickerDialogTest : public ::testing::TestWithParam<test::Engine> {
protected:
    void SetUp() override
    {
        picker.Caption(QStringLiteral("Ricerca clienti"));
        picker.Connection(db);
        picker.QueryText(test::kCustomerListing);
        for (const auto &[header, column] : {std::pair{"Anagrafica", "Anagrafica"},
                                             {"Codice", "Codice"},
                                             {"Nome", "Nome"},
                                             {"Partita Iva", "PartitaIva"}})
            picker.AddColumn(QLatin1String(header), QLatin1String(column), 1);
        picker.KeyField(QStringLiteral("Anagrafica.IDAnagrafica"));
    }

    template <typename T> T *child(const char *name)
    {
        return picker.findChild<T *>(QString::fromLatin1(name));
    }

    // Runs Pick() on the search text while `interact` drives the open dialog, and gives the column
    // of the row picked, or "" when it picks nothing. The dialog is rejected after a while should
    // the interaction leave it open, so that a failure cannot hang the run.
    QString pick(const char *searchText, const std::function<void()> &interact,
                 const char *column = "Anagrafica")
    {
        picker.SearchText(QString::fromUtf8(searchText));
        bool ran = false;
        QTimer::singleShot(0, &picker, [&] {
            ran = QApplication::activeModalWidget() == &picker && QTest::qWaitForWindowActive(&picker);
            interact();
        });
        QTimer::singleShot(10000, &picker, &QDialog::reject);
        const std::unique_ptr<DbResultSet> result = picker.Pick();
        EXPECT_TRUE(ran) << "the picker was not the active modal window";
        EXPECT_FALSE(picker.isVisible());
        EXPECT_EQ(picker.model()->rowCount(), 0); // the list is released once the pick is over
        if (result->Eof()) {
            EXPECT_TRUE(result->Bof());
            return QString();
        }
        EXPECT_EQ(result->Fields().Count(), 12);
        return result->Fields().Item(QString::fromLatin1(column)).Value().toText();
    }

    QLineEdit *box() { return child<QLineEdit>("searchBox"); }
    QTableView *list() { return child<QTableView>("rowList"); }
    QString currentName()
    {
        return list()->model()->index(list()->currentIndex().row(), 0).data().toString();
    }

    DbConnectionPtr db = test::demoDatabaseOn(GetParam());
    // As the field gets it: from the default factory, which adds the hourglass, over a window.
    QWidget host;
    std::unique_ptr<SearchPicker> created = QtPickerFactory().create(&host);
    PickerDialog &picker = *host.findChild<PickerDialog *>();
};

TEST_P(PickerDialogTest, OpensOnTheSearchTextAndTypingMovesToTheFirstRowAtOrAfterIt)
{
    EXPECT_EQ(pick(
                  "ross",
                  [&] {
                      EXPECT_EQ(picker.windowTitle(), QStringLiteral("Ricerca clienti"));
                      EXPECT_EQ(box()->text(), QStringLiteral("ross"));
                      EXPECT_EQ(currentName(), QStringLiteral("Rossi"));
                      QStringList headers;
                      for (int column = 0; column < list()->model()->columnCount(); ++column)
                          headers << list()->model()->headerData(column, Qt::Horizontal).toString();
                      EXPECT_EQ(headers.join(u'|'), QStringLiteral("Anagrafica|Codice|Nome|Partita Iva"));
                      EXPECT_EQ(QApplication::focusWidget(), box());
                      QTest::keyClick(box(), Qt::Key_Return);
                  },
                  "IDPDCContabile"),
              QStringLiteral("101"));
    EXPECT_EQ(picker.keyField(), QStringLiteral("Anagrafica.IDAnagrafica"));

    for (const auto &[typed, expected] : {std::pair{"dell'", "Dell'Orto"},
                                          {"ROSSIN", "Rossini Forniture S.r.l."},
                                          {"zz", "Russo"},
                                          {"", "Bruno"}}) {
        QString shown;
        EXPECT_EQ(pick("",
                       [&] {
                           QTest::keyClicks(box(), QString::fromUtf8(typed));
                           shown = currentName();
                           QTest::keyClick(box(), Qt::Key_Enter);
                       }),
                  QString::fromUtf8(expected));
        EXPECT_EQ(shown, QString::fromUtf8(expected));
    }
}

// Each way of closing the list: the row it picks, or "" when it picks nothing.
TEST_P(PickerDialogTest, EveryWayOfClosingPicksTheRightRowOrNothing)
{
    const auto doubleClick = [&] {
        const QRect cell = list()->visualRect(list()->model()->index(1, 1));
        // A double click is a click followed by a double-click event on the same cell.
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
        QTest::mouseDClick(list()->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    };
    const auto arrows = [&] { // from De Luca
        QTest::keyClick(box(), Qt::Key_Down);
        QTest::keyClick(box(), Qt::Key_Down);
        EXPECT_EQ(currentName(), QStringLiteral("Esposito"));
        QTest::keyClick(box(), Qt::Key_Up);
        EXPECT_EQ(QApplication::focusWidget(), box()); // typing goes on
        QTest::keyClick(box(), Qt::Key_Return);
    };
    const auto tabs = [&] {
        QStringList visited;
        for (int i = 0; i < 4; ++i) {
            visited << QApplication::focusWidget()->objectName();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        EXPECT_EQ(visited, QStringList({"searchBox", "rowList", "okButton", "cancelButton"}));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    };
    const auto enterInTheList = [&] {
        list()->setFocus();
        QTest::keyClick(list(), Qt::Key_Down);
        QTest::keyClick(list(), Qt::Key_Return);
    };
    const auto okButton = [&] { QTest::mouseClick(child<QPushButton>("okButton"), Qt::LeftButton); };
    EXPECT_EQ(pick("esp", [&] { QTest::keyClick(box(), Qt::Key_Escape); }), "");
    EXPECT_EQ(pick("", doubleClick, "Codice"), "C008");
    EXPECT_EQ(pick("d", arrows), "Dell'Orto");
    EXPECT_EQ(pick("", tabs), "");
    EXPECT_EQ(pick("bia", enterInTheList), "Colombo");
    EXPECT_EQ(pick("esp", okButton), "Esposito");
}

// A list longer than what is counted when it opens: 2000 more customers, "Cognome 0000" on.
TEST_P(PickerDialogTest, OpensInTheMiddleOfALongListAndTheRowsBeforeComeInAboveWithoutMovingIt)
{
    test::execute(
        *db, QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < 1999)"
                            " INSERT INTO Anagrafica (IDAnagrafica, Anagrafica, VirtualDelete)"
                            " SELECT 1000 + i, 'Cognome ' || substr(CAST(10000 + i AS TEXT), 2), 0 FROM n;"
                            "INSERT INTO Cliente (IDAnagrafica, IDAzienda, Codice)"
                            " SELECT IDAnagrafica, 1, 'X' || IDAnagrafica FROM Anagrafica WHERE "
                            "IDAnagrafica >= 1000;"));
    LazyQueryModel *model = picker.model();
    model->setPageSize(20);
    model->setCountStep(0);
    model->setBackgroundCounting(false); // the test counts, step by step
    const auto interact = [&] {
        EXPECT_EQ(currentName(), QStringLiteral("Cognome 1000"));
        EXPECT_EQ(model->rowCount(), 40);
        const int top = list()->visualRect(list()->currentIndex()).top();
        model->fetchBefore();
        EXPECT_EQ(model->rowCount(), 60);
        EXPECT_EQ(currentName(), QStringLiteral("Cognome 1000"));
        EXPECT_EQ(list()->visualRect(list()->currentIndex()).top(), top);

        // Moving up goes on past the first row counted when the list opened.
        for (int i = 0; i < 100; ++i)
            QTest::keyClick(box(), Qt::Key_Up);
        EXPECT_EQ(currentName(), QStringLiteral("Cognome 0900"));
        list()->setFocus();
        QTest::keyClick(list(), Qt::Key_Home, Qt::ControlModifier);
        EXPECT_EQ(currentName(), QStringLiteral("Bruno"));
        EXPECT_EQ(list()->currentIndex().row(), 0);
        QTest::keyClick(list(), Qt::Key_End, Qt::ControlModifier);
        EXPECT_EQ(currentName(), QStringLiteral("Russo"));
        EXPECT_EQ(list()->currentIndex().row(), model->rowCount() - 1);

        box()->setFocus();
        box()->selectAll();
        QTest::keyClicks(box(), QStringLiteral("rossi"));
        QTest::keyClick(box(), Qt::Key_Down);
        QTest::keyClick(box(), Qt::Key_Return);
    };
    EXPECT_EQ(pick("cognome 1", interact, "Codice"), "C002");
}

// A query that fails when the list opens, or later at a page the list reads: the list says why
// and can only be closed, and the pick raises the error; the next list works.
TEST_P(PickerDialogTest, AQueryThatFailsIsToldAndRaisedAndTheHourglassShowsWhileListing)
{
    test::ServiceOverride<test::FixedScreen> screen;
    EXPECT_EQ(pick("r",
                   [&] {
                       const int before = screen->busyCalls();
                       QTest::keyClicks(box(), QStringLiteral("o"));
                       EXPECT_GT(screen->busyCalls(), before);
                       EXPECT_EQ(screen->busyDepth(), 0);
                       QTest::keyClick(box(), Qt::Key_Escape);
                   }),
              "");
    EXPECT_GE(screen->busyCalls(), 3); // listing, positioning on "r", positioning on "ro"

    auto faulting = std::make_shared<test::FaultingConnection>(db);
    picker.Connection(faulting);
    picker.model()->setPageSize(4);
    picker.model()->setCacheLimit(1);
    for (const bool atOpen : {true, false}) {
        picker.QueryText(atOpen ? QStringLiteral("SELECT * FROM NoSuchTable") : test::kCustomerListing);
        const auto fail = [&] {
            if (!atOpen) {
                faulting->arm(test::FaultingConnection::Fault::Statement, 1);
                QTest::keyClick(box(), Qt::Key_PageDown);
            }
            for (int i = 0; i < 3; ++i) // the view paints, then hears of the failure
                QApplication::processEvents();
            EXPECT_TRUE(child<QLabel>("errorLabel")->isVisible() &&
                        picker.errorText().startsWith(QStringLiteral("Impossibile leggere l'elenco: ")));
            EXPECT_FALSE(box()->isEnabled() || list()->isEnabled() ||
                         child<QPushButton>("okButton")->isEnabled());
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        };
        EXPECT_THROW(pick("", fail), RuntimeError);
        EXPECT_EQ(screen->busyDepth(), 0);
    }
    faulting->disarm();
    EXPECT_EQ(pick("esp", [&] { QTest::keyClick(box(), Qt::Key_Return); }), "Esposito");
}

ORV_ON_EVERY_ENGINE(PickerDialogTest);

} // namespace
