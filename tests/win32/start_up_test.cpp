// When a start-up step fails, the player reads why in one message box, in Russian, and
// the program ends with status 1: the test build fails the step BRINDLE_FAIL names.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace {

struct Seen {
    std::wstring title, text;
    int visibleOthers = 0;  // visible windows of the program other than the box
    DWORD exit = STILL_ACTIVE;
};

struct Search {
    DWORD pid;
    HWND box = nullptr;
    int others = 0;
};

BOOL CALLBACK look(HWND h, LPARAM lp) {
    auto& s = *reinterpret_cast<Search*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    if (pid != s.pid || !IsWindowVisible(h)) return TRUE;
    wchar_t cls[64] = {};
    GetClassNameW(h, cls, 64);
    if (std::wstring(cls) == L"#32770") {
        s.box = h;
    } else {
        ++s.others;
    }
    return TRUE;
}

std::wstring besideTest(const wchar_t* name) {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring p(path);
    return p.substr(0, p.find_last_of(L"\\/") + 1) + name;
}

// Starts the test build failing `step` (none: failing nothing), answers the box it
// shows, or closes its window if it shows none, and waits for it to end.
Seen run(const wchar_t* step) {
    SetEnvironmentVariableW(L"BRINDLE_FAIL", step);
    std::wstring command = L"\"" + besideTest(L"brindle_failing.exe") + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    Seen seen;
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &si, &pi)) {
        ADD_FAILURE() << "cannot start brindle_failing.exe";
        return seen;
    }
    SetEnvironmentVariableW(L"BRINDLE_FAIL", nullptr);
    Search s{pi.dwProcessId};
    for (int i = 0; i < 400 && !s.box && !s.others; ++i) {
        Sleep(50);
        s = Search{pi.dwProcessId};
        EnumWindows(look, reinterpret_cast<LPARAM>(&s));
    }
    Sleep(200);  // whatever else it shows, shown by now
    s = Search{pi.dwProcessId};
    EnumWindows(look, reinterpret_cast<LPARAM>(&s));
    seen.visibleOthers = s.others;
    if (s.box) {
        wchar_t buffer[512] = {};
        GetWindowTextW(s.box, buffer, 512);
        seen.title = buffer;
        GetDlgItemTextW(s.box, 0xFFFF, buffer, 512);  // a message box's text
        seen.text = buffer;
        PostMessageW(s.box, WM_COMMAND, IDOK, 0);
    } else {
        EnumWindows(
            [](HWND h, LPARAM pid) {
                DWORD p = 0;
                GetWindowThreadProcessId(h, &p);
                if (p == DWORD(pid) && IsWindowVisible(h)) PostMessageW(h, WM_CLOSE, 0, 0);
                return TRUE;
            },
            LPARAM(pi.dwProcessId));
    }
    if (WaitForSingleObject(pi.hProcess, 20000) != WAIT_OBJECT_0) {
        TerminateProcess(pi.hProcess, 99);  // a hang: leave nothing behind
        WaitForSingleObject(pi.hProcess, 5000);
    }
    GetExitCodeProcess(pi.hProcess, &seen.exit);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return seen;
}

TEST(StartUp, AFailedStepIsNamedInOneBoxAndEndsTheProgramWithStatus1) {
    const struct {
        const wchar_t *step, *reason;
    } steps[] = {
        {L"class", L"не удалось зарегистрировать класс окна"},
        {L"window", L"не удалось создать окно"},
        {L"menu", L"не удалось создать меню"},
        {L"font", L"не удалось создать шрифт"},
        {L"timer", L"не удалось запустить таймер"},
    };
    for (const auto& [step, reason] : steps) {
        const Seen seen = run(step);
        EXPECT_EQ(seen.title, L"Quorvane Brindle") << step;
        EXPECT_EQ(seen.text.rfind(L"Игра не может запуститься: ", 0), 0u) << step;
        EXPECT_NE(seen.text.find(reason), std::wstring::npos) << step;
        EXPECT_EQ(seen.visibleOthers, 0) << step << ": no window but the box";
        EXPECT_EQ(seen.exit, 1u) << step;
    }
    // Failing nothing, the same build starts the game, and closing it ends it well.
    const Seen fine = run(L"");
    EXPECT_TRUE(fine.text.empty());
    EXPECT_EQ(fine.visibleOthers, 1) << "the main window";
    EXPECT_EQ(fine.exit, 0u);
}

}  // namespace
