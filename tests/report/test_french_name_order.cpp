// The reports' order of names, which must not depend on the system's collator.
#include "report/FrenchNameOrder.h"

#include <QTest>

using namespace corvane;

class TestFrenchNameOrder : public QObject {
    Q_OBJECT

private slots:
    void order_data() {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<int>("order");
        QTest::newRow("case and accents aside") << "FETE"
                                                << "fête" << 0;
        QTest::newRow("accented initial among plain ones") << "Écluse"
                                                           << "Fête" << -1;
        QTest::newRow("letter by letter") << "ecluse"
                                          << "Eclusier" << -1;
        QTest::newRow("symbol before letters") << "=ABIME"
                                               << "concert" << -1;
        QTest::newRow("digit before letters") << "2e gala"
                                              << "apéro" << -1;
        QTest::newRow("ligature as two letters, after oeil") << "Œuvre"
                                                             << "oeil" << 1;
        QTest::newRow("ligature as two letters, before of") << "Œuvre"
                                                            << "ofni" << -1;
        QTest::newRow("nothing before anything") << ""
                                                 << " " << -1;
    }
    void order() {
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(int, order);
        const int found = FrenchSortKey(first).compare(FrenchSortKey(second));
        QCOMPARE((found > 0) - (found < 0), order);
    }
};

QTEST_APPLESS_MAIN(TestFrenchNameOrder)
#include "test_french_name_order.moc"
