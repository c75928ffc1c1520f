// When a start-up step fails, the player reads why in one message box, in Russian, and
// the program ends with status 1: the test build fails the step BRINDLE_FAIL names.
#include "driver.h"

namespace brindle::win32 {
namespace {

struct Seen {
    std::wstring title, text;  // of the box
    bool window = false;       // the game's own window showed
    DWORD exit = STILL_ACTIVE;
};

// Starts the test build failing `step` (none if empty), answers the box it shows or
// ends the game with `end` on its window, and waits for it to end.
Seen run(
    const wchar_t* step,
    const std::function<void(HWND)>& end = [](HWND h) { PostMessageW(h, WM_CLOSE, 0, 0); }) {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring program(path);
    program = program.substr(0, program.find_last_of(L"\\/") + 1) + L"brindle_failing.exe";
    SetEnvironmentVariableW(L"BRINDLE_FAIL", step);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    Seen r;
    const bool started = CreateProcessW(program.c_str(), nullptr, nullptr, nullptr, FALSE, 0,
                                        nullptr, nullptr, &si, &pi);
    SetEnvironmentVariableW(L"BRINDLE_FAIL", nullptr);
    if (!started) {
        ADD_FAILURE() << "brindle_failing.exe did not start";
        return r;
    }
    const HWND shown = await(*step ? L"#32770" : L"BrindleMain", pi.dwProcessId);
    // Whatever else it shows, shown once it waits for the player.
    WaitForInputIdle(pi.hProcess, 5000);
    r.window = windowOf(L"BrindleMain", pi.dwProcessId) != nullptr;
    if (shown && *step) {
        r.title = textOf(shown);
        r.text = textOf(GetDlgItem(shown, 0xFFFF));  // a message box's text
        PostMessageW(shown, WM_COMMAND, IDOK, 0);
    } else if (shown) {
        end(shown);
    }
    if (WaitForSingleObject(pi.hProcess, 20000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 99);
    GetExitCodeProcess(pi.hProcess, &r.exit);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return r;
}

TEST(StartUp, AFailedStepIsNamedInOneBoxAndEndsTheProgramWithStatus1) {
    const std::pair<const wchar_t*, std::wstring> steps[] = {
        {L"class", L"не удалось зарегистрировать класс окна"},
        {L"window", L"не удалось создать окно"},
        {L"menu", L"не удалось создать меню"},
        {L"font", L"не удалось создать шрифт"},
        {L"timer", L"не удалось запустить таймер"},
    };
    for (const auto& [step, reason] : steps) {
        const Seen r = run(step);
        EXPECT_EQ(r.title, L"Quorvane Brindle") << step;
        EXPECT_EQ(r.text.substr(0, 27 + reason.size()), L"Игра не может запуститься: " + reason);
        EXPECT_FALSE(r.window) << step;
        EXPECT_EQ(r.exit, 1u) << step;
    }
    // Failing nothing, the same build starts the game, and closing it ends it well.
    const Seen fine = run(L"");
    EXPECT_TRUE(fine.window);
    EXPECT_EQ(fine.exit, 0u);
}

// The program ends with its window, however the window goes: also while the window is
// being moved by its title bar, whose loop takes the message that would end the program.
TEST(StartUp, TheProgramEndsWhenItsWindowCloses) {
    const Seen moving = run(L"", [](HWND h) {
        PostMessageW(h, WM_SYSCOMMAND, SC_MOVE, 0);
        PostMessageW(h, WM_CLOSE, 0, 0);
    });
    EXPECT_TRUE(moving.window);
    EXPECT_EQ(moving.exit, 0u);
}

}  // namespace
}  // namespace brindle::win32
