#include "editor/edit_status.h"

#include <cassert>

#include "editor/caret_display.h"
#include "editor/scroller.h"
#include "editor/viewport.h"

namespace marlinet::editor {

void TSynEditStatus::DecPaintLock() {
    assert(paintLock_ > 0 && "unbalanced DecPaintLock");
    if (paintLock_ == 0) return;
    if (--paintLock_ > 0) return;
    const TSynEditWindow* window = ctx_.View.Window();
    if (window && window->HandleAllocated()) {
        if (flags_.Contains(sfScrollbarChanged)) ctx_.Scroller.UpdateScrollBars();
        if (flags_.Contains(sfCaretChanged)) ctx_.Caret.UpdateCaret();
    }
    Report();
}

void TSynEditStatus::AbandonPaintLock() {
    if (paintLock_ > 0) --paintLock_;
}

void TSynEditStatus::StatusChanged(TSynStatusChanges Changes) {
    changes_ |= Changes;
    if (paintLock_ == 0) Report();
}

void TSynEditStatus::Report() {
    if (changes_.Empty()) return;
    const TSynStatusChanges changes = changes_;
    changes_ = {};
    if (TSynEditWindow* window = ctx_.View.Window()) window->StatusChanged(changes);
    if (ctx_.Events.OnStatusChange) ctx_.Events.OnStatusChange(ctx_.Sender, changes);
}

} // namespace marlinet::editor
