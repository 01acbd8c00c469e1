#include "editor/gutter.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdlib>
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

int TSynGutter::RealGutterWidth(int CharWidth, int MarkerArea) const {
    if (!visible_) return 0;
    if (!showLineNumbers_) return std::max(width_, MarkerArea + kBorderWidth);
    return std::max(leftOffset_, MarkerArea) + rightOffset_ + CharWidth * autoSizeDigitCount_ +
           kBorderWidth;
}

int MarkerAreaWidth(const TSynBookMarkOpt& Options, const TSynMarkerSet& Markers) {
    const bool twoColumns = Options.GlyphsVisible() && Markers.MarksShareALineWithDebugMarkers();
    return Options.LeftMargin() + (twoColumns ? 2 : 1) * Options.Xoffset();
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

constexpr int kDebugGlyphSize = 11;
constexpr int kDebugGlyphMiddle = kDebugGlyphSize / 2;

// One glyph of the debug strip: the pixels where Inside holds are filled,
// those of them next to a pixel outside the shape form its outline, and the
// pixels where Ink holds are drawn over the fill.
template <class Inside, class Ink>
void PutDebugGlyph(TSynBitmap& Strip, TSynDebugGlyph Glyph, Inside inside, Ink ink, TColor Fill,
                   TColor Edge, TColor InkColor) {
    auto in = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < kDebugGlyphSize && y < kDebugGlyphSize &&
               inside(x - kDebugGlyphMiddle, y - kDebugGlyphMiddle);
    };
    for (int y = 0; y < kDebugGlyphSize; ++y) {
        for (int x = 0; x < kDebugGlyphSize; ++x) {
            if (!in(x, y)) continue;
            const bool edge = !in(x - 1, y) || !in(x + 1, y) || !in(x, y - 1) || !in(x, y + 1);
            TColor c = edge ? Edge : Fill;
            if (ink(x - kDebugGlyphMiddle, y - kDebugGlyphMiddle)) c = InkColor;
            Strip.Pixels[static_cast<std::size_t>(y * Strip.Width + Glyph * kDebugGlyphSize + x)] =
                c;
        }
    }
}

TSynBitmap MakeDebugImages() {
    TSynBitmap strip;
    strip.Width = kDebugGlyphSize * kDebugGlyphCount;
    strip.Height = kDebugGlyphSize;
    strip.Pixels.assign(static_cast<std::size_t>(strip.Width * strip.Height), clNone);
    const TColor red = RGB(214, 32, 32), darkRed = RGB(120, 0, 0);
    auto none = [](int, int) { return false; };
    // Coordinates relative to the glyph's middle pixel.
    auto disc = [](int dx, int dy) { return dx * dx + dy * dy <= 28; };
    auto ring = [](int dx, int dy) { return dx * dx + dy * dy <= 28 && dx * dx + dy * dy > 8; };
    auto arrow = [](int dx, int dy) {
        const bool shaft = dx <= 0 && dy >= -2 && dy <= 2;
        const bool head = dx >= 0 && std::abs(dy) <= kDebugGlyphMiddle - dx;
        return shaft || head;
    };
    auto triangle = [](int dx, int dy) { return 2 * std::abs(dx) <= dy + kDebugGlyphMiddle; };
    auto exclamation = [](int dx, int dy) { return dx == 0 && ((dy >= -2 && dy <= 2) || dy == 4); };
    PutDebugGlyph(strip, dgBreakpoint, disc, none, red, darkRed, clNone);
    PutDebugGlyph(strip, dgDisabledBreakpoint, ring, none, red, red, clNone);
    PutDebugGlyph(strip, dgExecutionPoint, arrow, none, RGB(255, 221, 0), RGB(72, 56, 0), clNone);
    PutDebugGlyph(strip, dgError, triangle, exclamation, RGB(255, 140, 0), darkRed, RGB(0, 0, 0));
    return strip;
}

} // namespace

const TSynBitmap& EditorInternalImages() {
    static const TSynBitmap strip = MakeInternalImages();
    return strip;
}

const TSynBitmap& EditorDebugImages() {
    static const TSynBitmap strip = MakeDebugImages();
    return strip;
}

} // namespace marlinet::editor
