#include "core/RiskGrid.h"

#include <QTest>

#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

using namespace corvane;

Q_DECLARE_METATYPE(corvane::DpsType)
Q_DECLARE_METATYPE(corvane::Indicator)

namespace corvane {

char* toString(DpsType type) {
    static const char* const kNames[] = {"NoType", "Diligence", "Paps", "DpsPe", "DpsMe", "DpsGe"};
    return qstrdup(kNames[static_cast<int>(type)]);
}

char* toString(const EvaluationRecord& r) {
    const std::string text = "name=\"" + r.name + "\" choices=" + std::to_string(r.p2Choice) + "/" +
                             std::to_string(r.e1Choice) + "/" + std::to_string(r.e2Choice) +
                             " coefficients=" + r.p2Coefficient + "/" + r.e1Coefficient + "/" +
                             r.e2Coefficient + " P1=\"" + r.p1Text + "\" P=\"" + r.pText +
                             "\" index=\"" + r.riskIndexText + "\" RIS=\"" + r.risText +
                             "\" type=\"" + r.dpsTypeText +
                             "\" banner=" + std::to_string(static_cast<int>(r.banner)) +
                             " savedOn=\"" + r.savedOnText + "\"";
    return qstrdup(text.c_str());
}

} // namespace corvane

namespace {

// The type texts the grid page shows, in the order of DpsType.
std::string TypeText(DpsType type) {
    static const char* const kTexts[] = {"",
                                         "Diligence de l'autorité de police compétente",
                                         "Point d'alerte et de premier secours",
                                         "DPS de petite envergure (DPS-PE)",
                                         "DPS de moyenne envergure (DPS-ME)",
                                         "DPS de grande envergure (DPS-GE)"};
    return kTexts[static_cast<int>(type)];
}

// The results part of the record: P, RIS, type text and banner.
struct Results {
    std::string p;
    std::string ris;
    std::string type;
    DpsType banner = DpsType::NoType;
    bool operator==(const Results&) const = default;
};

char* toString(const Results& r) {
    const std::string text = "P=\"" + r.p + "\" RIS=\"" + r.ris + "\" type=\"" + r.type +
                             "\" banner=" + std::to_string(static_cast<int>(r.banner));
    return qstrdup(text.c_str());
}

Results ResultsOf(const EvaluationRecord& record) {
    return {record.pText, record.risText, record.dpsTypeText, record.banner};
}

Results Expected(const std::string& p, const std::string& ris, DpsType banner) {
    return {p, ris, TypeText(banner), banner};
}

// What a new evaluation looks like: no name, options 1 with their coefficients, no P1, no P,
// index 0.75, no RIS, no type, no banner, no saved-on line.
EvaluationRecord NewRecord() {
    return {"", 1, 1, 1, "0.25", "0.25", "0.25", "", "", "0.75", "", "", DpsType::NoType, ""};
}

// What an opened file restores: the choices (0 leaves one as it was) and the stored texts.
EvaluationRecord Stored(int p2, int e1, int e2, const std::string& p1, const std::string& p,
                        const std::string& index, const std::string& ris, DpsType type,
                        const std::string& savedOn) {
    EvaluationRecord stored;
    stored.p2Choice = p2;
    stored.e1Choice = e1;
    stored.e2Choice = e2;
    stored.p1Text = p1;
    stored.pText = p;
    stored.riskIndexText = index;
    stored.risText = ris;
    stored.dpsTypeText = TypeText(type);
    stored.banner = type;
    stored.savedOnText = savedOn;
    return stored;
}

// Every call of the observer during one operation.
struct Seen {
    int calls = 0;
    RecordFields fields = 0;
    bool operator==(const Seen&) const = default;
};

char* toString(const Seen& seen) {
    char text[64];
    std::snprintf(text, sizeof text, "%d call(s), fields 0x%x", seen.calls, seen.fields);
    return qstrdup(text);
}

} // namespace

