// The three information windows of the Help menu. Each is built afresh from its layout
// for one modal showing and closes at a click anywhere inside it.
#pragma once

#include <QDialog>

#include "layout/layout.h"

namespace brindle::qt {

class InfoWindow : public QDialog {
    Q_OBJECT
  public:
    InfoWindow(const layout::InfoWindow& layout, QWidget* owner);
};

}  // namespace brindle::qt
