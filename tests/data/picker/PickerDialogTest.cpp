#include "data/picker/PickerDialog.h"

#include "data/querymodel/LazyQueryModel.h"
#include "platform/QtPickerFactory.h"
#include "support/Database.h"
#include "support/FakeServices.h"
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

// Listed by name: Bianchi, D'Amico, Rossi, rossini, Verdi.
std::shared_ptr<SqliteConnection> customers()
{
    auto db = test::schemaDatabase();
    db->executeScript(QStringLiteral(
        "INSERT INTO Nazione (IDNazione, Nazione, SiglaNazione) VALUES (1, 'Italia', 'IT');"
        "INSERT INTO Provincia (IDProvincia, Provincia, SiglaProvincia) VALUES (1, 'Milano', 'MI');"
        "INSERT INTO Comune (IDComune, Comune, CAP, IDProvincia) VALUES (1, 'Milano', '20100', 1);"
        "INSERT INTO Anagrafica (IDAnagrafica, Anagrafica, Nome, CodiceFiscale, PartitaIva, Indirizzo, Cap,"
        " IDComune, IDNazione, VirtualDelete) VALUES"
        " (1, 'Rossi', 'Mario', 'RSSMRA', '111', 'Via Roma 1', '20121', 1, 1, 0),"
        " (2, 'Verdi', 'Giuseppe', 'VRDGPP', '222', NULL, NULL, NULL, NULL, 0),"
        " (3, 'Bianchi', 'Anna', 'BNCNNA', '333', NULL, NULL, NULL, NULL, 0),"
        " (4, 'D''Amico', 'Luca', 'DMCLCU', '444', NULL, NULL, NULL, NULL, 0),"
        " (5, 'rossini', 'Gioacchino', 'RSSGCH', '555', NULL, NULL, NULL, NULL, 0),"
        " (6, 'Cancellato', 'X', NULL, NULL, NULL, NULL, NULL, NULL, 1),"
        " (7, 'Altra Ditta', 'Y', NULL, NULL, NULL, NULL, NULL, NULL, 0);"
        "INSERT INTO Cliente (IDAnagrafica, IDAzienda, Codice, IDPDCContabile) VALUES"
        " (1, 1, 'C001', 101), (2, 1, 'C002', 102), (3, 1, 'C003', 103), (4, 1, 'C004', 104),"
        " (5, 1, 'C005', 105), (6, 1, 'C006', 106), (7, 2, 'C007', 107);"));
    return db;
}

class PickerDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        picker.Caption(QStringLiteral("Ricerca clienti"));
        picker.Connection(db);
        picker.QueryText(test::kCustomerListing);
        picker.AddColumn(QStringLiteral("Anagrafica"), QStringLiteral("Anagrafica"), 1);
        picker.AddColumn(QStringLiteral("Codice"), QStringLiteral("Codice"), 1);
        picker.AddColumn(QStringLiteral("Nome"), QStringLiteral("Nome"), 1);
        picker.AddColumn(QStringLiteral("Partita Iva"), QStringLiteral("PartitaIva"), 1);
        picker.KeyField(QStringLiteral("Anagrafica.IDAnagrafica"));
    }

    void TearDown() override
    {
        for (QWidget *window : QApplication::topLevelWidgets())
            window->close();
    }

    template <typename T> T *child(const char *name)
    {
        return picker.findChild<T *>(QString::fromLatin1(name));
    }

    // Runs Pick() while `interact` drives the open dialog; the dialog is rejected after a
    // while should the interaction leave it open, so that a failure cannot hang the run.
    std::unique_ptr<DbResultSet> pick(const std::function<void()> &interact)
    {
        bool ran = false;
        QTimer::singleShot(0, &picker, [&] {
            ran = true;
            sawModalPicker = QApplication::activeModalWidget() == &picker;
            if (!QTest::qWaitForWindowActive(&picker))
                ADD_FAILURE() << "the picker never became active";
            interact();
        });
        QTimer::singleShot(10000, &picker, &QDialog::reject);
        auto result = picker.Pick();
        EXPECT_TRUE(ran);
        EXPECT_TRUE(sawModalPicker);
        EXPECT_FALSE(picker.isVisible());
        return result;
    }

    QLineEdit *box() { return child<QLineEdit>("searchBox"); }
    QTableView *list() { return child<QTableView>("rowList"); }
    QString currentName()
    {
        return list()->model()->index(list()->currentIndex().row(), 0).data().toString();
    }

    static QString text(const DbResultSet &result, const char *column)
    {
        return result.Fields().Item(QString::fromLatin1(column)).Value().toText();
    }

    std::shared_ptr<SqliteConnection> db = customers();
    // As the field gets it: from the default factory, which adds the hourglass, over a window.
    QWidget host;
    std::unique_ptr<SearchPicker> created = QtPickerFactory().create(&host);
    PickerDialog &picker = *host.findChild<PickerDialog *>();
    bool sawModalPicker = false;
};

