#include "core/EventFile.h"

#include "core/AsciiText.h"
#include "core/TextEncoding.h"

#include <array>

namespace corvane {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kEventGroup = "Evenement";
constexpr std::string_view kEvaluationsGroup = "Evaluations";
constexpr char kPartSeparator = ';';

// A key holds one text, a value one or more parts split by ';'.
enum class Role { Key, Part };

bool MustEscape(char c, Role role) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F || c == '%' || c == kPartSeparator) {
        return true;
    }
    return role == Role::Key && (c == '=' || c == '[' || c == ']');
}

std::string Escaped(std::string_view text, Role role) {
    constexpr std::string_view kHex = "0123456789ABCDEF";
    std::string out;
    out.reserve(text.size());
    for (std::size_t index = 0; index < text.size(); ++index) {
        const char c = text[index];
        const bool atAnEnd = index == 0 || index + 1 == text.size();
        if (MustEscape(c, role) || (atAnEnd && IsBlank(c))) {
            const auto byte = static_cast<unsigned char>(c);
            out += '%';
            out += kHex[byte >> 4];
            out += kHex[byte & 0xF];
        } else {
            out += c;
        }
    }
    return out;
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    const char lower = LowerAscii(c);
    return lower >= 'a' && lower <= 'f' ? lower - 'a' + 10 : -1;
}

std::string Unescaped(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t index = 0; index < text.size(); ++index) {
        if (text[index] == '%' && index + 2 < text.size() && HexValue(text[index + 1]) >= 0 &&
            HexValue(text[index + 2]) >= 0) {
            out += static_cast<char>(HexValue(text[index + 1]) * 16 + HexValue(text[index + 2]));
            index += 2;
        } else {
            out += text[index];
        }
    }
    return ValidUtf8(out);
}

std::vector<std::string> Parts(std::string_view value) {
    std::vector<std::string> parts;
    for (;;) {
        const std::size_t separator = value.find(kPartSeparator);
        parts.push_back(Unescaped(TrimBlanks(value.substr(0, separator))));
        if (separator == std::string_view::npos) {
            return parts;
        }
        value.remove_prefix(separator + 1);
    }
}

std::string Joined(std::initializer_list<std::string_view> parts) {
    std::string value;
    bool first = true;
    for (const std::string_view part : parts) {
        if (!first) {
            value += kPartSeparator;
        }
        first = false;
        value += Escaped(part, Role::Part);
    }
    // Empty parts at the end say nothing.
    while (!value.empty() && value.back() == kPartSeparator) {
        value.pop_back();
    }
    return value;
}

struct EventKey {
    std::string_view name;
    std::array<std::string EventDetails::*, 2> parts;
};

// The second part of a key, when it has one, follows a ';'.
const std::array<EventKey, 10> kEventKeys{{
    {"Nom", {&EventDetails::name, nullptr}},
    {"Lieu", {&EventDetails::place, nullptr}},
    {"Debut", {&EventDetails::start, nullptr}},
    {"Fin", {&EventDetails::end, nullptr}},
    {"Organisateur", {&EventDetails::organiser, &EventDetails::organiserQuality}},
    {"ContactOrganisateur", {&EventDetails::organiserPhone, &EventDetails::organiserEmail}},
    {"Association", {&EventDetails::association, nullptr}},
    {"Agrement", {&EventDetails::approval, nullptr}},
    {"ContactAssociation", {&EventDetails::associationPhone, nullptr}},
    {"Remarque", {&EventDetails::remark, nullptr}},
}};

void AppendLine(std::string& out, std::string_view text) {
    out += text;
    out += kLineEnd;
}

void AppendKeyLine(std::string& out, std::string_view key, std::string_view value) {
    out += key;
    out += " = ";
    AppendLine(out, value);
}

class EventFileReader {
public:
    explicit EventFileReader(EventDetails& details) : details_(details) {}

