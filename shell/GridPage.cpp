#include "shell/GridPage.h"

#include "assets/Palette.h"
#include "assets/PictureCatalogue.h"
#include "assets/PictureTable.h"
#include "core/IndicatorTexts.h"
#include "widgets/Announcer.h"
#include "widgets/LegibleColour.h"
#include "widgets/PictureControl.h"
#include "widgets/TitleFont.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QValidator>

#include <algorithm>
#include <optional>
#include <span>
#include <string>
#include <tuple>

namespace corvane {

namespace {

// One control of the page: its object name (null for a label nobody refers to), its rectangle
// on the page and its text (UTF-8).
struct Placed {
    const char* name;
    QRect rect;
    const char* text;
};

constexpr Placed kP2Descriptions[]{
    {"P2OptionText1", {30, 65, 700, 15}, kP2OptionDescriptions[0]},
    {"P2OptionText2", {30, 85, 700, 15}, kP2OptionDescriptions[1]},
    {"P2OptionText3", {30, 105, 700, 15}, kP2OptionDescriptions[2]},
    {"P2OptionText4", {30, 125, 700, 45}, kP2OptionDescriptions[3]},
};

constexpr Placed kE1Descriptions[]{
    {"E1OptionText1", {30, 210, 700, 15}, kE1OptionDescriptions[0]},
    {"E1OptionText2", {30, 230, 700, 30}, kE1OptionDescriptions[1]},
    {"E1OptionText3", {30, 265, 700, 30}, kE1OptionDescriptions[2]},
    {"E1OptionText4", {30, 300, 700, 30}, kE1OptionDescriptions[3]},
};

// What one indicator puts on the page: its frame, its title, the descriptions of its options
// (E2 has none) and its four option buttons.
struct IndicatorLayout {
    Placed frame;
    Placed title;
    std::span<const Placed> descriptions;
    std::array<Placed, kOptionCount> options;
};

const IndicatorLayout kP2Layout{
    {"P2Frame", {10, 30, 980, 145}, "Indicateur P2"},
    {nullptr, {30, 45, 300, 15}, kP2Title},
    kP2Descriptions,
    {{{"P2Option1", {780, 65, 150, 20}, kRiskLevelCaptions[0]},
      {"P2Option2", {780, 85, 150, 20}, kRiskLevelCaptions[1]},
      {"P2Option3", {780, 105, 150, 20}, kRiskLevelCaptions[2]},
      {"P2Option4", {780, 125, 150, 20}, kRiskLevelCaptions[3]}}},
};

const IndicatorLayout kE1Layout{
    {"E1Frame", {10, 175, 980, 160}, "Indicateur E1"},
    {nullptr, {30, 190, 500, 15}, kE1Title},
    kE1Descriptions,
    {{{"E1Option1", {780, 210, 150, 20}, kRiskLevelCaptions[0]},
      {"E1Option2", {780, 235, 150, 20}, kRiskLevelCaptions[1]},
      {"E1Option3", {780, 265, 150, 20}, kRiskLevelCaptions[2]},
      {"E1Option4", {780, 295, 150, 20}, kRiskLevelCaptions[3]}}},
};

const IndicatorLayout kE2Layout{
    {"E2Frame", {10, 335, 490, 150}, "Indicateur E2"},
    {nullptr, {30, 355, 400, 15}, kE2Title},
    {},
    {{{"E2Option1", {30, 380, 300, 20}, kE2OptionCaptions[0]},
      {"E2Option2", {30, 405, 300, 20}, kE2OptionCaptions[1]},
      {"E2Option3", {30, 430, 300, 20}, kE2OptionCaptions[2]},
      {"E2Option4", {30, 455, 300, 20}, kE2OptionCaptions[3]}}},
};

const IndicatorLayout& LayoutOf(Indicator indicator) {
    switch (indicator) {
    case Indicator::P2:
        return kP2Layout;
    case Indicator::E1:
        return kE1Layout;
    case Indicator::E2:
        break;
    }
    return kE2Layout;
}

struct DocumentButton {
    Placed placed;
    ReferenceDocument document;
};

constexpr DocumentButton kDocumentButtons[]{
    {{"ReferenceButton", {825, 505, 160, 25}, "Consulter le référentiel national"},
     ReferenceDocument::Reference},
    {{"FormUnder5000Button", {825, 530, 160, 25}, "Remplir déclaration - de 5000"},
     ReferenceDocument::FormUnder5000},
    {{"FormOver5000Button", {825, 555, 160, 25}, "Remplir déclaration + de 5000"},
     ReferenceDocument::FormOver5000},
    {{"GridFormButton", {825, 580, 160, 25}, "Remplir grille d'évaluation"},
     ReferenceDocument::GridForm},
    {{"FlowchartButton", {825, 605, 160, 25}, "Consulter le logigramme"},
     ReferenceDocument::Flowchart},
};

// Swallows the key presses that would type anything but a digit 0 to 9. Editing keys and
// arrows carry no printable text, and shortcuts such as Ctrl+V are let through whatever text
// they carry, so a paste still brings in whatever the clipboard holds. Ctrl with Alt is AltGr
// on some desktops, which types characters.
class DigitKeysOnly : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            return TypesNonDigit(*static_cast<const QKeyEvent*>(event));
        }
        return QObject::eventFilter(watched, event);
    }

