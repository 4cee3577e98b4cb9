#pragma once
#include <cstdint>
#include <optional>

class QPushButton;
class QString;

namespace fl3 {

// The controller a caption stands for; nothing for a caption outside the
// cycle MAN -> CPU -> OFF.
std::optional<std::int32_t> ControllerOfCaption(const QString& caption);
std::int32_t NextController(std::int32_t cont);

// Caption and colour of a controller button for a control mode.
void ShowController(QPushButton& button, std::int32_t cont);

}  // namespace fl3
