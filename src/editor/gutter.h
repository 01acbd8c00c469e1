// Settings objects the editor owns for its display: the gutter, the
// selection colours and the bookmark options, and the glyphs the gutter
// draws for markers. Every setter that changes a value fires the object's
// OnChange.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "editor/font.h"
#include "editor/markers.h"
#include "editor/platform.h"
#include "editor/settings_object.h"

namespace marlinet::editor {

enum TSynGutterBorderStyle : std::uint8_t { gbsNone, gbsMiddle, gbsRight };

class TSynGutter : public TSynSettingsObject {
public:
    static constexpr int kMinDigitCount = 2;
    static constexpr int kMaxDigitCount = 12;
    // The gutter's two rightmost pixel columns hold its border; the numbers
    // end left of them.
    static constexpr int kBorderWidth = 2;

    TSynGutter();
    TSynGutter(const TSynGutter&) = delete;
    TSynGutter& operator=(const TSynGutter&) = delete;

    bool Visible() const { return visible_; }
    void SetVisible(bool Value) { Set(visible_, Value); }
    bool ShowLineNumbers() const { return showLineNumbers_; }
    void SetShowLineNumbers(bool Value) { Set(showLineNumbers_, Value); }
    int DigitCount() const { return digitCount_; }
    // Clamped to kMinDigitCount..kMaxDigitCount; also sets the automatic count.
    void SetDigitCount(int Value);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool Value) { Set(autoSize_, Value); }
    bool LeadingZeros() const { return leadingZeros_; }
    void SetLeadingZeros(bool Value) { Set(leadingZeros_, Value); }
    bool ZeroStart() const { return zeroStart_; }
    void SetZeroStart(bool Value) { Set(zeroStart_, Value); }
    int LineNumberStart() const { return lineNumberStart_; }
    // Below 0 becomes 0; ZeroStart becomes true exactly when it is 0.
    void SetLineNumberStart(int Value);
    int LeftOffset() const { return leftOffset_; }
    void SetLeftOffset(int Value) { Set(leftOffset_, Value < 0 ? 0 : Value); }
    int RightOffset() const { return rightOffset_; }
    void SetRightOffset(int Value) { Set(rightOffset_, Value < 0 ? 0 : Value); }
    // Used only when line numbers are off.
    int Width() const { return width_; }
    void SetWidth(int Value) { Set(width_, Value < 0 ? 0 : Value); }
    TColor Color() const { return color_; }
    void SetColor(TColor Value) { Set(color_, Value); }
    TFont& Font() { return font_; }
    const TFont& Font() const { return font_; }
    void SetFont(const TFont& Value) { font_.Assign(Value); }
    // Numbers measured and painted with the gutter font (true) or the
    // editor font (false).
    bool UseFontStyle() const { return useFontStyle_; }
    void SetUseFontStyle(bool Value) { Set(useFontStyle_, Value); }
    TSynGutterBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TSynGutterBorderStyle Value) { Set(borderStyle_, Value); }
    TColor BorderColor() const { return borderColor_; }
    void SetBorderColor(TColor Value) { Set(borderColor_, Value); }
    bool Gradient() const { return gradient_; }
    void SetGradient(bool Value) { Set(gradient_, Value); }
    TColor GradientStartColor() const { return gradientStartColor_; }
    void SetGradientStartColor(TColor Value) { Set(gradientStartColor_, Value); }
    TColor GradientEndColor() const { return gradientEndColor_; }
    void SetGradientEndColor(TColor Value) { Set(gradientEndColor_, Value); }
    int GradientSteps() const { return gradientSteps_; }
    void SetGradientSteps(int Value) { Set(gradientSteps_, Value < 2 ? 2 : Value); }
    // Mouse cursor over the gutter, as the front end numbers its shapes.
    int Cursor() const { return cursor_; }
    void SetCursor(int Value) { Set(cursor_, Value); }

    // Digits actually used: DigitCount, or more when AutoSize widened it.
    int AutoSizeDigitCountValue() const { return autoSizeDigitCount_; }
    // With Visible, AutoSize and ShowLineNumbers: the digits of the highest
    // line number, at least DigitCount; fires OnChange when that changes.
    void AutoSizeDigitCount(int LinesCount);
    // Line (1-based) as shown: right-aligned in the automatic digit count,
    // blanks or (LeadingZeros) zeros in front; longer numbers are not cut.
    std::string FormatLineNumber(int Line) const;
    // The same into Text, reusing its capacity.
    void FormatLineNumber(int Line, std::string& Text) const;
    // Pixels the gutter takes with characters CharWidth wide when its marker
    // glyphs need MarkerArea pixels left of the numbers: LeftOffset widens
    // to that (with line numbers off, Width does).
    int RealGutterWidth(int CharWidth, int MarkerArea = 0) const;

