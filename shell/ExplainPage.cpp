#include "shell/ExplainPage.h"

#include "assets/PictureCatalogue.h"
#include "assets/PictureTable.h"
#include "widgets/PictureControl.h"
#include "widgets/TitleFont.h"

#include <QLabel>
#include <QPushButton>

namespace corvane {

namespace {

// One toggle button of the row. The buttons stand edge to edge, each starting where the previous
// one ends; each shows the explanation picture of its place in the row.
struct ExplainButton {
    const char* name;
    QRect rect;
    const char* text;
};

constexpr std::array<ExplainButton, ExplainPage::kButtonCount> kButtons{{
    {"ExplainButton1", {10, 10, 140, 20}, "Indice total de risque"},
    {"ExplainButton2", {150, 10, 140, 20}, "Ratio des intervenants"},
    {"ExplainButton3", {290, 10, 120, 20}, "Règles applicables"},
    {"ExplainButton4", {410, 10, 140, 20}, "R I S -> Type de DPS"},
    {"ExplainButton5", {550, 10, 140, 20}, "Activités du rassemblement"},
    {"ExplainButton6", {690, 10, 100, 20}, "Environnement"},
    {"ExplainButton7", {790, 10, 120, 20}, "Délais d'intervention"},
}};

static_assert(kExplanationPictures.size() == kButtons.size());

// The desktop's own pressed look differs from the released one by a shade only: the pressed
// button, the one whose picture is shown, wears the selection colours instead.
constexpr const char* kPressedButtonStyle =
    "QPushButton:checked { background-color: palette(highlight); color: palette(highlighted-text);"
    " border: 1px solid palette(dark); border-radius: 2px; }";

// The picture control's place and size before any picture is put into it.
constexpr QRect kPictureArea{10, 40, 100, 80};

} // namespace

ExplainPage::ExplainPage(const PictureCatalogue& pictures, QWidget* parent)
    : DeferredPage(parent), pictures_(pictures) {}

// The first picture is decoded here, when the page is first shown, not while the program starts.
void ExplainPage::Build() {
    setStyleSheet(QString::fromLatin1(kPressedButtonStyle));
    for (int index = 0; index < kButtonCount; ++index) {
        const ExplainButton& entry = kButtons[static_cast<std::size_t>(index)];
        auto* button = new QPushButton(QString::fromUtf8(entry.text), this);
        button->setObjectName(QString::fromLatin1(entry.name));
        button->setGeometry(entry.rect);
        button->setCheckable(true);
        // Under the page's style sheet a control takes the font of its kind, not its page's.
        button->setFont(MakeControlFont());
        connect(button, &QAbstractButton::clicked, this, [this, index] { Switch(index); });
        buttons_[static_cast<std::size_t>(index)] = button;
    }

    picture_ = new QLabel(this);
    picture_->setObjectName(QStringLiteral("ExplainPicture"));
    picture_->setGeometry(kPictureArea);
    ShowExplanation(0);
    Press(pressed_);
}

void ExplainPage::Press(int index) {
    if (index < 0 || index >= kButtonCount) {
        return;
    }
    if (!IsBuilt()) {
        pressed_ = index;
        return;
    }
    buttons_[static_cast<std::size_t>(index)]->setChecked(true);
}

void ExplainPage::Switch(int index) {
    ShowExplanation(index);
    for (int other = 0; other < kButtonCount; ++other) {
        if (other != index) {
            buttons_[static_cast<std::size_t>(other)]->setChecked(false);
        }
    }
}

void ExplainPage::ShowExplanation(int index) {
    const auto at = static_cast<std::size_t>(index);
    ShowPicture(picture_, pictures_.Picture(kExplanationPictures[at]));
    picture_->setAccessibleName(QString::fromUtf8(kButtons[at].text));
}

} // namespace corvane
