// Editing: the dispatch of the text-changing commands and replacing the
// selection.
#include "editor/editing.h"

#include <algorithm>
#include <exception>

#include "editor/edit_state.h"
#include "editor/edit_status.h"
#include "editor/movement.h"
#include "editor/scroller.h"
#include "editor/undo_apply.h"
#include "editor/viewport.h"

namespace marlinet::editor {

// --- Commands ------------------------------------------------------------------------------

TSynEditingCommands::UndoBlock::~UndoBlock() noexcept(false) {
    if (std::uncaught_exceptions() == exceptions_) {
        list_.EndBlock();
        return;
    }
    try {
        list_.EndBlock();
    } catch (...) {
    }
}

void TSynEditingCommands::Execute(TSynEditorCommand Command, char AChar) {
    if (Command == ecCopy) {
        CopyToClipboard();
        return;
    }
    if (ctx_.Settings.ReadOnly) return;
    switch (Command) {
    case ecChar: TypeChar(AChar); return; // keeps the caret in view itself
    case ecLineBreak: LineBreak(true); break;
    case ecInsertLine: LineBreak(false); break;
    case ecDeleteLastChar: DeleteLastChar(); break;
    case ecDeleteChar: DeleteChar(); break;
    case ecDeleteWord: DeleteWord(); break;
    case ecDeleteLastWord: DeleteLastWord(); break;
    case ecDeleteBOL: DeleteBOL(); break;
    case ecDeleteEOL: DeleteEOL(); break;
    case ecDeleteLine: DeleteLine(); break;
    case ecClearAll: ClearAll(); break;
    case ecUndo: ctx_.Undo.Undo(); return;
    case ecRedo: ctx_.Undo.Redo(); return;
    case ecCut: CutToClipboard(); break;
    case ecPaste: PasteFromClipboard(); break;
    case ecBlockIndent: BlockIndent(); break;
    case ecBlockUnindent: BlockUnindent(); break;
    case ecUpperCase: ChangeCase(TSynCaseChange::Upper, true); break;
    case ecLowerCase: ChangeCase(TSynCaseChange::Lower, true); break;
    case ecToggleCase: ChangeCase(TSynCaseChange::Toggle, true); break;
    case ecTitleCase: ChangeCase(TSynCaseChange::Title, true); break;
    case ecUpperCaseBlock: ChangeCase(TSynCaseChange::Upper, false); break;
    case ecLowerCaseBlock: ChangeCase(TSynCaseChange::Lower, false); break;
    case ecToggleCaseBlock: ChangeCase(TSynCaseChange::Toggle, false); break;
    case ecCommentBlock: CommentBlock(); break;
    // ecTab and ecShiftTab never arrive: the editor leaves Tab to the
    // window (WantTabs is off), which moves the focus with it.
    default: return;
    }
    ctx_.Scroller.EnsureCursorPosVisible();
}

bool TSynEditingCommands::Trim() const {
    return ctx_.Settings.Options.Contains(eoTrimTrailingSpaces);
}

TSynTextChanger TSynEditingCommands::Changer(bool Trim) const {
    return TSynTextChanger(ctx_.Doc.Lines(), Trim);
}

void TSynEditingCommands::Commit(TSynLineChange Change) {
    if (Change.Empty()) return;
    ctx_.Doc.Lines().ReplaceLines(Change.First, Change.Count, std::move(Change.Lines));
}

void TSynEditingCommands::Commit(TSynLineChange Change, const std::vector<TBufferCoord>& Cuts) {
    // Blanks the change adds or white space it drops, as replacements.
    struct WhiteSpace {
        TBufferCoord start, end;
        std::string text;
    };
    std::vector<WhiteSpace> spaces;
    for (const TBufferCoord& cut : Cuts) {
        const int index = cut.Y - 1 - Change.First;
        if (index < 0 || index >= static_cast<int>(Change.Lines.size())) continue;
        const std::string_view old = ctx_.Doc.Lines().GetView(cut.Y - 1);
        const std::string& stored = Change.Lines[static_cast<std::size_t>(index)];
        const auto keep = stored.size(), left = static_cast<std::size_t>(cut.X - 1);
        if (left > old.size() && keep >= left && stored.starts_with(old)) {
            // Blanks from the line's end up to the cut, which text follows.
            spaces.push_back({{static_cast<int>(old.size()) + 1, cut.Y}, cut, {}});
            continue;
        }
        if (keep >= left || left > old.size() || !old.starts_with(stored)) continue;
        const std::string_view text = old.substr(keep, left - keep);
        if (text.find('\t') == std::string_view::npos) continue; // blanks come back as padding
        spaces.push_back({{static_cast<int>(keep) + 1, cut.Y}, cut, std::string(text)});
    }
    Commit(std::move(Change));
    for (const WhiteSpace& space : spaces)
        Record(crWhiteSpaceAdd, space.start, space.end, space.text, smNormal);
}

void TSynEditingCommands::CommitWholeLines(TSynLineChange Change, TSynChangeReason Reason) {
    if (Change.Empty()) return;
    const TSynEditStringList& lines = ctx_.Doc.Lines();
    const int first = Change.First, count = Change.Count;
    // The text the change's lines now hold runs from Start to End; when it
    // only adds lines at the end, from the end of the line before them.
    const TBufferCoord start =
        count > 0 || first == 0
            ? TBufferCoord{1, first + 1}
            : TBufferCoord{static_cast<int>(lines.GetView(first - 1).size()) + 1, first};
    const std::string old = Changer().LinesText(first, count);
    const TBufferCoord end{static_cast<int>(Change.Lines.back().size()) + 1,
                           first + static_cast<int>(Change.Lines.size())};
    Commit(std::move(Change));
    Record(Reason, start, end, old, smNormal);
}

void TSynEditingCommands::Record(TSynChangeReason Reason, const TBufferCoord& Start,
                                 const TBufferCoord& End, const std::string& Text,
                                 TSynSelectionMode Mode) {
    ctx_.Doc.UndoList().AddChange(Reason, Start, End, Text, Mode);
}

TBufferCoord TSynEditingCommands::InsertRecorded(TSynSelectionMode Mode, TBufferCoord At,
                                                 std::string_view Text, TSynChangeReason Reason) {
    if (Text.empty()) return At;
    UndoBlock block(ctx_.Doc.UndoList());
    TBufferCoord end;
    if (Mode == smColumn) {
        // A column insertion pads and splits the lines it crosses unevenly.
        CommitWholeLines(Changer().Insert(smColumn, At, Text, end), Reason);
        return end;
    }
    if (Mode == smLine) At.X = 1; // in front of the line: whole lines go above it
    Commit(Changer().Insert(smNormal, At, Text, end), {At});
    Record(Reason, At, end, {}, smNormal);
    return end;
}

void TSynEditingCommands::DeleteRecorded(TBufferCoord From, TBufferCoord To,
                                         TSynChangeReason Reason) {
    UndoBlock block(ctx_.Doc.UndoList());
    const TSynTextChanger changer = Changer();
    const std::string taken = changer.Text(smNormal, From, To);
    Commit(changer.Delete(smNormal, From, To), {std::min(From, To)});
    Record(Reason, From, To, taken, smNormal);
}

TBufferCoord TSynEditingCommands::ReplaceSelection(std::string_view Text, TSynChangeReason Reason,
                                                   TSynChangeReason InsertReason,
                                                   TSynSelectionMode InsertMode) {
    UndoBlock block(ctx_.Doc.UndoList());
    if (!ctx_.Doc.SelAvail()) {
        ctx_.Doc.StoreActiveSelectionMode(InsertMode);
        return InsertRecorded(InsertMode, ctx_.Doc.Caret(), Text, InsertReason);
    }
    const TSynSelectionMode mode = ctx_.Doc.ActiveSelectionMode();
    const TBufferCoord begin = ctx_.Doc.BlockBegin(), end = ctx_.Doc.BlockEnd();
    const TSynTextChanger changer = Changer();
    const std::string taken = changer.Text(mode, begin, end);
    TBufferCoord at = changer.InsertionPoint(mode, begin, end);
    ctx_.Doc.StoreActiveSelectionMode(InsertMode);
    if (Text.empty() && mode == smColumn) {
        DeleteColumnBlock(begin, end, Reason);
        return at;
    }
    if (Text.empty()) {
        Commit(changer.Delete(mode, begin, end), {at});
        Record(Reason, begin, end, taken, mode);
        return at;
    }
    TBufferCoord after;
    TSynLineChange change = changer.Replace(mode, begin, end, InsertMode, Text, after);
    if (mode == smColumn || InsertMode == smColumn) {
        CommitWholeLines(std::move(change), InsertReason);
        return after;
    }
    if (InsertMode == smLine) at.X = 1;
    Commit(std::move(change), {at});
    Record(Reason, begin, end, taken, mode);
    Record(InsertReason, at, after, {}, smNormal);
    return after;
}

void TSynEditingCommands::DeleteColumnBlock(TBufferCoord Begin, TBufferCoord End,
                                            TSynChangeReason Reason) {
    // A block cut out of lines that hold tabs cannot be put back piece by
    // piece where it was (a tab the block reached into goes whole), so the
    // lines are recorded whole: as deleted lines (which undo puts back as
    // they were) and the lines now in their place.
    const TSynTextChanger changer = Changer();
    TSynLineChange change = changer.Delete(smColumn, Begin, End);
    if (change.Empty()) return;
    const int first = change.First + 1, last = change.First + change.Count;
    const bool lastOfText = last == ctx_.Doc.Lines().Count();
    const std::string old = changer.Text(smLine, {1, first}, {1, last});
    const int n = static_cast<int>(change.Lines.size());
    const TBufferCoord added =
        lastOfText ? TBufferCoord{static_cast<int>(change.Lines.back().size()) + 1, first + n - 1}
                   : TBufferCoord{1, first + n};
    Commit(std::move(change));
    Record(Reason, {1, first}, {1, last}, old, smLine);
    Record(crInsert, {1, first}, added, {}, smNormal);
}

void TSynEditingCommands::DeleteSelection(TSynChangeReason Reason) {
    CollapseAt(ReplaceSelection({}, Reason, crInsert, ctx_.Doc.ActiveSelectionMode()));
}

void TSynEditingCommands::SetSelText(std::string_view Value) {
    TSynPaintLock lock(ctx_.Status);
    TBufferCoord end;
    {
        UndoBlock block(ctx_.Doc.UndoList());
        const TSynSelectionMode mode = ctx_.Doc.ActiveSelectionMode();
        end = ReplaceSelection(Value, crDelete, crInsert, mode);
        if (mode == smLine) end.X = 1;
    }
    CollapseAt(end);
    ctx_.Scroller.EnsureCursorPosVisible();
}

} // namespace marlinet::editor
