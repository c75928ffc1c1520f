#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "ui/app.h"
#include "ui/main_window.h"

namespace {

// Qt aborts when it cannot reach a display; say so plainly instead.
bool displayReachable() {
    auto set = [](const char* name) {
        const char* v = std::getenv(name);
        return v != nullptr && *v != '\0';
    };
    if (set("QT_QPA_PLATFORM") || set("WAYLAND_DISPLAY")) return true;
    if (!set("DISPLAY")) return false;
    // A local X display ":N" listens on a socket we can check without connecting.
    const std::string display = std::getenv("DISPLAY");
    if (display.empty() || display[0] != ':') return true;
    const std::string number = display.substr(1, display.find('.') - 1);
    return std::filesystem::exists("/tmp/.X11-unix/X" + number);
}

}  // namespace

int main(int argc, char** argv) {
    if (!displayReachable()) {
        std::fputs(
            "brindle: no display to open the window on (DISPLAY is not set or not "
            "reachable); start it from a desktop session or under Xvfb.\n",
            stderr);
        return 1;
    }
    // The window only ever repaints a few small boxes, for which X's shared-memory
    // images cost more than they save: each shared flush waits for the server's
    // completion event, which wakes the program twice more per animation frame.
    if (qEnvironmentVariableIsEmpty("QT_XCB_NO_MITSHM")) qputenv("QT_XCB_NO_MITSHM", "1");
    QApplication app(argc, argv);
    brindle::ui::setUpApplication(app);
    brindle::ui::MainWindow window;
    window.show();
    return app.exec();
}
