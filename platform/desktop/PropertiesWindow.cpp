#include "platform/desktop/PropertiesWindow.h"

#include "platform/files/FolderReading.h"
#include "platform/files/NativeNames.h"

#include <QDateTime>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QLocale>
#include <QMimeDatabase>
#include <QPushButton>
#include <QVBoxLayout>

#include <array>
#include <utility>

namespace corvane {

namespace {

constexpr qint64 kBytesShownAlone = 1024;

// "1 234 567 octets (1,2 Mo)": the exact count, grouped as the user's locale does, and the
// rounded form for larger files.
QString SizeText(qint64 bytes, const QLocale& locale) {
    QString text =
        locale.toString(bytes) + (bytes > 1 ? QStringLiteral(" octets") : QStringLiteral(" octet"));
    if (bytes >= kBytesShownAlone) {
        text += QStringLiteral(" (%1)").arg(
            locale.formattedDataSize(bytes, 1, QLocale::DataSizeTraditionalFormat));
    }
    return text;
}

// By the name and the first bytes, which are read without ever waiting on a pipe or a device.
QString TypeText(const QString& path, const EntryStatus& status) {
    const QMimeDatabase types;
    if (status.isFolder) {
        return types.mimeTypeForName(QStringLiteral("inode/directory")).comment();
    }
    constexpr qint64 kBytesLookedAt = 4096;
    return types
        .mimeTypeForFileNameAndData(ShownName(QFileInfo(path).fileName()),
                                    ReadFileStart(path, kBytesLookedAt))
        .comment();
}

// Read, write and run permissions for the owner, the group and the others: "rw-r--r--".
QString PermissionsText(QFileDevice::Permissions permissions) {
    using P = QFileDevice;
    static constexpr std::array<std::pair<QFileDevice::Permission, char>, 9> kLetters{{
        {P::ReadOwner, 'r'},
        {P::WriteOwner, 'w'},
        {P::ExeOwner, 'x'},
        {P::ReadGroup, 'r'},
        {P::WriteGroup, 'w'},
        {P::ExeGroup, 'x'},
        {P::ReadOther, 'r'},
        {P::WriteOther, 'w'},
        {P::ExeOther, 'x'},
    }};
    QString text;
    for (const auto& [permission, letter] : kLetters) {
        text += permissions.testFlag(permission) ? QChar::fromLatin1(letter) : QLatin1Char('-');
    }
    return text;
}

QLabel* ValueLabel(const QString& text) {
    auto* label = new QLabel(text);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

void AddRows(QFormLayout* rows, const QString& path) {
    const QLocale locale = QLocale::system();
    const QFileInfo entry(path);
    rows->addRow(QStringLiteral("Nom :"), ValueLabel(ShownName(entry.fileName())));
    rows->addRow(QStringLiteral("Dossier :"),
                 ValueLabel(ShownName(QDir::toNativeSeparators(entry.absolutePath()))));
    const std::optional<EntryStatus> status = ReadEntryStatus(entry.absoluteFilePath());
    if (!status) {
        rows->addRow(QStringLiteral("État :"), ValueLabel(QStringLiteral("introuvable")));
        return;
    }
    rows->addRow(QStringLiteral("Type :"), ValueLabel(TypeText(entry.absoluteFilePath(), *status)));
    if (!status->isFolder) {
        rows->addRow(QStringLiteral("Taille :"), ValueLabel(SizeText(status->size, locale)));
    }
    const QDateTime modified = QDateTime::fromMSecsSinceEpoch(status->modifiedMs);
    rows->addRow(QStringLiteral("Modifié le :"),
                 ValueLabel(locale.toString(modified, QLocale::ShortFormat)));
    rows->addRow(QStringLiteral("Droits :"), ValueLabel(PermissionsText(status->permissions)));
    rows->addRow(QStringLiteral("Propriétaire :"), ValueLabel(status->owner));
}

} // namespace

PropertiesWindow::PropertiesWindow(const QString& path) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Propriétés de %1").arg(ShownName(QFileInfo(path).fileName())));

    auto* rows = new QFormLayout;
    AddRows(rows, path);
    auto* close = new QPushButton(QStringLiteral("Fermer"));
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    auto* buttons = new QDialogButtonBox;
    buttons->addButton(close, QDialogButtonBox::RejectRole);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(rows);
    layout->addWidget(buttons);
}

void ShowPropertiesWindow(const QString& path) {
    auto* window = new PropertiesWindow(path);
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace corvane
