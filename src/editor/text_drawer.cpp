#include "editor/text_drawer.h"

#include <algorithm>
#include <cassert>
#include <cstdlib>

#include "editor/errors.h"

namespace marlinet::editor {

namespace {

constexpr const char* kSetBaseFontMessage = "SetBaseFont: 'Value' must be specified.";
constexpr std::size_t kDistanceStep = 64;

} // namespace

// --- TheFontsInfoManager ----------------------------------------------------------------

TheFontsInfoManager& TheFontsInfoManager::Instance() {
    static TheFontsInfoManager manager;
    return manager;
}

TSynFontsInfo* TheFontsInfoManager::GetFontsInfo(TSynFontEngine& Engine, const TSynLogFont& Font) {
    TSynLogFont key = Font;
    key.Style = {};
    for (auto& entry : entries_) {
        if (entry->Engine == &Engine && entry->BaseFont == key) {
            ++entry->RefCount;
            return entry.get();
        }
    }
    auto entry = std::make_unique<TSynFontsInfo>();
    entry->Engine = &Engine;
    entry->BaseFont = key;
    entry->RefCount = 1;
    entries_.push_back(std::move(entry));
    return entries_.back().get();
}

void TheFontsInfoManager::DropIfUnused(TSynFontsInfo* Info) {
    if (Info->RefCount > 0 || Info->LockCount > 0) return;
    std::erase_if(entries_, [Info](const auto& e) { return e.get() == Info; });
}

void TheFontsInfoManager::ReleaseFontsInfo(TSynFontsInfo* Info) {
    assert(Info && Info->RefCount > 0 && "unbalanced ReleaseFontsInfo");
    --Info->RefCount;
    DropIfUnused(Info);
}

void TheFontsInfoManager::LockFontsInfo(TSynFontsInfo* Info) {
    ++Info->LockCount;
}

void TheFontsInfoManager::UnlockFontsInfo(TSynFontsInfo* Info) {
    assert(Info->LockCount > 0 && "unbalanced UnlockFontsInfo");
    --Info->LockCount;
    DropIfUnused(Info);
}

// --- TheFontStock ------------------------------------------------------------------------

TheFontStock::TheFontStock(TSynFontEngine& Engine) : engine_(Engine) {}

TheFontStock::~TheFontStock() {
    if (locked_) Unlock();
    for (TSynFontsInfo* info : kept_)
        TheFontsInfoManager::Instance().ReleaseFontsInfo(info);
}

void TheFontStock::SetBaseFont(const TFont* Value) {
    if (!Value) throw ESynError(kSetBaseFontMessage);
    TheFontsInfoManager& manager = TheFontsInfoManager::Instance();
    TSynLogFont key = Value->LogFont();
    key.Style = {};
    auto kept = std::find_if(kept_.begin(), kept_.end(), [&](const TSynFontsInfo* info) {
        return info->Engine == &engine_ && info->BaseFont == key;
    });
    TSynFontsInfo* info = nullptr;
    if (kept != kept_.end()) {
        info = *kept;
        kept_.erase(kept);
    } else {
        info = manager.GetFontsInfo(engine_, key);
    }
    kept_.insert(kept_.begin(), info);
    if (locked_ && info != info_) {
        manager.UnlockFontsInfo(info_);
        manager.LockFontsInfo(info);
    }
    info_ = info;
    if (kept_.size() > kKeptFonts) {
        manager.ReleaseFontsInfo(kept_.back());
        kept_.pop_back();
    }
    SetStyle(Value->Style());
}

void TheFontStock::SetStyle(TFontStyles Value) {
    style_ = Value;
    if (!info_) return;
    auto& font = info_->Fonts[Value.Bits() & 15u];
    if (!font) {
        TSynLogFont log = info_->BaseFont;
        log.Style = Value;
        font = engine_.CreateFont(log);
    }
}

const TSynPlatformFont& TheFontStock::FontHandle() const {
    if (!info_) throw ESynError(kSetBaseFontMessage);
    return *info_->Fonts[style_.Bits() & 15u];
}

void TheFontStock::Lock() {
    if (locked_ || !info_) return;
    TheFontsInfoManager::Instance().LockFontsInfo(info_);
    locked_ = true;
}

void TheFontStock::Unlock() {
    if (!locked_) return;
    TheFontsInfoManager::Instance().UnlockFontsInfo(info_);
    locked_ = false;
}

// --- TheTextDrawer --------------------------------------------------------------------

TheTextDrawer::TheTextDrawer(TSynFontEngine& Engine, TFontStyles BaseStyle, const TFont* BaseFont)
    : stock_(Engine), baseStyle_(BaseStyle) {
    SetBaseFont(BaseFont);
}

TheTextDrawer::~TheTextDrawer() {
    assert(drawingCount_ == 0 && "TheTextDrawer destroyed while drawing");
}

void TheTextDrawer::SetBaseFont(const TFont* Value) {
    if (!Value) throw ESynError(kSetBaseFontMessage);
    stock_.SetBaseFont(Value);
    Recalc();
}

void TheTextDrawer::SetBaseStyle(TFontStyles Value) {
    if (Value == baseStyle_ && charWidth_ != 0) return;
    baseStyle_ = Value;
    Recalc();
}

void TheTextDrawer::Recalc() {
    const TFontStyles current = stock_.Style();
    stock_.SetStyle(baseStyle_);
    charWidth_ = stock_.CharAdvance();
    charHeight_ = stock_.CharHeight();
    stock_.SetStyle(current);
    distances_.clear();
    if (target_) SelectCurrent();
}

void TheTextDrawer::SetStyle(TFontStyles Value) {
    if (Value == stock_.Style()) return;
    stock_.SetStyle(Value);
    if (target_) target_->SelectFont(stock_.FontHandle());
}

void TheTextDrawer::SetForeColor(TColor Value) {
    if (Value == foreColor_) return;
    foreColor_ = Value;
    if (target_) target_->SetTextColor(Value);
}

void TheTextDrawer::SetBackColor(TColor Value) {
    if (Value == backColor_) return;
    backColor_ = Value;
    if (target_) target_->SetBkColor(Value);
}

void TheTextDrawer::SetCharExtra(int Value) {
    if (Value == charExtra_) return;
    charExtra_ = Value;
    distances_.clear();
}

void TheTextDrawer::SelectCurrent() {
    target_->SelectFont(stock_.FontHandle());
    target_->SetTextColor(foreColor_);
    target_->SetBkColor(backColor_);
}

void TheTextDrawer::BeginDrawing(TSynCanvas& Target) {
    if (target_) {
        assert(target_ == &Target && "BeginDrawing on a second target");
        ++drawingCount_;
        return;
    }
    target_ = &Target;
    drawingCount_ = 1;
    target_->SaveState();
    stock_.Lock();
    SelectCurrent();
}

void TheTextDrawer::EndDrawing() {
    assert(drawingCount_ > 0 && "unbalanced EndDrawing");
    if (drawingCount_ == 0) return;
    if (--drawingCount_ > 0) return;
    target_->RestoreState();
    stock_.Unlock();
    target_ = nullptr;
}

const int* TheTextDrawer::Distances(std::size_t Length) {
    if (distances_.size() < Length) {
        // Grown in whole steps, so a long line costs one growth, not many.
        const std::size_t size = (Length + kDistanceStep - 1) / kDistanceStep * kDistanceStep;
        distances_.assign(size, GetCharWidth());
    }
    return distances_.data();
}

void TheTextDrawer::TextOut(int X, int Y, std::string_view Text) {
    assert(target_ && "TextOut outside BeginDrawing/EndDrawing");
    if (!target_) return;
    target_->ExtTextOut(X, Y, {}, nullptr, Text, nullptr);
}

void TheTextDrawer::ExtTextOut(int X, int Y, TSynTextOutOptions Options, const TRect& Rect,
                               std::string_view Text) {
    assert(target_ && "ExtTextOut outside BeginDrawing/EndDrawing");
    if (!target_) return;
    target_->ExtTextOut(X, Y, Options, &Rect, Text, Distances(Text.size()));
}

} // namespace marlinet::editor
