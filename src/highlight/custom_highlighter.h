// The base of every highlighter: the attributes it owns, the listeners it
// tells about attribute changes, and the scanning protocol an editor drives
// line by line.
//
// Scanning: SetLine makes the first token of a line current; Next moves on;
// GetEol is true once the line is exhausted, and then no token is current.
// A highlighter keeps a view of the line, not a copy: the caller keeps the
// string alive and unchanged until it is done with the line.
//
// Threads: none of this locks. Scanning, attribute changes and listeners run
// on the thread that owns the bound editors.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "highlight/attributes.h"
#include "highlight/char_set.h"
#include "highlight/component.h"
#include "highlight/notify_event.h"
#include "highlight/range.h"

namespace marlinet::highlight {

class TSynCustomHighlighter;

enum TSynHighlighterCapability : std::uint8_t { hcUserSettings = 0, hcRegistry = 1 };

using TSynHighlighterCapabilities = support::EnumSet<TSynHighlighterCapability, std::uint8_t>;

// What a highlighter class answers without an instance. Each class has one
// descriptor, whose address is the class's identity.
struct TSynHighlighterClassInfo {
    std::string_view ClassName;
    const TSynHighlighterClassInfo* Parent; // null for the base class
    std::string (*GetLanguageName)();
    TSynHighlighterCapabilities (*GetCapabilities)();
    std::unique_ptr<TSynCustomHighlighter> (*Create)(TComponent* AOwner);

    // True for this class and every class derived from it.
    bool InheritsFrom(const TSynHighlighterClassInfo* AClass) const noexcept;
};
using TSynCustomHighlighterClass = const TSynHighlighterClassInfo*;

// The roles of GetDefaultAttribute.
inline constexpr int SYN_ATTR_COMMENT = 0;
inline constexpr int SYN_ATTR_IDENTIFIER = 1;
inline constexpr int SYN_ATTR_KEYWORD = 2;
inline constexpr int SYN_ATTR_STRING = 3;
inline constexpr int SYN_ATTR_WHITESPACE = 4;
inline constexpr int SYN_ATTR_SYMBOL = 5;

class TSynCustomHighlighter : public TComponent {
public:
    explicit TSynCustomHighlighter(TComponent* AOwner);
    // Tells the owner and the free-notification partners first, so that a
    // bound editor unhooks itself while the listeners and attributes still
    // exist; then destroys the attributes, last to first.
    ~TSynCustomHighlighter() override;

    static const TSynHighlighterClassInfo& ClassInfo() noexcept;
    virtual TSynCustomHighlighterClass ClassType() const noexcept { return &ClassInfo(); }
    std::string_view ClassName() const override { return ClassType()->ClassName; }

    // ---- class-level description (a subclass hides these with its own) ----
    static std::string GetLanguageName() { return "<Unknown>"; }
    static TSynHighlighterCapabilities GetCapabilities() { return {hcRegistry}; }
    // The answers of this instance's class.
    std::string GetLanguageNameProp() const { return ClassType()->GetLanguageName(); }
    TSynHighlighterCapabilities GetCapabilitiesProp() const {
        return ClassType()->GetCapabilities();
    }

    // ---- attributes ----
    virtual int GetAttribCount() const;
    // In case-insensitive name order; null outside 0..GetAttribCount()-1.
    virtual TSynHighlighterAttributes* GetAttribute(int Index) const;
    // The attribute of a role (SYN_ATTR_*), or null when the class has none.
    virtual TSynHighlighterAttributes* GetDefaultAttribute(int Index) const;

