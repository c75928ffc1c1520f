#include <unistd.h>
#include <QApplication>
#include <QScreen>

#include <cstdio>
#include <cstdlib>

#include "layout/texts.h"
#include "qt/app.h"
#include "qt/main_window.h"

namespace {

// While Qt opens its platform, it and the X library report each failed attempt, and
// then Qt aborts with a core dump. What they write is held back: if the platform does
// not open, the player reads one line and the program ends with 1; if it opens, what
// was held back is passed on unchanged.
int realStderr = -1;
std::FILE* heldBack = nullptr;
QtMessageHandler defaultHandler = nullptr;

[[noreturn]] void noDisplay() {
    dup2(realStderr, STDERR_FILENO);
    std::fprintf(stderr, "%s\n", brindle::text::kNoDisplay);
    std::_Exit(1);
}

void onPlatformMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg) noDisplay();
    defaultHandler(type, context, text);
}

void holdBackStderr() {
    std::fflush(stderr);
    realStderr = dup(STDERR_FILENO);
    heldBack = std::tmpfile();
    if (realStderr >= 0 && heldBack) dup2(fileno(heldBack), STDERR_FILENO);
    defaultHandler = qInstallMessageHandler(onPlatformMessage);
}

void passOnStderr() {
    qInstallMessageHandler(defaultHandler);
    if (!heldBack) return;
    std::fflush(stderr);
    dup2(realStderr, STDERR_FILENO);
    std::rewind(heldBack);
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, heldBack)) > 0;)
        std::fwrite(buffer, 1, n, stderr);
    std::fclose(heldBack);
    close(realStderr);
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
    QApplication app(qtArgc, argv);
    // A platform without a screen (a framebuffer that is not there) opens nonetheless.
    if (QGuiApplication::primaryScreen() == nullptr) noDisplay();
    passOnStderr();

    brindle::qt::setUpApplication();
    brindle::qt::MainWindow window;
    window.show();
    return app.exec();
}
