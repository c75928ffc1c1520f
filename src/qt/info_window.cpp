#include "qt/info_window.h"

#include <QFrame>
#include <QLabel>
#include <QMouseEvent>

#include "qt/geometry.h"
#include "qt/pictures.h"
#include "qt/placement.h"
#include "qt/qt_text.h"

namespace brindle::qt {

namespace {

// A transparent label over the whole window: whatever the player clicks, it is this.
class CloseArea : public QLabel {
  public:
    using QLabel::QLabel;

  protected:
    void mousePressEvent(QMouseEvent* event) override { event->accept(); }
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
            window()->close();
    }
};

QWidget* make(const layout::Control& c, QWidget* parent) {
    switch (c.kind) {
        case layout::Kind::CloseArea:
            return new CloseArea(parent);
        case layout::Kind::Line: {
            auto* rule = new QFrame(parent);
            rule->setFrameStyle(QFrame::HLine | QFrame::Plain);
            rule->setLineWidth(1);
            return rule;
        }
        case layout::Kind::Picture: {
            auto* label = new QLabel(parent);
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            label->setPixmap(pixmapOf(c.art));
            return label;
        }
        default: {
            // Broken where every front end breaks it; broken further only if the type
            // found is wider than the one the words were measured in.
            auto* label =
                new QLabel(text::qt(view::broken(c.caption, view::pixelBox(c).width)), parent);
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            label->setWordWrap(true);
            label->setAutoFillBackground(true);
            return label;
        }
    }
}

}  // namespace

InfoWindow::InfoWindow(const layout::InfoWindow& layout, QWidget* owner) : QDialog(owner) {
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                   Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setModal(true);
    // A dialog would show its owner's icon in its title bar; these windows have none.
    setWindowIcon(QIcon());
    setObjectName(text::qt(layout.name));
    setWindowTitle(text::qt(layout.caption));
    setFixedSize(pixelRect(layout.client).size());
    // Topmost first: each control goes under the ones before it.
    for (const layout::Control& c : layout.controls) {
        QWidget* w = make(c, this);
        w->setObjectName(text::qt(c.name));
        w->setGeometry(pixelRect(c));
        w->lower();
    }
    centreOnScreen(this);
    keepFixedSize(this);
}

}  // namespace brindle::qt
