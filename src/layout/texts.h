// Every text the windows show or speak, in one place, UTF-8.
#pragma once

namespace brindle::text {

inline constexpr char kMainCaption[] = "Quorvane Brindle";
inline constexpr char kNoDisplay[] =
    "brindle: no display to open the window on; start it from a desktop session or under "
    "Xvfb.";
// Why the Linux program could not open its window, each on one line.
inline constexpr char kNoPlatform[] = "brindle: cannot open the window: ";
inline constexpr char kHiddenPlatform[] =
    "brindle: the platform \"%s\" shows no window to play in; start it from a desktop "
    "session.";
inline constexpr char kNoShell[] =
    "brindle: the Wayland compositor offers no desktop windows (%s); start it from a desktop "
    "session.";
inline constexpr char kTooLarge[] =
    "brindle: at a scale of %g the window would be %d x %d pixels, too large to draw.";
// Why the Windows program could not start: the first text, then the step that failed.
inline constexpr char kCannotStart[] = "Игра не может запуститься: ";
inline constexpr char kNoWindowClass[] = "не удалось зарегистрировать класс окна";
inline constexpr char kNoWindow[] = "не удалось создать окно (нет экрана?)";
inline constexpr char kNoMenu[] = "не удалось создать меню";
inline constexpr char kNoFont[] = "не удалось создать шрифт";
inline constexpr char kNoTimer[] = "не удалось запустить таймер";
inline constexpr char kProgramTitle[] = "Brindle";

inline constexpr char kGame[] = "Игра";
inline constexpr char kGameNew[] = "Новая игра";
inline constexpr char kGameStop[] = "Остановить игру";
inline constexpr char kLoad[] = "Загрузить";
inline constexpr char kLoadDem[] = "Узоры";
inline constexpr char kHelp[] = "Справка";
inline constexpr char kHelpHowToPlay[] = "Как играть";
inline constexpr char kHelpPro[] = "Возможности программы";
inline constexpr char kHelpAuhtor[] = "Автор";

inline constexpr char kStopQuestion[] =
    "Игра будет остановлена. Все данные будут стерты!\nПродолжить?";
// The stop box's buttons, as a Russian desktop names them.
inline constexpr char kOk[] = "ОК";
inline constexpr char kCancel[] = "Отмена";

inline constexpr char kHeading[] = "Quorvane Brindle (версия 1.0)";

inline constexpr char kHowToPlayCaption[] = "Как играть";
inline constexpr char kHowToPlayGoal[] =
    "Цель игры - залить всё поле желтым цветом с помощью плюсиков. Это трудная задача.";
inline constexpr char kHowToPlayRule[] =
    "Если часть плюсика окажется на уже заокрашен желтым цветом квадратом, то этот квадрат "
    "станет белым.";

inline constexpr char kAboutCaption[] = "О Brindle";
inline constexpr char kAboutAuthor[] = "Автор программы: Мирон Светлячков";
inline constexpr char kAboutMaker[] = "Компания Quorvane, 2006 год";

inline constexpr char kAproCaption[] = "Возможности программы";
inline constexpr char kAproMenus[] =
    "Вы можете остановить или запустить игру из меню \"Игра\". "
    "В программе есть возможность загружать разные узоры из меню \"Узоры\". "
    "В меню \"Справка\" вы можете получить дополнительную информацию о программе.";
inline constexpr char kAproStatus[] =
    "В низу расположена строка состояния. В ней вы можете следить за процессом игры. "
    "Значок внизу показывает состояние игры:";
// What the status icon means in each game state: read out for the icon, and written
// after a hyphen and two spaces in the legend of the features window.
#define BRINDLE_RUNNING "игра работает и можно в неё играть"
#define BRINDLE_PUZZLE "игра приостановлена, загружен узор"
#define BRINDLE_STOPPED "игра остановлена, играть в неё нельзя"
inline constexpr char kRunning[] = BRINDLE_RUNNING;
inline constexpr char kPuzzle[] = BRINDLE_PUZZLE;
inline constexpr char kStopped[] = BRINDLE_STOPPED;
inline constexpr char kRunningLegend[] = "-  " BRINDLE_RUNNING;
inline constexpr char kPuzzleLegend[] = "-  " BRINDLE_PUZZLE;
inline constexpr char kStoppedLegend[] = "-  " BRINDLE_STOPPED;
#undef BRINDLE_RUNNING
#undef BRINDLE_PUZZLE
#undef BRINDLE_STOPPED
inline constexpr char kAproBar[] =
    "По центру роспологается шкала, показывающая процент заполнения поля. Рядом расположен "
    "таймер, который показывает время игры.";

// For assistive tools.
inline constexpr char kCellName[] = "Ряд %1, столбец %2";
inline constexpr char kBarName[] = "Заполнение поля";
inline constexpr char kClockName[] = "Время игры";
inline constexpr char kClockValue[] = "%1 мин %2 с";

}  // namespace brindle::text
