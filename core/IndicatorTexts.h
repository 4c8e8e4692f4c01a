#pragma once

#include "core/Indicator.h"

#include <string_view>

namespace corvane {

// The French texts of the grid's indicators as the grid page shows them, shared by the page and
// the printed report. A "\n" in a description is where the page breaks its line.

inline constexpr const char* kP2OptionDescriptions[kOptionCount]{
    "Option 1 = Public assis: spectacle, cérémonie culturelle, réunion publique, restauration, "
    "rendez-vous sportif ,,,",
    "Option 2 = Public debout: cérémonie culturelle, réunion publique, restauration, exposition, "
    "foire, salon, comice agricole ,,,",
    "Option 3 = Public debout: spectacle avec public statique, fête foraine, rendez-vous sportif "
    "avec protection du public par rapport à l'évenement ,,,",
    "Option 4 = Public debout: spectacle avec public dynamique,danse, feria, fête votive, "
    "carnaval, spectacle de rue, grande parade, rendez-vous sportif sans protection du public "
    "par rapport à l'évenement ,,, Evenement se deroulant sur plusieurs jours avec présence "
    "permanente du public: hébergement sur site ou à proximité",
};

inline constexpr const char* kE1OptionDescriptions[kOptionCount]{
    "Option 1 = Structures permanentes: bâtiment, salle en dur,.. Voies publiques, rues, avec "
    "accès dégagés. Conditions d'accès aisés",
    "Option 2 = Structures non permanentes: gradins, tribunes, chapiteaux, ,,,Espaces naturels: "
    "surface <= 2 hectares.\nBrancardage: 150m < longueur <= 300m. Terrain en pente sur plus de "
    "100m",
    "Option 3 = Espaces naturels: 2 ha < surface <= 5 ha. Brancardage: 300m < longueur <= 600m. "
    "Terrain en pente sur plus de 150m.\nAutres conditions d'accès difficiles",
    "Option 4 = Espaces naturels: surface > 5 ha. Brancardage: longueur > 600m. Terrain en pente "
    "sur plus de 300m. Autres conditions d'accès difficiles: Talus, escaliers, voies d'accès non "
    "carrossables, ,,,Progression des secours rendue difficile par la présence du public.",
};

// The captions of P2's and E1's option buttons.
inline constexpr const char* kRiskLevelCaptions[kOptionCount]{
    "Option 1 - Risque Faible",
    "Option 2 - Risque Modéré",
    "Option 3 - Risque Moyen",
    "Option 4 - Risque Elevé",
};

// E2 has no descriptions: its option buttons say the delay.
inline constexpr const char* kE2OptionCaptions[kOptionCount]{
    "Temps inférieur ou égal à 10 minutes",
    "Temps supérieur à 10 mn et inférieur ou égal à 20 mn",
    "Temps supérieur à 20 mn et inférieur ou égal à 30 mn",
    "Temps supérieur à 30 mn",
};

inline constexpr const char* kP2Title = "Activité du rassemblement, choisir le niveau";
inline constexpr const char* kE1Title =
    "Caractéristiques de l'environnement ou de l'accessibilité du site, choisir le niveau";
inline constexpr const char* kE2Title =
    "Délais d'intervention des secours publics, choisir le délai";

} // namespace corvane
