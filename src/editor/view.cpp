#include "editor/view.h"

#include <algorithm>
#include <climits>

#include "editor/text_change.h"

namespace marlinet::editor {

namespace {

// The pixels between the gutter and column 1 of an unscrolled text.
constexpr int kGutterMargin = kSynGutterMargin;

bool IsBlanks(std::string_view Text) {
    return std::all_of(Text.begin(), Text.end(), IsBlank);
}

bool HasDebugMarker(const TSynMarkerSet& Markers, int Line) {
    return Line == Markers.ExecutionLine() || Line == Markers.ErrorLine() ||
           Markers.BreakpointAt(Line) != nullptr;
}

} // namespace

TSynEditView::TSynEditView(const TSynViewSource& Source, TheTextDrawer& Drawer, TSynCanvas& Canvas,
                           TSynPaintBuffers& Buffers)
    : src_(Source), sender_(Source.Sender), drawer_(Drawer), canvas_(Canvas), buffers_(Buffers),
      charWidth_(Source.View.CharWidth()), lineHeight_(Source.View.LineHeight()),
      textOffset_(Source.View.TextOffset()) {}

int TSynEditView::ColumnX(int Column) const {
    return (Column - 1) * charWidth_ + textOffset_;
}

// --- Gutter ---------------------------------------------------------------------------

void TSynEditView::PaintGutter(const TRect& AClip, int FirstRow, int LastRow) {
    const TSynGutter& gutter = src_.Gutter;
    if (gutter.Gradient()) PaintGutterGradient(AClip);
    if (gutter.ShowLineNumbers())
        PaintLineNumbers(AClip, FirstRow, LastRow);
    else if (!gutter.Gradient())
        canvas_.FillRect(AClip, gutter.Color());
    PaintGutterBorder(AClip);
    PaintGutterMarks(FirstRow, LastRow);
    if (src_.Events.OnGutterPaint) {
        const int rowCount = src_.Doc.RowCount();
        for (int row = FirstRow; row <= LastRow && row <= rowCount; ++row)
            src_.Events.OnGutterPaint(sender_, row, 0, (row - src_.View.TopLine()) * lineHeight_);
    }
}

void TSynEditView::PaintGutterGradient(const TRect& AClip) {
    // Vertical bands from the start to the end colour, left to right.
    const TSynGutter& gutter = src_.Gutter;
    const int width = src_.View.GutterWidth();
    const int steps = gutter.GradientSteps();
    const TColor a = gutter.GradientStartColor(), b = gutter.GradientEndColor();
    for (int i = 0; i < steps; ++i) {
        const int left = width * i / steps, right = width * (i + 1) / steps;
        auto mix = [&](int shift) {
            const int ca = (a >> shift) & 0xFF, cb = (b >> shift) & 0xFF;
            return static_cast<std::uint8_t>(ca + (cb - ca) * i / std::max(steps - 1, 1));
        };
        const TColor band = IsSystemColor(a) || IsSystemColor(b) ? a : RGB(mix(0), mix(8), mix(16));
        canvas_.FillRect(
            {std::max(left, AClip.Left), AClip.Top, std::min(right, AClip.Right), AClip.Bottom},
            band);
    }
}

void TSynEditView::PaintLineNumbers(const TRect& AClip, int FirstRow, int LastRow) {
    const TSynGutter& gutter = src_.Gutter;
    const int width = src_.View.GutterWidth();
    const int rowCount = src_.Doc.RowCount();
    if (gutter.UseFontStyle()) drawer_.SetBaseFont(&gutter.Font());
    drawer_.SetStyle(gutter.UseFontStyle() ? gutter.Font().Style() : src_.Font.Style());
    drawer_.SetForeColor(gutter.Font().Color());
    drawer_.SetBackColor(gutter.Color());
    // A gradient shows through the numbers.
    const TSynTextOutOptions options = gutter.Gradient()
                                           ? TSynTextOutOptions{etoClipped}
                                           : TSynTextOutOptions{etoOpaque, etoClipped};
    std::string& text = buffers_.GutterText;
    int rowTop = (FirstRow - src_.View.TopLine()) * lineHeight_;
    for (int row = FirstRow; row <= LastRow && row <= rowCount; ++row, rowTop += lineHeight_) {
        gutter.FormatLineNumber(row, text);
        if (src_.Events.OnGutterGetText) src_.Events.OnGutterGetText(sender_, row, text);
        const int numbersRight = width - TSynGutter::kBorderWidth;
        const TRect rc{AClip.Left, rowTop, std::max(AClip.Right, numbersRight),
                       rowTop + lineHeight_};
        const int textWidth = static_cast<int>(text.size()) * drawer_.GetCharWidth();
        const int x = numbersRight - gutter.RightOffset() - textWidth;
        const int y = rowTop + (lineHeight_ - drawer_.GetCharHeight()) / 2;
        drawer_.ExtTextOut(x, y, options, rc, text);
    }
    if (!gutter.Gradient() && rowTop < AClip.Bottom)
        canvas_.FillRect({AClip.Left, rowTop, AClip.Right, AClip.Bottom}, gutter.Color());
    if (gutter.UseFontStyle()) drawer_.SetBaseFont(&src_.Font);
}

void TSynEditView::PaintGutterBorder(const TRect& AClip) {
    const TSynGutter& gutter = src_.Gutter;
    const int borderX = src_.View.GutterWidth() - TSynGutter::kBorderWidth;
    if (gutter.BorderStyle() == gbsNone || AClip.Left > borderX || AClip.Right <= borderX) return;
    if (gutter.BorderStyle() == gbsMiddle) {
        canvas_.Line(borderX, AClip.Top, borderX, AClip.Bottom, gutter.BorderColor());
        canvas_.Line(borderX + 1, AClip.Top, borderX + 1, AClip.Bottom, gutter.Color());
    } else {
        canvas_.Line(borderX + 1, AClip.Top, borderX + 1, AClip.Bottom, gutter.BorderColor());
    }
}

void TSynEditView::PaintGutterMarks(int FirstRow, int LastRow) {
    const TSynMarkerSet& markers = src_.Doc.Markers();
    PaintDebugMarkers(markers, FirstRow, LastRow);
    PaintMarks(markers, FirstRow, LastRow);
}

void TSynEditView::PaintGlyph(const TSynBitmap& Strip, int Count, int Index, int Line, int X) {
    const int glyphWidth = Strip.Width / Count;
    const int rowTop = (Line - src_.View.TopLine()) * lineHeight_;
    // A glyph taller than the row shows its middle part.
    const int top = std::max((Strip.Height - lineHeight_) / 2, 0);
    const int height = std::min(Strip.Height, lineHeight_);
    const int y = rowTop + std::max((lineHeight_ - Strip.Height) / 2, 0);
    canvas_.DrawBitmap(X, y, Strip, Index * glyphWidth, top, glyphWidth, height);
}

void TSynEditView::PaintDebugMarkers(const TSynMarkerSet& Markers, int FirstRow, int LastRow) {
    const TSynBitmap& strip = EditorDebugImages();
    const int x = src_.BookMarkOptions.LeftMargin();
    auto inRows = [&](int Line) { return Line >= FirstRow && Line <= LastRow; };
    // Breakpoints first, the execution point last, over a breakpoint of its
    // line.
    const std::vector<TSynBreakpoint>& breakpoints = Markers.Breakpoints();
    auto it = std::lower_bound(breakpoints.begin(), breakpoints.end(), FirstRow,
                               [](const TSynBreakpoint& B, int Line) { return B.Line < Line; });
    for (; it != breakpoints.end() && it->Line <= LastRow; ++it)
        PaintGlyph(strip, kDebugGlyphCount, it->Enabled ? dgBreakpoint : dgDisabledBreakpoint,
                   it->Line, x);
    if (inRows(Markers.ErrorLine()))
        PaintGlyph(strip, kDebugGlyphCount, dgError, Markers.ErrorLine(), x);
    if (inRows(Markers.ExecutionLine()))
        PaintGlyph(strip, kDebugGlyphCount, dgExecutionPoint, Markers.ExecutionLine(), x);
}

void TSynEditView::PaintMarks(const TSynMarkerSet& Markers, int FirstRow, int LastRow) {
    const TSynBookMarkOpt& options = src_.BookMarkOptions;
    const std::vector<TSynEditMark>& marks = Markers.Marks();
    if (!options.GlyphsVisible() || marks.empty()) return;
    const bool builtIn = options.BookmarkImages() == nullptr;
    // Per row, how many marks came before.
    std::vector<int>& seen = buffers_.MarkOffsets;
    seen.assign(static_cast<std::size_t>(LastRow - FirstRow + 1), 0);
    for (const bool bookmarkPass : {options.DrawBookmarksFirst(), !options.DrawBookmarksFirst()}) {
        for (const TSynEditMark& mark : marks) {
            if (!mark.Visible || mark.IsBookmark() != bookmarkPass) continue;
            if (mark.Line < FirstRow || mark.Line > LastRow) continue;
            int& before = seen[static_cast<std::size_t>(mark.Line - FirstRow)];
            // Only the first mark of a row shows a built-in glyph, right of
            // the run's marker when its line has one; an image list of the
            // front end's is its own to draw (OnGutterPaint).
            if (builtIn && before == 0 && mark.ImageIndex >= 0 &&
                mark.ImageIndex < kInternalImageCount) {
                const int x = options.LeftMargin() +
                              (HasDebugMarker(Markers, mark.Line) ? options.Xoffset() : 0);
                PaintGlyph(EditorInternalImages(), kInternalImageCount, mark.ImageIndex, mark.Line,
                           x);
            }
            ++before;
        }
    }
}

// --- Text lines ---------------------------------------------------------------------

void TSynEditView::PaintTextLines(const TRect& AClip, int FirstRow, int LastRow, int FirstCol,
                                  int LastCol) {
    clip_ = AClip;
    firstCol_ = FirstCol;
    lastCol_ = LastCol;
    defaultBackground_ = src_.Style.Color;
    if (const highlight::TSynCustomHighlighter* highlighter = src_.Highlighter) {
        const auto* space = highlighter->GetDefaultAttribute(highlight::SYN_ATTR_WHITESPACE);
        if (space && space->Background() != clNone) defaultBackground_ = space->Background();
    }
    FindSelection(FirstRow, LastRow);
    const int rowCount = src_.Doc.RowCount();
    FindMarkedMatches(FirstRow, std::min(LastRow, rowCount));
    int row = FirstRow;
    for (; row <= LastRow && row <= rowCount; ++row)
        PaintLine(row);
    PaintBelowText(row);
}

void TSynEditView::FindSelection(int FirstRow, int LastRow) {
    const TSynDocument& doc = src_.Doc;
    const bool focused = src_.View.Window() && src_.View.Window()->Focused();
    hasSelection_ = false;
    if (!doc.SelAvail() || (!focused && src_.Style.HideSelection)) return;
    const TBufferCoord first = doc.SelectionFirst(), last = doc.SelectionLast();
    hasSelection_ = first.Y <= LastRow && last.Y >= FirstRow;
    selFirst_ = doc.BufferToDisplayPos(first);
    selLast_ = doc.BufferToDisplayPos(last);
    if (doc.ActiveSelectionMode() == smColumn) {
        const int c1 = doc.BufferToDisplayPos(doc.BlockBegin()).Column;
        const int c2 = doc.BufferToDisplayPos(doc.BlockEnd()).Column;
        selFirst_.Column = std::min(c1, c2);
        selLast_.Column = std::max(c1, c2);
    }
}

void TSynEditView::FindMarkedMatches(int FirstRow, int LastRow) {
    buffers_.Matches.clear();
    nextMatch_ = 0;
    TSynSearch* search = src_.MarkedSearch;
    if (search && FirstRow <= LastRow)
        search->FindAll(src_.Doc.Lines(), FirstRow, LastRow, buffers_.Matches);
}

void TSynEditView::SetLineMarks(int Row) {
    const std::vector<TSynSearchMatch>& matches = buffers_.Matches;
    std::vector<std::pair<int, int>>& marks = buffers_.MarkColumns;
    marks.clear();
    markCursor_ = 0;
    while (nextMatch_ < matches.size() && matches[nextMatch_].Start.Y < Row)
        ++nextMatch_;
    const TSynDocument& doc = src_.Doc;
    for (; nextMatch_ < matches.size() && matches[nextMatch_].Start.Y == Row; ++nextMatch_) {
        const TSynSearchMatch& match = matches[nextMatch_];
        // An empty match has nothing to colour.
        if (match.End.X > match.Start.X)
            marks.emplace_back(doc.BufferToDisplayPos(match.Start).Column,
                               doc.BufferToDisplayPos(match.End).Column);
    }
}

void TSynEditView::PaintLine(int Row) {
    rowTop_ = (Row - src_.View.TopLine()) * lineHeight_;
    const std::string& text = src_.Doc.Lines().ExpandedText(Row - 1, buffers_.Line);
    const int textLength = static_cast<int>(text.size());
    SetLineColours(Row);
    SetLineSelection(Row, textLength);
    SetLineMarks(Row);
    PaintMargin();
    const highlight::TSynCustomHighlighter* highlighter = src_.Highlighter;
    if (highlighter && highlighter->Enabled())
        PaintHighlightedLine(Row, text);
    else
        PaintPlainLine(text);
    FlushRun();
    FillRestOfRow(textLength);
    PaintRightEdge(rowTop_, rowTop_ + lineHeight_ + 1);
}

void TSynEditView::SetLineColours(int Row) {
    lineForeground_ = src_.Font.Color();
    const TColor active = src_.Style.ActiveLineColor;
    lineBackground_ = active != clNone && Row == src_.Doc.Caret().Y ? active : defaultBackground_;
    specialLine_ = false;
    if (src_.Events.OnSpecialLineColors) {
        TColor fg = lineForeground_, bg = lineBackground_;
        src_.Events.OnSpecialLineColors(sender_, Row, specialLine_, fg, bg);
        if (specialLine_) {
            lineForeground_ = fg;
            lineBackground_ = bg;
        }
    }
    // A line in colours of its own shows its selection in them, swapped.
    selForeground_ = specialLine_ ? lineBackground_ : src_.SelectedColor.Foreground();
    selBackground_ = specialLine_ ? lineForeground_ : src_.SelectedColor.Background();
}

void TSynEditView::SetLineSelection(int Row, int TextLength) {
    lineSelStart_ = lineSelEnd_ = 0;
    if (hasSelection_ && Row >= selFirst_.Row && Row <= selLast_.Row) {
        switch (src_.Doc.ActiveSelectionMode()) {
        case smNormal:
            lineSelStart_ = Row == selFirst_.Row ? selFirst_.Column : 1;
            lineSelEnd_ = Row == selLast_.Row ? selLast_.Column : TextLength + 1;
            break;
        case smLine:
            lineSelStart_ = 1;
            lineSelEnd_ = INT_MAX;
            break;
        case smColumn:
            lineSelStart_ = selFirst_.Column;
            lineSelEnd_ = selLast_.Column;
            break;
        }
        lineSelEnd_ = std::max(lineSelEnd_, lineSelStart_);
    }
    whollySelected_ = lineSelStart_ <= firstCol_ && lineSelEnd_ > lastCol_;
}

void TSynEditView::PaintMargin() {
    const int marginRight = src_.View.GutterWidth() + kGutterMargin;
    if (clip_.Left >= marginRight) return;
    const int top = std::max(rowTop_, clip_.Top);
    const int bottom = std::min(rowTop_ + lineHeight_, clip_.Bottom);
    if (top < bottom)
        canvas_.FillRect({clip_.Left, top, std::min(marginRight, clip_.Right), bottom},
                         lineBackground_);
}

void TSynEditView::TokenColours(const Attributes* Attr, TColor& Fg, TColor& Bg) const {
    Fg = lineForeground_;
    Bg = lineBackground_;
    if (!Attr) return;
    if (Attr->Foreground() != clNone) Fg = Attr->Foreground();
    if (Attr->Background() != clNone) Bg = Attr->Background();
}

void TSynEditView::PaintHighlightedLine(int Row, const std::string& Text) {
    highlight::TSynCustomHighlighter& highlighter = *src_.Highlighter;
    const TSynEditStringList& lines = src_.Doc.Lines();
    if (Row == 1)
        highlighter.ResetRange();
    else
        highlighter.SetRange(lines.StoredRange(Row - 2));
    highlighter.SetLine(Text, Row - 1);
    const Attributes* lastAttr = nullptr;
    int scanned = 0; // characters covered by the tokens seen
    while (!highlighter.GetEol()) {
        const int pos = highlighter.GetTokenPos();
        const int length = highlighter.GetTokenLength();
        scanned = pos + length;
        lastAttr = highlighter.GetTokenAttribute();
        if (pos + 1 > lastCol_) return; // the rest is out of sight
        if (pos + length >= firstCol_) {
            TColor fg, bg;
            TokenColours(lastAttr, fg, bg);
            AddToRun(pos + 1,
                     std::string_view(Text).substr(static_cast<std::size_t>(pos),
                                                   static_cast<std::size_t>(length)),
                     lastAttr ? lastAttr->Style() : src_.Font.Style(), fg, bg);
        }
        highlighter.Next();
    }
    if (scanned >= static_cast<int>(Text.size())) return;
    // A NUL in the line ends the scan early: the rest is written plainly, in
    // the comment's colours when the last token was a comment.
    const Attributes* comment = highlighter.GetDefaultAttribute(highlight::SYN_ATTR_COMMENT);
    const Attributes* attr = lastAttr && lastAttr == comment
                                 ? comment
                                 : highlighter.GetDefaultAttribute(highlight::SYN_ATTR_WHITESPACE);
    TColor fg, bg;
    TokenColours(attr, fg, bg);
    AddToRun(scanned + 1, std::string_view(Text).substr(static_cast<std::size_t>(scanned)), {}, fg,
             bg);
}

void TSynEditView::PaintPlainLine(const std::string& Text) {
    AddToRun(1, Text, src_.Font.Style(), lineForeground_, lineBackground_);
}

void TSynEditView::FillRestOfRow(int TextLength) {
    // From the end of the text to the right of the clip.
    const int writtenEnd = std::clamp(TextLength + 1, firstCol_, lastCol_ + 1);
    const int x = std::max(ColumnX(writtenEnd), clip_.Left);
    const int rowBottom = rowTop_ + lineHeight_;
    if (x >= clip_.Right) return;
    int selLeft = clip_.Right, selRight = clip_.Right;
    if (lineSelEnd_ > lineSelStart_) {
        const auto colX = [&](long long col) {
            return static_cast<int>(
                std::clamp<long long>((col - 1) * charWidth_ + textOffset_, x, clip_.Right));
        };
        selLeft = colX(lineSelStart_);
        selRight = colX(lineSelEnd_);
    }
    if (selLeft > x) canvas_.FillRect({x, rowTop_, selLeft, rowBottom}, lineBackground_);
    if (selRight > selLeft)
        canvas_.FillRect({selLeft, rowTop_, selRight, rowBottom}, selBackground_);
    if (clip_.Right > std::max(selRight, x))
        canvas_.FillRect({std::max(selRight, x), rowTop_, clip_.Right, rowBottom}, lineBackground_);
}

void TSynEditView::PaintRightEdge(int Top, int Bottom) {
    if (src_.Style.RightEdge <= 0) return;
    const int x = src_.Style.RightEdge * charWidth_ + textOffset_;
    if (x >= clip_.Left && x < clip_.Right)
        canvas_.Line(x, Top, x, Bottom, src_.Style.RightEdgeColor);
}

void TSynEditView::PaintBelowText(int Row) {
    const int belowTop = (Row - src_.View.TopLine()) * lineHeight_;
    if (belowTop >= clip_.Bottom) return;
    const int top = std::max(belowTop, clip_.Top);
    canvas_.FillRect({clip_.Left, top, clip_.Right, clip_.Bottom}, defaultBackground_);
    PaintRightEdge(top, clip_.Bottom);
}

// --- Runs -------------------------------------------------------------------------------

bool TSynEditView::JoinsRun(std::string_view Token, TFontStyles Style, TColor Fg, TColor Bg) const {
    // Blanks join a run of another look as long as nothing would underline them.
    const bool blanks = IsBlanks(Token);
    const bool styleFits = Style == runStyle_ || (blanks && !Style.Contains(fsUnderline) &&
                                                  !runStyle_.Contains(fsUnderline));
    const bool colourFits = specialLine_ || whollySelected_ ||
                            (Bg == runBackground_ && (Fg == runForeground_ || blanks));
    return styleFits && colourFits;
}

void TSynEditView::AddToRun(int Column, std::string_view Token, TFontStyles Style, TColor Fg,
                            TColor Bg) {
    // Only the visible part of the token, from firstCol_ to lastCol_.
    if (Column < firstCol_) {
        const int cut = std::min(firstCol_ - Column, static_cast<int>(Token.size()));
        Token.remove_prefix(static_cast<std::size_t>(cut));
        Column += cut;
    }
    if (Column + static_cast<int>(Token.size()) - 1 > lastCol_)
        Token = Token.substr(0, static_cast<std::size_t>(std::max(lastCol_ - Column + 1, 0)));
    if (Token.empty()) return;
    std::string& run = buffers_.Run;
    if (!run.empty()) {
        if (JoinsRun(Token, Style, Fg, Bg)) {
            run += Token;
            return;
        }
        FlushRun();
    }
    run.assign(Token);
    runColumn_ = Column;
    runStyle_ = Style;
    runForeground_ = Fg;
    runBackground_ = Bg;
}

void TSynEditView::FlushRun() {
    std::string& run = buffers_.Run;
    if (run.empty()) return;
    // Pieces split where the selection or a marked match begins or ends;
    // the selection's colours win over a mark's.
    const int start = runColumn_;
    const int end = start + static_cast<int>(run.size()); // exclusive
    const std::string_view text(run);
    for (int from = start; from < end;) {
        const int to = PieceEnd(from, end);
        TColor fg = runForeground_, bg = runBackground_;
        if (from >= lineSelStart_ && from < lineSelEnd_) {
            fg = selForeground_;
            bg = selBackground_;
        } else if (MarkedAt(from)) {
            fg = src_.Style.MatchForeground;
            bg = src_.Style.MatchBackground;
        }
        WritePiece(from,
                   text.substr(static_cast<std::size_t>(from - start),
                               static_cast<std::size_t>(to - from)),
                   fg, bg, to == end);
        from = to;
    }
    run.clear();
}

bool TSynEditView::MarkedAt(int Column) {
    const std::vector<std::pair<int, int>>& marks = buffers_.MarkColumns;
    // Pieces come left to right, so marks left behind stay behind.
    while (markCursor_ < marks.size() && marks[markCursor_].second <= Column)
        ++markCursor_;
    return markCursor_ < marks.size() && marks[markCursor_].first <= Column;
}

int TSynEditView::PieceEnd(int Column, int End) {
    // The selection covers the marks inside it.
    if (Column >= lineSelStart_ && Column < lineSelEnd_) return std::min(lineSelEnd_, End);
    int to = Column < lineSelStart_ ? std::min(lineSelStart_, End) : End;
    const std::vector<std::pair<int, int>>& marks = buffers_.MarkColumns;
    if (MarkedAt(Column))
        to = std::min(to, marks[markCursor_].second);
    else if (markCursor_ < marks.size())
        to = std::min(to, marks[markCursor_].first);
    return to;
}

void TSynEditView::WritePiece(int Column, std::string_view Text, TColor Fg, TColor Bg, bool Last) {
    if (Text.empty()) return;
    std::string& cells = buffers_.Cells;
    cells.assign(Text);
    std::replace(cells.begin(), cells.end(), '\t', ' ');
    drawer_.SetStyle(runStyle_);
    drawer_.SetForeColor(Fg);
    drawer_.SetBackColor(Bg);
    const int x = ColumnX(Column);
    TRect rc{x, rowTop_, x + static_cast<int>(cells.size()) * charWidth_, rowTop_ + lineHeight_};
    // Slanted and heavy glyphs may reach past their cell: widen the fill so
    // that the last one is not cut.
    if (Last && (runStyle_.Contains(fsBold) || runStyle_.Contains(fsItalic)))
        rc.Right += std::max(drawer_.CharOverhang(cells.back()), 0);
    drawer_.ExtTextOut(x, rowTop_, {etoOpaque, etoClipped}, rc, cells);
}

} // namespace marlinet::editor
