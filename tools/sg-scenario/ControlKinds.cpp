#include "ControlKinds.h"

#include "numbers/Numbers.h"
#include "screens/Controls.h"
#include "screens/DropDownBox.h"
#include "screens/FolderList.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTableWidget>

#include <memory>
#include <vector>

namespace sg {

namespace {

std::string Flag(bool value) {
    return value ? "true" : "false";
}

std::string ItemList(const QStringList& items) {
    std::string out = "[";
    for (int i = 0; i < items.size(); ++i) out += (i ? ", \"" : "\"") + S(items[i]) + "\"";
    return out + "]";
}

// The items of a list that counts them and gives each one's text.
template <typename List> std::string ItemsOf(const List* list) {
    QStringList items;
    for (int i = 0; i < list->count(); ++i) items << list->itemText(i);
    return ItemList(items);
}

void SendMouse(QWidget* w, QEvent::Type type, QPointF at) {
    QMouseEvent event(type, at, w->mapToGlobal(at), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(w, &event);
}

template <typename W> class KindOfType : public ControlKind {
  public:
    bool Matches(QWidget* widget) const override { return qobject_cast<W*>(widget) != nullptr; }

  protected:
    static W* As(QWidget* widget) { return qobject_cast<W*>(widget); }
};

class LineEditKind : public KindOfType<QLineEdit> {
  public:
    bool CanSet() const override { return true; }
    bool Set(QWidget* w, const std::string& text, std::string&) const override {
        As(w)->setText(Q(text));
        return true;
    }
    std::string Text(QWidget* w) const override { return S(As(w)->text()); }
};

// The number lists: text boxes that also hold items.
class DropDownBoxKind : public LineEditKind {
  public:
    bool Matches(QWidget* widget) const override {
        return qobject_cast<DropDownBox*>(widget) != nullptr;
    }
    std::optional<std::string> Items(QWidget* w) const override {
        return ItemsOf(qobject_cast<DropDownBox*>(w));
    }
};

// A fixed list (the drive list, the back-test's choices) takes an item it holds.
class ComboBoxKind : public KindOfType<QComboBox> {
  public:
    bool CanSet() const override { return true; }
    bool Set(QWidget* w, const std::string& text, std::string& why) const override {
        QComboBox* box = As(w);
        int index = box->findText(Q(text));
        if (index < 0) {
            why = "no item " + text;
            return false;
        }
        box->setCurrentIndex(index);
        return true;
    }
    std::string Text(QWidget* w) const override { return S(As(w)->currentText()); }
    std::optional<std::string> Items(QWidget* w) const override { return ItemsOf(As(w)); }
};

class ScrollBarKind : public KindOfType<QScrollBar> {
  public:
    bool CanSet() const override { return true; }
    bool Set(QWidget* w, const std::string& text, std::string&) const override {
        auto value = LeadingNumber(text);
        auto whole = value ? RoundHalfEvenInt32(*value) : std::nullopt;
        if (whole) SetScrollValue(As(w), *whole);
        return true;
    }
    std::optional<std::string> Value(QWidget* w) const override {
        return std::to_string(As(w)->value());
    }
};

class CheckBoxKind : public KindOfType<QCheckBox> {
  public:
    bool CanSet() const override { return true; }
    bool Set(QWidget* w, const std::string& text, std::string&) const override {
        As(w)->setChecked(text == "1");
        return true;
    }
    bool Click(QWidget* w, const std::string&, std::string&) const override {
        As(w)->click();
        return true;
    }
    std::string Text(QWidget* w) const override { return S(As(w)->text()); }
    std::optional<std::string> Value(QWidget* w) const override {
        return As(w)->isChecked() ? "1" : "0";
    }
};

class RadioButtonKind : public KindOfType<QRadioButton> {
  public:
    bool Click(QWidget* w, const std::string&, std::string&) const override {
        As(w)->click();
        return true;
    }
    std::string Text(QWidget* w) const override { return S(As(w)->text()); }
    std::optional<std::string> Value(QWidget* w) const override { return Flag(As(w)->isChecked()); }
};

class ButtonKind : public KindOfType<QAbstractButton> {
  public:
    bool Click(QWidget* w, const std::string&, std::string&) const override {
        As(w)->click();
        return true;
    }
    std::string Text(QWidget* w) const override { return S(As(w)->text()); }
};

// A list of texts: a click or double click names the item.
class ListKind : public KindOfType<QListWidget> {
  public:
    bool Click(QWidget* w, const std::string& item, std::string& why) const override {
        QListWidgetItem* found = Find(w, item, why);
        if (!found) return false;
        As(w)->setCurrentItem(found);
        emit As(w)->itemClicked(found);
        return true;
    }
    bool DoubleClick(QWidget* w, const std::string& item, std::string& why) const override {
        QListWidgetItem* found = Find(w, item, why);
        if (!found) return false;
        As(w)->setCurrentItem(found);
        emit As(w)->itemDoubleClicked(found);
        return true;
    }
    std::string Text(QWidget* w) const override {
        return As(w)->currentItem() ? S(As(w)->currentItem()->text()) : "";
    }
    std::optional<std::string> Items(QWidget* w) const override {
        QStringList items;
        for (int i = 0; i < As(w)->count(); ++i) items << As(w)->item(i)->text();
        return ItemList(items);
    }

  private:
    static QListWidgetItem* Find(QWidget* w, const std::string& item, std::string& why) {
        auto found = As(w)->findItems(Q(item), Qt::MatchExactly);
        if (found.isEmpty()) {
            why = "no item " + item;
            return nullptr;
        }
        return found.front();
    }
};

// The folder list is set to a path and shows it as its text.
class FolderListKind : public ListKind {
  public:
    bool CanSet() const override { return true; }
    bool Matches(QWidget* w) const override { return qobject_cast<FolderList*>(w) != nullptr; }
    bool Set(QWidget* w, const std::string& text, std::string&) const override {
        qobject_cast<FolderList*>(w)->setPath(Q(text));
        return true;
    }
    std::string Text(QWidget* w) const override { return S(qobject_cast<FolderList*>(w)->path()); }
};

// A whole number typed into a spin box; the box keeps it within its range, as on Enter.
class SpinBoxKind : public KindOfType<QSpinBox> {
  public:
    bool CanSet() const override { return true; }
    bool Set(QWidget* w, const std::string& text, std::string&) const override {
        auto value = LeadingNumber(text);
        auto whole = value ? RoundHalfEvenInt32(*value) : std::nullopt;
        if (whole) As(w)->setValue(*whole);
        return true;
    }
    std::string Text(QWidget* w) const override { return S(As(w)->text()); }
    std::optional<std::string> Value(QWidget* w) const override {
        return std::to_string(As(w)->value());
    }
};

// A table's rows, each its cells joined by " | ".
class TableKind : public KindOfType<QTableWidget> {
  public:
    std::optional<std::string> Items(QWidget* w) const override {
        QStringList rows;
        for (int r = 0; r < As(w)->rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < As(w)->columnCount(); ++c) {
                QTableWidgetItem* item = As(w)->item(r, c);
                cells << (item ? item->text() : QString());
            }
            rows << cells.join(" | ");
        }
        return ItemList(rows);
    }
};

class LabelKind : public KindOfType<QLabel> {
  public:
    std::string Text(QWidget* w) const override { return S(As(w)->text()); }
};

class GroupBoxKind : public KindOfType<QGroupBox> {
  public:
    std::string Text(QWidget* w) const override { return S(As(w)->title()); }
};

// Anything else (a picture, a window): a click is the mouse pressed and released at its centre.
class GenericKind : public ControlKind {
  public:
    bool Matches(QWidget*) const override { return true; }
};

} // namespace

bool ControlKind::Set(QWidget*, const std::string&, std::string& why) const {
    why = "cannot set";
    return false;
}

void PressMouse(QWidget* widget, double x, double y, bool release) {
    SendMouse(widget, QEvent::MouseButtonPress, QPointF(x, y));
    if (release) SendMouse(widget, QEvent::MouseButtonRelease, QPointF(x, y));
}

bool ControlKind::Click(QWidget* w, const std::string&, std::string&) const {
    PressMouse(w, w->width() / 2.0, w->height() / 2.0, true);
    return true;
}

bool ControlKind::DoubleClick(QWidget*, const std::string&, std::string& why) const {
    why = "cannot double-click";
    return false;
}

std::string ControlKind::Text(QWidget* w) const {
    return w->isWindow() ? S(w->windowTitle()) : "";
}

std::optional<std::string> ControlKind::Items(QWidget*) const {
    return std::nullopt;
}

std::optional<std::string> ControlKind::Value(QWidget*) const {
    return std::nullopt;
}

const ControlKind& KindOf(QWidget* widget) {
    // The most particular kinds first: a folder list is a list, a check box a button.
    static const std::vector<std::unique_ptr<ControlKind>> kinds = [] {
        std::vector<std::unique_ptr<ControlKind>> all;
        all.push_back(std::make_unique<DropDownBoxKind>()); // before the text boxes it is one of
        all.push_back(std::make_unique<LineEditKind>());
        all.push_back(std::make_unique<ComboBoxKind>());
        all.push_back(std::make_unique<ScrollBarKind>());
        all.push_back(std::make_unique<CheckBoxKind>());
        all.push_back(std::make_unique<RadioButtonKind>());
        all.push_back(std::make_unique<ButtonKind>());
        all.push_back(std::make_unique<FolderListKind>());
        all.push_back(std::make_unique<ListKind>());
        all.push_back(std::make_unique<SpinBoxKind>());
        all.push_back(std::make_unique<TableKind>());
        all.push_back(std::make_unique<LabelKind>());
        all.push_back(std::make_unique<GroupBoxKind>());
        all.push_back(std::make_unique<GenericKind>());
        return all;
    }();
    for (const auto& kind : kinds) {
        if (kind->Matches(widget)) return *kind;
    }
    return *kinds.back();
}

} // namespace sg
