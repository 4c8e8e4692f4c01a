#include "core/NumberText.h"

#include <QTest>

#include <bit>
#include <cfloat>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <locale>
#include <stdexcept>
#include <string>

using namespace corvane;

namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

std::string_view View(const QByteArray& text) {
    return {text.constData(), static_cast<std::size_t>(text.size())};
}

// Floats are compared bit for bit (so that -0 and +0 differ); any two not-a-numbers match.
bool SameFloat(float a, float b) {
    if (std::isnan(a) || std::isnan(b)) {
        return std::isnan(a) && std::isnan(b);
    }
    return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b);
}

QByteArray Mismatch(float actual, float expected) {
    char text[128];
    std::snprintf(text, sizeof text, "read %a (%.9g), expected %a (%.9g)", double{actual},
                  double{actual}, double{expected}, double{expected});
    return text;
}

} // namespace

class TestNumberText : public QObject {
    Q_OBJECT

private slots:
    void readDecimal_data();
    void readDecimal();
    void writeDecimal_data();
    void writeDecimal();
    void commaDecimalLocaleChangesNothing();
    void readWholeNumber_data();
    void readWholeNumber();
    void writeWholeNumber_data();
    void writeWholeNumber();
};

void TestNumberText::readDecimal_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<float>("expected");

    // Where reading stops.
    QTest::newRow("comma ends the number") << QByteArray("1,05") << 1.0F;
    QTest::newRow("second full stop") << QByteArray("1.2.3") << 1.2F;
    QTest::newRow("inner space") << QByteArray("12 34") << 12.0F;
    QTest::newRow("hexadecimal prefix") << QByteArray("0x10") << 0.0F;
    // White space, signs, fractions.
    QTest::newRow("leading white space") << QByteArray(" \t\n\r12.5") << 12.5F;
    QTest::newRow("minus") << QByteArray("-0.25") << -0.25F;
    QTest::newRow("plus") << QByteArray("+0.40") << 0.4F;
    QTest::newRow("no integer part") << QByteArray(".5") << 0.5F;
    QTest::newRow("no fraction digits") << QByteArray("5.") << 5.0F;
    // Exponents.
    QTest::newRow("exponent") << QByteArray("1e3") << 1000.0F;
    QTest::newRow("negative exponent") << QByteArray("2.5E-2") << 0.025F;
    QTest::newRow("signed exponent, then text") << QByteArray("-1.5e+1x") << -15.0F;
    QTest::newRow("exponent without digits") << QByteArray("1e") << 1.0F;
    // No number at all.
    QTest::newRow("empty") << QByteArray("") << 0.0F;
    QTest::newRow("letters") << QByteArray("abc") << 0.0F;
    QTest::newRow("full stop alone") << QByteArray(".") << 0.0F;
    QTest::newRow("sign alone") << QByteArray("-") << 0.0F;
    QTest::newRow("two signs") << QByteArray("+-1") << 0.0F;
    QTest::newRow("exponent alone") << QByteArray("e5") << 0.0F;
    // The three special texts, in any letter case; nothing else names them.
    QTest::newRow("+Infinity") << QByteArray("+Infinity") << kInf;
    QTest::newRow("+INFINITY") << QByteArray("+INFINITY") << kInf;
    QTest::newRow("-Infinity") << QByteArray("-Infinity") << -kInf;
    QTest::newRow("-iNfInItY") << QByteArray("-iNfInItY") << -kInf;
    QTest::newRow("NaN") << QByteArray("NaN") << kNaN;
    QTest::newRow("nan") << QByteArray("nan") << kNaN;
    QTest::newRow("Infinity without sign") << QByteArray("Infinity") << 0.0F;
    QTest::newRow("inf") << QByteArray("inf") << 0.0F;
    QTest::newRow("+Infinity with more") << QByteArray("+Infinity1") << 0.0F;
    QTest::newRow("NaN with more") << QByteArray("NaNx") << 0.0F;
    // Correct rounding to single precision. 1 + 2^-24 lies halfway between 1 and the next
    // float; a text just above it must round up, which a detour through double loses.
    QTest::newRow("just above a half-way point")
        << QByteArray("1.00000005960464477550") << std::nextafter(1.0F, 2.0F);
    QTest::newRow("exactly half-way, to even") << QByteArray("1.000000059604644775390625") << 1.0F;
    QTest::newRow("just below a half-way point") << QByteArray("1.00000005960464477") << 1.0F;
    QTest::newRow("2^24 + 1, to even") << QByteArray("16777217") << 16777216.0F;
    QTest::newRow("0.1") << QByteArray("0.1") << 0.1F;
    QTest::newRow("index 1.20") << QByteArray("1.20") << 1.2F;
    QTest::newRow("long mantissa")
        << QByteArray("123456789012345678901234567890") << 123456789012345678901234567890.0F;
    QTest::newRow("largest float") << QByteArray("3.4028235e38") << FLT_MAX;
    QTest::newRow("beyond the largest float") << QByteArray("1e39") << kInf;
    QTest::newRow("negative, beyond the largest") << QByteArray("-1e39") << -kInf;
    QTest::newRow("smallest subnormal")
        << QByteArray("1e-45") << std::numeric_limits<float>::denorm_min();
    QTest::newRow("below half the smallest") << QByteArray("1e-46") << 0.0F;
}

