// The drawing side of TCustomSynEdit: repaint requests, the gutter and the
// text lines. Painting covers every pixel of the clip rectangle, so the
// window never erases its background separately.
#include <algorithm>
#include <climits>
#include <string>
#include <string_view>

#include "editor/custom_synedit.h"

namespace marlinet::editor {

namespace {

bool IsBlanks(std::string_view Text) {
    return std::all_of(Text.begin(), Text.end(), [](char c) { return c == ' ' || c == '\t'; });
}

} // namespace

// What one PaintTextLines call keeps between lines and tokens.
struct TCustomSynEdit::TPaintContext {
    TPaintContext(TSynCanvas& ACanvas, TheTextDrawer& ADrawer, const TRect& AClip)
        : Canvas(ACanvas), Drawer(ADrawer), Clip(AClip) {}

    TSynCanvas& Canvas;
    TheTextDrawer& Drawer;
    TRect Clip;
    int FirstCol = 1;
    int LastCol = 1;
    TColor DefaultBackground = clNone;

    // The selection, ordered, in display columns.
    bool HasSelection = false;
    TDisplayCoord SelFirst;
    TDisplayCoord SelLast;

    // The line being painted.
    int RowTop = 0;
    TColor LineForeground = clNone;
    TColor LineBackground = clNone;
    TColor SelForeground = clNone;
    TColor SelBackground = clNone;
    bool SpecialLine = false;
    int LineSelStart = 0; // selected display columns [LineSelStart, LineSelEnd)
    int LineSelEnd = 0;
    bool WhollySelected = false;

