#include "qt/app.h"

#include "qt/controls.h"

#include <QApplication>
#include <QFont>

namespace brindle::qt {

void setUpApplication() {
    QApplication::setApplicationName(QStringLiteral("Brindle"));
    QApplication::setOrganizationName(QStringLiteral("Quorvane"));
    QApplication::setApplicationVersion(QStringLiteral(BRINDLE_VERSION));
    // Desktops (Wayland in particular) find the icon through the desktop entry.
    QGuiApplication::setDesktopFileName(QStringLiteral("com.quorvane.Brindle"));
    // The layout's labels are sized for a small desktop font: 8 points of a plain sans
    // serif, which is about 11 pixels at 96 dpi. Liberation Sans has the metrics of
    // the classic desktop fonts, so every text fits its box.
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSize(8);
    QApplication::setFont(font);
    installAccessibility();
}

}  // namespace brindle::qt
