// Construction: the units are built and wired as members (custom_synedit.h);
// what is left is what needs them all in place.
#include "editor/custom_synedit.h"

namespace marlinet::editor {

TCustomSynEdit::TCustomSynEdit(TSynEditWindow* Window) : view_(Window, doc_, status_) {
    doc_.Lines().SetTabWidth(TSynEditStringList::kDefaultTabWidth);
    display_.CreateTextDrawer();
    // SetDefaultKeystrokes is virtual, but a constructor only reaches this
    // class's version; derived editors with other defaults call theirs again.
    TCustomSynEdit::SetDefaultKeystrokes();
}

TCustomSynEdit::~TCustomSynEdit() {
    mouse_.StopScrollTimer();
}

} // namespace marlinet::editor
