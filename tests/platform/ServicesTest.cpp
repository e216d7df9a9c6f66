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

TEST(ThreadServices, AServiceSetOnOneThreadIsNotSeenOnAnother)
{
    ServiceOverride<CapturedMessageBoxes> boxes;
    ASSERT_EQ(&services::messageBox(), boxes.get().get());

    bool otherThreadSawTheFake = true;
    bool otherThreadHasDefault = false;
    onOtherThread([&] {
        otherThreadSawTheFake = &services::messageBox() == boxes.get().get();
        otherThreadHasDefault = dynamic_cast<QtMessageBoxService *>(&services::messageBox()) != nullptr;
        // A service set here stays here.
        services::setScreen(std::make_shared<FixedScreen>());
    });
    EXPECT_FALSE(otherThreadSawTheFake);
    EXPECT_TRUE(otherThreadHasDefault);
    EXPECT_NE(dynamic_cast<QtScreenService *>(&services::screen()), nullptr);
    EXPECT_EQ(&services::messageBox(), boxes.get().get());
}

TEST(ThreadServices, ResourcesAreCreatedOnFirstUsePerThread)
{
    services::setResources(nullptr);
    EXPECT_FALSE(services::hasResources());
    services::resources();
    EXPECT_TRUE(services::hasResources());

    bool freshThreadHadResources = true;
    bool afterUse = false;
    onOtherThread([&] {
        freshThreadHadResources = services::hasResources();
        services::resources();
        afterUse = services::hasResources();
    });
    EXPECT_FALSE(freshThreadHadResources);
    EXPECT_TRUE(afterUse);

    services::setResources(nullptr);
    EXPECT_FALSE(services::hasResources());
}

TEST(ThreadServices, SettingNullRestoresTheDefaultOfEachService)
{
    struct Row {
        const char *service;
        std::function<void()> installFake;
        std::function<void()> reset;
        std::function<bool()> currentIsDefault;
    };
    class NoPickers final : public PickerFactory {
    public:
        std::unique_ptr<SearchPicker> create(QWidget *) override { return nullptr; }
    };
    class NoResources final : public ResourceService {
    public:
        QString text(int) override { return {}; }
        QPixmap picture(int) override { return {}; }
    };
    class NoSettings final : public SettingsStore {
    public:
        QString read(const QString &, const QString &, const QString &, const QString &d) override
        {
            return d;
        }
        void write(const QString &, const QString &, const QString &, const QString &) override {}
        void deleteKey(const QString &, const QString &, const QString &) override {}
        void deleteSection(const QString &, const QString &) override {}
    };
    const Row rows[] = {
        {"message box", [] { services::setMessageBox(std::make_shared<CapturedMessageBoxes>()); },
         [] { services::setMessageBox(nullptr); },
         [] { return dynamic_cast<QtMessageBoxService *>(&services::messageBox()) != nullptr; }},
        {"resources", [] { services::setResources(std::make_shared<NoResources>()); },
         [] { services::setResources(nullptr); },
         [] { return dynamic_cast<SuiteResources *>(&services::resources()) != nullptr; }},
        {"settings", [] { services::setSettings(std::make_shared<NoSettings>()); },
         [] { services::setSettings(nullptr); },
         [] { return dynamic_cast<FileSettingsStore *>(&services::settings()) != nullptr; }},
        {"screen", [] { services::setScreen(std::make_shared<FixedScreen>()); },
         [] { services::setScreen(nullptr); },
         [] { return dynamic_cast<QtScreenService *>(&services::screen()) != nullptr; }},
        {"pickers", [] { services::setPickers(std::make_shared<NoPickers>()); },
         [] { services::setPickers(nullptr); },
         [] { return dynamic_cast<QtPickerFactory *>(&services::pickers()) != nullptr; }},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.service);
        EXPECT_TRUE(row.currentIsDefault());
        row.installFake();
        EXPECT_FALSE(row.currentIsDefault());
        row.reset();
        EXPECT_TRUE(row.currentIsDefault());
    }
}

