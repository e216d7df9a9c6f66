#include "support/FakeServices.h"

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

#include <functional>
#include <thread>

using namespace orv;
using orv::test::CapturedMessageBoxes;
using orv::test::FixedScreen;
using orv::test::ServiceOverride;

namespace {

// Runs a function on a new thread and waits for it.
void onOtherThread(const std::function<void()> &work)
{
    std::thread(work).join();
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

    bool sawTheFake = true, hasDefault = false, hadResources = true, resourcesAfterUse = false;
    onOtherThread([&] {
        sawTheFake = &services::messageBox() == boxes.get().get();
        hasDefault = dynamic_cast<QtMessageBoxService *>(&services::messageBox()) != nullptr;
        hadResources = services::hasResources();
        services::resources();
        resourcesAfterUse = services::hasResources();
        // A service set here stays here.
        services::setScreen(std::make_shared<FixedScreen>());
    });
    EXPECT_FALSE(sawTheFake);
    EXPECT_TRUE(hasDefault);
    EXPECT_FALSE(hadResources);
    EXPECT_TRUE(resourcesAfterUse);
    EXPECT_NE(dynamic_cast<QtScreenService *>(&services::screen()), nullptr);
    EXPECT_EQ(&services::messageBox(), boxes.get().get());
    services::setResources(nullptr);
    EXPECT_FALSE(services::hasResources());
}

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

TEST(ThreadServices, SettingNullOrEndingAnOverrideRestoresTheDefault)
{
    expectNullRestoresTheDefault<QtMessageBoxService, CapturedMessageBoxes>(&services::messageBox,
                                                                            &services::setMessageBox);
    expectNullRestoresTheDefault<SuiteResources, SuiteResources>(&services::resources,
                                                                 &services::setResources);
    expectNullRestoresTheDefault<FileSettingsStore, FileSettingsStore>(&services::settings,
                                                                       &services::setSettings);
    expectNullRestoresTheDefault<QtScreenService, FixedScreen>(&services::screen, &services::setScreen);
    expectNullRestoresTheDefault<QtPickerFactory, test::ScriptedPickerFactory>(&services::pickers,
                                                                               &services::setPickers);
    {
        ServiceOverride<FixedScreen> screen;
        BusyCursor busy;
        EXPECT_EQ(screen->busyDepth(), 1);
    }
    EXPECT_NE(dynamic_cast<QtScreenService *>(&services::screen()), nullptr);
}

TEST(QtPickerFactory, CreatesThePickingListOverTheGivenWindow)
{
    QWidget window;
    std::unique_ptr<SearchPicker> picker = QtPickerFactory().create(&window);
    auto *dialog = dynamic_cast<PickerDialog *>(picker.get());
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->parentWidget(), &window);
}

TEST(SuiteResources, EveryNumberTheControlAsksForHasATextAndNoOtherDoes)
{
    SuiteResources resources;
    for (int id : {kTextDescriptionCaption, kTextProgramPathMissing, kTextProgramNoWindow,
                   kTextProgramNoWindowTitle, kTextSettingsAppName}) {
        SCOPED_TRACE(id);
        EXPECT_FALSE(resources.text(id).trimmed().isEmpty());
    }
    // The description column shows the text less its last character.
    EXPECT_FALSE(resources.text(kTextDescriptionCaption).chopped(1).trimmed().isEmpty());
    for (int id : {0, 2, 113, 1367, -1}) {
        SCOPED_TRACE(id);
        EXPECT_TRUE(resources.text(id).isEmpty());
        EXPECT_TRUE(resources.picture(id).isNull());
    }
    // The settings' application name is the same on every thread.
    QString there;
    onOtherThread([&] { there = services::resources().text(kTextSettingsAppName).trimmed(); });
    EXPECT_EQ(services::resources().text(kTextSettingsAppName).trimmed(), there);
}

