// Block indent and unindent, the clipboard, and dropping dragged text.
#include <algorithm>

#include "editor/edit_state.h"
#include "editor/edit_status.h"
#include "editor/editing.h"
#include "editor/errors.h"
#include "editor/movement.h"
#include "editor/scroller.h"
#include "editor/undo_apply.h"
#include "editor/viewport.h"

namespace marlinet::editor {

namespace {

// Leading blanks and tabs that make up at most Width display columns.
int IndentToRemove(std::string_view Line, int Width, int TabWidth) {
    int i = 0, column = 0;
    const int length = static_cast<int>(Line.size());
    while (i < length && column < Width) {
        const char c = Line[static_cast<std::size_t>(i)];
        if (c == ' ')
            ++column;
        else if (c == '\t')
            column = (column / std::max(TabWidth, 1) + 1) * std::max(TabWidth, 1);
        else
            break;
        ++i;
    }
    return i;
}

} // namespace

// --- Block indent ----------------------------------------------------------------------

bool TSynEditingCommands::SelectedBlock(Block& B) const {
    if (!ctx_.Doc.SelAvail()) return false;
    B.Mode = ctx_.Doc.ActiveSelectionMode();
    B.Begin = ctx_.Doc.BlockBegin();
    B.End = ctx_.Doc.BlockEnd();
    const TBufferCoord first = std::min(B.Begin, B.End), last = std::max(B.Begin, B.End);
    B.First = first.Y;
    B.Last = last.Y;
    if (B.Mode != smLine && last.X == 1 && B.Last > B.First) --B.Last;
    B.Last = std::min(B.Last, ctx_.Doc.Lines().Count());
    return B.Last >= B.First;
}

std::vector<TSynEditingCommands::Span> TSynEditingCommands::SelectedSpans() const {
    std::vector<Span> spans;
    Block b;
    if (!SelectedBlock(b)) return spans;
    const TSynEditStringList& lines = ctx_.Doc.Lines();
    const TBufferCoord first = std::min(b.Begin, b.End), last = std::max(b.Begin, b.End);
    const int tabWidth = lines.TabWidth();
    int left = 0, right = 0; // display columns of a column block
    if (b.Mode == smColumn) {
        const int a = CharIndex2CaretPos(b.Begin.X, tabWidth, lines.GetView(b.Begin.Y - 1));
        const int z = CharIndex2CaretPos(b.End.X, tabWidth, lines.GetView(b.End.Y - 1));
        left = std::min(a, z);
        right = std::max(a, z);
    }
    for (int y = b.First; y <= b.Last; ++y) {
        const std::string_view line = lines.GetView(y - 1);
        const int length = static_cast<int>(line.size());
        Span span{y, 0, length};
        if (b.Mode == smNormal) {
            if (y == first.Y) span.From = first.X - 1;
            if (y == last.Y) span.To = last.X - 1;
        } else if (b.Mode == smColumn) {
            span.From = DisplayColumnToCharIndex(line, left, tabWidth) - 1;
            span.To = DisplayColumnToCharIndex(line, right, tabWidth) - 1;
        }
        span.From = std::min(span.From, length);
        span.To = std::clamp(span.To, span.From, length);
        spans.push_back(span);
    }
    return spans;
}

void TSynEditingCommands::BlockIndent() {
    Block b;
    if (!SelectedBlock(b)) return;
    const int width = ctx_.Doc.Lines().TabWidth();
    // Blanks, not a tab: tabs are typed as spaces here.
    const std::string blanks(static_cast<std::size_t>(width), ' ');
    std::string text;
    for (int y = b.First; y <= b.Last; ++y) {
        text += blanks;
        if (y < b.Last) text += "\r\n";
    }
    auto shifted = [&](TBufferCoord p) {
        if (p.Y >= b.First && p.Y <= b.Last && p.X > 1) p.X += width;
        return p;
    };
    {
        UndoBlock block(ctx_.Doc.UndoList());
        // The selection before and after, around the blanks themselves.
        Record(crIndent, b.Begin, b.End, {}, b.Mode);
        TBufferCoord inserted;
        Commit(Changer().Insert(smColumn, {1, b.First}, text, inserted));
        Record(crInsert, {1, b.First}, {width + 1, b.Last}, {}, smColumn);
        Record(crIndent, shifted(b.Begin), shifted(b.End), {}, b.Mode);
    }
    Select(b.Mode, shifted(b.Begin), shifted(b.End), shifted(ctx_.Doc.Caret()));
}

void TSynEditingCommands::BlockUnindent() {
    Block b;
    if (!SelectedBlock(b)) return;
    const int tabWidth = ctx_.Doc.Lines().TabWidth();
    std::vector<int> removed;
    std::string text; // what each line loses, line by line
    for (int y = b.First; y <= b.Last; ++y) {
        const std::string_view line = ctx_.Doc.Lines().GetView(y - 1);
        removed.push_back(IndentToRemove(line, tabWidth, tabWidth));
        text += line.substr(0, static_cast<std::size_t>(removed.back()));
        if (y < b.Last) text += "\r\n";
    }
    if (std::all_of(removed.begin(), removed.end(), [](int n) { return n == 0; })) return;
    auto shifted = [&](TBufferCoord p) {
        if (p.Y >= b.First && p.Y <= b.Last)
            p.X = std::max(1, p.X - removed[static_cast<std::size_t>(p.Y - b.First)]);
        return p;
    };
    {
        UndoBlock block(ctx_.Doc.UndoList());
        Commit(Changer().DeletePrefixes(b.First, text));
        Record(crUnindent, b.Begin, b.End, text, b.Mode);
    }
    Select(b.Mode, shifted(b.Begin), shifted(b.End), shifted(ctx_.Doc.Caret()));
}

// --- Clipboard -------------------------------------------------------------------------

std::string EncodeClipboardBlock(TSynSelectionMode Mode, std::string_view Text) {
    std::string block;
    block.reserve(Text.size() + 2);
    block += static_cast<char>(Mode);
    block += Text;
    block += '\0';
    return block;
}

bool DecodeClipboardBlock(std::string_view Block, TSynSelectionMode& Mode, std::string& Text) {
    if (Block.empty() || static_cast<unsigned char>(Block[0]) > smColumn) return false;
    Mode = static_cast<TSynSelectionMode>(Block[0]);
    const std::string_view rest = Block.substr(1);
    Text = rest.substr(0, rest.find('\0'));
    return true;
}

TSynClipboardData TSynEditingCommands::SelectionData() const {
    TSynClipboardData data;
    data.Text = ctx_.Doc.GetSelText();
    data.HasBlock = true;
    data.Block = EncodeClipboardBlock(ctx_.Doc.ActiveSelectionMode(), data.Text);
    return data;
}

void TSynEditingCommands::CopyToClipboard() {
    if (!ctx_.Doc.SelAvail()) return;
    const TSynClipboardData data = SelectionData();
    TSynEditWindow* window = ctx_.View.Window();
    if (!window || !window->SetClipboard(data)) throw ESynError("Clipboard copy operation failed");
}

void TSynEditingCommands::CutToClipboard() {
    if (ctx_.Settings.ReadOnly || !ctx_.Doc.SelAvail()) return;
    TSynPaintLock lock(ctx_.Status);
    {
        UndoBlock block(ctx_.Doc.UndoList());
        CopyToClipboard();
        DeleteSelection(crDelete);
    }
    ctx_.Scroller.EnsureCursorPosVisible();
}

void TSynEditingCommands::PasteFromClipboard() {
    if (ctx_.Settings.ReadOnly) return;
    TSynEditWindow* window = ctx_.View.Window();
    TSynClipboardData data;
    if (!window || !window->GetClipboard(data))
        throw ESynError("Clipboard paste operation failed.");
    // The editor's own block keeps the mode it was copied in; plain text
    // goes in the mode new selections get. Either ends at a zero byte.
    TSynSelectionMode mode = ctx_.Doc.SelectionMode();
    std::string text;
    if (!data.HasBlock || !DecodeClipboardBlock(data.Block, mode, text)) {
        mode = ctx_.Doc.SelectionMode();
        text = data.Text.substr(0, data.Text.find('\0'));
    }
    if (text.empty()) return;
    TSynPaintLock lock(ctx_.Status);
    TBufferCoord end;
    {
        UndoBlock block(ctx_.Doc.UndoList());
        const TBufferCoord start = std::min(ctx_.Doc.BlockBegin(), ctx_.Doc.BlockEnd());
        Record(crPasteBegin, start, start, {}, mode);
        end = ReplaceSelection(text, crDelete, crPaste, mode);
        Record(crPasteEnd, start, end, {}, mode);
    }
    CollapseAt(end);
    ctx_.Scroller.EnsureCursorPosVisible();
}

// --- Drop ----------------------------------------------------------------------------------

TSynDropEffect TSynEditingCommands::Drop(TSynEditingCommands* Source, std::string_view Text,
                                         TSynDropEffect Effect, TBufferCoord At) {
    if (Effect == TSynDropEffect::None || ctx_.Settings.ReadOnly) return TSynDropEffect::None;
    TSynPaintLock lock(ctx_.Status);
    const bool own = Source == this;
    std::string text(Text);
    TBufferCoord end;
    if (own) {
        if (!ctx_.Doc.SelAvail()) return TSynDropEffect::None;
        const TBufferCoord first = std::min(ctx_.Doc.BlockBegin(), ctx_.Doc.BlockEnd());
        const TBufferCoord last = std::max(ctx_.Doc.BlockBegin(), ctx_.Doc.BlockEnd());
        const bool move = Effect == TSynDropEffect::Move;
        // Into itself, or (moving) onto either of its ends: nothing to do.
        if ((At > first && At < last) || (move && (At == first || At == last)))
            return TSynDropEffect::None;
        text = ctx_.Doc.GetSelText();
        UndoBlock block(ctx_.Doc.UndoList());
        if (move) {
            DeleteSelection(crDelete);
            // The drop point moves with the text after the removed block.
            if (At > last) {
                if (At.Y == last.Y) At.X = first.X + (At.X - last.X);
                At.Y -= last.Y - first.Y;
            }
        }
        end = InsertRecorded(smNormal, At, text, crDragDropInsert);
    } else {
        if (text.empty()) return TSynDropEffect::None;
        UndoBlock block(ctx_.Doc.UndoList());
        end = InsertRecorded(smNormal, At, text, crInsert);
    }
    Select(smNormal, At, end, end);
    ctx_.Scroller.EnsureCursorPosVisible();
    if (!own && Source && Effect == TSynDropEffect::Move) Source->SetSelText({});
    return Effect;
}

} // namespace marlinet::editor
