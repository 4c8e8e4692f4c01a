#include "platform/PropertiesWindow.h"

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

QString TypeText(const QFileInfo& entry) {
    return QMimeDatabase().mimeTypeForFile(entry).comment();
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

void AddRows(QFormLayout* rows, const QFileInfo& entry) {
    const QLocale locale = QLocale::system();
    rows->addRow(QStringLiteral("Nom :"), ValueLabel(entry.fileName()));
    rows->addRow(QStringLiteral("Dossier :"),
                 ValueLabel(QDir::toNativeSeparators(entry.absolutePath())));
    if (!entry.exists()) {
        rows->addRow(QStringLiteral("État :"), ValueLabel(QStringLiteral("introuvable")));
        return;
    }
    rows->addRow(QStringLiteral("Type :"), ValueLabel(TypeText(entry)));
    if (!entry.isDir()) {
        rows->addRow(QStringLiteral("Taille :"), ValueLabel(SizeText(entry.size(), locale)));
    }
    rows->addRow(QStringLiteral("Modifié le :"),
                 ValueLabel(locale.toString(entry.lastModified(), QLocale::ShortFormat)));
    rows->addRow(QStringLiteral("Droits :"), ValueLabel(PermissionsText(entry.permissions())));
    rows->addRow(QStringLiteral("Propriétaire :"), ValueLabel(entry.owner()));
}

} // namespace

PropertiesWindow::PropertiesWindow(const QString& path) {
    const QFileInfo entry(path);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Propriétés de %1").arg(entry.fileName()));

    auto* rows = new QFormLayout;
    AddRows(rows, entry);
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
