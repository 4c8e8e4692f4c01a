#pragma once

#include "core/EventDetails.h"

#include <QDialog>

#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QScrollArea;

namespace corvane {

// The details of an event for its declaration dossier: the event, its organiser, the first-aid
// association, a remark and, for each evaluation, whom it covers and its day. "Créer le dossier
// PDF" accepts only details that core's checks let through; otherwise it shows why and puts the
// cursor in the field at fault, leaving everything typed as it was.
class EventDialog : public QDialog {
    Q_OBJECT

public:
    // Filled with `proposed`; `note`, when not empty, is shown at the top.
    EventDialog(const EventDetails& proposed, const QString& note, QWidget* parent = nullptr);

    // The details as typed, each text trimmed; the evaluations keep their proposed names.
    EventDetails Details() const;

private:
    struct EvaluationRow {
        std::string name;
        QComboBox* audience;
        QLineEdit* day;
    };

    QWidget* EventGroup(const EventDetails& proposed);
    QWidget* OrganiserGroup(const EventDetails& proposed);
    QWidget* AssociationGroup(const EventDetails& proposed);
    QWidget* EvaluationsGroup(const EventDetails& proposed);
    void KeepRemarkShort();
    void Create();
    QWidget* FieldAtFault(const EventRefusal& refusal) const;

    QLineEdit* name_ = nullptr;
    QLineEdit* place_ = nullptr;
    QLineEdit* start_ = nullptr;
    QLineEdit* end_ = nullptr;
    QLineEdit* organiser_ = nullptr;
    QLineEdit* organiserQuality_ = nullptr;
    QLineEdit* organiserPhone_ = nullptr;
    QLineEdit* organiserEmail_ = nullptr;
    QLineEdit* association_ = nullptr;
    QLineEdit* approval_ = nullptr;
    QLineEdit* associationPhone_ = nullptr;
    QPlainTextEdit* remark_ = nullptr;
    std::vector<EvaluationRow> evaluations_;
    // Only when the evaluations are too many to show at once.
    QScrollArea* evaluationScroll_ = nullptr;
    QLabel* refusal_ = nullptr;
};

} // namespace corvane
