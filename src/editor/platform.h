// What the editor core asks of the platform that shows it: fonts and their
// metrics, a drawing target for one paint, and the window. The Qt front end
// implements all three; the core never includes a toolkit header, and tests
// use a recording fake (tests/editor/fake_window.h).
//
// All calls come from the thread that owns the window. Coordinates are pixels
// in the editor's client area, origin top-left; rectangles are half-open.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "editor/font.h"
#include "editor/types.h"

namespace marlinet::editor {

// --- Fonts --------------------------------------------------------------------------

// One platform font object in one style, measured once when created.
class TSynPlatformFont {
public:
    virtual ~TSynPlatformFont() = default;

    // Width of one character cell: the full width (A + B + C) of "M", or the
    // average character width for fonts that give no such widths, plus the
    // font's overhang.
    virtual int CharAdvance() const = 0;
    // Character height: the absolute height the font was asked for.
    virtual int CharHeight() const = 0;
    // How far the ink of C reaches right of its advance (0 when it does not);
    // bold and italic runs widen their background fill by this much.
    virtual int CharOverhang(char C) const = 0;
    // Width of Text laid out with the font's own advances.
    virtual int TextWidth(std::string_view Text) const = 0;
};

// Creates platform fonts. One engine serves every editor of a process.
class TSynFontEngine {
public:
    virtual ~TSynFontEngine() = default;
    // Never fails: a face the machine lacks resolves to the closest one it has.
    virtual std::unique_ptr<TSynPlatformFont> CreateFont(const TSynLogFont& Font) = 0;
};

// --- Drawing target ------------------------------------------------------------------

// Options of ExtTextOut.
enum TSynTextOutOption : std::uint8_t { etoOpaque, etoClipped };
using TSynTextOutOptions = EnumSet<TSynTextOutOption>;

// A small picture with one colour per pixel, row by row; clNone is
// transparent.
struct TSynBitmap {
    int Width = 0;
    int Height = 0;
    std::vector<TColor> Pixels;
};

// Where one paint draws, with a current font and text colours like a device
// context. Colours may be system colours; the target resolves them.
class TSynCanvas {
public:
    virtual ~TSynCanvas() = default;

    // The part of the window this paint must cover.
    virtual TRect ClipRect() const = 0;

    // The current font and text colours, saved and restored as one state.
    virtual void SaveState() = 0;
    virtual void RestoreState() = 0;
    virtual void SelectFont(const TSynPlatformFont& Font) = 0;
    virtual void SetTextColor(TColor Color) = 0;
    virtual void SetBkColor(TColor Color) = 0;

    // Writes Text with its top-left cell corner at (X, Y). Character i is
    // placed Dx[0] + ... + Dx[i-1] pixels right of X whatever its own advance.
    // With etoOpaque, Rect is first filled with the background colour; with
    // etoClipped the text is clipped to Rect. Rect may be null without options.
    virtual void ExtTextOut(int X, int Y, TSynTextOutOptions Options, const TRect* Rect,
                            std::string_view Text, const int* Dx) = 0;
    virtual void FillRect(const TRect& Rect, TColor Color) = 0;
    // A one-pixel line from (X1, Y1) up to but not including (X2, Y2).
    virtual void Line(int X1, int Y1, int X2, int Y2, TColor Color) = 0;
    // Rows SourceTop .. SourceTop + SourceHeight - 1 of Source, from column
    // SourceLeft, SourceWidth wide, with their top-left corner at (X, Y).
    virtual void DrawBitmap(int X, int Y, const TSynBitmap& Source, int SourceLeft, int SourceTop,
                            int SourceWidth, int SourceHeight) = 0;
};

// --- Clipboard and drag and drop ---------------------------------------------------

// The name the editor's own clipboard format is registered under, beside
// plain text.
inline constexpr const char* kSynEditClipboardFormat = "Editor Control Block Type";

// Text as the clipboard or a drag carries it: plain text, and, when the text
// comes from an editor, the editor's block (EncodeClipboardBlock), which
// keeps the selection mode it was copied in. Text is 8-bit.
struct TSynClipboardData {
    std::string Text;
    bool HasBlock = false;
    std::string Block;
};

// --- Window --------------------------------------------------------------------------

// Vertical scroll bar state. Position runs from Min to Max - Page + 1.
struct TSynScrollInfo {
    bool Visible = true;
    int Min = 0;
    int Max = 1;
    int Page = 1;
    int Position = 0;
    bool UpArrowEnabled = true;
    bool DownArrowEnabled = true;

