// Draws every stock picture of Vorlane as a PNG file into the folder given as
// the only argument. Symbols are designed on a 32 x 32 grid and scaled to
// each use, so toolbar icons, tab icons, cards and banners match.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>
#include <cstdio>
#include <functional>
#include <map>
#include <string>

namespace {

QString out_folder;
int written = 0;

using Symbol = std::function<void(QPainter&)>;

const QColor kInk("#2b3340");
const QColor kWhite(255, 255, 255);

QImage NewImage(int w, int h) {
  QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  return image;
}

void Save(const QImage& image, const QString& name) {
  const QString path = out_folder + "/" + name + ".png";
  if (!image.convertToFormat(QImage::Format_ARGB32).save(path, "PNG", 9)) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    std::exit(1);
  }
  ++written;
}

void Smooth(QPainter& p) {
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
}

QFont Font(int pixels, bool bold = true, const char* family = "DejaVu Sans") {
  QFont font(family);
  font.setPixelSize(pixels);
  font.setBold(bold);
  font.setHintingPreference(QFont::PreferNoHinting);
  return font;
}

QLinearGradient Vertical(double y0, double y1, const QColor& top, const QColor& bottom) {
  QLinearGradient g(0, y0, 0, y1);
  g.setColorAt(0, top);
  g.setColorAt(1, bottom);
  return g;
}

void Outline(QPainter& p, const QColor& color, double width = 1.2) {
  p.setPen(QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
}

// Text centred on a point, as a path so it scales with the symbol grid.
void CenteredText(QPainter& p, const QString& text, const QFont& font, QPointF centre,
                  const QBrush& brush) {
  QPainterPath path;
  path.addText(0, 0, font, text);
  const QRectF box = path.boundingRect();
  path.translate(centre - box.center());
  p.fillPath(path, brush);
}

// ---- Symbols on the 32 x 32 grid ----

void SpriteSymbol(QPainter& p) {
  Outline(p, QColor("#a14d12"));
  p.setBrush(Vertical(5, 28, QColor("#ffb25b"), QColor("#ea7a22")));
  p.drawRoundedRect(QRectF(5, 6, 22, 21), 8, 8);
  p.setPen(Qt::NoPen);
  p.setBrush(kWhite);
  p.drawEllipse(QPointF(12, 14), 3.4, 3.8);
  p.drawEllipse(QPointF(20, 14), 3.4, 3.8);
  p.setBrush(kInk);
  p.drawEllipse(QPointF(12.8, 14.6), 1.7, 1.9);
  p.drawEllipse(QPointF(20.8, 14.6), 1.7, 1.9);
  Outline(p, QColor("#7a3408"), 1.4);
  p.setBrush(Qt::NoBrush);
  p.drawArc(QRectF(12, 16, 8, 6), 200 * 16, 140 * 16);
}

void SoundSymbol(QPainter& p) {
  Outline(p, QColor("#165e56"));
  p.setBrush(Vertical(6, 26, QColor("#4cc3b4"), QColor("#23897d")));
  QPolygonF body;
  body << QPointF(4, 12) << QPointF(10, 12) << QPointF(17, 5.5) << QPointF(17, 26.5)
       << QPointF(10, 20) << QPointF(4, 20);
  p.drawPolygon(body);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor("#23897d"), 2.4, Qt::SolidLine, Qt::RoundCap));
  p.drawArc(QRectF(14, 10, 8, 12), -50 * 16, 100 * 16);
  p.drawArc(QRectF(13, 6, 14, 20), -50 * 16, 100 * 16);
}

void MusicSymbol(QPainter& p) {
  const QColor dark("#55319a");
  p.setPen(Qt::NoPen);
  p.setBrush(Vertical(4, 28, QColor("#a77be8"), QColor("#7446c4")));
  QPolygonF beam;
  beam << QPointF(11, 8) << QPointF(26, 4) << QPointF(26, 8.5) << QPointF(11, 12.5);
  p.drawPolygon(beam);
  p.drawRect(QRectF(11, 8, 2.4, 16));
  p.drawRect(QRectF(23.6, 4, 2.4, 16));
  for (QPointF head : {QPointF(9, 24), QPointF(21.6, 20)}) {
    p.save();
    p.translate(head);
    p.rotate(-22);
    Outline(p, dark, 1);
    p.drawEllipse(QPointF(0, 0), 4.6, 3.4);
    p.setPen(Qt::NoPen);
    p.restore();
  }
}

void LandscapeSymbol(QPainter& p, bool grey = false) {
  const QRectF frame(3, 6, 26, 20);
  Outline(p, grey ? QColor("#9aa1ab") : QColor("#2c5f9e"));
  p.setBrush(grey ? QBrush(QColor("#e3e6ea"))
                  : QBrush(Vertical(6, 26, QColor("#8cc8ff"), QColor("#d5ecff"))));
  p.drawRoundedRect(frame, 3, 3);
  p.save();
  QPainterPath clip;
  clip.addRoundedRect(frame.adjusted(0.6, 0.6, -0.6, -0.6), 2.5, 2.5);
  p.setClipPath(clip);
  p.setPen(Qt::NoPen);
  p.setBrush(grey ? QColor("#c1c6cd") : QColor("#ffd23f"));
  p.drawEllipse(QPointF(22, 12), 3, 3);
  QPolygonF far;
  far << QPointF(3, 26) << QPointF(12, 14) << QPointF(18, 20) << QPointF(21, 17) << QPointF(29, 26);
  p.setBrush(grey ? QColor("#b3b9c1") : QColor("#4f9f5a"));
  p.drawPolygon(far);
  QPolygonF near;
  near << QPointF(3, 26) << QPointF(3, 22) << QPointF(9, 19) << QPointF(16, 23) << QPointF(29, 21)
       << QPointF(29, 26);
  p.setBrush(grey ? QColor("#a3aab3") : QColor("#2f7d3b"));
  p.drawPolygon(near);
  p.restore();
}

