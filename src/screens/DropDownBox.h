// An editable drop-down list made of a text box: the text is typed freely or picked in a
// list that opens under the box from its arrow, with Alt+Down or F4; Up and Down step
// through the items; a click outside the open list, Escape or Alt+Up closes it. The list is
// built the first time it opens, so the nine boxes of the main window cost no more at start
// than nine text boxes.
#pragma once

#include <QLineEdit>

class QAbstractItemModel;
class QListView;
class QModelIndex;

namespace sg {

class DropDownBox : public QLineEdit {
    Q_OBJECT
  public:
    explicit DropDownBox(QWidget* parent = nullptr);
    ~DropDownBox() override;

    // The items, in a model the boxes may share.
    void setModel(QAbstractItemModel* model);
    int count() const;
    QString itemText(int row) const;

    void showPopup();
    void hidePopup();
    bool isPopupVisible() const;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QRect ArrowArea() const;
    bool OnArrow(QPoint at) const;
    int RowOfText() const; // -1 when the text is no item
    void Pick(const QModelIndex& index);

    QAbstractItemModel* model_ = nullptr;
    QListView* popup_ = nullptr;
};

} // namespace sg