void TestNumberText::readDecimal() {
    QFETCH(QByteArray, text);
    QFETCH(float, expected);
    const float actual = ReadDecimalText(View(text));
    QVERIFY2(SameFloat(actual, expected), Mismatch(actual, expected).constData());
}

void TestNumberText::writeDecimal_data() {
    QTest::addColumn<float>("value");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("index") << 1.2F << 2 << QByteArray("1.20");
    QTest::newRow("zero decimals") << 12.0F << 0 << QByteArray("12");
    QTest::newRow("no grouping") << 1234567.0F << 2 << QByteArray("1234567.00");
    QTest::newRow("nine decimals") << 0.1F << 9 << QByteArray("0.100000001");
    // Exact binary ties go away from zero.
    QTest::newRow("tie 0.5625") << 0.5625F << 3 << QByteArray("0.563");
    QTest::newRow("tie -0.5625") << -0.5625F << 3 << QByteArray("-0.563");
    QTest::newRow("tie 0.3125, odd below") << 0.3125F << 3 << QByteArray("0.313");
    QTest::newRow("tie 0.125") << 0.125F << 2 << QByteArray("0.13");
    QTest::newRow("tie -0.125") << -0.125F << 2 << QByteArray("-0.13");
    QTest::newRow("tie 2.5") << 2.5F << 0 << QByteArray("3");
    QTest::newRow("tie -2.5") << -2.5F << 0 << QByteArray("-3");
    // Values whose shortest text ends in 5 but whose binary value is not a tie.
    QTest::newRow("1.005 is below the half") << 1.005F << 2 << QByteArray("1.00");
    QTest::newRow("2.675 is below the half") << 2.675F << 2 << QByteArray("2.67");
    QTest::newRow("1.0005 is below the half") << 1.0005F << 3 << QByteArray("1.000");
    QTest::newRow("0.015 is below the half") << 0.015F << 2 << QByteArray("0.01");
    QTest::newRow("1.115 is above the half") << 1.115F << 2 << QByteArray("1.12");
    QTest::newRow("8.345 is above the half") << 8.345F << 2 << QByteArray("8.35");
    QTest::newRow("0.0005 is above the half") << 0.0005F << 3 << QByteArray("0.001");
    QTest::newRow("-0.0005 is beyond the half") << -0.0005F << 3 << QByteArray("-0.001");
    // Nothing that writes as zero carries a minus.
    QTest::newRow("zero") << 0.0F << 3 << QByteArray("0.000");
    QTest::newRow("negative zero") << -0.0F << 3 << QByteArray("0.000");
    QTest::newRow("negative zero, no decimals") << -0.0F << 0 << QByteArray("0");
    QTest::newRow("tiny negative") << -0.0004F << 3 << QByteArray("0.000");
    QTest::newRow("smallest negative subnormal")
        << -std::numeric_limits<float>::denorm_min() << 3 << QByteArray("0.000");
    // Special values and extremes.
    QTest::newRow("+Infinity") << kInf << 3 << QByteArray("+Infinity");
    QTest::newRow("-Infinity") << -kInf << 2 << QByteArray("-Infinity");
    QTest::newRow("NaN") << kNaN << 3 << QByteArray("NaN");
    QTest::newRow("largest float")
        << FLT_MAX << 0 << QByteArray("340282346638528859811704183484516925440");
    QTest::newRow("largest float, nine decimals")
        << FLT_MAX << 9 << QByteArray("340282346638528859811704183484516925440.000000000");
    QTest::newRow("most negative float")
        << -FLT_MAX << 1 << QByteArray("-340282346638528859811704183484516925440.0");
}

void TestNumberText::writeDecimal() {
    QFETCH(float, value);
    QFETCH(int, decimals);
    QFETCH(QByteArray, expected);
    QCOMPARE(QByteArray::fromStdString(WriteDecimalText(value, decimals)), expected);
}

void TestNumberText::commaDecimalLocaleChangesNothing() {
    const std::string previousC = std::setlocale(LC_ALL, nullptr);
    const std::locale previousCpp;
    const char* comma = nullptr;
    for (const char* name : {"fr_FR.UTF-8", "fr_FR.utf8", "fr_FR", "de_DE.UTF-8", "de_DE.utf8"}) {
        if (std::setlocale(LC_ALL, name) != nullptr && *std::localeconv()->decimal_point == ',') {
            comma = name;
            break;
        }
    }
    if (comma == nullptr) {
        std::setlocale(LC_ALL, previousC.c_str());
        QSKIP("no locale with a decimal comma is installed");
    }
    try {
        std::locale::global(std::locale(comma));
    } catch (const std::runtime_error&) {
        // A C++ library without named locales (MinGW's): only the C library's locale changes.
    }
    const float withStop = ReadDecimalText("1.5");
    const float withComma = ReadDecimalText("1,5");
    const std::string written = WriteDecimalText(1234.5625F, 3);
    std::locale::global(previousCpp);
    std::setlocale(LC_ALL, previousC.c_str());

    QVERIFY2(SameFloat(withStop, 1.5F), Mismatch(withStop, 1.5F).constData());
    QVERIFY2(SameFloat(withComma, 1.0F), Mismatch(withComma, 1.0F).constData());
    QCOMPARE(QByteArray::fromStdString(written), QByteArray("1234.563"));
}

