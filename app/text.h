// Text crossing into the window system: our messages are UTF-8, Windows wants UTF-16.
#pragma once

#include <string>

namespace corvale {

// Empty for an empty input; invalid bytes become replacement characters;
// "An unexpected error occurred." when the text cannot even be measured.
std::wstring utf8ToWide(const std::string& text);

}  // namespace corvale
