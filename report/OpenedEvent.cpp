#include "report/OpenedEvent.h"

#include "core/EventFile.h"
#include "platform/files/RegularFileReading.h"
#include "report/OpenedEvaluation.h"

#include <vector>

namespace corvane {

EventOpening OpenEventFile(const QString& path) {
    const std::unique_ptr<ByteSource> source = OpenRegularFile(path);
    std::string bytes;
    if (source) {
        std::vector<char> chunk(64 * 1024);
        while (bytes.size() < kMaxEventFileBytes) {
            const std::ptrdiff_t count = source->Read(chunk.data(), chunk.size());
            if (count < 0) {
                return {std::nullopt, WhyUnreadable(path.toStdString())};
            }
            if (count == 0) {
                return {DecodeEventFile(bytes), {}};
            }
            bytes.append(chunk.data(), std::size_t(count));
        }
        return {DecodeEventFile(bytes), {}};
    }
    return {std::nullopt, WhyUnreadable(path.toStdString())};
}

} // namespace corvane
