#include "fields/Drawing.h"

#include <algorithm>
#include <cmath>

CDrawStep& CDrawing::Append(DrawKind kind, uint32_t pen, uint32_t brush, int left, int top,
                            int right, int bottom) {
    CDrawStep& step = steps.emplace_back();
    step.kind = kind;
    step.pen = pen;
    step.brush = brush;
    step.left = left;
    step.top = top;
    step.right = right;
    step.bottom = bottom;
    return step;
}

CDrawStep* CDrawing::Add(DrawKind kind, uint32_t pen, uint32_t brush, int left, int top, int right,
                         int bottom) {
    if (std::max(left, right) < visibleLeft || std::min(left, right) >= visibleRight ||
        std::max(top, bottom) < visibleTop || std::min(top, bottom) >= visibleBottom) {
        return nullptr;
    }
    return &Append(kind, pen, brush, left, top, right, bottom);
}

void CDrawing::Line(int x0, int y0, int x1, int y1, uint32_t pen) {
    Add(DrawKind::Line, pen, 0, x0, y0, x1, y1);
}

void CDrawing::Fill(int left, int top, int right, int bottom, uint32_t brush) {
    Add(DrawKind::Fill, 0, brush, left, top, right, bottom);
}

void CDrawing::Rectangle(int left, int top, int right, int bottom, uint32_t pen, uint32_t brush) {
    Add(DrawKind::Rectangle, pen, brush, left, top, right, bottom);
}

void CDrawing::Ellipse(int left, int top, int right, int bottom, uint32_t pen, uint32_t brush) {
    Add(DrawKind::Ellipse, pen, brush, left, top, right, bottom);
}

void CDrawing::Polygon(int points, const int* x, const int* y, uint32_t pen, uint32_t brush) {
    int n = std::clamp(points, 0, kMaxPolygonPoints);
    if (n == 0) return;
    auto [left, right] = std::minmax_element(x, x + n);
    auto [top, bottom] = std::minmax_element(y, y + n);
    if (CDrawStep* step = Add(DrawKind::Polygon, pen, brush, *left, *top, *right, *bottom)) {
        step->points = n;
        std::copy(x, x + n, step->x);
        std::copy(y, y + n, step->y);
    }
}

void CDrawing::Label(int left, int top, int right, int bottom, uint32_t colour, LabelAlign align,
                     bool clip) {
    // An unclipped label may reach outside its box, so it is always kept.
    CDrawStep& step = Append(DrawKind::Label, colour, 0, left, top, right, bottom);
    step.align = align;
    step.clip = clip;
}

std::vector<uint32_t> Gradient(int n, CRgb from, CRgb to, bool deep) {
    std::vector<uint32_t> colours;
    if (n < 1) return colours;
    colours.reserve(static_cast<size_t>(n));
    auto channel = [n, deep](int start, int end, int i) {
        double step = i * static_cast<double>(end - start) / n;
        return static_cast<int>(std::trunc(start + (deep ? 2 * step : step)));
    };
    for (int i = 0; i < n; ++i) {
        colours.push_back(Colour(channel(from.red, to.red, i), channel(from.green, to.green, i),
                                 channel(from.blue, to.blue, i)));
    }
    return colours;
}

uint32_t GradientAt(const std::vector<uint32_t>& gradient, int i) {
    return gradient[static_cast<size_t>(std::clamp(i, 0, static_cast<int>(gradient.size()) - 1))];
}
