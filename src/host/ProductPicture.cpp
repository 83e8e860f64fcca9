#include "host/ProductPicture.h"

#include <QLinearGradient>
#include <QPainter>

QPixmap ProductPicture::pixmap()
{
    QPixmap picture(96, 96);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);

    // Housing.
    QLinearGradient body(0, 8, 0, 88);
    body.setColorAt(0.0, QColor(236, 238, 240));
    body.setColorAt(1.0, QColor(190, 194, 198));
    painter.setPen(QPen(QColor(90, 96, 102), 1.5));
    painter.setBrush(body);
    painter.drawRoundedRect(QRectF(6, 10, 84, 76), 6, 6);

    // Front label with the product name.
    painter.setBrush(QColor(0, 92, 150));
    painter.setPen(Qt::NoPen);
    painter.drawRect(QRectF(12, 16, 72, 16));
    painter.setPen(Qt::white);
    QFont font = painter.font();
    font.setPixelSize(10);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(QRectF(12, 16, 72, 16), Qt::AlignCenter, QStringLiteral("RX24"));

    // Eight module slots, each with a status LED.
    for (int slot = 0; slot < 8; ++slot) {
        const QRectF slotRect(12 + slot * 9, 40, 7, 36);
        painter.setPen(QPen(QColor(110, 116, 122), 1));
        painter.setBrush(QColor(214, 218, 222));
        painter.drawRect(slotRect);
        painter.setPen(Qt::NoPen);
        painter.setBrush(slot % 3 == 0 ? QColor(40, 180, 60) : QColor(150, 156, 160));
        painter.drawEllipse(QPointF(slotRect.center().x(), 44), 1.8, 1.8);
    }

    // Terminal rows.
    painter.setBrush(QColor(70, 76, 82));
    for (int i = 0; i < 12; ++i) {
        painter.drawRect(QRectF(12 + i * 6, 80, 4, 3));
        painter.drawRect(QRectF(12 + i * 6, 12, 4, 2));
    }
    painter.end();
    return picture;
}
