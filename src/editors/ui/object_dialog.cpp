#include "editors/ui/object_dialog.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyleOptionComboBox>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <optional>

#include "code/ui/code_window.h"
#include "code/ui/event_code_dialog.h"
#include "code/ui/event_icons.h"
#include "editors/object_edits.h"
#include "editors/ui/editor_dialogs.h"
#include "gui/ui/controls.h"
#include "gui/ui/dialog_service.h"
#include "gui/ui/fonts.h"
#include "gui/ui/image_view.h"
#include "gui/ui/picture_list.h"
#include "gui/ui/qt_text.h"
#include "project/thumbnails.h"

namespace vorlane {

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr int kScriptRole = Qt::UserRole;

// A caption or box text wider than its place in the layout is set smaller
// rather than cut off; `room` is what the control leaves for the text.
void FitText(QWidget* control, const QString& text, int room) {
  constexpr double kSmallestPoints = 6;
  QFont font = control->font();
  if (font.pointSizeF() <= 0) return;  // sized in pixels: left as it is
  while (QFontMetrics(font).horizontalAdvance(text) > room &&
         font.pointSizeF() - 0.5 >= kSmallestPoints)
    font.setPointSizeF(font.pointSizeF() - 0.5);
  control->setFont(font);
}

QCheckBox* MakeFittedCheckBox(QWidget* parent, const QString& text, int x, int y) {
  QCheckBox* box = MakeCheckBox(parent, text, x, y, 100, 25);
  QStyleOptionButton option;
  option.initFrom(box);
  const int indicator = box->style()->pixelMetric(QStyle::PM_IndicatorWidth, &option, box) +
                        box->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, &option, box);
  FitText(box, text, 100 - indicator - 2);
  return box;
}

}  // namespace

ObjectDialog::ObjectDialog(QWidget* parent, Project& project, Preferences& prefs,
                           const KeywordList& keywords, int index)
    : ResourceDialog(parent, project, ResourceKind::Object, index, "Object properties - ", kWidth,
                     kHeight, 100),
      prefs_(prefs),
      keywords_(keywords) {
  const GameObject& object = project.objects[static_cast<size_t>(index)];

  // The frame goes round the picture, so the picture keeps its whole box.
  thumbnail_frame_ = new QFrame(this);
  thumbnail_frame_->setFrameShape(QFrame::Box);
  thumbnail_frame_->setGeometry(9, 44, 102, 102);
  thumbnail_ = MakePicture(this, 10, 45, 100, 100);
  sprite_list_ = new PictureList(this);
  sprite_list_->setGeometry(10, 155, 100, 25);
  size_label_ = MakeLabel(this, "", 10, 190, 100, 25);
  visible_box_ = MakeFittedCheckBox(this, "Visible", 10, 215);
  visible_box_->setChecked(object.visible != 0);
  depth_label_ = MakeLabel(this, "Depth", 10, 255, 55, 25);
  PlaceCaption(depth_label_, 10, 255, 55);
  depth_field_ = MakeTextField(this, QString::number(object.depth), 60, 250, 50, 25);
  collision_box_ = MakeFittedCheckBox(this, "Collision checking", 10, 280);
  collision_box_->setChecked(object.collision != 0);
  parent_label_ = MakeLabel(this, "Parent", 10, 315, 100, 25);
  parent_list_ = new PictureList(this);
  parent_list_->setGeometry(10, 340, 100, 25);

  add_event_ = MakeButton(this, "Add event >>> ", 120, 10, 95, 25);
  FitText(add_event_, add_event_->text(), 95 - 8);
  event_kinds_ = new PictureList(this);
  event_kinds_->setGeometry(220, 10, 100, 25);
  std::vector<PictureList::Entry> kind_entries;
  for (size_t i = 0; i < EventNames().size(); ++i)
    kind_entries.push_back({EventIcon(static_cast<int>(i)), Q(EventNames()[i])});
  event_kinds_->Fill(kind_entries, Q(EventNames().front()));

  event_list_ = new QTreeWidget(this);
  event_list_->setGeometry(120, 45, 200, kHeight - 90);
  event_list_->setColumnCount(2);
  event_list_->setHeaderLabels({"Event", "Parameter"});
  event_list_->setColumnWidth(0, 105);
  event_list_->setColumnWidth(1, 75);
  event_list_->setRootIsDecorated(false);
  event_list_->setSelectionMode(QAbstractItemView::SingleSelection);
  event_list_->setContextMenuPolicy(Qt::CustomContextMenu);

  preview_label_ = new QLabel("Code preview of selected event", this);
  PlaceCaption(preview_label_, 480, 15, 200);
  code_preview_ = new QPlainTextEdit(this);
  code_preview_->setGeometry(330, 45, 460, kHeight - 90);
  code_preview_->setReadOnly(true);
  code_preview_->setLineWrapMode(QPlainTextEdit::NoWrap);
  code_preview_->setFont(Fonts().code);
  QPalette preview_colours = code_preview_->palette();
  preview_colours.setColor(QPalette::Base, QColor(0xEE, 0xEE, 0xEE));
  preview_colours.setColor(QPalette::Text, Qt::black);
  code_preview_->setPalette(preview_colours);

  event_menu_ = new QMenu(this);
  edit_event_ = event_menu_->addAction("Edit");
  event_menu_->addSeparator();
  delete_event_ = event_menu_->addAction("Delete");

  FillSpriteList();
  FillParentList();
  ShowSprite();
  RefreshEventList();

  connect(sprite_list_, &QComboBox::currentIndexChanged, this, [this] { ShowSprite(); });
  connect(add_event_, &QPushButton::clicked, this, &ObjectDialog::AddEvent);
  connect(event_list_, &QTreeWidget::itemSelectionChanged, this, &ObjectDialog::UpdateCodePreview);
  connect(event_list_, &QTreeWidget::itemDoubleClicked, this,
          [this](QTreeWidgetItem* item) { EditEvent(item->data(0, kScriptRole).toInt()); });
  connect(event_list_, &QWidget::customContextMenuRequested, this, &ObjectDialog::OnEventListMenu);
  connect(edit_event_, &QAction::triggered, this, [this] {
    if (const int script = SelectedScript(); script >= 0) EditEvent(script);
  });
  connect(delete_event_, &QAction::triggered, this, &ObjectDialog::DeleteSelectedEvent);
}

