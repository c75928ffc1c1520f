#include "qt/controls.h"

#include <QAccessibleWidget>

#include "view/speech.h"

namespace brindle::qt {

ControlView::ControlView(const layout::Control& control, std::function<view::Spoken()> spoken,
                         std::function<void()> press, QWidget* parent)
    : QWidget(parent), control_(control), spoken_(std::move(spoken)), press_(std::move(press)) {
    // The mouse reaches the board through the window, which decides the overlap strips.
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void ControlView::tell(const view::Update& u) {
    switch (u.what) {
        case view::Update::Pressed: {
            QAccessible::State changed;
            changed.checked = true;
            QAccessibleStateChangeEvent event(this, changed);
            QAccessible::updateAccessibility(&event);
            break;
        }
        case view::Update::Value: {
            QAccessibleValueChangeEvent event(this, QString::fromStdString(u.text));
            QAccessible::updateAccessibility(&event);
            break;
        }
        default: {
            QAccessibleEvent event(
                this, u.what == view::Update::Name ? QAccessible::NameChanged : QAccessible::Focus);
            QAccessible::updateAccessibility(&event);
            break;
        }
    }
}

namespace {

QAccessible::Role roleOf(view::Role role) {
    switch (role) {
        case view::Role::Toggle:
            return QAccessible::Button;
        case view::Role::ProgressBar:
            return QAccessible::ProgressBar;
        case view::Role::Clock:
            return QAccessible::Clock;
        default:
            return QAccessible::Graphic;
    }
}

class ControlAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
  public:
    explicit ControlAccessible(ControlView* control)
        : QAccessibleWidget(control, roleOf(control->spoken().role)) {}

    ControlView* control() const { return static_cast<ControlView*>(widget()); }

    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::ValueInterface && role() == QAccessible::ProgressBar)
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }
    QString text(QAccessible::Text t) const override {
        const view::Spoken s = control()->spoken();
        if (t == QAccessible::Name) return QString::fromStdString(s.name);
        if (t == QAccessible::Value) return QString::fromStdString(s.value);
        return QAccessibleWidget::text(t);
    }
    // A cell is a toggle: a checkable button, checked while the lamp is lit.
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        if (role() != QAccessible::Button) return s;
        const view::Spoken spoken = control()->spoken();
        s.checkable = s.focusable = true;
        s.checked = spoken.pressed;
        s.focused = spoken.focused;
        return s;
    }
    QStringList actionNames() const override {
        if (!control()->pressable()) return {};
        return {pressAction(), toggleAction()};
    }
    void doAction(const QString& action) override {
        if (control()->pressable() && (action == pressAction() || action == toggleAction()))
            control()->press();
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

    QVariant currentValue() const override {
        return QString::fromStdString(control()->spoken().value).toInt();
    }
    void setCurrentValue(const QVariant&) override {}  // shown, never set from outside
    QVariant maximumValue() const override { return view::kBarMaximum; }
    QVariant minimumValue() const override { return view::kBarMinimum; }
    QVariant minimumStepSize() const override { return 1; }
};

// The board area of the main window, its cells first in the order they are read. The
// keyboard's marker is the focus as far as a screen reader is concerned.
class BoardAccessible : public QAccessibleWidget {
  public:
    explicit BoardAccessible(QWidget* client) : QAccessibleWidget(client, QAccessible::Client) {}

    QAccessibleInterface* focusChild() const override {
        for (QObject* o : widget()->children()) {
            auto* control = qobject_cast<ControlView*>(o);
            if (control && control->spoken().focused)
                return QAccessible::queryAccessibleInterface(control);
        }
        return QAccessibleWidget::focusChild();
    }
};

QAccessibleInterface* factory(const QString&, QObject* object) {
    if (auto* control = qobject_cast<ControlView*>(object)) return new ControlAccessible(control);
    if (object->objectName() == QLatin1String("client") && object->isWidgetType())
        return new BoardAccessible(static_cast<QWidget*>(object));
    return nullptr;
}

}  // namespace

void installAccessibility() {
    QAccessible::installFactory(factory);
}

}  // namespace brindle::qt
