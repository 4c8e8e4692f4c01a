// The figures a dossier adds to the grid's: the exact RIS beside a bound, the largest cover at
// once.
#include "core/DossierSummary.h"
#include "core/ExactRis.h"
#include "core/RiskGrid.h"

#include <QTest>

using namespace corvane;

class TestDossierFigures : public QObject {
    Q_OBJECT

private slots:
    void exactRis_data() {
        QTest::addColumn<QString>("p1");
        QTest::addColumn<QList<int>>("options");
        QTest::addColumn<QString>("ris");
        QTest::addColumn<QString>("exact");
        QTest::addColumn<bool>("quarter");
        QTest::newRow("12,000 above 12") << "14118" << QList{2, 2, 1} << "12.000"
                                         << "12,0003" << false;
        QTest::newRow("12 exactly") << "16000" << QList{1, 1, 1} << "12.000"
                                    << "" << false;
        QTest::newRow("0,25 exactly") << "250" << QList{4, 2, 2} << "0.250"
                                      << "" << true;
        QTest::newRow("between bounds") << "14119" << QList{2, 2, 1} << "12.001"
                                        << "" << false;
    }

    void exactRis() {
        QFETCH(QString, p1);
        QFETCH(QList<int>, options);
        QFETCH(QString, ris);
        QFETCH(QString, exact);
        QFETCH(bool, quarter);
        RiskGrid grid;
        grid.ChooseOption(Indicator::P2, options[0]);
        grid.ChooseOption(Indicator::E1, options[1]);
        grid.ChooseOption(Indicator::E2, options[2]);
        grid.EditP1(p1.toStdString());
        QCOMPARE(QString::fromStdString(grid.Record().risText), ris);
        QCOMPARE(QString::fromStdString(RisAboveBoundText(grid.Record())), exact);
        QCOMPARE(RisExactlyOneQuarter(grid.Record()), quarter);
    }

    void largestCoverAtOnce() {
        const CalendarDate saturday{2026, 3, 14};
        const CalendarDate sunday{2026, 3, 15};
        const auto line = [](std::optional<CalendarDate> day, DpsType type, std::int64_t workers) {
            return DossierLine{Audience::Public, day, type,
                               WorkerCount{WorkerRule::NextEven, workers}};
        };
        // Saturday's two run together (14 + 2), Sunday's one alone (14), the day-less one alone
        // (16, later in the list: the earliest of equals wins).
        std::vector<DossierLine> lines{line(saturday, DpsType::DpsMe, 14),
                                       line(sunday, DpsType::DpsMe, 14),
                                       line(saturday, DpsType::Paps, 2),
                                       line(std::nullopt, DpsType::DpsPe, 16),
                                       {Audience::Acteurs, sunday, DpsType::DpsGe, std::nullopt}};
        std::optional<CoverAtOnce> largest = LargestCoverAtOnce(lines);
        QVERIFY(largest && largest->day);
        QCOMPARE(largest->day->day, 14);
        QCOMPARE(largest->workers, 16);
        QCOMPARE(largest->posts, 2);
        QCOMPARE(largest->lines, (std::vector<std::size_t>{0, 2}));
        lines[3].workers->workers = 18;
        largest = LargestCoverAtOnce(lines);
        QVERIFY(largest && !largest->day);
        QCOMPARE(largest->posts, 2);
        QVERIFY(!LargestCoverAtOnce({line(saturday, DpsType::Diligence, 0)}));
    }
};

QTEST_APPLESS_MAIN(TestDossierFigures)
#include "test_dossier_figures.moc"