TEST_F(PickerDialogTest, OpensOnTheSearchTextAndEnterPicksTheRowWithAllItsColumns)
{
    picker.SearchText(QStringLiteral("ross"));
    auto result = pick([&] {
        EXPECT_EQ(picker.windowTitle(), QStringLiteral("Ricerca clienti"));
        EXPECT_EQ(box()->text(), QStringLiteral("ross"));
        EXPECT_EQ(currentName(), QStringLiteral("Rossi"));
        QStringList headers;
        for (int column = 0; column < list()->model()->columnCount(); ++column)
            headers << list()->model()->headerData(column, Qt::Horizontal).toString();
        EXPECT_EQ(headers, QStringList({"Anagrafica", "Codice", "Nome", "Partita Iva"}));
        EXPECT_EQ(QApplication::focusWidget(), box());
        QTest::keyClick(box(), Qt::Key_Return);
    });
    ASSERT_FALSE(result->Eof());
    ASSERT_FALSE(result->Bof());
    EXPECT_EQ(result->Fields().Count(), 12);
    EXPECT_EQ(text(*result, "Anagrafica.IDAnagrafica"), QStringLiteral("1"));
    EXPECT_EQ(text(*result, "Codice"), QStringLiteral("C001"));
    EXPECT_EQ(text(*result, "IDPDCContabile"), QStringLiteral("101"));
    EXPECT_EQ(text(*result, "Comune"), QStringLiteral("Milano"));
    EXPECT_EQ(text(*result, "Nazione"), QStringLiteral("Italia"));
    EXPECT_EQ(picker.keyField(), QStringLiteral("Anagrafica.IDAnagrafica"));
    // The list is released once the pick is over.
    EXPECT_EQ(picker.model()->rowCount(), 0);
}

TEST_F(PickerDialogTest, TypingMovesToTheFirstRowAtOrAfterTheText)
{
    const struct {
        const char *typed;
        const char *expected;
    } cases[] = {
        // clang-format off
        {"ver", "Verdi"}, {"B", "Bianchi"}, {"d'a", "D'Amico"}, {"ROSSI", "Rossi"}, {"rossin", "rossini"},
        {"s", "Verdi"}, {"zz", "Verdi"}, {"", "Bianchi"}
        // clang-format on
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.typed);
        picker.SearchText(QString());
        QString shown;
        auto result = pick([&] {
            QTest::keyClicks(box(), QString::fromUtf8(c.typed));
            shown = currentName();
            QTest::keyClick(box(), Qt::Key_Enter);
        });
        EXPECT_EQ(shown, QString::fromUtf8(c.expected));
        ASSERT_FALSE(result->Eof());
        EXPECT_EQ(text(*result, "Anagrafica"), QString::fromUtf8(c.expected));
    }
}

