// corvane-rapport run as the user runs it: the summary's exact bytes and how a spreadsheet reads
// them back, the exit status and the messages for files that cannot be read, and PDFs that are
// never written over.
#include "tests/support/FileContent.h"
#include "tests/support/HostPrograms.h"
#include "tests/support/NonRegularEntries.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace corvane;

namespace {

struct Run {
    int status = -1;
    QByteArray out;
    QString errors;
};

// A saved evaluation, as the program writes it; `options` as "2-1-4" for P2, E1 and E2.
QByteArray Evaluation(const char* options, const char* p1, const char* p, const char* index,
                      const char* ris, const char* type) {
    const QList<QByteArray> option = QByteArray(options).split('-');
    return "\xEF\xBB\xBF\r\n[Global]\r\nP2 = OptP2_" + option[0] + "\r\nE1 = OptE1_" + option[1] +
           "\r\nE2 = OptE2_" + option[2] + "\r\nP1 = " + p1 + "\r\nP = " + p + "\r\nI = " + index +
           "\r\nRIS = " + ris + "\r\nType = " + type +
           "\r\nDate = Mardi 08 Décembre 2026 à 10:00:00\r\n";
}

const char kSmall[] = "DPS de petite envergure (DPS-PE)";

} // namespace

class TestRapportCommand : public QObject {
    Q_OBJECT

    QTemporaryDir home_;
    QString folder_;

    Run Rapport(const QStringList& arguments,
                const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
        QProcess process;
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(folder_);
        process.start(QStringLiteral(CORVANE_RAPPORT), arguments);
        process.waitForFinished(60000);
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                process.readAllStandardOutput(), QString::fromUtf8(process.readAllStandardError())};
    }