void BackgroundSymbol(QPainter& p) { LandscapeSymbol(p); }

void FontSymbol(QPainter& p) {
  CenteredText(p, "Aa", Font(21, true, "DejaVu Serif"), QPointF(16, 16.5),
               Vertical(6, 26, QColor("#d85a6c"), QColor("#a32d40")));
  p.setPen(QPen(QColor("#a32d40"), 1.6, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(4, 27.5), QPointF(28, 27.5));
}

void CubeSymbol(QPainter& p) {
  const QPointF top(16, 4), left(5, 10), right(27, 10), centre(16, 16), bottom(16, 29),
      bottom_left(5, 23), bottom_right(27, 23);
  const QPen edge(QColor("#263f86"), 1.1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  p.setPen(edge);
  p.setBrush(QColor("#9db6f5"));
  p.drawPolygon(QPolygonF({top, right, centre, left}));
  p.setBrush(QColor("#5c80dc"));
  p.drawPolygon(QPolygonF({left, centre, bottom, bottom_left}));
  p.setBrush(QColor("#3a5cb8"));
  p.drawPolygon(QPolygonF({centre, right, bottom_right, bottom}));
}

void SceneSymbol(QPainter& p) {
  const QRectF frame(3, 5, 26, 22);
  Outline(p, QColor("#25622f"));
  p.setBrush(Vertical(5, 27, QColor("#b9e6ff"), QColor("#e9f7ff")));
  p.drawRoundedRect(frame, 3, 3);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor("#3b9c4e"));
  p.drawRect(QRectF(3.6, 23, 24.8, 3.4));
  p.setBrush(QColor("#9a6a3a"));
  p.drawRect(QRectF(6, 17, 8, 2.6));
  p.drawRect(QRectF(18, 12, 8, 2.6));
  p.setBrush(QColor("#ffc93a"));
  p.drawEllipse(QPointF(22, 8.8), 1.8, 1.8);
  p.setBrush(QColor("#ea7a22"));
  p.drawRoundedRect(QRectF(8, 11.5, 4.5, 5.5), 1.5, 1.5);
}

void FunctionSymbol(QPainter& p) {
  Outline(p, QColor("#2d3846"));
  p.setBrush(Vertical(6, 26, QColor("#6c7d94"), QColor("#46556a")));
  p.drawRoundedRect(QRectF(2.5, 6, 27, 20), 4, 4);
  QFont font = Font(13, true, "DejaVu Serif");
  font.setItalic(true);
  CenteredText(p, "f(x)", font, QPointF(16, 16.3), kWhite);
}

void PlusBadge(QPainter& p) {
  Outline(p, QColor("#1f7a3a"), 1);
  p.setBrush(Vertical(19, 31, QColor("#5fd07e"), QColor("#2e9e4f")));
  p.drawEllipse(QPointF(25, 25), 6.3, 6.3);
  p.setPen(QPen(kWhite, 2.2, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(25, 21.6), QPointF(25, 28.4));
  p.drawLine(QPointF(21.6, 25), QPointF(28.4, 25));
}

void PageSymbol(QPainter& p) {
  QPainterPath page;
  page.moveTo(7, 3);
  page.lineTo(20, 3);
  page.lineTo(26, 9);
  page.lineTo(26, 29);
  page.lineTo(7, 29);
  page.closeSubpath();
  Outline(p, QColor("#7d8796"));
  p.setBrush(Vertical(3, 29, kWhite, QColor("#e8ecf2")));
  p.drawPath(page);
  p.setBrush(QColor("#cfd6e0"));
  p.drawPolygon(QPolygonF({QPointF(20, 3), QPointF(20, 9), QPointF(26, 9)}));
  p.setPen(QPen(QColor("#b6bfcc"), 1.3, Qt::SolidLine, Qt::RoundCap));
  for (double y : {14.0, 18.0, 22.0}) p.drawLine(QPointF(11, y), QPointF(22, y));
}

void NewSymbol(QPainter& p) {
  PageSymbol(p);
  PlusBadge(p);
}

void FolderSymbol(QPainter& p) {
  Outline(p, QColor("#a8741a"));
  p.setBrush(QColor("#e8b23c"));
  QPainterPath back;
  back.moveTo(3, 8);
  back.lineTo(12, 8);
  back.lineTo(14.5, 10.5);
  back.lineTo(27, 10.5);
  back.lineTo(27, 26);
  back.lineTo(3, 26);
  back.closeSubpath();
  p.drawPath(back);
  p.setBrush(kWhite);
  p.setPen(QPen(QColor("#c9ced6"), 0.8));
  p.drawRect(QRectF(6, 12.5, 18, 10));
  Outline(p, QColor("#a8741a"));
  p.setBrush(Vertical(14, 26, QColor("#ffd877"), QColor("#f1b33a")));
  p.drawPolygon(
      QPolygonF({QPointF(7, 14.5), QPointF(30, 14.5), QPointF(26.5, 26), QPointF(3, 26)}));
}

void DiskSymbol(QPainter& p) {
  Outline(p, QColor("#1f4f93"));
  p.setBrush(Vertical(4, 28, QColor("#5b9cf0"), QColor("#2f6fca")));
  QPainterPath disk;
  disk.moveTo(4, 6);
  disk.quadTo(4, 4, 6, 4);
  disk.lineTo(23, 4);
  disk.lineTo(28, 9);
  disk.lineTo(28, 26);
  disk.quadTo(28, 28, 26, 28);
  disk.lineTo(6, 28);
  disk.quadTo(4, 28, 4, 26);
  disk.closeSubpath();
  p.drawPath(disk);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor("#dfe6ef"));
  p.drawRect(QRectF(9, 4.6, 13, 8));
  p.setBrush(QColor("#2f6fca"));
  p.drawRect(QRectF(17.5, 6, 3, 5));
  p.setBrush(kWhite);
  p.drawRoundedRect(QRectF(8, 16, 16, 10), 1.5, 1.5);
  p.setPen(QPen(QColor("#b6bfcc"), 1.1));
  p.drawLine(QPointF(10.5, 19.5), QPointF(21.5, 19.5));
  p.drawLine(QPointF(10.5, 22.5), QPointF(21.5, 22.5));
}

void PencilSymbol(QPainter& p, QPointF tip, double angle, double scale) {
  p.save();
  p.translate(tip);
  p.rotate(angle);
  p.scale(scale, scale);
  Outline(p, QColor("#6b4a0c"), 0.9);
  p.setBrush(QColor("#ffc93a"));
  p.drawRect(QRectF(4, -2.2, 12, 4.4));
  p.setBrush(QColor("#f19a9a"));
  p.drawRect(QRectF(16, -2.2, 3, 4.4));
  p.setBrush(QColor("#f1d7a8"));
  p.drawPolygon(QPolygonF({QPointF(0, 0), QPointF(4, -2.2), QPointF(4, 2.2)}));
  p.restore();
}

void SaveAsSymbol(QPainter& p) {
  DiskSymbol(p);
  PencilSymbol(p, QPointF(17, 29), -45, 0.85);
}

void RunSymbol(QPainter& p) {
  Outline(p, QColor("#1f7a3a"));
  p.setBrush(Vertical(2, 30, QColor("#67d487"), QColor("#2b9a4c")));
  p.drawEllipse(QPointF(16, 16), 13.5, 13.5);
  p.setPen(Qt::NoPen);
  p.setBrush(kWhite);
  p.drawPolygon(QPolygonF({QPointF(12.5, 9.5), QPointF(23.5, 16), QPointF(12.5, 22.5)}));
}

// A beetle: the game run to find what goes wrong in it.
void DebugSymbol(QPainter& p) {
  Outline(p, QColor("#8a2a1c"));
  p.setBrush(Vertical(6, 30, QColor("#f07a5a"), QColor("#c23a24")));
  p.drawEllipse(QPointF(16, 18), 9.5, 11.5);
  p.setBrush(QColor("#3a2a28"));
  p.drawEllipse(QPointF(16, 7.5), 5, 4);
  p.setPen(QPen(QColor("#3a2a28"), 1.6, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(16, 9), QPointF(16, 29));
  for (const double y : {13.0, 19.0, 25.0}) {
    p.drawLine(QPointF(6.5, y), QPointF(2.5, y - 2));
    p.drawLine(QPointF(25.5, y), QPointF(29.5, y - 2));
  }
  p.setPen(Qt::NoPen);
  p.setBrush(QColor("#3a2a28"));
  for (const QPointF c :
       {QPointF(11.5, 16), QPointF(20.5, 16), QPointF(12, 23.5), QPointF(20, 23.5)})
    p.drawEllipse(c, 1.8, 1.8);
}

// A parcel with an arrow leaving it: the game packed to be handed on.
void ExportSymbol(QPainter& p) {
  Outline(p, QColor("#8a5a1c"));
  p.setBrush(Vertical(10, 29, QColor("#e9b463"), QColor("#c7862f")));
  p.drawRoundedRect(QRectF(4, 12, 20, 16), 1.5, 1.5);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor("#f6dcae"));
  p.drawRect(QRectF(12, 12.6, 4, 15));
  Outline(p, QColor("#1f7a3a"));
  p.setBrush(Vertical(2, 20, QColor("#67d487"), QColor("#2b9a4c")));
  p.drawPolygon(QPolygonF({QPointF(18, 3), QPointF(29, 3), QPointF(29, 14), QPointF(25.5, 10.5),
                           QPointF(19.5, 16.5), QPointF(15.5, 12.5), QPointF(21.5, 6.5)}));
}

void GearSymbol(QPainter& p, const QColor& light = QColor("#a5aebb"),
                const QColor& dark = QColor("#6b7686")) {
  QPainterPath gear;
  const int teeth = 8;
  for (int i = 0; i < teeth * 4; ++i) {
    const double a = (i - 0.5) * M_PI * 2 / (teeth * 4);
    const double r = (i % 4 == 0 || i % 4 == 1) ? 14 : 10.5;
    const QPointF pt(16 + r * std::cos(a), 16 + r * std::sin(a));
    if (i == 0)
      gear.moveTo(pt);
    else
      gear.lineTo(pt);
  }
  gear.closeSubpath();
  gear.addEllipse(QPointF(16, 16), 4.2, 4.2);
  gear.setFillRule(Qt::OddEvenFill);
  Outline(p, QColor("#4a5361"), 1);
  p.setBrush(Vertical(2, 30, light, dark));
  p.drawPath(gear);
}

void RoundBadge(QPainter& p, const QColor& top, const QColor& bottom, const QColor& edge) {
  Outline(p, edge);
  p.setBrush(Vertical(2, 30, top, bottom));
  p.drawEllipse(QPointF(16, 16), 13.5, 13.5);
}

void ExitSymbol(QPainter& p) {
  RoundBadge(p, QColor("#f07b73"), QColor("#c8403a"), QColor("#8f2520"));
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(kWhite, 2.6, Qt::SolidLine, Qt::RoundCap));
  p.drawArc(QRectF(9.5, 10, 13, 13), 125 * 16, 290 * 16);
  p.drawLine(QPointF(16, 7.5), QPointF(16, 15.5));
}

