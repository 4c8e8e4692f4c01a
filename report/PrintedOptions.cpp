#include "report/PrintedOptions.h"

#include <algorithm>

namespace corvane {

namespace {

constexpr const char* kP2Options[kOptionCount]{
    "Option 1 = Public assis : spectacle, cérémonie culturelle, réunion publique, restauration, "
    "rendez-vous sportif…",
    "Option 2 = Public debout : cérémonie culturelle, réunion publique, restauration, "
    "exposition, foire, salon, comice agricole…",
    "Option 3 = Public debout : spectacle avec public statique, fête foraine, rendez-vous "
    "sportif avec protection du public par rapport à l'événement…",
    "Option 4 = Public debout : spectacle avec public dynamique, danse, feria, fête votive, "
    "carnaval, spectacle de rue, grande parade, rendez-vous sportif sans protection du public "
    "par rapport à l'événement… Événement se déroulant sur plusieurs jours avec présence "
    "permanente du public : hébergement sur site ou à proximité.",
};

constexpr const char* kE1Options[kOptionCount]{
    "Option 1 = Structures permanentes : bâtiment, salle en dur… Voies publiques, rues, avec "
    "accès dégagés. Conditions d'accès aisées.",
    "Option 2 = Structures non permanentes : gradins, tribunes, chapiteaux… Espaces naturels : "
    "surface ≤ 2 hectares. Brancardage : 150 m < longueur ≤ 300 m. Terrain en pente sur plus "
    "de 100 m.",
    "Option 3 = Espaces naturels : 2 ha < surface ≤ 5 ha. Brancardage : 300 m < longueur ≤ "
    "600 m. Terrain en pente sur plus de 150 m. Autres conditions d'accès difficiles.",
    "Option 4 = Espaces naturels : surface > 5 ha. Brancardage : longueur > 600 m. Terrain en "
    "pente sur plus de 300 m. Autres conditions d'accès difficiles : talus, escaliers, voies "
    "d'accès non carrossables… Progression des secours rendue difficile par la présence du "
    "public.",
};

} // namespace

QString PrintedOption(Indicator indicator, int choice) {
    const int index = std::clamp(choice, 1, kOptionCount) - 1;
    return QString::fromUtf8(indicator == Indicator::E1 ? kE1Options[index] : kP2Options[index]);
}

} // namespace corvane
