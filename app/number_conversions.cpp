#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cwctype>
#include <stdexcept>
#include <string>

#include "launch_options.h"

namespace corvale {
namespace {

// The C conversion functions stop at the first character that cannot belong
// to a number, so anything outside ASCII can become a stopper before narrowing.
std::string toAsciiNumberText(const std::wstring& text) {
    std::string narrow;
    narrow.reserve(text.size());
    for (const wchar_t ch : text) narrow.push_back(ch > 0 && ch < 0x80 ? static_cast<char>(ch) : '\x01');
    return narrow;
}

std::size_t skipSpace(const std::wstring& text) {
    std::size_t i = 0;
    while (i < text.size() && std::iswspace(static_cast<wint_t>(text[i]))) ++i;
    return i;
}

}  // namespace

std::int32_t stringToInt(const std::wstring& text) {
    const std::string narrow = toAsciiNumberText(text);
    char* end = nullptr;
    errno = 0;
    const long long value = std::strtoll(narrow.c_str(), &end, 10);
    if (end == narrow.c_str()) throw std::invalid_argument("invalid stoi argument");
    if (errno == ERANGE || value < INT_MIN || value > INT_MAX) throw std::out_of_range("stoi argument out of range");
    return static_cast<std::int32_t>(value);
}

std::uint32_t stringToUnsigned32(const std::wstring& text) {
    std::size_t i = skipSpace(text);
    bool negative = false;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) {
        negative = text[i] == L'-';
        ++i;
    }
    if (i >= text.size() || text[i] < L'0' || text[i] > L'9') throw std::invalid_argument("invalid stoul argument");
    std::uint64_t magnitude = 0;
    bool overflow = false;
    for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i) {
        magnitude = magnitude * 10 + static_cast<std::uint64_t>(text[i] - L'0');
        if (magnitude > 0xFFFFFFFFull) {
            overflow = true;
            magnitude = 0xFFFFFFFFull;  // keep consuming digits without wrapping
        }
    }
    if (overflow) throw std::out_of_range("stoul argument out of range");
    const auto value = static_cast<std::uint32_t>(magnitude);
    return negative ? static_cast<std::uint32_t>(0u - value) : value;
}

double stringToDouble(const std::wstring& text) {
    const std::string narrow = toAsciiNumberText(text);
    char* end = nullptr;
    errno = 0;
    const double value = std::strtod(narrow.c_str(), &end);
    if (end == narrow.c_str()) throw std::invalid_argument("invalid stod argument");
    if (errno == ERANGE) throw std::out_of_range("stod argument out of range");
    return value;
}

}  // namespace corvale
