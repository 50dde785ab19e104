#include "integer_text.h"

#include <algorithm>
#include <optional>

// Decisions where the rules leave room:
// - only the space character (code 32) is skipped, and only before the number; a tab,
//   a space after the sign ("- 5") or after the digits fails;
// - a sign goes with decimal digits only: "-$5", "+0x5" and "$-1" fail;
// - "0x" with nothing after it is a prefix without digits and fails, while "0" alone is
//   the decimal zero; "-0" and "+0" are zero;
// - leading zeros never count, neither towards the decimal range nor towards the eight
//   hexadecimal digits;
// - bytes of other scripts' digits (full-width, Arabic-Indic) are not digits.

// The base class keeps only the fixed words; what() is the whole message, from the one copy.
// Appended piece by piece into one reserved string: the chain of operator+ that reads more
// naturally makes GCC 12 at -O3 warn (-Wrestrict, wrongly) inside the standard library.
ConversionError::ConversionError(std::string_view text)
    : std::runtime_error(std::string(notAnInteger))
{
    m_message.reserve(2 * quote.size() + text.size() + notAnInteger.size());
    m_message.append(quote).append(text).append(quote).append(notAnInteger);
}

std::string_view ConversionError::text() const noexcept
{
    return std::string_view(m_message).substr(quote.size(), m_message.size() - 2 * quote.size() -
                                                                notAnInteger.size());
}

namespace {

std::optional<unsigned> digitValue(char c, unsigned base)
{
    if (c >= '0' && c <= '9') {
        return static_cast<unsigned>(c - '0');
    }
    if (base == 16 && c >= 'a' && c <= 'f') {
        return static_cast<unsigned>(c - 'a' + 10);
    }
    if (base == 16 && c >= 'A' && c <= 'F') {
        return static_cast<unsigned>(c - 'A' + 10);
    }
    return std::nullopt;
}

// Reads the whole rest of the text as digits of the base. The value is capped just above
// what any accepted number can need, so that a long run of digits cannot overflow.
std::optional<std::uint64_t> readDigits(std::string_view digits, unsigned base)
{
    constexpr std::uint64_t cap = std::uint64_t{1} << 33;
    if (digits.empty()) {
        return std::nullopt;
    }
    std::uint64_t value = 0;
    for (char c : digits) {
        const std::optional<unsigned> digit = digitValue(c, base);
        if (!digit) {
            return std::nullopt;
        }
        value = std::min(value * base + *digit, cap);
    }
    return value;
}

std::optional<std::int32_t> parseHex(std::string_view digits)
{
    const std::optional<std::uint64_t> value = readDigits(digits, 16);
    // More than eight significant hexadecimal digits do not fit in 32 bits.
    if (!value || *value > 0xFFFFFFFFu) {
        return std::nullopt;
    }
    // Eight digits are the 32-bit pattern itself: "$FFFFFFFF" is -1.
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(*value));
}

std::optional<std::int32_t> parseDecimal(std::string_view digits, bool negative)
{
    const std::optional<std::uint64_t> magnitude = readDigits(digits, 10);
    const std::uint64_t limit = negative ? std::uint64_t{1} << 31 : (std::uint64_t{1} << 31) - 1;
    if (!magnitude || *magnitude > limit) {
        return std::nullopt;
    }
    const auto value = static_cast<std::int64_t>(*magnitude);
    return static_cast<std::int32_t>(negative ? -value : value);
}

std::optional<std::int32_t> parse(std::string_view text)
{
    text.remove_prefix(std::min(text.find_first_not_of(' '), text.size()));
    if (text.starts_with('$') || text.starts_with('x') || text.starts_with('X')) {
        return parseHex(text.substr(1));
    }
    if (text.starts_with("0x") || text.starts_with("0X")) {
        return parseHex(text.substr(2));
    }
    const bool negative = text.starts_with('-');
    if (negative || text.starts_with('+')) {
        text.remove_prefix(1);
    }
    return parseDecimal(text, negative);
}

} // namespace

std::int32_t parseInteger(std::string_view text)
{
    const std::optional<std::int32_t> value = parse(text);
    if (!value) {
        throw ConversionError(text);
    }
    return *value;
}
