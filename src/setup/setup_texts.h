#pragma once

namespace quorvel {

// Shown after OK when a main-menu switch changed: the host builds its main menu only at start.
inline constexpr char kMainMenuNotice[] = "メインメニューの設定は次回の起動から有効になります。";

}  // namespace quorvel
