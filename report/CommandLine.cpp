#include "report/CommandLine.h"

#include <QCommandLineParser>

namespace corvane {

namespace {

CommandLine Mistake(const QString& what) {
    CommandLine line;
    line.mistake = what;
    return line;
}

CommandLine Only(CommandLine::Task task) {
    CommandLine line;
    line.task = task;
    return line;
}

// The parser would also take "-resume" for "--resume", "--o" for "-o" and "-o=x" for "-o x", and
// it names an unknown option without its dashes. This program takes each option only as its help
// writes it, and names a wrong one as it was typed. Returns the position of the first option
// written otherwise, or the number of arguments when there is none.
qsizetype FirstOptionNotInTheHelp(const QStringList& arguments) {
    static const QStringList kOptions = {"--resume", "--dossier", "--remplacer", "--ouvrir",
                                         "-o",       "--help",    "-h",          "--version"};
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == "--") {
            break;
        }
        if (argument == "-o") {
            // Its value is a name, even one that starts with a dash.
            ++i;
        } else if (argument.startsWith('-') && argument != "-" && !kOptions.contains(argument)) {
            return i;
        }
    }
    return arguments.size();
}

} // namespace

CommandLine ParseCommandLine(const QStringList& arguments) {
    const QCommandLineOption help({"h", "help"}, {});
    const QCommandLineOption version("version", {});
    const QCommandLineOption summary("resume", {});
    const QCommandLineOption dossier("dossier", {});
    const QCommandLineOption replace("remplacer", {});
    const QCommandLineOption open("ouvrir", {});
    const QCommandLineOption output("o", {}, "DOSSIER");
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOptions({help, version, summary, dossier, replace, open, output});

    // The reading stops at a wrong option: what comes before it still counts, so that
    // "--help --pdf" shows the help and "--pdf --help" tells the mistake.
    const qsizetype wrongOption = FirstOptionNotInTheHelp(arguments);
    // The parser's only refusal left is a -o without a value at the very end, found below.
    parser.parse(QStringList("corvane-rapport") + arguments.first(wrongOption));

    const QStringList outputs = parser.values(output);
    qsizetype outputsSeen = 0;
    for (const QString& name : parser.optionNames()) {
        if (help.names().contains(name)) {
            return Only(CommandLine::Task::Help);
        }
        if (version.names().contains(name)) {
            return Only(CommandLine::Task::Version);
        }
        if (output.names().contains(name) && outputs.value(outputsSeen++).isEmpty()) {
            return Mistake("l'option -o attend un nom de dossier ou de fichier");
        }
    }
    if (wrongOption < arguments.size()) {
        return Mistake(QString("option inconnue « %1 »").arg(arguments[wrongOption]));
    }

    CommandLine line;
    line.replace = parser.isSet(replace);
    line.open = parser.isSet(open);
    line.output = parser.value(output);
    const QStringList operands = parser.positionalArguments();
    if (parser.isSet(summary) && parser.isSet(dossier)) {
        return Mistake("--resume et --dossier ne vont pas ensemble");
    }
    if (parser.isSet(dossier)) {
        if (line.open) {
            return Mistake("--ouvrir ne sert qu'avec --resume");
        }
        if (operands.size() < 2) {
            return Mistake("--dossier attend le fichier de l'événement puis au moins un fichier "
                           "d'évaluation");
        }
        line.eventFile = operands.first();
        line.files = operands.mid(1);
        line.task = CommandLine::Task::Dossier;
        return line;
    }
    if (parser.isSet(summary)) {
        if (operands.size() > 1) {
            return Mistake("--resume prend un seul dossier");
        }
        if (line.open && !line.output.isEmpty()) {
            return Mistake("--ouvrir écrit le résumé dans vos Documents : il ne va pas avec -o");
        }
        line.folder = operands.value(0);
        line.task = CommandLine::Task::Summary;
        return line;
    }
    if (line.open) {
        return Mistake("--ouvrir ne sert qu'avec --resume");
    }
    if (operands.isEmpty()) {
        return Mistake("aucun fichier d'évaluation");
    }
    line.files = operands;
    line.task = CommandLine::Task::Reports;
    return line;
}

QString UsageText() {
    return QStringLiteral(
        "Usage : corvane-rapport FICHIER.ini... [-o DOSSIER] [--remplacer]\n"
        "        corvane-rapport --resume [DOSSIER] [-o FICHIER.csv] [--remplacer]\n"
        "        corvane-rapport --resume --ouvrir\n"
        "        corvane-rapport --dossier EVENEMENT.ini FICHIER.ini... [-o FICHIER.pdf]\n"
        "\n"
        "Écrit le rapport PDF (A4) de chaque évaluation enregistrée par Corvane, à côté\n"
        "de son fichier ou dans DOSSIER, ou le résumé de toutes les évaluations d'un dossier\n"
        "(par défaut « Mes Evaluations » de vos Documents) en tableau CSV pour tableur,\n"
        "ou le dossier de déclaration d'un événement : une première page qui résume\n"
        "l'événement et ses évaluations, puis une page par évaluation.\n"
        "\n"
        "  -o DOSSIER       dossier des rapports PDF, créé s'il n'existe pas\n"
        "  -o FICHIER.csv   fichier du résumé (sinon, la sortie standard)\n"
        "  --remplacer      remplacer un fichier qui existe déjà\n"
        "  --resume         résumé CSV : UTF-8, points-virgules, virgules décimales\n"
        "  --ouvrir         écrire le résumé dans vos Documents et l'ouvrir avec le tableur\n"
        "  --dossier        dossier de déclaration PDF, d'après le fichier de l'événement\n"
        "  -o FICHIER.pdf   fichier du dossier (sinon, à côté du fichier de l'événement)\n"
        "  --help           afficher cette aide\n"
        "  --version        afficher la version\n"
        "  --               fin des options : tout ce qui suit est un fichier\n"
        "\n"
        "Code de sortie : 0 quand tous les fichiers ont été traités, 1 sinon, 2 pour\n"
        "une erreur dans la ligne de commande.\n");
}

} // namespace corvane
