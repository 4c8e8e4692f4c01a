#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

#include <map>

namespace corvane {

// The program's pictures, decoded once at start-up and addressed by their number. A picture
// that could not be decoded is absent: whoever shows it shows nothing.
class PictureCatalogue {
public:
    // The folder of the pictures compiled into the program.
    static QString BuiltInFolder() { return QStringLiteral(":/pictures/"); }

    // Decodes every picture of the catalogue from the folder (<number>.ico or <number>.jpeg), in
    // ascending number order.
    static PictureCatalogue Load(const QString& folder = BuiltInFolder());

    // The picture, or a null pixmap when it is absent. For an icon it is the 16-pixel image.
    QPixmap Picture(int number) const;
    // The picture as an icon (every size of an icon file), or a null icon when it is absent.
    QIcon Icon(int number) const;
    bool Has(int number) const { return pictures_.contains(number); }

    void Add(int number, const QIcon& icon, const QPixmap& picture);

private:
    struct Entry {
        QIcon icon;
        QPixmap picture;
    };
    std::map<int, Entry> pictures_;
};

// The program's own icon, in every size its icon file holds; null if it cannot be read.
QIcon LoadProgramIcon(const QString& path = QStringLiteral(":/corvane.ico"));

} // namespace corvane