// Each way of closing the list: the row it picks, or "" when it picks nothing.
TEST_F(PickerDialogTest, EveryWayOfClosingPicksTheRightRowOrNothing)
{
    const auto doubleClick = [&] {
        const QRect cell = list()->visualRect(list()->model()->index(1, 1));
        // A double click is a click followed by a double-click event on the same cell.
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
        QTest::mouseDClick(list()->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    };
    const auto arrows = [&] {
        QTest::keyClick(box(), Qt::Key_Down);
        QTest::keyClick(box(), Qt::Key_Down);
        EXPECT_EQ(currentName(), QStringLiteral("rossini"));
        QTest::keyClick(box(), Qt::Key_Up);
        EXPECT_EQ(currentName(), QStringLiteral("Rossi"));
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
    const struct {
        const char *name;
        const char *searchText;
        std::function<void()> interact;
        const char *expected;
    } cases[] = {
        {"Escape", "verdi", [&] { QTest::keyClick(box(), Qt::Key_Escape); }, ""},
        {"double click", "", doubleClick, "D'Amico"},
        {"arrow keys", "d", arrows, "Rossi"},
        {"tab", "", tabs, ""},
        {"Enter in the list", "bia", enterInTheList, "D'Amico"},
        {"OK button", "bia", [&] { QTest::mouseClick(child<QPushButton>("okButton"), Qt::LeftButton); },
         "Bianchi"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        picker.SearchText(QString::fromUtf8(c.searchText));
        auto result = pick(c.interact);
        if (*c.expected) {
            ASSERT_FALSE(result->Eof());
            EXPECT_EQ(text(*result, "Anagrafica"), QString::fromUtf8(c.expected));
        } else {
            EXPECT_TRUE(result->Eof());
            EXPECT_TRUE(result->Bof());
        }
    }
    EXPECT_EQ(text(*pick(doubleClick), "Codice"), QStringLiteral("C004"));
}

// A list longer than what is counted when it opens: 2000 more customers, "Cognome 0000" on.
TEST_F(PickerDialogTest, OpensInTheMiddleOfALongListAndTheRowsBeforeComeInAboveWithoutMovingIt)
{
    db->executeScript(QStringLiteral(
        "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < 1999)"
        " INSERT INTO Anagrafica (IDAnagrafica, Anagrafica, VirtualDelete)"
        " SELECT 100 + i, printf('Cognome %04d', i), 0 FROM n;"
        "INSERT INTO Cliente (IDAnagrafica, IDAzienda, Codice)"
        " SELECT IDAnagrafica, 1, printf('X%04d', IDAnagrafica) FROM Anagrafica WHERE IDAnagrafica >= 100;"));
    LazyQueryModel *model = picker.model();
    model->setPageSize(20);
    model->setCountStep(0);
    model->setBackgroundCounting(false); // the test counts, step by step
    picker.SearchText(QStringLiteral("cognome 1"));
    auto result = pick([&] {
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
        EXPECT_EQ(currentName(), QStringLiteral("Bianchi"));
        EXPECT_EQ(list()->currentIndex().row(), 0);
        QTest::keyClick(list(), Qt::Key_End, Qt::ControlModifier);
        EXPECT_EQ(currentName(), QStringLiteral("Verdi"));
        EXPECT_EQ(list()->currentIndex().row(), model->rowCount() - 1);

        box()->setFocus();
        box()->selectAll();
        QTest::keyClicks(box(), QStringLiteral("rossi"));
        EXPECT_EQ(currentName(), QStringLiteral("Rossi"));
        QTest::keyClick(box(), Qt::Key_Down);
        QTest::keyClick(box(), Qt::Key_Return);
    });
    ASSERT_FALSE(result->Eof());
    EXPECT_EQ(text(*result, "Codice"), QStringLiteral("C005"));
}

TEST_F(PickerDialogTest, AQueryThatFailsShowsItsErrorAndPicksNothing)
{
    picker.QueryText(QStringLiteral("SELECT * FROM NoSuchTable"));
    auto result = pick([&] {
        EXPECT_TRUE(child<QLabel>("errorLabel")->isVisible());
        EXPECT_TRUE(child<QLabel>("errorLabel")->text().contains(QStringLiteral("NoSuchTable")));
        QTest::keyClick(box(), Qt::Key_Return);
    });
    EXPECT_TRUE(result->Eof());
    EXPECT_TRUE(result->Bof());
}

TEST_F(PickerDialogTest, ShowsTheHourglassWhileListingAndPositioning)
{
    test::ServiceOverride<test::FixedScreen> screen;
    picker.SearchText(QStringLiteral("v"));
    pick([&] {
        const int before = screen->busyCalls();
        QTest::keyClicks(box(), QStringLiteral("e"));
        EXPECT_GT(screen->busyCalls(), before);
        EXPECT_EQ(screen->busyDepth(), 0);
        QTest::keyClick(box(), Qt::Key_Escape);
    });
    EXPECT_GE(screen->busyCalls(), 3); // listing, positioning on "v", positioning on "ve"
    EXPECT_EQ(screen->busyDepth(), 0);
}

} // namespace
