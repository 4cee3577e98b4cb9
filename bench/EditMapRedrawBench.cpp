// One redraw of the editor's canvas, as every mouse movement over it makes:
// the drawing list for all 375 cells and the pointer, drawn through the
// sprite renderer into the 400 x 240 back buffer.
#include <benchmark/benchmark.h>

#include <array>

#include "core/GameState.h"
#include "core/Messages.h"
#include "editor/model/CanvasCell.h"
#include "editor/model/EditMapDrawing.h"
#include "editor/model/EditorModel.h"
#include "media/SpriteRenderer.h"
#include "media/Texture.h"

namespace {

class SilentMessages : public fl3::Messages {
 public:
  fl3::MessageAnswer Show(const std::string&, const std::string&, fl3::MessageIcon, fl3::MessageButtons) override {
    return fl3::MessageAnswer::Ok;
  }
};

// Pictures with a white frame, so colour keying has work to do.
std::array<fl3::TexturePtr, fl3::kEditPictureCount> MakePictures() {
  std::array<fl3::TexturePtr, fl3::kEditPictureCount> pictures;
  for (int i = 0; i < fl3::kEditPictureCount; ++i) {
    const int size = i == fl3::EditPointer ? 24 : 16;
    QImage image(size, size, QImage::Format_RGB32);
    image.fill(Qt::white);
    for (int y = 2; y < size - 2; ++y) {
      for (int x = 2; x < size - 2; ++x) image.setPixel(x, y, qRgb(20 * i, 255 - 20 * i, 90));
    }
    pictures[static_cast<std::size_t>(i)] = fl3::TextureFromImage(image, 0, 0, fl3::kEditPictureColourKey);
  }
  return pictures;
}

void BM_EditMapRedraw(benchmark::State& run) {
  fl3::GameState state;
  SilentMessages messages;
  fl3::EditorModel editor(state, messages, [](bool) {});
  // A busy level: every code the editor writes, boxes with items shown.
  for (int i = 0; i < fl3::CellCount; ++i) {
    state.TileMap[static_cast<std::size_t>(i)] = i % 8 - 1;
    state.ItemMap[static_cast<std::size_t>(i)] = i % 5 - 1;
  }
  editor.RevealAllItems = true;
  editor.MouseX = 200;
  editor.MouseY = 120;
  const auto pictures = MakePictures();
  fl3::SpriteRenderer renderer(fl3::kCanvasWidth, fl3::kCanvasHeight);
  for (auto _ : run) {
    renderer.Clear(fl3::kEditMapClearColour);
    for (const fl3::EditSprite& sprite : fl3::EditMapSprites(editor)) {
      const auto size = static_cast<float>(sprite.size);
      renderer.DrawSprite(pictures[static_cast<std::size_t>(sprite.picture)].get(), static_cast<float>(sprite.x),
                          static_cast<float>(sprite.y), size, size, 0, 0, 1, 1, fl3::kEditSpriteTint);
    }
    benchmark::DoNotOptimize(renderer.BackBuffer().constBits());
  }
}
BENCHMARK(BM_EditMapRedraw)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
