// The odds variation window: for each of the nine columns, the odds texts read at every
// "Rajouter", and how the odds moved between the first reading and the latest.
#pragma once

#include <QWidget>

#include <array>
#include <optional>

class QLabel;
class QListWidget;
class QPushButton;

namespace sg {

class Screens;

class frmCote : public QWidget {
    Q_OBJECT
  public:
    explicit frmCote(Screens& screens);

    void Command1_Click(); // "Rajouter"
    void cmdVider_Click();
    void cmdCacher_Click();

    std::array<QListWidget*, 10> lstCote{}; // 1..9: the columns' readings, oldest first
    std::array<QLabel*, 10> lblVariation{}; // 0: the row's header; 1..9: each column's move
    QPushButton* Command1 = nullptr;
    QPushButton* cmdVider = nullptr;
    QPushButton* cmdCacher = nullptr;

  protected:
    void closeEvent(QCloseEvent* event) override; // hides the window, as "Cacher" does

  private:
    void Form_Load();

    Screens& screens_;
    // Each column's first reading, converted once: it changes only when the lists are emptied.
    std::array<std::optional<std::optional<double>>, 10> first_{};
};

} // namespace sg