TEST(ThreadServices, ServiceOverrideRestoresTheDefaultWhenItEnds)
{
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

TEST(SuiteResources, EveryNumberTheControlAsksForHasAText)
{
    SuiteResources resources;
    for (int id : {kTextDescriptionCaption, kTextProgramPathMissing, kTextProgramNoWindow,
                   kTextProgramNoWindowTitle, kTextSettingsAppName}) {
        SCOPED_TRACE(id);
        EXPECT_FALSE(resources.text(id).trimmed().isEmpty());
    }
    // The description column shows the text less its last character.
    EXPECT_FALSE(resources.text(kTextDescriptionCaption).chopped(1).trimmed().isEmpty());
}

TEST(SuiteResources, SettingsApplicationNameIsFixedAndNonBlankOnEveryThread)
{
    const QString here = services::resources().text(kTextSettingsAppName).trimmed();
    QString there;
    onOtherThread([&] { there = services::resources().text(kTextSettingsAppName).trimmed(); });
    EXPECT_FALSE(here.isEmpty());
    EXPECT_EQ(here, there);
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
        ASSERT_FALSE(picture.isNull());
        EXPECT_EQ(picture.size(), QSize(row.size, row.size));
        EXPECT_TRUE(picture.hasAlphaChannel());
        const QImage image = picture.toImage();
        // Drawn, not blank: the centre of a folder or sheet, or the rim of the lens, is opaque.
        EXPECT_GT(qAlpha(image.pixel(row.size / 2, row.size * 3 / 4)), 0);
    }
    // The pictures differ from one another.
    EXPECT_NE(resources.picture(kPictureTreeOpen).toImage(), resources.picture(kPictureTreeClosed).toImage());
    EXPECT_NE(resources.picture(kPictureTreeLeaf).toImage(), resources.picture(kPictureTreeClosed).toImage());
}

TEST(SuiteResources, UnknownNumbersGiveNothing)
{
    SuiteResources resources;
    for (int id : {0, 2, 113, 1367, -1}) {
        SCOPED_TRACE(id);
        EXPECT_TRUE(resources.text(id).isEmpty());
        EXPECT_TRUE(resources.picture(id).isNull());
    }
}

TEST(QtScreenService, PixelSizeFollowsTheScreenResolution)
{
    QtScreenService screen;
    const QScreen *primary = QGuiApplication::primaryScreen();
    ASSERT_NE(primary, nullptr);
    // The offscreen test platform has the usual 96 dpi, where a pixel is 15 twips.
    ASSERT_DOUBLE_EQ(primary->logicalDotsPerInchY(), 96.0);
    EXPECT_DOUBLE_EQ(screen.twipsPerPixelX(), 15.0);
    EXPECT_DOUBLE_EQ(screen.twipsPerPixelY(), 15.0);
}

TEST(QtScreenService, HourglassCallsNest)
{
    ASSERT_EQ(QGuiApplication::overrideCursor(), nullptr);
    {
        QtScreenService screen;
        screen.setBusy(false); // nothing pending: ignored
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

        screen.setBusy(true);
        screen.setBusy(true);
        ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
        screen.setBusy(false);
        ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
        screen.setBusy(false);
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

        screen.setBusy(true);
        EXPECT_EQ(screen.busyDepth(), 1);
    }
    // A service that goes away takes its pending hourglass with it.
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

namespace {

struct ShownBox {
    bool wasActiveModal = false;
    QString objectName;
    QString text;
    QString title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    Qt::TextFormat format = Qt::AutoText;
    QMessageBox::StandardButtons buttons;
};

// Looks at the message box once the service shows it, then presses its OK button.
void inspectNextMessageBox(ShownBox &seen)
{
    QTimer::singleShot(0, [&seen] {
        QMessageBox *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        seen.wasActiveModal = box != nullptr;
        if (!box) {
            for (QWidget *widget : QApplication::topLevelWidgets()) {
                if (auto *candidate = qobject_cast<QMessageBox *>(widget);
                    candidate && candidate->isVisible())
                    box = candidate;
            }
        }
        if (!box)
            return; // the test fails on wasActiveModal
        seen.objectName = box->objectName();
        seen.text = box->text();
        seen.title = box->windowTitle();
        seen.icon = box->icon();
        seen.format = box->textFormat();
        seen.buttons = box->standardButtons();
        box->button(QMessageBox::Ok)->click();
    });
}

} // namespace

TEST(QtMessageBoxService, ShowsAModalBoxWithTheStyleIconAndAnswersOk)
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
        ShownBox seen;
        inspectNextMessageBox(seen);
        EXPECT_EQ(service.show(nullptr, row.text, row.style, QStringLiteral("Gestionale")), kMbAnswerOk);
        EXPECT_TRUE(seen.wasActiveModal);
        EXPECT_EQ(seen.objectName, QString::fromLatin1(QtMessageBoxService::kObjectName));
        EXPECT_EQ(seen.text, row.text);
        EXPECT_EQ(seen.format, Qt::PlainText);
        EXPECT_EQ(seen.title, QStringLiteral("Gestionale"));
        EXPECT_EQ(seen.icon, row.icon);
        EXPECT_EQ(seen.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    }
}
