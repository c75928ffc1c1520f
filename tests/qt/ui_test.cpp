// The real main window and its Help windows, driven on Qt's offscreen platform as a
// player drives them: real clicks at pixels, real menus, the real Stop box, the keys, a
// screen reader's view, and what each window draws, compared with the game it holds.
// ctest runs it all at scale 1, what depends on the scale again at 1.25, 1.5, 2 and 3
// (QT_SCALE_FACTOR), and the frame checks on a real X server under openbox
// (with_window_manager.sh).
#include "driver.h"

class UiTest : public QObject, Driver {
    Q_OBJECT

  private slots:
    void initTestCase() {
        qt::setUpApplication();
        scale = qEnvironmentVariable("QT_SCALE_FACTOR", u"1"_s).toDouble();
    }
    void init() {
        w = std::make_unique<MainWindow>(ticksOnTime());
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        holdTimers(true);
    }
    void cleanup() {
        awaitFrame(w.get());
        w.reset();
    }

    // What the window looks like.

    // Every pixel but the captions' text as the shared layer draws it, crisp at every
    // scale: the board, the marker, the bar, the icon and the cover.
    void theClientAreaShowsTheSharedDrawing() {
        const std::function<void()> steps[] = {
            [] {},
            [this] {
                clickAt(cellCentre({2, 2}));
            },
            [this] { keys({Qt::Key_Left}); },
            [this] { named<QAction>(u"LoadFull"_s)->trigger(); },
            [this] {
                named<QAction>(u"GameNew"_s)->trigger();
                stopGame(QMessageBox::Ok);
            },
        };
        for (const auto& step : steps) {
            step();
            QCOMPARE(offScene(grabClient()), 0);
        }
        for (const layout::MenuEntry& e : layout::kMenus) {
            if (e.does != layout::Does::Load) continue;
            named<QAction>(text::qt(e.name))->trigger();
            QVERIFY2(offScene(grabClient()) == 0, e.name.data());
        }
    }

    void textsAreDrawnInTheirFontAndTheMenusReadRussian() {
        // 8 points at 96 dpi, the size the boxes were laid out for.
        QCOMPARE(QApplication::font().family(), u"Liberation Sans"_s);
        QCOMPARE(QFontInfo(QApplication::font()).pixelSize(), 11);
        QCOMPARE(client()->size(), QSize(242, 262));
        QStringList bar;
        for (QAction* a : w->menuBar()->actions())
            bar << a->text();
        QCOMPARE(bar, QStringList({"Игра", "Загрузить", "Справка"}));
        const QList<QAction*> help = named<QMenu>(u"Help"_s)->actions();
        QVERIFY(help.size() == 4 && help[2]->isSeparator());
    }

