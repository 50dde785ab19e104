// Fuzzes the partner-value conversion against a second reading of the same rules, written
// here as plainly as possible: it counts significant digits instead of accumulating with a
// cap, so the two can only agree if both read the rules the same way.
//
// Every input is checked twice: as typed (mostly rejected text), and turned into a text
// that must be accepted, built from the input's first bytes as a value with random
// spaces, sign, prefix and leading zeros around it.

#include "integer_text.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

namespace {

[[noreturn]] void fail(std::string_view text, const char* what)
{
    std::fprintf(stderr, "partner text of %zu bytes [", text.size());
    for (unsigned char c : text) {
        std::fprintf(stderr, "%02x", c);
    }
    std::fprintf(stderr, "]: %s\n", what);
    std::abort();
}

bool isDecimalDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isHexDigit(char c)
{
    return isDecimalDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

int hexValue(char c)
{
    if (isDecimalDigit(c)) {
        return c - '0';
    }
    return (c | 0x20) - 'a' + 10;
}

// The rules, one at a time: spaces, then a hexadecimal prefix or a sign, then at least one
// digit of the base and nothing else; leading zeros are not significant; at most eight
// significant hexadecimal digits (a 32-bit pattern) or a decimal value in the signed range.
std::optional<std::int32_t> referenceParse(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') {
        ++i;
    }
    std::string_view rest = text.substr(i);

    bool hex = false;
    bool negative = false;
    if (rest.substr(0, 2) == "0x" || rest.substr(0, 2) == "0X") {
        hex = true;
        rest = rest.substr(2);
    } else if (!rest.empty() && (rest[0] == '$' || rest[0] == 'x' || rest[0] == 'X')) {
        hex = true;
        rest = rest.substr(1);
    } else if (!rest.empty() && (rest[0] == '+' || rest[0] == '-')) {
        negative = rest[0] == '-';
        rest = rest.substr(1);
    }

    if (rest.empty()) {
        return std::nullopt;
    }
    for (char c : rest) {
        if (hex ? !isHexDigit(c) : !isDecimalDigit(c)) {
            return std::nullopt;
        }
    }
    while (rest.size() > 1 && rest[0] == '0') {
        rest = rest.substr(1);
    }

    if (hex) {
        if (rest.size() > 8) {
            return std::nullopt;
        }
        std::uint32_t pattern = 0;
        for (char c : rest) {
            pattern = pattern * 16 + static_cast<std::uint32_t>(hexValue(c));
        }
        return static_cast<std::int32_t>(pattern);
    }
    // Ten decimal digits already reach past the range, so eleven never fit.
    if (rest.size() > 10) {
        return std::nullopt;
    }
    std::int64_t magnitude = 0;
    for (char c : rest) {
        magnitude = magnitude * 10 + (c - '0');
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value < INT32_MIN || value > INT32_MAX) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(value);
}

// The message the error path builds: the whole typed text, NULs and all, between quotes.
std::string expectedMessage(std::string_view text)
{
    std::string message(ConversionError::quote);
    message.append(text).append(ConversionError::quote).append(ConversionError::notAnInteger);
    return message;
}

// Runs the program's conversion; any other outcome than a value or a ConversionError with
// the exact message fails the run.
std::optional<std::int32_t> programParse(std::string_view text)
{
    try {
        return parseInteger(text);
    } catch (const ConversionError& error) {
        const std::string expected = expectedMessage(text);
        if (error.message() != expected || error.text() != text ||
            std::string_view(error.what()) !=
                std::string_view(expected).substr(0, expected.find('\0'))) {
            fail(text, "the error message differs from the expected one");
        }
        return std::nullopt;
    } catch (...) {
        fail(text, "an exception other than ConversionError escaped");
    }
}

void compareWithReference(std::string_view text)
{
    const std::optional<std::int32_t> expected = referenceParse(text);
    const std::optional<std::int32_t> actual = programParse(text);
    if (expected.has_value() != actual.has_value()) {
        fail(text, expected ? "rejected a valid number" : "accepted an invalid text");
    }
    if (expected && *expected != *actual) {
        fail(text, "read a different value");
    }
}

// Writes `value` the way a person could type it, choosing the spelling from `style`:
// spaces before it, decimal with or without "+", or one of the four hexadecimal prefixes
// with upper- or lower-case digits, and leading zeros.
std::string spell(std::int32_t value, std::uint32_t style)
{
    const auto take = [&style](std::uint32_t count) {
        const std::uint32_t choice = style % count;
        style /= count;
        return choice;
    };
    std::string text(take(4), ' ');
    const std::uint32_t form = take(6);
    const std::string zeros(take(12), '0');
    if (form < 2) {
        const std::int64_t wide = value;
        const std::uint64_t magnitude =
            wide < 0 ? static_cast<std::uint64_t>(-wide) : static_cast<std::uint64_t>(wide);
        text += wide < 0 ? "-" : (form == 1 ? "+" : "");
        text += zeros + std::to_string(magnitude);
        return text;
    }
    static const char* const prefixes[] = {"$", "x", "X", "0x", "0X"};
    text += prefixes[take(5)];
    char digits[9];
    std::snprintf(digits, sizeof digits, take(2) ? "%X" : "%x", static_cast<std::uint32_t>(value));
    return text + zeros + digits;
}

void checkSpelledValue(const std::uint8_t* data, std::size_t size)
{
    if (size < 8) {
        return;
    }
    std::uint32_t bits = 0;
    std::uint32_t style = 0;
    for (int i = 0; i < 4; ++i) {
        bits = bits << 8 | data[i];
        style = style << 8 | data[4 + i];
    }
    const auto value = static_cast<std::int32_t>(bits);
    const std::string text = spell(value, style);
    const std::optional<std::int32_t> actual = programParse(text);
    if (!actual || *actual != value) {
        fail(text, "a correctly spelled value was not read back");
    }
    compareWithReference(text);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    compareWithReference(std::string_view(reinterpret_cast<const char*>(data), size));
    checkSpelledValue(data, size);
    return 0;
}
