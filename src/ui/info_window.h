// The three information windows of the Help menu. Each is built afresh for one modal
// showing and closes at a click anywhere inside it.
#pragma once

#include <QDialog>

#include "ui/pictures.h"

namespace brindle::ui {

class InfoWindow : public QDialog {
    Q_OBJECT
  public:
    enum Kind { HowToPlay, Apro, About };

    InfoWindow(Kind kind, const Pictures& pictures, QWidget* owner);
};

}  // namespace brindle::ui
