#include "core/CoverOrganisation.h"

namespace corvane {

namespace {

constexpr std::int64_t kWorkersPerPost = 12;
constexpr std::int64_t kLeastSectors = 2;
constexpr std::int64_t kLogisticiansPerUnit = 2;

std::int64_t PostsFor(std::int64_t workers) {
    return workers <= 0 ? 0 : (workers + kWorkersPerPost - 1) / kWorkersPerPost;
}

std::string Plural(std::int64_t count, const std::string& one, const std::string& many) {
    return std::to_string(count) + ' ' + (count == 1 ? one : many);
}

} // namespace

CoverOrganisation OrganiseCover(DpsType type, std::int64_t workers) {
    CoverOrganisation organisation;
    switch (type) {
    case DpsType::NoType:
    case DpsType::Diligence:
        break;
    case DpsType::Paps:
        organisation.pair = true;
        break;
    case DpsType::DpsPe:
        organisation.posts = PostsFor(workers);
        break;
    case DpsType::DpsMe:
        organisation.posts = PostsFor(workers);
        organisation.sectionChief = true;
        organisation.logisticians = kLogisticiansPerUnit;
        break;
    case DpsType::DpsGe:
        organisation.posts = PostsFor(workers);
        organisation.sectors = kLeastSectors;
        organisation.logisticians = kLogisticiansPerUnit * kLeastSectors;
        organisation.deploymentChief = true;
        break;
    }
    return organisation;
}

std::string CoverOrganisationText(const CoverOrganisation& organisation) {
    if (organisation.pair) {
        return "Organisation minimale : un binôme (deux personnes).";
    }
    if (organisation.posts == 0) {
        return {};
    }
    std::string text = "Organisation minimale : " +
                       Plural(organisation.posts, "poste de secours", "postes de secours") +
                       (organisation.posts == 1 ? ", mené par un chef de poste"
                                                : ", chacun mené par un chef de poste");
    if (organisation.sectionChief) {
        text += ", sous un chef de section, avec " +
                Plural(organisation.logisticians, "logisticien", "logisticiens");
    }
    if (organisation.deploymentChief) {
        text += ", répartis en au moins " + std::to_string(organisation.sectors) +
                " secteurs, chacun avec un chef de secteur et " +
                std::to_string(kLogisticiansPerUnit) + " logisticiens, sous un chef de dispositif";
    }
    return text + ". Le nombre d'intervenants secouristes comprend les chefs de poste, mais ni les "
                  "autres cadres ni les logisticiens ; l'autorité de police peut en demander "
                  "davantage.";
}

} // namespace corvane
