#include "screens/Controls.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QStyle>

#include <algorithm>

namespace sg {

namespace {
QPalette::ColorRole BackRole(const QWidget* widget) {
    return qobject_cast<const QLineEdit*>(widget) ? QPalette::Base : QPalette::Window;
}
QPalette::ColorRole ForeRole(const QWidget* widget) {
    return qobject_cast<const QLineEdit*>(widget) ? QPalette::Text : QPalette::WindowText;
}
} // namespace

namespace {
constexpr const char* WidthTwipsProperty = "widthTwips";
} // namespace

void SetWidthTwips(QWidget* widget, int twips) {
    widget->setProperty(WidthTwipsProperty, twips);
    widget->resize(qRound(twips / double(TwipsPerPixel)), widget->height());
}

int WidthTwips(const QWidget* widget) {
    QVariant twips = widget->property(WidthTwipsProperty);
    if (twips.isValid() && qRound(twips.toInt() / double(TwipsPerPixel)) == widget->width())
        return twips.toInt();
    return Twips(widget->width());
}

void UseDesktopKeys(QWidget* window, bool escapeCloses) {
    for (QPushButton* button : window->findChildren<QPushButton*>()) button->setAutoDefault(true);
    if (!escapeCloses) return;
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), window);
    QObject::connect(escape, &QShortcut::activated, window, [window] { window->close(); });
}

void SetTabChain(std::initializer_list<QWidget*> widgets) {
    QWidget* previous = nullptr;
    for (QWidget* widget : widgets) {
        if (previous) QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}

QString Indexed(const char* name, int index) {
    return QString("%1(%2)").arg(name).arg(index);
}

void SetBackColor(QWidget* widget, const QColor& color) {
    QPalette palette = widget->palette();
    palette.setColor(BackRole(widget), color);
    widget->setPalette(palette);
    if (!qobject_cast<QLineEdit*>(widget)) widget->setAutoFillBackground(true);
}

QColor BackColor(const QWidget* widget) {
    return widget->palette().color(BackRole(widget));
}

void SetForeColor(QWidget* widget, const QColor& color) {
    QPalette palette = widget->palette();
    palette.setColor(ForeRole(widget), color);
    widget->setPalette(palette);
}

QColor ForeColor(const QWidget* widget) {
    return widget->palette().color(ForeRole(widget));
}

bool SetScrollValue(QScrollBar* bar, int value) {
    if (value < bar->minimum() || value > bar->maximum()) return false;
    bar->setValue(value);
    return true;
}

ShapeBox::ShapeBox(QWidget* parent) : QFrame(parent) {
    setFrameShape(QFrame::Box);
    setLineWidth(1);
    SetBackColor(this, White);
}

PictureBox::PictureBox(QWidget* parent, Painter painter)
    : QWidget(parent), painter_(std::move(painter)) {
    setCursor(Qt::PointingHandCursor);
    setMouseTracking(true);
}

namespace {
// The frame of the focused control among those the style draws none for.
void DrawFocusFrame(QWidget* widget) {
    QPainter p(widget);
    p.setPen(QPen(widget->palette().color(QPalette::Highlight), 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(widget->rect().adjusted(1, 1, -1, -1));
}
} // namespace

void ShrinkTextToFit(QLineEdit* box) {
    const QFont base = box->font();
    auto fit = [box, base] {
        constexpr double Smallest = 0.6;
        constexpr int Margins = 8; // the frame and the box's own text margins
        QFont font = base;
        int room = box->contentsRect().width() - Margins;
        int needed = QFontMetrics(base).horizontalAdvance(box->text());
        if (needed > room && room > 0) {
            double scale = std::max(Smallest, double(room) / needed);
            if (base.pointSizeF() > 0)
                font.setPointSizeF(scale * base.pointSizeF());
            else
                font.setPixelSize(std::max(1, int(scale * base.pixelSize())));
        }
        if (box->font() != font) box->setFont(font);
    };
    QObject::connect(box, &QLineEdit::textChanged, box, fit);
}

void FittingLabel::paintEvent(QPaintEvent* event) {
    constexpr int Gap = 8;           // kept free before a right-aligned value, after its caption
    constexpr double Smallest = 0.6; // of the font's size, before the text is cut
    QRect area = contentsRect();
    if (alignment() & Qt::AlignRight) area.setLeft(area.left() + Gap);
    QString shown = text();
    int needed = fontMetrics().horizontalAdvance(shown);
    if (wordWrap() || textFormat() == Qt::RichText || needed <= area.width()) {
        setToolTip({});
        QLabel::paintEvent(event);
        return;
    }
    double scale = std::max(Smallest, double(area.width()) / needed);
    QFont smaller = font();
    if (font().pointSizeF() > 0)
        smaller.setPointSizeF(scale * font().pointSizeF());
    else
        smaller.setPixelSize(std::max(1, int(scale * font().pixelSize())));
    QFontMetrics metrics(smaller);
    QString fitted = metrics.elidedText(shown, Qt::ElideMiddle, area.width());
    setToolTip(fitted == shown ? QString() : shown);
    QPainter p(this);
    p.setFont(smaller);
    style()->drawItemText(&p, area, static_cast<int>(alignment()), palette(), isEnabled(), fitted,
                          foregroundRole());
}

void FocusScrollBar::paintEvent(QPaintEvent* event) {
    QScrollBar::paintEvent(event);
    if (hasFocus()) DrawFocusFrame(this);
}

void PictureBox::setKeyHandler(KeyHandler handler) {
    keys_ = std::move(handler);
    setFocusPolicy(keys_ ? Qt::StrongFocus : Qt::NoFocus);
}

void PictureBox::paintEvent(QPaintEvent*) {
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        if (painter_) painter_(p, rect());
    }
    if (hasFocus()) DrawFocusFrame(this);
}

void PictureBox::keyPressEvent(QKeyEvent* event) {
    if (keys_ && keys_(event->key())) {
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void PictureBox::mousePressEvent(QMouseEvent* event) {
    QPointF at = event->position();
    emit mousePressed(qRound(at.x() * TwipsPerPixel), qRound(at.y() * TwipsPerPixel));
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event) {
    if (rect().contains(event->position().toPoint())) emit clicked();
}

// Taken here: passed on, the window under the picture would take it as a move over its bare
// background and put its title back.
void PictureBox::mouseMoveEvent(QMouseEvent* event) {
    emit mouseMoved();
    event->accept();
}

} // namespace sg
