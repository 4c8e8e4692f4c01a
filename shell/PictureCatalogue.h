#pragma once

#include <QIcon>
#include <QPixmap>

#include <map>

namespace corvane {

// The program's pictures, decoded once at start-up and addressed by their number. A picture
// that could not be decoded is absent: whoever shows it shows nothing.
class PictureCatalogue {
public:
    // Decodes every picture compiled into the program, in ascending number order.
    static PictureCatalogue Load();

    // The picture, or a null pixmap when it is absent.
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

} // namespace corvane
