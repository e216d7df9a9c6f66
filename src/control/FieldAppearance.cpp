// How the field follows the system's colours.

#include "OrvSearchACS2.h"
#include "OrvSearchACS2_p.h"

#include <QEvent>

namespace orv {

void OrvSearchACS2::Private::refreshOleColors()
{
    const QPalette system = QApplication::palette();
    if (system.cacheKey() == systemPaletteKey)
        return;
    systemPaletteKey = system.cacheKey();
    paint(q, QPalette::Window, controlBackColor);
    for (QLineEdit *box : txtField) {
        setOleColor(box, kOleBackColor, QPalette::Base, box->property(kOleBackColor).value<std::uint32_t>());
        setOleColor(box, kOleForeColor, QPalette::Text, box->property(kOleForeColor).value<std::uint32_t>());
    }
}

void OrvSearchACS2::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::ApplicationPaletteChange || event->type() == QEvent::PaletteChange)
        d->refreshOleColors();
    QWidget::changeEvent(event);
}

} // namespace orv
