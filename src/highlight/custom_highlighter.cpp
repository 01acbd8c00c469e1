#include "highlight/custom_highlighter.h"

#include <algorithm>

#include "support/ascii.h"

namespace marlinet::highlight {

using support::CompareText;
using support::SameText;

bool TSynHighlighterClassInfo::InheritsFrom(const TSynHighlighterClassInfo* AClass) const noexcept {
    for (const TSynHighlighterClassInfo* c = this; c != nullptr; c = c->Parent)
        if (c == AClass) return true;
    return false;
}

const TSynHighlighterClassInfo& TSynCustomHighlighter::ClassInfo() noexcept {
    static const TSynHighlighterClassInfo info{
        "TSynCustomHighlighter", nullptr, &TSynCustomHighlighter::GetLanguageName,
        &TSynCustomHighlighter::GetCapabilities,
        [](TComponent* AOwner) { return std::make_unique<TSynCustomHighlighter>(AOwner); }};
    return info;
}

TSynCustomHighlighter::TSynCustomHighlighter(TComponent* AOwner)
    : TComponent(AOwner), attr_change_hooks_(this), word_break_chars_(TSynWordBreakChars) {}

TSynCustomHighlighter::~TSynCustomHighlighter() {
    Destroying();
    while (!attributes_.empty())
        attributes_.pop_back();
}

// ---- attributes ----

int TSynCustomHighlighter::GetAttribCount() const {
    return static_cast<int>(attributes_.size());
}

TSynHighlighterAttributes* TSynCustomHighlighter::GetAttribute(int Index) const {
    if (Index < 0 || Index >= GetAttribCount()) return nullptr;
    return attributes_[static_cast<std::size_t>(Index)].attribute.get();
}

TSynHighlighterAttributes* TSynCustomHighlighter::GetDefaultAttribute(int) const {
    throw EAbstractError();
}

TSynHighlighterAttributes*
TSynCustomHighlighter::AddAttribute(std::unique_ptr<TSynHighlighterAttributes> AAttrib) {
    const std::string& name = AAttrib->Name();
    auto place = std::lower_bound(attributes_.begin(), attributes_.end(), name,
                                  [](const NamedAttribute& entry, const std::string& key) {
                                      return CompareText(entry.name, key) < 0;
                                  });
    if (place != attributes_.end() && SameText(place->name, name))
        throw EStringListError("String list does not allow duplicates");
    TSynHighlighterAttributes* added = AAttrib.get();
    attributes_.insert(place, NamedAttribute{name, std::move(AAttrib)});
    return added;
}

void TSynCustomHighlighter::SetAttributesOnChange(TNotifyEvent AEvent) {
    for (NamedAttribute& entry : attributes_) {
        entry.attribute->SetOnChange(AEvent);
        entry.attribute->InternalSaveDefaultValues();
    }
}

// ---- scanning protocol: the base scans nothing ----

void TSynCustomHighlighter::SetLine(const std::string&, int) {
    throw EAbstractError();
}
bool TSynCustomHighlighter::GetEol() const {
    throw EAbstractError();
}
void TSynCustomHighlighter::Next() {
    throw EAbstractError();
}
std::string TSynCustomHighlighter::GetToken() const {
    throw EAbstractError();
}
int TSynCustomHighlighter::GetTokenLength() const {
    return static_cast<int>(GetToken().size());
}
int TSynCustomHighlighter::GetTokenPos() const {
    throw EAbstractError();
}
int TSynCustomHighlighter::GetTokenKind() const {
    throw EAbstractError();
}
TSynHighlighterAttributes* TSynCustomHighlighter::GetTokenAttribute() const {
    throw EAbstractError();
}

void TSynCustomHighlighter::NextToEol() {
    while (!GetEol())
        Next();
}

// ---- notification ----

void TSynCustomHighlighter::HookAttrChangeEvent(TNotifyEvent ANotifyEvent) {
    attr_change_hooks_.Add(ANotifyEvent);
}

void TSynCustomHighlighter::UnhookAttrChangeEvent(TNotifyEvent ANotifyEvent) {
    attr_change_hooks_.Remove(ANotifyEvent);
}

void TSynCustomHighlighter::BeginUpdate() noexcept {
    ++update_count_;
}

void TSynCustomHighlighter::EndUpdate() {
    if (update_count_ <= 0) return;
    --update_count_;
    if (update_count_ == 0 && update_change_) {
        update_change_ = false;
        DefHighlightChange(nullptr);
    }
}

void TSynCustomHighlighter::DefHighlightChange(TObject* Sender) {
    if (update_count_ > 0) {
        update_change_ = true;
        return;
    }
    if ((ComponentState() & csLoading) != 0) return;
    attr_change_hooks_.SetSender(Sender);
    attr_change_hooks_.Fire();
}

void TSynCustomHighlighter::SetEnabled(bool Value) {
    if (enabled_ == Value) return;
    enabled_ = Value;
    DefHighlightChange(nullptr);
}

void TSynCustomHighlighter::Loaded() {
    TComponent::Loaded();
    DefHighlightChange(nullptr);
}

// ---- description ----

TSynIdentChars TSynCustomHighlighter::GetIdentChars() const {
    return TSynIdentChars().IncludeRange(33, 255);
}

bool TSynCustomHighlighter::IsKeyword(const std::string&) const {
    return false;
}

void TSynCustomHighlighter::EnumUserSettings(std::vector<std::string>& Settings) const {
    Settings.clear();
}

bool TSynCustomHighlighter::UseUserSettings(int) {
    return false;
}

// ---- assignment ----

void TSynCustomHighlighter::Assign(const TPersistent* Source) {
    const auto* source = dynamic_cast<const TSynCustomHighlighter*>(Source);
    if (source == nullptr) {
        TComponent::Assign(Source);
        return;
    }
    for (int i = 0; i < GetAttribCount(); ++i) {
        TSynHighlighterAttributes* own = GetAttribute(i);
        for (int j = 0; j < source->GetAttribCount(); ++j) {
            const TSynHighlighterAttributes* theirs = source->GetAttribute(j);
            if (theirs->Name() == own->Name()) {
                own->Assign(theirs);
                break;
            }
        }
    }
    if (source->ClassType()->InheritsFrom(ClassType())) SetSampleSource(source->GetSampleSource());
    SetWordBreakChars(source->WordBreakChars());
    SetDefaultFilter(source->GetDefaultFilter());
    SetEnabled(source->Enabled());
}

} // namespace marlinet::highlight
