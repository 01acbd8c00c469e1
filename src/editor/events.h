// Event slots of the editor core: an object and one of its member functions
// (support/events.h).
#pragma once

#include "editor/types.h"
#include "support/events.h"

namespace marlinet::editor {

using support::TMethod;
using support::TMethodList;
using support::TNotifyEvent;

} // namespace marlinet::editor
