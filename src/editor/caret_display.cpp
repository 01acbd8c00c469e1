#include "editor/caret_display.h"

#include <algorithm>

#include "editor/edit_status.h"
#include "editor/viewport.h"

namespace marlinet::editor {

void TSynCaretDisplay::InitializeCaret() {
    TSynEditWindow* window = ctx_.View.Window();
    const int charWidth = ctx_.View.CharWidth(), lineHeight = ctx_.View.LineHeight();
    if (!window || !window->Focused() || charWidth <= 0) return;
    const TSynEditCaretType type =
        ctx_.Settings.InsertMode ? ctx_.Style.InsertCaret : ctx_.Style.OverwriteCaret;
    int width = charWidth, height = lineHeight - 2;
    caretOffset_ = {0, 0};
    switch (type) {
    case ctVerticalLine:
        width = 2;
        caretOffset_ = {-1, 0};
        break;
    case ctHorizontalLine:
        height = 2;
        caretOffset_ = {0, lineHeight - 2};
        break;
    case ctHalfBlock:
        height = (lineHeight - 2) / 2;
        caretOffset_ = {0, height};
        break;
    case ctBlock: break;
    }
    ctx_.Status.Flags().Exclude(sfCaretVisible);
    window->CreateCaret(width, std::max(height, 1));
    UpdateCaret();
}

void TSynCaretDisplay::UpdateCaret() {
    TSynEditWindow* window = ctx_.View.Window();
    TSynStateFlags& flags = ctx_.Status.Flags();
    if (ctx_.Status.Locked() || !window || !window->Focused()) {
        flags.Include(sfCaretChanged);
        return;
    }
    flags.Exclude(sfCaretChanged);
    const TPoint p = ctx_.View.RowColumnToPixels(ctx_.Doc.BufferToDisplayPos(ctx_.Doc.Caret()));
    const int x = p.X + caretOffset_.X;
    const int y = p.Y + caretOffset_.Y + 1;
    if (x >= ctx_.View.GutterWidth() && x < window->ClientWidth() && y >= 0 &&
        y < window->ClientHeight()) {
        window->SetCaretPos(x, y);
        ShowCaret();
    } else {
        HideCaret();
    }
}

void TSynCaretDisplay::HideCaret() {
    TSynStateFlags& flags = ctx_.Status.Flags();
    if (!flags.Contains(sfCaretVisible)) return;
    flags.Exclude(sfCaretVisible);
    if (TSynEditWindow* window = ctx_.View.Window()) window->HideCaret();
}

void TSynCaretDisplay::ShowCaret() {
    TSynStateFlags& flags = ctx_.Status.Flags();
    TSynEditWindow* window = ctx_.View.Window();
    if (flags.Contains(sfCaretVisible) || !window) return;
    flags.Include(sfCaretVisible);
    window->ShowCaret();
}

void TSynCaretDisplay::RepaintHiddenSelection() {
    if (ctx_.Style.HideSelection && ctx_.Doc.SelAvail()) ctx_.View.InvalidateSelection();
}

void TSynCaretDisplay::FocusIn() {
    InitializeCaret();
    RepaintHiddenSelection();
}

void TSynCaretDisplay::FocusOut() {
    HideCaret();
    if (TSynEditWindow* window = ctx_.View.Window()) window->DestroyCaret();
    RepaintHiddenSelection();
}

} // namespace marlinet::editor
