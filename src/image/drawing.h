// The frame editor's drawing as plain functions on an Image: pencil, eraser,
// lines, rectangles, ellipses, flood fill and rectangle selections. Every
// function writes exact colours (DrawMode::Copy, never blending), clips at
// the frame's edges and returns the area it may have changed (empty when
// nothing), so a window repaints only that.
#pragma once

#include <QPoint>
#include <QRect>
#include <cstddef>
#include <vector>

#include "gui/image.h"

namespace vorlane {

inline constexpr int kMinBrush = 1;
inline constexpr int kMaxBrush = 16;

// The size x size square a brush covers around (x, y). An even size has no
// middle pixel: its extra column and row go to the left and top, so a
// size 2 brush covers (x - 1, y - 1) to (x, y).
QRect BrushSquare(int x, int y, int size);

// The colour the eraser writes: see-through (0, 0, 0, 0) on a 32-bit frame,
// the secondary colour on an opaque 24-bit one.
Color EraseColor(const Image& image, Color secondary);

// A pencil dot: the brush square filled with `color`.
QRect DrawDot(Image& image, int x, int y, int size, Color color);
// A Bresenham line from one point to the other, both ends included, the
// brush stamped at each of its pixels. A drag's stroke is one such line per
// pointer event, so a fast move leaves no gap.
QRect DrawLine(Image& image, QPoint from, QPoint to, int size, Color color);

// The rectangle between two corners, both inclusive, given in any order.
QRect CornerRect(QPoint a, QPoint b);
// With Shift the shape is square: `to` moves along its longer side's
// direction so that both sides match the longer one.
QPoint ConstrainSquare(QPoint from, QPoint to);
// With Shift a line is level, upright or at 45 degrees, whichever lies
// nearest the pointer.
QPoint ConstrainLine(QPoint from, QPoint to);

// A rectangle or ellipse fitting the box between two corners; an outline
// is `size` pixels thick, inside the box (a pixel is on it when a pixel
// within `size` steps up, down, left or right lies outside the shape).
enum class Shape { Rectangle, Ellipse };
QRect DrawShape(Image& image, Shape shape, QPoint a, QPoint b, bool filled, int size, Color color);

// Fills the pixels within `tolerance` (0..255, the largest difference of
// any channel, alpha included) of the colour at (x, y): only those joined
// to it through left, right, up and down steps when `contiguous`, else
// every such pixel of the frame.
QRect FloodFill(Image& image, int x, int y, Color color, int tolerance, bool contiguous);

// Rectangle selections. Pasting writes every pixel of `source`, see-through
// ones included, clipped at the frame's edges.
Image CopyArea(const Image& image, const QRect& area);
QRect ClearArea(Image& image, const QRect& area, Color erase);
QRect PasteImage(Image& image, const Image& source, QPoint at);
// Cut and paste: the area's pixels move by `offset`, leaving `erase` behind.
QRect MoveArea(Image& image, const QRect& area, QPoint offset, Color erase);

// The distinct colours of the pictures in first-seen order (rows top to
// bottom), at most `cap`: a palette of the sprite's own colours.
std::vector<Color> PictureColors(const std::vector<const Image*>& pictures, std::size_t cap = 256);

}  // namespace vorlane
