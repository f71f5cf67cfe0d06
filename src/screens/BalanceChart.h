// The running balance of a back-test drawn race by race: one curve per odds set, with the
// races across, the euros up, round values at the ticks and the legend under the curves.
// Drawn with the painter alone, so the program carries no charting library.
#pragma once

#include <QColor>
#include <QList>
#include <QPointF>
#include <QRect>
#include <QString>
#include <QWidget>

namespace sg {

// Round values for an axis of whole numbers (races, euros) from `low` to `high`: a step of 1,
// 2 or 5 times a power of ten, at least 1, giving at most `maxTicks` ticks (at least three),
// and the range widened to whole steps.
struct AxisScale {
    double first = 0, last = 1, step = 1;
};
AxisScale NiceScale(double low, double high, int maxTicks);
// The intervals between `first` and `last`.
int TickCount(const AxisScale& scale);

class BalanceChart : public QWidget {
    Q_OBJECT
  public:
    struct Curve {
        QString name;
        QColor colour;
        QList<QPointF> points; // (race, balance), races increasing
    };

    BalanceChart(QString title, QString acrossTitle, QString upTitle, QWidget* parent = nullptr);

    void setCurves(QList<Curve> curves);
    const QList<Curve>& curves() const { return curves_; }

    // Where the race numbers under the plot are written, each as wide as its text.
    QList<QRect> acrossTickTextRects() const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    // The scales of the curves and the plot's place in the widget, ticks' texts around it.
    struct Layout {
        AxisScale across, up;
        QRect plot;
        int labelWidth = 0; // of the widest balance at the left
    };
    Layout layout() const;

    QString title_, acrossTitle_, upTitle_;
    QList<Curve> curves_;
};

} // namespace sg
