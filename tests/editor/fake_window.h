// A window, a font engine and a drawing target for editor tests: fixed client
// size and cell metrics, recording every request the editor makes.
#pragma once

#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "editor/custom_synedit.h"
#include "editor/platform.h"
#include "window_settings.h"

namespace marlinet::editor::testing {

// Fonts whose cell is half their height (rounded up) wide; bold fonts get
// BoldExtra more pixels of advance.
class FakeFont : public TSynPlatformFont {
public:
    FakeFont(const TSynLogFont& Log, int BoldExtra) : log_(Log), boldExtra_(BoldExtra) {}
    int CharAdvance() const override {
        return (log_.Height + 1) / 2 + (log_.Style.Contains(fsBold) ? boldExtra_ : 0);
    }
    int CharHeight() const override { return log_.Height; }
    int CharOverhang(char) const override { return log_.Style.Contains(fsItalic) ? 1 : 0; }
    int TextWidth(std::string_view Text) const override {
        return static_cast<int>(Text.size()) * CharAdvance();
    }
    const TSynLogFont& Log() const { return log_; }

private:
    TSynLogFont log_;
    int boldExtra_;
};

class FakeFontEngine : public TSynFontEngine {
public:
    std::unique_ptr<TSynPlatformFont> CreateFont(const TSynLogFont& Font) override {
        ++created;
        return std::make_unique<FakeFont>(Font, boldExtra);
    }
    int boldExtra = 0;
    int created = 0;
};

// One recorded drawing operation.
struct DrawOp {
    enum Kind { Text, Fill, Line, Bitmap } kind = Text;
    TRect rect;          // Text: the opaque/clip rectangle; Fill; Line: x1,y1,x2,y2
    int x = 0, y = 0;    // Text and Bitmap position
    std::string text;    // Text
    std::vector<int> dx; // Text: advance of each character
    TSynTextOutOptions options;
    TColor fore = clNone; // Text colour; Fill and Line colour
    TColor back = clNone; // Text background
    std::string fontName;
    int fontHeight = 0;
    TFontStyles style;
    int sourceLeft = 0; // Bitmap
};

class RecordingCanvas : public TSynCanvas {
public:
    explicit RecordingCanvas(TRect Clip) : clip(Clip) {}
    TRect ClipRect() const override { return clip; }
    void SaveState() override { saved.push_back({font, fore, back}); }
    void RestoreState() override {
        if (saved.empty()) return;
        font = saved.back().font;
        fore = saved.back().fore;
        back = saved.back().back;
        saved.pop_back();
    }
    void SelectFont(const TSynPlatformFont& Font) override {
        font = &static_cast<const FakeFont&>(Font);
    }
    void SetTextColor(TColor Color) override { fore = Color; }
    void SetBkColor(TColor Color) override { back = Color; }
    void ExtTextOut(int X, int Y, TSynTextOutOptions Options, const TRect* Rect,
                    std::string_view Text, const int* Dx) override {
        DrawOp op;
        op.kind = DrawOp::Text;
        op.rect = Rect ? *Rect : TRect{};
        op.x = X;
        op.y = Y;
        op.text = std::string(Text);
        if (Dx) op.dx.assign(Dx, Dx + Text.size());
        op.options = Options;
        op.fore = fore;
        op.back = back;
        if (font) {
            op.fontName = font->Log().Name;
            op.fontHeight = font->Log().Height;
            op.style = font->Log().Style;
        }
        ops.push_back(op);
    }
    void FillRect(const TRect& Rect, TColor Color) override {
        DrawOp op;
        op.kind = DrawOp::Fill;
        op.rect = Rect;
        op.fore = Color;
        ops.push_back(op);
    }
    void Line(int X1, int Y1, int X2, int Y2, TColor Color) override {
        DrawOp op;
        op.kind = DrawOp::Line;
        op.rect = {X1, Y1, X2, Y2};
        op.fore = Color;
        ops.push_back(op);
    }
    void DrawBitmap(int X, int Y, const TSynBitmap&, int SourceLeft, int SourceTop, int SourceWidth,
                    int SourceHeight) override {
        DrawOp op;
        op.kind = DrawOp::Bitmap;
        op.rect = {SourceLeft, SourceTop, SourceWidth, SourceHeight};
        op.x = X;
        op.y = Y;
        op.sourceLeft = SourceLeft;
        ops.push_back(op);
    }

    std::vector<DrawOp> Texts() const {
        std::vector<DrawOp> out;
        for (const auto& op : ops)
            if (op.kind == DrawOp::Text) out.push_back(op);
        return out;
    }

    TRect clip;
    std::vector<DrawOp> ops;

private:
    struct State {
        const FakeFont* font;
        TColor fore, back;
    };
    const FakeFont* font = nullptr;
    TColor fore = clNone, back = clNone;
    std::vector<State> saved;
};

// Draws nothing and records nothing, so that painting on it allocates only
// what the editor itself allocates.
class NullCanvas : public TSynCanvas {
public:
    explicit NullCanvas(TRect Clip) : clip_(Clip) {}
    TRect ClipRect() const override { return clip_; }
    void SaveState() override {}
    void RestoreState() override {}
    void SelectFont(const TSynPlatformFont&) override {}
    void SetTextColor(TColor) override {}
    void SetBkColor(TColor) override {}
    void ExtTextOut(int, int, TSynTextOutOptions, const TRect*, std::string_view Text,
                    const int*) override {
        characters += static_cast<long>(Text.size());
    }
    void FillRect(const TRect&, TColor) override {}
    void Line(int, int, int, int, TColor) override {}
    void DrawBitmap(int, int, const TSynBitmap&, int, int, int, int) override {}

