#include "desktop/services/app_pictures.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QPainterPath>

#include "desktop/services/command_ids.h"
#include "qt/data_paths.h"

namespace {

// A bare file name is looked for in the current folder first (where the user keeps it), then
// beside the executable and in the installation's shared folder (where a branded installation
// puts it).
QString FindPicture(const QString& name) {
    const QFileInfo info(QDir::current(), name);
    if (info.isFile()) return info.absoluteFilePath();
    return radio::FindDataFile(name);
}

// A handheld radio in a 32-unit box: body, antenna, display and keypad.
void PaintRadio(QPainter& p, const QColor& body, const QColor& detail) {
    p.setPen(QPen(detail.darker(160), 1.2));
    p.setBrush(detail.darker(120));
    p.drawRoundedRect(QRectF(19, 1, 4, 11), 1.5, 1.5);  // antenna
    p.setBrush(body);
    p.drawRoundedRect(QRectF(8, 9, 17, 22), 3, 3);
    p.setBrush(QColor(200, 230, 200));
    p.drawRect(QRectF(11, 12, 11, 6));  // display
    p.setPen(Qt::NoPen);
    p.setBrush(detail);
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col)
            p.drawEllipse(QRectF(11.5 + col * 3.6, 20.5 + row * 3.2, 2.2, 2.2));
}

QPixmap PaintIcon(int size, int commandId) {
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);
    const QPen outline(QColor(40, 40, 40), 1.6);
    switch (commandId) {
        case ID_FILE_NEW: {
            QPainterPath page;
            page.moveTo(7, 3);
            page.lineTo(20, 3);
            page.lineTo(26, 9);
            page.lineTo(26, 29);
            page.lineTo(7, 29);
            page.closeSubpath();
            p.setPen(outline);
            p.setBrush(Qt::white);
            p.drawPath(page);
            p.drawPolyline(QPolygonF({QPointF(20, 3), QPointF(20, 9), QPointF(26, 9)}));
            break;
        }
        case ID_FILE_OPEN: {
            p.setPen(outline);
            p.setBrush(QColor(230, 190, 80));
            p.drawRect(QRectF(3, 8, 24, 19));
            p.setBrush(QColor(250, 215, 110));
            QPolygonF flap({QPointF(7, 14), QPointF(30, 14), QPointF(26, 27), QPointF(3, 27)});
            p.drawPolygon(flap);
            break;
        }
        case ID_FILE_SAVE: {
            p.setPen(outline);
            p.setBrush(QColor(60, 100, 170));
            p.drawRoundedRect(QRectF(4, 4, 24, 24), 2, 2);
            p.setBrush(Qt::white);
            p.drawRect(QRectF(9, 4, 14, 9));
            p.setBrush(QColor(180, 180, 180));
            p.drawRect(QRectF(9, 18, 14, 10));
            break;
        }
        case ID_PROGRAM_READ:
        case ID_PROGRAM_WRITE: {
            PaintRadio(p, QColor(90, 90, 95), QColor(60, 60, 60));
            // The arrow shows the direction of the transfer: into the PC or into the radio.
            const bool read = commandId == ID_PROGRAM_READ;
            p.setPen(Qt::NoPen);
            p.setBrush(read ? QColor(30, 150, 60) : QColor(200, 50, 40));
            QPolygonF arrow =
                read
                    ? QPolygonF({QPointF(24, 17), QPointF(30, 17), QPointF(30, 24), QPointF(32, 24),
                                 QPointF(27, 31), QPointF(22, 24), QPointF(24, 24)})
                    : QPolygonF({QPointF(24, 31), QPointF(30, 31), QPointF(30, 24), QPointF(32, 24),
                                 QPointF(27, 17), QPointF(22, 24), QPointF(24, 24)});
            p.drawPolygon(arrow.translated(-1, 0));
            break;
        }
        case ID_FILE_PRINT: {
            p.setPen(outline);
            p.setBrush(Qt::white);
            p.drawRect(QRectF(9, 3, 14, 10));
            p.setBrush(QColor(170, 170, 175));
            p.drawRoundedRect(QRectF(3, 12, 26, 12), 2, 2);
            p.setBrush(Qt::white);
            p.drawRect(QRectF(9, 20, 14, 9));
            p.setPen(QPen(QColor(120, 120, 120), 1));
            p.drawLine(QPointF(11, 24), QPointF(21, 24));
            p.drawLine(QPointF(11, 27), QPointF(19, 27));
            break;
        }
        case ID_EDIT_UNDO:
        case ID_EDIT_REDO: {
            // A hooked arrow turning back (undo, to the left) or forward (redo, mirrored).
            if (commandId == ID_EDIT_REDO) {
                p.translate(32, 0);
                p.scale(-1, 1);
            }
            QPainterPath hook;
            hook.moveTo(9, 13);
            hook.cubicTo(QPointF(16, 6), QPointF(30, 9), QPointF(26, 21));
            hook.cubicTo(QPointF(24, 26), QPointF(19, 28), QPointF(14, 28));
            p.setPen(QPen(QColor(40, 90, 160), 3.2, Qt::SolidLine, Qt::RoundCap));
            p.setBrush(Qt::NoBrush);
            p.drawPath(hook);
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(40, 90, 160));
            p.drawPolygon(QPolygonF({QPointF(2, 13), QPointF(13, 5), QPointF(13, 20)}));
            break;
        }
        case ID_APP_ABOUT: {
            p.setPen(QPen(QColor(20, 60, 140), 1.6));
            p.setBrush(QColor(70, 130, 210));
            p.drawEllipse(QRectF(3, 3, 26, 26));
            QFont f(QStringLiteral("Liberation Serif"));
            f.setPixelSize(22);
            f.setBold(true);
            p.setFont(f);
            p.setPen(Qt::white);
            p.drawText(QRectF(3, 3, 26, 26), Qt::AlignCenter, QStringLiteral("?"));
            break;
        }
        default:
            break;
    }
    return pm;
}

}  // namespace

