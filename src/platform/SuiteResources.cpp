#include "SuiteResources.h"

#include <QPainter>
#include <QPainterPath>

namespace orv {

namespace {

constexpr int kIconSize = 16;
constexpr int kCursorSize = 32;

const QColor kOutline(0x5a, 0x46, 0x14);
const QColor kFolderBack(0xe0, 0xb0, 0x40);
const QColor kFolderFront(0xf6, 0xd3, 0x6b);

QPixmap blankPixmap(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

void drawFolderBack(QPainter &painter)
{
    QPainterPath back;
    back.moveTo(1.5, 3.5);
    back.lineTo(6.0, 3.5);
    back.lineTo(7.5, 5.0);
    back.lineTo(14.5, 5.0);
    back.lineTo(14.5, 13.5);
    back.lineTo(1.5, 13.5);
    back.closeSubpath();
    painter.setPen(QPen(kOutline, 1.0));
    painter.setBrush(kFolderBack);
    painter.drawPath(back);
}

QPixmap closedFolder()
{
    QPixmap pixmap = blankPixmap(kIconSize);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    drawFolderBack(painter);
    painter.setBrush(kFolderFront);
    painter.drawRect(QRectF(1.5, 6.5, 13.0, 7.0));
    return pixmap;
}

QPixmap openFolder()
{
    QPixmap pixmap = blankPixmap(kIconSize);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    drawFolderBack(painter);
    // A sheet sticking out of the folder, then the front flap tilted open.
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(3.5, 4.5, 9.0, 6.0));
    QPolygonF flap;
    flap << QPointF(3.5, 8.0) << QPointF(15.5, 8.0) << QPointF(13.0, 13.5) << QPointF(1.5, 13.5);
    painter.setBrush(kFolderFront);
    painter.drawPolygon(flap);
    return pixmap;
}

QPixmap ledgerSheet()
{
    QPixmap pixmap = blankPixmap(kIconSize);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QPolygonF sheet;
    sheet << QPointF(3.5, 1.5) << QPointF(10.0, 1.5) << QPointF(13.5, 5.0) << QPointF(13.5, 14.5)
          << QPointF(3.5, 14.5);
    painter.setPen(QPen(QColor(0x40, 0x50, 0x60), 1.0));
    painter.setBrush(Qt::white);
    painter.drawPolygon(sheet);
    painter.drawPolyline(QPolygonF() << QPointF(10.0, 1.5) << QPointF(10.0, 5.0) << QPointF(13.5, 5.0));
    // Ruled lines of a ledger page.
    painter.setPen(QPen(QColor(0x30, 0x80, 0x40), 1.0));
    for (double y = 7.5; y < 14.0; y += 2.0)
        painter.drawLine(QPointF(5.0, y), QPointF(12.0, y));
    return pixmap;
}

QPixmap magnifier()
{
    QPixmap pixmap = blankPixmap(kCursorSize);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(kCursorSize / 2.0, kCursorSize / 2.0);
    const double radius = 7.0;
    // Handle towards the lower right, drawn first so the rim covers its end.
    const QPointF handleStart = centre + QPointF(radius * 0.7, radius * 0.7);
    const QPointF handleEnd(kCursorSize - 2.0, kCursorSize - 2.0);
    painter.setPen(QPen(Qt::white, 6.0, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(handleStart, handleEnd);
    painter.setPen(QPen(Qt::black, 4.0, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(handleStart, handleEnd);
    // Lens: a white halo keeps the rim visible on dark backgrounds.
    painter.setBrush(QColor(0xd8, 0xec, 0xff, 0xa0));
    painter.setPen(QPen(Qt::white, 4.0));
    painter.drawEllipse(centre, radius, radius);
    painter.setPen(QPen(Qt::black, 2.0));
    painter.drawEllipse(centre, radius, radius);
    return pixmap;
}

} // namespace

QString SuiteResources::text(int id)
{
    switch (id) {
    case kTextDescriptionCaption:
        return QStringLiteral("Descrizione:");
    case kTextProgramPathMissing:
        return QStringLiteral("Il percorso dei programmi di gestione non è impostato: "
                              "impossibile avviare la manutenzione.");
    case kTextProgramNoWindow:
        return QStringLiteral("Il programma di gestione non ha aperto la sua finestra "
                              "entro il tempo previsto.");
    case kTextProgramNoWindowTitle:
        return QStringLiteral("Attenzione");
    case kTextSettingsAppName:
        return QStringLiteral("OrvSuite");
    default:
        return {};
    }
}

QPixmap SuiteResources::picture(int id)
{
    switch (id) {
    case kPictureCaptionCursor:
        return magnifier();
    case kPictureTreeClosed:
        return closedFolder();
    case kPictureTreeOpen:
        return openFolder();
    case kPictureTreeLeaf:
        return ledgerSheet();
    default:
        return {};
    }
}

} // namespace orv
