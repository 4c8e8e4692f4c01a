// Feeds arbitrary bytes to the evaluation file reader, whole and in pieces, and checks that
// both give the same values and that every value is well-formed UTF-8.
#include "core/EvaluationFile.h"
#include "core/TextEncoding.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

void CheckUtf8(const std::string& text) {
    if (corvane::ValidUtf8(text) != text) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const corvane::EvaluationFileValues whole = corvane::ReadEvaluationFile(bytes);

    // The same bytes in pieces of a size taken from the input itself.
    const std::size_t piece = size == 0 ? 1 : 1 + data[0] % 7;
    corvane::EvaluationFileReader reader;
    for (std::size_t at = 0; at < size && !reader.Complete(); at += piece) {
        reader.Feed(bytes.substr(at, piece));
    }
    reader.Finish();
    if (!(reader.Values() == whole)) {
        std::abort();
    }
    for (const std::string* value : {&whole.p2, &whole.e1, &whole.e2, &whole.p1, &whole.p, &whole.i,
                                     &whole.ris, &whole.type, &whole.date}) {
        CheckUtf8(*value);
    }
    return 0;
}