class TestRiskGrid : public QObject {
    Q_OBJECT

private slots:
    void newEvaluation();
    void optionBeforeP1();
    void indexOfEveryCombination_data();
    void indexOfEveryCombination();
    void results_data();
    void results();
    void classifyBounds_data();
    void classifyBounds();
    void sameOptionAgainRecomputes();
    void restoredTextsStandUntilRecomputed();
    void emptyRestoredIndex();
    void notANumberRestoredIndex();
    void resetEqualsNewEvaluation();
    void observerReportsChangedFields();
};

void TestRiskGrid::newEvaluation() {
    RiskGrid grid;
    QCOMPARE(grid.Record(), NewRecord());
    QCOMPARE(QString::fromStdString(grid.ComputeRiskIndex()), QString("0.75"));
}

void TestRiskGrid::optionBeforeP1() {
    RiskGrid grid;
    grid.ChooseOption(Indicator::E2, 3);
    const EvaluationRecord expected{"", 1,   1,      3,       "0.25", "0.25",          "0.35",
                                    "", "0", "0.85", "0.000", "",     DpsType::NoType, ""};
    QCOMPARE(grid.Record(), expected);
    QCOMPARE(grid.Choice(Indicator::E2), 3);
}

void TestRiskGrid::indexOfEveryCombination_data() {
    QTest::addColumn<int>("p2");
    QTest::addColumn<int>("e1");
    QTest::addColumn<int>("e2");
    for (int p2 = 1; p2 <= 4; ++p2) {
        for (int e1 = 1; e1 <= 4; ++e1) {
            for (int e2 = 1; e2 <= 4; ++e2) {
                QTest::addRow("%d-%d-%d", p2, e1, e2) << p2 << e1 << e2;
            }
        }
    }
}

void TestRiskGrid::indexOfEveryCombination() {
    QFETCH(int, p2);
    QFETCH(int, e1);
    QFETCH(int, e2);
    // Option n weighs (20 + 5n) hundredths.
    const int hundredths = 60 + 5 * (p2 + e1 + e2);
    char index[16];
    std::snprintf(index, sizeof index, "%d.%02d", hundredths / 100, hundredths % 100);
    char choices[64];
    std::snprintf(choices, sizeof choices, "%d %d %d: 0.%02d 0.%02d 0.%02d", p2, e1, e2,
                  20 + 5 * p2, 20 + 5 * e1, 20 + 5 * e2);

    RiskGrid grid;
    grid.EditP1("1000");
    grid.ChooseOption(Indicator::P2, p2);
    grid.ChooseOption(Indicator::E1, e1);
    grid.ChooseOption(Indicator::E2, e2);
    const EvaluationRecord& r = grid.Record();
    QCOMPARE(QString::asprintf("%d %d %d: %s %s %s", r.p2Choice, r.e1Choice, r.e2Choice,
                               r.p2Coefficient.c_str(), r.e1Coefficient.c_str(),
                               r.e2Coefficient.c_str()),
             QString(choices));
    QCOMPARE(QString::fromStdString(grid.Record().riskIndexText), QString(index));
    QCOMPARE(QString::fromStdString(grid.ComputeRiskIndex()), QString(index));
    // With P 1000 the RIS is the index itself, read back from its text.
    const DpsType type = hundredths <= 112 ? DpsType::Paps : DpsType::DpsPe;
    QCOMPARE(ResultsOf(grid.Record()), Expected("1000", std::string(index) + "0", type));
}