void HelpSymbol(QPainter& p) {
  RoundBadge(p, QColor("#6aa9f5"), QColor("#2f6fca"), QColor("#1f4f93"));
  CenteredText(p, "?", Font(19), QPointF(16, 16), kWhite);
}

void AboutSymbol(QPainter& p) {
  RoundBadge(p, QColor("#6aa9f5"), QColor("#2f6fca"), QColor("#1f4f93"));
  CenteredText(p, "i", Font(19, true, "DejaVu Serif"), QPointF(16, 16), kWhite);
}

void ArrowCircleSymbol(QPainter& p, const QColor& color) {
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(color, 3.2, Qt::SolidLine, Qt::RoundCap));
  p.drawArc(QRectF(5.5, 5.5, 21, 21), 100 * 16, 280 * 16);
  p.setPen(Qt::NoPen);
  p.setBrush(color);
  p.drawPolygon(QPolygonF({QPointF(14.5, 1.5), QPointF(21, 6.4), QPointF(14.5, 11)}));
}

void CheckVersionSymbol(QPainter& p) {
  ArrowCircleSymbol(p, QColor("#2b9a8c"));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor("#2f6fca"));
  p.drawPolygon(QPolygonF({QPointF(16, 22), QPointF(11, 16), QPointF(14, 16), QPointF(14, 10),
                           QPointF(18, 10), QPointF(18, 16), QPointF(21, 16)}));
}

