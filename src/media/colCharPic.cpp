#include "media/colCharPic.h"

#include <utility>

namespace fl3 {

CharPic& colCharPic::Add(TexturePtr picLeft, TexturePtr picUp, TexturePtr picRight, TexturePtr picDown) {
  items_.push_back(CharPic{std::move(picLeft), std::move(picUp), std::move(picRight), std::move(picDown)});
  return items_.back();
}

const CharPic* colCharPic::Item(int position) const {
  return Holds(position) ? &items_[static_cast<std::size_t>(position - 1)] : nullptr;
}

void colCharPic::Remove(int position) {
  if (Holds(position)) items_.erase(items_.begin() + (position - 1));
}

void colCharPic::Clear() {
  for (CharPic& entry : items_) entry = CharPic{};
  items_.clear();
}

}  // namespace fl3
