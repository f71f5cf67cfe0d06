// The return of each strategy of a comparison as a coloured cell, the horses played across and
// the target profits down: red for a loss, green for a gain, white near 0, the stronger the
// further, with the scale drawn beside. A cell whose 90 % interval holds 0 is hatched: its
// return cannot be told from luck. Drawn with the painter, as the balance curve.
#pragma once

#include <QString>
#include <QWidget>

#include <optional>
#include <vector>

namespace sg {

class ReturnHeatMap : public QWidget {
    Q_OBJECT
  public:
    struct Cell {
        int column = 0, row = 0;       // indexes into the columns' and rows' names
        std::optional<double> percent; // empty: nothing staked
        bool holdsZero = false;        // hatched
    };

    explicit ReturnHeatMap(QWidget* parent = nullptr);

    // The names across ("1".."9" horses) and down (the target profits), the cells, and the
    // caption above ("Arrondi : decimales, cotes : PMH").
    void setMap(QStringList columns, QStringList rows, std::vector<Cell> cells, QString caption,
                char decimalSeparator);
    const std::vector<Cell>& cells() const { return cells_; }

    // The colour of a return on a scale reaching `extent` % on each side.
    static QColor ColourOf(double percent, double extent);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QStringList columns_, rows_;
    std::vector<Cell> cells_;
    QString caption_;
    char separator_ = ',';
    double extent_ = 1; // the scale runs from -extent_ to +extent_ %
};

} // namespace sg
