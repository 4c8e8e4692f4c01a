// The event's details dialog as the user fills it: the details it gives back, the details it
// refuses without losing what was typed, and its place and size over the main window.
#include "platform/desktop/EventDialog.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>

using namespace corvane;

namespace {

// Long enough to be cut short on the screen.
const std::string kLongName =
    "Buvette et restauration sous le chapiteau près de l'entrée principale du stade";

EventDetails Proposed() {
    EventDetails details;
    details.name = "Fête du village";
    details.place = "Stade municipal, Corvane";
    details.start = "14/03/2026 09:00";
    details.end = "15/03/2026 18:00";
    details.organiser = "Comité des fêtes";
    details.evaluations = {{kLongName, Audience::Public, ""}, {"Course", Audience::Public, ""}};
    return details;
}

// `text` is ASCII: QTest types nothing else.
void Retype(QDialog& dialog, const QString& field, const QString& text) {
    auto* edit = dialog.findChild<QLineEdit*>(field);
    edit->clear();
    QTest::keyClicks(edit, text);
}

bool Shown(QDialog& dialog) {
    dialog.show();
    return QTest::qWaitForWindowActive(&dialog);
}

void Create(QDialog& dialog) {
    QTest::mouseClick(dialog.findChild<QPushButton*>("CreateDossierButton"), Qt::LeftButton);
}

} // namespace

class TestEventDialog : public QObject {
    Q_OBJECT

private slots:
    void givesWhatWasTyped() {
        EventDialog dialog(Proposed(), "« Essai » n'a pas d'évaluation.");
        QVERIFY(Shown(dialog));
        QVERIFY(dialog.findChild<QLabel*>("EventNote")->isVisible());
        Retype(dialog, "OrganiserQualityField", "  Tresorier ");
        Retype(dialog, "DayField1", " 15/03/2026");
        QTest::keyClick(dialog.findChild<QComboBox*>("AudienceField1"), Qt::Key_Down);
        QTest::keyClicks(dialog.findChild<QWidget*>("RemarkField"), " Acces par la rue haute  ");
        Create(dialog);
        QCOMPARE(dialog.result(), QDialog::Accepted);
        EventDetails expected = Proposed();
        expected.organiserQuality = "Tresorier";
        expected.remark = "Acces par la rue haute";
        expected.evaluations[1] = {"Course", Audience::Acteurs, "15/03/2026"};
        QVERIFY(dialog.Details() == expected);
    }

    void refuses_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("wrong");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("corrected");
        QTest::newRow("end before start")
            << "EventEndField"
            << "14/03/2026 08:30"
            << "La fin de l'événement (14/03/2026 08:30) doit venir après son début "
               "(14/03/2026 09:00)."
            << "14/03/2026 18:00";
        QTest::newRow("no place") << "EventPlaceField"
                                  << "  "
                                  << "Le champ « Lieu » est obligatoire."
                                  << "Mairie";
        QTest::newRow("day outside the event")
            << "DayField1"
            << "16/03/2026"
            << "Le jour de l'évaluation « Course » (16/03/2026) n'est pas l'un des jours de "
               "l'événement (du 14/03/2026 au 15/03/2026)."
            << "15/03/2026";
    }

    void refuses() {
        QFETCH(QString, field);
        QFETCH(QString, wrong);
        QFETCH(QString, message);
        QFETCH(QString, corrected);
        EventDialog dialog(Proposed(), {});
        QVERIFY(Shown(dialog));
        QVERIFY(!dialog.findChild<QLabel*>("EventNote")->isVisible());
        auto* refusal = dialog.findChild<QLabel*>("EventRefusal");
        QVERIFY(!refusal->isVisible());
        Retype(dialog, "EventNameField", "Fete du printemps");
        Retype(dialog, field, wrong);
        Create(dialog);
        QVERIFY(dialog.isVisible());
        QVERIFY(refusal->isVisible());
        QCOMPARE(refusal->text(), message);
        auto* edit = dialog.findChild<QLineEdit*>(field);
        QCOMPARE(QApplication::focusWidget(), edit);
        QCOMPARE(edit->text(), wrong);
        QCOMPARE(dialog.findChild<QLineEdit*>("EventNameField")->text(), "Fete du printemps");
        Retype(dialog, field, corrected);
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(dialog.result(), QDialog::Accepted);
        QVERIFY(!dialog.isVisible());
    }

    // Centred on the screen, within the main window's 1014 by 718 even with many evaluations and
    // a refusal; "Annuler" then rejects it.
    void fitsOverTheWindow() {
        EventDetails details = Proposed();
        details.evaluations.resize(30, {kLongName, Audience::Public, ""});
        details.end = "14/03/2026 08:00";
        QWidget window; // in a corner of the screen: the dialog is not centred on it
        window.setGeometry(0, 0, 300, 200);
        EventDialog dialog(details, "« Essai » n'a pas d'évaluation.", &window);
        QVERIFY(Shown(dialog));
        // Centred on the screen, when the screen is wide enough for it (the offscreen screen
        // of Windows is 800 pixels wide).
        const QRect screen = dialog.screen()->availableGeometry();
        const QPoint offCentre = dialog.geometry().center() - screen.center();
        QVERIFY(std::abs(offCentre.y()) <= 1);
        QVERIFY(dialog.width() > screen.width() || std::abs(offCentre.x()) <= 1);
        Create(dialog);
        QVERIFY(dialog.findChild<QLabel*>("EventRefusal")->isVisible());
        const QSize size = dialog.size();
        // Room is left for the title bar.
        QVERIFY2(size.width() <= 1014 && size.height() <= 718 - 40,
                 qPrintable(QString("%1x%2").arg(size.width()).arg(size.height())));
        QTest::mouseClick(dialog.findChild<QPushButton*>("CancelDossierButton"), Qt::LeftButton);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), QDialog::Rejected);
    }
};

QTEST_MAIN(TestEventDialog)
#include "test_event_dialog.moc"
