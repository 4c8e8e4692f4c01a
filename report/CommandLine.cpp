#include "report/CommandLine.h"

namespace corvane {

namespace {

CommandLine Mistake(const QString& what) {
    CommandLine line;
    line.mistake = what;
    return line;
}

} // namespace

CommandLine ParseCommandLine(const QStringList& arguments) {
    CommandLine line;
    bool summary = false;
    bool optionsEnded = false;
    QStringList operands;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (optionsEnded || !argument.startsWith('-') || argument == "-") {
            operands << argument;
        } else if (argument == "--") {
            optionsEnded = true;
        } else if (argument == "--help" || argument == "-h") {
            line.task = CommandLine::Task::Help;
            return line;
        } else if (argument == "--version") {
            line.task = CommandLine::Task::Version;
            return line;
        } else if (argument == "--resume") {
            summary = true;
        } else if (argument == "--remplacer") {
            line.replace = true;
        } else if (argument == "--ouvrir") {
            line.open = true;
        } else if (argument == "-o") {
            if (++i == arguments.size() || arguments[i].isEmpty()) {
                return Mistake("l'option -o attend un nom de dossier ou de fichier");
            }
            line.output = arguments[i];
        } else {
            return Mistake(QString("option inconnue « %1 »").arg(argument));
        }
    }
    if (summary) {
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
        "\n"
        "Écrit le rapport PDF (A4) de chaque évaluation enregistrée par Corvane, à côté\n"
        "de son fichier ou dans DOSSIER, ou le résumé de toutes les évaluations d'un dossier\n"
        "(par défaut « Mes Evaluations » de vos Documents) en tableau CSV pour tableur.\n"
        "\n"
        "  -o DOSSIER       dossier des rapports PDF\n"
        "  -o FICHIER.csv   fichier du résumé (sinon, la sortie standard)\n"
        "  --remplacer      remplacer un fichier qui existe déjà\n"
        "  --resume         résumé CSV : UTF-8, points-virgules, virgules décimales\n"
        "  --ouvrir         écrire le résumé dans vos Documents et l'ouvrir avec le tableur\n"
        "  --help           afficher cette aide\n"
        "  --version        afficher la version\n"
        "\n"
        "Code de sortie : 0 quand tous les fichiers ont été traités, 1 sinon, 2 pour\n"
        "une erreur dans la ligne de commande.\n");
}

} // namespace corvane
