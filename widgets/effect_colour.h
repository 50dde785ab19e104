// A colour as the stored forms write it: 32 bits, either a plain RGB value or a system colour
// (top bit set, system colour index in the low byte). Values travel through the label and its
// settings unresolved and become QColors only at paint time, through resolve() and the palette
// of the widget being painted, so a palette change recolours them without any bookkeeping.
#pragma once

#include <QColor>
#include <QPalette>
#include <cstdint>

class TColor {
public:
    constexpr TColor() = default;
    constexpr explicit TColor(std::uint32_t value) : m_value(value) {}

    // Plain colours keep the byte order of a Windows COLORREF (0x00BBGGRR) so that values
    // copied from the stored forms mean the same thing here.
    static constexpr TColor fromRgb(int red, int green, int blue)
    {
        return TColor(static_cast<std::uint32_t>(red & 0xff) |
                      (static_cast<std::uint32_t>(green & 0xff) << 8) |
                      (static_cast<std::uint32_t>(blue & 0xff) << 16));
    }
    static TColor fromQColor(const QColor& colour)
    {
        return fromRgb(colour.red(), colour.green(), colour.blue());
    }
    static constexpr TColor system(int index)
    {
        return TColor(kSystemBit | static_cast<std::uint32_t>(index & 0xff));
    }

    constexpr std::uint32_t value() const { return m_value; }
    constexpr bool isSystem() const { return (m_value & kSystemBit) != 0; }
    constexpr int systemIndex() const { return static_cast<int>(m_value & 0xff); }

    // System colours come from the palette; plain colours are exact RGB.
    QColor resolve(const QPalette& palette) const;

    friend constexpr bool operator==(TColor, TColor) = default;

private:
    static constexpr std::uint32_t kSystemBit = 0x80000000u;
    std::uint32_t m_value = 0;
};

// The palette role that stands in for a system colour index (see effect_colour.cpp for the
// table and the reasons behind it).
QPalette::ColorRole systemColourRole(int index);

inline constexpr TColor clBlack = TColor::fromRgb(0, 0, 0);
inline constexpr TColor clMaroon = TColor::fromRgb(128, 0, 0);
inline constexpr TColor clGreen = TColor::fromRgb(0, 128, 0);
inline constexpr TColor clOlive = TColor::fromRgb(128, 128, 0);
inline constexpr TColor clNavy = TColor::fromRgb(0, 0, 128);
inline constexpr TColor clPurple = TColor::fromRgb(128, 0, 128);
inline constexpr TColor clTeal = TColor::fromRgb(0, 128, 128);
inline constexpr TColor clGray = TColor::fromRgb(128, 128, 128);
inline constexpr TColor clSilver = TColor::fromRgb(192, 192, 192);
inline constexpr TColor clRed = TColor::fromRgb(255, 0, 0);
inline constexpr TColor clLime = TColor::fromRgb(0, 255, 0);
inline constexpr TColor clYellow = TColor::fromRgb(255, 255, 0);
inline constexpr TColor clBlue = TColor::fromRgb(0, 0, 255);
inline constexpr TColor clFuchsia = TColor::fromRgb(255, 0, 255);
inline constexpr TColor clAqua = TColor::fromRgb(0, 255, 255);
inline constexpr TColor clWhite = TColor::fromRgb(255, 255, 255);

inline constexpr TColor clBackground = TColor::system(1);
inline constexpr TColor clActiveCaption = TColor::system(2);
inline constexpr TColor clMenuText = TColor::system(7);
inline constexpr TColor clWindowText = TColor::system(8);
inline constexpr TColor clHighlightText = TColor::system(14);
inline constexpr TColor clBtnFace = TColor::system(15);
inline constexpr TColor clBtnShadow = TColor::system(16);
inline constexpr TColor clBtnHighlight = TColor::system(20);
