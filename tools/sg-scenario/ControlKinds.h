// What the runner knows of each kind of widget: how a user sets it, clicks it, double-clicks
// an item, and what it shows. One kind, one place: a new kind of control is one more entry.
#pragma once

#include <optional>
#include <string>

class QWidget;

namespace sg {

class ControlKind {
  public:
    virtual ~ControlKind() = default;
    virtual bool Matches(QWidget* widget) const = 0;

    // Whether a user can type, pick or move a value into it at all, greyed or not.
    virtual bool CanSet() const { return false; }
    // Each answers false (with `why`) when the kind has no such action.
    virtual bool Set(QWidget* widget, const std::string& text, std::string& why) const;
    virtual bool Click(QWidget* widget, const std::string& item, std::string& why) const;
    virtual bool DoubleClick(QWidget* widget, const std::string& item, std::string& why) const;

    virtual std::string Text(QWidget* widget) const;
    virtual std::optional<std::string> Items(QWidget* widget) const;
    virtual std::optional<std::string> Value(QWidget* widget) const;
};

// The mouse pressed (and, with `release`, released) at x, y pixels from the widget's corner.
void PressMouse(QWidget* widget, double x, double y, bool release);

// The kind of a widget; a generic one (a click is a mouse press and release) for the others.
const ControlKind& KindOf(QWidget* widget);

} // namespace sg
