#pragma once

#include "Services.h"

namespace orv {

// The default message box: a modal QMessageBox with the exact text (shown as plain text) and
// title. The icon comes from the style's icon bits: 16 critical, 32 question, 48 exclamation,
// 64 information, none otherwise. The control only ever asks for the OK-only button set, so
// the box always offers OK and the answer is always kMbAnswerOk; other button bits are not
// honoured.
class QtMessageBoxService final : public MessageBoxService {
public:
    // The objectName of the box, so that hosts and tests can find it among the top-level widgets.
    static constexpr const char *kObjectName = "orvMessageBox";

    int show(QWidget *parent, const QString &text, int style, const QString &title) override;
};

} // namespace orv
