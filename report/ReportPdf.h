#pragma once

#include "core/DpsType.h"
#include "report/OpenedEvaluation.h"

#include <QByteArray>
#include <QImage>

#include <array>
#include <optional>
#include <string_view>

namespace corvane {

// One band of the RIS table that the report prints: the type of DPS for a RIS above the previous
// band's bound and up to this one's, as the grid classifies it. The last band has no bound.
struct RisBand {
    DpsType type;
    std::string_view upTo;
};

inline constexpr std::array<RisBand, 5> kRisBands{{
    {DpsType::Diligence, "0.25"},
    {DpsType::Paps, "1.125"},
    {DpsType::DpsPe, "12"},
    {DpsType::DpsMe, "36"},
    {DpsType::DpsGe, {}},
}};

// The banner that the grid page shows for a type, decoded from the report's own copy of the
// pictures; nothing for a type without one.
std::optional<QImage> ReportBanner(DpsType type);

// The one-page A4 PDF record of an opened evaluation, in French, for the declaration file of an
// event: the evaluation's stored figures, the recommended number of first-aid workers, the RIS
// bands, and room for the organiser's and the first-aid association's signatures. Needs a
// QGuiApplication for its fonts; the offscreen platform is enough.
QByteArray RenderReportPdf(const OpenedEvaluation& evaluation);

} // namespace corvane
