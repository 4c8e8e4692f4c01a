// The verdict on an evaluation's saved results: the number of first-aid workers comes from the
// RIS the grid computed, never from its three-decimal text, and figures that do not agree with
// each other give no number at all.
#include "core/Indicator.h"
#include "core/RiskGrid.h"
#include "core/SavedResults.h"

#include <QTest>

#include <cmath>
#include <limits>
#include <map>
#include <string>
#include <vector>

using namespace corvane;

Q_DECLARE_METATYPE(EvaluationRecord)
Q_DECLARE_METATYPE(SavedResults)

namespace {

// The record the grid page saves for these options and this P1.
EvaluationRecord Saved(int p2, int e1, int e2, const char* p1) {
    RiskGrid grid;
    grid.ChooseOption(Indicator::P2, p2);
    grid.ChooseOption(Indicator::E1, e1);
    grid.ChooseOption(Indicator::E2, e2);
    grid.EditP1(p1);
    return grid.Record();
}

struct WorkerBand {
    double fewest;
    double most;
};

// How many workers each type of deployment stands for.
const std::map<std::string, WorkerBand> kWorkersOfType{
    {"Diligence de l'autorité de police compétente", {0, 0}},
    {"Point d'alerte et de premier secours", {2, 2}},
    {"DPS de petite envergure (DPS-PE)", {4, 12}},
    {"DPS de moyenne envergure (DPS-ME)", {14, 36}},
    {"DPS de grande envergure (DPS-GE)", {38, std::numeric_limits<double>::infinity()}},
};

} // namespace

class TestSavedResults : public QObject {
    Q_OBJECT

private slots:
    void verdict_data() {
        QTest::addColumn<EvaluationRecord>("record");
        QTest::addColumn<SavedResults>("results");
        QTest::addColumn<double>("workers");
        const auto agree = SavedResults::Agree;
        // Just above a bound, where the saved three decimals fall on it.
        QTest::newRow("1-1-1, 334: 0.2505") << Saved(1, 1, 1, "334") << agree << 2.0;
        QTest::newRow("1-1-3, 1324: 1.1254") << Saved(1, 1, 3, "1324") << agree << 4.0;
        QTest::newRow("1-1-3, 4706: 4.0001") << Saved(1, 1, 3, "4706") << agree << 6.0;
        QTest::newRow("1-1-1, 10667: 8.00025") << Saved(1, 1, 1, "10667") << agree << 10.0;
        QTest::newRow("1-1-1, 18667: 14.00025") << Saved(1, 1, 1, "18667") << agree << 16.0;
        QTest::newRow("1-1-1, 50667: 38.00025") << Saved(1, 1, 1, "50667") << agree << 40.0;
        QTest::newRow("1-1-1, 333: 0.24975") << Saved(1, 1, 1, "333") << agree << 0.0;
        QTest::newRow("4-4-4, 30000: 36 in single precision")
            << Saved(4, 4, 4, "30000") << agree << 36.0;
        // Single precision puts these a hair above the even number.
        QTest::newRow("4-4-4, 25000: 30") << Saved(4, 4, 4, "25000") << agree << 30.0;
        QTest::newRow("4-4-4, 250000: 210") << Saved(4, 4, 4, "250000") << agree << 210.0;
        QTest::newRow("pasted -500") << Saved(1, 1, 1, "-500") << agree << 0.0;

        const double none = -1;
        QTest::newRow("saved before P1") << Saved(1, 2, 1, "") << SavedResults::NoHeadcount << none;
        QTest::newRow("P1 zero") << Saved(1, 1, 1, "0") << SavedResults::NoHeadcount << none;

        EvaluationRecord edited = Saved(2, 1, 3, "2500");
        edited.pText = "2600";
        QTest::newRow("P edited") << edited << SavedResults::PNotFromP1 << none;
        edited = Saved(2, 1, 3, "2500");
        edited.riskIndexText = "1.20";
        QTest::newRow("index edited") << edited << SavedResults::IndexNotFromOptions << none;
        edited = Saved(2, 1, 3, "2500");
        edited.risText = "99.000";
        QTest::newRow("RIS edited") << edited << SavedResults::RisNotFromIndexAndP << none;
        edited = Saved(2, 1, 3, "2500");
        edited.dpsTypeText = "DPS de grande envergure (DPS-GE)";
        QTest::newRow("type edited") << edited << SavedResults::TypeNotFromRis << none;
        edited.dpsTypeText.clear();
        QTest::newRow("type emptied") << edited << SavedResults::MissingResult << none;
        edited = Saved(2, 1, 3, "2500");
        edited.pText.clear();
        QTest::newRow("P emptied") << edited << SavedResults::MissingResult << none;
        edited = Saved(2, 1, 3, "2500");
        edited.p1Text = "2500 ";
        QTest::newRow("P1 with a trailing space") << edited << agree << 4.0;
    }

