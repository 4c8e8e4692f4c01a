#pragma once

#include "core/EventDetails.h"
#include "report/OpenedEvaluation.h"
#include "report/PagePainter.h"

#include <optional>

namespace corvane {

// An evaluation's place in the event of a dossier.
struct EvaluationPlacement {
    Audience audience = Audience::Public;
    std::optional<CalendarDate> day;
    QString eventName;
};

// The A4 page of one opened evaluation, in French: the evaluation's stored figures, the
// recommended number of first-aid workers and how they are organised, the RIS bands, and room for
// the organiser's and the first-aid association's signatures.
class EvaluationPage : private PagePainter {
public:
    // The page's upper part is drawn at `scale` (1 or less), laid out in as much wider a
    // measure, so that it still spans the page.
    EvaluationPage(PdfCanvas& canvas, const OpenedEvaluation& evaluation,
                   const std::optional<EvaluationPlacement>& placement, PageNumber number,
                   qreal scale);

    // Draws the page; false when the upper part ran into the bottom of the page, which then
    // needs drawing again at a smaller scale.
    bool Paint();

private:
    void Header();
    void Indicators();
    void Results();
    void RisNotes();
    void Workers();
    void Bands();

    const OpenedEvaluation& evaluation_;
    const EvaluationRecord& record_;
    const std::optional<EvaluationPlacement>& placement_;
    PageNumber number_;
    qreal scale_;
};

} // namespace corvane
