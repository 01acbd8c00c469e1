// The caret on screen: its shape (insert or overwrite caret of the style),
// its place in pixels, shown only inside the text area of a focused window.
// While a paint lock is held a move only marks the caret as due
// (sfCaretChanged); the lock's release places it.
#pragma once

#include "editor/document.h"
#include "editor/edit_settings.h"
#include "editor/style.h"

namespace marlinet::editor {

class TSynViewport;
class TSynEditStatus;

struct TSynCaretDisplayContext {
    const TSynDocument& Doc;
    TSynViewport& View;
    const TSynEditStyle& Style;
    const TSynEditSettings& Settings;
    TSynEditStatus& Status;
};

class TSynCaretDisplay {
public:
    explicit TSynCaretDisplay(const TSynCaretDisplayContext& Context) : ctx_(Context) {}
    TSynCaretDisplay(const TSynCaretDisplay&) = delete;
    TSynCaretDisplay& operator=(const TSynCaretDisplay&) = delete;

    // Creates the caret in the shape of the mode (focused window only).
    void InitializeCaret();
    void UpdateCaret();
    void HideCaret();
    void ShowCaret();
    // The caret appears, or goes with the focus; a selection hidden without
    // the focus repaints.
    void FocusIn();
    void FocusOut();

private:
    void RepaintHiddenSelection();

    TSynCaretDisplayContext ctx_;
    TPoint caretOffset_;
};

} // namespace marlinet::editor
