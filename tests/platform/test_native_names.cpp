#include "platform/files/NativeNames.h"

#include <QTest>

using namespace corvane;

class NativeNamesTest : public QObject {
    Q_OBJECT

private slots:
    void roundTrip_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("shown");
        QTest::newRow("plain") << QByteArray("Evaluation.ini") << QStringLiteral("Evaluation.ini");
        QTest::newRow("accents") << QByteArray("F\xc3\xaate \xc3\xa9t\xc3\xa9.ini")
                                 << QStringLiteral("Fête été.ini");
        QTest::newRow("astral") << QByteArray("\xf0\x9f\x8e\x89.ini")
                                << QString::fromUtf8("\xf0\x9f\x8e\x89.ini");
        QTest::newRow("lone ff") << QByteArray("X\xff.ini") << QStringLiteral("X\uFFFD.ini");
        QTest::newRow("replacement itself")
            << QByteArray("X\xef\xbf\xbd.ini") << QStringLiteral("X\uFFFD.ini");
        QTest::newRow("Latin-1") << QByteArray("caf\xe9") << QStringLiteral("caf\uFFFD");
        QTest::newRow("cut sequence") << QByteArray("a\xc3") << QStringLiteral("a\uFFFD");
        QTest::newRow("overlong slash") << QByteArray("\xc0\xaf") << QStringLiteral("\uFFFD\uFFFD");
        QTest::newRow("encoded surrogate")
            << QByteArray("\xed\xb2\x80") << QStringLiteral("\uFFFD\uFFFD\uFFFD");
        QTest::newRow("past U+10FFFF")
            << QByteArray("\xf4\x90\x80\x80") << QStringLiteral("\uFFFD\uFFFD\uFFFD\uFFFD");
    }

    void roundTrip() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, shown);
        const QString name = NameFromNative(bytes);
        QCOMPARE(NativeName(name), bytes);
        QCOMPARE(ShownName(name), shown);
    }

    void namesThatLookAlikeStayApart() {
        QVERIFY(NameFromNative("X\xff.ini") != NameFromNative("X\xef\xbf\xbd.ini"));
    }

    void addressHoldsEveryByte() {
        QCOMPARE(FileUrlOf(NameFromNative("/tmp/X\xff \xc3\xa9.ini")),
                 QString("file:///tmp/X%FF%20%C3%A9.ini"));
    }

    void textTypedByTheUserIsUtf8() {
        QCOMPARE(NativeName(QStringLiteral("Fête.ini")), QByteArray("F\xc3\xaate.ini"));
        // A lone surrogate that no file name gives cannot become a byte of its own.
        QCOMPARE(NativeName(QString(QChar(0xD800))), QByteArray("\xef\xbf\xbd"));
    }
};

QTEST_APPLESS_MAIN(NativeNamesTest)
#include "test_native_names.moc"
