// The frame editor's button pictures, drawn in code so they follow the
// palette's text colour; the colour effects show their colours.
#pragma once

#include <QIcon>

namespace vorlane {

enum class FrameIcon {
  New, AddFile, SaveStrip,
  Duplicate, MoveLeft, MoveRight, Delete,
  Shift, Mirror, Rotate, Scale, ResizeCanvas, Stretch,
  Grayscale, Colorize, ColorBalance, SwapChannels, Invert, Brightness, Opacity, Posterize, Noise,
  EraseColor, MakeOpaque,
  // The drawing tools.
  Pencil, Eraser, Line, Rectangle, Ellipse, Fill, Picker, Select,
};

QIcon MakeFrameIcon(FrameIcon icon, const QColor& ink);

}  // namespace vorlane
