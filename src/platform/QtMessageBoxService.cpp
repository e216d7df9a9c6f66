#include "QtMessageBoxService.h"

#include <QMessageBox>

namespace orv {

namespace {

constexpr int kIconMask = 0x70;
constexpr int kMbQuestion = 32;

QMessageBox::Icon iconForStyle(int style)
{
    switch (style & kIconMask) {
    case kMbCritical:
        return QMessageBox::Critical;
    case kMbQuestion:
        return QMessageBox::Question;
    case kMbExclamation:
        return QMessageBox::Warning;
    case kMbInformation:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

} // namespace

int QtMessageBoxService::show(QWidget *parent, const QString &text, int style, const QString &title)
{
    QMessageBox box(iconForStyle(style), title, text, QMessageBox::Ok, parent);
    box.setObjectName(QString::fromLatin1(kObjectName));
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Ok);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
    return kMbAnswerOk;
}

} // namespace orv