void TestRiskGrid::results_data() {
    QTest::addColumn<int>("option");
    QTest::addColumn<QByteArray>("p1");
    QTest::addColumn<QByteArray>("p");
    QTest::addColumn<QByteArray>("ris");
    QTest::addColumn<DpsType>("type");

    const auto row = [](const char* name, int option, const char* p1, const char* p,
                        const char* ris, DpsType type) {
        QTest::newRow(name) << option << QByteArray(p1) << QByteArray(p) << QByteArray(ris) << type;
    };
    // All options 1 (index 0.75) unless the row says 4 (index 1.20).
    row("1.125 is a PAPS", 1, "1500", "1500", "1.125", DpsType::Paps);
    row("0.24975 is a diligence", 1, "333", "333", "0.250", DpsType::Diligence);
    row("0.2505 is a PAPS", 1, "334", "334", "0.250", DpsType::Paps);
    row("12 is a DPS-PE", 1, "16000", "16000", "12.000", DpsType::DpsPe);
    row("36 is a DPS-ME", 1, "48000", "48000", "36.000", DpsType::DpsMe);
    row("0.5625 shows 0.563", 1, "750", "750", "0.563", DpsType::Paps);
    row("1.20 x 30000 rounds to 36", 4, "30000", "30000", "36.000", DpsType::DpsMe);
    row("1.20 x 29999", 4, "29999", "29999", "35.999", DpsType::DpsMe);
    // P grows at half rate above 100000.
    row("P1 100000", 1, "100000", "100000", "75.000", DpsType::DpsGe);
    row("P1 100001", 1, "100001", "100000", "75.000", DpsType::DpsGe);
    row("P1 100003", 1, "100003", "100001", "75.001", DpsType::DpsGe);
    row("P1 250000", 4, "250000", "175000", "210.000", DpsType::DpsGe);
    // 500050000 is not a float: P is read back as 500049984.
    row("P1 1000000000", 1, "1000000000", "500050000", "375037.500", DpsType::DpsGe);
    row("P1 beyond 64 bits", 1, "99999999999999999999", "4611686018427437903",
        "3458764543885312.000", DpsType::DpsGe);
    row("P1 below 64 bits", 1, "-99999999999999999999", "-9223372036854775808",
        "-6917529087770624.000", DpsType::Diligence);
    // No public, and texts that only pasting or a file can bring.
    row("P1 empty", 1, "", "0", "0.000", DpsType::NoType);
    row("P1 0", 4, "0", "0", "0.000", DpsType::NoType);
    row("P1 0042", 1, "0042", "42", "0.032", DpsType::Diligence);
    row("P1 $1F", 1, "$1F", "31", "0.023", DpsType::Diligence);
    row("P1 %101", 4, "%101", "5", "0.006", DpsType::Diligence);
    row("P1 ' 12abc'", 4, " 12abc", "12", "0.014", DpsType::Diligence);
    row("P1 -500", 1, "-500", "-500", "-0.375", DpsType::Diligence);
}

void TestRiskGrid::results() {
    QFETCH(int, option);
    QFETCH(QByteArray, p1);
    QFETCH(QByteArray, p);
    QFETCH(QByteArray, ris);
    QFETCH(DpsType, type);
    RiskGrid grid;
    for (Indicator indicator : kIndicators) {
        grid.ChooseOption(indicator, option);
    }
    const std::string index = grid.Record().riskIndexText;
    grid.EditP1(p1.toStdString());
    QCOMPARE(grid.Record().p1Text, p1.toStdString());
    QCOMPARE(ResultsOf(grid.Record()), Expected(p.toStdString(), ris.toStdString(), type));
    QCOMPARE(grid.Record().riskIndexText, index);
}

