#pragma once

class QLabel;
class QPixmap;

namespace corvane {

// Puts a picture into a picture control, which takes the picture's size from its top-left
// corner; without a picture it shows nothing and keeps its size.
void ShowPicture(QLabel* control, const QPixmap& picture);

} // namespace corvane
