#include "app/ui/stock_images.h"

#include <QDir>
#include <QFile>
#include <map>

#include "app/browser_model.h"
#include "gui/ui/image_view.h"
#include "project/thumbnails.h"
#include "gui/ui/qt_text.h"

// The resource file lives in a static library; its registration must be
// pulled in by hand.
static void InitArtwork() {
  static const bool registered = [] {
    Q_INIT_RESOURCE(artwork);
    return true;
  }();
  (void)registered;
}

namespace vorlane {
namespace {

struct Stock {
  ImageRef image;
  QPixmap pixmap;  // made on first use
};

// Never destroyed: pixmaps must not outlive the application object, and
// static destruction runs after it is gone.
std::map<std::string, Stock>& Pictures() {
  static auto* pictures = new std::map<std::string, Stock>;
  return *pictures;
}

void InstallCardPictures() {
  SetStockCardPictures(StockImage("card"), StockImage("card_empty"));
  const std::pair<ResourceKind, const char*> kind_cards[] = {
      {ResourceKind::Sound, "card_sound"},
      {ResourceKind::Music, "card_music"},
      {ResourceKind::Font, "card_font"},
      {ResourceKind::Function, "card_function"},
  };
  for (const auto& [kind, name] : kind_cards)
    if (ImageRef card = StockImage(name)) SetStockKindCard(kind, card);
}

}  // namespace

void LoadStockImages() {
  if (!Pictures().empty()) return;
  InitArtwork();
  const QDir folder(":/artwork");
  for (const QString& file : folder.entryList({"*.png"}, QDir::Files)) {
    QFile resource(folder.filePath(file));
    if (!resource.open(QIODevice::ReadOnly)) continue;
    const QByteArray bytes = resource.readAll();
    Image image = DecodeImage(std::string(bytes.constData(), static_cast<size_t>(bytes.size())));
    if (image.is_null()) continue;
    std::string name = file.chopped(4).toStdString();
    Pictures()[name].image = ShareImage(std::move(image));
  }
  InstallCardPictures();
}

ImageRef StockImage(const std::string& name) {
  const auto found = Pictures().find(name);
  return found == Pictures().end() ? nullptr : found->second.image;
}

QPixmap StockPixmap(const std::string& name) {
  const auto found = Pictures().find(name);
  if (found == Pictures().end()) return QPixmap();
  if (found->second.pixmap.isNull()) found->second.pixmap = ToPixmap(*found->second.image);
  return found->second.pixmap;
}

QString StockPicturePath(const std::string& name) {
  InitArtwork();
  return QString(":/artwork/%1.png").arg(Q(name));
}

std::vector<std::string> StockImageNames() {
  std::vector<std::string> names;
  for (const auto& [name, stock] : Pictures()) names.push_back(name);
  return names;
}

}  // namespace vorlane