void TestRiskGrid::classifyBounds_data() {
    QTest::addColumn<float>("ris");
    QTest::addColumn<DpsType>("type");
    constexpr float kInf = std::numeric_limits<float>::infinity();
    const struct {
        float bound;
        DpsType at;
        DpsType above;
    } bands[] = {{0.25F, DpsType::Diligence, DpsType::Paps},
                 {1.125F, DpsType::Paps, DpsType::DpsPe},
                 {12.0F, DpsType::DpsPe, DpsType::DpsMe},
                 {36.0F, DpsType::DpsMe, DpsType::DpsGe}};
    for (const auto& band : bands) {
        QTest::addRow("just below %g", double{band.bound})
            << std::nextafter(band.bound, 0.0F) << band.at;
        QTest::addRow("%g", double{band.bound}) << band.bound << band.at;
        QTest::addRow("just above %g", double{band.bound})
            << std::nextafter(band.bound, kInf) << band.above;
    }
    const float tiny = std::numeric_limits<float>::denorm_min();
    QTest::newRow("zero") << 0.0F << DpsType::NoType;
    QTest::newRow("negative zero") << -0.0F << DpsType::NoType;
    QTest::newRow("smallest positive") << tiny << DpsType::Diligence;
    QTest::newRow("smallest negative") << -tiny << DpsType::Diligence;
    QTest::newRow("-1000") << -1000.0F << DpsType::Diligence;
    QTest::newRow("-Infinity") << -kInf << DpsType::Diligence;
    QTest::newRow("+Infinity") << kInf << DpsType::DpsGe;
    // The bands say nothing about not-a-number: it gets no type.
    QTest::newRow("NaN") << std::numeric_limits<float>::quiet_NaN() << DpsType::NoType;
}

void TestRiskGrid::classifyBounds() {
    QFETCH(float, ris);
    QFETCH(DpsType, type);
    QCOMPARE(RiskGrid::ClassifyRis(ris), type);
}

void TestRiskGrid::sameOptionAgainRecomputes() {
    RiskGrid grid;
    grid.ChooseOption(Indicator::P2, 3);
    grid.EditP1("2000");
    const EvaluationRecord before = grid.Record();
    grid.ChooseOption(Indicator::P2, 3);
    QCOMPARE(grid.Record(), before);

    // After an opening the stored results are stale; a click on the chosen option refreshes them,
    // reading a P1 that came from the file.
    grid.RestoreEvaluation(Stored(0, 0, 0, "$1F", "2000", "0.85", "99.000", DpsType::DpsGe, ""));
    grid.ChooseOption(Indicator::E1, 1);
    QCOMPARE(grid.Record().riskIndexText, std::string("0.85"));
    QCOMPARE(ResultsOf(grid.Record()), Expected("31", "0.026", DpsType::Diligence));
}

void TestRiskGrid::restoredTextsStandUntilRecomputed() {
    RiskGrid grid;
    grid.ChooseOption(Indicator::P2, 3);
    const std::string savedOn =
        "Cette évaluation a été enregistrée le Samedi 14 Mars 2026 à 09:30:00";
    // P2 and E2 stay as they were.
    grid.RestoreEvaluation(
        Stored(0, 4, 0, "2500", "9999", "0.95", "99.000", DpsType::DpsGe, savedOn));

    const std::string ge = TypeText(DpsType::DpsGe);
    const EvaluationRecord expected{
        "",     3,      4,      1,        "0.35", "0.40",         "0.25",
        "2500", "9999", "0.95", "99.000", ge,     DpsType::DpsGe, savedOn};
    QCOMPARE(grid.Record(), expected);

    // Editing P1 keeps the stored index: the choices would give 1.00.
    grid.EditP1("2500");
    QCOMPARE(grid.Record().riskIndexText, std::string("0.95"));
    QCOMPARE(ResultsOf(grid.Record()), Expected("2500", "2.375", DpsType::DpsPe));
    grid.ChooseOption(Indicator::E2, 1);
    QCOMPARE(grid.Record().riskIndexText, std::string("1.00"));
    QCOMPARE(ResultsOf(grid.Record()), Expected("2500", "2.500", DpsType::DpsPe));
}

void TestRiskGrid::emptyRestoredIndex() {
    RiskGrid grid;
    grid.RestoreEvaluation(Stored(2, 3, 4, "1000", "", "", "", DpsType::NoType, ""));
    QCOMPARE(grid.Record().riskIndexText, std::string());

    grid.EditP1("5000");
    QCOMPARE(grid.Record().riskIndexText, std::string());
    QCOMPARE(ResultsOf(grid.Record()), Expected("5000", "0.000", DpsType::NoType));

    grid.ChooseOption(Indicator::E2, 4);
    QCOMPARE(grid.Record().riskIndexText, std::string("1.05"));
    QCOMPARE(ResultsOf(grid.Record()), Expected("5000", "5.250", DpsType::DpsPe));
}

