// Pixel masks for the label's rendering tests: which pixels of an image have a given colour,
// and the set arithmetic (shift, difference, erosion, dilation) that turns "the shadow lies
// three pixels down and right" into exact comparisons.
#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>
#include <functional>
#include <vector>

class Mask {
public:
    Mask(int width, int height) : m_width(width), m_height(height), m_bits(width * height, 0) {}

    static Mask where(const QImage& image, const std::function<bool(QRgb)>& test)
    {
        const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
        Mask mask(rgb.width(), rgb.height());
        for (int y = 0; y < rgb.height(); ++y) {
            for (int x = 0; x < rgb.width(); ++x)
                mask.set(x, y, test(rgb.pixel(x, y) | 0xff000000u));
        }
        return mask;
    }
    static Mask ofColour(const QImage& image, const QColor& colour)
    {
        const QRgb wanted = colour.rgb();
        return where(image, [wanted](QRgb pixel) { return pixel == wanted; });
    }

    int width() const { return m_width; }
    int height() const { return m_height; }
    bool at(int x, int y) const
    {
        return x >= 0 && y >= 0 && x < m_width && y < m_height && m_bits[index(x, y)] != 0;
    }
    void set(int x, int y, bool on) { m_bits[index(x, y)] = on ? 1 : 0; }
    int count() const
    {
        int n = 0;
        for (char bit : m_bits)
            n += bit;
        return n;
    }

    // Each pixel moved by (dx, dy); what leaves the frame is lost.
    Mask shifted(int dx, int dy) const
    {
        Mask out(m_width, m_height);
        forEach([&](int x, int y) { out.set(x, y, at(x - dx, y - dy)); });
        return out;
    }
    Mask minus(const Mask& other) const
    {
        Mask out(m_width, m_height);
        forEach([&](int x, int y) { out.set(x, y, at(x, y) && !other.at(x, y)); });
        return out;
    }
    bool within(const Mask& other) const { return minus(other).count() == 0; }
    // Pixels whose whole (2r+1)-square neighbourhood is set: the inside of the letters.
    Mask eroded(int r) const { return neighbourhood(r, true); }
    // Pixels with any set pixel within r: the letters with a margin.
    Mask dilated(int r) const { return neighbourhood(r, false); }

    friend bool operator==(const Mask& a, const Mask& b)
    {
        return a.m_width == b.m_width && a.m_height == b.m_height && a.m_bits == b.m_bits;
    }

    template <typename F> void forEach(F f) const
    {
        for (int y = 0; y < m_height; ++y) {
            for (int x = 0; x < m_width; ++x)
                f(x, y);
        }
    }

private:
    int index(int x, int y) const { return y * m_width + x; }
    Mask neighbourhood(int r, bool all) const
    {
        Mask out(m_width, m_height);
        forEach([&](int x, int y) {
            bool any = false;
            bool every = true;
            for (int dy = -r; dy <= r; ++dy) {
                for (int dx = -r; dx <= r; ++dx) {
                    const bool bit = at(x + dx, y + dy);
                    any = any || bit;
                    every = every && bit;
                }
            }
            out.set(x, y, all ? every : any);
        });
        return out;
    }

    int m_width;
    int m_height;
    std::vector<char> m_bits;
};
