#include "ui/options/OptionsCpuGroup.h"

#include <QButtonGroup>
#include <QRadioButton>

#include "core/CpuSettings.h"

namespace fl3 {

OptionsCpuGroup::OptionsCpuGroup(GameState& state, QWidget* parent)
    : QGroupBox("Computer Players", parent), state_(state) {
  setObjectName("FrameCpu");
  static constexpr const char* kCaptions[3] = {"Easy", "Normal", "Hard"};
  auto* group = new QButtonGroup(this);
  for (int strength = kCpuEasy; strength <= kCpuHard; ++strength) {
    auto* option = new QRadioButton(kCaptions[strength], this);
    option->setObjectName(QString("optionCpu%1").arg(strength));
    option->setGeometry(8, 20 + 24 * strength, kWidth - 16, 21);
    group->addButton(option, strength);
    options_[static_cast<std::size_t>(strength)] = option;
  }
  connect(group, &QButtonGroup::idClicked, this, [this](int strength) { state_.CpuStrength = strength; });
  ShowCurrentValue();
}

void OptionsCpuGroup::ShowCurrentValue() {
  const std::int32_t strength =
      state_.CpuStrength >= kCpuEasy && state_.CpuStrength <= kCpuHard ? state_.CpuStrength : kCpuNormal;
  options_[static_cast<std::size_t>(strength)]->setChecked(true);
}

}  // namespace fl3
