#include "screens/Pictures.h"

#include "ledger/PlaceColours.h"
#include "screens/Controls.h"

#include <QPainter>
#include <QPainterPath>

namespace sg {

namespace {

void DrawArrow(QPainter& p, QRectF box, bool pointsLeft) {
    QPainterPath arrow;
    qreal tip = pointsLeft ? box.left() : box.right();
    qreal base = pointsLeft ? box.right() : box.left();
    arrow.moveTo(tip, box.center().y());
    arrow.lineTo(base, box.top());
    arrow.lineTo(base, box.bottom());
    arrow.closeSubpath();
    p.fillPath(arrow, QColor(30, 90, 160));
}

} // namespace

void DrawHelpIcon(QPainter& p, const QRect& r) {
    QRect circle = r.adjusted(1, 1, -2, -2);
    p.setBrush(QColor(40, 90, 170));
    p.setPen(Qt::NoPen);
    p.drawEllipse(circle);
    QFont font = p.font();
    font.setBold(true);
    font.setPixelSize(circle.height() * 2 / 3);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(circle, Qt::AlignCenter, "?");
}

void DrawRaceNavigation(QPainter& p, const QRect& r) {
    p.fillRect(r, QColor(236, 240, 246));
    p.setPen(QColor(150, 160, 175));
    p.drawRect(r.adjusted(0, 0, -1, -1));
    // The arrows stay inside their zones: left of 380 twips, right of 1079 twips.
    int leftEnd = Pixels(380) - 1, rightStart = Pixels(1080) + 1;
    DrawArrow(p, QRectF(3, 4, leftEnd - 5, r.height() - 8), true);
    DrawArrow(p, QRectF(rightStart + 2, 4, r.width() - rightStart - 5, r.height() - 8), false);
    p.drawLine(leftEnd, 2, leftEnd, r.height() - 3);
    p.drawLine(rightStart, 2, rightStart, r.height() - 3);
    QFont font = p.font();
    font.setPixelSize(10);
    p.setFont(font);
    p.setPen(QColor(20, 40, 80));
    QRect words(leftEnd + 1, 0, rightStart - leftEnd - 1, r.height());
    p.drawText(words.adjusted(0, 1, 0, -r.height() / 2), Qt::AlignCenter, "Numéro");
    p.drawText(words.adjusted(0, r.height() / 2, 0, -1), Qt::AlignCenter, "Dernière");
}

void DrawPlaceLegend(QPainter& p, const QRect& r) {
    static const char* const places[] = {"", "1er", "2ème", "3ème", "4ème", "5ème"};
    int step = r.width() / 5;
    QFont font = p.font();
    font.setPixelSize(10);
    p.setFont(font);
    for (int place = 1; place <= 5; ++place) {
        const Rgb& c = PlaceColours[place];
        QRect swatch(r.left() + (place - 1) * step + 1, r.top() + (r.height() - 12) / 2, 12, 12);
        p.setPen(QColor(90, 90, 90));
        p.setBrush(QColor(c.red, c.green, c.blue));
        p.drawRect(swatch);
        p.setPen(Qt::black);
        p.drawText(QRect(swatch.right() + 3, r.top(), step - 16, r.height()),
                   Qt::AlignVCenter | Qt::AlignLeft, places[place]);
    }
}

} // namespace sg
