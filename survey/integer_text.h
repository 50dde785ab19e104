#pragma once
// Converts the partner's typed value to a 32-bit integer with the same rules as the
// classic string-to-integer routine of the desktop toolkits: leading spaces skipped,
// an optional sign with decimal digits, or a "$", "x", "X", "0x", "0X" prefix with up
// to eight significant hexadecimal digits read as two's complement; nothing may follow.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

class ConversionError : public std::runtime_error {
public:
    explicit ConversionError(std::string_view text);
};

// Throws ConversionError("'<text>' is not a valid integer value") on failure.
std::int32_t parseInteger(std::string_view text);
