// The pictures of the event code dialog's lists: one per event, the generic
// object picture, and an object's own sprite picture.
#pragma once

#include <QIcon>
#include <string>
#include <vector>

#include "gui/image.h"

namespace vorlane {

// The object events, in the order of every event list.
const std::vector<std::string>& EventNames();
inline constexpr int kCollisionEventIndex = 4;
// From here on each kind is added with a key, button or alarm number.
inline constexpr int kFirstChosenParameterEvent = 9;
bool EventHasChosenParameter(const std::string& event);

QIcon EventIcon(int event_index);
QIcon GenericObjectIcon();
// The picture fitted into an icon keeping its shape; the generic object
// picture when `image` is null or empty.
QIcon ObjectIcon(const Image* image);

}  // namespace vorlane
