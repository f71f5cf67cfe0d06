#include "screens/ReturnHeatMap.h"

#include <QLinearGradient>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace sg {

namespace {

const QColor Loss(214, 47, 39);
const QColor Gain(26, 152, 80);
const QColor Empty(225, 225, 225);

QColor Blend(const QColor& from, const QColor& to, double share) {
    auto mix = [share](int a, int b) { return static_cast<int>(std::lround(a + (b - a) * share)); };
    return QColor(mix(from.red(), to.red()), mix(from.green(), to.green()),
                  mix(from.blue(), to.blue()));
}

// The smallest of 1, 2, 5, 10, 20, 50... that reaches the largest return, so the scale's ends
// read as round numbers.
double ScaleExtent(const std::vector<ReturnHeatMap::Cell>& cells) {
    double largest = 0;
    for (const auto& cell : cells) {
        if (cell.percent && std::isfinite(*cell.percent))
            largest = std::max(largest, std::fabs(*cell.percent));
    }
    for (double power = 1; power < 1e12; power *= 10) {
        for (double factor : {1.0, 2.0, 5.0}) {
            if (factor * power >= largest) return factor * power;
        }
    }
    return 1e12;
}

QString PercentLabel(double value, int decimals, char separator) {
    QString text = QString::number(value, 'f', decimals);
    if (text.startsWith("-") && text.mid(1).toDouble() == 0) text = text.mid(1);
    return text.replace('.', QChar(separator)) + " %";
}

void Hatch(QPainter& painter, const QRectF& area) {
    painter.fillRect(area, QBrush(QColor(60, 60, 60, 150), Qt::BDiagPattern));
}

} // namespace

ReturnHeatMap::ReturnHeatMap(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
    setMinimumSize(300, 180);
}

void ReturnHeatMap::setMap(QStringList columns, QStringList rows, std::vector<Cell> cells,
                           QString caption, char decimalSeparator) {
    columns_ = std::move(columns);
    rows_ = std::move(rows);
    cells_ = std::move(cells);
    caption_ = std::move(caption);
    separator_ = decimalSeparator;
    extent_ = ScaleExtent(cells_);
    update();
}

QColor ReturnHeatMap::ColourOf(double percent, double extent) {
    if (!std::isfinite(percent) || !(extent > 0)) return Empty;
    double share = std::min(std::fabs(percent) / extent, 1.0);
    return Blend(Qt::white, percent < 0 ? Loss : Gain, share);
}

