#include "report/ReportCommands.h"

#include "core/EventDetails.h"
#include "platform/files/DetachedOpen.h"
#include "platform/files/FolderReading.h"
#include "platform/files/ReplaceFile.h"
#include "platform/files/TemporaryFiles.h"
#include "platform/files/UserFolders.h"
#include "report/DossierPdf.h"
#include "report/DossierSources.h"
#include "report/FrenchNameOrder.h"
#include "report/OpenedEvent.h"
#include "report/ReportPdf.h"
#include "report/ReportTexts.h"
#include "report/SummaryCsv.h"

#include <QDir>
#include <QFileInfo>
#include <QThread>
#include <QtConcurrent/QtConcurrentMap>

#include <algorithm>
#include <map>

namespace corvane {

namespace {

const char kSummaryFileName[] = "Résumé des évaluations.csv";

void Tell(std::FILE* stream, const QString& text) {
    std::fputs((text + '\n').toUtf8().constData(), stream);
}

void TellFailure(std::FILE* errors, const QString& path, const QString& why) {
    Tell(errors, QString("corvane-rapport : « %1 » : %2").arg(QDir::toNativeSeparators(path), why));
}

// Only a regular file is replaced: a link, a device, a pipe or a socket would become a plain file
// in its place (the system's /dev/null among them, for the superuser).
bool IsReplaceable(const QString& path) {
    const QFileInfo target(path);
    return !target.isSymLink() && (!target.exists() || target.isFile());
}

// Writes what `write` makes to `path`; on failure tells why and returns false.
bool Store(const QString& path, const FileContent& write, bool replace, std::FILE* errors,
           FolderSync folderSync = FolderSync::Now) {
    if (replace) {
        if (!IsReplaceable(path)) {
            TellFailure(errors, path,
                        "ce n'est pas un fichier ordinaire (lien, périphérique ou tube) : il "
                        "n'est pas remplacé");
            return false;
        }
        if (ReplaceFileStreamed(path, write, folderSync)) {
            return true;
        }
        TellFailure(errors, path, "écriture impossible (dossier protégé ou disque plein ?)");
        return false;
    }
    switch (WriteNewFileStreamed(path, write, folderSync)) {
    case NewFileOutcome::Written:
        return true;
    case NewFileOutcome::AlreadyThere:
        TellFailure(errors, path, "existe déjà ; --remplacer pour le remplacer");
        return false;
    case NewFileOutcome::Failed:
        break;
    }
    TellFailure(errors, path, "écriture impossible (dossier protégé ou disque plein ?)");
    return false;
}

bool Store(const QString& path, const QByteArray& bytes, bool replace, std::FILE* errors,
           FolderSync folderSync = FolderSync::Now) {
    return Store(
        path, [&bytes](const FileSink& sink) { return sink(bytes); }, replace, errors, folderSync);
}

// What one evaluation's report came to, drawn away from the others.
struct DrawnReport {
    QString failure; // why there is no report, in French
    QByteArray pdf;
};

DrawnReport DrawReport(const QString& file) {
    const OpeningResult opened = OpenEvaluationFile(file.toStdString());
    if (!opened.evaluation) {
        return {QString::fromStdString(opened.failure), {}};
    }
    if (QString empty = WhyNothingToReport(opened.evaluation->verdict.results); !empty.isEmpty()) {
        return {std::move(empty), {}};
    }
    QByteArray pdf = RenderReportPdf(*opened.evaluation);
    if (pdf.isEmpty()) {
        return {QStringLiteral("le rapport n'a pas pu être dessiné"), {}};
    }
    return {{}, std::move(pdf)};
}

bool IsEvaluationName(const QString& name, bool isFolder) {
    return !isFolder && name.endsWith(QStringLiteral(".ini"), Qt::CaseInsensitive);
}

// In the order of the evaluations' names, as a French reader sorts them: letter case and accents
// aside, "FÊTE" beside "FETE"; names that sort alike keep a fixed order.
std::vector<QString> NamesInFrenchOrder(std::vector<FileEntry> entries) {
    std::vector<std::pair<QString, std::size_t>> keyed;
    keyed.reserve(entries.size());
    for (std::size_t index = 0; index < entries.size(); ++index) {
        keyed.emplace_back(FrenchSortKey(QFileInfo(entries[index].name).completeBaseName()), index);
    }
    std::sort(keyed.begin(), keyed.end(), [&entries](const auto& a, const auto& b) {
        const int order = a.first.compare(b.first);
        return order != 0 ? order < 0 : entries[a.second].name < entries[b.second].name;
    });
    std::vector<QString> names;
    names.reserve(keyed.size());
    for (const auto& [key, index] : keyed) {
        names.push_back(std::move(entries[index].name));
    }
    return names;
}

// A report killed while it was written leaves its temporary file in the folder it was written
// to: the next run into that folder removes those older than an hour.
void SweepOnce(const QString& folder, QStringList& swept) {
    const QString absolute = QFileInfo(folder).absoluteFilePath();
    if (!swept.contains(absolute)) {
        swept << absolute;
        RemoveStaleTemporaries(absolute);
    }
}

} // namespace

int WriteReports(const CommandLine& line, std::FILE* out, std::FILE* errors) {
    if (!line.output.isEmpty()) {
        const QFileInfo output(line.output);
        if (output.exists() && !output.isDir()) {
            TellFailure(errors, line.output, "ce n'est pas un dossier");
            return 1;
        }
        if (!QDir().mkpath(line.output)) {
            TellFailure(errors, line.output,
                        "création du dossier impossible (dossier protégé ou disque plein ?)");
            return 1;
        }
    }
    // Drawn a few at a time on every core, written and told in the order given; each folder
    // written into is synced once, after its last report.
    const qsizetype batch = 2 * std::max(1, QThread::idealThreadCount());
    QStringList sweptFolders;
    std::map<QString, QString> lastWritten; // folder, a report written there
    int status = 0;
    for (qsizetype start = 0; start < line.files.size(); start += batch) {
        const QStringList files = line.files.mid(start, batch);
        const QList<DrawnReport> drawn = QtConcurrent::blockingMapped(files, DrawReport);
        for (qsizetype index = 0; index < files.size(); ++index) {
            const QString& file = files[index];
            if (!drawn[index].failure.isEmpty()) {
                TellFailure(errors, file, drawn[index].failure);
                status = 1;
                continue;
            }
            const QFileInfo source(file);
            const QString folder = line.output.isEmpty() ? source.path() : line.output;
            const QString target = QDir(folder).filePath(source.completeBaseName() + ".pdf");
            SweepOnce(folder, sweptFolders);
            if (Store(target, drawn[index].pdf, line.replace, errors, FolderSync::Later)) {
                lastWritten[folder] = target;
                Tell(out, QString("Rapport écrit : %1").arg(QDir::toNativeSeparators(target)));
            } else {
                status = 1;
            }
        }
    }
    for (const auto& [folder, report] : lastWritten) {
        if (!SyncFolderOf(report)) {
            TellFailure(errors, folder, "le dossier n'a pas pu être synchronisé sur le disque");
            status = 1;
        }
    }
    return status;
}

int WriteDossier(const CommandLine& line, std::FILE* out, std::FILE* errors) {
    const EventOpening event = OpenEventFile(line.eventFile);
    if (!event.details) {
        TellFailure(errors, line.eventFile, QString::fromStdString(event.failure));
        return 1;
    }
    if (const std::optional<EventRefusal> refusal = CheckEventDetails(*event.details)) {
        TellFailure(errors, line.eventFile, QString::fromStdString(refusal->message));
        return 1;
    }
    DossierSources sources = OpenDossierSources(line.files);
    for (const LeftOut& left : sources.leftOut) {
        TellFailure(errors, left.path, left.why + QStringLiteral(" : laissé hors du dossier"));
    }
    if (sources.evaluations.empty()) {
        TellFailure(errors, line.eventFile, "aucune évaluation à mettre au dossier");
        return 1;
    }
    const QFileInfo eventFile(line.eventFile);
    const QString target =
        line.output.isEmpty()
            ? QDir(eventFile.path()).filePath(eventFile.completeBaseName() + ".pdf")
            : line.output;
    RemoveStaleTemporaries(QFileInfo(target).absolutePath());
    const QByteArray pdf = RenderDossierPdf(
        *event.details, PlaceInEvent(*event.details, std::move(sources.evaluations)));
    if (pdf.isEmpty()) {
        TellFailure(errors, target, "le dossier n'a pas pu être dessiné");
        return 1;
    }
    if (!Store(target, pdf, line.replace, errors)) {
        return 1;
    }
    Tell(out, QString("Dossier écrit : %1").arg(QDir::toNativeSeparators(target)));
    return sources.leftOut.empty() ? 0 : 1;
}

int WriteSummary(const CommandLine& line, std::FILE* out, std::FILE* errors) {
    const QString folder = line.folder.isEmpty()
                               ? QDir(UserDocumentsFolder()).filePath(kEvaluationsFolderName)
                               : line.folder;
    if (!QFileInfo(folder).isDir()) {
        TellFailure(errors, folder, "ce dossier n'existe pas");
        return 1;
    }
    const std::vector<QString> names = NamesInFrenchOrder(ReadFolder(folder, IsEvaluationName));
    // Each line is written as its evaluation is read: nothing grows with the number of files.
    int status = 0;
    const FileContent summary = [&](const FileSink& sink) {
        if (!sink(QByteArray::fromStdString(SummaryCsvHeading()))) {
            return false;
        }
        for (const QString& name : names) {
            const QString path = QDir(folder).filePath(name);
            const OpeningResult opened = OpenEvaluationFile(path.toStdString());
            if (!opened.evaluation) {
                TellFailure(errors, path, QString::fromStdString(opened.failure));
                status = 1;
            } else if (!sink(QByteArray::fromStdString(SummaryCsvLine(*opened.evaluation)))) {
                return false;
            }
        }
        return true;
    };
    if (line.open) {
        const QString target = QDir(UserDocumentsFolder()).filePath(kSummaryFileName);
        RemoveStaleTemporaries(UserDocumentsFolder());
        if (!Store(target, summary, true, errors)) {
            return 1;
        }
        if (!StartDesktopOpen(target)) {
            TellFailure(errors, target, "aucun programme n'a pu l'ouvrir");
            return 1;
        }
        return status;
    }
    if (line.output.isEmpty()) {
        const bool written = summary([out](QByteArrayView piece) {
            return std::fwrite(piece.data(), 1, std::size_t(piece.size()), out) ==
                   std::size_t(piece.size());
        });
        return std::fflush(out) == 0 && written ? status : 1;
    }
    RemoveStaleTemporaries(QFileInfo(line.output).absolutePath());
    return Store(line.output, summary, line.replace, errors) ? status : 1;
}

} // namespace corvane
