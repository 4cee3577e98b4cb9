#pragma once
#include <cstdint>
#include <optional>

class QPushButton;
class QString;

namespace fl3 {

// What a controller button offers. NET, a player on another machine, exists
// only in the network kinds; its figure plays like a MAN figure.
enum class SeatChoice { Off, Man, Cpu, Net };

// The choice a caption stands for; nothing for a caption outside the cycle
// MAN -> CPU (-> NET) -> OFF.
std::optional<SeatChoice> SeatOfCaption(const QString& caption);
SeatChoice NextSeat(SeatChoice seat, bool network);
// The control mode the figure plays with.
std::int32_t ContOfSeat(SeatChoice seat);
SeatChoice SeatOfCont(std::int32_t cont);

// Caption and colour of a controller button.
void ShowSeat(QPushButton& button, SeatChoice seat);

}  // namespace fl3
