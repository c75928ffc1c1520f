// The Load menu's commands and the three Help windows, through the real menus: what
// each window draws and where, that a click anywhere closes it, and that it leaves the
// game and the memory as they were.
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QPainter>
#include <QTest>

#include "driver.h"
#include "puzzles/load.h"
#include "ui/main_window.h"
#include "ui/qt_text.h"

using namespace brindle;
using namespace brindle::ui;
using namespace brindle::ui::testing;

namespace {

long residentKb() {
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly)) return 0;
    return statm.readAll().split(' ').value(1).toLong() * 4;  // pages of 4 KiB
}

struct Text {
    QRect twips;  // where the layout puts it
    const char* text;
};

}  // namespace

class InfoWindowTest : public QObject {
    Q_OBJECT
    std::unique_ptr<MainWindow> w;

  private slots:
    void initTestCase() { setUpApplication(); }
    void init() { w = openMainWindow(); }
    void cleanup() { w.reset(); }

    void eachLoadEntryLoadsItsPattern() {
        for (std::size_t i = 0; i < PuzzleCatalogue.size(); ++i) {
            const QString name = text::qt(PuzzleCatalogue[i].menuName);
            clickAt(*w, cellCentre({3, 3}));  // something to overwrite
            chooseMenu(*w,
                       i == 0 ? QStringList{"Load", name} : QStringList{"Load", "LoadDem", name});
            QCOMPARE(w->game().cells, boardOf(PuzzleCatalogue[i]));
            QCOMPARE(stateOf(w->game()), GameState::PuzzleLoaded);
            QCOMPARE(differencesFromGame(*w), QStringList());
        }
    }

    void eachWindowDrawsItsTextsAndRuleInPlace_data() {
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
                           {{1320, 2520, 3135, 255}, "-  игра работает и можно в неё играть"},
                           {{1320, 2760, 3135, 255}, "-  игра приостановлена, загружен узор"},
                           {{1320, 3000, 3135, 255}, "-  игра остановлена, играть в неё нельзя"},
                           {{960, 3360, 3615, 855},
                            "По центру роспологается шкала, показывающая процент заполнения "
                            "поля. Рядом расположен таймер, который показывает время игры."}};
        QTest::newRow("about") << "HelpAuhtor"
                               << "О Brindle" << QSize(325, 78) << QList<Text>{heading};
    }
    void eachWindowDrawsItsTextsAndRuleInPlace() {
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
        chooseMenu(*w, {"Help", command});
        // Each text, drawn by a plain painter at the layout's place, is what the window shows.
        const QColor ground = w->palette().window().color();
        for (const Text& t : texts) {
            const QRect box((t.twips.x() + 7) / 15, (t.twips.y() + 7) / 15,
                            (t.twips.width() + 7) / 15, (t.twips.height() + 7) / 15);
            QImage expected(shown.size(), QImage::Format_RGB32);
            expected.fill(ground);
            QPainter p(&expected);
            p.setFont(QApplication::font());
            p.setPen(w->palette().windowText().color());
            p.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                       QString::fromUtf8(t.text));
            p.end();
            for (int y = box.top(); y <= box.bottom(); ++y) {
                if (y == 24) continue;  // the rule, drawn over the heading's box
                for (int x = box.left(); x <= box.right(); ++x)
                    QVERIFY2(shown.pixel(x, y) == expected.pixel(x, y), t.text);
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

    void aClickAnywhereClosesAndLeavesTheGameAlone() {
        clickAt(*w, cellCentre({2, 2}));
        const Game before = w->game();
        // An empty corner, the icon, a text, and the far corner of the smallest window.
        for (const char* command : {"HelpHowToPlay", "HelpPro", "HelpAuhtor"}) {
            for (QPoint at : {QPoint(2, 2), QPoint(30, 30), QPoint(150, 40), QPoint(311, 77)}) {
                bool seen = false;
                whenModalOpens([&](QWidget* modal) {
                    seen = true;
                    QTest::mouseClick(modal->windowHandle(), Qt::LeftButton, Qt::NoModifier, at);
                    QVERIFY2(!modal->isVisible(), command);
                });
                chooseMenu(*w, {"Help", command});
                QVERIFY(seen);
                QVERIFY2(!w->findChild<QDialog*>(), "the window is discarded when it closes");
            }
        }
        QCOMPARE(w->game().cells, before.cells);
        QCOMPARE(w->game().GameStop, before.GameStop);
        QCOMPARE(differencesFromGame(*w), QStringList());
    }

    void openingAndClosingKeepsMemoryFlat() {
        // A window that stayed behind at each opening would cost far more than the bound.
        const int rounds = 300, warmUp = 30;
        long settled = 0;
        for (int i = 0; i < rounds; ++i) {
            for (const char* command : {"HelpHowToPlay", "HelpPro", "HelpAuhtor"}) {
                whenModalOpens([](QWidget* modal) { modal->close(); });
                w->findChild<QAction*>(QLatin1String(command))->trigger();
            }
            if (i == warmUp) settled = residentKb();
        }
        const long grown = residentKb() - settled;
        qInfo("resident memory grew by %ld KiB over %d openings", grown, 3 * (rounds - warmUp));
#if !defined(__SANITIZE_ADDRESS__)
        // ASan's allocator holds freed memory back on purpose, so only the plain build
        // can bound the resident size; LeakSanitizer checks the sanitized one at exit.
        QVERIFY2(grown < 512, "each opening must give back what it took");
#endif
    }
};

QTEST_MAIN(InfoWindowTest)
#include "info_window_test.moc"
