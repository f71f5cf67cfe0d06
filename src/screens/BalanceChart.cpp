#include "screens/BalanceChart.h"

#include <QPainter>

#include <algorithm>
#include <climits>
#include <cmath>

namespace sg {

AxisScale NiceScale(double low, double high, int maxTicks) {
    if (high < low) std::swap(low, high);
    // Far beyond any balance or race number (and for what is no number): the plain scale.
    constexpr double Limit = 1e15;
    if (!(low >= -Limit && high <= Limit)) return {};
    if (high - low < 1) high = low + 1;
    int intervals = std::max(2, maxTicks - 1);
    double power = std::max(1.0, std::pow(10.0, std::floor(std::log10((high - low) / intervals))));
    // Widening the range to whole steps can add an interval: the next step then. A step of
    // ten times the range always fits, so the search ends within a few powers.
    for (int tries = 0; tries < 40; ++tries, power *= 10) {
        for (double factor : {1.0, 2.0, 5.0}) {
            double step = factor * power;
            AxisScale scale{std::floor(low / step) * step, std::ceil(high / step) * step, step};
            if ((scale.last - scale.first) / step <= intervals + 1e-9) return scale;
        }
    }
    return {low, high, high - low};
}

int TickCount(const AxisScale& scale) {
    return static_cast<int>(std::lround((scale.last - scale.first) / scale.step));
}

BalanceChart::BalanceChart(QString title, QString acrossTitle, QString upTitle, QWidget* parent)
    : QWidget(parent), title_(std::move(title)), acrossTitle_(std::move(acrossTitle)),
      upTitle_(std::move(upTitle)) {
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
}

void BalanceChart::setCurves(QList<Curve> curves) {
    curves_ = std::move(curves);
    update();
}

namespace {

QString TickText(double value) {
    return QString::number(std::abs(value) < 1e-9 ? 0.0 : value, 'f', 0);
}

// The points of a curve as the pixels show them: where several races share a column of
// pixels, only the lowest and highest balance there are drawn.
template <typename Place> QPolygonF OnScreen(const QList<QPointF>& points, Place place) {
    QPolygonF line;
    int column = INT_MIN;
    double low = 0, high = 0;
    auto flush = [&] {
        if (column == INT_MIN) return;
        line << QPointF(column, low);
        if (high != low) line << QPointF(column, high);
    };
    for (const QPointF& point : points) {
        QPointF at = place(point);
        int x = static_cast<int>(std::lround(at.x()));
        if (x != column) {
            flush();
            column = x;
            low = high = at.y();
        } else {
            low = std::min(low, at.y());
            high = std::max(high, at.y());
        }
    }
    flush();
    return line;
}

} // namespace

BalanceChart::Layout BalanceChart::layout() const {
    QFontMetrics metrics = fontMetrics();
    const int line = metrics.height(), gap = line / 2;

    double acrossLow = 0, acrossHigh = 1, upLow = 0, upHigh = 0;
    bool any = false;
    for (const Curve& curve : curves_) {
        for (const QPointF& point : curve.points) {
            if (!any) acrossLow = acrossHigh = point.x();
            any = true;
            acrossLow = std::min(acrossLow, point.x());
            acrossHigh = std::max(acrossHigh, point.x());
            upLow = std::min(upLow, point.y());
            upHigh = std::max(upHigh, point.y());
        }
    }
    Layout layout;
    layout.across = NiceScale(acrossLow, std::max(acrossHigh, acrossLow + 1), 8);
    layout.up = NiceScale(upLow, std::max(upHigh, upLow + 1), 7);

    const AxisScale& up = layout.up;
    for (int tick = 0; tick <= TickCount(up); ++tick)
        layout.labelWidth = std::max(
            layout.labelWidth, metrics.horizontalAdvance(TickText(up.first + tick * up.step)));
    // The last race number is centred under the right edge: room for its half beyond it.
    int lastHalf = (metrics.horizontalAdvance(TickText(layout.across.last)) + 1) / 2;
    layout.plot = rect().adjusted(gap + line + gap + layout.labelWidth + gap, gap + line + gap,
                                  -std::max(2 * gap, lastHalf + gap / 2),
                                  -(gap + line + line + gap + line + gap));
    return layout;
}

QList<QRect> BalanceChart::acrossTickTextRects() const {
    Layout at = layout();
    QFontMetrics metrics = fontMetrics();
    QList<QRect> rects;
    for (int tick = 0; tick <= TickCount(at.across); ++tick) {
        double value = at.across.first + tick * at.across.step;
        double share = (value - at.across.first) / (at.across.last - at.across.first);
        int x = static_cast<int>(std::lround(at.plot.left() + share * at.plot.width()));
        int width = metrics.horizontalAdvance(TickText(value));
        rects.append(QRect(x - width / 2, at.plot.bottom() + metrics.height() / 2 / 2, width,
                           metrics.height()));
    }
    return rects;
}

void BalanceChart::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QFontMetrics metrics = fontMetrics();
    const int line = metrics.height(), gap = line / 2;
    const Layout at = layout();
    const AxisScale &across = at.across, &up = at.up;
    const QRect& plot = at.plot;
    const int labelWidth = at.labelWidth;
    if (plot.width() < 10 || plot.height() < 10) return;