private:
    static bool TypesNonDigit(const QKeyEvent& key) {
        const Qt::KeyboardModifiers modifiers = key.modifiers();
        if (modifiers.testFlag(Qt::ControlModifier) && !modifiers.testFlag(Qt::AltModifier)) {
            return false;
        }
        const QList<uint> typed = key.text().toUcs4();
        return std::any_of(typed.begin(), typed.end(), [](uint code) {
            return QChar::isPrint(code) && (code < u'0' || code > u'9');
        });
    }
};

// Turns each letter typed or pasted into its capital, one character for one, so that the
// cursor stays where the user put it.
class CapitalLetters : public QValidator {
public:
    using QValidator::QValidator;

    State validate(QString& input, int& /*position*/) const override {
        for (QChar& ch : input) {
            ch = ch.toUpper();
        }
        return Acceptable;
    }
};

template <typename Control> Control* Place(QWidget* page, const char* name, const QRect& rect) {
    auto* control = new Control(page);
    if (name != nullptr) {
        control->setObjectName(QString::fromLatin1(name));
    }
    control->setGeometry(rect);
    return control;
}

void SetColour(QWidget* control, QPalette::ColorRole role, const QColor& colour) {
    QPalette palette = control->palette();
    palette.setColor(role, colour);
    control->setPalette(palette);
}

QLabel* AddLabel(QWidget* page, const Placed& placed) {
    auto* label = Place<QLabel>(page, placed.name, placed.rect);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setText(QString::fromUtf8(placed.text));
    return label;
}

QLabel* AddTitle(QWidget* page, const Placed& placed, const QFont& titleFont) {
    QLabel* title = AddLabel(page, placed);
    title->setFont(titleFont);
    return title;
}

// The caption stands in the frame's top border, the line passing through its middle.
constexpr const char* kFrameStyle =
    "QGroupBox { border: 1px solid palette(mid); border-radius: 2px; margin-top: 7px; }"
    "QGroupBox::title { subcontrol-origin: margin; left: 8px; padding: 0 2px; }";

QGroupBox* AddFrame(QWidget* page, const Placed& placed) {
    auto* frame = Place<QGroupBox>(page, placed.name, placed.rect);
    frame->setTitle(QString::fromUtf8(placed.text));
    frame->setStyleSheet(QString::fromLatin1(kFrameStyle));
    // A control with a style sheet of its own takes the font of its kind, not its page's.
    frame->setFont(MakeControlFont());
    return frame;
}

QPushButton* AddButton(QWidget* page, const Placed& placed) {
    auto* button = Place<QPushButton>(page, placed.name, placed.rect);
    button->setText(QString::fromUtf8(placed.text));
    return button;
}

QLineEdit* AddReadOnlyField(QWidget* page, const char* name, const QRect& rect,
                            const QFont& titleFont) {
    auto* field = Place<QLineEdit>(page, name, rect);
    field->setReadOnly(true);
    field->setFont(titleFont);
    return field;
}

// A screen reader names the field by its label, without the colon.
void TieLabel(QLabel* label, QWidget* field) {
    label->setBuddy(field);
    QString name = label->text();
    while (name.endsWith(u':') || name.endsWith(u' ')) {
        name.chop(1);
    }
    field->setAccessibleName(name);
}

