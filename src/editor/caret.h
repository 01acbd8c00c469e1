// TSynCaret: the caret and selection setters. The document applies its rule
// (clamp, store, report what changed); this unit then repaints what the
// change needs, places the caret on screen and reports the status change.
#pragma once

#include "editor/document.h"
#include "editor/edit_settings.h"
#include "editor/style.h"

namespace marlinet::editor {

class TSynViewport;
class TSynCaretDisplay;
class TSynEditStatus;

struct TSynCaretContext {
    TSynDocument& Doc;
    TSynViewport& View;
    TSynCaretDisplay& Display;
    TSynEditStatus& Status;
    const TSynEditSettings& Settings;
    const TSynEditStyle& Style;
};

class TSynCaret {
public:
    explicit TSynCaret(const TSynCaretContext& Context) : ctx_(Context) {}
    TSynCaret(const TSynCaret&) = delete;
    TSynCaret& operator=(const TSynCaret&) = delete;

    TBufferCoord CaretXY() const { return ctx_.Doc.Caret(); }
    // Clamps Y to 1..line count (1 without lines) and X to 1..MaxScrollWidth
    // + 1 (to the line end + 1 unless the caret may go past it); reports
    // scCaretX / scCaretY for what changed, updates LastCaretX and places
    // the caret.
    void SetCaretXY(const TBufferCoord& Value);
    // The caret again, clamped to the present limits.
    void Reclamp() { SetCaretXY(CaretXY()); }
    void SetBlockBegin(const TBufferCoord& Value);
    void SetBlockEnd(const TBufferCoord& Value);
    void SetSelectionMode(TSynSelectionMode Value);
    void SetActiveSelectionMode(TSynSelectionMode Value);
    // Caret to the index; both block ends to the caret.
    void SetSelStart(int Value);
    // Second end at (index of BlockBegin) + Value, backwards for a negative
    // Value (never before the start of the text); caret to that end.
    void SetSelLength(int Value);
    // Caret to P; the selection collapses there, keeping the active mode.
    void CollapseAt(const TBufferCoord& P);
    // Selects From..To in Mode, caret at Caret.
    void Select(TSynSelectionMode Mode, const TBufferCoord& From, const TBufferCoord& To,
                const TBufferCoord& Caret);

private:
    void Apply(const TSynSelectionChange& Change);

    TSynCaretContext ctx_;
};

} // namespace marlinet::editor
