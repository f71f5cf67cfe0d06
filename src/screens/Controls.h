// Small pieces shared by every window: text conversion, colours, scroll bars that refuse a
// value instead of clamping it, pictures and colour marks.
#pragma once

#include <QColor>
#include <QFrame>
#include <QLabel>
#include <QScrollBar>
#include <QString>
#include <QWidget>

#include <functional>
#include <initializer_list>
#include <string>

class QLineEdit;
class QPainter;

namespace sg {

inline constexpr int TwipsPerPixel = 15;
inline int Twips(int pixels) {
    return pixels * TwipsPerPixel;
}
inline int Pixels(int twips) {
    return twips / TwipsPerPixel;
}

// A width given in twips: the widget takes the nearest pixel width and remembers the twips,
// so that a width of 500 twips still reads 500 though it is 33 and a third pixels.
void SetWidthTwips(QWidget* widget, int twips);
int WidthTwips(const QWidget* widget);

inline QString Q(const std::string& text) {
    return QString::fromStdString(text);
}
inline std::string S(const QString& text) {
    return text.toStdString();
}

inline const QColor White(255, 255, 255);
inline const QColor LightGrey(192, 192, 192);
inline const QColor ReadOnlyColour(170, 0, 0); // the note of a file open for reading only

// "txtCote(3)": the name of element 3 of a control array.
QString Indexed(const char* name, int index);

// A widget of the window with its name and place (pixels), as every window builds them.
template <typename W> W* Make(QWidget* parent, const QString& name, QRect geometry) {
    auto* widget = new W(parent);
    widget->setObjectName(name);
    widget->setGeometry(geometry);
    return widget;
}
template <typename W>
W* Make(QWidget* parent, const QString& name, const QString& text, QRect geometry) {
    W* widget = Make<W>(parent, name, geometry);
    widget->setText(text);
    return widget;
}

// The keyboard habits of a desktop window: Enter presses the focused button, and with
// `escapeCloses` Escape does what the window's close box does.
void UseDesktopKeys(QWidget* window, bool escapeCloses);

// The focus moves through the widgets in this order with Tab (and back with Shift+Tab).
void SetTabChain(std::initializer_list<QWidget*> widgets);

// The background colour of a text box (its base) or of any other element (its window role).
void SetBackColor(QWidget* widget, const QColor& color);
QColor BackColor(const QWidget* widget);
void SetForeColor(QWidget* widget, const QColor& color);
QColor ForeColor(const QWidget* widget);

// A value outside the bar's range is refused (the bar keeps its value); true when accepted.
bool SetScrollValue(QScrollBar* bar, int value);

// The text box's font shrinks as far as 60 % of the font it has now when its text would not
// fit, so that long odds such as "12.25" show whole (the text itself is never changed).
void ShrinkTextToFit(QLineEdit* box);

// A label that reports every write of its text, as a text box does: what must follow a new text
// is connected to textChanged and cannot be forgotten by a writer.
class NotifyingLabel : public QLabel {
    Q_OBJECT
  public:
    using QLabel::QLabel;
    void setText(const QString& text) {
        QLabel::setText(text);
        emit textChanged();
    }

  signals:
    void textChanged();
};

// A one-line label whose text, too long for its place (a stake of 1e30), is drawn smaller and,
// past a point, cut in the middle with the whole text in its tool tip: it never runs into the
// caption beside it. Its text stays as written.
class FittingLabel : public NotifyingLabel {
  public:
    using NotifyingLabel::NotifyingLabel;

  protected:
    void paintEvent(QPaintEvent* event) override;
};

// A scroll bar that shows the keyboard focus with a frame: the desktop's style shows none, and a
// keyboard user would not know where the arrow keys act.
class FocusScrollBar : public QScrollBar {
  public:
    explicit FocusScrollBar(QWidget* parent) : QScrollBar(Qt::Horizontal, parent) {}

  protected:
    void paintEvent(QPaintEvent* event) override;
};

// A filled rectangle, such as the place mark of a runner row.
class ShapeBox : public QFrame {
    Q_OBJECT
  public:
    explicit ShapeBox(QWidget* parent);
};

// A drawn picture that reports clicks and where the mouse was pressed (in twips). Given keys,
// it takes the focus from the keyboard and shows it with a frame.
class PictureBox : public QWidget {
    Q_OBJECT
  public:
    using Painter = std::function<void(QPainter&, const QRect&)>;
    using KeyHandler = std::function<bool(int key)>; // true when the key was for the picture
    PictureBox(QWidget* parent, Painter painter);
    void setKeyHandler(KeyHandler handler);

  signals:
    void clicked();
    void mousePressed(int xTwips, int yTwips);
    void mouseMoved();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    Painter painter_;
    KeyHandler keys_;
};

} // namespace sg