// The banner's name for a screen reader, with the type it shows.
QString BannerName(const QString& dpsType) {
    const QString name = QStringLiteral("Bandeau du type de DPS");
    return dpsType.isEmpty() ? name : name + QStringLiteral(" : ") + dpsType;
}

// Leaves a field that already shows the text alone, so that its cursor and undo history stay.
void WriteText(QLineEdit* field, const QString& text) {
    if (field->text() != text) {
        field->setText(text);
    }
}

} // namespace

GridPage::GridPage(const PictureCatalogue& pictures, const QFont& titleFont, QWidget* parent)
    : QWidget(parent), pictures_(pictures) {
    AddNameRow();
    for (const Indicator indicator : kIndicators) {
        AddIndicator(indicator, titleFont);
    }
    AddResults(titleFont);
    AddBanner(titleFont);
    AddDocumentButtons();
    PaintColours();
}

void GridPage::changeEvent(QEvent* event) {
    if (event->type() == QEvent::PaletteChange) {
        PaintColours();
    }
    QWidget::changeEvent(event);
}

// The read-only fields wear the page's face, and each coloured text is drawn legibly on it.
void GridPage::PaintColours() {
    const QColor face = palette().color(QPalette::Window);
    for (QLineEdit* field : findChildren<QLineEdit*>()) {
        if (field->isReadOnly()) {
            SetColour(field, QPalette::Base, face);
        }
    }
    for (const ColouredText& text : colouredTexts_) {
        SetColour(text.control, text.role, LegibleOn(text.colour, face));
    }
}

void GridPage::AddNameRow() {
    QLabel* label = AddLabel(this, {"EvaluationLabel", {10, 7, 60, 15}, "Evaluation :"});

    nameField_ = Place<QLineEdit>(this, "NameField", {70, 5, 400, 20});
    TieLabel(label, nameField_);
    nameField_->setToolTip(
        QStringLiteral("Nommez cette évaluation si vous souhaitez l'enregistrer"));
    nameField_->setValidator(new CapitalLetters(nameField_));
    connect(nameField_, &QLineEdit::textEdited, this, &GridPage::nameEdited);

    QPushButton* save = AddButton(this, {"SaveButton", {475, 5, 65, 20}, "Enregistrer"});
    save->setToolTip(QStringLiteral("Enregistrer cette évaluation"));
    connect(save, &QAbstractButton::clicked, this, &GridPage::saveClicked);

    QPushButton* snapshot = AddButton(this, {"SnapshotButton", {545, 5, 50, 20}, "Image"});
    snapshot->setToolTip(QStringLiteral("Enregistrer une image jpeg de cette évaluation"));
    connect(snapshot, &QAbstractButton::clicked, this, &GridPage::snapshotClicked);

    // Wide enough, up to the right edge of the frames below, for the longest saved-on line: a
    // "Dimanche" in "Septembre".
    savedDateLabel_ = AddLabel(this, {"SavedDateLabel", {600, 7, 390, 15}, ""});
}

void GridPage::AddIndicator(Indicator indicator, const QFont& titleFont) {
    const IndicatorLayout& layout = LayoutOf(indicator);
    QGroupBox* frame = AddFrame(this, layout.frame);
    AddTitle(this, layout.title, titleFont);
    for (std::size_t i = 0; i < layout.descriptions.size(); ++i) {
        colouredTexts_.push_back(
            {AddLabel(this, layout.descriptions[i]), QPalette::WindowText, kLevelColours[i]});
    }

    // The four options of one indicator form their own group: a click on an E1 option must not
    // clear the selection of P2 or E2, which lie on the same page.
    auto* group = new QButtonGroup(this);
    auto& buttons = options_[static_cast<std::size_t>(indicator)];
    for (int option = 1; option <= kOptionCount; ++option) {
        const auto index = static_cast<std::size_t>(option - 1);
        const Placed& placed = layout.options[index];
        // Inside their frame, so that a screen reader tells the indicator they belong to; placed
        // where the page puts them.
        auto* button =
            Place<QRadioButton>(frame, placed.name, placed.rect.translated(-frame->pos()));
        button->setText(QString::fromUtf8(placed.text));
        button->setFont(MakeControlFont());
        // Read out after the caption, which is the same in P2 and E1.
        if (index < layout.descriptions.size()) {
            button->setAccessibleDescription(QString::fromUtf8(layout.descriptions[index].text));
        }
        group->addButton(button, option);
        connect(button, &QAbstractButton::clicked, this,
                [this, indicator, option] { emit optionClicked(indicator, option); });
        buttons[index] = button;
    }
    buttons[0]->setChecked(true);
}

