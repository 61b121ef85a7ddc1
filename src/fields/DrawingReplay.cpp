#include "fields/DrawingReplay.h"

#include "fields/Drawing.h"
#include "fields/FieldPaint.h"
#include "fields/GdiScope.h"
#include "platform/WideText_win.h"

namespace {

void DrawShape(HDC dc, const CDrawStep& s) {
    CPen pen(CreatePen(PS_SOLID, 1, Rgb(s.pen)));
    CBrush brush(CreateSolidBrush(Rgb(s.brush)));
    CSelection penSelected(dc, pen.Get());
    CSelection brushSelected(dc, brush.Get());
    switch (s.kind) {
        case DrawKind::Rectangle:
            Rectangle(dc, s.left, s.top, s.right, s.bottom);
            break;
        case DrawKind::Ellipse:
            Ellipse(dc, s.left, s.top, s.right, s.bottom);
            break;
        default: {
            POINT points[kMaxPolygonPoints];
            for (int i = 0; i < s.points; ++i) points[i] = {s.x[i], s.y[i]};
            Polygon(dc, points, s.points);
            break;
        }
    }
}

void DrawLabel(HDC dc, const CDrawStep& s, const std::u16string& text) {
    UINT format = DT_SINGLELINE | DT_VCENTER | (s.clip ? 0 : DT_NOCLIP);
    if (s.align == LabelAlign::Centre) format |= DT_CENTER;
    if (s.align == LabelAlign::Right) format |= DT_RIGHT;
    RECT area = {s.left, s.top, s.right, s.bottom};
    SetTextColor(dc, Rgb(s.pen));
    DrawTextW(dc, Wide(text), static_cast<int>(text.size()), &area, format);
}

}  // namespace

void ReplayDrawing(HDC dc, const CDrawing& drawing) {
    SetBkMode(dc, TRANSPARENT);
    for (const CDrawStep& s : drawing.Steps()) {
        switch (s.kind) {
            case DrawKind::Line:
                DrawLine(dc, s.left, s.top, s.right, s.bottom, s.pen);
                break;
            case DrawKind::Fill:
                FillArea(dc, s.left, s.top, s.right, s.bottom, s.brush);
                break;
            case DrawKind::Label:
                DrawLabel(dc, s, drawing.text);
                break;
            default:
                DrawShape(dc, s);
                break;
        }
    }
}
