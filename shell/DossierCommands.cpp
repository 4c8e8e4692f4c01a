#include "shell/DossierCommands.h"

#include "core/DossierFileName.h"
#include "core/EventFile.h"
#include "platform/desktop/Desktop.h"
#include "platform/desktop/Dialogs.h"
#include "platform/files/FolderReading.h"
#include "platform/files/ReplaceFile.h"
#include "platform/files/TemporaryFiles.h"
#include "report/DossierPdf.h"
#include "report/DossierSources.h"
#include "report/OpenedEvent.h"

#include <QDir>
#include <QFileInfo>
#include <QPointer>

namespace corvane {

namespace {

const char kTitle[] = "Créer le dossier PDF";

// The kept details files a folder may hold that are looked through for an event.
constexpr std::size_t kMaxDetailsFiles = 500;

QString Quoted(const QString& text) {
    return QStringLiteral("« ") + text + QStringLiteral(" »");
}

QString LeftOutNote(const QStringList& folders, const std::vector<LeftOut>& files) {
    QStringList parts;
    for (const QString& folder : folders) {
        parts << Quoted(folder) + QStringLiteral(" (un dossier)");
    }
    for (const LeftOut& file : files) {
        parts << Quoted(QFileInfo(file.path).completeBaseName()) + QStringLiteral(" (") + file.why +
                     u')';
    }
    return parts.isEmpty() ? QString()
                           : QStringLiteral("Laissés hors du dossier : ") +
                                 parts.join(QStringLiteral(", ")) + u'.';
}

// The details with the evaluations given, each as the details knew it, or covering the public.
EventDetails WithEvaluations(EventDetails details,
                             const std::vector<OpenedEvaluation>& evaluations) {
    std::vector<EventEvaluation> roles;
    for (const OpenedEvaluation& evaluation : evaluations) {
        const EventEvaluation* kept = FindEventEvaluation(details, evaluation.record.name);
        roles.push_back(kept != nullptr
                            ? *kept
                            : EventEvaluation{evaluation.record.name, Audience::Public, {}});
    }
    details.evaluations = std::move(roles);
    return details;
}

bool IsDetailsFile(const QString& name, bool isFolder) {
    return !isFolder && name.endsWith(QStringLiteral(".ini"), Qt::CaseInsensitive);
}

} // namespace

DossierCommands::DossierCommands(Dialogs& dialogs, Desktop& desktop, QString dossiersFolder)
    : dialogs_(dialogs), desktop_(desktop), folder_(std::move(dossiersFolder)) {}

void DossierCommands::MakeDossier(const QStringList& paths, const QStringList& foldersLeftOut) {
    DossierSources sources = OpenDossierSources(paths);
    const QString note = LeftOutNote(foldersLeftOut, sources.leftOut);
    if (sources.evaluations.empty()) {
        Tell(QString::fromUtf8(kTitle),
             QStringLiteral("Aucune évaluation enregistrée et lisible n'est choisie : "
                            "sélectionnez une ou plusieurs évaluations dans « Mes Evaluations ».") +
                 (note.isEmpty() ? QString() : QStringLiteral("\r") + note));
        return;
    }
    const std::optional<EventDetails> details =
        dialogs_.AskEventDetails(ProposedDetails(sources.evaluations), note);
    if (!details) {
        return;
    }
    QString pdfPath;
    if (!WriteDossier(*details, sources.evaluations, pdfPath)) {
        unwritten_ = details;
        return;
    }
    unwritten_.reset();
    // The outcome may come from the event loop once the window that asked is gone.
    desktop_.Open(pdfPath, [self = QPointer<DossierCommands>(this), pdfPath](bool opened) {
        if (!opened && self) {
            self->Tell(
                QString::fromUtf8(kTitle),
                QStringLiteral("Le dossier est créé :\r%1\rAucun lecteur de PDF n'a pu "
                               "l'ouvrir : ouvrez-le depuis le dossier « Mes Dossiers DPS » de "
                               "vos Documents.")
                    .arg(pdfPath));
        }
    });
}

EventDetails
DossierCommands::ProposedDetails(const std::vector<OpenedEvaluation>& evaluations) const {
    const std::string& firstName = evaluations.front().record.name;
    if (unwritten_ && FindEventEvaluation(*unwritten_, firstName) != nullptr) {
        return WithEvaluations(*unwritten_, evaluations);
    }
    std::vector<FileEntry> entries = ReadFolder(folder_, IsDetailsFile);
    std::optional<EventDetails> known;
    qint64 knownTime = 0;
    std::size_t looked = 0;
    for (FileEntry& entry : entries) {
        if (++looked > kMaxDetailsFiles) {
            break;
        }
        ReadDetails(folder_, entry);
        if (known && entry.modifiedMs <= knownTime) {
            continue;
        }
        const EventOpening opened = OpenEventFile(folder_ + entry.name);
        if (opened.details && FindEventEvaluation(*opened.details, firstName) != nullptr) {
            known = opened.details;
            knownTime = entry.modifiedMs;
        }
    }
    EventDetails details = known.value_or(EventDetails{});
    if (!known) {
        details.name = firstName;
    }
    return WithEvaluations(std::move(details), evaluations);
}

bool DossierCommands::WriteDossier(const EventDetails& details,
                                   const std::vector<OpenedEvaluation>& evaluations,
                                   QString& pdfPath) {
    const QString title = QString::fromUtf8(kTitle);
    if (!QFileInfo(folder_).isDir() && !QDir().mkpath(folder_)) {
        Tell(title, QStringLiteral("Le dossier « Mes Dossiers DPS » n'a pas pu être créé dans "
                                   "vos Documents :\r%1")
                        .arg(folder_));
        return false;
    }
    RemoveStaleTemporaries(folder_);
    const QString base = folder_ + QString::fromStdString(DossierFileName(details.name));
    const bool detailsKept = ReplaceFileWhole(base + QStringLiteral(".ini"),
                                              QByteArray::fromStdString(EncodeEventFile(details)));
    pdfPath = base + QStringLiteral(".pdf");
    const QByteArray pdf = RenderDossierPdf(details, PlaceInEvent(details, evaluations));
    const QFileInfo target(pdfPath);
    const bool replaceable = !target.isSymLink() && (!target.exists() || target.isFile());
    if (pdf.isEmpty() || !replaceable || !ReplaceFileWhole(pdfPath, pdf)) {
        Tell(title, QStringLiteral("Le dossier PDF n'a pas pu être écrit :\r%1\r(dossier protégé, "
                                   "disque plein, ou autre chose qu'un fichier à ce nom).")
                            .arg(pdfPath) +
                        (detailsKept ? QStringLiteral("\rLes renseignements de l'événement sont "
                                                      "gardés pour la prochaine fois.")
                                     : QString()));
        return false;
    }
    if (!detailsKept) {
        Tell(title,
             QStringLiteral("Le dossier PDF est écrit, mais les renseignements de "
                            "l'événement n'ont pas pu être gardés pour la prochaine fois :\r%1")
                 .arg(base + QStringLiteral(".ini")));
    }
    return true;
}

void DossierCommands::Tell(const QString& title, const QString& text) {
    dialogs_.Ask(
        {title.toStdString(), text.toStdString(), MessageIcon::Warning, MessageButtons::Ok, false});
}

} // namespace corvane