    // The run of tokens waiting to be written.
    std::string RunText;
    int RunColumn = 0;
    TFontStyles RunStyle;
    TColor RunForeground = clNone;
    TColor RunBackground = clNone;
};

bool TCustomSynEdit::WindowShowing() const {
    return window_ && window_->HandleAllocated() && window_->Visible();
}

void TCustomSynEdit::InvalidateClientRect(const TRect& Rect) {
    if (Rect.IsEmpty()) return;
    if (stateFlags_.Contains(sfLinesChanging))
        invalidRect_ = UnionRect(invalidRect_, Rect);
    else
        window_->InvalidateRect(Rect);
}

void TCustomSynEdit::Invalidate() {
    if (!WindowShowing()) return;
    InvalidateClientRect({0, 0, window_->ClientWidth(), window_->ClientHeight()});
}

void TCustomSynEdit::InvalidateRows(int FirstLine, int LastLine, int Left, int Right) {
    if (!WindowShowing()) return;
    if (FirstLine == -1 && LastLine == -1) {
        InvalidateClientRect({Left, 0, Right, window_->ClientHeight()});
        return;
    }
    FirstLine = std::max(FirstLine, 1);
    LastLine = std::max(LastLine, 1);
    if (LastLine < FirstLine) std::swap(FirstLine, LastLine);
    // A change at or past the last line also clears the rows below the text.
    const int lastVisible = topLine_ + LinesInWindow();
    if (LastLine >= lines_.Count()) LastLine = std::max(LastLine, lastVisible);
    FirstLine = std::max(FirstLine, topLine_);
    LastLine = std::min(LastLine, lastVisible);
    if (FirstLine > LastLine) return;
    InvalidateClientRect({Left, (FirstLine - topLine_) * lineHeight_, Right,
                          (LastLine - topLine_ + 1) * lineHeight_});
}

void TCustomSynEdit::InvalidateLines(int FirstLine, int LastLine) {
    if (!WindowShowing()) return;
    InvalidateRows(FirstLine, LastLine, gutterWidth_, window_->ClientWidth());
}

void TCustomSynEdit::InvalidateGutterLines(int FirstLine, int LastLine) {
    InvalidateRows(FirstLine, LastLine, 0, gutterWidth_);
}

void TCustomSynEdit::InvalidateSelection() {
    InvalidateLines(std::min(blockBegin_.Y, blockEnd_.Y), std::max(blockBegin_.Y, blockEnd_.Y));
}

void TCustomSynEdit::InvalidateLine(int Line) {
    if (Line < 1 || !WindowShowing()) return;
    InvalidateLines(Line, Line);
}

// --- Paint ---------------------------------------------------------------------------

void TCustomSynEdit::Paint(TSynCanvas& ACanvas) {
    const TRect clip = ACanvas.ClipRect();
    if (clip.IsEmpty()) return;
    if (!textDrawer_ || charWidth_ <= 0 || lineHeight_ <= 0) {
        ACanvas.FillRect(clip, color_);
        return;
    }
    const int marginRight = gutterWidth_ + 2;
    int firstCol = leftChar_;
    if (clip.Left > marginRight) firstCol = (clip.Left - marginRight) / charWidth_ + leftChar_;
    const int lastCol = (clip.Right + charWidth_ - gutterWidth_ - 3) / charWidth_ + leftChar_;
    // The rows holding the clip's first and last pixels; an empty text still
    // shows row 1.
    const int rowCount = std::max(lines_.Count(), 1);
    const int firstRow = std::max(clip.Top / lineHeight_ + topLine_, topLine_);
    const int lastRow = std::clamp((clip.Bottom - 1) / lineHeight_ + topLine_, 1, rowCount);

    HideCaret();
    struct CaretRestorer {
        TCustomSynEdit& edit;
        ~CaretRestorer() { edit.UpdateCaret(); }
    } restorer{*this};
    textDrawer_->BeginDrawing(ACanvas);
    struct DrawingEnder {
        TheTextDrawer& drawer;
        ~DrawingEnder() { drawer.EndDrawing(); }
    } ender{*textDrawer_};

    if (clip.Left < gutterWidth_)
        PaintGutter(ACanvas, {clip.Left, clip.Top, gutterWidth_, clip.Bottom}, firstRow, lastRow);
    if (clip.Right > gutterWidth_)
        PaintTextLines(ACanvas,
                       {std::max(clip.Left, gutterWidth_), clip.Top, clip.Right, clip.Bottom},
                       firstRow, lastRow, firstCol, lastCol);
    if (OnPaint) OnPaint(this, ACanvas);
}

// --- Gutter ----------------------------------------------------------------------------

void TCustomSynEdit::PaintGutter(TSynCanvas& ACanvas, const TRect& AClip, int FirstRow,
                                 int LastRow) {
    TheTextDrawer& drawer = *textDrawer_;
    const int rowCount = std::max(lines_.Count(), 1);
    if (gutter_.Gradient()) {
        // Vertical bands from the start to the end colour, left to right.
        const int steps = gutter_.GradientSteps();
        const TColor a = gutter_.GradientStartColor(), b = gutter_.GradientEndColor();
        for (int i = 0; i < steps; ++i) {
            const int left = gutterWidth_ * i / steps, right = gutterWidth_ * (i + 1) / steps;
            auto mix = [&](int shift) {
                const int ca = (a >> shift) & 0xFF, cb = (b >> shift) & 0xFF;
                return static_cast<std::uint8_t>(ca + (cb - ca) * i / std::max(steps - 1, 1));
            };
            const TColor band =
                IsSystemColor(a) || IsSystemColor(b) ? a : RGB(mix(0), mix(8), mix(16));
            ACanvas.FillRect(
                {std::max(left, AClip.Left), AClip.Top, std::min(right, AClip.Right), AClip.Bottom},
                band);
        }
    }
    if (gutter_.ShowLineNumbers()) {
        if (gutter_.UseFontStyle()) drawer.SetBaseFont(&gutter_.Font());
        drawer.SetStyle(gutter_.UseFontStyle() ? gutter_.Font().Style() : font_.Style());
        drawer.SetForeColor(gutter_.Font().Color());
        drawer.SetBackColor(gutter_.Color());
        int rowTop = (FirstRow - topLine_) * lineHeight_;
        for (int row = FirstRow; row <= LastRow && row <= rowCount; ++row, rowTop += lineHeight_) {
            std::string text = gutter_.FormatLineNumber(row);
            if (OnGutterGetText) OnGutterGetText(this, row, text);
            const TRect rc{AClip.Left, rowTop, std::max(AClip.Right, gutterWidth_ - 2),
                           rowTop + lineHeight_};
            const int width = static_cast<int>(text.size()) * drawer.GetCharWidth();
            const int x = gutterWidth_ - gutter_.RightOffset() - width - 2;
            const int y = rowTop + (lineHeight_ - drawer.GetCharHeight()) / 2;
            if (gutter_.Gradient()) {
                drawer.ExtTextOut(x, y, {etoClipped}, rc, text);
            } else {
                drawer.ExtTextOut(x, y, {etoOpaque, etoClipped}, rc, text);
            }
        }
        if (!gutter_.Gradient() && rowTop < AClip.Bottom)
            ACanvas.FillRect({AClip.Left, rowTop, AClip.Right, AClip.Bottom}, gutter_.Color());
        if (gutter_.UseFontStyle()) drawer.SetBaseFont(&font_);
    } else if (!gutter_.Gradient()) {
        ACanvas.FillRect(AClip, gutter_.Color());
    }

    const int borderX = gutterWidth_ - 2;
    if (gutter_.BorderStyle() != gbsNone && AClip.Left <= borderX && AClip.Right > borderX) {
        if (gutter_.BorderStyle() == gbsMiddle) {
            ACanvas.Line(borderX, AClip.Top, borderX, AClip.Bottom, gutter_.BorderColor());
            ACanvas.Line(borderX + 1, AClip.Top, borderX + 1, AClip.Bottom, gutter_.Color());
        } else {
            ACanvas.Line(borderX + 1, AClip.Top, borderX + 1, AClip.Bottom, gutter_.BorderColor());
        }
    }
    PaintGutterMarks(ACanvas, FirstRow, LastRow);
    if (OnGutterPaint) {
        for (int row = FirstRow; row <= LastRow && row <= rowCount; ++row)
            OnGutterPaint(this, row, 0, (row - topLine_) * lineHeight_);
    }
}

void TCustomSynEdit::PaintGutterMarks(TSynCanvas& ACanvas, int FirstRow, int LastRow) {
    if (!bookMarkOpt_.GlyphsVisible() || marks_.empty()) return;
    const TSynBitmap& strip = EditorInternalImages();
    const int glyphWidth = strip.Width / kInternalImageCount;
    const bool builtIn = bookMarkOpt_.BookmarkImages() == nullptr;
    // Per row, how far the marks drawn so far have moved right.
    std::vector<int> offsets(static_cast<std::size_t>(LastRow - FirstRow + 1), 0);
    for (const bool bookmarkPass :
         {bookMarkOpt_.DrawBookmarksFirst(), !bookMarkOpt_.DrawBookmarksFirst()}) {
        for (const TSynEditMark& mark : marks_) {
            if (!mark.Visible || mark.IsBookmark() != bookmarkPass) continue;
            if (mark.Line < FirstRow || mark.Line > LastRow) continue;
            int& offset = offsets[static_cast<std::size_t>(mark.Line - FirstRow)];
            const int rowTop = (mark.Line - topLine_) * lineHeight_;
            if (builtIn) {
                // Only the first mark of a row shows its glyph.
                if (offset == 0 && mark.ImageIndex >= 0 && mark.ImageIndex < kInternalImageCount) {
                    int top = 0, height = strip.Height,
                        y = rowTop + (lineHeight_ - strip.Height) / 2;
                    if (strip.Height > lineHeight_) {
                        top = (strip.Height - lineHeight_) / 2;
                        height = lineHeight_;
                        y = rowTop;
                    }
                    ACanvas.DrawBitmap(bookMarkOpt_.LeftMargin(), y, strip,
                                       mark.ImageIndex * glyphWidth, top, glyphWidth, height);
                }
            }
            // An image list of the front end's is its own to draw (OnGutterPaint).
            offset += bookMarkOpt_.Xoffset();
        }
    }
}

// --- Text lines ---------------------------------------------------------------------

namespace {

// Writes [Column, Column + Text.size()) of a row in cells, tab cells as
// blanks, in up to three pieces split at the selected columns.
struct RunWriter {
    TheTextDrawer& drawer;
    int textOffset;
    int charWidth;
    int rowTop;
    int lineHeight;