void TestRiskGrid::notANumberRestoredIndex() {
    RiskGrid grid;
    grid.RestoreEvaluation(Stored(0, 0, 0, "", "", "NaN", "", DpsType::NoType, ""));
    grid.EditP1("1000");
    QCOMPARE(ResultsOf(grid.Record()), Expected("1000", "NaN", DpsType::NoType));
}

void TestRiskGrid::resetEqualsNewEvaluation() {
    RiskGrid grid;
    grid.ChooseOption(Indicator::P2, 4);
    grid.ChooseOption(Indicator::E1, 2);
    grid.ChooseOption(Indicator::E2, 3);
    grid.EditP1("250000");
    grid.SetName("FETE DU VILLAGE");
    grid.RestoreEvaluation(
        Stored(0, 0, 0, "250000", "", "", "", DpsType::NoType, "Lundi 07 Décembre 2026"));

    grid.ResetEvaluation();
    QCOMPARE(grid.Record(), RiskGrid().Record());
    QCOMPARE(grid.Record(), NewRecord());
}

void TestRiskGrid::observerReportsChangedFields() {
    RiskGrid grid;
    Seen seen;
    grid.SetObserver([&seen](RecordFields fields) {
        ++seen.calls;
        seen.fields |= fields;
    });
    const auto during = [&seen](auto operation) {
        seen = {};
        operation();
        return seen;
    };
    const Seen nothing;

    QCOMPARE(during([&] { grid.ChooseOption(Indicator::E1, 3); }),
             (Seen{1, kE1ChoiceField | kE1CoefficientField | kRiskIndexTextField | kPTextField |
                          kRisTextField}));
    QCOMPARE(during([&] { grid.ChooseOption(Indicator::E1, 3); }), nothing);
    QCOMPARE(
        during([&] { grid.EditP1("1500"); }),
        (Seen{1, kP1TextField | kPTextField | kRisTextField | kDpsTypeTextField | kBannerField}));
    QCOMPARE(during([&] { grid.EditP1("1500"); }), nothing);
    // Same number, another text: only P1 changes.
    QCOMPARE(during([&] { grid.EditP1("01500"); }), (Seen{1, kP1TextField}));
    QCOMPARE(during([&] { grid.ComputeRis(); }), nothing);

    // The file holds what the page shows, but for the P1 text and the saved-on line.
    const EvaluationRecord& shown = grid.Record();
    const EvaluationRecord stored = Stored(0, 0, 0, "1500", shown.pText, shown.riskIndexText,
                                           shown.risText, shown.banner, "Samedi 14 Mars 2026");
    QCOMPARE(during([&] { grid.RestoreEvaluation(stored); }),
             (Seen{1, kP1TextField | kSavedOnTextField}));
    // The program writes the name of an opened file: its saved-on line stays. The user's own
    // edit makes the line no longer belong to the evaluation.
    QCOMPARE(during([&] { grid.SetName("FETE"); }), (Seen{1, kNameField}));
    QCOMPARE(grid.Record().savedOnText, stored.savedOnText);
    QCOMPARE(during([&] { grid.EditName("FETE 2"); }), (Seen{1, kNameField | kSavedOnTextField}));
    QCOMPARE(grid.Record().name + "|" + grid.Record().savedOnText, std::string("FETE 2|"));
    QCOMPARE(during([&] { grid.EditName("FETE 2"); }), nothing);
    QCOMPARE(
        during([&] { grid.ResetEvaluation(); }),
        (Seen{1, kNameField | kE1ChoiceField | kE1CoefficientField | kP1TextField | kPTextField |
                     kRiskIndexTextField | kRisTextField | kDpsTypeTextField | kBannerField}));
    QCOMPARE(during([&] { grid.ResetEvaluation(); }), nothing);
}

QTEST_GUILESS_MAIN(TestRiskGrid)
#include "test_risk_grid.moc"
