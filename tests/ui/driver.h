// Driving the real main window offscreen: clicks at pixels, menus, modal windows.
#pragma once

#include <QImage>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

#include "board/board.h"
#include "ui/main_window.h"

class QLabel;
class QTimer;
class QWidget;

namespace brindle::ui::testing {

// Sets up the application as the program does; call once from initTestCase.
void setUpApplication();

// A fresh main window, shown and exposed.
std::unique_ptr<MainWindow> openMainWindow();

QLabel* label(MainWindow& w, const QString& name);
int activeRingTimers(MainWindow& w);
bool iconShows(MainWindow& w, Picture p);

// Everything the window shows that differs from the game it holds: cell pictures,
// segments, captions, the icon, the cover, menu entries and running timers.
QStringList differencesFromGame(MainWindow& w);

// The client area below the menu bar, where all layout coordinates start.
QWidget* client(MainWindow& w);

// A real left click at a pixel of the client area, delivered to the window as the
// platform would deliver it; the toolkit picks the widget on top at that point.
void clickAt(MainWindow& w, QPoint clientPixel);
QPoint cellCentre(Pos p);

// Opens the menus along the path of objectNames by clicking them, and clicks the last.
void chooseMenu(MainWindow& w, const QStringList& path);

// Runs `inside` once the next modal window is up, then returns.
void whenModalOpens(std::function<void(QWidget*)> inside);
// Chooses Game > Stop game through the menus and answers the box with a click on
// `answer`, or with Escape when it is NoButton.
void stopGame(MainWindow& w, int answer);
// What an assistive tool does to press a control (a cell).
void pressAccessibly(QObject* control);

// Fires a timer as if its interval had passed.
void fire(QTimer* timer);
QTimer* timer(MainWindow& w, int n);

// The client area as drawn on screen.
QImage grabClient(MainWindow& w);

}  // namespace brindle::ui::testing