void ReturnHeatMap::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, false);
    QFontMetrics metrics = painter.fontMetrics();
    int line = metrics.height();
    int margin = line / 2;
    painter.drawText(QRect(margin, margin, width() - 2 * margin, line), Qt::AlignLeft,
                     caption_.isEmpty() ? QString("Rendement par chevaux joués et bénéfice "
                                                  "recherché : lancez une comparaison.")
                                        : caption_);
    if (columns_.isEmpty() || rows_.isEmpty()) return;

    // The legend on the right, the names of the rows on the left, the cells between.
    int legendWidth =
        metrics.horizontalAdvance("+" + PercentLabel(-extent_, 0, separator_)) + 3 * margin + 16;
    int rowNames = metrics.horizontalAdvance("Bénéfice") + margin;
    for (const QString& row : rows_)
        rowNames = std::max(rowNames, metrics.horizontalAdvance(row) + margin);
    QRect grid(margin + rowNames, margin + 3 * line, width() - rowNames - legendWidth - 3 * margin,
               height() - 5 * line - 3 * margin);
    if (grid.width() < columns_.size() || grid.height() < rows_.size()) return;
    double cellWidth = double(grid.width()) / columns_.size();
    double cellHeight = double(grid.height()) / rows_.size();

    painter.drawText(QRect(grid.left(), margin + line, grid.width(), line), Qt::AlignHCenter,
                     "Chevaux joués");
    painter.drawText(QRect(margin, margin + 2 * line, rowNames, line), Qt::AlignLeft, "Bénéfice");
    for (int c = 0; c < columns_.size(); ++c)
        painter.drawText(QRectF(grid.left() + c * cellWidth, margin + 2 * line, cellWidth, line),
                         Qt::AlignHCenter, columns_[c]);
    for (int r = 0; r < rows_.size(); ++r)
        painter.drawText(QRectF(margin, grid.top() + r * cellHeight, rowNames - margin, cellHeight),
                         Qt::AlignRight | Qt::AlignVCenter, rows_[r]);

    for (int c = 0; c < columns_.size(); ++c) {
        for (int r = 0; r < rows_.size(); ++r)
            painter.fillRect(QRectF(grid.left() + c * cellWidth, grid.top() + r * cellHeight,
                                    cellWidth, cellHeight),
                             Empty);
    }
    for (const Cell& cell : cells_) {
        QRectF area(grid.left() + cell.column * cellWidth, grid.top() + cell.row * cellHeight,
                    cellWidth, cellHeight);
        if (!cell.percent) {
            painter.drawText(area, Qt::AlignCenter, "-");
            continue;
        }
        painter.fillRect(area, ColourOf(*cell.percent, extent_));
        if (cell.holdsZero) Hatch(painter, area);
        // The return written in the cell as far as it fits: "-12,3 %", else "-12", else nothing.
        QString text = PercentLabel(*cell.percent, 1, separator_);
        if (metrics.horizontalAdvance(text) + 4 > area.width())
            text = QString::number(std::lround(*cell.percent));
        if (metrics.horizontalAdvance(text) + 4 > area.width()) continue;
        QRectF label = metrics.boundingRect(text).toRectF();
        label.moveCenter(area.center());
        label.adjust(-2, 0, 2, 0);
        painter.fillRect(label, QColor(255, 255, 255, 200)); // readable over the hatching
        painter.drawText(area, Qt::AlignCenter, text);
    }
    painter.setPen(palette().color(QPalette::Mid));
    for (int c = 0; c <= columns_.size(); ++c)
        painter.drawLine(QPointF(grid.left() + c * cellWidth, grid.top()),
                         QPointF(grid.left() + c * cellWidth, grid.bottom()));
    for (int r = 0; r <= rows_.size(); ++r)
        painter.drawLine(QPointF(grid.left(), grid.top() + r * cellHeight),
                         QPointF(grid.right(), grid.top() + r * cellHeight));

    // The scale: the colours from +extent at the top to -extent at the bottom.
    painter.setPen(palette().color(QPalette::Text));
    int barLeft = grid.right() + 2 * margin;
    int barHeight = grid.height();
    QRect bar(barLeft, grid.top(), 16, barHeight);
    QLinearGradient gradient(bar.topLeft(), bar.bottomLeft());
    gradient.setColorAt(0, ColourOf(extent_, extent_));
    gradient.setColorAt(0.5, Qt::white);
    gradient.setColorAt(1, ColourOf(-extent_, extent_));
    painter.fillRect(bar, gradient);
    painter.drawRect(bar);
    int labelsLeft = bar.right() + margin;
    int labelsWidth = width() - labelsLeft;
    painter.drawText(QRect(labelsLeft, bar.top() - line / 2, labelsWidth, line), Qt::AlignLeft,
                     "+" + PercentLabel(extent_, 0, separator_));
    painter.drawText(QRect(labelsLeft, bar.center().y() - line / 2, labelsWidth, line),
                     Qt::AlignLeft, PercentLabel(0, 0, separator_));
    painter.drawText(QRect(labelsLeft, bar.bottom() - line / 2, labelsWidth, line), Qt::AlignLeft,
                     PercentLabel(-extent_, 0, separator_));
    // Under the cells, what the hatching says.
    QRect sample(grid.left(), grid.bottom() + margin + 1, 16, line);
    painter.fillRect(sample, Qt::white);
    Hatch(painter, sample);
    painter.drawRect(sample);
    painter.drawText(QRect(sample.right() + margin, sample.top(), width() - sample.right(), line),
                     Qt::AlignLeft | Qt::AlignVCenter, "hachuré : l'intervalle à 90 % contient 0");
}

} // namespace sg
