#include "qt/accessibility.h"

#include <QAccessibleWidget>
#include <algorithm>

#include "layout/texts.h"
#include "qt/cell_view.h"
#include "qt/picture_views.h"
#include "view/speech.h"

namespace brindle::qt {

void ProgressPanel::setSegments(int segments) {
    if (segments == segments_) return;
    segments_ = segments;
    QAccessibleValueChangeEvent event(this, segments);
    QAccessible::updateAccessibility(&event);
}

void ClockPanel::setTime(const QString& time) {
    time_ = time;
}

namespace {

class CellAccessible : public QAccessibleWidget {
  public:
    explicit CellAccessible(CellView* cell) : QAccessibleWidget(cell, QAccessible::Button) {}

    CellView* cell() const { return static_cast<CellView*>(widget()); }

    QString text(QAccessible::Text t) const override {
        if (t != QAccessible::Name) return QAccessibleWidget::text(t);
        return QString::fromStdString(view::cellName(cell()->pos()));
    }
    // A toggle: a checkable button, checked while the lamp is lit.
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.checkable = true;
        s.checked = cell()->isPressed();
        s.focusable = true;
        s.focused = cell()->isMarked();
        return s;
    }
    QStringList actionNames() const override { return {pressAction(), toggleAction()}; }
    void doAction(const QString& action) override {
        if (action == pressAction() || action == toggleAction()) emit cell()->clicked();
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }
};

class ProgressAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
  public:
    explicit ProgressAccessible(ProgressPanel* panel)
        : QAccessibleWidget(panel, QAccessible::ProgressBar) {}

    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::ValueInterface) return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) return QString::fromUtf8(text::kBarName);
        if (t == QAccessible::Value) return QString::number(panel()->segments());
        return QAccessibleWidget::text(t);
    }
    QVariant currentValue() const override { return panel()->segments(); }
    void setCurrentValue(const QVariant&) override {}  // shown, never set from outside
    QVariant maximumValue() const override { return view::kBarMaximum; }
    QVariant minimumValue() const override { return view::kBarMinimum; }
    QVariant minimumStepSize() const override { return 1; }

  private:
    ProgressPanel* panel() const { return static_cast<ProgressPanel*>(widget()); }
};

class ClockAccessible : public QAccessibleWidget {
  public:
    explicit ClockAccessible(ClockPanel* panel) : QAccessibleWidget(panel, QAccessible::Clock) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) return QString::fromUtf8(text::kClockName);
        if (t == QAccessible::Value) return static_cast<ClockPanel*>(widget())->time();
        return QAccessibleWidget::text(t);
    }
};

// The board area of the main window. Its cells are stacked in an order that decides
// which one takes a click in the overlaps; a screen reader reads them row by row.
class BoardAccessible : public QAccessibleWidget {
  public:
    explicit BoardAccessible(QWidget* client) : QAccessibleWidget(client, QAccessible::Client) {}

    int childCount() const override { return int(children().size()); }
    QAccessibleInterface* child(int index) const override {
        const QList<QWidget*> kids = children();
        if (index < 0 || index >= kids.size()) return nullptr;
        return QAccessible::queryAccessibleInterface(kids[index]);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return int(children().indexOf(child ? child->object() : nullptr));
    }
    // The keyboard marker is the focus as far as a screen reader is concerned.
    QAccessibleInterface* focusChild() const override {
        for (QObject* o : widget()->children()) {
            auto* cell = qobject_cast<CellView*>(o);
            if (cell && cell->isMarked()) return QAccessible::queryAccessibleInterface(cell);
        }
        return QAccessibleWidget::focusChild();
    }

  private:
    // Cells in row-major order, then the other shown controls as they stack.
    QList<QWidget*> children() const {
        QList<QWidget*> cells, rest;
        for (QObject* o : widget()->children()) {
            auto* w = qobject_cast<QWidget*>(o);
            if (!w || w->isHidden()) continue;
            (qobject_cast<CellView*>(w) ? cells : rest) << w;
        }
        std::sort(cells.begin(), cells.end(), [](QWidget* a, QWidget* b) {
            return indexOf(static_cast<CellView*>(a)->pos()) <
                   indexOf(static_cast<CellView*>(b)->pos());
        });
        return cells + rest;
    }
};

QAccessibleInterface* factory(const QString&, QObject* object) {
    if (auto* cell = qobject_cast<CellView*>(object)) return new CellAccessible(cell);
    if (auto* panel = qobject_cast<ProgressPanel*>(object)) return new ProgressAccessible(panel);
    if (auto* icon = qobject_cast<IconBox*>(object)) {
        return new QAccessibleWidget(icon, QAccessible::Graphic);
    }
    if (object->objectName() == QLatin1String("client") && object->isWidgetType()) {
        return new BoardAccessible(static_cast<QWidget*>(object));
    }
    if (auto* clock = qobject_cast<ClockPanel*>(object)) return new ClockAccessible(clock);
    return nullptr;
}

}  // namespace

void installAccessibility() {
    QAccessible::installFactory(factory);
}

}  // namespace brindle::qt
