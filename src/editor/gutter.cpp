#include "editor/gutter.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <iterator>
#include <string>

namespace marlinet::editor {

// --- TSynGutter --------------------------------------------------------------------

TSynGutter::TSynGutter() {
    font_.OnChange = TNotifyEvent::Of<&TSynGutter::FontChanged>(this);
}

void TSynGutter::SetDigitCount(int Value) {
    Value = std::clamp(Value, kMinDigitCount, kMaxDigitCount);
    if (Value == digitCount_) return;
    digitCount_ = Value;
    autoSizeDigitCount_ = Value;
    Changed();
}

void TSynGutter::SetLineNumberStart(int Value) {
    Value = std::max(Value, 0);
    const bool zeroStart = Value == 0;
    if (Value == lineNumberStart_ && zeroStart == zeroStart_) return;
    lineNumberStart_ = Value;
    zeroStart_ = zeroStart;
    Changed();
}

int TSynGutter::ShownNumber(int Line) const {
    if (zeroStart_) return Line - 1;
    if (lineNumberStart_ > 1) return lineNumberStart_ + Line - 1;
    return Line;
}

void TSynGutter::AutoSizeDigitCount(int LinesCount) {
    if (!(visible_ && autoSize_ && showLineNumbers_)) {
        autoSizeDigitCount_ = digitCount_;
        return;
    }
    const int digits =
        std::max(static_cast<int>(std::to_string(ShownNumber(LinesCount)).size()), digitCount_);
    if (digits == autoSizeDigitCount_) return;
    autoSizeDigitCount_ = digits;
    Changed();
}

std::string TSynGutter::FormatLineNumber(int Line) const {
    std::string text;
    FormatLineNumber(Line, text);
    return text;
}

void TSynGutter::FormatLineNumber(int Line, std::string& Text) const {
    char digits[16];
    const auto end = std::to_chars(std::begin(digits), std::end(digits), ShownNumber(Line)).ptr;
    const auto length = static_cast<int>(end - digits);
    const int pad = std::max(autoSizeDigitCount_ - length, 0);
    Text.assign(static_cast<std::size_t>(pad), leadingZeros_ ? '0' : ' ');
    Text.append(digits, end);
}

int TSynGutter::RealGutterWidth(int CharWidth) const {
    if (!visible_) return 0;
    if (!showLineNumbers_) return width_;
    return leftOffset_ + rightOffset_ + CharWidth * autoSizeDigitCount_ + kBorderWidth;
}

// --- Built-in bookmark glyphs ------------------------------------------------------------

namespace {

constexpr int kGlyphWidth = 11;
constexpr int kGlyphHeight = 14;

// Digits 0..9 in a 3 x 5 pixel font, one row per entry, bit 2 the left column.
constexpr std::array<std::array<std::uint8_t, 5>, 10> kDigitFont{{
    {7, 5, 5, 5, 7},
    {2, 6, 2, 2, 7},
    {7, 1, 7, 4, 7},
    {7, 1, 7, 1, 7},
    {5, 5, 7, 1, 1},
    {7, 4, 7, 1, 7},
    {7, 4, 7, 5, 7},
    {7, 1, 1, 2, 2},
    {7, 5, 7, 5, 7},
    {7, 5, 7, 1, 7},
}};

TSynBitmap MakeInternalImages() {
    const TColor border = RGB(0, 0, 128);
    const TColor paper = RGB(255, 255, 160);
    const TColor ink = RGB(0, 0, 0);
    TSynBitmap strip;
    strip.Width = kGlyphWidth * kInternalImageCount;
    strip.Height = kGlyphHeight;
    strip.Pixels.assign(static_cast<std::size_t>(strip.Width * strip.Height), clNone);
    auto put = [&strip](int x, int y, TColor c) {
        strip.Pixels[static_cast<std::size_t>(y * strip.Width + x)] = c;
    };
    for (int n = 0; n < kInternalImageCount; ++n) {
        const int left = n * kGlyphWidth;
        // A card with a border, one pixel in from each side.
        for (int y = 0; y < kGlyphHeight; ++y) {
            for (int x = 1; x < kGlyphWidth - 1; ++x) {
                const bool edge = y == 0 || y == kGlyphHeight - 1 || x == 1 || x == kGlyphWidth - 2;
                put(left + x, y, edge ? border : paper);
            }
        }
        // The digit, each font pixel two by two.
        for (int row = 0; row < 5; ++row) {
            for (int col = 0; col < 3; ++col) {
                if (((kDigitFont[static_cast<std::size_t>(n)][static_cast<std::size_t>(row)] >>
                      (2 - col)) &
                     1) == 0)
                    continue;
                for (int dy = 0; dy < 2; ++dy)
                    for (int dx = 0; dx < 2; ++dx)
                        put(left + 2 + col * 2 + dx, 2 + row * 2 + dy, ink);
            }
        }
    }
    return strip;
}

} // namespace

const TSynBitmap& EditorInternalImages() {
    static const TSynBitmap strip = MakeInternalImages();
    return strip;
}

} // namespace marlinet::editor
