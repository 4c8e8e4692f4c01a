#include "report/SummaryCsv.h"

#include "core/FrenchFigure.h"
#include "core/NumberText.h"

#include <string_view>
#include <vector>

namespace corvane {

namespace {

constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";
constexpr char kLineEnd[] = "\r\n";

const char* const kHeader[]{
    "Nom",
    "Date d'enregistrement",
    "P1",
    "P",
    "P2",
    "E1",
    "E2",
    "Indice total de risque",
    "RIS",
    "Type de DPS",
    "Intervenants secouristes",
};

// A field holding a separator, a quote or a line break goes between quotes, its quotes doubled.
std::string Field(const std::string& text) {
    if (text.find_first_of(";\"\r\n") == std::string::npos) {
        return text;
    }
    std::string quoted = "\"";
    for (const char c : text) {
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    }
    return quoted + "\"";
}

// A text that a spreadsheet would take for a formula ("=", "+", "-", "@", a tab or a carriage
// return first, and not a plain number such as "-500") goes behind an apostrophe, which makes it
// text: nothing a file holds can run.
std::string AsText(const std::string& text) {
    const bool formula =
        !text.empty() && std::string_view("=+-@\t\r").find(text.front()) != std::string::npos;
    return formula && !IsPlainNumber(text) ? "'" + text : text;
}

// A saved figure: a plain number with a decimal comma, anything else as text.
std::string Figure(const std::string& text) {
    return IsPlainNumber(text) ? FrenchFigure(text) : AsText(text);
}

std::string Line(const std::vector<std::string>& fields) {
    std::string line;
    for (std::size_t index = 0; index < fields.size(); ++index) {
        if (index > 0) {
            line += ';';
        }
        line += Field(fields[index]);
    }
    line += kLineEnd;
    return line;
}

} // namespace

std::string SummaryCsvHeading() {
    return kByteOrderMark + Line(std::vector<std::string>(std::begin(kHeader), std::end(kHeader)));
}

std::string SummaryCsvLine(const OpenedEvaluation& evaluation) {
    const EvaluationRecord& record = evaluation.record;
    const std::optional<WorkerCount>& workers = evaluation.verdict.workers;
    return Line({
        AsText(record.name),
        AsText(evaluation.savedDate),
        Figure(record.p1Text),
        Figure(record.pText),
        Figure(record.p2Coefficient),
        Figure(record.e1Coefficient),
        Figure(record.e2Coefficient),
        Figure(record.riskIndexText),
        Figure(record.risText),
        AsText(record.dpsTypeText),
        workers ? WriteWholeNumber(workers->workers) : std::string(),
    });
}

} // namespace corvane
