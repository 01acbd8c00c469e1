// A window for editor tests: fixed client size, records every repaint
// request and status report.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "editor/custom_synedit.h"
#include "editor/platform.h"

namespace marlinet::editor::testing {

class FakeWindow : public TSynEditWindow {
public:
    bool HandleAllocated() const override { return handleAllocated; }
    bool Visible() const override { return visible; }
    int ClientWidth() const override { return width; }
    int ClientHeight() const override { return height; }
    void InvalidateRect(const TRect& Rect) override { invalidated.push_back(Rect); }
    void StatusChanged(TSynStatusChanges Changes) override { statuses.push_back(Changes); }

    void Forget() {
        invalidated.clear();
        statuses.clear();
    }

    bool handleAllocated = true;
    bool visible = true;
    int width = 400;
    int height = 200;
    std::vector<TRect> invalidated;
    std::vector<TSynStatusChanges> statuses;
};

// An editor on a FakeWindow with 10 x 20 pixel cells and a 30-pixel gutter:
// 10 whole rows fit the 200-pixel client height.
class TestEditor : public TCustomSynEdit {
public:
    explicit TestEditor(FakeWindow& window) : TCustomSynEdit(&window) {
        SetCellMetrics(10, 20, 30);
    }
    using TCustomSynEdit::SetCellMetrics;
};

// Loads text written with '|' marking the caret, e.g. "10 PR|INT\n20 END".
// Lines are separated by '\n'. Returns the caret position.
inline TBufferCoord LoadWithCaret(TCustomSynEdit& edit, std::string_view text) {
    TBufferCoord caret{1, 1};
    std::string clean;
    int line = 1, column = 1;
    for (char c : text) {
        if (c == '|') {
            caret = {column, line};
            continue;
        }
        clean += c;
        if (c == '\n') {
            ++line;
            column = 1;
        } else {
            ++column;
        }
    }
    edit.Lines().SetText(clean);
    edit.SetCaretXY(caret);
    return caret;
}

} // namespace marlinet::editor::testing