    void ReadLine(std::string_view line) {
        line = TrimBlanks(line);
        if (line.empty() || line.front() == ';') {
            return;
        }
        if (line.front() == '[') {
            const std::string_view name = line.substr(1, line.find(']') - 1);
            group_ = EqualsIgnoringAsciiCase(name, kEventGroup)         ? Group::Event
                     : EqualsIgnoringAsciiCase(name, kEvaluationsGroup) ? Group::Evaluations
                                                                        : Group::Other;
            return;
        }
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos) {
            return;
        }
        const std::string_view key = TrimBlanks(line.substr(0, equals));
        const std::string_view value = TrimBlanks(line.substr(equals + 1));
        if (group_ == Group::Event) {
            ReadEventKey(key, value);
        } else if (group_ == Group::Evaluations) {
            ReadEvaluation(key, value);
        }
    }

private:
    enum class Group { None, Event, Evaluations, Other };

    void ReadEventKey(std::string_view key, std::string_view value) {
        for (std::size_t index = 0; index < kEventKeys.size(); ++index) {
            const EventKey& known = kEventKeys[index];
            if (!EqualsIgnoringAsciiCase(key, known.name) || (found_ & (1U << index)) != 0) {
                continue;
            }
            found_ |= 1U << index;
            std::vector<std::string> parts = Parts(value);
            if (known.parts[1] == nullptr) {
                // A lone text keeps its ';' as they were written.
                details_.*(known.parts[0]) = Unescaped(value);
                return;
            }
            details_.*(known.parts[0]) = parts[0];
            if (parts.size() > 1) {
                details_.*(known.parts[1]) = parts[1];
            }
            return;
        }
    }

    void ReadEvaluation(std::string_view key, std::string_view value) {
        EventEvaluation evaluation;
        evaluation.name = Unescaped(key);
        if (evaluation.name.empty() || FindEventEvaluation(details_, evaluation.name) != nullptr) {
            return;
        }
        const std::vector<std::string> parts = Parts(value);
        evaluation.audience =
            EqualsIgnoringAsciiCase(parts[0], "acteurs") ? Audience::Acteurs : Audience::Public;
        if (parts.size() > 1) {
            evaluation.day = parts[1];
        }
        details_.evaluations.push_back(std::move(evaluation));
    }

    EventDetails& details_;
    Group group_ = Group::None;
    unsigned found_ = 0;
};

} // namespace

std::string EncodeEventFile(const EventDetails& details) {
    std::string out(kByteOrderMark);
    AppendLine(out, "[Evenement]");
    for (const EventKey& key : kEventKeys) {
        const std::string& first = details.*(key.parts[0]);
        AppendKeyLine(out, key.name,
                      key.parts[1] == nullptr ? Escaped(first, Role::Part)
                                              : Joined({first, details.*(key.parts[1])}));
    }
    AppendLine(out, "[Evaluations]");
    for (const EventEvaluation& evaluation : details.evaluations) {
        AppendKeyLine(out, Escaped(evaluation.name, Role::Key),
                      Joined({evaluation.audience == Audience::Acteurs ? "acteurs" : "public",
                              evaluation.day}));
    }
    return out;
}

EventDetails DecodeEventFile(std::string_view bytes) {
    bytes = bytes.substr(0, kMaxEventFileBytes);
    std::string text;
    if (bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
        text = ValidUtf8(bytes.substr(kByteOrderMark.size()));
    } else {
        text = ValidUtf8(bytes) == bytes ? std::string(bytes) : Latin1ToUtf8(bytes);
    }
    EventDetails details;
    EventFileReader reader(details);
    std::string_view rest = text;
    while (!rest.empty()) {
        const std::size_t end = rest.find_first_of("\r\n");
        reader.ReadLine(rest.substr(0, end));
        if (end == std::string_view::npos) {
            break;
        }
        rest.remove_prefix(end + 1);
    }
    return details;
}

} // namespace corvane