void TestNumberText::readWholeNumber_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<qint64>("expected");
    constexpr qint64 kMax = std::numeric_limits<qint64>::max();
    constexpr qint64 kMin = std::numeric_limits<qint64>::min();

    QTest::newRow("decimal") << QByteArray("1500") << qint64{1500};
    QTest::newRow("leading zeros") << QByteArray("0042") << qint64{42};
    QTest::newRow("plus") << QByteArray("+7") << qint64{7};
    QTest::newRow("tab and minus") << QByteArray("\t-500") << qint64{-500};
    QTest::newRow("spaces and tabs") << QByteArray(" \t 8") << qint64{8};
    QTest::newRow("space, then letters after") << QByteArray(" 12abc") << qint64{12};
    QTest::newRow("stops at a full stop") << QByteArray("1.9") << qint64{1};
    QTest::newRow("line feed is not skipped") << QByteArray("\n5") << qint64{0};
    QTest::newRow("space after the sign") << QByteArray("- 5") << qint64{0};
    QTest::newRow("empty") << QByteArray("") << qint64{0};
    QTest::newRow("letters") << QByteArray("abc") << qint64{0};
    // Hexadecimal and binary.
    QTest::newRow("hexadecimal") << QByteArray("$1F") << qint64{31};
    QTest::newRow("hexadecimal stops at G") << QByteArray("$1G") << qint64{1};
    QTest::newRow("dollar alone") << QByteArray("$") << qint64{0};
    QTest::newRow("dollar, no digit") << QByteArray("$G") << qint64{0};
    QTest::newRow("negative hexadecimal") << QByteArray("-$10") << qint64{-16};
    QTest::newRow("binary") << QByteArray("%101") << qint64{5};
    QTest::newRow("binary stops at 2") << QByteArray("%1021") << qint64{2};
    QTest::newRow("signed binary") << QByteArray("+%11") << qint64{3};
    QTest::newRow("percent alone") << QByteArray("%") << qint64{0};
    // The 64-bit range: exact at its ends, saturated beyond; leading zeros do not count.
    QTest::newRow("largest") << QByteArray("9223372036854775807") << kMax;
    QTest::newRow("smallest") << QByteArray("-9223372036854775808") << kMin;
    QTest::newRow("largest + 1") << QByteArray("9223372036854775808") << kMax;
    QTest::newRow("smallest - 1") << QByteArray("-9223372036854775809") << kMin;
    QTest::newRow("2^64 + 1") << QByteArray("18446744073709551617") << kMax;
    QTest::newRow("many digits") << QByteArray("99999999999999999999999999") << kMax;
    QTest::newRow("many leading zeros")
        << QByteArray("000000000000000000000000000042") << qint64{42};
    QTest::newRow("hexadecimal largest") << QByteArray("$7FFFFFFFFFFFFFFF") << kMax;
    QTest::newRow("hexadecimal 2^63") << QByteArray("$8000000000000000") << kMax;
    QTest::newRow("hexadecimal -2^63") << QByteArray("-$8000000000000000") << kMin;
    QTest::newRow("hexadecimal 2^64 + 1") << QByteArray("$10000000000000001") << kMax;
    QTest::newRow("hexadecimal, many digits") << QByteArray("$FFFFFFFFFFFFFFFFFFFF") << kMax;
    QTest::newRow("binary 2^63") << "%1" + QByteArray(63, '0') << kMax;
    QTest::newRow("binary -(2^64 + 1)") << "-%1" + QByteArray(63, '0') + "1" << kMin;
    QTest::newRow("binary, many digits") << "-%" + QByteArray(100, '1') << kMin;
}

void TestNumberText::readWholeNumber() {
    QFETCH(QByteArray, text);
    QFETCH(qint64, expected);
    QCOMPARE(qint64{ReadWholeNumber(View(text))}, expected);
}

void TestNumberText::writeWholeNumber_data() {
    QTest::addColumn<qint64>("value");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("zero") << qint64{0} << QByteArray("0");
    QTest::newRow("negative") << qint64{-500} << QByteArray("-500");
    QTest::newRow("no separators") << qint64{500050000} << QByteArray("500050000");
    QTest::newRow("largest") << std::numeric_limits<qint64>::max()
                             << QByteArray("9223372036854775807");
    QTest::newRow("smallest") << std::numeric_limits<qint64>::min()
                              << QByteArray("-9223372036854775808");
}

void TestNumberText::writeWholeNumber() {
    QFETCH(qint64, value);
    QFETCH(QByteArray, expected);
    QCOMPARE(QByteArray::fromStdString(WriteWholeNumber(value)), expected);
}

QTEST_GUILESS_MAIN(TestNumberText)
#include "test_number_text.moc"
