#include <QtTest>
class tst_Server : public QObject { Q_OBJECT };
QTEST_GUILESS_MAIN(tst_Server)
#include "tst_server.moc"
