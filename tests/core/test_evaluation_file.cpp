#include "core/EvaluationFile.h"

#include <QTest>

#include <string>

using namespace corvane;

namespace {

const std::string kExampleBytes = "\xEF\xBB\xBF\r\n"
                                  "[Global]\r\n"
                                  "P2 = OptP2_2\r\n"
                                  "E1 = OptE1_1\r\n"
                                  "E2 = OptE2_3\r\n"
                                  "P1 = 2500\r\n"
                                  "P = 2500\r\n"
                                  "I = 0.90\r\n"
                                  "RIS = 2.250\r\n"
                                  "Type = DPS de petite envergure (DPS-PE)\r\n"
                                  "Date = Samedi 14 Mars 2026 \xC3\xA0 09:30:00\r\n";

QByteArray Bytes(const std::string& text) {
    return QByteArray::fromStdString(text);
}

// Serves its bytes in pieces of a fixed size, then either ends or fails.
class PieceSource : public ByteSource {
public:
    PieceSource(std::string bytes, std::size_t piece, bool failAtEnd)
        : bytes_(std::move(bytes)), piece_(piece), failAtEnd_(failAtEnd) {}

    std::ptrdiff_t Read(char* buffer, std::size_t capacity) override {
        if (at_ == bytes_.size()) {
            return failAtEnd_ ? -1 : 0;
        }
        const std::size_t count = std::min({capacity, piece_, bytes_.size() - at_});
        bytes_.copy(buffer, count, at_);
        at_ += count;
        return static_cast<std::ptrdiff_t>(count);
    }

private:
    std::string bytes_;
    std::size_t piece_;
    bool failAtEnd_;
    std::size_t at_ = 0;
};

// A group "Global" followed by an endless stream of bytes, counting what was asked of it. It
// gives up at 64 MiB, so that a reader that would read for ever fails instead of hanging.
class EndlessSource : public ByteSource {
public:
    explicit EndlessSource(std::string start) : start_(std::move(start)) {}

    std::ptrdiff_t Read(char* buffer, std::size_t capacity) override {
        std::size_t count = 0;
        for (; count < capacity && served < kGiveUpBytes; ++count, ++served) {
            buffer[count] = served < start_.size() ? start_[served] : '\xFF';
        }
        return static_cast<std::ptrdiff_t>(count);
    }

    static constexpr std::size_t kGiveUpBytes = 64 * 1024 * 1024;
    std::size_t served = 0;

private:
    std::string start_;
};

} // namespace

class TestEvaluationFile : public QObject {
    Q_OBJECT

private slots:
    void encodesTheExampleByteForByte() {
        EvaluationRecord record;
        record.name = "FETE DU VILLAGE";
        record.p2Choice = 2;
        record.e2Choice = 3;
        record.p2Coefficient = "0.30";
        record.e2Coefficient = "0.35";
        record.p1Text = "2500";
        record.pText = "2500";
        record.riskIndexText = "0.90";
        record.risText = "2.250";
        record.dpsTypeText = "DPS de petite envergure (DPS-PE)";
        const std::string bytes = EncodeEvaluationFile(record, {{2026, 3, 14}, 9, 30, 0});
        QCOMPARE(bytes.size(), std::size_t{182});
        QCOMPARE(Bytes(bytes), Bytes(kExampleBytes));
    }

    void encodesEmptyResultsAsEmptyValues() {
        EvaluationRecord record;
        record.riskIndexText = "0.75";
        const std::string bytes = EncodeEvaluationFile(record, {{2026, 12, 1}, 0, 5, 9});
        QVERIFY(bytes.find("\r\nP1 = \r\nP = \r\nI = 0.75\r\nRIS = \r\nType = \r\n") !=
                std::string::npos);
        QVERIFY(bytes.ends_with("Date = Mardi 01 D\xC3\xA9"
                                "cembre 2026 \xC3\xA0 00:05:09\r\n"));
    }