    // ---- scanning protocol ----
    virtual void SetLine(const std::string& NewValue, int LineNumber);
    // The line is viewed, not copied: a temporary would be gone before the scan.
    void SetLine(std::string&&, int) = delete;
    virtual bool GetEol() const;
    virtual void Next();
    virtual std::string GetToken() const;
    // The length of GetToken without building it; painting measures every
    // token and must not allocate. The base measures GetToken.
    virtual int GetTokenLength() const;
    virtual int GetTokenPos() const;
    virtual int GetTokenKind() const;
    // Null: paint the token in the editor's own style and colours.
    virtual TSynHighlighterAttributes* GetTokenAttribute() const;
    // The base keeps no range: always 0.
    virtual TSynRange GetRange() const { return 0; }
    virtual void SetRange(TSynRange) {}
    virtual void ResetRange() {}
    void NextToEol();
    // True when no line's range depends on the lines above it: the range
    // after every line is the one ResetRange gives, so an editor knows all
    // ranges without scanning. False unless a highlighter says so.
    virtual bool ScansLinesIndependently() const { return false; }

    // ---- notification ----
    void HookAttrChangeEvent(TNotifyEvent ANotifyEvent);
    void UnhookAttrChangeEvent(TNotifyEvent ANotifyEvent);
    // Changes between the two reach the listeners once, at the outermost
    // EndUpdate, with an empty sender. An EndUpdate without a BeginUpdate
    // does nothing.
    void BeginUpdate() noexcept;
    void EndUpdate();
    // The change handler of every attribute: tells the listeners, with the
    // sender, unless an update bracket is open (then once at its end) or the
    // published values are being read (then Loaded tells them).
    void DefHighlightChange(TObject* Sender);
    // False makes the editor paint without highlighting.
    bool Enabled() const noexcept { return enabled_; }
    void SetEnabled(bool Value);
    // After the published values were read: tells the listeners once.
    void Loaded() override;

    // ---- description ----
    virtual std::string GetDefaultFilter() const { return default_filter_; }
    virtual void SetDefaultFilter(std::string Value) { default_filter_ = std::move(Value); }
    // Whether DefaultFilter needs saving with the window's settings (a
    // subclass answers false while it is the class's own).
    virtual bool IsFilterStored() const { return true; }
    virtual TSynIdentChars GetIdentChars() const;
    // Characters that end a word for the editor's word operations.
    const TSynIdentChars& WordBreakChars() const noexcept { return word_break_chars_; }
    virtual void SetWordBreakChars(const TSynIdentChars& AChars) { word_break_chars_ = AChars; }
    virtual std::string GetSampleSource() const { return {}; }
    virtual void SetSampleSource(std::string) {}
    virtual bool IsKeyword(const std::string& AKeyword) const;

    // ---- user settings ----
    // (Loading and saving the attributes is highlight/attribute_storage.h.)
    virtual void EnumUserSettings(std::vector<std::string>& Settings) const;
    virtual bool UseUserSettings(int SettingIndex);

    // From another highlighter: each own attribute from the source's first
    // attribute of exactly the same name, the sample source when the source
    // is of this class or a derived one, the word-break characters,
    // DefaultFilter and Enabled. Anything else fails with EConvertError.
    void Assign(const TPersistent* Source) override;

protected:
    // The highlighter owns the attribute from now on. Fails with
    // EStringListError when the name is taken (in any letter case).
    TSynHighlighterAttributes* AddAttribute(std::unique_ptr<TSynHighlighterAttributes> AAttrib);
    // Gives every attribute the handler and records its current values as
    // its defaults; concrete constructors call it after styling them, so
    // construction itself tells nobody.
    void SetAttributesOnChange(TNotifyEvent AEvent);

private:
    struct NamedAttribute {
        std::string name;
        std::unique_ptr<TSynHighlighterAttributes> attribute;
    };
    std::vector<NamedAttribute> attributes_; // sorted by name, case-insensitive
    TSynNotifyEventChain attr_change_hooks_;
    int update_count_ = 0;
    bool enabled_ = true;
    TSynIdentChars word_break_chars_;
    std::string default_filter_;
    bool update_change_ = false;
};

// The word-break characters every highlighter starts with.
inline constexpr TSynIdentChars TSynWordBreakChars =
    TSynIdentChars().IncludeAll("!\"'()*+,-./:;=?[\\]^{|}");

} // namespace marlinet::highlight
