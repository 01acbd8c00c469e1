// TSynDisplay: how the editor looks and what it paints with — the window's
// font engine and the text drawer, the cell size, the gutter and its width,
// the selection and bookmark looks, the display style's setter with the
// reaction each field needs, the bound highlighter, the search whose matches
// are marked — and the paint entry point.
#pragma once

#include <memory>
#include <string>

#include "editor/document.h"
#include "editor/edit_settings.h"
#include "editor/gutter.h"
#include "editor/highlighter_ranges.h"
#include "editor/style.h"
#include "editor/text_drawer.h"
#include "editor/view.h"
#include "highlight/component.h"
#include "highlight/custom_highlighter.h"

namespace marlinet::editor {

class TSynViewport;
class TSynCaretDisplay;
class TSynEditStatus;
class TSynScroller;
class TSynMouseController;

struct TSynDisplayContext {
    TSynDocument& Doc;
    TSynViewport& View;
    TSynCaretDisplay& Caret;
    TSynEditStatus& Status;
    TSynScroller& Scroller;
    TSynHighlighterRanges& Ranges;
    TSynMouseController& Mouse;
    const TSynEditSettings& Settings;
    TSynEditStyle& Style;
    const TSynEditEvents& Events;
    TObject* Sender;
};

// What a change of a display setting needs.
enum class TSynStyleReaction : std::uint8_t {
    None,
    Repaint,
    RepaintCaretLine,
    RepaintSelection,
    RepaintMarkedMatches,
    NewCell,
    NewCaret,
    ScrollBars
};

class TSynDisplay {
public:
    explicit TSynDisplay(const TSynDisplayContext& Context);
    ~TSynDisplay();
    TSynDisplay(const TSynDisplay&) = delete;
    TSynDisplay& operator=(const TSynDisplay&) = delete;

    // Attaching a window that can measure fonts creates the text drawer and
    // computes the cell; detaching it forgets the cell.
    void SetWindow(TSynEditWindow* Value);
    void CreateTextDrawer();

    TFont& Font() { return font_; }
    const TFont& Font() const { return font_; }
    TSynGutter& Gutter() { return gutter_; }
    const TSynGutter& Gutter() const { return gutter_; }
    TSynSelectedColor& SelectedColor() { return selectedColor_; }
    const TSynSelectedColor& SelectedColor() const { return selectedColor_; }
    TSynBookMarkOpt& BookMarkOptions() { return bookMarkOpt_; }
    const TSynBookMarkOpt& BookMarkOptions() const { return bookMarkOpt_; }

    // The one setter of the display settings: stores a changed value and
    // runs the reaction that field needs.
    template <class V>
    void SetStyle(V TSynEditStyle::*Field, V Value,
                  TSynStyleReaction Reaction = TSynStyleReaction::None) {
        if (ctx_.Style.*Field == Value) return;
        ctx_.Style.*Field = Value;
        React(Reaction);
    }

    TSynSearch* MarkedSearch() const { return markedSearch_; }
    void SetMarkedSearch(TSynSearch* Search);

    highlight::TSynCustomHighlighter* Highlighter() const { return highlighter_; }
    void SetHighlighter(highlight::TSynCustomHighlighter* Value);
    // The highlighter's listener: recomputes the cell, makes every range
    // out of date when the sender is the highlighter (else repaints) and
    // relays out.
    void HighlighterAttrChanged(TObject* Sender);
    bool GetHighlighterAttriAtRowCol(const TBufferCoord& XY, std::string& Token,
                                     highlight::TSynHighlighterAttributes*& Attri) {
        int kind = 0, start = 0;
        return GetHighlighterAttriAtRowColEx(XY, Token, kind, start, Attri);
    }
    bool GetHighlighterAttriAtRowColEx(const TBufferCoord& XY, std::string& Token, int& TokenType,
                                       int& Start, highlight::TSynHighlighterAttributes*& Attri);

    void RecalcCharExtent();
    // The client size or the font changed.
    void SizeOrFontChanged(bool FontChanged);
    void GutterChanged(TObject* Sender);
    // The gutter's glyphs may need another width after the text changed.
    void AutoSizeGutter();

    void Paint(TSynCanvas& ACanvas);
    void React(TSynStyleReaction Reaction);
    void SetGutterWidth(int Value);

private:
    // Hears of the highlighter's destruction (the component protocol).
    class THighlighterLink : public highlight::TComponent {
    public:
        explicit THighlighterLink(TSynDisplay& Owner)
            : highlight::TComponent(nullptr), owner_(Owner) {}

    protected:
        void Notification(highlight::TComponent* AComponent,
                          highlight::TOperation Operation) override;

    private:
        TSynDisplay& owner_;
    };

    void FontChanged(TObject* Sender);
    // The cell size may have changed (font, styles or line spacing).
    void CellChanged();
    void SelectedColorsChanged(TObject*);
    void BookMarkOptionsChanged(TObject*) { GutterChanged(&gutter_); }
    void UnbindHighlighter();
    // Repaints the gutter rows of the lines whose markers changed, or lays
    // the gutter out again when its glyphs need another width.
    void MarkersChanged(TObject* Sender, TSynMarkerKinds Kinds, int FirstLine, int LastLine);
    void PaintRows(TSynCanvas& ACanvas, const TRect& Clip);

    TSynDisplayContext ctx_;
    TFont font_{"Courier New", 13, clWindowText, fpFixed};
    TSynGutter gutter_;
    TSynSelectedColor selectedColor_;
    TSynBookMarkOpt bookMarkOpt_;
    int markerArea_ = 0; // pixels the gutter keeps for marker glyphs
    TSynSearch* markedSearch_ = nullptr;
    highlight::TSynCustomHighlighter* highlighter_ = nullptr;
    THighlighterLink highlighterLink_{*this};
    std::unique_ptr<TheTextDrawer> textDrawer_;
    TSynPaintBuffers paintBuffers_;
};

} // namespace marlinet::editor
