#include "ui/app.h"

#include <QApplication>
#include <QTranslator>

namespace brindle::ui {

void setUpApplication(QApplication& app) {
    QApplication::setApplicationName(QStringLiteral("Brindle"));
    QApplication::setOrganizationName(QStringLiteral("Quorvane"));
    QApplication::setApplicationVersion(QStringLiteral("1.00"));
    // The standard buttons (OK, Cancel) read as a Russian desktop shows them. The
    // translation is embedded, so nothing is read from the disk.
    auto* translator = new QTranslator(&app);
    if (translator->load(QStringLiteral(":/i18n/qtbase_ru.qm"))) {
        QApplication::installTranslator(translator);
    }
}

}  // namespace brindle::ui
