// What can fail while the program starts, and what the player is told when it does.
#pragma once

#include <string>

namespace brindle::win32 {

enum class Step { WindowClass, Window, Menu, Font, Timer };

// A start-up step failed: the program tells the player which, and ends.
struct StartUpFailed {
    Step step;
};

// Whether the test build was told to fail this step (BRINDLE_FAIL names it); never in
// the program that ships.
bool toldToFail(Step step);

// A start-up call's result, or StartUpFailed if the call failed.
template <class T>
T checked(T result, Step step) {
    if (!result || toldToFail(step)) throw StartUpFailed{step};
    return result;
}

// The one message the player reads, in Russian: that the game cannot start, and why.
std::wstring startUpMessage(Step step);

// Says so in a message box and on the standard error, if either can be shown; the
// program then ends with status 1.
int refuseToStart(Step step);

}  // namespace brindle::win32
