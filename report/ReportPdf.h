#pragma once

#include "core/DpsType.h"
#include "pdf/PdfJpeg.h"
#include "report/OpenedEvaluation.h"

#include <QByteArray>

#include <optional>

namespace corvane {

// The banner that the grid page shows for a type, from the program's pictures, as a PDF holds it;
// nothing for a type without one, or when its picture does not decode.
std::optional<PdfJpeg> ReportBanner(DpsType type);

// The one-page A4 PDF record of an opened evaluation, in French, for the declaration file of an
// event: the evaluation's stored figures, the recommended number of first-aid workers, the RIS
// bands, and room for the organiser's and the first-aid association's signatures. Needs a
// QGuiApplication for its fonts; the offscreen platform is enough.
QByteArray RenderReportPdf(const OpenedEvaluation& evaluation);

} // namespace corvane
