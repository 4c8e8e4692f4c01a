// The event details of a declaration dossier: their file, and the checks of the dialog.
#include "core/DossierFileName.h"
#include "core/EventFile.h"

#include <QTest>

using namespace corvane;

namespace {

EventDetails Village() {
    EventDetails details;
    details.name = "Fête du village";
    details.place = "Place de la mairie, Plouzané";
    details.start = "14/03/2026 09:00";
    details.end = "15/03/2026 23:00";
    details.organiser = "Comité des fêtes";
    details.organiserQuality = "Président";
    details.organiserPhone = "02 98 00 00 00";
    details.association = "Protection civile";
    details.evaluations = {{"Samedi public", Audience::Public, "14/03/2026"},
                           {"Samedi acteurs", Audience::Acteurs, "14/03/2026"}};
    return details;
}

} // namespace

class TestEventFile : public QObject {
    Q_OBJECT

private slots:
    void writtenBytes() {
        const std::string expected = "\xEF\xBB\xBF[Evenement]\r\n"
                                     "Nom = Fête du village\r\n"
                                     "Lieu = Place de la mairie, Plouzané\r\n"
                                     "Debut = 14/03/2026 09:00\r\n"
                                     "Fin = 15/03/2026 23:00\r\n"
                                     "Organisateur = Comité des fêtes;Président\r\n"
                                     "ContactOrganisateur = 02 98 00 00 00\r\n"
                                     "Association = Protection civile\r\n"
                                     "Agrement = \r\n"
                                     "ContactAssociation = \r\n"
                                     "Remarque = \r\n"
                                     "[Evaluations]\r\n"
                                     "Samedi public = public;14/03/2026\r\n"
                                     "Samedi acteurs = acteurs;14/03/2026\r\n";
        QCOMPARE(EncodeEventFile(Village()), expected);
    }

    void textsReadBackTheSame_data() {
        QTest::addColumn<QString>("text");
        const char* const texts[]{"a = b",     "[Evenement]",  "; comment", " blanks at ends\t",
                                  "100 %25 %", "two\r\nlines", "a;b;c",     "É]=ü"};
        for (const char* text : texts) {
            QTest::newRow(text) << QString::fromUtf8(text);
        }
    }

    void textsReadBackTheSame() {
        QFETCH(QString, text);
        EventDetails details = Village();
        const std::string value = text.toStdString();
        details.place = value;
        details.organiser = value;
        details.organiserQuality = value;
        details.remark = value;
        details.evaluations.push_back({value, Audience::Acteurs, ""});
        QCOMPARE(DecodeEventFile(EncodeEventFile(details)), details);
    }

    void handWrittenFile() {
        // No byte-order mark and a Latin-1 letter, LF line ends, keys in any case, a missing
        // key, an evaluation without a day and one of an unknown audience.
        const EventDetails details =
            DecodeEventFile("; notes\n[evenement]\nNOM = F\xEAte\n"
                            "Organisateur = Mairie\nbruit\n"
                            "[Evaluations]\nA = acteurs\nB = foule;1/2/2026\n"
                            "A = public\n[Autre]\nLieu = ailleurs\n");
        QCOMPARE(details.name, "Fête");
        QCOMPARE(details.organiser, "Mairie");
        QVERIFY(details.place.empty());
        QVERIFY(details.organiserQuality.empty());
        const std::vector<EventEvaluation> expected{{"A", Audience::Acteurs, ""},
                                                    {"B", Audience::Public, "1/2/2026"}};
        QCOMPARE(details.evaluations, expected);
    }

    void period_data() {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("end");
        QTest::addColumn<QString>("period");
        QTest::newRow("two days") << "14/03/2026 09:00"
                                  << "15/03/2026 23:00"
                                  << "du samedi 14 mars 2026 à 09:00 au dimanche 15 mars 2026 à "
                                     "23:00 (38 h)";
        QTest::newRow("over new year, minutes")
            << "31/12/2024 22:15"
            << "1/1/2025 1:00"
            << "du mardi 31 décembre 2024 à 22:15 au mercredi 1er janvier 2025 à 01:00 (2 h 45)";
        QTest::newRow("over a leap day") << "28/02/2028 12:00"
                                         << "01/03/2028 12:00"
                                         << "du lundi 28 février 2028 à 12:00 au mercredi 1er "
                                            "mars 2028 à 12:00 (48 h)";
        QTest::newRow("as typed") << "demain"
                                  << " 15/03/2026 "
                                  << "du demain au 15/03/2026";
    }

    void period() {
        QFETCH(QString, start);
        QFETCH(QString, end);
        QFETCH(QString, period);
        EventDetails details;
        details.start = start.toStdString();
        details.end = end.toStdString();
        QCOMPARE(QString::fromStdString(EventPeriodText(details)), period);
    }