Symbol WithBadge(Symbol base) {
  return [base](QPainter& p) {
    p.save();
    p.translate(-1, -1);
    base(p);
    p.restore();
    PlusBadge(p);
  };
}

// The Game tab's symbols.
void VariablesSymbol(QPainter& p) {
  Outline(p, QColor("#1f4f93"));
  p.setBrush(Vertical(4, 28, QColor("#e9f2ff"), QColor("#c9dcf7")));
  p.drawRoundedRect(QRectF(2.5, 5, 27, 22), 4, 4);
  QFont font = Font(13, true, "DejaVu Serif");
  font.setItalic(true);
  CenteredText(p, "x=1", font, QPointF(16, 16), QColor("#1f4f93"));
}

void CommentsSymbol(QPainter& p) {
  QPainterPath bubble;
  bubble.addRoundedRect(QRectF(3, 4, 26, 18), 5, 5);
  QPainterPath tail;
  tail.moveTo(9, 20);
  tail.lineTo(8, 28);
  tail.lineTo(16, 20);
  tail.closeSubpath();
  Outline(p, QColor("#a8741a"));
  p.setBrush(Vertical(4, 28, QColor("#ffe39a"), QColor("#f5c542")));
  p.drawPath(bubble.united(tail));
  p.setPen(QPen(QColor("#a8741a"), 1.6, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(8, 10), QPointF(24, 10));
  p.drawLine(QPointF(8, 15), QPointF(19, 15));
}

void GamepadSymbol(QPainter& p) {
  // A wide body with two grips leaning outwards.
  QPainterPath pad;
  pad.addRoundedRect(QRectF(3, 8, 26, 13), 6.5, 6.5);
  for (const double side : {-1.0, 1.0}) {
    QPainterPath grip;
    grip.addRoundedRect(QRectF(-4, -6, 8, 14), 4, 4);
    QTransform place;
    place.translate(16 + side * 9.5, 20);
    place.rotate(side * -28);
    pad.addPath(place.map(grip));
  }
  pad = pad.simplified();
  Outline(p, QColor("#2f3643"));
  p.setBrush(Vertical(8, 28, QColor("#7d889b"), QColor("#4d5769")));
  p.drawPath(pad);
  p.setPen(QPen(kWhite, 2.4, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(7, 14.5), QPointF(13, 14.5));
  p.drawLine(QPointF(10, 11.5), QPointF(10, 17.5));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor("#ffcf4a"));
  p.drawEllipse(QPointF(21, 12.8), 2.1, 2.1);
  p.setBrush(QColor("#ff6b6b"));
  p.drawEllipse(QPointF(24.6, 16.4), 2.1, 2.1);
}

void PuzzleSymbol(QPainter& p) {
  QPainterPath piece;
  piece.addRoundedRect(QRectF(4, 9, 19, 19), 2.5, 2.5);
  piece.addEllipse(QPointF(13.5, 8.5), 4, 4);
  piece.addEllipse(QPointF(23, 18.5), 4, 4);
  piece = piece.simplified();
  Outline(p, QColor("#1f7a3a"));
  p.setBrush(Vertical(4, 28, QColor("#7ddc97"), QColor("#35a457")));
  p.drawPath(piece);
}

// Event symbols (code dialogs) on round badges.
void EventBadge(QPainter& p, const QColor& colour) {
  RoundBadge(p, colour.lighter(135), colour, colour.darker(150));
}

void StarPath(QPainterPath& path, QPointF centre, double outer, double inner) {
  for (int i = 0; i < 10; ++i) {
    const double a = -M_PI / 2 + i * M_PI / 5;
    const double r = i % 2 ? inner : outer;
    const QPointF pt(centre.x() + r * std::cos(a), centre.y() + r * std::sin(a));
    if (i == 0)
      path.moveTo(pt);
    else
      path.lineTo(pt);
  }
  path.closeSubpath();
}

void CreationSymbol(QPainter& p) {
  EventBadge(p, QColor("#3aa55d"));
  QPainterPath star;
  StarPath(star, QPointF(16, 16.8), 9.5, 4.2);
  p.fillPath(star, kWhite);
}

void DestroySymbol(QPainter& p) {
  EventBadge(p, QColor("#d9534f"));
  p.setPen(QPen(kWhite, 3, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(11, 11), QPointF(21, 21));
  p.drawLine(QPointF(21, 11), QPointF(11, 21));
}

void Chevrons(QPainter& p, double x, bool bar) {
  p.setPen(QPen(kWhite, 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  p.drawPolyline(QPolygonF({QPointF(x, 10), QPointF(x + 5, 16), QPointF(x, 22)}));
  p.drawPolyline(QPolygonF({QPointF(x + 6, 10), QPointF(x + 11, 16), QPointF(x + 6, 22)}));
  if (bar) p.drawLine(QPointF(x + 14, 10), QPointF(x + 14, 22));
}

void StepSymbol(QPainter& p) {
  EventBadge(p, QColor("#3d7bd9"));
  Chevrons(p, 10.5, false);
}

void EndStepSymbol(QPainter& p) {
  EventBadge(p, QColor("#3d7bd9"));
  Chevrons(p, 8, true);
}

void CollisionSymbol(QPainter& p) {
  Outline(p, QColor("#8f2520"), 1.1);
  p.setBrush(Vertical(4, 24, QColor("#ffb25b"), QColor("#ea7a22")));
  p.drawEllipse(QPointF(11, 13), 8, 8);
  p.setBrush(Vertical(8, 28, QColor("#f07b73"), QColor("#c8403a")));
  p.drawEllipse(QPointF(21, 19), 8, 8);
  QPainterPath star;
  StarPath(star, QPointF(16, 16), 5.5, 2.4);
  p.fillPath(star, QColor("#ffe066"));
}

void FlagSymbol(QPainter& p, bool checkered) {
  p.setPen(QPen(QColor("#4a5361"), 2, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(7, 4), QPointF(7, 29));
  const QRectF cloth(8, 5, 19, 13);
  if (!checkered) {
    Outline(p, QColor("#1f7a3a"), 1);
    p.setBrush(Vertical(5, 18, QColor("#67d487"), QColor("#2b9a4c")));
    p.drawRect(cloth);
    return;
  }
  p.setPen(Qt::NoPen);
  for (int row = 0; row < 3; ++row)
    for (int col = 0; col < 4; ++col) {
      p.setBrush((row + col) % 2 ? QColor("#2b3340") : kWhite);
      p.drawRect(QRectF(cloth.x() + col * cloth.width() / 4, cloth.y() + row * cloth.height() / 3,
                        cloth.width() / 4, cloth.height() / 3));
    }
  p.setBrush(Qt::NoBrush);
  Outline(p, QColor("#2b3340"), 1);
  p.drawRect(cloth);
}

void AnimationEndSymbol(QPainter& p) {
  Outline(p, QColor("#55319a"));
  p.setBrush(Vertical(4, 28, QColor("#a77be8"), QColor("#7446c4")));
  p.drawRoundedRect(QRectF(3, 6, 26, 20), 3, 3);
  p.setPen(Qt::NoPen);
  p.setBrush(kWhite);
  for (int i = 0; i < 5; ++i) {
    p.drawRect(QRectF(5.5 + i * 5, 7.8, 2.6, 2.4));
    p.drawRect(QRectF(5.5 + i * 5, 21.8, 2.6, 2.4));
  }
  p.drawRect(QRectF(12.5, 12.5, 7, 7));
}

void DrawSymbol(QPainter& p) { PencilSymbol(p, QPointF(5, 27), -45, 1.25); }

void LogoSymbol(QPainter& p) {
  QLinearGradient g(0, 0, 32, 32);
  g.setColorAt(0, QColor("#ff9f43"));
  g.setColorAt(1, QColor("#e5446d"));
  p.setPen(Qt::NoPen);
  p.setBrush(g);
  p.drawRoundedRect(QRectF(1, 1, 30, 30), 7, 7);
  p.setBrush(QColor(255, 255, 255, 40));
  p.drawRoundedRect(QRectF(1, 1, 30, 14), 7, 7);
  p.setPen(QPen(kWhite, 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  p.drawPolyline(QPolygonF({QPointF(8.5, 9), QPointF(16, 24), QPointF(23.5, 9)}));
}

// ---- Rendering helpers ----

void DrawSymbolAt(QPainter& p, const Symbol& symbol, QRectF box) {
  p.save();
  p.translate(box.topLeft());
  p.scale(box.width() / 32.0, box.height() / 32.0);
  symbol(p);
  p.restore();
}

void Icon(const QString& name, const Symbol& symbol, int size = 40) {
  QImage image = NewImage(size, size);
  QPainter p(&image);
  Smooth(p);
  DrawSymbolAt(p, symbol, QRectF(0, 0, size, size));
  p.end();
  Save(image, name);
}

// The card drawn under every thumbnail: a light, rounded card with a soft
// shadow, filling the 150 x 100 picture.
void CardBody(QPainter& p) {
  for (int i = 3; i >= 1; --i) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 50, 70, 16));
    p.drawRoundedRect(QRectF(2 + i * 0.3, 1 + i * 0.8, 146, 95), 9 + i, 9 + i);
  }
  Outline(p, QColor("#aeb7c4"), 1);
  p.setBrush(Vertical(1, 96, QColor("#ffffff"), QColor("#e9edf3")));
  p.drawRoundedRect(QRectF(2.5, 1.5, 145, 94), 9, 9);
}

QImage Card() {
  QImage image = NewImage(150, 100);
  QPainter p(&image);
  Smooth(p);
  CardBody(p);
  return image;
}

void KindCard(const QString& name, const Symbol& symbol) {
  QImage image = Card();
  QPainter p(&image);
  Smooth(p);
  DrawSymbolAt(p, symbol, QRectF(45, 20, 60, 60));
  p.end();
  Save(image, name);
}

void EmptyCard() {
  QImage image = Card();
  QPainter p(&image);
  Smooth(p);
  p.setPen(QPen(QColor("#c3c9d3"), 1.5, Qt::DashLine));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(QRectF(45.5, 20.5, 59, 59), 6, 6);
  p.setOpacity(0.55);
  DrawSymbolAt(
      p, [](QPainter& q) { LandscapeSymbol(q, true); }, QRectF(59, 34, 32, 32));
  p.end();
  Save(image, "card_empty");
}

void AddCard() {
  QImage image = NewImage(150, 100);
  QPainter p(&image);
  Smooth(p);
  p.setPen(QPen(QColor("#7d8796"), 1.6, Qt::DashLine));
  p.setBrush(QColor(255, 255, 255, 70));
  p.drawRoundedRect(QRectF(3, 2, 144, 93), 9, 9);
  p.setPen(QPen(QColor("#1f7a3a"), 1.2));
  p.setBrush(Vertical(22, 58, QColor("#67d487"), QColor("#2b9a4c")));
  p.drawEllipse(QPointF(75, 40), 18, 18);
  p.setPen(QPen(kWhite, 5, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(75, 31), QPointF(75, 49));
  p.drawLine(QPointF(66, 40), QPointF(84, 40));
  CenteredText(p, "Add new", Font(13), QPointF(75, 76), QColor("#3c4452"));
  p.end();
  Save(image, "card_add");
}

struct Kind {
  const char* name;   // file suffix
  const char* title;  // banner text
  QColor colour;
  Symbol symbol;
};

// `hint`: the line of help beside the title, none when null.
void Banner(const Kind& kind, const char* hint) {
  QImage image = NewImage(2880, 50);
  QPainter p(&image);
  Smooth(p);
  QLinearGradient g(0, 0, 1500, 0);
  g.setColorAt(0, kind.colour.darker(115));
  g.setColorAt(0.35, kind.colour);
  g.setColorAt(0.75, kind.colour.lighter(130));
  g.setColorAt(1, QColor(200, 200, 200));
  p.fillRect(QRect(0, 0, 2880, 50), g);
  QLinearGradient gloss(0, 0, 0, 50);
  gloss.setColorAt(0, QColor(255, 255, 255, 50));
  gloss.setColorAt(0.5, QColor(255, 255, 255, 0));
  gloss.setColorAt(1, QColor(0, 0, 0, 30));
  p.fillRect(QRect(0, 0, 2880, 50), gloss);
  p.fillRect(QRect(0, 49, 2880, 1), QColor(0, 0, 0, 45));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 255, 255, 235));
  p.drawEllipse(QPointF(31, 25), 19, 19);
  DrawSymbolAt(p, kind.symbol, QRectF(17, 11, 28, 28));
  const QFont title = Font(22);
  p.setFont(title);
  p.setPen(QColor(0, 0, 0, 60));
  p.drawText(QPointF(62, 34), kind.title);
  p.setPen(kWhite);
  p.drawText(QPointF(61, 33), kind.title);
  if (hint) {
    p.setFont(Font(12, false));
    p.setPen(QColor(255, 255, 255, 220));
    p.drawText(QPointF(250, 30), hint);
  }
  p.end();
  Save(image, QString("banner_") + kind.name);
}

void GameButton(const QString& name, const QString& label, const Symbol& symbol) {
  QImage image = NewImage(275, 38);
  QPainter p(&image);
  Smooth(p);
  Outline(p, QColor("#a3adba"), 1);
  p.setBrush(Vertical(0, 38, QColor("#ffffff"), QColor("#e2e7ee")));
  p.drawRoundedRect(QRectF(0.5, 0.5, 274, 37), 6, 6);
  DrawSymbolAt(p, symbol, QRectF(9, 5, 28, 28));
  p.setFont(Font(14));
  p.setPen(kInk);
  p.drawText(QRectF(46, 0, 220, 38), Qt::AlignVCenter | Qt::AlignLeft, label);
  p.setPen(QPen(QColor("#9aa3b0"), 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPolyline(QPolygonF({QPointF(256, 13), QPointF(262, 19), QPointF(256, 25)}));
  p.end();
  Save(image, name);
}

void RunWide() {
  QImage image = NewImage(92, 42);
  QPainter p(&image);
  Smooth(p);
  Outline(p, QColor("#1f7a3a"), 2);
  p.setBrush(Vertical(0, 42, QColor("#67d487"), QColor("#2b9a4c")));
  p.drawRoundedRect(QRectF(2, 2, 88, 38), 19, 19);
  p.setPen(Qt::NoPen);
  p.setBrush(kWhite);
  p.drawPolygon(QPolygonF({QPointF(16, 11), QPointF(32, 21), QPointF(16, 31)}));
  CenteredText(p, "Run", Font(21), QPointF(59, 21), kWhite);
  p.end();
  Save(image, "run_wide");
}

// Deterministic scatter for the splash's decoration.
unsigned seed = 12345;
double Random() {
  seed = seed * 1103515245 + 12345;
  return ((seed >> 16) & 0x7fff) / 32767.0;
}

void Splash() {
  QImage image = NewImage(800, 600);
  QPainter p(&image);
  Smooth(p);
  p.fillRect(image.rect(), Vertical(0, 600, QColor("#1b2747"), QColor("#3a2858")));
  for (int i = 0; i < 90; ++i) {
    const double x = Random() * 800, y = Random() * 380, r = 0.6 + Random() * 1.4;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 60 + static_cast<int>(Random() * 120)));
    p.drawEllipse(QPointF(x, y), r, r);
  }
  // A little level along the bottom: ground blocks and floating platforms.
  const QColor ground("#3b9c4e"), earth("#6b4a2f");
  for (int x = 0; x < 800; x += 40) {
    p.fillRect(QRect(x, 520, 40, 80), earth);
    p.fillRect(QRect(x, 520, 40, 12), ground);
    p.fillRect(QRect(x, 520, 1, 80), QColor(0, 0, 0, 40));
  }
  for (auto [x, y, w] : {std::tuple{90, 430, 160}, std::tuple{560, 400, 120}}) {
    p.fillRect(QRect(x, y, w, 18), QColor("#9a6a3a"));
    p.fillRect(QRect(x, y, w, 5), QColor("#c08b52"));
  }
  for (auto [x, y] : {std::pair{150, 405}, std::pair{185, 405}, std::pair{610, 375}}) {
    p.setPen(QPen(QColor("#b8860b"), 1.5));
    p.setBrush(QColor("#ffc93a"));
    p.drawEllipse(QPointF(x, y), 8, 10);
  }
  DrawSymbolAt(p, SpriteSymbol, QRectF(330, 440, 84, 84));
  DrawSymbolAt(p, CubeSymbol, QRectF(640, 470, 50, 50));
  DrawSymbolAt(p, LogoSymbol, QRectF(352, 96, 96, 96));
  QFont title = Font(84);
  CenteredText(p, "Vorlane", title, QPointF(402, 262), QColor(0, 0, 0, 90));
  CenteredText(p, "Vorlane", title, QPointF(400, 258), kWhite);
  CenteredText(p, "Make 2D games for the web browser", Font(22, false), QPointF(400, 320),
               QColor("#c9d3ea"));
  CenteredText(p, "Loading...", Font(15, false), QPointF(400, 565), QColor(255, 255, 255, 200));
  p.end();
  Save(image, "splash");
}

void About() {
  QImage image = NewImage(500, 350);
  QPainter p(&image);
  Smooth(p);
  p.fillRect(image.rect(), QColor(0, 0, 0));
  QRadialGradient glow(QPointF(90, 60), 320);
  glow.setColorAt(0, QColor(58, 40, 88, 255));
  glow.setColorAt(1, QColor(0, 0, 0, 0));
  p.fillRect(image.rect(), glow);
  DrawSymbolAt(p, LogoSymbol, QRectF(36, 70, 76, 76));
  p.setFont(Font(52));
  p.setPen(kWhite);
  p.drawText(QPointF(128, 136), "Vorlane");
  p.setFont(Font(14, false));
  p.setPen(QColor("#c9d3ea"));
  p.drawText(QPointF(40, 200), "A development environment for 2D games");
  p.drawText(QPointF(40, 222), "that run in a web browser.");
  p.setPen(QColor("#8d97ad"));
  p.setFont(Font(12, false));
  p.drawText(QPointF(40, 262), "Sprites, sounds, backgrounds, objects and scenes");
  p.drawText(QPointF(40, 280), "become game.js and index.html, ready to play.");
  const QColor colours[] = {QColor("#e07b39"), QColor("#2c9c8f"), QColor("#8a5cd6"),
                            QColor("#3f8fd8"), QColor("#c4495b"), QColor("#4a6fd1"),
                            QColor("#3b9c4e"), QColor("#56657a")};
  for (int i = 0; i < 8; ++i) p.fillRect(QRect(40 + i * 26, 304, 20, 6), colours[i]);
  p.setPen(QColor("#6c7488"));
  p.setFont(Font(11, false));
  p.drawText(QRectF(260, 296, 220, 20), Qt::AlignRight | Qt::AlignVCenter,
             "Click the picture to close.");
  p.end();
  Save(image, "about_picture");
}

void MissingPreview() {
  QImage image = NewImage(240, 240);
  QPainter p(&image);
  Smooth(p);
  Outline(p, QColor("#b3bac4"), 1);
  p.setBrush(Vertical(0, 240, QColor("#eef1f5"), QColor("#dde2e9")));
  p.drawRoundedRect(QRectF(0.5, 0.5, 239, 239), 8, 8);
  p.setOpacity(0.8);
  DrawSymbolAt(
      p, [](QPainter& q) { LandscapeSymbol(q, true); }, QRectF(80, 60, 80, 80));
  p.setOpacity(1);
  CenteredText(p, "No preview yet", Font(15), QPointF(120, 165), QColor("#7d8796"));
  CenteredText(p, "Open the project and edit a scene", Font(11, false), QPointF(120, 188),
               QColor("#8d96a3"));
  p.end();
  Save(image, "no_preview");
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc != 2 && argc != 3) {
    std::fprintf(stderr, "usage: draw_artwork OUTPUT-FOLDER [DESKTOP-ICON-FOLDER]\n");
    return 2;
  }
  // The desktop's application icon in the sizes icon themes look for:
  // ICONS/<n>x<n>/vorlane.png.
  if (argc == 3) {
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
      out_folder = QString("%1/%2x%2").arg(argv[2]).arg(size);
      QDir().mkpath(out_folder);
      Icon("vorlane", LogoSymbol, size);
    }
  }
  out_folder = argv[1];

  const Kind kinds[] = {
      {"sprites", "Sprites", QColor("#e07b39"), SpriteSymbol},
      {"sounds", "Sounds", QColor("#2c9c8f"), SoundSymbol},
      {"musics", "Musics", QColor("#8a5cd6"), MusicSymbol},
      {"backgrounds", "Backgrounds", QColor("#3f8fd8"), BackgroundSymbol},
      {"fonts", "Fonts", QColor("#c4495b"), FontSymbol},
      {"objects", "Objects", QColor("#4a6fd1"), CubeSymbol},
      {"scenes", "Scenes", QColor("#3b9c4e"), SceneSymbol},
      {"functions", "Functions", QColor("#56657a"), FunctionSymbol},
  };

  // Toolbar and menu icons (drawn at twice the toolbar's 20 pixels).
  Icon("new", NewSymbol);
  Icon("open", FolderSymbol);
  Icon("save", DiskSymbol);
  Icon("save_as", SaveAsSymbol);
  Icon("run", RunSymbol);
  Icon("debug", DebugSymbol);
  Icon("export", ExportSymbol);
  Icon("preferences", [](QPainter& p) { GearSymbol(p); });
  Icon("exit", ExitSymbol);
  Icon("help", HelpSymbol);
  Icon("about", AboutSymbol);
  Icon("check_version", CheckVersionSymbol);
  Icon("add_sprite", WithBadge(SpriteSymbol));
  Icon("add_sound", WithBadge(SoundSymbol));
  Icon("add_music", WithBadge(MusicSymbol));
  Icon("add_background", WithBadge(BackgroundSymbol));
  Icon("add_font", WithBadge(FontSymbol));
  Icon("add_object", WithBadge(CubeSymbol));
  Icon("add_scene", WithBadge(SceneSymbol));
  Icon("add_function", WithBadge(FunctionSymbol));
  RunWide();
  Icon("vorlane", LogoSymbol, 64);

  for (const Kind& kind : kinds) {
    Icon(QString("tab_") + kind.name, kind.symbol, 32);
    Banner(kind, std::string(kind.name) != "functions"
                     ? "Double-click a card to edit it, right-click it for more."
                     : nullptr);
  }
  // The Game tab wears the same band as the resource tabs.
  Banner({"game", "Game", QColor("#c98a1e"), GamepadSymbol},
         "Code, comments and extensions of the whole game.");

  // Cards of the kinds that have no thumbnail of their own.
  KindCard("card_sound", SoundSymbol);
  KindCard("card_music", MusicSymbol);
  KindCard("card_font", FontSymbol);
  KindCard("card_function", FunctionSymbol);
  Save(Card(), "card");
  EmptyCard();
  AddCard();

  // Event icons and the generic object icon of the code dialogs.
  Icon("event_creation", CreationSymbol, 32);
  Icon("event_destroy", DestroySymbol, 32);
  Icon("event_step", StepSymbol, 32);
  Icon("event_end_step", EndStepSymbol, 32);
  Icon("event_collision", CollisionSymbol, 32);
  Icon(
      "event_room_start", [](QPainter& p) { FlagSymbol(p, false); }, 32);
  Icon(
      "event_room_end", [](QPainter& p) { FlagSymbol(p, true); }, 32);
  Icon("event_animation_end", AnimationEndSymbol, 32);
  Icon("event_draw", DrawSymbol, 32);
  Icon("object", CubeSymbol, 32);

  GameButton("game_global_variables", "Global variables", VariablesSymbol);
  GameButton("game_global_functions", "Global functions", FunctionSymbol);
  GameButton("game_comments", "Game comments", CommentsSymbol);
  GameButton("game_extensions", "Extensions", PuzzleSymbol);

  Splash();
  About();
  MissingPreview();
  std::printf("%d pictures\n", written);
  return 0;
}
