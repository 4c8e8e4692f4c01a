#include "store/Snapshot.h"

#include "platform/codec/JpegCodec.h"
#include "platform/desktop/Desktop.h"
#include "platform/desktop/Dialogs.h"
#include "platform/desktop/ScreenCopy.h"

#include <QMainWindow>

#include <optional>
#include <string_view>

namespace corvane {

namespace {

constexpr int kSnapshotQuality = 100;
constexpr int kHeightLeftOut = 200;

QString TwoDigits(int value) {
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

// The file system would cut the name at a NUL character and write somewhere else.
bool NameCanBeWritten(const QString& path) {
    return !path.contains(QChar(u'\0'));
}

} // namespace

QString SnapshotStamp(const LocalDateTime& moment) {
    return QStringLiteral("%1").arg(moment.date.year, 4, 10, QLatin1Char('0')) +
           TwoDigits(moment.date.month) + TwoDigits(moment.date.day) + QLatin1Char('_') +
           TwoDigits(moment.hour) + TwoDigits(moment.minute) + TwoDigits(moment.second);
}

QString SnapshotPath(const QString& imagesFolder, const QString& baseName,
                     const LocalDateTime& moment) {
    return imagesFolder + baseName + QLatin1Char('_') + SnapshotStamp(moment) +
           QStringLiteral(".jpeg");
}

QRect SnapshotArea(const QMainWindow& window) {
    const QWidget* client = window.centralWidget();
    // The window's inner height counts the menu bar, the client area and the status line.
    return {client->mapToGlobal(QPoint(0, 0)),
            QSize(client->width(), window.height() - kHeightLeftOut)};
}

UserMessage OpenSnapshotQuestion() {
    return {"Afficher l'image", "Souhaitez vous ouvrir l'image créée ?", MessageIcon::Question,
            MessageButtons::YesNo};
}

UserMessage SnapshotFailureMessage() {
    return {"Capture d'écran", "Une erreur est survenue lors de la création de l'image.",
            MessageIcon::Error, MessageButtons::Ok};
}

bool SaveSnapshot(const SnapshotSetup& setup, const QString& path) {
    if (!NameCanBeWritten(path) ||
        !setup.files.IsInsideFolder(setup.imagesFolder.toStdString(), path.toStdString())) {
        return false;
    }
    const QImage picture = CaptureScreenArea(SnapshotArea(setup.window), &setup.window);
    const std::optional<QByteArray> bytes = EncodeJpeg(picture, kSnapshotQuality);
    return bytes && setup.files.ReplaceWhole(
                        path.toStdString(),
                        std::string_view(bytes->constData(), static_cast<size_t>(bytes->size())));
}

void TakeSnapshot(const SnapshotSetup& setup, const QString& nameFieldText) {
    QString baseName = nameFieldText;
    if (baseName.isEmpty()) {
        baseName = setup.dialogs.PromptText(QStringLiteral("Image"),
                                            QStringLiteral("Donnez un nom à l'image"));
        if (baseName.isEmpty()) {
            return;
        }
        ShowWindowAsItIs(&setup.window);
    }
    // Named at the moment the picture is taken, after any prompt has closed.
    const QString path = SnapshotPath(setup.imagesFolder, baseName, setup.clock());
    if (!SaveSnapshot(setup, path)) {
        setup.dialogs.Ask(SnapshotFailureMessage());
        return;
    }
    if (setup.dialogs.Ask(OpenSnapshotQuestion()) == MessageAnswer::Yes) {
        setup.desktop.Open(path);
    }
}

} // namespace corvane
