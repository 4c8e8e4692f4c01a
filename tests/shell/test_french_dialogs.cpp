#include "platform/QtDialogs.h"
#include "shell/StartUp.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

using namespace corvane;

// Standard buttons speak French whatever the system's language (CTest runs this with LANG=C).
class TestFrenchDialogs : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { LoadFrenchTranslation(*qApp); }

    void messageBoxButtons_data() {
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("text");
        QTest::newRow("Yes") << int(QMessageBox::Yes) << "Oui";
        QTest::newRow("No") << int(QMessageBox::No) << "Non";
        QTest::newRow("Cancel") << int(QMessageBox::Cancel) << "Annuler";
    }

    void messageBoxButtons() {
        QFETCH(int, button);
        QFETCH(QString, text);
        QMessageBox box;
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        const auto standard = static_cast<QMessageBox::StandardButton>(button);
        QCOMPARE(box.button(standard)->text().remove(QLatin1Char('&')), text);
    }

    void lineBreaksOfMessages_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("screen");
        QTest::newRow("CR LF") << "a\r\nb"
                               << "a\nb";
        QTest::newRow("lone CR") << "a\rb"
                                 << "a\nb";
        QTest::newRow("CR CR LF") << "a\r\r\nb"
                                  << "a\n\nb";
    }

    void lineBreaksOfMessages() {
        QFETCH(QString, text);
        QFETCH(QString, screen);
        QCOMPARE(ScreenText(text.toStdString()), screen);
    }

    void fileFilterBecomesQtForm() {
        QCOMPARE(QtFileFilter(QString::fromUtf8("Fichiers de paramètres|*.ini")),
                 QString::fromUtf8("Fichiers de paramètres (*.ini)"));
    }
};

QTEST_MAIN(TestFrenchDialogs)
#include "test_french_dialogs.moc"
