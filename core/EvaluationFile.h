#pragma once

#include "core/ByteSource.h"
#include "core/EvaluationRecord.h"
#include "core/FrenchDate.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace corvane {

// The nine values of the group "Global" of an evaluation file, as UTF-8 texts.
struct EvaluationFileValues {
    std::string p2;
    std::string e1;
    std::string e2;
    std::string p1;
    std::string p;
    std::string i;
    std::string ris;
    std::string type;
    std::string date;

    bool operator==(const EvaluationFileValues&) const = default;
};

// The whole content of the file that saves `record` at `savedAt`: byte-order mark, an empty
// line, "[Global]" and the nine key lines, every line ending with CR LF.
std::string EncodeEvaluationFile(const EvaluationRecord& record, const LocalDateTime& savedAt);

// Reads an evaluation file fed piece by piece. Keys are looked up in the first group "Global";
// once that group has ended nothing further can change the values, and Complete() says so.
class EvaluationFileReader {
public:
    // A longer line keeps only its first bytes; no value the program writes comes near it.
    static constexpr std::size_t kMaxLineBytes = 256 * 1024;

    void Feed(std::string_view bytes);
    void Finish();
    bool Complete() const { return state_ == State::AfterGlobal; }
    const EvaluationFileValues& Values() const { return values_; }

private:
    enum class Encoding { Unknown, Utf8, Latin1 };
    enum class State { BeforeGlobal, InGlobal, AfterGlobal };

    void FeedContent(std::string_view bytes);
    void EndLine();
    void ReadLine(std::string_view line);
    void ReadKeyLine(std::string_view line);
    std::string Decode(std::string_view raw) const;

    Encoding encoding_ = Encoding::Unknown;
    State state_ = State::BeforeGlobal;
    std::string start_;
    std::string line_;
    std::uint32_t keysFound_ = 0;
    EvaluationFileValues values_;
};

// An evaluation the program writes is a few hundred bytes, and one kept by hand with comments
// stays far below this: reading stops here, so that a huge or endlessly growing file cannot hold
// the window.
inline constexpr std::size_t kMaxEvaluationFileBytes = 4 * 1024 * 1024;

// Reads a source up to its end, the end of the first group "Global" or kMaxEvaluationFileBytes,
// whichever comes first; nothing on a read error.
std::optional<EvaluationFileValues> ReadEvaluationFile(ByteSource& source);
EvaluationFileValues ReadEvaluationFile(std::string_view bytes);

} // namespace corvane
