#include "core/FileSizeText.h"

#include <QTest>

using namespace corvane;

class TestFileSizeText : public QObject {
    Q_OBJECT

private slots:
    void Kilobytes_data() {
        QTest::addColumn<quint64>("bytes");
        QTest::addColumn<QString>("text");
        constexpr quint64 kGibibyte = quint64{1} << 30;
        QTest::newRow("empty") << quint64{0} << "0 KB";
        QTest::newRow("one byte") << quint64{1} << "1 KB";
        QTest::newRow("one kilobyte") << quint64{1024} << "1 KB";
        QTest::newRow("one byte more") << quint64{1025} << "2 KB";
        QTest::newRow("a megabyte, no grouping") << quint64{1048576} << "1024 KB";
        QTest::newRow("last size rounded up") << kGibibyte - 1 << "1048576 KB";
        QTest::newRow("one gibibyte") << kGibibyte << "1048576 KB";
        QTest::newRow("rounded down from there") << kGibibyte + 1023 << "1048576 KB";
        QTest::newRow("largest") << ~quint64{0} << "18014398509481983 KB";
    }
    void Kilobytes() {
        QFETCH(quint64, bytes);
        QFETCH(QString, text);
        QCOMPARE(QString::fromStdString(KilobyteText(bytes)), text);
    }
};

QTEST_APPLESS_MAIN(TestFileSizeText)
#include "test_file_size_text.moc"
