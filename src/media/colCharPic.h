#pragma once
#include <vector>

#include "media/CharPic.h"

namespace fl3 {

// A figure's walking pictures for one match: one CharPic per animation step,
// positions counted from 1.
class colCharPic {
 public:
  CharPic& Add(TexturePtr picLeft, TexturePtr picUp, TexturePtr picRight, TexturePtr picDown);
  // Null for a position that holds nothing.
  const CharPic* Item(int position) const;
  int Count() const { return static_cast<int>(items_.size()); }
  // A position that holds nothing is left alone.
  void Remove(int position);
  // Empties every entry's pictures, then the collection.
  void Clear();

  std::vector<CharPic>::const_iterator begin() const { return items_.begin(); }
  std::vector<CharPic>::const_iterator end() const { return items_.end(); }

 private:
  bool Holds(int position) const { return position >= 1 && position <= Count(); }

  std::vector<CharPic> items_;
};

}  // namespace fl3
