#include "core/EvaluationFile.h"

#include "core/AsciiText.h"
#include "core/Indicator.h"
#include "core/TextEncoding.h"

#include <algorithm>
#include <array>
#include <vector>

namespace corvane {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kGroupName = "Global";

struct Key {
    std::string_view name;
    std::string EvaluationFileValues::*value;
};

constexpr std::array<Key, 9> kKeys{{{"P2", &EvaluationFileValues::p2},
                                    {"E1", &EvaluationFileValues::e1},
                                    {"E2", &EvaluationFileValues::e2},
                                    {"P1", &EvaluationFileValues::p1},
                                    {"P", &EvaluationFileValues::p},
                                    {"I", &EvaluationFileValues::i},
                                    {"RIS", &EvaluationFileValues::ris},
                                    {"Type", &EvaluationFileValues::type},
                                    {"Date", &EvaluationFileValues::date}}};

bool IsLineEnd(char c) {
    return c == '\r' || c == '\n';
}

void AppendKeyLine(std::string& out, std::string_view key, std::string_view value) {
    out += key;
    out += " = ";
    out += value;
    out += kLineEnd;
}

} // namespace

std::string EncodeEvaluationFile(const EvaluationRecord& record, const LocalDateTime& savedAt) {
    std::string out;
    out.reserve(256 + record.p1Text.size() + record.pText.size() + record.riskIndexText.size() +
                record.risText.size() + record.dpsTypeText.size());
    out += kByteOrderMark;
    out += kLineEnd;
    out += "[Global]";
    out += kLineEnd;
    AppendKeyLine(out, "P2", OptionValue(Indicator::P2, record.p2Choice));
    AppendKeyLine(out, "E1", OptionValue(Indicator::E1, record.e1Choice));
    AppendKeyLine(out, "E2", OptionValue(Indicator::E2, record.e2Choice));
    AppendKeyLine(out, "P1", record.p1Text);
    AppendKeyLine(out, "P", record.pText);
    AppendKeyLine(out, "I", record.riskIndexText);
    AppendKeyLine(out, "RIS", record.risText);
    AppendKeyLine(out, "Type", record.dpsTypeText);
    AppendKeyLine(out, "Date", DateStamp(savedAt));
    return out;
}

void EvaluationFileReader::Feed(std::string_view bytes) {
    if (encoding_ == Encoding::Unknown) {
        // The byte-order mark decides the encoding; wait for its three bytes.
        const std::size_t wanted = kByteOrderMark.size() - start_.size();
        const std::size_t taken = std::min(wanted, bytes.size());
        start_.append(bytes.substr(0, taken));
        bytes.remove_prefix(taken);
        if (start_.size() < kByteOrderMark.size()) {
            return;
        }
        if (start_ == kByteOrderMark) {
            encoding_ = Encoding::Utf8;
        } else {
            encoding_ = Encoding::Latin1;
            FeedContent(start_);
        }
        start_.clear();
    }
    FeedContent(bytes);
}

void EvaluationFileReader::Finish() {
    if (encoding_ == Encoding::Unknown) {
        encoding_ = Encoding::Latin1;
        FeedContent(start_);
        start_.clear();
    }
    EndLine();
}

void EvaluationFileReader::FeedContent(std::string_view bytes) {
    while (!bytes.empty() && !Complete()) {
        const auto end = std::find_if(bytes.begin(), bytes.end(), IsLineEnd);
        const auto length = static_cast<std::size_t>(end - bytes.begin());
        if (line_.size() < kMaxLineBytes) {
            line_.append(bytes.substr(0, std::min(length, kMaxLineBytes - line_.size())));
        }
        if (end == bytes.end()) {
            return;
        }
        EndLine();
        bytes.remove_prefix(length + 1);
    }
}

void EvaluationFileReader::EndLine() {
    if (!line_.empty()) {
        ReadLine(line_);
        line_.clear();
    }
}

void EvaluationFileReader::ReadLine(std::string_view line) {
    line = TrimBlanksFront(line);
    if (line.empty() || line.front() == ';') {
        return;
    }
    if (line.front() == '[') {
        const std::string_view rest = line.substr(1);
        const std::string_view name = rest.substr(0, rest.find(']'));
        if (state_ == State::InGlobal) {
            state_ = State::AfterGlobal;
        } else if (state_ == State::BeforeGlobal && EqualsIgnoringAsciiCase(name, kGroupName)) {
            state_ = State::InGlobal;
        }
        return;
    }
    if (state_ == State::InGlobal) {
        ReadKeyLine(line);
    }
}

void EvaluationFileReader::ReadKeyLine(std::string_view line) {
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) {
        return;
    }
    const std::string_view key = TrimBlanksBack(line.substr(0, equals));
    for (std::size_t k = 0; k < kKeys.size(); ++k) {
        const std::uint32_t bit = 1U << k;
        if ((keysFound_ & bit) == 0 && EqualsIgnoringAsciiCase(key, kKeys[k].name)) {
            keysFound_ |= bit;
            const std::string_view raw = TrimBlanks(line.substr(equals + 1));
            values_.*(kKeys[k].value) = Decode(raw);
            return;
        }
    }
}

std::string EvaluationFileReader::Decode(std::string_view raw) const {
    return encoding_ == Encoding::Utf8 ? ValidUtf8(raw) : Latin1ToUtf8(raw);
}

std::optional<EvaluationFileValues> ReadEvaluationFile(ByteSource& source) {
    // Left unfilled: a summary reads this for each of many thousand files.
    constexpr std::size_t kChunkBytes = 16 * 1024;
    std::array<char, kChunkBytes> chunk;
    EvaluationFileReader reader;
    std::size_t total = 0;
    while (!reader.Complete() && total < kMaxEvaluationFileBytes) {
        const std::size_t wanted = std::min(chunk.size(), kMaxEvaluationFileBytes - total);
        const std::ptrdiff_t count = source.Read(chunk.data(), wanted);
        if (count < 0) {
            return std::nullopt;
        }
        if (count == 0) {
            break;
        }
        total += static_cast<std::size_t>(count);
        reader.Feed(std::string_view(chunk.data(), static_cast<std::size_t>(count)));
    }
    reader.Finish();
    return reader.Values();
}

EvaluationFileValues ReadEvaluationFile(std::string_view bytes) {
    EvaluationFileReader reader;
    reader.Feed(bytes);
    reader.Finish();
    return reader.Values();
}

} // namespace corvane
