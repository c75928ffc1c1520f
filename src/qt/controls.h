// The controls of the main window that the client area draws: each is a widget for its
// name, for assistive tools (screen readers), which read it as the shared layer says,
// and, for a cell, for an assistive tool's press.
#pragma once

#include <QWidget>
#include <functional>

#include "view/controls.h"

namespace brindle::qt {

class ControlView : public QWidget {
    Q_OBJECT
  public:
    // `spoken` says what the control is now; `press` is what an assistive tool's press
    // does, if anything.
    ControlView(const layout::Control& control, std::function<view::Spoken()> spoken,
                std::function<void()> press, QWidget* parent);
    const layout::Control& control() const { return control_; }
    view::Spoken spoken() const { return spoken_(); }
    bool pressable() const { return bool(press_); }
    void press() const { press_(); }
    // Tells assistive tools what changed.
    void tell(const view::Update& update);

  private:
    const layout::Control& control_;
    std::function<view::Spoken()> spoken_;
    std::function<void()> press_;
};

// Registers the interfaces of these controls, and of the board that holds them, with
// Qt; once per application.
void installAccessibility();

}  // namespace brindle::qt
