#include "core/FrenchDate.h"

#include <QTest>

using namespace corvane;

namespace {

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

} // namespace

class TestFrenchDate : public QObject {
    Q_OBJECT

private slots:
    void dayOfWeekFollowsTheCalendar();
    void longDate_data();
    void longDate();
    void dateStamp_data();
    void dateStamp();
    void runningText_data();
    void runningText();
};

void TestFrenchDate::dayOfWeekFollowsTheCalendar() {
    // 1 January 1600 was a Saturday; walk day by day through four centuries, across the
    // century years that are leap (1600, 2000, 2400) and those that are not (1700, 1800, 1900...).
    int expected = 6;
    for (int year = 1600; year <= 2400; ++year) {
        for (int month = 1; month <= 12; ++month) {
            for (int day = 1; day <= DaysInMonth(year, month); ++day) {
                const int actual = DayOfWeek({year, month, day});
                if (actual != expected) {
                    QFAIL(qPrintable(QString("%1-%2-%3: day %4, expected %5")
                                         .arg(year)
                                         .arg(month)
                                         .arg(day)
                                         .arg(actual)
                                         .arg(expected)));
                }
                expected = (expected + 1) % 7;
            }
        }
    }
}

void TestFrenchDate::longDate_data() {
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("day");
    QTest::addColumn<QString>("expected");

    // One week: every day name, Sunday first.
    QTest::newRow("Sunday") << 2026 << 3 << 1 << QString("Dimanche 01 Mars 2026");
    QTest::newRow("Monday") << 2026 << 3 << 2 << QString("Lundi 02 Mars 2026");
    QTest::newRow("Tuesday") << 2026 << 3 << 3 << QString("Mardi 03 Mars 2026");
    QTest::newRow("Wednesday") << 2026 << 3 << 4 << QString("Mercredi 04 Mars 2026");
    QTest::newRow("Thursday") << 2026 << 3 << 5 << QString("Jeudi 05 Mars 2026");
    QTest::newRow("Friday") << 2026 << 3 << 6 << QString("Vendredi 06 Mars 2026");
    QTest::newRow("Saturday") << 2026 << 3 << 7 << QString("Samedi 07 Mars 2026");
    // Every month name, with its accents.
    QTest::newRow("January") << 2026 << 1 << 15 << QString("Jeudi 15 Janvier 2026");
    QTest::newRow("February") << 2026 << 2 << 28 << QString("Samedi 28 Février 2026");
    QTest::newRow("March") << 2026 << 3 << 31 << QString("Mardi 31 Mars 2026");
    QTest::newRow("April") << 2026 << 4 << 10 << QString("Vendredi 10 Avril 2026");
    QTest::newRow("May") << 2026 << 5 << 1 << QString("Vendredi 01 Mai 2026");
    QTest::newRow("June") << 2026 << 6 << 30 << QString("Mardi 30 Juin 2026");
    QTest::newRow("July") << 2026 << 7 << 14 << QString("Mardi 14 Juillet 2026");
    QTest::newRow("August") << 2026 << 8 << 15 << QString("Samedi 15 Août 2026");
    QTest::newRow("September") << 2026 << 9 << 9 << QString("Mercredi 09 Septembre 2026");
    QTest::newRow("October") << 2026 << 10 << 31 << QString("Samedi 31 Octobre 2026");
    QTest::newRow("November") << 2026 << 11 << 11 << QString("Mercredi 11 Novembre 2026");
    QTest::newRow("December") << 2026 << 12 << 7 << QString("Lundi 07 Décembre 2026");
    // Leap days, and the March that follows a February without one.
    QTest::newRow("29 February 2024") << 2024 << 2 << 29 << QString("Jeudi 29 Février 2024");
    QTest::newRow("29 February 2000") << 2000 << 2 << 29 << QString("Mardi 29 Février 2000");
    QTest::newRow("28 February 1900") << 1900 << 2 << 28 << QString("Mercredi 28 Février 1900");
    QTest::newRow("1 March 1900") << 1900 << 3 << 1 << QString("Jeudi 01 Mars 1900");
}

void TestFrenchDate::longDate() {
    QFETCH(int, year);
    QFETCH(int, month);
    QFETCH(int, day);
    QFETCH(QString, expected);
    QCOMPARE(QString::fromStdString(FrenchLongDate({year, month, day})), expected);
}

void TestFrenchDate::dateStamp_data() {
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("day");
    QTest::addColumn<int>("hour");
    QTest::addColumn<int>("minute");
    QTest::addColumn<int>("second");
    QTest::addColumn<QString>("expected");

    QTest::newRow("morning") << 2026 << 3 << 14 << 9 << 30 << 0
                             << QString("Samedi 14 Mars 2026 à 09:30:00");
    QTest::newRow("first of the month, after midnight")
        << 2026 << 5 << 1 << 0 << 5 << 9 << QString("Vendredi 01 Mai 2026 à 00:05:09");
    QTest::newRow("last second of the year")
        << 2025 << 12 << 31 << 23 << 59 << 59 << QString("Mercredi 31 Décembre 2025 à 23:59:59");
}

void TestFrenchDate::dateStamp() {
    QFETCH(int, year);
    QFETCH(int, month);
    QFETCH(int, day);
    QFETCH(int, hour);
    QFETCH(int, minute);
    QFETCH(int, second);
    QFETCH(QString, expected);
    const LocalDateTime moment{{year, month, day}, hour, minute, second};
    QCOMPARE(QString::fromStdString(DateStamp(moment)), expected);
}

// Stamps as running text writes them; anything else is left as it stands.
void TestFrenchDate::runningText_data() {
    QTest::addColumn<QString>("stamp");
    QTest::addColumn<QString>("expected");
    QTest::newRow("stamp") << "Lundi 17 Novembre 2025 à 09:30:00"
                           << "lundi 17 novembre 2025 à 09:30";
    QTest::newRow("first, accents") << "Samedi 01 Août 2026 à 23:05:59"
                                    << "samedi 1er août 2026 à 23:05";
    QTest::newRow("date alone") << "Mardi 09 Décembre 2025"
                                << "mardi 9 décembre 2025";
    QTest::newRow("wrong weekday") << "Lundi 18 Novembre 2025 à 09:30:00"
                                   << "Lundi 18 Novembre 2025 à 09:30:00";
    QTest::newRow("hand-written") << "hier soir"
                                  << "hier soir";
    QTest::newRow("cut short") << "Lundi 17 Novembre 2025 à 09"
                               << "Lundi 17 Novembre 2025 à 09";
}

void TestFrenchDate::runningText() {
    QFETCH(QString, stamp);
    QFETCH(QString, expected);
    QCOMPARE(QString::fromStdString(RunningTextStamp(stamp.toStdString())), expected);
}

QTEST_GUILESS_MAIN(TestFrenchDate)
#include "test_french_date.moc"