void GridPage::AddResults(const QFont& titleFont) {
    AddFrame(this, {"ResultFrame", {505, 335, 485, 150}, "Calcul du RIS"});
    const QString firstCoefficient = QString::fromUtf8(CoefficientText(1));

    QLabel* label = AddLabel(this, {nullptr, {530, 357, 85, 15}, "Indicateur P2:"});
    valueFields_[0] = AddReadOnlyField(this, "P2ValueField", {620, 355, 70, 20}, titleFont);
    TieLabel(label, valueFields_[0]);
    label = AddLabel(this, {nullptr, {530, 382, 85, 15}, "Indicateur E1:"});
    valueFields_[1] = AddReadOnlyField(this, "E1ValueField", {620, 380, 70, 20}, titleFont);
    TieLabel(label, valueFields_[1]);
    label = AddLabel(this, {nullptr, {530, 407, 85, 15}, "Indicateur E2:"});
    valueFields_[2] = AddReadOnlyField(this, "E2ValueField", {620, 405, 70, 20}, titleFont);
    TieLabel(label, valueFields_[2]);
    for (QLineEdit* field : valueFields_) {
        field->setText(firstCoefficient);
    }

    label = AddLabel(this, {nullptr, {530, 432, 85, 15}, "Effectif prévu P1:"});
    p1Field_ = Place<QLineEdit>(this, "P1Field", {620, 430, 70, 20});
    TieLabel(label, p1Field_);
    p1Field_->setFont(titleFont);
    p1Field_->setToolTip(QStringLiteral("Saisir l'effectif prévisible déclaré du public, P1 "));
    p1Field_->installEventFilter(new DigitKeysOnly(p1Field_));
    // An input method would commit its text past the key filter.
    p1Field_->setAttribute(Qt::WA_InputMethodEnabled, false);
    connect(p1Field_, &QLineEdit::textEdited, this, &GridPage::p1Edited);

    label = AddLabel(this, {nullptr, {530, 457, 85, 15}, "Valeur de P:"});
    pValueField_ = AddReadOnlyField(this, "PValueField", {620, 455, 70, 20}, titleFont);
    TieLabel(label, pValueField_);

    label = AddTitle(this, {nullptr, {730, 357, 200, 15}, "Indice total de risque:"}, titleFont);
    riskIndexField_ = AddReadOnlyField(this, "RiskIndexField", {920, 355, 60, 20}, titleFont);
    TieLabel(label, riskIndexField_);
    colouredTexts_.push_back({riskIndexField_, QPalette::Text, kRiskResultColour});
    label = AddTitle(this, {nullptr, {730, 382, 200, 15}, "Ratio d'Intervenants Secouristes:"},
                     titleFont);
    // A RIS of ten digits needs more room than the frame leaves to the field's right: the field
    // runs up to a pixel short of the frame and gives up the two pixels of padding that a line
    // edit keeps on either side of its text.
    risField_ = AddReadOnlyField(this, "RisField", {920, 380, 68, 20}, titleFont);
    risField_->setTextMargins(-2, 0, -2, 0);
    TieLabel(label, risField_);
    colouredTexts_.push_back({risField_, QPalette::Text, kRiskResultColour});
    label = AddTitle(this, {nullptr, {730, 435, 200, 15}, "Type de DPS correspondant:"}, titleFont);
    dpsTypeField_ = AddReadOnlyField(this, "DpsTypeField", {730, 455, 250, 20}, titleFont);
    TieLabel(label, dpsTypeField_);
    colouredTexts_.push_back({dpsTypeField_, QPalette::Text, kDpsTypeResultColour});
}

void GridPage::AddBanner(const QFont& titleFont) {
    QLabel* caption = AddTitle(this,
                               {"DpsBannerCaption",
                                {10, 495, 800, 15},
                                "Dispositif prévisionnel de secours à mettre en place en fonction "
                                "du RIS (déterminé par les données que vous avez saisies)"},
                               titleFont);
    colouredTexts_.push_back({caption, QPalette::WindowText, kBannerCaptionColour});
    bannerPicture_ = Place<QLabel>(this, "DpsBannerPicture", {10, 525, 800, 120});
    bannerPicture_->setAccessibleName(BannerName({}));
}

