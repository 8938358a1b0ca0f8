#pragma once

// The program's icon, compiled into quenvox_assets as a Qt resource: QIcon(applicationIconPath).
inline constexpr char applicationIconPath[] = ":/quenvox/icon.svg";