    void readsTheExample() {
        const EvaluationFileValues values = ReadEvaluationFile(kExampleBytes);
        QCOMPARE(Bytes(values.p2), QByteArray("OptP2_2"));
        QCOMPARE(Bytes(values.e1), QByteArray("OptE1_1"));
        QCOMPARE(Bytes(values.e2), QByteArray("OptE2_3"));
        QCOMPARE(Bytes(values.p1), QByteArray("2500"));
        QCOMPARE(Bytes(values.p), QByteArray("2500"));
        QCOMPARE(Bytes(values.i), QByteArray("0.90"));
        QCOMPARE(Bytes(values.ris), QByteArray("2.250"));
        QCOMPARE(Bytes(values.type), QByteArray("DPS de petite envergure (DPS-PE)"));
        QCOMPARE(QString::fromStdString(values.date),
                 QString::fromUtf8("Samedi 14 Mars 2026 à 09:30:00"));
    }

    void readingRules_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QByteArray>("p1");

        QTest::newRow("key in small letters, no spaces")
            << QByteArray("[Global]\r\np1=12") << QByteArray("12");
        QTest::newRow("blanks around key, equals and value")
            << QByteArray("[Global]\n \t  P1 \t =  \t12 \t \n") << QByteArray("12");
        QTest::newRow("blanks inside the value stay")
            << QByteArray("[Global]\nP1 = 1 2\n") << QByteArray("1 2");
        QTest::newRow("equals sign inside the value")
            << QByteArray("[Global]\nP1 = a=b\n") << QByteArray("a=b");
        QTest::newRow("quotes are part of the value")
            << QByteArray("[Global]\nP1 = \"7\"\n") << QByteArray("\"7\"");
        QTest::newRow("empty file") << QByteArray() << QByteArray();
        QTest::newRow("no group Global") << QByteArray("[Other]\nP1=5\n") << QByteArray();
        QTest::newRow("keys before the first group are never read")
            << QByteArray("P1=5\n[Global]\n") << QByteArray();
        QTest::newRow("group name in any case")
            << QByteArray("[gLoBaL]\nP1=6\n") << QByteArray("6");
        QTest::newRow("blanks inside the brackets make another group")
            << QByteArray("[ Global ]\nP1=6\n") << QByteArray();
        QTest::newRow("group line without closing bracket")
            << QByteArray("[Global\nP1=6\n") << QByteArray("6");
        QTest::newRow("rest of a group line is ignored")
            << QByteArray("  [Global] P1=1\nP1=6\n") << QByteArray("6");
        QTest::newRow("the first group Global counts")
            << QByteArray("[Global]\nP1=1\n[GLOBAL]\nP1=2\n") << QByteArray("1");
        QTest::newRow("another group ends Global")
            << QByteArray("[Global]\n[x]\nP1=5\n") << QByteArray();
        QTest::newRow("the first matching line counts")
            << QByteArray("[Global]\nP1=1\nP1=2\n") << QByteArray("1");
        QTest::newRow("an empty first match counts too")
            << QByteArray("[Global]\nP1=\nP1=2\n") << QByteArray();
        QTest::newRow("comments are skipped")
            << QByteArray("[Global]\n;P1=1\n \t;P1=2\nP1=3\n") << QByteArray("3");
        QTest::newRow("a line without equals sign is no key")
            << QByteArray("[Global]\nP1\nP1=4\n") << QByteArray("4");
        QTest::newRow("a key is compared whole")
            << QByteArray("[Global]\nP 1=4\nP10=5\n") << QByteArray();
        QTest::newRow("lone CR line ends") << QByteArray("[Global]\rP1=7\r") << QByteArray("7");
        QTest::newRow("runs of CR and LF")
            << QByteArray("\n\r\r\n[Global]\n\n\r\nP1=8\r\n\r\n") << QByteArray("8");
        QTest::newRow("last line without line end")
            << QByteArray("[Global]\r\nP1=9") << QByteArray("9");
        QTest::newRow("ISO 8859-1 without byte-order mark")
            << QByteArray("[Global]\nP1=\xE9t\xE9\n") << QByteArray("\xC3\xA9t\xC3\xA9");
        QTest::newRow("UTF-8 after the byte-order mark")
            << QByteArray("\xEF\xBB\xBF[Global]\nP1=\xC3\xA9\n") << QByteArray("\xC3\xA9");
        QTest::newRow("UTF-8 without the mark is read byte by byte")
            << QByteArray("[Global]\nP1=\xC3\xA9\n") << QByteArray("\xC3\x83\xC2\xA9");
        QTest::newRow("broken UTF-8 after the mark is replaced")
            << QByteArray("\xEF\xBB\xBF[Global]\nP1=a\xFF\xC3\n")
            << QByteArray("a\xEF\xBF\xBD\xEF\xBF\xBD");
        QTest::newRow("a partial mark is ISO 8859-1")
            << QByteArray("\xEF\xBB[Global]\nP1=1\n") << QByteArray();
        QTest::newRow("file shorter than the mark") << QByteArray("\xEF") << QByteArray();
    }

    void readingRules() {
        QFETCH(QByteArray, file);
        QFETCH(QByteArray, p1);
        const std::string bytes = file.toStdString();
        QCOMPARE(Bytes(ReadEvaluationFile(bytes).p1), p1);

        // The same bytes one at a time give the same values.
        PieceSource source(bytes, 1, false);
        const auto pieces = ReadEvaluationFile(source);
        QVERIFY(pieces.has_value());
        QCOMPARE(Bytes(pieces->p1), p1);
    }

    void optionValuesKeepTheirLetterCase() {
        const auto values = ReadEvaluationFile("[Global]\nP2 = optp2_3\ne1=OptE1_4\n");
        QCOMPARE(Bytes(values.p2), QByteArray("optp2_3"));
        QCOMPARE(Bytes(values.e1), QByteArray("OptE1_4"));
    }

    void readingStopsOnceGlobalHasEnded() {
        EndlessSource source("[Global]\r\nP1 = 7\r\n[Next]\r\n");
        const auto values = ReadEvaluationFile(source);
        QVERIFY(values.has_value());
        QCOMPARE(Bytes(values->p1), QByteArray("7"));
        QVERIFY(source.served < 1024 * 1024);
    }

    // A file that keeps growing, or a huge one without an end to its group, is read only so far.
    void readingStopsAtItsBound() {
        EndlessSource source("[Global]\r\nP1 = 7\r\n");
        const auto values = ReadEvaluationFile(source);
        QVERIFY(values.has_value());
        QCOMPARE(Bytes(values->p1), QByteArray("7"));
        QCOMPARE(source.served, kMaxEvaluationFileBytes);
    }

    void aReadErrorAfterGlobalHasEndedDoesNotMatter() {
        PieceSource source("[Global]\nP1=3\n[Other]\nmore", 4, true);
        QVERIFY(ReadEvaluationFile(source).has_value());
    }

    void aReadErrorBeforeTheEndFails() {
        PieceSource source("[Global]\nP1=3\n", 4, true);
        QVERIFY(!ReadEvaluationFile(source).has_value());
    }

    void anOverlongLineKeepsItsStart() {
        std::string line(EvaluationFileReader::kMaxLineBytes * 3, '5');
        const auto values = ReadEvaluationFile("[Global]\nP1=" + line + "\nP=6\n");
        QCOMPARE(values.p1.size(), EvaluationFileReader::kMaxLineBytes - 3);
        QCOMPARE(Bytes(values.p), QByteArray("6"));
    }

    void binaryBytesReadAsNothing() {
        std::string jpeg = "\xFF\xD8\xFF\xE0";
        jpeg += std::string("\0JFIF\0\x01\x01", 9);
        for (int i = 0; i < 4096; ++i) {
            jpeg += static_cast<char>((i * 131) % 256);
        }
        const auto values = ReadEvaluationFile(jpeg);
        QVERIFY(values == EvaluationFileValues{});
    }
};

QTEST_GUILESS_MAIN(TestEvaluationFile)
#include "test_evaluation_file.moc"
