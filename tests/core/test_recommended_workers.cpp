#include "core/RecommendedWorkers.h"

#include <QTest>

#include <limits>

using namespace corvane;

Q_DECLARE_METATYPE(WorkerRule)

class TestRecommendedWorkers : public QObject {
    Q_OBJECT

private slots:
    void Workers_data() {
        QTest::addColumn<qint64>("hundredths");
        QTest::addColumn<qint64>("p");
        QTest::addColumn<WorkerRule>("rule");
        QTest::addColumn<qint64>("workers");
        const auto none = WorkerRule::NoDeployment;
        const auto post = WorkerRule::AlertPost;
        const auto small = WorkerRule::SmallPost;
        const auto even = WorkerRule::NextEven;
        QTest::newRow("negative P") << qint64{75} << qint64{-500} << none << qint64{0};
        QTest::newRow("nobody") << qint64{75} << qint64{0} << none << qint64{0};
        QTest::newRow("0.25") << qint64{100} << qint64{250} << none << qint64{0};
        QTest::newRow("0.24975") << qint64{75} << qint64{333} << none << qint64{0};
        QTest::newRow("0.2505") << qint64{75} << qint64{334} << post << qint64{2};
        QTest::newRow("1.125") << qint64{75} << qint64{1500} << post << qint64{2};
        QTest::newRow("1.12575") << qint64{75} << qint64{1501} << small << qint64{4};
        QTest::newRow("2.375") << qint64{95} << qint64{2500} << small << qint64{4};
        QTest::newRow("4") << qint64{100} << qint64{4000} << small << qint64{4};
        QTest::newRow("4.001") << qint64{100} << qint64{4001} << even << qint64{6};
        QTest::newRow("8.00025") << qint64{75} << qint64{10667} << even << qint64{10};
        QTest::newRow("1.20 x 25,000: 30") << qint64{120} << qint64{25000} << even << qint64{30};
        QTest::newRow("1.20 x 175,000: 210")
            << qint64{120} << qint64{175000} << even << qint64{210};
        QTest::newRow("400") << qint64{100} << qint64{400000} << even << qint64{400};
        QTest::newRow("400.001") << qint64{100} << qint64{400001} << even << qint64{402};
        QTest::newRow("largest P") << qint64{120} << std::numeric_limits<qint64>::max() << even
                                   << qint64{11068046444225732};
    }
    void Workers() {
        QFETCH(qint64, hundredths);
        QFETCH(qint64, p);
        QFETCH(WorkerRule, rule);
        QFETCH(qint64, workers);
        const WorkerCount count = RecommendedWorkers(hundredths, p);
        QCOMPARE(count.rule, rule);
        QCOMPARE(qint64{count.workers}, workers);
    }
};

QTEST_APPLESS_MAIN(TestRecommendedWorkers)
#include "test_recommended_workers.moc"