    // At the first and the last device pixel of layout pixels in the cells' middles and
    // on both sides of the overlap strips, a click plays the cell drawn on top there.
    void aClickPlaysTheCellDrawnAtItsDevicePixel() {
        const QPointF origin = client()->mapTo(w.get(), QPoint());
        Board want = w->game().cells;
        for (const auto& c : expected::kClicks) {
            const auto dev = [this](int px) { return view::device(px, scale); };
            for (const QPoint d :
                 {QPoint(dev(c.x), dev(c.y)), QPoint(dev(c.x + 1) - 1, dev(c.y + 1) - 1)}) {
                const QPointF at = origin + (QPointF(d) + QPointF(0.5, 0.5)) / scale;
                for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
                    QMouseEvent e(type, at, at, w->mapToGlobal(at), Qt::LeftButton,
                                  type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                                  Qt::NoModifier);
                    QApplication::sendEvent(w->windowHandle(), &e);
                }
                play(want, {c.row, c.col});
                QVERIFY2(w->game().cells == want,
                         qPrintable(u"device %1,%2"_s.arg(d.x()).arg(d.y())));
            }
        }
        // Other buttons play nothing; released over another cell, no move.
        QTest::mouseClick(w->windowHandle(), Qt::RightButton, {},
                          origin.toPoint() + cellCentre({1, 1}));
        QTest::mouseClick(w->windowHandle(), Qt::MiddleButton, {},
                          origin.toPoint() + cellCentre({5, 5}));
        QTest::mousePress(w->windowHandle(), Qt::LeftButton, {},
                          origin.toPoint() + cellCentre({1, 1}));
        QTest::mouseRelease(w->windowHandle(), Qt::LeftButton, {},
                            origin.toPoint() + cellCentre({1, 3}));
        QCOMPARE(w->game().cells, want);
    }

    void eachInfoWindowDrawsItsTextsAndRuleInPlace_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QList<Text>>("texts");
        const Text heading{{960, 120, 2655, 255}, "Quorvane Brindle (версия 1.0)"};
        QTest::newRow("howtoplay")
            << "HelpHowToPlay"
            << "Как играть" << QSize(325, 119)
            << QList<Text>{heading,
                           {{960, 480, 3495, 495},
                            "Цель игры - залить всё поле желтым цветом с помощью плюсиков. Это "
                            "трудная задача."},
                           {{960, 960, 3495, 615},
                            "Если часть плюсика окажется на уже заокрашен желтым цветом "
                            "квадратом, то этот квадрат станет белым."}};
        QTest::newRow("apro")
            << "HelpPro"
            << "Возможности программы" << QSize(312, 292)
            << QList<Text>{heading,
                           {{960, 480, 3495, 1215},
                            "Вы можете остановить или запустить игру из меню \"Игра\". В "
                            "программе есть возможность загружать разные узоры из меню "
                            "\"Узоры\". В меню \"Справка\" вы можете получить дополнительную "
                            "информацию о программе."},
                           {{960, 1800, 3495, 615},
                            "В низу расположена строка состояния. В ней вы можете следить за "
                            "процессом игры. Значок внизу показывает состояние игры:"},
                           {{1320, 2520, 3135, 255}, "-  игра работает и можно в неё играть"},
                           {{1320, 2760, 3135, 255}, "-  игра приостановлена, загружен узор"},
                           {{1320, 3000, 3135, 255}, "-  игра остановлена, играть в неё нельзя"},
                           {{960, 3360, 3615, 855},
                            "По центру роспологается шкала, показывающая процент заполнения "
                            "поля. Рядом расположен таймер, который показывает время игры."}};
        QTest::newRow("about") << "HelpAuhtor"
                               << "О Brindle" << QSize(325, 78)
                               << QList<Text>{
                                      heading,
                                      {{960, 480, 3495, 255}, "Автор программы: Мирон Светлячков"},
                                      {{960, 720, 3495, 255}, "Компания Quorvane, 2006 год"}};
    }
    void eachInfoWindowDrawsItsTextsAndRuleInPlace() {
        QFETCH(QString, command);
        QFETCH(QString, caption);
        QFETCH(QSize, size);
        QFETCH(QList<Text>, texts);
        QImage shown;
        whenModalOpens([&](QWidget* modal) {
            QCOMPARE(modal->windowTitle(), caption);
            QCOMPARE(modal->size(), size);
            QCOMPARE(modal->minimumSize(), modal->maximumSize());
            QVERIFY(!modal->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
            QVERIFY(!modal->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
            QVERIFY(modal->isModal() && modal->parentWidget() == w.get());
            shown = modal->grab().toImage().convertToFormat(QImage::Format_RGB32);
            modal->close();
        });
        chooseMenu({"Help", command});
        // The texts, drawn by a plain painter at the layout's places with nothing to clip
        // them, are what the window shows, outside their boxes too: no ink is lost.
        const QColor ground = w->palette().window().color();
        QImage expected(shown.size(), QImage::Format_RGB32);
        expected.fill(ground);
        QPainter p(&expected);
        p.setFont(QApplication::font());
        p.setPen(w->palette().windowText().color());
        for (const Text& t : texts) {
            const QRect box((t.twips.x() + 7) / 15, (t.twips.y() + 7) / 15,
                            (t.twips.width() + 7) / 15, (t.twips.height() + 7) / 15);
            p.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap | Qt::TextDontClip,
                       QString::fromUtf8(t.text));
        }
        p.end();
        for (int y = 0; y < shown.height(); ++y) {
            for (int x = 64; x < shown.width(); ++x) {         // right of the pictures
                if (y == 24 || (x < 88 && y > 160)) continue;  // the rule; the legend's icons
                QVERIFY2(shown.pixel(x, y) == expected.pixel(x, y),
                         qPrintable(u"%1,%2"_s.arg(x).arg(y)));
            }
        }
        // The rule: one unbroken pixel row from (64, 24) to (296, 24), nothing above or below.
        const QRgb rule = shown.pixel(64, 24);
        QVERIFY(rule != ground.rgb());
        for (int x = 64; x <= 296; ++x) {
            QCOMPARE(shown.pixel(x, 24), rule);
            QCOMPARE(shown.pixel(x, 23), ground.rgb());
            QCOMPARE(shown.pixel(x, 25), ground.rgb());
        }
    }

    void theWholeWindowIsCentredOrKeptInReach() {
        if (QGuiApplication::platformName() != u"xcb"_s) QSKIP("needs an X server");
        // Along each axis: centred (to half a pixel), or at the screen's edge when it is
        // larger than the screen, so that the title bar and menu bar stay in reach.
        const QRect screen = w->screen()->geometry();
        const auto misplaced = [&] {             // how far the frame is from there, per axis
            const QRect f = w->frameGeometry();  // title bar included
            auto off = [](int at, int size, int room) {
                return size > room ? at : (2 * at + size - room) / 2;
            };
            return QPoint(off(f.x(), f.width(), screen.width()),
                          off(f.y(), f.height(), screen.height()));
        };
        QTRY_VERIFY(w->frameGeometry().height() > w->height());  // framed
        QTRY_COMPARE_WITH_TIMEOUT(misplaced(), QPoint(0, 0), 3000);
        QVERIFY(xprop(w.get(), "_NET_WM_NAME").contains(u"\"Quorvane Brindle\""_s));
        const QString actions = xprop(w.get(), "_NET_WM_ALLOWED_ACTIONS");
        QVERIFY(actions.contains(u"_NET_WM_ACTION_MINIMIZE"_s));
        QVERIFY(!actions.contains(u"MAXIMIZE"_s));
        QVERIFY(!actions.contains(u"_NET_WM_ACTION_RESIZE"_s));
        QVERIFY(xprop(w.get(), "_NET_WM_ICON").contains(u"Icon (16 x 16)"_s));
    }

    // Asked to maximize or to fill the screen, as Qt's own title bar on Wayland asks, every
    // window of the game keeps its size and the game goes on. (An X window manager is
    // not asked: the windows offer it no maximizing, which the framed tests check.)
    void everyWindowKeepsItsSize() {
        clickAt(cellCentre({1, 1}));
        for (Qt::WindowState state : {Qt::WindowMaximized, Qt::WindowFullScreen}) {
            QString main = growing(w.get(), state);
            QVERIFY2(main.isEmpty(), qPrintable(main));
            for (const char* entry : {"GameStop", "HelpHowToPlay", "HelpPro", "HelpAuhtor"}) {
                QString wrong = u"did not open"_s;
                whenModalOpens([&](QWidget* modal) { wrong = growing(modal, state); });
                chooseMenu({entry == "GameStop"_L1 ? "Game" : "Help", entry});
                QVERIFY2(wrong.isEmpty(), qPrintable(entry + u": "_s + wrong));
            }
        }
        QCOMPARE(w->game().cells, afterClicks({{1, 1}}));
        QCOMPARE(differences(), QStringList());
    }

    void theInformationWindowsHaveNoIconAndAFixedSize() {
        if (QGuiApplication::platformName() != u"xcb"_s) QSKIP("needs an X server");
        for (const char* command : {"HelpHowToPlay", "HelpPro", "HelpAuhtor"}) {
            QString icon, actions;
            whenModalOpens([&](QWidget* modal) {
                QTRY_VERIFY(modal->frameGeometry().height() > modal->height());
                icon = xprop(modal, "_NET_WM_ICON");
                actions = xprop(modal, "_NET_WM_ALLOWED_ACTIONS");
                modal->close();
            });
            named<QAction>(QLatin1String(command))->trigger();
            QVERIFY2(icon.contains(u"not found"_s), command);
            QVERIFY(actions.contains(u"_NET_WM_ACTION_CLOSE"_s));
            QVERIFY(!actions.contains(u"_NET_WM_ACTION_RESIZE"_s));
            QVERIFY(!actions.contains(u"MAXIMIZE"_s));
        }
    }

    // Playing it.

    void stopAsksFirstThenCoversTheBoardUntilANewGame() {
        clickAt(cellCentre({2, 2}));
        fire(timer(7));
        fire(timer(1));
        const Game before = w->game();
        QStringList seen;  // title, text, default button, then all buttons in order
        bool ownModalWithoutIcon = false;
        whenModalOpens([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            QVERIFY(box);
            QStringList buttons;
            for (QAbstractButton* b : box->buttons())
                buttons << b->text();
            buttons.sort();
            seen << box->windowTitle() << box->text()
                 << (box->defaultButton() ? box->defaultButton()->text() : QString()) << buttons;
            ownModalWithoutIcon = box->icon() == QMessageBox::NoIcon &&
                                  box->parentWidget() == w.get() && box->isModal();
            QTest::mouseClick(box->button(QMessageBox::Cancel), Qt::LeftButton);
        });
        chooseMenu({"Game", "GameStop"});
        using namespace expected;
        QCOMPARE(seen, QStringList({kStopTitle, kStopText, kStopOk, kStopOk, kStopCancel}));
        QVERIFY(ownModalWithoutIcon);
        QCOMPARE(w->game(), before);
        stopGame(QMessageBox::NoButton);  // Escape
        QCOMPARE(w->game(), before);

        stopGame(QMessageBox::Ok);
        QCOMPARE(stateOf(w->game()), GameState::Stopped);
        QCOMPARE(differences(), QStringList());
        // The cover takes every click on the board, the keys and a screen reader's press.
        const Game covered = w->game();
        for (int i = 0; i < kCellCount; ++i)
            clickAt(cellCentre(posOf(i)));
        keys({Qt::Key_Right, Qt::Key_Space});  // one press: two would undo each other
        pressAccessibly(cell({2, 2}));
        QCOMPARE(w->game(), covered);

        chooseMenu({"Game", "GameNew"});
        QCOMPARE(stateOf(w->game()), GameState::Running);
        QCOMPARE(w->game().cells, Board::filled(Cell::Unlit));
        QCOMPARE(w->game().icon.Picture1, kStoppedPicture);  // the still stays until Timer1 ticks
        fire(timer(7));
        QCOMPARE(caption("Label3"), u"1"_s);
        QCOMPARE(differences(), QStringList());
    }

    void theIconTurnsFromTimerToTimer() {
        for (int n = 1; n <= 6; ++n) {
            fire(timer(n));
            QCOMPARE(w->game().icon.Picture1, frame(n));
            QCOMPARE(differences(), QStringList());  // the next timer alone runs
        }
        // One real wait, bounded: the timers are wired to the event loop.
        holdTimers(false);
        QTRY_COMPARE_WITH_TIMEOUT(caption("Label3"), u"1"_s, 3000);
    }

    void theMinutesReadWholeInsideTheClocksFrame() {
        auto* label = named<ClockLabel>(u"Label1"_s);
        // The clock's frame runs down column 183, the minutes' box from 184 to 200.
        const QImage before = grabClient().copy(183, 242, 25, 20);
        for (const auto& [minutes, next] :
             {std::pair{"99", "98"}, {"999", "998"}, {"9999", "9998"}, {"32767", "32766"}}) {
            QImage shown[2];
            for (int k = 0; k < 2; ++k) {
                label->setText(QLatin1String(k ? next : minutes));
                shown[k] = grabClient().copy(183, 242, 25, 20);
            }
            QVERIFY2(shown[0] != shown[1], "the last digit shows, so the whole number does");
            QVERIFY2(shown[0].copy(0, 0, 1, 20) == before.copy(0, 0, 1, 20), minutes);
            QVERIFY2(shown[0].copy(18, 0, 7, 20) == before.copy(18, 0, 7, 20), minutes);
        }
    }

    void modalWindowsHoldTheMainWindowAndAClickClosesThem_data() {
        QTest::addColumn<QString>("opener");
        QTest::addColumn<QPoint>("click");  // where a click closes the window
        QTest::newRow("stop box") << "GameStop" << QPoint();
        QTest::newRow("rules, on a text") << "HelpHowToPlay" << QPoint(150, 40);
        QTest::newRow("features, on the icon") << "HelpPro" << QPoint(30, 30);
        QTest::newRow("about, far corner") << "HelpAuhtor" << QPoint(311, 77);
    }
    void modalWindowsHoldTheMainWindowAndAClickClosesThem() {
        QFETCH(QString, opener);
        QFETCH(QPoint, click);
        clickAt(cellCentre({1, 1}));
        const Game before = w->game();
        int modals = 0;
        bool closed = false;
        whenModalOpens([&](QWidget* modal) {
            // An assistive tool presses a cell and chooses menu entries behind the window.
            pressAccessibly(cell({3, 3}));
            for (const char* name : {"LoadDem3", "GameStop", "HelpPro"})
                named<QAction>(QLatin1String(name))->trigger();
            const QWidgetList windows = QApplication::topLevelWidgets();
            modals = int(std::count_if(windows.begin(), windows.end(),
                                       [](QWidget* t) { return t->isVisible() && t->isModal(); }));
            if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                QTest::mouseClick(box->button(QMessageBox::Cancel), Qt::LeftButton);
            } else {
                QTest::mouseClick(modal->windowHandle(), Qt::RightButton, Qt::NoModifier, click);
                QVERIFY2(modal->isVisible(), "only the left button closes it");
                QTest::mouseClick(modal->windowHandle(), Qt::LeftButton, Qt::NoModifier, click);
            }
            closed = !modal->isVisible();
        });
        named<QAction>(opener)->trigger();
        QCOMPARE(modals, 1);
        QVERIFY(closed);
        QVERIFY2(!named<QDialog>(), "the window is discarded when it closes");
        QCOMPARE(w->game(), before);
        QCOMPARE(differences(), QStringList());
        pressAccessibly(cell({3, 3}));
        QVERIFY2(w->game().cells != before.cells, "the cells take presses again");
    }

    void theKeysReachTheBoardAndTheMarkerIsTheFocus() {
        if (!w->isActiveWindow()) QSKIP("no keyboard: the compositor has no seat");
        QCOMPARE(QApplication::focusWidget(), client());
        keys({Qt::Key_Right, Qt::Key_Right, Qt::Key_Space});
        QCOMPARE(marked(), QStringList({"3,4"}));
        QCOMPARE(grabClient().pixel(cellCentre({3, 4}) - QPoint(21, 21)), kBlack);  // a dot
        QCOMPARE(w->game().cells, afterClicks({{3, 4}}));
        // A screen reader follows the marker.
        QAccessibleInterface* focus = QAccessible::queryAccessibleInterface(client())->focusChild();
        QVERIFY(focus);
        QCOMPARE(focus->object(), static_cast<QObject*>(cell({3, 4})));
        QVERIFY(focus->state().focused);
        keys({Qt::Key_Up, Qt::Key_Return, Qt::Key_Left, Qt::Key_Enter});
        QCOMPARE(w->game().cells, afterClicks({{3, 4}, {2, 4}, {2, 3}}));
        QCOMPARE(differences(), QStringList());
        clickAt({100, 250});  // a mouse click, even on the status strip, hides it
        QCOMPARE(marked(), QStringList());
    }

    // What the shared layer says a screen reader hears, as Qt's accessibility gives it.
    void theCellsTheBarTheClockAndTheIconReadAloud() {
        clickAt(cellCentre({1, 1}));
        QAccessibleInterface* board = QAccessible::queryAccessibleInterface(client());
        for (int i = 0; i < kCellCount; ++i) {  // row by row, whatever their stacking
            QAccessibleInterface* a = board->child(i);
            QCOMPARE(a->object(), static_cast<QObject*>(cell(posOf(i))));
            QCOMPARE(a->role(), QAccessible::Button);
            QCOMPARE(bool(a->state().checked), w->game().cells.isLit(posOf(i)));
        }
        QCOMPARE(board->child(7)->text(QAccessible::Name), u"Ряд 2, столбец 3"_s);
        pressAccessibly(cell({3, 3}));
        QCOMPARE(w->game().cells, afterClicks({{1, 1}, {3, 3}}));

        QAccessibleInterface* bar = accessible("Process");
        QCOMPARE(bar->role(), QAccessible::ProgressBar);
        QCOMPARE(bar->text(QAccessible::Name), u"Заполнение поля"_s);
        QCOMPARE(bar->valueInterface()->maximumValue().toInt(), 13);
        QCOMPARE(bar->valueInterface()->currentValue().toInt(), 4);  // 8 lit
        QAccessibleInterface* clock = accessible("Time");
        QCOMPARE(clock->role(), QAccessible::Clock);
        for (int i = 0; i < 65; ++i)
            fire(timer(7));
        QCOMPARE(differences(), QStringList());
        QCOMPARE(clock->text(QAccessible::Name) + " " + clock->text(QAccessible::Value),
                 u"Время игры 1 мин 5 с"_s);
        named<QAction>(u"LoadDem3"_s)->trigger();
        QCOMPARE(accessible("Picture1")->text(QAccessible::Name),
                 u"игра приостановлена, загружен узор"_s);
    }
};

QTEST_MAIN(UiTest)
#include "ui_test.moc"