QPixmap BuiltInBackground() {
    QPixmap pm(238, 157);
    pm.fill(QColor(86, 112, 142));
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    // A faint radio with its waves, kept well inside the tile so the tiles join seamlessly.
    p.save();
    p.translate(84, 36);
    p.scale(2.6, 2.6);
    p.setOpacity(0.35);
    PaintRadio(p, QColor(140, 165, 195), QColor(110, 135, 165));
    p.restore();
    p.setOpacity(0.3);
    p.setPen(QPen(QColor(190, 210, 230), 3, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 3; ++i) {
        const QRectF arc(150 - i * 14, 22 - i * 14, 28 + i * 28, 28 + i * 28);
        p.drawArc(arc, 30 * 16, 60 * 16);
    }
    return pm;
}

QPixmap BackgroundTile() {
    const QString path = FindPicture(QStringLiteral("background.bmp"));
    if (!path.isEmpty()) {
        QPixmap pm(path);
        if (!pm.isNull()) return pm;
    }
    return BuiltInBackground();
}

QIcon CommandIcon(int commandId) {
    switch (commandId) {
        case ID_FILE_NEW:
        case ID_FILE_OPEN:
        case ID_FILE_SAVE:
        case ID_PROGRAM_READ:
        case ID_PROGRAM_WRITE:
        case ID_FILE_PRINT:
        case ID_EDIT_UNDO:
        case ID_EDIT_REDO:
        case ID_APP_ABOUT:
            break;
        default:
            return {};
    }
    QIcon icon;
    for (int size : {16, 24, 32}) icon.addPixmap(PaintIcon(size, commandId));
    return icon;
}

QPixmap CloseButtonPixmap() {
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(50, 50, 50), 1.8, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(4.5, 4.5), QPointF(11.5, 11.5));
    p.drawLine(QPointF(11.5, 4.5), QPointF(4.5, 11.5));
    return pm;
}

QImage ProgramIconImage(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);
    PaintRadio(p, QColor(45, 85, 150), QColor(30, 40, 60));
    p.end();
    return image;
}

QIcon BundledIcon() {
    QIcon icon;
    for (int size : {16, 32, 48, 64}) icon.addPixmap(QPixmap::fromImage(ProgramIconImage(size)));
    return icon;
}

QIcon TitleIcon(bool* fromFile) {
    const QString path = FindPicture(QStringLiteral("title.ico"));
    if (!path.isEmpty()) {
        QIcon icon(path);
        if (!icon.availableSizes().isEmpty()) {
            if (fromFile) *fromFile = true;
            return icon;
        }
    }
    if (fromFile) *fromFile = false;
    return BundledIcon();
}
