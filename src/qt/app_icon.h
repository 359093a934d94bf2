#pragma once
#include <QIcon>

namespace oxi {

// The application's icon, painted here: a pulse trace over a red-to-blue bar.
QIcon AppIcon();

}  // namespace oxi