    long characters = 0; // written so far

private:
    TRect clip_;
};

class FakeWindow : public TSynEditWindow {
public:
    bool HandleAllocated() const override { return handleAllocated; }
    bool Visible() const override { return visible; }
    int ClientWidth() const override { return width; }
    int ClientHeight() const override { return height; }
    void InvalidateRect(const TRect& Rect) override { invalidated.push_back(Rect); }
    void Update() override { ++updates; }
    void ScrollRect(int Dx, int Dy, const TRect& Rect) override {
        scrolls.push_back({Dx, Dy, Rect});
    }
    void StatusChanged(TSynStatusChanges Changes) override { statuses.push_back(Changes); }
    TSynFontEngine* FontEngine() override { return withFonts ? &engine : nullptr; }
    void CreateCaret(int Width, int Height) override {
        caretSize = {Width, Height};
        caretExists = true;
        caretShown = false;
    }
    void DestroyCaret() override { caretExists = caretShown = false; }
    void SetCaretPos(int X, int Y) override { caretPos = {X, Y}; }
    void ShowCaret() override { caretShown = true; }
    void HideCaret() override { caretShown = false; }
    void SetVerticalScrollBar(const TSynScrollInfo& Info) override { scrollBar = Info; }
    TSize HintExtent(const std::string& Text, int MaxWidth) override {
        hintMaxWidth = MaxWidth;
        return {static_cast<int>(Text.size()) * 6 + 6, 16};
    }
    void ShowHint(const std::string& Text, const TRect& Rect, TColor Color) override {
        hintText = Text;
        hintRect = Rect;
        hintColor = Color;
        hintShown = true;
    }
    void HideHint() override { hintShown = false; }
    bool Focused() const override { return focused; }
    void SetFocus() override { focused = true; }
    void SetMouseCapture(bool Capture) override { capture = Capture; }
    bool MouseCapture() const override { return capture; }
    void StartScrollTimer(int IntervalMs) override { timerInterval = IntervalMs; }
    void StopScrollTimer() override { timerInterval = 0; }
    int WheelScrollLines() const override { return wheelLines; }
    int DragThreshold() const override { return dragThreshold; }
    // One clipboard shared by every fake window, as the platform's is.
    bool SetClipboard(const TSynClipboardData& Data) override {
        if (refuseClipboard) return false;
        Clipboard() = Data;
        return true;
    }
    bool GetClipboard(TSynClipboardData& Data) override {
        if (refuseClipboard) return false;
        Data = Clipboard();
        return true;
    }
    void StartDrag(const TSynClipboardData& Data) override { dragged.push_back(Data); }
    static TSynClipboardData& Clipboard() {
        static TSynClipboardData clipboard;
        return clipboard;
    }

    void Forget() {
        invalidated.clear();
        statuses.clear();
        scrolls.clear();
        updates = 0;
    }

    struct Scroll {
        int dx, dy;
        TRect rect;
        bool operator==(const Scroll&) const = default;
    };

    bool handleAllocated = true;
    bool visible = true;
    bool withFonts = true;
    int width = 400;
    int height = 200;
    bool focused = false;
    bool capture = false;
    int wheelLines = 3;
    int dragThreshold = 4;
    FakeFontEngine engine;
    std::vector<TRect> invalidated;
    std::vector<TSynStatusChanges> statuses;
    std::vector<Scroll> scrolls;
    int updates = 0;
    TSize caretSize;
    TPoint caretPos;
    bool caretExists = false;
    bool caretShown = false;
    TSynScrollInfo scrollBar;
    std::string hintText;
    TRect hintRect;
    TColor hintColor = clNone;
    bool hintShown = false;
    int hintMaxWidth = 0;
    int timerInterval = 0;
    bool refuseClipboard = false;
    std::vector<TSynClipboardData> dragged; // drags started, in order
};

// An editor on a FakeWindow with a 20-pixel font, so 10 x 20 pixel cells, and
// the default 30-pixel gutter: 10 whole rows and 37 columns fit 400 x 200.
class TestEditor : public TCustomSynEdit {
public:
    explicit TestEditor(FakeWindow& window) : TCustomSynEdit(&window) {
        Font().SetHeight(20);
        window.Forget();
    }
    using TCustomSynEdit::MoveCaretAndSelection;
};

// Runs keys written as text: each character is typed, {Name} runs the
// command ecName, e.g. "AB{Left}{DeleteLastChar}".
inline void Keys(TCustomSynEdit& edit, std::string_view keys) {
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (keys[i] != '{') {
            edit.CommandProcessor(ecChar, keys[i], nullptr);
            continue;
        }
        const std::size_t close = keys.find('}', i);
        TSynEditorCommand command = ecNone;
        if (close == std::string_view::npos ||
            !IdentToEditorCommand("ec" + std::string(keys.substr(i + 1, close - i - 1)), command))
            throw std::invalid_argument("no such command in " + std::string(keys));
        edit.CommandProcessor(command, '\0', nullptr);
        i = close;
    }
}

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

// The text with '|' at the caret, the way LoadWithCaret reads it.
inline std::string TextWithCaret(const TCustomSynEdit& edit) {
    std::string out;
    const int count = std::max(edit.Lines().Count(), 1);
    for (int y = 1; y <= count; ++y) {
        std::string line = edit.Lines().Get(y - 1);
        if (y == edit.CaretY()) {
            if (static_cast<int>(line.size()) < edit.CaretX() - 1)
                line.resize(static_cast<std::size_t>(edit.CaretX() - 1), ' ');
            line.insert(static_cast<std::size_t>(edit.CaretX() - 1), 1, '|');
        }
        out += line;
        if (y < count) out += '\n';
    }
    return out;
}

} // namespace marlinet::editor::testing