    void Piece(int Column, std::string_view Text, TFontStyles Style, TColor Fg, TColor Bg,
               bool Last) const {
        if (Text.empty()) return;
        std::string cells(Text);
        std::replace(cells.begin(), cells.end(), '\t', ' ');
        drawer.SetStyle(Style);
        drawer.SetForeColor(Fg);
        drawer.SetBackColor(Bg);
        const int x = (Column - 1) * charWidth + textOffset;
        TRect rc{x, rowTop, x + static_cast<int>(cells.size()) * charWidth, rowTop + lineHeight};
        // Slanted and heavy glyphs may reach past their cell: widen the fill
        // so that the last one is not cut.
        if (Last && (Style.Contains(fsBold) || Style.Contains(fsItalic)))
            rc.Right += std::max(drawer.CharOverhang(cells.back()), 0);
        drawer.ExtTextOut(x, rowTop, {etoOpaque, etoClipped}, rc, cells);
    }
};

} // namespace

void TCustomSynEdit::PaintTextLines(TSynCanvas& ACanvas, const TRect& AClip, int FirstRow,
                                    int LastRow, int FirstCol, int LastCol) {
    TPaintContext ctx(ACanvas, *textDrawer_, AClip);
    ctx.FirstCol = FirstCol;
    ctx.LastCol = LastCol;
    ctx.DefaultBackground = color_;
    if (highlighter_) {
        const auto* space = highlighter_->GetDefaultAttribute(highlight::SYN_ATTR_WHITESPACE);
        if (space && space->Background() != clNone) ctx.DefaultBackground = space->Background();
    }

    const int marginRight = gutterWidth_ + 2;
    if (AClip.Left < marginRight)
        ACanvas.FillRect({AClip.Left, AClip.Top, std::min(marginRight, AClip.Right), AClip.Bottom},
                         ctx.DefaultBackground);

    const bool focused = window_ && window_->Focused();
    if (SelAvail() && (focused || !hideSelection_)) {
        const TBufferCoord first = std::min(blockBegin_, blockEnd_);
        const TBufferCoord last = std::max(blockBegin_, blockEnd_);
        ctx.HasSelection = first.Y <= LastRow && last.Y >= FirstRow;
        ctx.SelFirst = BufferToDisplayPos(first);
        ctx.SelLast = BufferToDisplayPos(last);
        if (activeSelectionMode_ == smColumn) {
            const int c1 = BufferToDisplayPos(blockBegin_).Column;
            const int c2 = BufferToDisplayPos(blockEnd_).Column;
            ctx.SelFirst.Column = std::min(c1, c2);
            ctx.SelLast.Column = std::max(c1, c2);
        }
    }

    const int lineCount = std::max(lines_.Count(), 1);
    int row = FirstRow;
    for (; row <= LastRow && row <= lineCount; ++row)
        PaintLine(ctx, row);

    // Below the text.
    const int belowTop = (row - topLine_) * lineHeight_;
    if (belowTop < AClip.Bottom)
        ACanvas.FillRect({AClip.Left, std::max(belowTop, AClip.Top), AClip.Right, AClip.Bottom},
                         ctx.DefaultBackground);
    if (rightEdge_ > 0) {
        const int x = rightEdge_ * charWidth_ + TextOffset();
        if (x >= AClip.Left && x < AClip.Right && belowTop < AClip.Bottom)
            ACanvas.Line(x, std::max(belowTop, AClip.Top), x, AClip.Bottom, rightEdgeColor_);
    }
}

void TCustomSynEdit::PaintLine(TPaintContext& Ctx, int Row) {
    const TRect& clip = Ctx.Clip;
    Ctx.RowTop = (Row - topLine_) * lineHeight_;
    const std::string text = lines_.ExpandedStrings(Row - 1);
    const int textLength = static_cast<int>(text.size());

    Ctx.LineForeground = font_.Color();
    Ctx.LineBackground =
        (activeLineColor_ != clNone && Row == caret_.Y) ? activeLineColor_ : Ctx.DefaultBackground;
    Ctx.SpecialLine = false;
    if (OnSpecialLineColors) {
        TColor fg = Ctx.LineForeground, bg = Ctx.LineBackground;
        OnSpecialLineColors(this, Row, Ctx.SpecialLine, fg, bg);
        if (Ctx.SpecialLine) {
            Ctx.LineForeground = fg;
            Ctx.LineBackground = bg;
        }
    }
    if (Ctx.SpecialLine) {
        Ctx.SelForeground = Ctx.LineBackground;
        Ctx.SelBackground = Ctx.LineForeground;
    } else {
        Ctx.SelForeground = selectedColor_.Foreground();
        Ctx.SelBackground = selectedColor_.Background();
    }

    // Selected display columns of this row.
    Ctx.LineSelStart = Ctx.LineSelEnd = 0;
    if (Ctx.HasSelection && Row >= Ctx.SelFirst.Row && Row <= Ctx.SelLast.Row) {
        switch (activeSelectionMode_) {
        case smNormal:
            Ctx.LineSelStart = Row == Ctx.SelFirst.Row ? Ctx.SelFirst.Column : 1;
            Ctx.LineSelEnd = Row == Ctx.SelLast.Row ? Ctx.SelLast.Column : textLength + 1;
            break;
        case smLine:
            Ctx.LineSelStart = 1;
            Ctx.LineSelEnd = INT_MAX;
            break;
        case smColumn:
            Ctx.LineSelStart = Ctx.SelFirst.Column;
            Ctx.LineSelEnd = Ctx.SelLast.Column;
            break;
        }
        if (Ctx.LineSelEnd < Ctx.LineSelStart) Ctx.LineSelEnd = Ctx.LineSelStart;
    }
    Ctx.WhollySelected = Ctx.LineSelStart <= Ctx.FirstCol && Ctx.LineSelEnd > Ctx.LastCol;

    const RunWriter writer{Ctx.Drawer, TextOffset(), charWidth_, Ctx.RowTop, lineHeight_};
    auto flush = [&] {
        if (Ctx.RunText.empty()) return;
        const int start = Ctx.RunColumn;
        const int end = start + static_cast<int>(Ctx.RunText.size()); // exclusive
        const int s1 = std::clamp(Ctx.LineSelStart, start, end);
        const int s2 = std::clamp(Ctx.LineSelEnd, s1, end);
        const std::string_view run(Ctx.RunText);
        auto part = [&](int from, int to) {
            return run.substr(static_cast<std::size_t>(from - start),
                              static_cast<std::size_t>(to - from));
        };
        writer.Piece(start, part(start, s1), Ctx.RunStyle, Ctx.RunForeground, Ctx.RunBackground,
                     s1 == end);
        writer.Piece(s1, part(s1, s2), Ctx.RunStyle, Ctx.SelForeground, Ctx.SelBackground,
                     s2 == end);
        writer.Piece(s2, part(s2, end), Ctx.RunStyle, Ctx.RunForeground, Ctx.RunBackground, true);
        Ctx.RunText.clear();
    };
    // Appends the visible part of a token starting at 1-based Column.
    auto add = [&](int Column, std::string_view Token, TFontStyles Style, TColor Fg, TColor Bg) {
        if (Column < Ctx.FirstCol) {
            const int cut = std::min(Ctx.FirstCol - Column, static_cast<int>(Token.size()));
            Token.remove_prefix(static_cast<std::size_t>(cut));
            Column += cut;
        }
        if (Column + static_cast<int>(Token.size()) - 1 > Ctx.LastCol)
            Token =
                Token.substr(0, static_cast<std::size_t>(std::max(Ctx.LastCol - Column + 1, 0)));
        if (Token.empty()) return;
        if (!Ctx.RunText.empty()) {
            const bool blanks = IsBlanks(Token);
            const bool styleFits =
                Style == Ctx.RunStyle ||
                (blanks && !Style.Contains(fsUnderline) && !Ctx.RunStyle.Contains(fsUnderline));
            const bool colourFits =
                Ctx.SpecialLine || Ctx.WhollySelected ||
                (Bg == Ctx.RunBackground && (Fg == Ctx.RunForeground || blanks));
            if (styleFits && colourFits) {
                Ctx.RunText += Token;
                return;
            }
            flush();
        }
        Ctx.RunText.assign(Token);
        Ctx.RunColumn = Column;
        Ctx.RunStyle = Style;
        Ctx.RunForeground = Fg;
        Ctx.RunBackground = Bg;
    };
    auto colours = [&](const highlight::TSynHighlighterAttributes* attr, TColor& fg, TColor& bg) {
        fg = Ctx.LineForeground;
        bg = Ctx.LineBackground;
        if (!attr) return;
        if (attr->Foreground() != clNone) fg = attr->Foreground();
        if (attr->Background() != clNone) bg = attr->Background();
    };

    if (highlighter_ && highlighter_->Enabled()) {
        if (Row == 1)
            highlighter_->ResetRange();
        else
            highlighter_->SetRange(lines_.GetRange(Row - 2));
        highlighter_->SetLine(text, Row - 1);
        const highlight::TSynHighlighterAttributes* lastAttr = nullptr;
        int scanned = 0; // characters covered by the tokens seen
        bool pastVisible = false;
        while (!highlighter_->GetEol()) {
            const int pos = highlighter_->GetTokenPos();
            const int length = static_cast<int>(highlighter_->GetToken().size());
            scanned = pos + length;
            lastAttr = highlighter_->GetTokenAttribute();
            if (pos + 1 > Ctx.LastCol) {
                pastVisible = true;
                break;
            }
            if (pos + length >= Ctx.FirstCol) {
                TColor fg, bg;
                colours(lastAttr, fg, bg);
                const TFontStyles style = lastAttr ? lastAttr->Style() : font_.Style();
                add(pos + 1,
                    std::string_view(text).substr(static_cast<std::size_t>(pos),
                                                  static_cast<std::size_t>(length)),
                    style, fg, bg);
            }
            highlighter_->Next();
        }
        // A NUL in the line ends the scan early: the rest is written plainly.
        if (!pastVisible && scanned < textLength) {
            const auto* comment = highlighter_->GetDefaultAttribute(highlight::SYN_ATTR_COMMENT);
            const auto* attr =
                (lastAttr && lastAttr == comment)
                    ? comment
                    : highlighter_->GetDefaultAttribute(highlight::SYN_ATTR_WHITESPACE);
            TColor fg, bg;
            colours(attr, fg, bg);
            add(scanned + 1, std::string_view(text).substr(static_cast<std::size_t>(scanned)), {},
                fg, bg);
        }
    } else {
        add(1, text, font_.Style(), Ctx.LineForeground, Ctx.LineBackground);
    }
    flush();

    // From the end of the text to the right of the clip.
    const int writtenEnd = std::clamp(textLength + 1, Ctx.FirstCol, Ctx.LastCol + 1);
    int x = std::max((writtenEnd - 1) * charWidth_ + TextOffset(), clip.Left);
    const int rowBottom = Ctx.RowTop + lineHeight_;
    if (x < clip.Right) {
        int selLeft = clip.Right, selRight = clip.Right;
        if (Ctx.LineSelEnd > Ctx.LineSelStart) {
            const auto colX = [&](long long col) {
                return static_cast<int>(
                    std::clamp<long long>((col - 1) * charWidth_ + TextOffset(), x, clip.Right));
            };
            selLeft = colX(Ctx.LineSelStart);
            selRight = colX(Ctx.LineSelEnd);
        }
        if (selLeft > x)
            Ctx.Canvas.FillRect({x, Ctx.RowTop, selLeft, rowBottom}, Ctx.LineBackground);
        if (selRight > selLeft)
            Ctx.Canvas.FillRect({selLeft, Ctx.RowTop, selRight, rowBottom}, Ctx.SelBackground);
        if (clip.Right > std::max(selRight, x))
            Ctx.Canvas.FillRect({std::max(selRight, x), Ctx.RowTop, clip.Right, rowBottom},
                                Ctx.LineBackground);
    }
    if (rightEdge_ > 0) {
        const int edgeX = rightEdge_ * charWidth_ + TextOffset();
        if (edgeX >= clip.Left && edgeX < clip.Right)
            Ctx.Canvas.Line(edgeX, Ctx.RowTop, edgeX, rowBottom + 1, rightEdgeColor_);
    }
}

} // namespace marlinet::editor