    auto place = [&](QPointF point) {
        double x = (point.x() - across.first) / (across.last - across.first);
        double y = (point.y() - up.first) / (up.last - up.first);
        return QPointF(plot.left() + x * plot.width(), plot.bottom() - y * plot.height());
    };

    painter.setPen(palette().color(QPalette::Text));
    QFont bold = font();
    bold.setBold(true);
    painter.setFont(bold);
    painter.drawText(QRect(0, gap, width(), line), Qt::AlignHCenter, title_);
    painter.setFont(font());

    // The grid and the tick values.
    QColor grid = palette().color(QPalette::Mid);
    grid.setAlpha(90);
    for (int tick = 0; tick <= TickCount(up); ++tick) {
        double value = up.first + tick * up.step;
        int y = static_cast<int>(std::lround(place({across.first, value}).y()));
        painter.setPen(grid);
        painter.drawLine(plot.left(), y, plot.right(), y);
        painter.setPen(palette().color(QPalette::Text));
        painter.drawText(QRect(plot.left() - gap - labelWidth, y - line / 2, labelWidth, line),
                         Qt::AlignRight | Qt::AlignVCenter, TickText(value));
    }
    QList<QRect> acrossTexts = acrossTickTextRects();
    for (int tick = 0; tick < acrossTexts.size(); ++tick) {
        const QRect& text = acrossTexts[tick];
        int x = text.left() + text.width() / 2;
        painter.setPen(grid);
        painter.drawLine(x, plot.top(), x, plot.bottom());
        painter.setPen(palette().color(QPalette::Text));
        painter.drawText(text.adjusted(-gap, 0, gap, 0), Qt::AlignHCenter,
                         TickText(across.first + tick * across.step));
    }
    painter.drawRect(plot);
    painter.drawText(QRect(plot.left(), plot.bottom() + gap / 2 + line, plot.width(), line),
                     Qt::AlignHCenter, acrossTitle_);
    painter.save();
    painter.translate(gap, plot.center().y());
    painter.rotate(-90);
    painter.drawText(QRect(-plot.height() / 2, 0, plot.height(), line), Qt::AlignHCenter, upTitle_);
    painter.restore();

    // The curves, then the legend under them.
    painter.save();
    painter.setClipRect(plot.adjusted(-1, -1, 1, 1));
    for (const Curve& curve : curves_) {
        QColor colour = curve.colour;
        if (!isEnabled()) colour.setAlpha(70); // faded: figures that are out of date
        painter.setPen(QPen(colour, 2));
        painter.setBrush(colour);
        QPolygonF shape = OnScreen(curve.points, place);
        if (shape.size() == 1)
            painter.drawEllipse(shape.front(), 2.0, 2.0); // a single race: a dot, not nothing
        else
            painter.drawPolyline(shape);
    }
    painter.restore();
    int x = plot.left(), y = height() - gap - line;
    for (const Curve& curve : curves_) {
        painter.fillRect(QRect(x, y + line / 2 - 2, line, 4), curve.colour);
        x += line + gap / 2;
        painter.setPen(palette().color(QPalette::Text));
        painter.drawText(QRect(x, y, metrics.horizontalAdvance(curve.name) + 1, line),
                         Qt::AlignVCenter, curve.name);
        x += metrics.horizontalAdvance(curve.name) + 2 * line;
    }
}

} // namespace sg
