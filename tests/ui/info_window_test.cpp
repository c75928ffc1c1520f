#include <QtTest>
class T : public QObject { Q_OBJECT };
QTEST_MAIN(T)
#include "info_window_test.moc"