const QIcon& ObjectDialog::IconOf(const Image* picture) {
  auto [found, added] = icons_.try_emplace(picture);
  if (added) found->second = ObjectIcon(picture);
  return found->second;
}

void ObjectDialog::FillSpriteList() {
  const auto first_frames = FirstFrameImages(project_);
  std::vector<PictureList::Entry> entries;
  entries.reserve(project_.sprites.size() + 1);
  entries.push_back({});
  for (const Sprite& sprite : project_.sprites) {
    const auto found = first_frames.find(sprite.name);
    entries.push_back(
        {IconOf(found == first_frames.end() ? nullptr : found->second.get()), Q(sprite.name)});
  }
  sprite_list_->Fill(entries, Q(project_.objects[static_cast<size_t>(index_)].sprite),
                     IconOf(nullptr));
}

void ObjectDialog::FillParentList() {
  const GameObject& self = project_.objects[static_cast<size_t>(index_)];
  const auto first_frames = FirstFrameImages(project_);
  std::vector<PictureList::Entry> entries;
  entries.push_back({});
  for (const GameObject& object : project_.objects) {
    if (object.prototype != 1 || object.name == self.name) continue;
    const auto found = first_frames.find(object.sprite);
    entries.push_back(
        {IconOf(found == first_frames.end() ? nullptr : found->second.get()), Q(object.name)});
  }
  parent_list_->Fill(entries, Q(self.parent), IconOf(nullptr));
}

void ObjectDialog::ShowSprite() {
  const ImageRef first = FirstFrameImage(project_, sprite_list_->currentText().toStdString());
  const Image* picture = first && !first->is_null() ? first.get() : nullptr;
  thumbnail_->SetPicture(ToPixmap(picture ? ObjectThumbnail(picture, Image())
                                          : ObjectThumbnail(nullptr, MakeCard(nullptr))));
  const QString size = Q(SpriteSizeText(picture));
  size_label_->setFont(font());
  FitText(size_label_, size, 100);
  size_label_->setText(size);
}

