#pragma once
#include <QIcon>

namespace oxi {

// The application's icon: a pulse trace over a red-to-blue bar on a dark tile, in every
// size the build renders.
QIcon AppIcon();

}  // namespace oxi
