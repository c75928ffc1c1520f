#include "ui/app.h"

#include "ui/accessibility.h"

#include <QApplication>
#include <QFont>
#include <QTranslator>

namespace brindle::ui {

void setUpApplication(QApplication& app) {
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
    // The standard buttons (OK, Cancel) read as a Russian desktop shows them. The
    // translation is embedded, so nothing is read from the disk.
    auto* translator = new QTranslator(&app);
    if (translator->load(QStringLiteral(":/i18n/qtbase_ru.qm"))) {
        QApplication::installTranslator(translator);
    }
}

}  // namespace brindle::ui
