// TSynScroller: the top line and the first column, keeping the caret in
// view, the vertical scroll bar and its hint.
#pragma once

#include "editor/document.h"
#include "editor/edit_settings.h"
#include "editor/style.h"

namespace marlinet::editor {

class TSynViewport;
class TSynCaretDisplay;
class TSynEditStatus;

struct TSynScrollerContext {
    const TSynDocument& Doc;
    TSynViewport& View;
    TSynCaretDisplay& Caret;
    TSynEditStatus& Status;
    const TSynEditSettings& Settings;
    const TSynEditStyle& Style;
    const TSynEditEvents& Events;
    TObject* Sender;
};

class TSynScroller {
public:
    explicit TSynScroller(const TSynScrollerContext& Context) : ctx_(Context) {}
    TSynScroller(const TSynScroller&) = delete;
    TSynScroller& operator=(const TSynScroller&) = delete;

    // Clamped to the text; scrolls the pixels on screen when the distance is
    // below a window height.
    void SetTopLine(int Value);
    void SetLeftChar(int Value);
    void EnsureCursorPosVisible() { EnsureCursorPosVisibleEx(false); }
    // Centred: puts the caret line near the middle of the window.
    void EnsureCursorPosVisibleEx(bool ForceToMiddle);
    // Brings 1-based line Line (clamped to the text) into view without
    // touching the caret.
    void ShowLineCentred(int Line);
    void UpdateScrollBars();
    void WMVScroll(TSynScrollCode Code, int Pos);
    // Top line and first column clamped again after the text, the window or
    // the cell changed.
    void Reclamp();

private:
    void DoScrollHint(int TopLineValue);

    TSynScrollerContext ctx_;
};

} // namespace marlinet::editor
