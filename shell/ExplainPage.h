#pragma once

#include "widgets/DeferredPage.h"

#include <array>

class QLabel;
class QPushButton;

namespace corvane {

class PictureCatalogue;

// The tab "Comment est calculé le RIS": seven toggle buttons in a row, each showing one
// explanation picture below them. They are made when the page is first shown.
class ExplainPage : public DeferredPage {
    Q_OBJECT

public:
    static constexpr int kButtonCount = 7;

    ExplainPage(const PictureCatalogue& pictures, QWidget* parent = nullptr);

    // Puts button `index` (0 to 6) in the pressed state without a click, as at start-up.
    void Press(int index);

protected:
    void Build() override;

private:
    // A click on button `index`: its picture is shown and the six others are released; the
    // clicked button keeps the state its click gave it.
    void Switch(int index);
    // Shows the picture of button `index`, named for a screen reader by the subject it explains.
    void ShowExplanation(int index);

    const PictureCatalogue& pictures_;
    std::array<QPushButton*, kButtonCount> buttons_{};
    QLabel* picture_ = nullptr;
    // The button pressed before the buttons were made.
    int pressed_ = -1;
};

} // namespace corvane
