// Writes the help pages from their templates. A template is HTML in UTF-8 with marks in double
// braces:
//   {{example-setup NAME p1=2500 p2=2 e1=1 e2=3}}  states the entries of a worked example once;
//   {{example NAME KEY}}                           a figure of that example, computed by the grid;
//   {{KIND ARGS|TEXT}}                             TEXT, tagged with what it stands for.
// Every figure comes out as <span data-fact="...">text</span>, so that the help's test can
// check it against the program. In the pages, every character above ASCII becomes a character
// reference, which reads the same whatever code page the viewer assumes, and the usual French
// spaces before ":", ";", "?", "!", "»" and after "«" become non-breaking. The viewer shows the
// table of contents and the index as they are, references included, in the code page of the
// help's language: those two are written in ISO 8859-1.
//
// Usage: corvane_help_pages <template folder> <output folder> <file>...

#include "core/DpsType.h"
#include "core/Indicator.h"
#include "core/RiskGrid.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>

namespace {

using Example = std::map<std::string, std::string>;

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot read " + path.string());
    }
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteFile(const std::filesystem::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
    if (!out.flush()) {
        throw std::runtime_error("cannot write " + path.string());
    }
}

// Runs the example's entries through the grid as a user would: options first, then P1.
Example ComputeExample(const std::string& entries) {
    Example example;
    std::istringstream words(entries);
    for (std::string word; words >> word;) {
        const auto equals = word.find('=');
        if (equals == std::string::npos) {
            throw std::runtime_error("example entry without a value: " + word);
        }
        example[word.substr(0, equals)] = word.substr(equals + 1);
    }
    corvane::RiskGrid grid;
    const std::pair<const char*, corvane::Indicator> indicators[]{{"p2", corvane::Indicator::P2},
                                                                  {"e1", corvane::Indicator::E1},
                                                                  {"e2", corvane::Indicator::E2}};
    for (const auto& [key, indicator] : indicators) {
        if (!example.contains(key)) {
            throw std::runtime_error(std::string("example without ") + key);
        }
        grid.ChooseOption(indicator, std::stoi(example[key]));
    }
    if (!example.contains("p1")) {
        throw std::runtime_error("example without p1");
    }
    grid.EditP1(example["p1"]);
    const corvane::EvaluationRecord& record = grid.Record();
    example["coef-p2"] = record.p2Coefficient;
    example["coef-e1"] = record.e1Coefficient;
    example["coef-e2"] = record.e2Coefficient;
    example["index"] = record.riskIndexText;
    example["p"] = record.pText;
    example["ris"] = record.risText;
    example["type"] = record.dpsTypeText;
    return example;
}

std::string Span(const std::string& fact, const std::string& text) {
    return "<span data-fact=\"" + fact + "\">" + text + "</span>";
}

std::string ExpandMarks(const std::string& page, const std::string& name) {
    std::map<std::string, Example> examples;
    std::string out;
    std::size_t at = 0;
    while (true) {
        const std::size_t open = page.find("{{", at);
        out += page.substr(at, open - at);
        if (open == std::string::npos) {
            return out;
        }
        const std::size_t close = page.find("}}", open);
        if (close == std::string::npos) {
            throw std::runtime_error(name + ": unclosed mark");
        }
        const std::string mark = page.substr(open + 2, close - open - 2);
        at = close + 2;
        std::istringstream words(mark);
        std::string kind;
        words >> kind;
        if (kind == "example-setup") {
            std::string example;
            words >> example;
            std::string entries;
            std::getline(words, entries);
            examples[example] = ComputeExample(entries);
        } else if (kind == "example") {
            std::string example;
            std::string key;
            words >> example >> key;
            if (!examples.contains(example) || !examples[example].contains(key)) {
                throw std::runtime_error(name + ": unknown figure {{" + mark + "}}");
            }
            out += Span("example " + example + " " + key, examples[example][key]);
        } else {
            const std::size_t bar = mark.find('|');
            if (bar == std::string::npos) {
                throw std::runtime_error(name + ": mark without text {{" + mark + "}}");
            }
            out += Span(mark.substr(0, bar), mark.substr(bar + 1));
        }
    }
}

// A French page keeps a punctuation mark on the line of the word it belongs to.
std::string KeepFrenchSpaces(const std::string& page) {
    static const std::pair<std::string_view, std::string_view> kSpaces[]{
        {" :", "\u00A0:"}, {" ;", "\u00A0;"},           {" ?", "\u00A0?"},
        {" !", "\u00A0!"}, {" \u00BB", "\u00A0\u00BB"}, {"\u00AB ", "\u00AB\u00A0"}};
    std::string out = page;
    for (const auto& [from, to] : kSpaces) {
        for (std::size_t at = out.find(from); at != std::string::npos;
             at = out.find(from, at + to.size())) {
            out.replace(at, from.size(), to);
        }
    }
    return out;
}

// UTF-8 in, one byte per character out: ASCII as it is, every other character through `write`.
template <typename Write>
std::string Recode(const std::string& text, const std::string& name, Write write) {
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x80) {
            out += text[i++];
            continue;
        }
        const int length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
        if (length == 0 || i + static_cast<std::size_t>(length) > text.size()) {
            throw std::runtime_error(name + ": not UTF-8");
        }
        std::uint32_t code = lead & (0x7FU >> length);
        for (int k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
            if ((next & 0xC0U) != 0x80U) {
                throw std::runtime_error(name + ": not UTF-8");
            }
            code = (code << 6) | (next & 0x3FU);
        }
        out += write(code);
        i += static_cast<std::size_t>(length);
    }
    return out;
}

std::string ToCharacterReferences(const std::string& text, const std::string& name) {
    return Recode(text, name, [](std::uint32_t code) { return "&#" + std::to_string(code) + ";"; });
}

std::string ToLatin1(const std::string& text, const std::string& name) {
    return Recode(text, name, [&name](std::uint32_t code) {
        if (code > 0xFF) {
            throw std::runtime_error(name + ": a character beyond ISO 8859-1");
        }
        return std::string(1, static_cast<char>(code));
    });
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::cerr << "usage: corvane_help_pages <template folder> <output folder> <file>...\n";
        return 2;
    }
    try {
        const std::filesystem::path from(argv[1]);
        const std::filesystem::path to(argv[2]);
        std::filesystem::create_directories(to);
        for (int i = 3; i < argc; ++i) {
            const std::string name(argv[i]);
            const std::string page = ExpandMarks(ReadFile(from / name), name);
            const bool listing = name.ends_with(".hhc") || name.ends_with(".hhk");
            WriteFile(to / name, listing ? ToLatin1(page, name)
                                         : ToCharacterReferences(KeepFrenchSpaces(page), name));
        }
    } catch (const std::exception& failure) {
        std::cerr << "corvane_help_pages: " << failure.what() << "\n";
        return 1;
    }
    return 0;
}