void ObjectDialog::RefreshEventList(int select_script) {
  const QSignalBlocker quiet(event_list_);
  event_list_->clear();
  const std::string& object = project_.objects[static_cast<size_t>(index_)].name;
  const std::vector<std::string>& kinds = EventNames();
  QTreeWidgetItem* selected = nullptr;
  for (const int index : ObjectEventRows(project_, object)) {
    const Script& script = project_.scripts[static_cast<size_t>(index)];
    auto* row = new QTreeWidgetItem(event_list_, {Q(script.event), Q(script.parameter)});
    const auto kind = std::find(kinds.begin(), kinds.end(), script.event);
    if (kind != kinds.end()) row->setIcon(0, EventIcon(static_cast<int>(kind - kinds.begin())));
    row->setData(0, kScriptRole, index);
    if (index == select_script) selected = row;
  }
  if (selected) event_list_->setCurrentItem(selected);
}

int ObjectDialog::SelectedScript() const {
  const QList<QTreeWidgetItem*> rows = event_list_->selectedItems();
  return rows.isEmpty() ? -1 : rows.front()->data(0, kScriptRole).toInt();
}

void ObjectDialog::UpdateCodePreview() {
  const int script = SelectedScript();
  code_preview_->setPlainText(script >= 0 && script < static_cast<int>(project_.scripts.size())
                                  ? Q(project_.scripts[static_cast<size_t>(script)].code)
                                  : QString());
}

namespace {

// The key, button or alarm number a new event is for ("" for kinds without
// one); nothing when the chooser is cancelled.
std::optional<std::string> ChooseParameter(QWidget* parent, const std::string& event) {
  const std::vector<std::string> choices = EventParameters(event);
  if (choices.empty()) return std::string();
  QDialog dialog(parent);
  dialog.setWindowTitle(Q(event + " event"));
  auto* choice = new QComboBox(&dialog);
  choice->setObjectName("parameter");
  for (const std::string& c : choices) choice->addItem(Q(c));
  choice->setMaxVisibleItems(16);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(new QLabel(event == "Alarm" ? "Alarm number" : event == "Mouse" ? "Button" : "Key",
                               &dialog));
  layout->addWidget(choice);
  layout->addWidget(buttons);
  if (Dialogs().Exec(dialog) != QDialog::Accepted) return std::nullopt;
  return choice->currentText().toStdString();
}

}  // namespace

void ObjectDialog::AddEvent() {
  const std::string event = event_kinds_->currentText().toStdString();
  const std::optional<std::string> parameter = ChooseParameter(this, event);
  if (!parameter) return;
  const int was_modified = project_.modified;
  const int script = AddScript(project_, project_.objects[static_cast<size_t>(index_)].name,
                               event, *parameter);
  if (!EditEventCode(this, project_, prefs_, keywords_, script))
    TakeBackEmptyEvent(project_, script, was_modified);
  RefreshEventList(script);
  UpdateCodePreview();
}

void ObjectDialog::EditEvent(int script) {
  EditEventCode(this, project_, prefs_, keywords_, script);
  RefreshEventList(script);
  UpdateCodePreview();
}

void ObjectDialog::DeleteSelectedEvent() {
  const int script = SelectedScript();
  if (script < 0 || !Dialogs().AskYesNo(this, "Confirm", "Delete this event?")) return;
  DeleteEventScript(project_, script);
  RefreshEventList();
  UpdateCodePreview();
}

void ObjectDialog::OnEventListMenu(const QPoint& where) {
  QTreeWidgetItem* row = event_list_->itemAt(where);
  if (!row) return;
  event_list_->setCurrentItem(row);
  event_menu_->popup(event_list_->viewport()->mapToGlobal(where));
}

std::vector<std::string> ObjectDialog::Done() {
  const ObjectFields fields{
      .name = name_text(),
      .sprite = sprite_list_->currentText().toStdString(),
      .visible = visible_box_->isChecked() ? 1 : 0,
      .depth = depth_field_->text().toStdString(),
      .collision = collision_box_->isChecked() ? 1 : 0,
      .parent = parent_list_->currentText().toStdString(),
  };
  std::string refusal = StoreObject(project_, index_, fields);
  if (refusal.empty()) return {};
  return {std::move(refusal)};
}

void EditObject(QWidget* parent, Project& project, Preferences& prefs, const KeywordList& keywords,
                const std::string& name) {
  EditEveryNamed(project, ResourceKind::Object, name, [&](int index) {
    return std::make_unique<ObjectDialog>(parent, project, prefs, keywords, index);
  });
}

}  // namespace vorlane