    void fileNames_data() {
        QTest::addColumn<QString>("event");
        QTest::addColumn<QString>("file");
        QTest::newRow("plain") << "Fête du village"
                               << "Fête du village";
        QTest::newRow("forbidden") << "a/b\\c:d*e?f\"g<h>i|j\tk"
                                   << "a_b_c_d_e_f_g_h_i_j_k";
        QTest::newRow("ends") << " .. Fête. . "
                              << "Fête";
        QTest::newRow("nothing left") << " ... "
                                      << "Dossier";
        QTest::newRow("device") << "nul.2026"
                                << "nul_.2026";
        QTest::newRow("not a device") << "COM10"
                                      << "COM10";
        QTest::newRow("long, cut between characters")
            << QString(99, u'a') + "éé" << QString(99, u'a');
    }

    void fileNames() {
        QFETCH(QString, event);
        QFETCH(QString, file);
        QCOMPARE(QString::fromStdString(DossierFileName(event.toStdString())), file);
    }

    void refusals_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("message");
        QTest::newRow("sound") << "end"
                               << "15/03/2026 23:00"
                               << "";
        QTest::newRow("one digit, h") << "end"
                                      << " 1/4/2026 9h05 "
                                      << "";
        QTest::newRow("no name") << "name"
                                 << "  "
                                 << "Le champ « Nom de l'événement » est obligatoire.";
        QTest::newRow("no organiser") << "organiser"
                                      << ""
                                      << "Le champ « Organisateur » est obligatoire.";
        QTest::newRow("31 February")
            << "start"
            << "31/02/2026 09:00"
            << "La date de début « 31/02/2026 09:00 » n'est pas une date valide : écrivez-la "
               "jj/mm/aaaa hh:mm, par exemple 14/03/2026 09:00.";
        QTest::newRow("29 February 2025")
            << "end"
            << "29/02/2025 10:00"
            << "La date de fin « 29/02/2025 10:00 » n'est pas une date valide : écrivez-la "
               "jj/mm/aaaa hh:mm, par exemple 14/03/2026 09:00.";
        QTest::newRow("no hour") << "end"
                                 << "15/03/2026"
                                 << "La date de fin « 15/03/2026 » n'est pas une date valide : "
                                    "écrivez-la jj/mm/aaaa hh:mm, par exemple 14/03/2026 09:00.";
        QTest::newRow("24:00") << "end"
                               << "15/03/2026 24:00"
                               << "La date de fin « 15/03/2026 24:00 » n'est pas une date valide : "
                                  "écrivez-la jj/mm/aaaa hh:mm, par exemple 14/03/2026 09:00.";
        QTest::newRow("end before start")
            << "end"
            << "13/03/2026 23:00"
            << "La fin de l'événement (13/03/2026 23:00) doit venir après son début (14/03/2026 "
               "09:00).";
        QTest::newRow("end at start") << "end"
                                      << "14/03/2026 09:00"
                                      << "La fin de l'événement (14/03/2026 09:00) doit venir "
                                         "après son début (14/03/2026 09:00).";
        QTest::newRow("day after the event")
            << "day"
            << "16/03/2026"
            << "Le jour de l'évaluation « Samedi acteurs » (16/03/2026) n'est pas l'un des jours "
               "de l'événement (du 14/03/2026 au 15/03/2026).";
        QTest::newRow("leap day") << "day"
                                  << "29/02/2028"
                                  << "Le jour de l'évaluation « Samedi acteurs » (29/02/2028) "
                                     "n'est pas l'un des jours de l'événement (du 14/03/2026 au "
                                     "15/03/2026).";
        QTest::newRow("day not a date")
            << "day"
            << "14/13/2026"
            << "Le jour de l'évaluation « Samedi acteurs » (« 14/13/2026 ») n'est pas une date "
               "valide : écrivez-le jj/mm/aaaa, par exemple 14/03/2026.";
    }

    void refusals() {
        QFETCH(QString, field);
        QFETCH(QString, value);
        QFETCH(QString, message);
        EventDetails details = Village();
        const std::string text = value.toStdString();
        if (field == "name") {
            details.name = text;
        } else if (field == "organiser") {
            details.organiser = text;
        } else if (field == "start") {
            details.start = text;
        } else if (field == "end") {
            details.end = text;
        } else {
            details.evaluations[1].day = text;
        }
        const std::optional<EventRefusal> refusal = CheckEventDetails(details);
        QCOMPARE(refusal ? QString::fromStdString(refusal->message) : QString(), message);
    }
};

QTEST_APPLESS_MAIN(TestEventFile)
#include "test_event_file.moc"
