#pragma once

#include <array>
#include <cstdint>
#include <string_view>

// SHA-256 of the bytes of text. A worksheet's label and problems come from its code through
// it, so that neither the label nor the problems lead back to the code.
std::array<std::uint8_t, 32> sha256(std::string_view text);
