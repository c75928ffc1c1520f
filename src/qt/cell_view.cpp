#include "qt/cell_view.h"

#include <QAccessible>

namespace brindle::qt {

CellView::CellView(Pos pos, QWidget* parent) : QWidget(parent), pos_(pos) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void CellView::setState(bool pressed, bool marked) {
    marked_ = marked;
    if (pressed == pressed_) return;
    pressed_ = pressed;
    QAccessible::State changed;
    changed.checked = true;
    QAccessibleStateChangeEvent event(this, changed);
    QAccessible::updateAccessibility(&event);
}

void CellView::announceFocus() {
    QAccessibleEvent event(this, QAccessible::Focus);
    QAccessible::updateAccessibility(&event);
}

}  // namespace brindle::qt
