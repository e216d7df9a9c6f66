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

#include <thread>

using namespace orv;
using orv::test::CapturedMessageBoxes;
using orv::test::FixedScreen;
using orv::test::ServiceOverride;

namespace {

// Setting a service replaces the default; setting null puts the default back.
template <typename Default, typename Fake, typename Service>
void expectNullRestoresTheDefault(Service &(*current)(), void (*set)(std::shared_ptr<Service>))
{
    SCOPED_TRACE(typeid(Default).name());
    EXPECT_NE(dynamic_cast<Default *>(&current()), nullptr);
    auto fake = std::make_shared<Fake>();
    set(fake);
    EXPECT_EQ(&current(), fake.get());
    set(nullptr);
    EXPECT_NE(&current(), fake.get());
    EXPECT_NE(dynamic_cast<Default *>(&current()), nullptr);
}

} // namespace

TEST(ThreadServices, ServicesAndResourcesBelongToTheThreadThatSetsOrFirstUsesThem)
{
    services::setResources(nullptr);
    EXPECT_FALSE(services::hasResources());
    services::resources();
    EXPECT_TRUE(services::hasResources());
    ServiceOverride<CapturedMessageBoxes> boxes;
    ASSERT_EQ(&services::messageBox(), boxes.get().get());

    // Another thread has the default box and no resources until it uses them; a screen it sets
    // stays there, and the settings' application name is the same there.
    QStringList there;
    std::thread([&] {
        there << (&services::messageBox() == boxes.get().get() ? "fake box" : "own box")
              << (dynamic_cast<QtMessageBoxService *>(&services::messageBox()) ? "default" : "other")
              << (services::hasResources() ? "resources" : "no resources");
        there << services::resources().text(kTextSettingsAppName).trimmed();
        there << (services::hasResources() ? "resources" : "no resources");
        services::setScreen(std::make_shared<FixedScreen>());
    }).join();
    const QString appName = services::resources().text(kTextSettingsAppName).trimmed();
    EXPECT_EQ(there, QStringList({"own box", "default", "no resources", appName, "resources"}));
    EXPECT_NE(dynamic_cast<QtScreenService *>(&services::screen()), nullptr);
    EXPECT_EQ(&services::messageBox(), boxes.get().get());
    services::setResources(nullptr);
    EXPECT_FALSE(services::hasResources());
}

TEST(ThreadServices, SettingNullOrEndingAnOverrideRestoresTheDefault)
{
    using namespace services;
    expectNullRestoresTheDefault<QtMessageBoxService, CapturedMessageBoxes>(&messageBox, &setMessageBox);
    expectNullRestoresTheDefault<SuiteResources, SuiteResources>(&resources, &setResources);
    expectNullRestoresTheDefault<FileSettingsStore, FileSettingsStore>(&settings, &setSettings);
    expectNullRestoresTheDefault<QtScreenService, FixedScreen>(&screen, &setScreen);
    expectNullRestoresTheDefault<QtPickerFactory, test::ScriptedPickerFactory>(&pickers, &setPickers);
    {
        ServiceOverride<FixedScreen> fixed;
        BusyCursor busy;
        EXPECT_EQ(fixed->busyDepth(), 1);
    }
    EXPECT_NE(dynamic_cast<QtScreenService *>(&screen()), nullptr);
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
    picker.reset();
}

TEST(SuiteResources, EveryNumberTheControlAsksForHasATextOrADrawnPictureAndNoOtherDoes)
{
    SuiteResources resources;
    for (int id : {kTextDescriptionCaption, kTextProgramPathMissing, kTextProgramNoWindow,
                   kTextProgramNoWindowTitle, kTextSettingsAppName})
        EXPECT_FALSE(resources.text(id).trimmed().isEmpty()) << id;
    // The description column shows the text less its last character.
    EXPECT_FALSE(resources.text(kTextDescriptionCaption).chopped(1).trimmed().isEmpty());
    for (int id : {0, 2, 113, 1367, -1})
        EXPECT_TRUE(resources.text(id).isEmpty() && resources.picture(id).isNull()) << id;

    // clang-format off
    const struct { int id, size; } pictures[] = {
        {kPictureCaptionCursor, 32}, {kPictureTreeClosed, 16}, {kPictureTreeOpen, 16}, {kPictureTreeLeaf, 16},
    };
    // clang-format on
    for (const auto &row : pictures) {
        SCOPED_TRACE(row.id);
        const QPixmap picture = resources.picture(row.id);
        ASSERT_EQ(picture.size(), QSize(row.size, row.size));
        EXPECT_TRUE(picture.hasAlphaChannel());
        // Drawn, not blank: the centre of a folder or sheet, or the rim of the lens, is opaque.
        EXPECT_GT(qAlpha(picture.toImage().pixel(row.size / 2, row.size * 3 / 4)), 0);
    }
    EXPECT_NE(resources.picture(kPictureTreeOpen).toImage(), resources.picture(kPictureTreeClosed).toImage());
    EXPECT_NE(resources.picture(kPictureTreeLeaf).toImage(), resources.picture(kPictureTreeClosed).toImage());
}

TEST(QtScreenService, PixelSizeFollowsTheResolutionAndHourglassCallsNest)
{
    // The offscreen test platform has the usual 96 dpi, where a pixel is 15 twips.
    const QScreen *primary = QGuiApplication::primaryScreen();
    ASSERT_TRUE(primary && primary->logicalDotsPerInchY() == 96.0);
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
        EXPECT_EQ(screen.busyDepth(), 1);
    }
    shapes << shape(); // a service that goes away takes its pending hourglass with it
    EXPECT_EQ(shapes.join(u' '), "- - wait wait wait - wait -");
}

TEST(QtMessageBoxService, ShowsAModalPlainTextBoxWithTheStyleIconAndAnswersOk)
{
    // clang-format off
    const struct { int style; QMessageBox::Icon icon; const char *text; } rows[] = {
        {kMbCritical, QMessageBox::Critical, "La codifica \"1.01\" non corrisponde ad alcun conto."},
        {kMbExclamation, QMessageBox::Warning, "Attenzione"},
        {kMbInformation, QMessageBox::Information, "Operazione completata"},
        {kMbOkOnly, QMessageBox::NoIcon, "<b>Testo</b> & altro\nseconda riga"},
    };
    // clang-format on
    QtMessageBoxService service;
    for (const auto &row : rows) {
        SCOPED_TRACE(row.style);
        // What the box shows once the service shows it; then its OK button is pressed.
        QStringList seen;
        QTimer::singleShot(0, [&] {
            for (QWidget *widget : QApplication::topLevelWidgets()) {
                auto *box = qobject_cast<QMessageBox *>(widget);
                if (!box || !box->isVisible())
                    continue;
                seen << (QApplication::activeModalWidget() == box ? "modal" : "not modal")
                     << box->objectName() << box->text() << box->windowTitle()
                     << QString::number(box->textFormat()) << QString::number(box->icon())
                     << QString::number(box->standardButtons());
                box->button(QMessageBox::Ok)->click();
            }
        });
        const QString text = QString::fromUtf8(row.text);
        EXPECT_EQ(service.show(nullptr, text, row.style, QStringLiteral("Gestionale")), kMbAnswerOk);
        EXPECT_EQ(seen, QStringList({"modal", QtMessageBoxService::kObjectName, text, "Gestionale",
                                     QString::number(Qt::PlainText), QString::number(row.icon),
                                     QString::number(QMessageBox::Ok)}));
    }
}
