#pragma once

#include "core/DpsType.h"

#include <cstdint>
#include <string>

namespace corvane {

// The least organisation of a deployment that the national reference's structure implies, and
// never more than it says: posts of at most twelve first-aid workers, each led by a chef de
// poste; a DPS-ME adds a chef de section and two logisticians; a DPS-GE groups its posts in at
// least two sectors, each with a chef de secteur and two logisticians, under a chef de dispositif;
// an alert post is one pair.
struct CoverOrganisation {
    std::int64_t posts = 0;        // each led by a chef de poste, counted among the workers
    std::int64_t sectors = 0;      // DPS-GE only
    std::int64_t logisticians = 0; // DPS-ME: 2; DPS-GE: 2 per sector
    bool sectionChief = false;     // DPS-ME
    bool deploymentChief = false;  // DPS-GE
    bool pair = false;             // an alert post (PAPS)
};

// For a type and the number of first-aid workers it calls for.
CoverOrganisation OrganiseCover(DpsType type, std::int64_t workers);

// The organisation in French, with what the count includes; empty where no cover is asked for.
std::string CoverOrganisationText(const CoverOrganisation& organisation);

} // namespace corvane
