#include "win32/start_up.h"

#include <windows.h>

#include <cstdlib>
#include <cstring>

#include "layout/texts.h"
#include "win32/draw.h"

namespace brindle::win32 {

namespace {

struct Named {
    Step step;
    const char* seam;    // how BRINDLE_FAIL names it
    const char* reason;  // what the player reads
};
constexpr Named kSteps[] = {
    {Step::WindowClass, "class", text::kNoWindowClass},
    {Step::Window, "window", text::kNoWindow},
    {Step::Menu, "menu", text::kNoMenu},
    {Step::Font, "font", text::kNoFont},
    {Step::Timer, "timer", text::kNoTimer},
};

const Named& named(Step step) {
    for (const Named& n : kSteps) {
        if (n.step == step) return n;
    }
    return kSteps[0];
}

}  // namespace

bool toldToFail([[maybe_unused]] Step step) {
#ifdef BRINDLE_START_UP_SEAM
    const char* fail = std::getenv("BRINDLE_FAIL");
    return fail && std::strcmp(fail, named(step).seam) == 0;
#else
    return false;
#endif
}

std::wstring startUpMessage(Step step) {
    return wide(text::kCannotStart) + wide(named(step).reason) + L".";
}

int refuseToStart(Step step) {
    const std::wstring message = startUpMessage(step);
    // Without a display (Wine without X, say) the box cannot show; a terminal may.
    if (const HANDLE err = GetStdHandle(STD_ERROR_HANDLE); err && err != INVALID_HANDLE_VALUE) {
        const std::string line =
            std::string("brindle: ") + text::kCannotStart + named(step).reason + ".\n";
        DWORD written = 0;
        WriteFile(err, line.data(), DWORD(line.size()), &written, nullptr);
    }
    MessageBoxW(nullptr, message.c_str(), wide(text::kMainCaption).c_str(),
                MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
    return 1;
}

}  // namespace brindle::win32
