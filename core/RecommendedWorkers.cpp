#include "core/RecommendedWorkers.h"

#include "core/Indicator.h"

namespace corvane {

namespace {

// The RIS is indexHundredths x P / kScale.
constexpr std::int64_t kScale = 100000;
// Up to this P every product of the rules' bounds fits in 64 bits; beyond it the RIS is above 4.
constexpr std::int64_t kSmallP = 4 * kScale;

} // namespace

WorkerCount RecommendedWorkers(std::int64_t indexHundredths, std::int64_t p) {
    if (indexHundredths <= 0 || p <= 0) {
        return {WorkerRule::NoDeployment, 0};
    }
    if (p <= kSmallP) {
        const std::int64_t scaled = indexHundredths * p;
        if (4 * scaled <= kScale) {
            return {WorkerRule::NoDeployment, 0};
        }
        if (8 * scaled <= 9 * kScale) {
            return {WorkerRule::AlertPost, 2};
        }
        if (scaled <= 4 * kScale) {
            return {WorkerRule::SmallPost, 4};
        }
    }
    // Twice the RIS / 2 raised to a whole number, P split so that no product overflows.
    constexpr std::int64_t kPair = 2 * kScale;
    const std::int64_t pairs =
        indexHundredths * (p / kPair) + (indexHundredths * (p % kPair) + kPair - 1) / kPair;
    return {WorkerRule::NextEven, 2 * pairs};
}

std::string_view WorkerRuleText(WorkerRule rule) {
    switch (rule) {
    case WorkerRule::NoDeployment:
        return "RIS inférieur ou égal à 0,25 : aucun intervenant secouriste, la sécurité relève de "
               "la diligence de l'autorité de police compétente.";
    case WorkerRule::AlertPost:
        return "RIS supérieur à 0,25 et inférieur ou égal à 1,125 : un point d'alerte et de "
               "premier secours, tenu par deux personnes.";
    case WorkerRule::SmallPost:
        return "RIS supérieur à 1,125 et inférieur ou égal à 4 : quatre intervenants "
               "secouristes, l'effectif d'un poste de secours.";
    case WorkerRule::NextEven:
        return "RIS supérieur à 4 : le RIS arrondi au nombre pair supérieur.";
    }
    return {};
}

std::string_view CompositionText(DpsType type) {
    switch (type) {
    case DpsType::NoType:
        return {};
    case DpsType::Diligence:
        return "Aucun dispositif prévisionnel de secours n'est requis : la sécurité relève de la "
               "diligence de l'autorité de police compétente.";
    case DpsType::Paps:
        return "Un point d'alerte et de premier secours (PAPS) est tenu par deux personnes.";
    case DpsType::DpsPe:
        return "Un DPS de petite envergure est un poste de secours sous l'autorité d'un chef de "
               "poste : de 4 à 12 intervenants secouristes.";
    case DpsType::DpsMe:
        return "Un DPS de moyenne envergure compte deux ou trois postes de secours sous l'autorité "
               "d'un chef de section : de 12 à 36 intervenants secouristes et deux logisticiens.";
    case DpsType::DpsGe:
        return "Un DPS de grande envergure compte au moins quatre postes de secours répartis en "
               "au moins deux secteurs : plus de 36 intervenants secouristes.";
    }
    return {};
}

bool PapsFallsShort(const EvaluationRecord& record) {
    return record.e2Choice == kOptionCount && record.banner == DpsType::Paps;
}

} // namespace corvane
