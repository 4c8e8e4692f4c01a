#include "core/DossierSummary.h"

#include "core/CoverOrganisation.h"

#include <map>
#include <tuple>

namespace corvane {

std::int64_t PostsOf(const DossierLine& line) {
    return line.workers ? OrganiseCover(line.type, line.workers->workers).posts : 0;
}

bool PapsForActeurs(const DossierLine& line) {
    return line.audience == Audience::Acteurs && line.type == DpsType::Paps;
}

std::optional<CoverAtOnce> LargestCoverAtOnce(const std::vector<DossierLine>& lines) {
    std::vector<CoverAtOnce> covers;
    std::map<std::tuple<int, int, int>, std::size_t> coverOfDay;
    for (std::size_t index = 0; index < lines.size(); ++index) {
        const DossierLine& line = lines[index];
        if (!line.workers || line.workers->workers == 0) {
            continue;
        }
        CoverAtOnce* cover = nullptr;
        if (line.day) {
            const auto key = std::tuple(line.day->year, line.day->month, line.day->day);
            const auto [found, added] = coverOfDay.try_emplace(key, covers.size());
            if (added) {
                covers.push_back({line.day, 0, 0, {}});
            }
            cover = &covers[found->second];
        } else {
            cover = &covers.emplace_back();
        }
        cover->workers += line.workers->workers;
        cover->posts += PostsOf(line);
        cover->lines.push_back(index);
    }
    const auto earlier = [](const CoverAtOnce& a, const CoverAtOnce& b) {
        if (!a.day || !b.day) {
            return false;
        }
        return std::tuple(a.day->year, a.day->month, a.day->day) <
               std::tuple(b.day->year, b.day->month, b.day->day);
    };
    std::optional<CoverAtOnce> largest;
    for (const CoverAtOnce& cover : covers) {
        if (!largest || cover.workers > largest->workers ||
            (cover.workers == largest->workers && earlier(cover, *largest))) {
            largest = cover;
        }
    }
    return largest;
}

} // namespace corvane
