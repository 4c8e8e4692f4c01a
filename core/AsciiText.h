#pragma once

#include <algorithm>
#include <string_view>

namespace corvane {

inline char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// The blanks of the program's text files: space and tab.
inline bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

inline std::string_view TrimBlanksFront(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    return text;
}

inline std::string_view TrimBlanksBack(std::string_view text) {
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

inline std::string_view TrimBlanks(std::string_view text) {
    return TrimBlanksBack(TrimBlanksFront(text));
}

// Equal but for the letter case of ASCII letters; other bytes must match exactly.
inline bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
}

} // namespace corvane