TEST(SuiteResources, EveryPictureTheControlAsksForIsDrawn)
{
    SuiteResources resources;
    const struct {
        int id;
        int size;
    } rows[] = {{kPictureCaptionCursor, 32},
                {kPictureTreeClosed, 16},
                {kPictureTreeOpen, 16},
                {kPictureTreeLeaf, 16}};
    for (const auto &row : rows) {
        SCOPED_TRACE(row.id);
        const QPixmap picture = resources.picture(row.id);
        ASSERT_EQ(picture.size(), QSize(row.size, row.size));
        EXPECT_TRUE(picture.hasAlphaChannel());
        // Drawn, not blank: the centre of a folder or sheet, or the rim of the lens, is opaque.
        EXPECT_GT(qAlpha(picture.toImage().pixel(row.size / 2, row.size * 3 / 4)), 0);
    }
    // The pictures differ from one another.
    EXPECT_NE(resources.picture(kPictureTreeOpen).toImage(), resources.picture(kPictureTreeClosed).toImage());
    EXPECT_NE(resources.picture(kPictureTreeLeaf).toImage(), resources.picture(kPictureTreeClosed).toImage());
}

TEST(QtScreenService, PixelSizeFollowsTheResolutionAndHourglassCallsNest)
{
    const QScreen *primary = QGuiApplication::primaryScreen();
    ASSERT_NE(primary, nullptr);
    // The offscreen test platform has the usual 96 dpi, where a pixel is 15 twips.
    ASSERT_DOUBLE_EQ(primary->logicalDotsPerInchY(), 96.0);
    EXPECT_DOUBLE_EQ(QtScreenService().twipsPerPixelX(), 15.0);
    EXPECT_DOUBLE_EQ(QtScreenService().twipsPerPixelY(), 15.0);

    const auto shape = [] {
        const QCursor *cursor = QGuiApplication::overrideCursor();
        return cursor ? static_cast<int>(cursor->shape()) : -1;
    };
    ASSERT_EQ(shape(), -1);
    {
        QtScreenService screen;
        screen.setBusy(false); // nothing pending: ignored
        EXPECT_EQ(shape(), -1);
        screen.setBusy(true);
        screen.setBusy(true);
        EXPECT_EQ(shape(), Qt::WaitCursor);
        screen.setBusy(false);
        EXPECT_EQ(shape(), Qt::WaitCursor);
        screen.setBusy(false);
        EXPECT_EQ(shape(), -1);
        screen.setBusy(true);
        EXPECT_EQ(screen.busyDepth(), 1);
    }
    // A service that goes away takes its pending hourglass with it.
    EXPECT_EQ(shape(), -1);
}

TEST(QtMessageBoxService, ShowsAModalPlainTextBoxWithTheStyleIconAndAnswersOk)
{
    const struct {
        int style;
        QMessageBox::Icon icon;
        QString text;
    } rows[] = {
        {kMbCritical, QMessageBox::Critical,
         QStringLiteral("La codifica \"1.01\" non corrisponde ad alcun conto.")},
        {kMbExclamation, QMessageBox::Warning, QStringLiteral("Attenzione")},
        {kMbInformation, QMessageBox::Information, QStringLiteral("Operazione completata")},
        {kMbOkOnly, QMessageBox::NoIcon, QStringLiteral("<b>Testo</b> & altro\nseconda riga")},
    };
    QtMessageBoxService service;
    for (const auto &row : rows) {
        SCOPED_TRACE(row.style);
        bool wasActiveModal = false, checked = false;
        // Looks at the box once the service shows it, then presses its OK button.
        QTimer::singleShot(0, [&] {
            QMessageBox *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            wasActiveModal = box != nullptr;
            for (QWidget *widget : QApplication::topLevelWidgets()) {
                if (auto *candidate = qobject_cast<QMessageBox *>(widget);
                    !box && candidate && candidate->isVisible())
                    box = candidate;
            }
            if (!box)
                return; // the test fails on wasActiveModal
            checked = true;
            EXPECT_EQ(box->objectName(), QString::fromLatin1(QtMessageBoxService::kObjectName));
            EXPECT_EQ(box->text(), row.text);
            EXPECT_EQ(box->textFormat(), Qt::PlainText);
            EXPECT_EQ(box->windowTitle(), QStringLiteral("Gestionale"));
            EXPECT_EQ(box->icon(), row.icon);
            EXPECT_EQ(box->standardButtons(), QMessageBox::StandardButtons(QMessageBox::Ok));
            box->button(QMessageBox::Ok)->click();
        });
        EXPECT_EQ(service.show(nullptr, row.text, row.style, QStringLiteral("Gestionale")), kMbAnswerOk);
        EXPECT_TRUE(wasActiveModal);
        EXPECT_TRUE(checked);
    }
}
