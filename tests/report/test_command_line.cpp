// What corvane-rapport understands of its arguments: the options only as its help writes them,
// "--" and "-", and the French words for each mistake.
#include "report/CommandLine.h"

#include <QTest>

using namespace corvane;

Q_DECLARE_METATYPE(corvane::CommandLine::Task)

class TestCommandLine : public QObject {
    Q_OBJECT

private slots:
    void understoodLines_data() {
        using Task = CommandLine::Task;
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<Task>("task");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("output");
        QTest::addColumn<bool>("replace");
        QTest::addColumn<bool>("open");

        QTest::newRow("files") << QStringList{"A.ini", "B.ini"} << Task::Reports
                               << QStringList{"A.ini", "B.ini"} << ""
                               << "" << false << false;
        QTest::newRow("options among the files")
            << QStringList{"--remplacer", "A.ini", "-o", "Rapports", "B.ini"} << Task::Reports
            << QStringList{"A.ini", "B.ini"} << ""
            << "Rapports" << true << false;
        QTest::newRow("the last -o") << QStringList{"-o", "Un", "A.ini", "-o", "Deux"}
                                     << Task::Reports << QStringList{"A.ini"} << ""
                                     << "Deux" << false << false;
        QTest::newRow("-o names a folder that starts with a dash")
            << QStringList{"A.ini", "-o", "-x"} << Task::Reports << QStringList{"A.ini"} << ""
            << "-x" << false << false;
        QTest::newRow("-- ends the options")
            << QStringList{"--", "-x", "--help", "--", "-o"} << Task::Reports
            << QStringList{"-x", "--help", "--", "-o"} << ""
            << "" << false << false;
        QTest::newRow("a lone dash is a file")
            << QStringList{"-", "A.ini"} << Task::Reports << QStringList{"-", "A.ini"} << ""
            << "" << false << false;
        QTest::newRow("summary of a folder into a file")
            << QStringList{"--resume", "Dossier", "-o", "r.csv", "--remplacer"} << Task::Summary
            << QStringList{} << "Dossier"
            << "r.csv" << true << false;
        QTest::newRow("summary of the user's folder")
            << QStringList{"--resume"} << Task::Summary << QStringList{} << ""
            << "" << false << false;
        QTest::newRow("summary opened")
            << QStringList{"--ouvrir", "--resume"} << Task::Summary << QStringList{} << ""
            << "" << false << true;
        QTest::newRow("dossier") << QStringList{"--dossier", "fete.ini", "A.ini",
                                                "-o",        "d.pdf",    "B.ini"}
                                 << Task::Dossier << QStringList{"A.ini", "B.ini"} << ""
                                 << "d.pdf" << false << false;
        QTest::newRow("--help before a mistake")
            << QStringList{"--help", "--pdf"} << Task::Help << QStringList{} << ""
            << "" << false << false;
        QTest::newRow("-h") << QStringList{"A.ini", "-h", "-o"} << Task::Help << QStringList{} << ""
                            << "" << false << false;
        QTest::newRow("--version") << QStringList{"--resume", "a", "b", "--version"}
                                   << Task::Version << QStringList{} << ""
                                   << "" << false << false;
    }

    void understoodLines() {
        QFETCH(QStringList, arguments);
        QFETCH(CommandLine::Task, task);
        QFETCH(QStringList, files);
        QFETCH(QString, folder);
        QFETCH(QString, output);
        QFETCH(bool, replace);
        QFETCH(bool, open);
        const CommandLine line = ParseCommandLine(arguments);
        QCOMPARE(line.mistake, QString());
        QCOMPARE(line.task, task);
        QCOMPARE(line.files, files);
        QCOMPARE(line.folder, folder);
        QCOMPARE(line.output, output);
        QCOMPARE(line.replace, replace);
        QCOMPARE(line.open, open);
    }

    void mistakes_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("mistake");
        QTest::newRow("nothing") << QStringList{} << "aucun fichier d'évaluation";
        QTest::newRow("only --") << QStringList{"--"} << "aucun fichier d'évaluation";
        QTest::newRow("unknown option")
            << QStringList{"A.ini", "--pdf"} << "option inconnue « --pdf »";
        QTest::newRow("one dash and a word")
            << QStringList{"-pdf", "A.ini"} << "option inconnue « -pdf »";
        QTest::newRow("the first of two") << QStringList{"-x", "--y"} << "option inconnue « -x »";
        QTest::newRow("before --help")
            << QStringList{"--pdf", "--help"} << "option inconnue « --pdf »";
        QTest::newRow("after --") << QStringList{"--resume", "--", "--pdf", "-x", "-y"}
                                  << "--resume prend un seul dossier";
        QTest::newRow("a long option with one dash")
            << QStringList{"-resume"} << "option inconnue « -resume »";
        QTest::newRow("-o with two dashes")
            << QStringList{"A.ini", "--o", "Rapports"} << "option inconnue « --o »";
        QTest::newRow("-o with =")
            << QStringList{"A.ini", "-o=Rapports"} << "option inconnue « -o=Rapports »";
        QTest::newRow("a value given to --resume")
            << QStringList{"--resume=Dossier"} << "option inconnue « --resume=Dossier »";
        QTest::newRow("-h with two dashes") << QStringList{"--h"} << "option inconnue « --h »";
        QTest::newRow("-o at the end")
            << QStringList{"A.ini", "-o"} << "l'option -o attend un nom de dossier ou de fichier";
        QTest::newRow("-o with an empty name")
            << QStringList{"A.ini", "-o", "", "--help"}
            << "l'option -o attend un nom de dossier ou de fichier";
        QTest::newRow("two folders")
            << QStringList{"--resume", "a", "b"} << "--resume prend un seul dossier";
        QTest::newRow("--ouvrir and -o")
            << QStringList{"--resume", "--ouvrir", "-o", "r.csv"}
            << "--ouvrir écrit le résumé dans vos Documents : il ne va pas avec -o";
        QTest::newRow("dossier without an evaluation")
            << QStringList{"--dossier", "fete.ini"}
            << "--dossier attend le fichier de l'événement puis au moins un fichier d'évaluation";
        QTest::newRow("dossier and summary") << QStringList{"--dossier", "--resume", "e", "a"}
                                             << "--resume et --dossier ne vont pas ensemble";
        QTest::newRow("--ouvrir without --resume")
            << QStringList{"A.ini", "--ouvrir"} << "--ouvrir ne sert qu'avec --resume";
    }

    void mistakes() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, mistake);
        const CommandLine line = ParseCommandLine(arguments);
        QCOMPARE(line.task, CommandLine::Task::Mistake);
        QCOMPARE(line.mistake, mistake);
    }
};

QTEST_APPLESS_MAIN(TestCommandLine)
#include "test_command_line.moc"
