#include "core/FrenchFigure.h"

#include <QTest>

using namespace corvane;

class TestFrenchFigure : public QObject {
    Q_OBJECT

private slots:
    void figure_data() {
        QTest::addColumn<QString>("saved");
        QTest::addColumn<QString>("french");
        QTest::addColumn<bool>("plain");
        const QString nnbsp = QStringLiteral("\u202F");
        QTest::newRow("RIS") << "2.250"
                             << "2,250" << true;
        QTest::newRow("six digits") << "340000"
                                    << "340" + nnbsp + "000" << true;
        QTest::newRow("three digits") << "500"
                                      << "500" << true;
        QTest::newRow("four digits, decimals") << "1234.500"
                                               << "1" + nnbsp + "234,500" << true;
        QTest::newRow("seven digits") << "1000000"
                                      << "1" + nnbsp + "000" + nnbsp + "000" << true;
        QTest::newRow("negative") << "-500000"
                                  << "-500" + nnbsp + "000" << true;
        QTest::newRow("exponent") << "1e39"
                                  << "1e39" << false;
        QTest::newRow("not a number") << "NaN"
                                      << "NaN" << false;
        QTest::newRow("plus sign") << "+3"
                                   << "+3" << false;
        QTest::newRow("formula") << "=1+2"
                                 << "=1+2" << false;
        QTest::newRow("comma already") << "2,250"
                                       << "2,250" << false;
        QTest::newRow("point without digits") << "12."
                                              << "12." << false;
        QTest::newRow("lone minus") << "-"
                                    << "-" << false;
        QTest::newRow("empty") << ""
                               << "" << false;
    }

    void figure() {
        QFETCH(QString, saved);
        QFETCH(QString, french);
        QFETCH(bool, plain);
        const std::string text = saved.toStdString();
        QCOMPARE(QString::fromStdString(FrenchFigure(text, "\u202F")), french);
        QCOMPARE(IsPlainNumber(text), plain);
    }
};

QTEST_APPLESS_MAIN(TestFrenchFigure)
#include "test_french_figure.moc"
