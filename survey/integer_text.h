#pragma once
// Converts the partner's typed value to a 32-bit integer with the same rules as the
// classic string-to-integer routine of the desktop toolkits: leading spaces skipped,
// an optional sign with decimal digits, or a "$", "x", "X", "0x", "0X" prefix with up
// to eight significant hexadecimal digits read as two's complement; nothing may follow.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

// The error carries the typed text whole, NULs and all: what() is a C string and would end
// at the first NUL, so whoever shows the error reads text() and message() instead. All three
// read one copy of the message: a pasted text may be tens of megabytes.
class ConversionError : public std::runtime_error {
public:
    // The message is quote + text + quote + notAnInteger.
    static constexpr std::string_view quote = "'";
    static constexpr std::string_view notAnInteger = " is not a valid integer value";

    explicit ConversionError(std::string_view text);

    const char* what() const noexcept override { return m_message.c_str(); }
    std::string_view text() const noexcept;
    const std::string& message() const noexcept { return m_message; }

private:
    std::string m_message;
};

// Throws ConversionError("'<text>' is not a valid integer value") on failure.
std::int32_t parseInteger(std::string_view text);
