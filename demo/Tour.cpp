#include "Tour.h"

#include "platform/Services.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include <algorithm>

namespace orv::demo {

namespace {
struct Entry {
    int order;
    QString title;
    std::function<void(DemoForm &)> run;
};
std::vector<Entry> &sections()
{
    static std::vector<Entry> all;
    return all;
}
} // namespace

TourSection::TourSection(int order, const char *title, std::function<void(DemoForm &)> run)
{
    sections().push_back({order, QString::fromUtf8(title), std::move(run)});
}

void runTour(DemoForm &form)
{
    auto ordered = sections();
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](const Entry &a, const Entry &b) { return a.order < b.order; });
    for (const Entry &entry : ordered) {
        say(form, QStringLiteral("== %1").arg(entry.title));
        entry.run(form);
    }
}

void say(DemoForm &form, const QString &line)
{
    form.log(line);
}

namespace {
class MessagesAsLines final : public MessageBoxService {
public:
    explicit MessagesAsLines(DemoForm &form) : m_form(form) {}
    int show(QWidget *, const QString &text, int style, const QString &title) override
    {
        say(m_form, QStringLiteral("  message box \"%1\" (style %2): %3").arg(title).arg(style).arg(text));
        return kMbAnswerOk;
    }

private:
    DemoForm &m_form;
};
} // namespace

TourMessages::TourMessages(DemoForm &form)
{
    services::setMessageBox(std::make_shared<MessagesAsLines>(form));
}

TourMessages::~TourMessages()
{
    services::setMessageBox(nullptr);
}

void typeInto(OrvSearchACS2 *field, int box, const QString &text)
{
    auto *edit = field->findChild<QLineEdit *>(QStringLiteral("txtField%1").arg(box));
    edit->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(edit, text);
}

void pressTab(OrvSearchACS2 *field, int box)
{
    auto *edit = field->findChild<QLineEdit *>(QStringLiteral("txtField%1").arg(box));
    QTest::keyClick(edit, Qt::Key_Tab);
    QApplication::processEvents();
}

} // namespace orv::demo