private slots:
    void init() {
        folder_ = home_.path() + "/" + QTest::currentTestFunction() + "-" +
                  QString(QTest::currentDataTag()).remove(' ');
        QVERIFY(QDir().mkpath(folder_));
        WriteAll(folder_ + "/FETE DU VILLAGE.ini",
                 Evaluation("2-1-4", "2500", "2500", "0.95", "2.375", kSmall));
        WriteAll(folder_ + "/concert; plein air.ini",
                 Evaluation("4-1-4", "250000", "175000", "1.05", "183.750",
                            "DPS de grande envergure (DPS-GE)"));
        // Kept by hand: an unknown option, an impossible RIS, no date.
        WriteAll(folder_ + "/=ABIME.INI", "[Global]\r\nP2 = OptP2_7\r\nP1 = 12\r\nRIS = NaN\r\n");
        WriteAll(folder_ + "/notes.txt", "not an evaluation");
        // A name that is only the extension, and one that sorts by its first letter's accent.
        WriteAll(folder_ + "/.ini", Evaluation("1-1-1", "2500", "2500", "0.75", "1.875", kSmall));
        WriteAll(folder_ + "/Écluse en fête.ini",
                 Evaluation("1-1-1", "334", "334", "0.75", "0.250",
                            "Point d'alerte et de premier secours"));
    }

    void summaryIsExact() {
        const Run run = Rapport({"--resume", folder_});
        QCOMPARE(run.errors, QString());
        QCOMPARE(run.status, 0);
        QCOMPARE(run.out,
                 QByteArray("\xEF\xBB\xBF"
                            "Nom;Date d'enregistrement;P1;P;P2;E1;E2;Indice total de risque;RIS;"
                            "Type de DPS;Intervenants secouristes\r\n"
                            ";Mardi 08 Décembre 2026 à 10:00:00;2500;2500;0,25;0,25;0,25;0,75;"
                            "1,875;DPS de petite envergure (DPS-PE);4\r\n"
                            "'=ABIME;;12;;0,25;0,25;0,25;;NaN;;\r\n"
                            "\"concert; plein air\";Mardi 08 Décembre 2026 à 10:00:00;250000;"
                            "175000;0,40;0,25;0,40;1,05;183,750;DPS de grande envergure "
                            "(DPS-GE);184\r\n"
                            "Écluse en fête;Mardi 08 Décembre 2026 à 10:00:00;334;334;0,25;0,25;"
                            "0,25;0,75;0,250;Point d'alerte et de premier secours;2\r\n"
                            "FETE DU VILLAGE;Mardi 08 Décembre 2026 à 10:00:00;2500;2500;0,30;"
                            "0,25;0,40;0,95;2,375;DPS de petite envergure (DPS-PE);4\r\n"));
    }

    // A French spreadsheet's reading: UTF-8 with its mark, semicolons, decimal commas.
    void summaryReadsBackInFrenchForm() {
        const QString csv = folder_ + "/resume.csv";
        QCOMPARE(Rapport({"--resume", folder_, "-o", csv}).status, 0);
        if (HostProgram("python3").isEmpty()) {
            QSKIP("No Python here to read the CSV with.");
        }
        QProcess python;
        python.start(HostProgram("python3"), {"-c", R"(
import csv, sys
with open(sys.argv[1], encoding="utf-8-sig", newline="") as f:
    rows = list(csv.reader(f, delimiter=";"))
assert len(rows) == 6 and all(len(r) == 11 for r in rows), rows
row = rows[3]
ris = float(row[8].replace(",", "."))
index = float(row[7].replace(",", "."))
assert row[0] == "concert; plein air" and row[2] == "250000"
assert abs(ris - index * float(row[3]) / 1000) < 1e-6, (ris, index)
assert int(row[10]) == 184
print("ok")
)",
                                              csv});
        QVERIFY(python.waitForFinished(30000));
        QCOMPARE(python.readAllStandardError(), QByteArray());
        QCOMPARE(python.readAllStandardOutput().trimmed(), QByteArray("ok"));
    }

    // One bad file is told, with its name, and never stops the others.
    void badFilesAreToldAndSkipped_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("why");
        QTest::newRow("missing") << "ABSENT.ini"
                                 << "fichier introuvable";
        QTest::newRow("folder") << "DOSSIER.ini"
                                << "c'est un dossier, pas un fichier";
        QTest::newRow("pipe") << "TUBE.ini"
                              << "ce n'est pas un fichier ordinaire";
        // The system refuses to read this file, whoever asks.
        QTest::newRow("unreadable") << "ILLISIBLE.ini"
                                    << "lecture impossible (accès refusé ou erreur de lecture)";
    }

    void badFilesAreToldAndSkipped() {
        QFETCH(QString, name);
        QFETCH(QString, why);
        const QString path = folder_ + "/" + name;
        if (name == "DOSSIER.ini") {
            QVERIFY(QDir(folder_).mkdir(name));
        } else if (name == "TUBE.ini" && !MakeFifo(path)) {
            QSKIP("This system makes no pipes in folders.");
        } else if (name == "ILLISIBLE.ini" && !MakeUnreadableFile(path)) {
            QSKIP("This system has no file nobody can read.");
        }

        const Run reports = Rapport({path, folder_ + "/FETE DU VILLAGE.ini"});
        QCOMPARE(reports.status, 1);
        QCOMPARE(
            reports.errors,
            QString("corvane-rapport : « %1 » : %2\n").arg(QDir::toNativeSeparators(path), why));
        QVERIFY(QFileInfo(folder_ + "/FETE DU VILLAGE.pdf").size() > 0);

        if (name != "ABSENT.ini" && name != "DOSSIER.ini") {
            const Run summary = Rapport({"--resume", folder_});
            QCOMPARE(summary.status, 1);
            QCOMPARE(summary.errors, reports.errors);
            QCOMPARE(summary.out.count("\r\n"), 6);
        }
    }

    void reportsAreNeverWrittenOver() {
        const QString pdf = folder_ + "/FETE DU VILLAGE.pdf";
        WriteAll(pdf, "the user's own");
        const Run refused = Rapport({"FETE DU VILLAGE.ini"});
        QCOMPARE(refused.status, 1);
        QVERIFY(refused.errors.contains("--remplacer"));
        QCOMPARE(ReadAll(pdf), QByteArray("the user's own"));

        QCOMPARE(Rapport({"FETE DU VILLAGE.ini", "--remplacer"}).status, 0);
        QVERIFY(ReadAll(pdf).startsWith("%PDF"));
    }

    // --remplacer replaces a file, never what stands in for one.
    void onlyAFileIsReplaced_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("pipe") << "pipe";
        QTest::newRow("link") << "link";
        QTest::newRow("socket") << "socket";
        QTest::newRow("device") << "device";
    }
    void onlyAFileIsReplaced() {
        QFETCH(QString, kind);
        const QString target = folder_ + "/résumé.csv";
        BoundSocket socket;
        const bool made = kind == "pipe"     ? MakeFifo(target)
                          : kind == "link"   ? MakeSymbolicLink(folder_ + "/notes.txt", target)
                          : kind == "socket" ? socket.Bind(target)
                                             : MakeDeviceNode(target);
        if (!made) {
            QSKIP("Nothing of that kind can be made here (a device node takes the superuser; "
                  "Windows folders hold no pipes or sockets, and its links take a privilege).");
        }
        const QByteArray before = IdentityOf(target);

        const Run run = Rapport({"--resume", folder_, "-o", target, "--remplacer"});
        QCOMPARE(run.status, 1);
        QCOMPARE(run.errors, QString("corvane-rapport : « %1 » : ce n'est pas un fichier ordinaire "
                                     "(lien, périphérique ou tube) : il n'est pas remplacé\n")
                                 .arg(QDir::toNativeSeparators(target)));
        QCOMPARE(IdentityOf(target), before);
        QCOMPARE(ReadAll(folder_ + "/notes.txt"), QByteArray("not an evaluation"));
    }

    // A run killed while it wrote leaves its temporary file behind: the next run into the same
    // folder removes it once it is an hour old.
    void staleTemporariesAreSwept() {
        const QString reports = folder_ + "/Rapports/";
        QVERIFY(QDir().mkpath(reports));
        for (const char* name : {".cvabcd1234.tmp", ".cv0000wxyz.tmp"}) {
            WriteAll(reports + name, "%PDF cut short");
        }
        QFile stale(reports + ".cvabcd1234.tmp");
        QVERIFY(stale.open(QIODevice::ReadWrite));
        QVERIFY(stale.setFileTime(QDateTime::currentDateTime().addSecs(-2 * 60 * 60),
                                  QFileDevice::FileModificationTime));
        stale.close();

        QCOMPARE(Rapport({"FETE DU VILLAGE.ini", "-o", reports}).status, 0);
        QCOMPARE(QDir(reports).entryList(QDir::Files | QDir::Hidden),
                 QStringList({".cv0000wxyz.tmp", "FETE DU VILLAGE.pdf"}));
    }

    // Just above a bound, where the saved three decimals fall on it: the count follows the RIS
    // the grid computed, in the summary and in the report alike.
    void workersNearTheBounds_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("workers");
        QTest::newRow("1-1-1, 334") << Evaluation("1-1-1", "334", "334", "0.75", "0.250",
                                                  "Point d'alerte et de premier secours")
                                    << "2";
        QTest::newRow("1-1-3, 1324")
            << Evaluation("1-1-3", "1324", "1324", "0.85", "1.125", kSmall) << "4";
        QTest::newRow("1-1-3, 4706")
            << Evaluation("1-1-3", "4706", "4706", "0.85", "4.000", kSmall) << "6";
        QTest::newRow("1-1-1, 10667")
            << Evaluation("1-1-1", "10667", "10667", "0.75", "8.000", kSmall) << "10";
        QTest::newRow("1-1-1, 18667") << Evaluation("1-1-1", "18667", "18667", "0.75", "14.000",
                                                    "DPS de moyenne envergure (DPS-ME)")
                                      << "16";
        QTest::newRow("1-1-1, 50667") << Evaluation("1-1-1", "50667", "50667", "0.75", "38.000",
                                                    "DPS de grande envergure (DPS-GE)")
                                      << "40";
    }

    void workersNearTheBounds() {
        QFETCH(QByteArray, file);
        QFETCH(QString, workers);
        const QString folder = folder_ + "/bornes";
        QVERIFY(QDir().mkpath(folder));
        WriteAll(folder + "/BORNE.ini", file);

        const Run summary = Rapport({"--resume", folder});
        QCOMPARE(summary.status, 0);
        QVERIFY2(summary.out.endsWith(";" + workers.toUtf8() + "\r\n"), summary.out);

        QCOMPARE(Rapport({folder + "/BORNE.ini"}).status, 0);
        if (HostProgram("pdftotext").isEmpty()) {
            QSKIP("No pdftotext here to read the PDF with.");
        }
        QProcess text;
        text.start(HostProgram("pdftotext"), {"-layout", folder + "/BORNE.pdf", "-"});
        QVERIFY(text.waitForFinished(30000));
        QVERIFY(QString::fromUtf8(text.readAllStandardOutput())
                    .contains(QRegularExpression("Nombre recommandé : " + workers + "\n")));
    }

    // The event's file, then its evaluations: one missing is told and left out.
    void dossier() {
        const QByteArray event = "\xEF\xBB\xBF[Evenement]\r\nNom = Fête du village\r\n"
                                 "Lieu = Plouzané\r\nDebut = 8/12/2026 10:00\r\n"
                                 "Fin = 09/12/2026 02:00\r\nOrganisateur = Mairie\r\n"
                                 "[Evaluations]\r\nconcert; plein air = acteurs;09/12/2026\r\n";
        WriteAll(folder_ + "/fete.ini", event);
        const Run run = Rapport({"--dossier", "fete.ini", "FETE DU VILLAGE.ini",
                                 "concert; plein air.ini", "Écluse en fête.ini", "absent.ini"});
        QCOMPARE(run.status, 1);
        QCOMPARE(run.out,
                 "Dossier écrit : " + QDir::toNativeSeparators("./fete.pdf").toUtf8() + "\n");
        QCOMPARE(run.errors, "corvane-rapport : « absent.ini » : fichier introuvable : laissé "
                             "hors du dossier\n");
        if (HostProgram("pdftotext").isEmpty()) {
            QSKIP("No pdftotext here to read the PDF with.");
        }
        QProcess text;
        text.start(HostProgram("pdftotext"), {"-layout", folder_ + "/fete.pdf", "-"});
        QVERIFY(text.waitForFinished(30000));
        const QString first = QString::fromUtf8(text.readAllStandardOutput()).split(u'\f')[0];
        const char* const lines[] = {
            "— FETE DU VILLAGE public 2 500 2 500 0,95 2,375 DPS-PE 4 1",
            "09/12/2026 concert; plein air acteurs 250 000 175 000 1,05 183,750 DPS-GE 184 16",
            "— Écluse en fête public 334 334 0,75 0,250 PAPS 2 binôme (0,2505)", "Page 1 sur 4"};
        for (const char* line : lines) {
            QVERIFY2(first.simplified().contains(QString::fromUtf8(line)), line);
        }

        // Details that cannot make a dossier make none.
        WriteAll(folder_ + "/fete.ini",
                 QByteArray(event).replace("09/12/2026 02:00", "7/12/2026 02:00"));
        const Run refused =
            Rapport({"--dossier", "fete.ini", "FETE DU VILLAGE.ini", "-o", "x.pdf"});
        QCOMPARE(refused.status, 1);
        QVERIFY2(refused.errors.contains("doit venir après son début"), qPrintable(refused.errors));
        QVERIFY(!QFile::exists(folder_ + "/x.pdf"));
    }

    // Saved before any headcount: no report, and no count in the summary.
    void evaluationWithoutHeadcount() {
        const QString path = folder_ + "/VIDE.ini";
        WriteAll(path, Evaluation("1-2-1", "", "", "0.80", "", ""));
        const Run report = Rapport({path});
        QCOMPARE(report.status, 1);
        QCOMPARE(report.errors, QString("corvane-rapport : « %1 » : l'évaluation ne contient pas "
                                        "d'effectif (P1)\n")
                                    .arg(QDir::toNativeSeparators(path)));
        QVERIFY(!QFileInfo::exists(folder_ + "/VIDE.pdf"));

        const Run summary = Rapport({"--resume", folder_});
        QCOMPARE(summary.status, 0);
        QVERIFY(summary.out.contains("\r\nVIDE;Mardi 08 Décembre 2026 à 10:00:00;;;0,25;0,30;0,25;"
                                     "0,80;;;\r\n"));
    }

    // Values edited by hand into formulas reach a spreadsheet as text; plain numbers stay numbers.
    void nothingInTheSummaryRuns() {
        const QString folder = folder_ + "/hostile";
        QVERIFY(QDir().mkpath(folder));
        WriteAll(folder + "/=1+2.ini",
                 Evaluation("1-1-1", "=HYPERLINK(\"http://example.invalid\";\"clic\")", "@SUM(1+1)",
                            "=1+2", "+3", "-2+3")
                     .replace("Date = ", "Date = +"));
        WriteAll(folder + "/-500.ini", Evaluation("1-1-1", "-500", "-500", "0.75", "-0.375",
                                                  "Diligence de l'autorité de police compétente"));
        const QString csv = folder_ + "/hostile.csv";
        QCOMPARE(Rapport({"--resume", folder, "-o", csv}).status, 0);
        QCOMPARE(ReadAll(csv).split('\n').mid(1),
                 QList<QByteArray>({"-500;Mardi 08 Décembre 2026 à 10:00:00;-500;-500;0,25;0,25;"
                                    "0,25;0,75;-0,375;Diligence de l'autorité de police "
                                    "compétente;0\r",
                                    "'=1+2;'+Mardi 08 Décembre 2026 à 10:00:00;"
                                    "\"'=HYPERLINK(\"\"http://example.invalid\"\";\"\"clic\"\")\";"
                                    "'@SUM(1+1);0,25;0,25;0,25;'=1+2;'+3;'-2+3;\r",
                                    ""}));

        // LibreOffice as a French user opens the file: semicolons, UTF-8, French figures.
        if (QStandardPaths::findExecutable("soffice").isEmpty()) {
            QSKIP("LibreOffice is not installed");
        }
        QProcess office;
        office.setWorkingDirectory(folder_);
        office.start("soffice", {"-env:UserInstallation=file://" + folder_ + "/office",
                                 "--headless", "--infilter=CSV:59,34,76,1,,1036", "--convert-to",
                                 "fods", "--outdir", folder_, csv});
        QVERIFY(office.waitForFinished(120000));
        const QString sheet = QString::fromUtf8(ReadAll(folder_ + "/hostile.fods"));
        QVERIFY2(sheet.contains("table:table-cell"), qPrintable(office.readAllStandardError()));
        QVERIFY(!sheet.contains("table:formula"));
        for (const char* text :
             {"&apos;=1+2", "&apos;=HYPERLINK(", "&apos;@SUM(1+1)", "&apos;+3", "&apos;-2+3"}) {
            QVERIFY2(
                sheet.contains(QRegularExpression("office:value-type=\"string\"[^>]*>\\s*<text:p>" +
                                                  QRegularExpression::escape(text))),
                text);
        }
        QVERIFY(sheet.contains("office:value-type=\"float\" office:value=\"-500\""));
        QVERIFY(sheet.contains("office:value-type=\"float\" office:value=\"-0.375\""));
    }

    // The menu's summary goes into Documents and is handed to the desktop's opener, whose
    // failure is the command's.
    void summaryOpenedFromTheMenu_data() {
        QTest::addColumn<int>("openerStatus");
        QTest::addColumn<int>("status");
        QTest::newRow("a spreadsheet took it") << 0 << 0;
        QTest::newRow("nothing could open it") << 3 << 1;
    }

    void summaryOpenedFromTheMenu() {
        QFETCH(int, openerStatus);
        QFETCH(int, status);
        if (HostProgram("sh").isEmpty()) {
            QSKIP("The desktop's opener is played by a shell script here.");
        }
        const QString documents = folder_ + "/Documents";
        QVERIFY(QDir().mkpath(documents + "/Mes Evaluations"));
        QVERIFY(QFile::copy(folder_ + "/FETE DU VILLAGE.ini",
                            documents + "/Mes Evaluations/FETE DU VILLAGE.ini"));
        WriteAll(folder_ + "/xdg-open", QString("#!/bin/sh\necho \"$1\" > '%1/opened'\nexit %2\n")
                                            .arg(folder_)
                                            .arg(openerStatus)
                                            .toUtf8());
        QVERIFY(QFile::setPermissions(folder_ + "/xdg-open", QFile::ReadOwner | QFile::ExeOwner));
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("HOME", folder_);
        environment.insert("XDG_CONFIG_HOME", folder_ + "/.config");
        environment.insert("PATH", folder_ + ":" + environment.value("PATH"));

        const Run run = Rapport({"--resume", "--ouvrir"}, environment);

        const QString summary = documents + "/Résumé des évaluations.csv";
        QCOMPARE(run.status, status);
        QCOMPARE(ReadAll(summary).count("\r\n"), 2);
        QCOMPARE(ReadAll(folder_ + "/opened").trimmed(), summary.toUtf8());
        QCOMPARE(run.errors.isEmpty(), status == 0);
    }

    // -o names the reports' folder, made with its parents when missing; nothing is written when
    // the name is taken by something else.
    void reportsFolder_data() {
        QTest::addColumn<QString>("output");
        QTest::addColumn<QString>("why");
        QTest::newRow("missing, with its parent") << "Rapports/2026"
                                                  << "";
        QTest::newRow("a plain file") << "notes.txt"
                                      << "ce n'est pas un dossier";
        QTest::newRow("under a plain file")
            << "notes.txt/Rapports"
            << "création du dossier impossible (dossier protégé ou disque plein ?)";
    }

    void reportsFolder() {
        QFETCH(QString, output);
        QFETCH(QString, why);
        const QString folder = folder_ + "/" + output;
        const Run run = Rapport({"FETE DU VILLAGE.ini", "-o", folder});
        if (why.isEmpty()) {
            QCOMPARE(run.errors, QString());
            QCOMPARE(run.status, 0);
            QVERIFY(ReadAll(folder + "/FETE DU VILLAGE.pdf").startsWith("%PDF"));
        } else {
            QCOMPARE(run.errors, QString("corvane-rapport : « %1 » : %2\n")
                                     .arg(QDir::toNativeSeparators(folder), why));
            QCOMPARE(run.status, 1);
            QVERIFY(run.out.isEmpty());
            QCOMPARE(ReadAll(folder_ + "/notes.txt"), QByteArray("not an evaluation"));
        }
        QVERIFY(!QFile::exists(folder_ + "/FETE DU VILLAGE.pdf"));
    }

    void mistakesInTheCommandLine_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("mistake");
        QTest::newRow("nothing") << QStringList{} << "aucun fichier d'évaluation";
        // Told as typed, accents too.
        QTest::newRow("unknown option") << QStringList{"-résumé"} << "option inconnue « -résumé »";
        QTest::newRow("-o without a name")
            << QStringList{"A.ini", "-o"} << "l'option -o attend un nom de dossier ou de fichier";
        QTest::newRow("two folders")
            << QStringList{"--resume", "a", "b"} << "--resume prend un seul dossier";
        QTest::newRow("--ouvrir alone")
            << QStringList{"A.ini", "--ouvrir"} << "--ouvrir ne sert qu'avec --resume";
    }

    void mistakesInTheCommandLine() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, mistake);
        const Run run = Rapport(arguments);
        QCOMPARE(run.status, 2);
        QCOMPARE(run.errors,
                 "corvane-rapport : " + mistake + "\nEssayez « corvane-rapport --help ».\n");
        QVERIFY(run.out.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestRapportCommand)
#include "test_rapport_command.moc"
