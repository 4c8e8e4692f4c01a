#include "core/RecommendedWorkers.h"

#include <QTest>

#include <cmath>
#include <limits>

using namespace corvane;

Q_DECLARE_METATYPE(WorkerRule)

namespace {
float Above(float value) {
    return std::nextafter(value, std::numeric_limits<float>::infinity());
}
} // namespace

class TestRecommendedWorkers : public QObject {
    Q_OBJECT

private slots:
    void Workers_data() {
        QTest::addColumn<float>("ris");
        QTest::addColumn<WorkerRule>("rule");
        QTest::addColumn<double>("workers");
        const auto none = WorkerRule::NoDeployment;
        const auto even = WorkerRule::NextEven;
        QTest::newRow("negative") << -3.0F << none << 0.0;
        QTest::newRow("zero") << 0.0F << none << 0.0;
        QTest::newRow("0.25") << 0.25F << none << 0.0;
        QTest::newRow("above 0.25") << Above(0.25F) << WorkerRule::AlertPost << 2.0;
        QTest::newRow("1.125") << 1.125F << WorkerRule::AlertPost << 2.0;
        QTest::newRow("above 1.125") << Above(1.125F) << WorkerRule::SmallPost << 4.0;
        QTest::newRow("3.2") << 3.2F << WorkerRule::SmallPost << 4.0;
        QTest::newRow("4") << 4.0F << WorkerRule::SmallPost << 4.0;
        QTest::newRow("above 4") << Above(4.0F) << even << 6.0;
        QTest::newRow("5") << 5.0F << even << 6.0;
        QTest::newRow("6") << 6.0F << even << 6.0;
        QTest::newRow("above 6") << Above(6.0F) << even << 8.0;
        QTest::newRow("7.4") << 7.4F << even << 8.0;
        QTest::newRow("12") << 12.0F << even << 12.0;
        QTest::newRow("198") << 198.0F << even << 198.0;
        // Above 2^24 every single-precision value is already a whole even number.
        QTest::newRow("2^24 - 1") << 16777215.0F << even << 16777216.0;
        QTest::newRow("largest") << std::numeric_limits<float>::max() << even
                                 << double{std::numeric_limits<float>::max()};
    }
    void Workers() {
        QFETCH(float, ris);
        QFETCH(WorkerRule, rule);
        QFETCH(double, workers);
        const auto count = RecommendedWorkers(ris);
        QVERIFY(count.has_value());
        QCOMPARE(count->rule, rule);
        QCOMPARE(count->workers, workers);
    }

    void NoNumberForInfinityOrNaN() {
        QVERIFY(!RecommendedWorkers(std::numeric_limits<float>::infinity()));
        QVERIFY(!RecommendedWorkers(-std::numeric_limits<float>::infinity()));
        QVERIFY(!RecommendedWorkers(std::numeric_limits<float>::quiet_NaN()));
    }
};

QTEST_APPLESS_MAIN(TestRecommendedWorkers)
#include "test_recommended_workers.moc"
