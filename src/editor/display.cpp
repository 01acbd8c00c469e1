#include "editor/display.h"

#include <algorithm>

#include "editor/caret_display.h"
#include "editor/edit_status.h"
#include "editor/mouse_controller.h"
#include "editor/scroller.h"
#include "editor/viewport.h"

namespace marlinet::editor {

TSynDisplay::TSynDisplay(const TSynDisplayContext& Context) : ctx_(Context) {
    font_.OnChange = TNotifyEvent::Of<&TSynDisplay::FontChanged>(this);
    gutter_.OnChange = TNotifyEvent::Of<&TSynDisplay::GutterChanged>(this);
    selectedColor_.OnChange = TNotifyEvent::Of<&TSynDisplay::SelectedColorsChanged>(this);
    bookMarkOpt_.OnChange = TNotifyEvent::Of<&TSynDisplay::BookMarkOptionsChanged>(this);
    ctx_.Doc.Markers().AddChangeListener(
        TSynMarkerChangeEvent::Of<&TSynDisplay::MarkersChanged>(this));
}

TSynDisplay::~TSynDisplay() {
    UnbindHighlighter();
    ctx_.Doc.Markers().RemoveChangeListener(
        TSynMarkerChangeEvent::Of<&TSynDisplay::MarkersChanged>(this));
}

void TSynDisplay::React(TSynStyleReaction Reaction) {
    switch (Reaction) {
    case TSynStyleReaction::None: break;
    case TSynStyleReaction::Repaint: ctx_.View.Invalidate(); break;
    case TSynStyleReaction::RepaintCaretLine: ctx_.View.InvalidateLine(ctx_.Doc.Caret().Y); break;
    case TSynStyleReaction::RepaintSelection: ctx_.View.InvalidateSelection(); break;
    case TSynStyleReaction::RepaintMarkedMatches:
        if (markedSearch_) ctx_.View.InvalidateLines(-1, -1);
        break;
    case TSynStyleReaction::NewCell: CellChanged(); break;
    case TSynStyleReaction::NewCaret: ctx_.Caret.InitializeCaret(); break;
    case TSynStyleReaction::ScrollBars: ctx_.Scroller.UpdateScrollBars(); break;
    }
}

void TSynDisplay::SelectedColorsChanged(TObject*) {
    ctx_.View.InvalidateSelection();
}

void TSynDisplay::SetMarkedSearch(TSynSearch* Search) {
    if (!Search && !markedSearch_) return;
    markedSearch_ = Search;
    ctx_.View.InvalidateLines(-1, -1);
}

// --- Window, fonts and cell -------------------------------------------------------

void TSynDisplay::SetWindow(TSynEditWindow* Value) {
    if (Value == ctx_.View.Window()) return;
    ctx_.Mouse.StopScrollTimer();
    ctx_.View.StoreWindow(Value);
    CreateTextDrawer();
}

void TSynDisplay::CreateTextDrawer() {
    textDrawer_.reset();
    TSynEditWindow* window = ctx_.View.Window();
    TSynFontEngine* engine = window ? window->FontEngine() : nullptr;
    if (!engine) {
        ctx_.View.StoreCell(0, 0);
        return;
    }
    // Bold is the widest style of most faces: a cell sized for it fits all.
    textDrawer_ = std::make_unique<TheTextDrawer>(*engine, fsBold, &font_);
    RecalcCharExtent();
    GutterChanged(&gutter_);
    SizeOrFontChanged(true);
}

void TSynDisplay::FontChanged(TObject*) {
    if (!textDrawer_) return;
    textDrawer_->SetBaseFont(&font_);
    CellChanged();
}

void TSynDisplay::CellChanged() {
    RecalcCharExtent();
    SizeOrFontChanged(true);
}

void TSynDisplay::RecalcCharExtent() {
    if (!textDrawer_) return;
    // The bold/italic combinations the text is drawn in.
    bool used[4] = {false, false, false, false};
    const TFontStyles boldItalic = fsBold | fsItalic;
    const int attribCount = highlighter_ ? highlighter_->GetAttribCount() : 0;
    for (int i = 0; i < attribCount; ++i)
        used[(highlighter_->GetAttribute(i)->Style() & boldItalic).Bits()] = true;
    if (attribCount == 0) used[(font_.Style() & boldItalic).Bits()] = true;

    int width = 0, height = 0;
    TFontStyles widest = textDrawer_->BaseStyle();
    for (unsigned bits = 0; bits < 4; ++bits) {
        if (!used[bits]) continue;
        const TFontStyles style = TFontStyles::FromBits(bits);
        textDrawer_->SetBaseStyle(style);
        height = std::max(height, textDrawer_->GetCharHeight());
        if (textDrawer_->GetCharWidth() > width) {
            width = textDrawer_->GetCharWidth();
            widest = style;
        }
    }
    // The drawer's cells must be exactly CharWidth wide.
    textDrawer_->SetBaseStyle(widest);
    ctx_.View.StoreCell(width, height + ctx_.Style.ExtraLineSpacing);
}

void TSynDisplay::SizeOrFontChanged(bool FontChanged) {
    if (!ctx_.View.HandleAllocated() || ctx_.View.CharWidth() == 0) return;
    if (FontChanged) {
        if (gutter_.ShowLineNumbers())
            GutterChanged(&gutter_);
        else
            ctx_.Scroller.UpdateScrollBars();
        ctx_.Caret.InitializeCaret();
        ctx_.View.Invalidate();
    } else {
        ctx_.Scroller.UpdateScrollBars();
    }
    ctx_.Scroller.Reclamp();
}

void TSynDisplay::GutterChanged(TObject*) {
    if (gutter_.ShowLineNumbers() && gutter_.AutoSize())
        gutter_.AutoSizeDigitCount(ctx_.Doc.Lines().Count());
    int width = ctx_.View.CharWidth();
    if (gutter_.UseFontStyle() && textDrawer_) {
        textDrawer_->SetBaseFont(&gutter_.Font());
        width = textDrawer_->GetCharWidth();
        textDrawer_->SetBaseFont(&font_); // keeps the base style of the cell
    }
    markerArea_ = MarkerAreaWidth(bookMarkOpt_, ctx_.Doc.Markers());
    const int newWidth = gutter_.RealGutterWidth(width, markerArea_);
    if (newWidth == ctx_.View.GutterWidth())
        ctx_.View.InvalidateGutterLines(-1, -1);
    else
        SetGutterWidth(newWidth);
}

void TSynDisplay::AutoSizeGutter() {
    if (gutter_.ShowLineNumbers() && gutter_.AutoSize())
        gutter_.AutoSizeDigitCount(ctx_.Doc.Lines().Count());
}

void TSynDisplay::SetGutterWidth(int Value) {
    Value = std::max(Value, 0);
    if (Value == ctx_.View.GutterWidth()) return;
    ctx_.View.StoreGutterWidth(Value);
    ctx_.Scroller.UpdateScrollBars();
    ctx_.View.Invalidate();
}

// --- Highlighter ------------------------------------------------------------------------

void TSynDisplay::THighlighterLink::Notification(highlight::TComponent* AComponent,
                                                 highlight::TOperation Operation) {
    if (Operation == highlight::TOperation::opRemove && AComponent == owner_.highlighter_)
        owner_.SetHighlighter(nullptr);
}

void TSynDisplay::UnbindHighlighter() {
    if (!highlighter_) return;
    highlighter_->UnhookAttrChangeEvent(
        TNotifyEvent::Of<&TSynDisplay::HighlighterAttrChanged>(this));
    highlighter_->RemoveFreeNotification(&highlighterLink_);
    highlighter_ = nullptr;
    ctx_.Ranges.SetHighlighter(nullptr);
}

void TSynDisplay::SetHighlighter(highlight::TSynCustomHighlighter* Value) {
    if (Value == highlighter_) return;
    UnbindHighlighter();
    highlighter_ = Value;
    ctx_.Ranges.SetHighlighter(Value);
    if (highlighter_) {
        highlighter_->HookAttrChangeEvent(
            TNotifyEvent::Of<&TSynDisplay::HighlighterAttrChanged>(this));
        highlighter_->FreeNotification(&highlighterLink_);
        HighlighterAttrChanged(highlighter_);
    } else {
        RecalcCharExtent();
        ctx_.View.Invalidate();
        SizeOrFontChanged(true);
    }
}

void TSynDisplay::HighlighterAttrChanged(TObject* Sender) {
    RecalcCharExtent();
    if (Sender && Sender == highlighter_) {
        // The scan may come out differently now: every range is recomputed
        // when it is next needed.
        TStringsUpdate update(ctx_.Doc.Lines());
        ctx_.Ranges.InvalidateAll();
    } else {
        ctx_.View.Invalidate();
    }
    SizeOrFontChanged(true);
}

bool TSynDisplay::GetHighlighterAttriAtRowColEx(const TBufferCoord& XY, std::string& Token,
                                                int& TokenType, int& Start,
                                                highlight::TSynHighlighterAttributes*& Attri) {
    const TSynEditStringList& lines = ctx_.Doc.Lines();
    const int line = XY.Y - 1;
    if (!highlighter_ || line < 0 || line >= lines.Count() || XY.X < 1) return false;
    if (line == 0) {
        highlighter_->ResetRange();
    } else {
        ctx_.Ranges.MakeCurrent(line - 1);
        highlighter_->SetRange(lines.StoredRange(line - 1));
    }
    highlighter_->SetLine(lines.GetRef(line), line);
    for (; !highlighter_->GetEol(); highlighter_->Next()) {
        const int start = highlighter_->GetTokenPos() + 1;
        Token = highlighter_->GetToken();
        if (XY.X < start || XY.X >= start + static_cast<int>(Token.size())) continue;
        TokenType = highlighter_->GetTokenKind();
        Start = start;
        Attri = highlighter_->GetTokenAttribute();
        return true;
    }
    Token.clear();
    Attri = nullptr;
    return false;
}

// --- Markers ------------------------------------------------------------------------------

void TSynDisplay::MarkersChanged(TObject*, TSynMarkerKinds, int FirstLine, int LastLine) {
    if (MarkerAreaWidth(bookMarkOpt_, ctx_.Doc.Markers()) != markerArea_)
        GutterChanged(&gutter_);
    else
        ctx_.View.InvalidateGutterLines(FirstLine, LastLine);
}

// --- Paint ---------------------------------------------------------------------------

void TSynDisplay::Paint(TSynCanvas& ACanvas) {
    const TRect clip = ACanvas.ClipRect();
    if (clip.IsEmpty()) return;
    if (!textDrawer_ || ctx_.View.CharWidth() <= 0 || ctx_.View.LineHeight() <= 0) {
        ACanvas.FillRect(clip, ctx_.Style.Color);
        return;
    }
    PaintRows(ACanvas, clip);
}

void TSynDisplay::PaintRows(TSynCanvas& ACanvas, const TRect& clip) {
    const TSynViewport& view = ctx_.View;
    const int charWidth = view.CharWidth(), lineHeight = view.LineHeight();
    const int gutterWidth = view.GutterWidth(), leftChar = view.LeftChar();
    const int topLine = view.TopLine();
    const int marginRight = gutterWidth + kSynGutterMargin;
    int firstCol = leftChar;
    if (clip.Left > marginRight) firstCol = (clip.Left - marginRight) / charWidth + leftChar;
    // The column holding the clip's last pixel (leftChar - 1 when the clip
    // ends in the margin), so no hidden cell is written.
    const int lastCol = (clip.Right + charWidth - marginRight - 1) / charWidth + leftChar - 1;
    // The rows holding the clip's first and last pixels; an empty text still
    // shows row 1.
    const int firstRow = std::max(clip.Top / lineHeight + topLine, topLine);
    const int lastRow =
        std::clamp((clip.Bottom - 1) / lineHeight + topLine, 1, ctx_.Doc.RowCount());
    // Each painted row starts in the range its previous line ends in.
    ctx_.Ranges.MakeCurrent(lastRow - 2);

    ctx_.Caret.HideCaret();
    struct CaretRestorer {
        TSynCaretDisplay& caret;
        ~CaretRestorer() { caret.UpdateCaret(); }
    } restorer{ctx_.Caret};
    textDrawer_->BeginDrawing(ACanvas);
    struct DrawingEnder {
        TheTextDrawer& drawer;
        ~DrawingEnder() { drawer.EndDrawing(); }
    } ender{*textDrawer_};

    const TSynViewSource source{ctx_.Doc,      view,           ctx_.Style,   font_,
                                gutter_,       selectedColor_, bookMarkOpt_, highlighter_,
                                markedSearch_, ctx_.Events,    ctx_.Sender};
    TSynEditView painter(source, *textDrawer_, ACanvas, paintBuffers_);
    if (clip.Left < gutterWidth)
        painter.PaintGutter({clip.Left, clip.Top, gutterWidth, clip.Bottom}, firstRow, lastRow);
    if (clip.Right > gutterWidth)
        painter.PaintTextLines(
            {std::max(clip.Left, gutterWidth), clip.Top, clip.Right, clip.Bottom}, firstRow,
            lastRow, firstCol, lastCol);
    // Still inside the drawing: the owner's painting comes on top.
    if (ctx_.Events.OnPaint) ctx_.Events.OnPaint(ctx_.Sender, ACanvas);
}

} // namespace marlinet::editor