    bool operator==(const TSynScrollInfo&) const = default;
};

struct TSize {
    int Width = 0;
    int Height = 0;
    bool operator==(const TSize&) const = default;
};

class TSynEditWindow {
public:
    virtual ~TSynEditWindow() = default;

    // The native window exists (repaint requests need somewhere to go).
    virtual bool HandleAllocated() const = 0;
    // The window is shown; hidden windows are not repainted.
    virtual bool Visible() const = 0;
    virtual int ClientWidth() const = 0;
    virtual int ClientHeight() const = 0;

    // Marks a rectangle for repainting. Never paints synchronously: the
    // toolkit paints later, so the editor may request many rectangles within
    // one change.
    virtual void InvalidateRect(const TRect& Rect) = 0;
    // Paints what is marked now, before returning.
    virtual void Update() = 0;
    // Moves the pixels of ScrollRect by (Dx, Dy); only the strip the move
    // uncovers is marked for repainting.
    virtual void ScrollRect(int Dx, int Dy, const TRect& ScrollRect) = 0;

    // Caret, selection, scroll position, insert mode, read-only or modified
    // state changed. Reported once per outermost paint-lock bracket.
    virtual void StatusChanged(TSynStatusChanges Changes) = 0;

    // Fonts for the text drawer; null while the window cannot measure text.
    virtual TSynFontEngine* FontEngine() = 0;

    // One caret per window, existing only while it has the focus. A created
    // caret is hidden until ShowCaret.
    virtual void CreateCaret(int Width, int Height) = 0;
    virtual void DestroyCaret() = 0;
    virtual void SetCaretPos(int X, int Y) = 0;
    virtual void ShowCaret() = 0;
    virtual void HideCaret() = 0;

    virtual void SetVerticalScrollBar(const TSynScrollInfo& Info) = 0;

    // The size of the hint window for Text laid out at most MaxWidth wide.
    virtual TSize HintExtent(const std::string& Text, int MaxWidth) = 0;
    // Shows the hint window over Rect (client coordinates; it may reach
    // outside the client area) with the given background.
    virtual void ShowHint(const std::string& Text, const TRect& Rect, TColor Color) = 0;
    virtual void HideHint() = 0;

    virtual bool Focused() const = 0;
    virtual void SetFocus() = 0;
    virtual void SetMouseCapture(bool Capture) = 0;
    virtual bool MouseCapture() const = 0;
    // A repeating timer; each tick calls TCustomSynEdit::ScrollTimerTick.
    virtual void StartScrollTimer(int IntervalMs) = 0;
    virtual void StopScrollTimer() = 0;

    // The user's lines per wheel notch and the distance a press must move
    // before it becomes a drag.
    virtual int WheelScrollLines() const = 0;
    virtual int DragThreshold() const = 0;

    // Puts Data on the clipboard, replacing what it held; false when the
    // platform refuses.
    virtual bool SetClipboard(const TSynClipboardData& Data) = 0;
    // What the clipboard holds (Text empty when it holds no text); false when
    // the platform refuses.
    virtual bool GetClipboard(TSynClipboardData& Data) = 0;
    // Starts dragging Data and returns when the drag has ended; a drop on an
    // editor has been carried out by then (TCustomSynEdit::DragDrop).
    virtual void StartDrag(const TSynClipboardData& Data) = 0;
};

} // namespace marlinet::editor