void GridPage::AddDocumentButtons() {
    AddFrame(this, {"DocumentsFrame", {820, 490, 170, 150}, "Documents PDF"});
    for (const DocumentButton& entry : kDocumentButtons) {
        const ReferenceDocument document = entry.document;
        connect(AddButton(this, entry.placed), &QAbstractButton::clicked, this,
                [this, document] { emit documentClicked(document); });
    }
}

void GridPage::ShowRecord(const EvaluationRecord& record, RecordFields changed) {
    if ((changed & kNameField) != 0) {
        ShowName(QString::fromStdString(record.name));
    }
    if ((changed & kSavedOnTextField) != 0) {
        savedDateLabel_->setText(QString::fromStdString(record.savedOnText));
    }

    const std::tuple<RecordField, Indicator, int> choices[]{
        {kP2ChoiceField, Indicator::P2, record.p2Choice},
        {kE1ChoiceField, Indicator::E1, record.e1Choice},
        {kE2ChoiceField, Indicator::E2, record.e2Choice},
    };
    for (const auto& [bit, indicator, option] : choices) {
        if ((changed & bit) != 0) {
            ShowChoice(indicator, option);
        }
    }

    const std::tuple<RecordField, QLineEdit*, const std::string&> texts[]{
        {kP2CoefficientField, valueFields_[0], record.p2Coefficient},
        {kE1CoefficientField, valueFields_[1], record.e1Coefficient},
        {kE2CoefficientField, valueFields_[2], record.e2Coefficient},
        {kP1TextField, p1Field_, record.p1Text},
        {kPTextField, pValueField_, record.pText},
        {kRiskIndexTextField, riskIndexField_, record.riskIndexText},
        {kRisTextField, risField_, record.risText},
        {kDpsTypeTextField, dpsTypeField_, record.dpsTypeText},
    };
    for (const auto& [bit, field, text] : texts) {
        if ((changed & bit) != 0) {
            WriteText(field, QString::fromStdString(text));
        }
    }

    if ((changed & kBannerField) != 0) {
        ShowBanner(record.banner);
    }
    if ((changed & kDpsTypeTextField) != 0) {
        bannerPicture_->setAccessibleName(BannerName(QString::fromStdString(record.dpsTypeText)));
    }
    AnnounceResults(changed);
}

// The results the user's last action changed, said by a screen reader while the focus stays
// where the user works: in P1 or on an option.
void GridPage::AnnounceResults(RecordFields changed) {
    QWidget* focused = focusWidget();
    if (focused == nullptr || !focused->hasFocus()) {
        return;
    }
    if (announcer_ == nullptr) {
        announcer_ = new Announcer(this);
    }
    QStringList results;
    for (const auto& [bit, field] :
         {std::pair{kRiskIndexTextField, riskIndexField_}, {kRisTextField, risField_}}) {
        if ((changed & bit) != 0 && !field->text().isEmpty()) {
            results << field->accessibleName() + QLatin1Char(' ') + field->text();
        }
    }
    if ((changed & kDpsTypeTextField) != 0 && !dpsTypeField_->text().isEmpty()) {
        results << dpsTypeField_->text();
    }
    if (!results.isEmpty()) {
        announcer_->Announce(results.join(QStringLiteral(", ")));
    }
}

void GridPage::ShowName(const QString& name) {
    const QValidator* capitals = nameField_->validator();
    nameField_->setValidator(nullptr);
    WriteText(nameField_, name);
    nameField_->setValidator(capitals);
}

void GridPage::ShowChoice(Indicator indicator, int option) {
    if (option < 1 || option > kOptionCount) {
        return;
    }
    options_[static_cast<std::size_t>(indicator)][static_cast<std::size_t>(option - 1)]->setChecked(
        true);
}

void GridPage::ShowBanner(DpsType banner) {
    const std::optional<int> number = BannerPicture(banner);
    ShowPicture(bannerPicture_, number ? pictures_.Picture(*number) : QPixmap());
}

QString GridPage::NameText() const {
    return nameField_->text();
}

void GridPage::FocusNameField() {
    nameField_->setFocus();
}

} // namespace corvane
