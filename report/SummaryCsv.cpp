#include "report/SummaryCsv.h"

#include <algorithm>
#include <regex>
#include <string_view>

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

// A stored decimal number such as "2.250" takes a decimal comma; any other text, a hand-edited
// "1e39" or "NaN" among them, stays as it is.
std::string FrenchDecimal(const std::string& text) {
    static const std::regex decimal(R"([-+]?[0-9]+\.[0-9]+)");
    if (!std::regex_match(text, decimal)) {
        return text;
    }
    std::string french = text;
    std::replace(french.begin(), french.end(), '.', ',');
    return french;
}

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

// A text that a spreadsheet would take for a formula ("=", "+", "-" or "@" first) is opened as
// plain text, so that a file name can never run anything.
std::string PlainText(const std::string& text) {
    return !text.empty() && std::string_view("=+-@\t\r").find(text.front()) != std::string::npos
               ? "'" + text
               : text;
}

template <typename Fields> std::string Line(const Fields& fields) {
    std::string line;
    for (const auto& field : fields) {
        line += (line.empty() ? "" : ";") + Field(field);
    }
    return line + kLineEnd;
}

} // namespace

std::string SummaryCsv(const std::vector<OpenedEvaluation>& evaluations) {
    std::string csv =
        kByteOrderMark + Line(std::vector<std::string>(std::begin(kHeader), std::end(kHeader)));
    for (const OpenedEvaluation& evaluation : evaluations) {
        const EvaluationRecord& record = evaluation.record;
        csv += Line(std::vector<std::string>{
            PlainText(record.name),
            PlainText(evaluation.savedDate),
            record.p1Text,
            record.pText,
            FrenchDecimal(record.p2Coefficient),
            FrenchDecimal(record.e1Coefficient),
            FrenchDecimal(record.e2Coefficient),
            FrenchDecimal(record.riskIndexText),
            FrenchDecimal(record.risText),
            PlainText(record.dpsTypeText),
            evaluation.workers ? WorkersText(evaluation.workers->workers) : std::string(),
        });
    }
    return csv;
}

} // namespace corvane
