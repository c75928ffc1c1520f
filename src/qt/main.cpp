#include <sys/mman.h>
#include <unistd.h>
#include <QApplication>
#include <QScreen>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "layout/texts.h"
#include "qt/app.h"
#include "qt/main_window.h"
#include "view/geometry.h"

namespace {

// While Qt opens its platform, it and the X library report each failed attempt, and
// then Qt aborts with a core dump. What they write is held back: if the platform does
// not open, the player reads one line and the program ends with 1; if it opens, what
// was held back is passed on unchanged. It is held in memory, not in a file, so that a
// read-only /tmp changes nothing.
int realStderr = -1;
int heldBack = -1;
QtMessageHandler defaultHandler = nullptr;
std::string platformReason;  // the first line of the platform's first complaint

[[noreturn]] void refuse(const std::string& line) {
    if (realStderr >= 0) dup2(realStderr, STDERR_FILENO);
    std::fprintf(stderr, "%s\n", line.c_str());
    std::_Exit(1);
}

[[noreturn]] void cannotOpen() {
    // The platform's own reason when it gave one; a display it could not reach is
    // the common case, and says how to mend it.
    if (platformReason.empty() || platformReason.find("display") != std::string::npos)
        refuse(brindle::text::kNoDisplay);
    refuse(brindle::text::kNoPlatform + platformReason);
}

void onPlatformMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg) cannotOpen();
    if (platformReason.empty() && context.category &&
        std::string_view(context.category).starts_with("qt.qpa")) {
        platformReason = text.section(u'\n', 0, 0).trimmed().toStdString();
    }
    defaultHandler(type, context, text);
}

void holdBackStderr() {
    std::fflush(stderr);
    realStderr = dup(STDERR_FILENO);
    heldBack = memfd_create("brindle-stderr", 0);
    if (realStderr >= 0 && heldBack >= 0) dup2(heldBack, STDERR_FILENO);
    defaultHandler = qInstallMessageHandler(onPlatformMessage);
}

void passOnStderr() {
    qInstallMessageHandler(defaultHandler);
    if (heldBack < 0 || realStderr < 0) return;
    std::fflush(stderr);
    dup2(realStderr, STDERR_FILENO);
    lseek(heldBack, 0, SEEK_SET);
    char buffer[4096];
    for (ssize_t n; (n = read(heldBack, buffer, sizeof buffer)) > 0;) {
        if (write(STDERR_FILENO, buffer, std::size_t(n)) != n) break;
    }
    close(heldBack);
    close(realStderr);
}

std::string platformName(std::string_view entry) {
    return std::string(entry.substr(0, entry.find(':')));
}

// Whether a platform shows its windows to a player. Qt's hidden ones would run a game
// nobody sees, or serve it to the network with no password; the tests' offscreen
// platform, asked for alone, is the one exception. A name Qt does not know is left for
// Qt to report.
bool showsWindows(std::string_view name, bool offscreenAskedAlone) {
    static constexpr std::string_view kHidden[] = {"vnc", "vkkhrdisplay", "minimal", "minimalegl",
                                                   "offscreen"};
    return std::ranges::find(kHidden, name) == std::end(kHidden) ||
           (name == "offscreen" && offscreenAskedAlone);
}

[[noreturn]] void refuseHidden(const std::string& platform) {
    char line[256];
    std::snprintf(line, sizeof line, brindle::text::kHiddenPlatform, platform.c_str());
    refuse(line);
}

// Keeps only the platforms asked for that show windows, so that a hidden one is never
// even started; with none left, the player is told.
void keepShowingPlatforms() {
    const QByteArray asked = qgetenv("QT_QPA_PLATFORM");
    if (asked.isEmpty()) return;
    const bool alone = asked == "offscreen";
    std::string kept;
    std::string refused;
    for (const QByteArray& entry : asked.split(';')) {
        const std::string name = platformName(entry.toStdString());
        if (showsWindows(name, alone)) {
            kept += (kept.empty() ? "" : ";") + entry.toStdString();
        } else if (refused.empty()) {
            refused = name;
        }
    }
    if (kept.empty()) refuseHidden(refused);
    qputenv("QT_QPA_PLATFORM", QByteArray::fromStdString(kept));
}

// A window larger than this on either side is more than any screen shows, and more
// memory than drawing it is worth.
constexpr int kLargestSide = 8192;

void checkTheWindowFits(const QScreen& screen) {
    const qreal scale = screen.devicePixelRatio();
    const brindle::view::Box client = brindle::view::pixelBox(brindle::layout::kMainClient);
    const int width = int(client.width * scale), height = int(client.height * scale);
    if (width <= kLargestSide && height <= kLargestSide) return;
    char line[256];
    std::snprintf(line, sizeof line, brindle::text::kTooLarge, double(scale), width, height);
    refuse(line);
}

}  // namespace

int main(int, char** argv) {
    // The game takes no arguments: Qt's own (-reverse, -style, -display …) would change
    // how it looks or where it goes, so Qt sees the program's name alone. The display
    // still comes from the environment, as for any X program.
    static int qtArgc = 1;
    // The window only ever repaints a few small boxes, for which X's shared-memory
    // images cost more than they save: each shared flush waits for the server's
    // completion event, which wakes the program twice more per animation frame.
    if (qEnvironmentVariableIsEmpty("QT_XCB_NO_MITSHM")) qputenv("QT_XCB_NO_MITSHM", "1");

    holdBackStderr();
    keepShowingPlatforms();
    QApplication app(qtArgc, argv);
    // A platform without a screen (a framebuffer that is not there) opens nonetheless.
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) cannotOpen();
    // However it was chosen, the platform that opened must show the window.
    const std::string opened = QGuiApplication::platformName().toStdString();
    if (!showsWindows(opened, qgetenv("QT_QPA_PLATFORM") == "offscreen")) refuseHidden(opened);
    checkTheWindowFits(*screen);

    brindle::qt::setUpApplication();
    brindle::qt::MainWindow window;
    window.show();
    // A Wayland compositor without a desktop shell (weston's full-screen or kiosk
    // shells) takes the window but never shows it; Qt only complains.
    if (opened == "wayland" && platformReason.find("shell integration") != std::string::npos) {
        char line[512];
        std::snprintf(line, sizeof line, brindle::text::kNoShell, platformReason.c_str());
        refuse(line);
    }
    passOnStderr();
    return app.exec();
}
