#include "platform/desktop/EventDialog.h"

#include "platform/desktop/Placement.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QTextCursor>
#include <QVBoxLayout>

namespace corvane {

namespace {

constexpr int kTextLength = 200;
constexpr int kShortTextLength = 40;
constexpr int kMomentLength = 40;
constexpr int kDayLength = 20;
constexpr int kRemarkLength = 1000;
constexpr int kRemarkLines = 3;
// Beyond this many evaluations their rows scroll, so that the dialog stays within the window.
constexpr int kEvaluationRowsShown = 5;
constexpr int kEvaluationNameWidth = 320;
constexpr int kDialogWidth = 760;

const QColor kRefusalColour(0xb0, 0x00, 0x20);

QLineEdit* AddField(QFormLayout* form, const QString& caption, const char* objectName,
                    int maxLength, const std::string& text, const QString& placeholder = {}) {
    auto* field = new QLineEdit;
    field->setObjectName(QLatin1String(objectName));
    field->setMaxLength(maxLength);
    field->setText(QString::fromStdString(text));
    field->setPlaceholderText(placeholder);
    field->setAccessibleName(caption);
    auto* label = new QLabel(caption);
    label->setBuddy(field);
    form->addRow(label, field);
    return field;
}

QFormLayout* FormIn(QGroupBox* group) {
    auto* form = new QFormLayout(group);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    return form;
}

std::string Typed(const QLineEdit* field) {
    return field->text().trimmed().toStdString();
}

} // namespace

EventDialog::EventDialog(const EventDetails& proposed, const QString& note, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
    setWindowTitle(QStringLiteral("Dossier de déclaration"));
    auto* layout = new QVBoxLayout(this);

    auto* noteLabel = new QLabel(note, this);
    noteLabel->setObjectName(QStringLiteral("EventNote"));
    noteLabel->setTextFormat(Qt::PlainText);
    noteLabel->setWordWrap(true);
    noteLabel->setVisible(!note.isEmpty());
    layout->addWidget(noteLabel);

    layout->addWidget(EventGroup(proposed));
    auto* sides = new QHBoxLayout;
    sides->addWidget(OrganiserGroup(proposed));
    sides->addWidget(AssociationGroup(proposed));
    layout->addLayout(sides);

    auto* remarkRow = new QFormLayout;
    remark_ = new QPlainTextEdit(QString::fromStdString(proposed.remark).left(kRemarkLength));
    remark_->setObjectName(QStringLiteral("RemarkField"));
    remark_->setTabChangesFocus(true);
    remark_->setAccessibleName(QStringLiteral("Remarque"));
    remark_->setFixedHeight(
        kRemarkLines * remark_->fontMetrics().lineSpacing() +
        2 * (remark_->frameWidth() + int(remark_->document()->documentMargin())));
    KeepRemarkShort();
    auto* remarkLabel = new QLabel(QStringLiteral("Remarque"));
    remarkLabel->setBuddy(remark_);
    remarkRow->addRow(remarkLabel, remark_);
    layout->addLayout(remarkRow);

    if (!proposed.evaluations.empty()) {
        layout->addWidget(EvaluationsGroup(proposed));
    }
    layout->addWidget(new QLabel(QStringLiteral("* champ obligatoire"), this));

    refusal_ = new QLabel(this);
    refusal_->setObjectName(QStringLiteral("EventRefusal"));
    refusal_->setTextFormat(Qt::PlainText);
    refusal_->setWordWrap(true);
    QPalette colours = refusal_->palette();
    colours.setColor(QPalette::WindowText, kRefusalColour);
    refusal_->setPalette(colours);
    refusal_->hide();
    layout->addWidget(refusal_);

    // Escape and the close box reject the dialog, as "Annuler" does.
    auto* buttons = new QDialogButtonBox(this);
    auto* create =
        buttons->addButton(QStringLiteral("Créer le dossier PDF"), QDialogButtonBox::AcceptRole);
    create->setObjectName(QStringLiteral("CreateDossierButton"));
    create->setDefault(true);
    auto* cancel = buttons->addButton(QStringLiteral("Annuler"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("CancelDossierButton"));
    connect(create, &QAbstractButton::clicked, this, &EventDialog::Create);
    connect(cancel, &QAbstractButton::clicked, this, &QDialog::reject);
    layout->addWidget(buttons);

    // The fields in the order they are read, whatever the order of their layouts.
    std::vector<QWidget*> order{name_,
                                place_,
                                start_,
                                end_,
                                organiser_,
                                organiserQuality_,
                                organiserPhone_,
                                organiserEmail_,
                                association_,
                                approval_,
                                associationPhone_,
                                remark_};
    for (const EvaluationRow& row : evaluations_) {
        order.push_back(row.audience);
        order.push_back(row.day);
    }
    for (std::size_t i = 1; i < order.size(); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }
    name_->setFocus();

    const QSize size(std::max(kDialogWidth, sizeHint().width()), sizeHint().height());
    resize(size);
    if (const QScreen* shownOn = screen(); shownOn != nullptr) {
        setGeometry(QRect(CentredIn(shownOn->availableGeometry(), size), size));
    }
}

QWidget* EventDialog::EventGroup(const EventDetails& proposed) {
    auto* group = new QGroupBox(QStringLiteral("Événement"));
    auto* columns = new QHBoxLayout(group);
    auto* what = new QFormLayout;
    what->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    name_ = AddField(what, QStringLiteral("Nom de l'événement *"), "EventNameField", kTextLength,
                     proposed.name);
    place_ = AddField(what, QStringLiteral("Lieu (commune, adresse) *"), "EventPlaceField",
                      kTextLength, proposed.place);
    columns->addLayout(what, 3);
    auto* when = new QFormLayout;
    const QString momentHint = QStringLiteral("jj/mm/aaaa hh:mm");
    start_ = AddField(when, QStringLiteral("Début *"), "EventStartField", kMomentLength,
                      proposed.start, momentHint);
    end_ = AddField(when, QStringLiteral("Fin *"), "EventEndField", kMomentLength, proposed.end,
                    momentHint);
    // A whole moment in view, with room for a blank or two.
    const QFontMetrics metrics = start_->fontMetrics();
    const int momentWidth = metrics.horizontalAdvance(QStringLiteral("00/00/0000 00:00")) +
                            4 * metrics.averageCharWidth();
    start_->setMinimumWidth(momentWidth);
    end_->setMinimumWidth(momentWidth);
    columns->addLayout(when, 1);
    return group;
}

QWidget* EventDialog::OrganiserGroup(const EventDetails& proposed) {
    auto* group = new QGroupBox(QStringLiteral("Organisateur"));
    QFormLayout* form = FormIn(group);
    organiser_ =
        AddField(form, QStringLiteral("Nom *"), "OrganiserField", kTextLength, proposed.organiser);
    organiserQuality_ = AddField(form, QStringLiteral("Qualité"), "OrganiserQualityField",
                                 kTextLength, proposed.organiserQuality);
    organiserPhone_ = AddField(form, QStringLiteral("Téléphone"), "OrganiserPhoneField",
                               kShortTextLength, proposed.organiserPhone);
    organiserEmail_ = AddField(form, QStringLiteral("Courriel"), "OrganiserEmailField", kTextLength,
                               proposed.organiserEmail);
    return group;
}

QWidget* EventDialog::AssociationGroup(const EventDetails& proposed) {
    auto* group = new QGroupBox(QStringLiteral("Association de secourisme"));
    QFormLayout* form = FormIn(group);
    association_ = AddField(form, QStringLiteral("Nom"), "AssociationField", kTextLength,
                            proposed.association);
    approval_ = AddField(form, QStringLiteral("N° d'agrément"), "ApprovalField", kShortTextLength,
                         proposed.approval);
    associationPhone_ = AddField(form, QStringLiteral("Téléphone"), "AssociationPhoneField",
                                 kShortTextLength, proposed.associationPhone);
    return group;
}

QWidget* EventDialog::EvaluationsGroup(const EventDetails& proposed) {
    auto* group = new QGroupBox(QStringLiteral("Évaluations"));
    auto* rows = new QWidget;
    auto* grid = new QGridLayout(rows);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setColumnStretch(0, 1);
    for (const EventEvaluation& evaluation : proposed.evaluations) {
        const int index = int(evaluations_.size());
        const QString name = QString::fromStdString(evaluation.name);
        auto* label = new QLabel;
        label->setTextFormat(Qt::PlainText);
        label->setText(
            label->fontMetrics().elidedText(name, Qt::ElideMiddle, kEvaluationNameWidth));
        label->setToolTip(name);
        auto* audience = new QComboBox;
        audience->setObjectName(QStringLiteral("AudienceField%1").arg(index));
        audience->addItems({QStringLiteral("public"), QStringLiteral("acteurs")});
        audience->setCurrentIndex(evaluation.audience == Audience::Acteurs ? 1 : 0);
        audience->setAccessibleName(QStringLiteral("Public de l'évaluation « %1 »").arg(name));
        label->setBuddy(audience);
        auto* day = new QLineEdit(QString::fromStdString(evaluation.day));
        day->setObjectName(QStringLiteral("DayField%1").arg(index));
        day->setMaxLength(kDayLength);
        day->setPlaceholderText(QStringLiteral("jj/mm/aaaa"));
        day->setAccessibleName(QStringLiteral("Jour de l'évaluation « %1 »").arg(name));
        grid->addWidget(label, index, 0);
        grid->addWidget(audience, index, 1);
        grid->addWidget(day, index, 2);
        evaluations_.push_back({evaluation.name, audience, day});
    }
    auto* layout = new QVBoxLayout(group);
    if (int(evaluations_.size()) <= kEvaluationRowsShown) {
        layout->addWidget(rows);
        return group;
    }
    evaluationScroll_ = new QScrollArea;
    evaluationScroll_->setFrameShape(QFrame::NoFrame);
    evaluationScroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    evaluationScroll_->setWidgetResizable(true);
    evaluationScroll_->setWidget(rows);
    const int rowHeight = rows->sizeHint().height() / int(evaluations_.size());
    evaluationScroll_->setFixedHeight(kEvaluationRowsShown * rowHeight);
    layout->addWidget(evaluationScroll_);
    return group;
}

void EventDialog::KeepRemarkShort() {
    connect(remark_, &QPlainTextEdit::textChanged, this, [this] {
        const int excess = int(remark_->toPlainText().size()) - kRemarkLength;
        if (excess <= 0) {
            return;
        }
        // What was just typed or pasted ends at the cursor: its end is what goes.
        QTextCursor cursor = remark_->textCursor();
        const int end = cursor.position();
        cursor.setPosition(std::max(0, end - excess));
        cursor.setPosition(end, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
    });
}

EventDetails EventDialog::Details() const {
    EventDetails details;
    details.name = Typed(name_);
    details.place = Typed(place_);
    details.start = Typed(start_);
    details.end = Typed(end_);
    details.organiser = Typed(organiser_);
    details.organiserQuality = Typed(organiserQuality_);
    details.organiserPhone = Typed(organiserPhone_);
    details.organiserEmail = Typed(organiserEmail_);
    details.association = Typed(association_);
    details.approval = Typed(approval_);
    details.associationPhone = Typed(associationPhone_);
    details.remark = remark_->toPlainText().trimmed().toStdString();
    for (const EvaluationRow& row : evaluations_) {
        details.evaluations.push_back(
            {row.name, row.audience->currentIndex() == 1 ? Audience::Acteurs : Audience::Public,
             Typed(row.day)});
    }
    return details;
}

void EventDialog::Create() {
    const std::optional<EventRefusal> refusal = CheckEventDetails(Details());
    if (!refusal) {
        refusal_->hide();
        accept();
        return;
    }
    refusal_->setText(QString::fromStdString(refusal->message));
    refusal_->show();
    if (QWidget* field = FieldAtFault(*refusal); field != nullptr) {
        if (evaluationScroll_ != nullptr && evaluationScroll_->isAncestorOf(field)) {
            evaluationScroll_->ensureWidgetVisible(field);
        }
        field->setFocus(Qt::OtherFocusReason);
    }
}

QWidget* EventDialog::FieldAtFault(const EventRefusal& refusal) const {
    switch (refusal.field) {
    case EventField::None:
        return nullptr;
    case EventField::Name:
        return name_;
    case EventField::Place:
        return place_;
    case EventField::Start:
        return start_;
    case EventField::End:
        return end_;
    case EventField::Organiser:
        return organiser_;
    case EventField::EvaluationDay:
        return refusal.evaluation < evaluations_.size() ? evaluations_[refusal.evaluation].day
                                                        : nullptr;
    }
    return nullptr;
}

} // namespace corvane
