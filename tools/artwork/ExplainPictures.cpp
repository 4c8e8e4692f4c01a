#include "tools/artwork/ExplainPictures.h"

#include "assets/PictureTable.h"
#include "tools/artwork/ArtworkStyle.h"
#include "tools/artwork/ExplainDrawing.h"

#include <array>

namespace corvane::artwork {

namespace {

// The four risk levels of an indicator and their coefficients, from the lowest risk.
constexpr std::array<const char*, 4> kLevelNames{"Faible", "Modéré", "Moyen", "Elevé"};
constexpr std::array<const char*, 4> kCoefficients{"0,25", "0,30", "0,35", "0,40"};

void TotalIndexBlocks(ExplainPage& page) {
    page.Paragraph("L'indice total de risque i est la somme des trois indicateurs :");
    page.Formulas({"i = P2 + E1 + E2"});
    page.Definition("P2", "indicateur lié à l'activité du rassemblement ;");
    page.Definition("E1", "indicateur lié aux caractéristiques de l'environnement et à "
                          "l'accessibilité du site ;");
    page.Definition("E2", "indicateur lié au délai d'intervention des secours publics.");
    page.Heading("Valeur de chaque indicateur selon son niveau");
    std::vector<std::pair<QString, QColor>> labels;
    for (int level = 1; level <= 4; ++level) {
        labels.emplace_back(
            QStringLiteral("%1 : %2").arg(kLevelNames.at(level - 1), kCoefficients.at(level - 1)),
            LevelColour(level));
    }
    page.Labels(labels);
    page.Paragraph("Chaque indicateur valant de 0,25 à 0,40, i va de 0,75 (trois niveaux "
                   "faibles) à 1,20 (trois niveaux élevés).");
}

void RatioBlocks(ExplainPage& page) {
    page.Heading("Public pris en compte P");
    page.Formulas({"P = P1\tlorsque P1 ≤ 100 000 personnes",
                   "P = 100 000 + (P1 − 100 000) ÷ 2\tlorsque P1 > 100 000"});
    page.Definition("P1", "effectif prévisible déclaré du public.");
    page.Heading("Ratio d'intervenants secouristes");
    page.Formulas({"RIS = i × P ÷ 1000"});
    page.Definition("i", "indice total de risque (P2 + E1 + E2).");
    page.Heading("Exemple");
    page.Table({{"Étape", 200}, {"Calcul"}},
               {{{"Données", "P1 = 340 000 personnes, i = 0,90"}},
                {{"Public pris en compte", "P = 100 000 + (340 000 − 100 000) ÷ 2 = 220 000"}},
                {{"Ratio", "RIS = 0,90 × 220 000 ÷ 1000 = 198"}}});
}

void RulesBlocks(ExplainPage& page) {
    page.Paragraph("Le RIS se traduit en nombre d'intervenants secouristes selon les règles "
                   "suivantes :");
    page.Table({{"RIS", 190}, {"Intervenants secouristes"}},
               {{{"RIS ≤ 0,25", "Pas de DPS : relève de la diligence de l'autorité de police "
                                "compétente."}},
                {{"0,25 < RIS ≤ 1,125", "Point d'alerte et de premier secours : 2 secouristes."}},
                {{"1,125 < RIS ≤ 4", "4 intervenants secouristes."}},
                {{"RIS > 4", "Un nombre pair d'intervenants, égal au RIS : si le RIS est impair ou "
                             "décimal, le nombre d'intervenants est arrondi au nombre pair "
                             "supérieur."}}});
    page.Heading("Exemples");
    page.Table({{"RIS", 190},
                {"3,2", 0, Qt::AlignHCenter},
                {"5", 0, Qt::AlignHCenter},
                {"7,4", 0, Qt::AlignHCenter},
                {"12", 0, Qt::AlignHCenter},
                {"198", 0, Qt::AlignHCenter}},
               {{{"Intervenants", "4", "6", "8", "12", "198"}}});
    page.Heading("Remarque");
    page.Paragraph("Le RIS affiché par le logiciel n'est pas arrondi : il est donné tel que "
                   "calculé, avec trois décimales, et le logiciel n'applique pas lui-même ces "
                   "règles.");
}

void DpsTypesBlocks(ExplainPage& page) {
    page.Table(
        {{"RIS", 220}, {"Type de dispositif"}},
        {{{"RIS ≤ 0,25", "Diligence de l'autorité de police compétente"},
          DpsColour(DpsType::Diligence)},
         {{"0,25 < RIS ≤ 1,125", "Point d'alerte et de premier secours"}, DpsColour(DpsType::Paps)},
         {{"1,125 < RIS ≤ 12", "DPS de petite envergure (DPS-PE)"}, DpsColour(DpsType::DpsPe)},
         {{"12 < RIS ≤ 36", "DPS de moyenne envergure (DPS-ME)"}, DpsColour(DpsType::DpsMe)},
         {{"RIS > 36", "DPS de grande envergure (DPS-GE)"}, DpsColour(DpsType::DpsGe)}});
    page.Paragraph("Chaque borne supérieure appartient à sa tranche : un RIS de 12 donne un "
                   "DPS-PE, un RIS de 36 un DPS-ME.");
}

// The table of one indicator: its four levels, what each covers and its coefficient.
QImage DrawIndicator(QSize size, const QString& title, const QString& indicator,
                     const QString& heading, const std::array<QString, 4>& descriptions) {
    std::vector<TableRow> rows;
    for (int level = 1; level <= 4; ++level) {
        rows.push_back(
            {{kLevelNames.at(level - 1), descriptions.at(level - 1), kCoefficients.at(level - 1)},
             LevelColour(level)});
    }
    return ExplainPage::Draw(
        size, title, QStringLiteral("Indicateur ") + indicator, [&](ExplainPage& page) {
            page.Table({{"Niveau", 100}, {heading}, {"Coefficient", 110, Qt::AlignHCenter}}, rows);
        });
}

QImage DrawActivities(QSize size) {
    return DrawIndicator(
        size, "Activités du rassemblement", "P2", "Activités",
        {"Public assis : spectacle, cérémonie culturelle, réunion publique, restauration, "
         "rendez-vous sportif…",
         "Public debout : cérémonie culturelle, réunion publique, restauration, exposition, foire, "
         "salon, comice agricole…",
         "Public debout : spectacle avec public statique, fête foraine, rendez-vous sportif avec "
         "protection du public par rapport à l'événement…",
         "Public debout : spectacle avec public dynamique, danse, feria, fête votive, carnaval, "
         "spectacle de rue, grande parade, rendez-vous sportif sans protection du public par "
         "rapport à l'événement…\nÉvénement se déroulant sur plusieurs jours avec présence "
         "permanente du public : hébergement sur site ou à proximité."});
}

QImage DrawEnvironment(QSize size) {
    return DrawIndicator(
        size, "Environnement", "E1",
        "Caractéristiques de l'environnement ou de l'accessibilité du site",
        {"Structures permanentes : bâtiment, salle en dur…\nVoies publiques, rues… avec accès "
         "dégagés.\nConditions d'accès aisées.",
         "Structures non permanentes : gradins, tribunes, chapiteaux…\nEspaces naturels : surface "
         "≤ 2 hectares.\nBrancardage : 150 m < longueur ≤ 300 m.\nTerrain en pente sur plus de "
         "100 m.",
         "Espaces naturels : 2 ha < surface ≤ 5 ha.\nBrancardage : 300 m < longueur ≤ 600 m.\n"
         "Terrain en pente sur plus de 150 m.\nAutres conditions d'accès difficiles.",
         "Espaces naturels : surface > 5 ha.\nBrancardage : longueur > 600 m.\nTerrain en pente "
         "sur plus de 300 m.\nAutres conditions d'accès difficiles : talus, escaliers, voies "
         "d'accès non carrossables…\nProgression des secours rendue difficile par la présence du "
         "public."});
}

QImage DrawDelays(QSize size) {
    return DrawIndicator(size, "Délais d'intervention", "E2",
                         "Délai d'intervention des secours publics",
                         {"≤ 10 minutes", "> 10 minutes et ≤ 20 minutes",
                          "> 20 minutes et ≤ 30 minutes", "> 30 minutes"});
}

} // namespace

QImage DrawExplainPicture(int number, QSize size) {
    switch (number) {
    case kTotalIndexExplanation:
        return ExplainPage::Draw(size, "Indice total de risque", {}, TotalIndexBlocks);
    case kRatioExplanation:
        return ExplainPage::Draw(size, "Ratio des intervenants", {}, RatioBlocks);
    case kRulesExplanation:
        return ExplainPage::Draw(size, "Règles applicables", {}, RulesBlocks);
    case kDpsTypesExplanation:
        return ExplainPage::Draw(size, "R I S → Type de DPS", {}, DpsTypesBlocks);
    case kActivitiesExplanation:
        return DrawActivities(size);
    case kEnvironmentExplanation:
        return DrawEnvironment(size);
    case kDelaysExplanation:
        return DrawDelays(size);
    default:
        return {};
    }
}

} // namespace corvane::artwork
