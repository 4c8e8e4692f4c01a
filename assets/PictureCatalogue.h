#pragma once

#include <QByteArray>
#include <QIcon>
#include <QPixmap>
#include <QString>

#include <map>
#include <optional>

namespace corvane {

// The program's pictures, addressed by their number. A picture that could not be decoded is
// absent: whoever shows it shows nothing. Icons are decoded at once; a JPEG picture is decoded
// when it is first asked for, so that start-up only pays for the pictures on the first screen.
class PictureCatalogue {
public:
    // The folder of the pictures compiled into the program.
    static QString BuiltInFolder() { return QStringLiteral(":/pictures/"); }

    // Reads every picture of the catalogue from the folder (<number>.ico or <number>.jpeg), in
    // ascending number order.
    static PictureCatalogue Load(const QString& folder = BuiltInFolder());

    // The picture, or a null pixmap when it is absent. For an icon it is the 16-pixel image.
    QPixmap Picture(int number) const;
    // The picture as an icon (every size of an icon file), or a null icon when it is absent.
    QIcon Icon(int number) const;
    bool Has(int number) const;

    void Add(int number, const QIcon& icon, const QPixmap& picture);

private:
    struct Entry {
        QIcon icon;
        QPixmap picture;
        std::optional<QByteArray> jpeg; // not decoded yet
    };
    // The entry with its picture decoded, or nullptr when the picture is absent.
    const Entry* Find(int number) const;

    // Only the pictures' first use changes it, on the one user-interface thread.
    mutable std::map<int, Entry> pictures_;
};

// The program's own icon, in every size its icon file holds; null if it cannot be read.
QIcon LoadProgramIcon(const QString& path = QStringLiteral(":/corvane.ico"));

} // namespace corvane
