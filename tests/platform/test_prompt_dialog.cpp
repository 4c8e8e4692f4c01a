// The name prompt as the user meets it: its size and place, its one field and one button, and
// the ways it is confirmed or cancelled.
#include "platform/desktop/QtDialogs.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace corvane;

class TestPromptDialog : public QObject {
    Q_OBJECT

    // Runs the prompt over a window of the program's, doing `act` to it once it is shown.
    static QString Prompt(const std::function<void(QDialog*)>& act) {
        QWidget window;
        window.show();
        window.activateWindow();
        if (!QTest::qWaitForWindowActive(&window)) {
            return "<window not active>";
        }
        QTimer::singleShot(0, [act] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            // A failed check returns early; the prompt must close all the same.
            const auto closeLeftOpen = qScopeGuard([dialog] {
                if (dialog->isVisible()) {
                    dialog->reject();
                }
            });
            act(dialog);
        });
        return QtDialogs().PromptText("Image", "Donnez un nom à l'image");
    }

private slots:
    void looks() {
        Prompt([](QDialog* dialog) {
            QCOMPARE(dialog->windowTitle(), QString("Image"));
            QCOMPARE(dialog->size(), QSize(300, 130));
            // Integer halves may put either centre one pixel off.
            const QPoint offCentre =
                dialog->frameGeometry().center() - dialog->screen()->availableGeometry().center();
            QVERIFY2(std::abs(offCentre.x()) <= 1 && std::abs(offCentre.y()) <= 1,
                     qPrintable(QString("%1,%2").arg(offCentre.x()).arg(offCentre.y())));
            QVERIFY(dialog->parentWidget() != nullptr);
            QVERIFY(dialog->isModal());
            const auto labels = dialog->findChildren<QLabel*>();
            QCOMPARE(labels.size(), 1);
            QCOMPARE(labels[0]->text(), QString("Donnez un nom à l'image"));
            const auto fields = dialog->findChildren<QLineEdit*>();
            QCOMPARE(fields.size(), 1);
            QVERIFY(fields[0]->text().isEmpty());
            QTRY_COMPARE(QApplication::focusWidget(), fields[0]);
            const auto buttons = dialog->findChildren<QPushButton*>();
            QCOMPARE(buttons.size(), 1);
            QCOMPARE(buttons[0]->text(), QString("OK"));
        });
    }

    void answer_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("ending"); // enter, ok, escape, close
        QTest::addColumn<QString>("answer");
        QTest::newRow("Enter confirms") << "bilan du 3"
                                        << "enter"
                                        << "bilan du 3";
        QTest::newRow("OK confirms") << "A/b"
                                     << "ok"
                                     << "A/b";
        QTest::newRow("OK with nothing typed") << ""
                                               << "ok"
                                               << "";
        QTest::newRow("Escape cancels") << "bilan"
                                        << "escape"
                                        << "";
        QTest::newRow("close box cancels") << "bilan"
                                           << "close"
                                           << "";
    }

    void answer() {
        QFETCH(QString, typed);
        QFETCH(QString, ending);
        QFETCH(QString, answer);
        const QString got = Prompt([typed, ending](QDialog* dialog) {
            auto* field = dialog->findChild<QLineEdit*>();
            QTest::keyClicks(field, typed);
            if (ending == "enter") {
                QTest::keyClick(field, Qt::Key_Return);
            } else if (ending == "ok") {
                QTest::mouseClick(dialog->findChild<QPushButton*>(), Qt::LeftButton);
            } else if (ending == "escape") {
                QTest::keyClick(field, Qt::Key_Escape);
            } else {
                dialog->close();
            }
        });
        QCOMPARE(got, answer);
    }
};

QTEST_MAIN(TestPromptDialog)
#include "test_prompt_dialog.moc"
