#include "support/FakeServices.h"
#include "support/PrintVariant.h"

#include "data/RuntimeError.h"
#include "data/picker/PickerDialog.h"
#include "platform/FileSettingsStore.h"
#include "platform/QtMessageBoxService.h"
#include "platform/QtPickerFactory.h"
#include "platform/QtScreenService.h"
#include "platform/SuiteResources.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCursor>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>

#include <gtest/gtest.h>

using namespace orv;

// A thread uses its own service once one is set, and the default again after null; it has no
// resources until it sets or uses them.
TEST(Services, AThreadUsesWhatItSetsUntilItSetsNull)
{
    services::setResources(nullptr);
    EXPECT_FALSE(services::hasResources());
    const auto store = std::make_shared<FileSettingsStore>(QStringLiteral("unused"));
    services::setSettings(store);
    EXPECT_EQ(&services::settings(), store.get());
    services::setSettings(nullptr);
    EXPECT_NE(&services::settings(), store.get());
}

TEST(QtPickerFactory, CreatesThePickingListOverTheGivenWindowWhichMayDeleteItFirst)
{
    auto window = std::make_unique<QWidget>();
    std::unique_ptr<SearchPicker> picker = QtPickerFactory().create(window.get());
    auto *dialog = window->findChild<PickerDialog *>();
    ASSERT_NE(dialog, nullptr);
    picker->Caption(QStringLiteral("Ricerca"));
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Ricerca"));
    window.reset(); // the list goes with its window; the handle is left with nothing to delete
    EXPECT_EQ(errorNumberOf([&] { picker->Pick(); }), kErrObjectNotSet);
}

TEST(SuiteResources, EveryNumberTheControlAsksForHasATextOrADrawnPictureAndNoOtherDoes)
{
    SuiteResources resources;
    for (int id :
         {kTextProgramPathMissing, kTextProgramNoWindow, kTextProgramNoWindowTitle, kTextSettingsAppName})
        EXPECT_FALSE(resources.text(id).trimmed().isEmpty()) << id;
    // The description column shows the text less its last character.
    EXPECT_FALSE(resources.text(kTextDescriptionCaption).chopped(1).trimmed().isEmpty());
    for (int id : {0, 2, 113, 1367, -1})
        EXPECT_TRUE(resources.text(id).isEmpty() && resources.picture(id).isNull()) << id;
    QList<QImage> drawn;
    for (const auto &[id, size] : {std::pair{kPictureCaptionCursor, 32},
                                   {kPictureTreeClosed, 16},
                                   {kPictureTreeOpen, 16},
                                   {kPictureTreeLeaf, 16}}) {
        const QImage picture = resources.picture(id).toImage();
        ASSERT_EQ(picture.size(), QSize(size, size)) << id;
        EXPECT_TRUE(picture.hasAlphaChannel()) << id;
        // Drawn, not blank: the centre of a folder or sheet, or the rim of the lens, is opaque.
        EXPECT_GT(qAlpha(picture.pixel(size / 2, size * 3 / 4)), 0) << id;
        EXPECT_FALSE(drawn.contains(picture)) << id;
        drawn << picture;
    }
}

TEST(QtScreenService, PixelSizeFollowsTheResolutionAndHourglassCallsNest)
{
    // The offscreen test platform has the usual 96 dpi, where a pixel is 15 twips.
    ASSERT_EQ(QGuiApplication::primaryScreen()->logicalDotsPerInchY(), 96.0);
    EXPECT_DOUBLE_EQ(QtScreenService().twipsPerPixelX(), 15.0);
    EXPECT_DOUBLE_EQ(QtScreenService().twipsPerPixelY(), 15.0);

    const auto shape = [] {
        const QCursor *cursor = QGuiApplication::overrideCursor();
        return !cursor ? "-" : cursor->shape() == Qt::WaitCursor ? "wait" : "other";
    };
    QStringList shapes{shape()};
    {
        QtScreenService screen;
        for (const bool busy : {false, true, true, false, false, true}) { // the first: nothing pending
            screen.setBusy(busy);
            shapes << shape();
        }
    }
    shapes << shape(); // a service that goes away takes its pending hourglass with it
    EXPECT_EQ(shapes.join(u' '), "- - wait wait wait - wait -");
}

TEST(QtMessageBoxService, ShowsAModalPlainTextBoxWithTheStyleIconAndAnswersOk)
{
    // clang-format off
    const struct { int style; QMessageBox::Icon icon; const char *text; } rows[] = {
        {kMbCritical | kMbOkOnly, QMessageBox::Critical, "La codifica \"1.01\" non corrisponde ad alcun conto."},
        {kMbExclamation, QMessageBox::Warning, "Attenzione"}, {32, QMessageBox::Question, "?"},
        {kMbInformation, QMessageBox::Information, "Fatto"}, {kMbOkOnly, QMessageBox::NoIcon, "<b>Testo</b>\nriga"},
    };
    // clang-format on
    QtMessageBoxService service;
    for (const auto &row : rows) {
        // What the box shows once the service shows it; then its OK button is pressed.
        QStringList seen;
        QTimer::singleShot(0, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            seen << box->objectName() << box->text() << box->windowTitle()
                 << QString::number(box->textFormat()) << QString::number(box->icon())
                 << QString::number(box->standardButtons());
            box->button(QMessageBox::Ok)->click();
        });
        const QString text = QString::fromUtf8(row.text);
        EXPECT_EQ(service.show(nullptr, text, row.style, QStringLiteral("Gestionale")), kMbAnswerOk);
        EXPECT_EQ(seen, QStringList({QtMessageBoxService::kObjectName, text, "Gestionale",
                                     QString::number(Qt::PlainText), QString::number(row.icon),
                                     QString::number(QMessageBox::Ok)}));
    }
}
