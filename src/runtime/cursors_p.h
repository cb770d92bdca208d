#pragma once
// The cursors and icons the windows carry, loaded once from the built-in resources.

#include "runtime/types.h"

#include <QCursor>
#include <QIcon>

namespace rt {

QCursor cursorFor(Pointer p);
QIcon iconFor(Icon i);

}  // namespace rt
