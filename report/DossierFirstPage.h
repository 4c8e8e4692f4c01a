#pragma once

#include "report/DossierPdf.h"
#include "report/PagePainter.h"

namespace corvane {

// The first page of a declaration dossier: the event, its organiser and first-aid association,
// a table of its evaluations, the largest cover asked for at once, the warnings, and the
// signatures.
class DossierFirstPage : private PagePainter {
public:
    DossierFirstPage(PdfCanvas& canvas, const EventDetails& details,
                     const std::vector<DossierEvaluation>& evaluations, PageNumber number,
                     qreal scale);

    // Draws the page; false when its upper part ran into the signatures.
    bool Paint();

    // The rows the table shows at most; the pages that follow hold every evaluation.
    static constexpr std::size_t kMaxTableRows = 30;

private:
    void Event();
    void People();
    void Table();
    void LargestCover();
    void Warnings();

    const EventDetails& details_;
    const std::vector<DossierEvaluation>& evaluations_;
    PageNumber number_;
    qreal scale_;
};

} // namespace corvane
