#pragma once

// Every picture of the program: its number, its file, its kind and its size, and a name for each
// role a picture plays. The window, the artwork generator, the resource list and the tests all
// read the pictures from here.

#include "core/DpsType.h"

#include <algorithm>
#include <array>
#include <optional>
#include <span>
#include <string>

namespace corvane {

// The roles. One picture may play several.
inline constexpr int kAboutPicture = 0; // menu item "A propos", the status line, the About window
inline constexpr int kQuitPicture = 1;
inline constexpr int kDocumentPicture = 2; // the five reference-document menu items
inline constexpr int kGridTabPicture = 3;
inline constexpr int kExplainTabPicture = 4;
inline constexpr int kNewEvaluationPicture = 5;
inline constexpr int kCheckUpdatePicture = 6;
inline constexpr int kSaveEvaluationPicture = 7;
inline constexpr int kEvaluationsPicture = 8; // "Ouvrir une évaluation" and the evaluations tab
inline constexpr int kTotalIndexExplanation = 10;
inline constexpr int kRatioExplanation = 11;
inline constexpr int kRulesExplanation = 12;
inline constexpr int kDpsTypesExplanation = 13;
inline constexpr int kPapsBanner = 14;
inline constexpr int kDpsPeBanner = 15;
inline constexpr int kDpsMeBanner = 16;
inline constexpr int kDpsGeBanner = 17;
inline constexpr int kActivitiesExplanation = 18;
inline constexpr int kEnvironmentExplanation = 19;
inline constexpr int kDelaysExplanation = 20;
inline constexpr int kDiligenceBanner = 21;
inline constexpr int kRecycleBinPicture = 23;
inline constexpr int kDeleteForeverPicture = 24;
inline constexpr int kViewModePicture = 25;
inline constexpr int kOpenFilePicture = 26;
inline constexpr int kPropertiesPicture = 30;
inline constexpr int kHelpPicture = 31;
inline constexpr int kImagesPicture = 32; // "Ouvrir une image" and the images tab
inline constexpr int kImagePropertiesPicture = 34;
inline constexpr int kOpenImagePicture = 35;
inline constexpr int kAboutLogoPicture = 101;
inline constexpr int kSupportMailPicture = 102;

// The explanation pictures in the order of their buttons.
inline constexpr std::array<int, 7> kExplanationPictures{
    kTotalIndexExplanation, kRatioExplanation,       kRulesExplanation,  kDpsTypesExplanation,
    kActivitiesExplanation, kEnvironmentExplanation, kDelaysExplanation,
};

struct DpsBanner {
    DpsType type;
    int picture;
};

// The banner of each DPS type, from the calmest type to the most alarming.
inline constexpr std::array<DpsBanner, 5> kDpsBanners{{
    {DpsType::Diligence, kDiligenceBanner},
    {DpsType::Paps, kPapsBanner},
    {DpsType::DpsPe, kDpsPeBanner},
    {DpsType::DpsMe, kDpsMeBanner},
    {DpsType::DpsGe, kDpsGeBanner},
}};

constexpr std::optional<int> BannerPicture(DpsType type) {
    for (const DpsBanner& banner : kDpsBanners) {
        if (banner.type == type) {
            return banner.picture;
        }
    }
    return std::nullopt;
}

enum class PictureKind { Icon, Jpeg, ProgressiveJpeg };

// The sides of the square images of an icon file, largest first.
inline constexpr std::array<int, 1> kMenuIconSides{16};
inline constexpr std::array<int, 4> kFourIconSides{48, 32, 24, 16};
// The program's own icon, which the title bar and the desktop show.
inline constexpr std::span<const int> kProgramIconSides = kFourIconSides;
// The sides of the program icon installed into the desktop's hicolor icon theme, one PNG each,
// as assets/hicolor/<side>x<side>/apps/corvane.png.
inline constexpr std::array<int, 7> kDesktopIconSides{16, 24, 32, 48, 64, 128, 256};

struct PictureEntry {
    int number;
    PictureKind kind;
    // Of a JPEG picture, its size; of an icon, the size of the image that menus, tabs and labels
    // show.
    int width;
    int height;
    std::span<const int> iconSides; // empty for a JPEG picture
};

constexpr PictureEntry IconEntry(int number, std::span<const int> sides = kMenuIconSides) {
    return {number, PictureKind::Icon, kMenuIconSides[0], kMenuIconSides[0], sides};
}

constexpr PictureEntry JpegEntry(int number, int width, int height,
                                 PictureKind kind = PictureKind::Jpeg) {
    return {number, kind, width, height, {}};
}

// In ascending number order, the order in which the program reads them.
inline constexpr std::array kPictureTable{
    IconEntry(kAboutPicture),
    IconEntry(kQuitPicture),
    IconEntry(kDocumentPicture),
    IconEntry(kGridTabPicture),
    IconEntry(kExplainTabPicture),
    IconEntry(kNewEvaluationPicture),
    IconEntry(kCheckUpdatePicture),
    IconEntry(kSaveEvaluationPicture),
    IconEntry(kEvaluationsPicture),
    JpegEntry(kTotalIndexExplanation, 794, 322),
    JpegEntry(kRatioExplanation, 784, 550),
    JpegEntry(kRulesExplanation, 745, 554),
    JpegEntry(kDpsTypesExplanation, 788, 316),
    JpegEntry(kPapsBanner, 795, 91),
    JpegEntry(kDpsPeBanner, 788, 89),
    JpegEntry(kDpsMeBanner, 789, 89),
    JpegEntry(kDpsGeBanner, 790, 89),
    JpegEntry(kActivitiesExplanation, 788, 453),
    JpegEntry(kEnvironmentExplanation, 788, 583),
    JpegEntry(kDelaysExplanation, 788, 213),
    JpegEntry(kDiligenceBanner, 773, 98),
    IconEntry(kRecycleBinPicture),
    IconEntry(kDeleteForeverPicture),
    IconEntry(kViewModePicture),
    IconEntry(kOpenFilePicture),
    IconEntry(kPropertiesPicture),
    IconEntry(kHelpPicture),
    IconEntry(kImagesPicture),
    IconEntry(kImagePropertiesPicture),
    IconEntry(kOpenImagePicture, kFourIconSides),
    JpegEntry(kAboutLogoPicture, 247, 197, PictureKind::ProgressiveJpeg),
    IconEntry(kSupportMailPicture),
};

static_assert(std::ranges::adjacent_find(kPictureTable, std::ranges::greater_equal{},
                                         &PictureEntry::number) == kPictureTable.end(),
              "the table runs in strictly ascending number order");

// The entry of a picture, or nullptr for a number outside the table.
constexpr const PictureEntry* FindPicture(int number) {
    const auto* found = std::ranges::find(kPictureTable, number, &PictureEntry::number);
    return found != kPictureTable.end() ? found : nullptr;
}

constexpr bool IsIcon(const PictureEntry& entry) {
    return entry.kind == PictureKind::Icon;
}

// Its file's name in the pictures folder: <number>.ico or <number>.jpeg.
inline std::string PictureFileName(const PictureEntry& entry) {
    return std::to_string(entry.number) + (IsIcon(entry) ? ".ico" : ".jpeg");
}

} // namespace corvane
