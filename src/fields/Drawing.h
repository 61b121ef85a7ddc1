#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A drawing made without a device context: the steps of one paint in order,
// which the window side replays with GDI and tests read. Colours are
// 0x00BBGGRR; lines leave out their end point; boxes are left, top, right,
// bottom with right and bottom outside, as GDI takes them.

enum class DrawKind : uint8_t {
    Line,       // pen, from (left, top) to (right, bottom)
    Fill,       // brush over the box
    Rectangle,  // pen outline, brush inside
    Ellipse,    // pen outline, brush inside, in the box
    Polygon,    // pen outline, brush inside, through the points
    Label,      // the drawing's text in the box, in the pen colour
};

enum class LabelAlign : uint8_t { Centre, Left, Right };

constexpr int kMaxPolygonPoints = 5;

struct CDrawStep {
    DrawKind kind = DrawKind::Line;
    uint32_t pen = 0;
    uint32_t brush = 0;
    int left = 0, top = 0, right = 0, bottom = 0;
    // Labels are one line, centred vertically; clipped to the box unless
    // clip is false.
    LabelAlign align = LabelAlign::Centre;
    bool clip = true;
    int points = 0;
    int x[kMaxPolygonPoints] = {};
    int y[kMaxPolygonPoints] = {};
};

class CDrawing {
public:
    // Steps that fall wholly outside the visible box are left out: a field
    // can be far wider than the part of it that shows.
    CDrawing(int left, int top, int right, int bottom)
        : visibleLeft(left), visibleTop(top), visibleRight(right), visibleBottom(bottom) {}

    void Line(int x0, int y0, int x1, int y1, uint32_t pen);
    void Fill(int left, int top, int right, int bottom, uint32_t brush);
    void Rectangle(int left, int top, int right, int bottom, uint32_t pen, uint32_t brush);
    void Ellipse(int left, int top, int right, int bottom, uint32_t pen, uint32_t brush);
    void Polygon(int points, const int* x, const int* y, uint32_t pen, uint32_t brush);
    void Label(int left, int top, int right, int bottom, uint32_t colour, LabelAlign align,
               bool clip);

    // The text that every label step of this drawing draws.
    std::u16string text;
    const std::vector<CDrawStep>& Steps() const { return steps; }

private:
    CDrawStep& Append(DrawKind kind, uint32_t pen, uint32_t brush, int left, int top, int right,
                      int bottom);
    // The step, when it shows.
    CDrawStep* Add(DrawKind kind, uint32_t pen, uint32_t brush, int left, int top, int right,
                   int bottom);

    int visibleLeft, visibleTop, visibleRight, visibleBottom;
    std::vector<CDrawStep> steps;
};

// A colour from its three channels.
constexpr uint32_t Colour(int red, int green, int blue) {
    return static_cast<uint32_t>(red & 0xFF) | static_cast<uint32_t>(green & 0xFF) << 8 |
           static_cast<uint32_t>(blue & 0xFF) << 16;
}

struct CRgb {
    int red, green, blue;
};

// n colours from `from` towards `to`: entry i is from + i * (to - from) / n
// per channel, truncated, each channel modulo 256. A deep gradient takes
// twice each step. None for n below 1.
std::vector<uint32_t> Gradient(int n, CRgb from, CRgb to, bool deep = false);

// Entry i of a gradient held inside it: the first entry below it, the last
// above. The gradient must not be empty.
uint32_t GradientAt(const std::vector<uint32_t>& gradient, int i);
