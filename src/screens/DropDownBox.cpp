#include "screens/DropDownBox.h"

#include <QAbstractItemModel>
#include <QKeyEvent>
#include <QListView>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QStyleOption>

namespace sg {

namespace {
constexpr int ArrowWidth = 14;
constexpr int VisibleItems = 10;
} // namespace

DropDownBox::DropDownBox(QWidget* parent) : QLineEdit(parent) {
    setTextMargins(0, 0, ArrowWidth, 0);
}

DropDownBox::~DropDownBox() {
    delete popup_; // a window of its own, not a child
}

void DropDownBox::setModel(QAbstractItemModel* model) {
    model_ = model;
    if (popup_) popup_->setModel(model);
}

int DropDownBox::count() const {
    return model_ ? model_->rowCount() : 0;
}

QString DropDownBox::itemText(int row) const {
    return model_ ? model_->index(row, 0).data().toString() : QString();
}

QRect DropDownBox::ArrowArea() const {
    return QRect(width() - ArrowWidth - 2, 2, ArrowWidth, height() - 4);
}

bool DropDownBox::OnArrow(QPoint at) const {
    return ArrowArea().adjusted(0, -2, 2, 2).contains(at);
}

void DropDownBox::paintEvent(QPaintEvent* event) {
    QLineEdit::paintEvent(event);
    QPainter painter(this);
    QRect arrow = ArrowArea();
    QColor line = palette().color(QPalette::Mid);
    painter.setPen(line);
    painter.drawLine(arrow.topLeft(), arrow.bottomLeft());
    QStyleOption option;
    option.initFrom(this);
    option.rect = arrow.adjusted(3, 0, -1, 0);
    style()->drawPrimitive(QStyle::PE_IndicatorArrowDown, &option, &painter, this);
}

void DropDownBox::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && isEnabled() && OnArrow(event->position().toPoint())) {
        setFocus(Qt::MouseFocusReason);
        showPopup();
        return;
    }
    QLineEdit::mousePressEvent(event);
}

void DropDownBox::mouseMoveEvent(QMouseEvent* event) {
    setCursor(OnArrow(event->position().toPoint()) ? Qt::ArrowCursor : Qt::IBeamCursor);
    QLineEdit::mouseMoveEvent(event);
}

int DropDownBox::RowOfText() const {
    for (int row = 0; row < count(); ++row) {
        if (itemText(row) == text()) return row;
    }
    return -1;
}

void DropDownBox::keyPressEvent(QKeyEvent* event) {
    bool alt = event->modifiers() & Qt::AltModifier;
    if (event->key() == Qt::Key_F4 || (alt && event->key() == Qt::Key_Down)) {
        showPopup();
        return;
    }
    if ((event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) && count() > 0) {
        int row = RowOfText();
        int step = event->key() == Qt::Key_Down ? 1 : -1;
        row = row < 0 ? 0 : std::clamp(row + step, 0, count() - 1);
        if (itemText(row) != text()) setText(itemText(row));
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void DropDownBox::showPopup() {
    if (!model_ || count() == 0) return;
    if (!popup_) {
        popup_ = new QListView;
        popup_->setWindowFlags(Qt::Popup);
        popup_->setUniformItemSizes(true); // thousands of numbers lay out at once
        popup_->setEditTriggers(QAbstractItemView::NoEditTriggers);
        popup_->setModel(model_);
        popup_->installEventFilter(this);
        connect(popup_, &QListView::clicked, this, &DropDownBox::Pick);
        connect(popup_, &QListView::activated, this, &DropDownBox::Pick);
    }
    popup_->setFont(font());
    int rowHeight = std::max(popup_->sizeHintForRow(0), fontMetrics().height());
    int rows = std::min(count(), VisibleItems);
    QRect area(mapToGlobal(QPoint(0, height())),
               QSize(std::max(width(), 60), rows * rowHeight + 2 * popup_->frameWidth()));
    if (QScreen* screen = this->screen();
        screen && area.bottom() > screen->availableGeometry().bottom())
        area.moveBottom(mapToGlobal(QPoint(0, 0)).y()); // above the box where below won't fit
    popup_->setGeometry(area);
    int row = RowOfText();
    QModelIndex current = model_->index(std::max(row, 0), 0);
    popup_->setCurrentIndex(current);
    popup_->scrollTo(current, QAbstractItemView::PositionAtCenter);
    popup_->show();
    popup_->setFocus();
}

void DropDownBox::hidePopup() {
    if (popup_) popup_->hide();
}

bool DropDownBox::isPopupVisible() const {
    return popup_ && popup_->isVisible();
}

void DropDownBox::Pick(const QModelIndex& index) {
    hidePopup();
    QString chosen = index.data().toString();
    if (chosen != text()) setText(chosen);
    setFocus(Qt::PopupFocusReason);
}

bool DropDownBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched != popup_) return QLineEdit::eventFilter(watched, event);
    if (event->type() == QEvent::MouseButtonPress) {
        // While the list is open every press comes to it: one outside closes it, and one on
        // the arrow is not passed on, so that the arrow closes the list it opened.
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (!popup_->rect().contains(mouse->position().toPoint())) {
            QPoint onBox = mapFromGlobal(mouse->globalPosition().toPoint());
            popup_->setAttribute(Qt::WA_NoMouseReplay, OnArrow(onBox));
            hidePopup();
            return true;
        }
    }
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        bool alt = key->modifiers() & Qt::AltModifier;
        if (key->key() == Qt::Key_Escape || key->key() == Qt::Key_F4 ||
            (alt && (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down))) {
            hidePopup();
            return true;
        }
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            Pick(popup_->currentIndex());
            return true;
        }
    }
    return false;
}

} // namespace sg