    void verdict() {
        QFETCH(EvaluationRecord, record);
        QFETCH(SavedResults, results);
        QFETCH(double, workers);
        const SavedVerdict verdict = CheckSavedResults(record);
        QCOMPARE(verdict.results, results);
        QCOMPARE(verdict.workers.has_value(), workers >= 0);
        if (verdict.workers) {
            QCOMPARE(double(verdict.workers->workers), workers);
        }
    }

    // Every option combination, and every P1 whose RIS falls within a few people of a bound of
    // the types or of the workers' rule: the count lies in the band of the saved type, is even,
    // and is the RIS raised to the next even number.
    void countFollowsTheSavedTypeNearEveryBound() {
        std::vector<double> bounds{0.25, 1.125, 4};
        for (int even = 6; even <= 180; even += 2) {
            bounds.push_back(even);
        }
        int cases = 0;
        for (int p2 = 1; p2 <= 4; ++p2) {
            for (int e1 = 1; e1 <= 4; ++e1) {
                for (int e2 = 1; e2 <= 4; ++e2) {
                    const int hundredths = 75 + 5 * (p2 + e1 + e2 - 3);
                    for (const double bound : bounds) {
                        const auto nearest =
                            static_cast<long>(std::lround(bound * 100000 / hundredths));
                        for (long p = nearest - 3; p <= nearest + 3; ++p) {
                            // Beyond 100,000 people, two P1 give each P.
                            const std::vector<long> p1s =
                                p > 100000 ? std::vector<long>{2 * p - 100000, 2 * p - 99999}
                                           : std::vector<long>{p};
                            for (const long p1 : p1s) {
                                if (p1 <= 0 || p1 > 200000) {
                                    continue;
                                }
                                const EvaluationRecord record =
                                    Saved(p2, e1, e2, std::to_string(p1).c_str());
                                const SavedVerdict verdict = CheckSavedResults(record);
                                const auto band = kWorkersOfType.find(record.dpsTypeText);
                                const QByteArray where =
                                    QByteArray::number(p2) + "-" + QByteArray::number(e1) + "-" +
                                    QByteArray::number(e2) + ", P1 " + QByteArray::number(p1);
                                QVERIFY2(verdict.results == SavedResults::Agree, where);
                                QVERIFY2(band != kWorkersOfType.end(), where);
                                const double workers = double(verdict.workers->workers);
                                QVERIFY2(workers >= band->second.fewest, where);
                                QVERIFY2(workers <= band->second.most, where);
                                QVERIFY2(std::fmod(workers, 2) == 0, where);
                                const double ris = hundredths * double(p) / 100000;
                                if (ris > 4) {
                                    QVERIFY2(workers >= ris && workers < ris + 2, where);
                                }
                                ++cases;
                            }
                        }
                    }
                }
            }
        }
        qInfo("%d evaluations near a bound", cases);
        QVERIFY(cases > 40000);
    }
};

QTEST_APPLESS_MAIN(TestSavedResults)
#include "test_saved_results.moc"