private:
    void FontChanged(TObject*) { Changed(); }
    int ShownNumber(int Line) const;

    bool visible_ = true;
    bool showLineNumbers_ = false;
    int digitCount_ = 4;
    int autoSizeDigitCount_ = 4;
    bool autoSize_ = false;
    bool leadingZeros_ = false;
    bool zeroStart_ = false;
    int lineNumberStart_ = 1;
    int leftOffset_ = 16;
    int rightOffset_ = 2;
    int width_ = 30;
    TColor color_ = clBtnFace;
    TFont font_{"Courier New", 11, clWindowText, fpDefault};
    bool useFontStyle_ = true;
    TSynGutterBorderStyle borderStyle_ = gbsMiddle;
    TColor borderColor_ = clWindow;
    bool gradient_ = false;
    TColor gradientStartColor_ = clWindow;
    TColor gradientEndColor_ = clBtnFace;
    int gradientSteps_ = 48;
    int cursor_ = 0;
};

// Colours of selected text.
class TSynSelectedColor : public TSynSettingsObject {
public:
    TColor Background() const { return background_; }
    void SetBackground(TColor Value) { Set(background_, Value); }
    TColor Foreground() const { return foreground_; }
    void SetForeground(TColor Value) { Set(foreground_, Value); }

private:
    TColor background_ = clHighlight;
    TColor foreground_ = clHighlightText;
};

// How bookmarks behave and where their glyphs sit in the gutter.
class TSynBookMarkOpt : public TSynSettingsObject {
public:
    // An image list of the front end's; null means the built-in glyphs.
    const void* BookmarkImages() const { return bookmarkImages_; }
    void SetBookmarkImages(const void* Value) { Set(bookmarkImages_, Value); }
    bool DrawBookmarksFirst() const { return drawBookmarksFirst_; }
    void SetDrawBookmarksFirst(bool Value) { Set(drawBookmarksFirst_, Value); }
    bool EnableKeys() const { return enableKeys_; }
    void SetEnableKeys(bool Value) { Set(enableKeys_, Value); }
    bool GlyphsVisible() const { return glyphsVisible_; }
    void SetGlyphsVisible(bool Value) { Set(glyphsVisible_, Value); }
    int LeftMargin() const { return leftMargin_; }
    void SetLeftMargin(int Value) { Set(leftMargin_, Value); }
    int Xoffset() const { return xoffset_; }
    void SetXoffset(int Value) { Set(xoffset_, Value); }

private:
    const void* bookmarkImages_ = nullptr;
    bool drawBookmarksFirst_ = true;
    bool enableKeys_ = true;
    bool glyphsVisible_ = true;
    int leftMargin_ = 2;
    int xoffset_ = 12;
};

// The built-in glyph strip "EditorInternalImages": ten equal-width images
// for bookmarks 0 to 9, side by side.
const TSynBitmap& EditorInternalImages();
inline constexpr int kInternalImageCount = kBookmarkCount;

// The glyphs of the run's markers, equal-width images side by side in this
// order: a breakpoint (a dot), a disabled one (a ring), the execution point
// (an arrow), the error line (a warning sign).
enum TSynDebugGlyph : std::uint8_t {
    dgBreakpoint,
    dgDisabledBreakpoint,
    dgExecutionPoint,
    dgError
};
inline constexpr int kDebugGlyphCount = 4;
const TSynBitmap& EditorDebugImages();

// Pixels left of the line numbers that the marker glyphs take: a column of
// Xoffset pixels after LeftMargin for the run's markers and bookmarks, and a
// second one while a line shows a bookmark (or mark) beside a breakpoint,
// the execution point or the error line; the glyphs then stand side by side.
int MarkerAreaWidth(const TSynBookMarkOpt& Options, const TSynMarkerSet& Markers);

} // namespace marlinet::editor
