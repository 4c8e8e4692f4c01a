#pragma once

#include "core/EvaluationRecord.h"
#include "core/Indicator.h"
#include "core/RiskGrid.h"
#include "docs/ReferenceDocument.h"

#include <QWidget>

#include <array>
#include <vector>

class QButtonGroup;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace corvane {

class Announcer;
class PictureCatalogue;

// The tab "Grille d'évaluation du RIS": the name, the three indicators, P1 and the results, the
// DPS banner and the document buttons. It mirrors the evaluation record and reports the user's
// actions; it decides nothing itself.
class GridPage : public QWidget {
    Q_OBJECT

public:
    GridPage(const PictureCatalogue& pictures, const QFont& titleFont, QWidget* parent = nullptr);

    // Writes the changed fields of the record into the controls. Texts written here raise no
    // user event.
    void ShowRecord(const EvaluationRecord& record, RecordFields changed);
    QString NameText() const;
    void FocusNameField();

protected:
    void changeEvent(QEvent* event) override;

signals:
    void optionClicked(corvane::Indicator indicator, int option);
    void p1Edited(const QString& text);
    void nameEdited(const QString& text);
    void saveClicked();
    void snapshotClicked();
    void documentClicked(corvane::ReferenceDocument document);

private:
    void AddNameRow();
    void AddIndicator(Indicator indicator, const QFont& titleFont);
    void AddResults(const QFont& titleFont);
    void AddBanner(const QFont& titleFont);
    void AddDocumentButtons();
    void PaintColours();

    // The name as the program holds it is shown unchanged: only what the user types or pastes
    // is capitalised.
    void ShowName(const QString& name);
    void ShowChoice(Indicator indicator, int option);
    void ShowBanner(DpsType banner);
    void AnnounceResults(RecordFields changed);

    const PictureCatalogue& pictures_;
    QLineEdit* nameField_ = nullptr;
    QLabel* savedDateLabel_ = nullptr;
    std::array<std::array<QRadioButton*, kOptionCount>, 3> options_{};
    std::array<QLineEdit*, 3> valueFields_{};
    QLineEdit* p1Field_ = nullptr;
    QLineEdit* pValueField_ = nullptr;
    QLineEdit* riskIndexField_ = nullptr;
    QLineEdit* risField_ = nullptr;
    QLineEdit* dpsTypeField_ = nullptr;
    QLabel* bannerPicture_ = nullptr;
    Announcer* announcer_ = nullptr; // made with the first announcement

    // A text drawn in a colour of the program: the role of the control's palette it sets.
    struct ColouredText {
        QWidget* control;
        QPalette::ColorRole role;
        QColor colour;
    };
    std::vector<ColouredText> colouredTexts_;
};

} // namespace corvane
