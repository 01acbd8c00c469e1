// The base highlighter: its attribute list, base answers, abstract
// operations, copying between highlighters and the placeable list.
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "highlight/highlighter_list.h"
#include "highlight/vb_highlighter.h"
#include "recorder.h"

namespace marlinet::highlight {
namespace {

using testing::Recorder;

// A highlighter that only adds attributes, in an order unlike their names'.
class TTestHighlighter : public TSynCustomHighlighter {
public:
    explicit TTestHighlighter(TComponent* AOwner) : TSynCustomHighlighter(AOwner) {}
    using TSynCustomHighlighter::AddAttribute;
    using TSynCustomHighlighter::SetAttributesOnChange;

    static const TSynHighlighterClassInfo& ClassInfo() noexcept {
        static const TSynHighlighterClassInfo info{
            "TTestHighlighter", &TSynCustomHighlighter::ClassInfo(),
            [] { return std::string("Test Language"); },
            [] { return TSynHighlighterCapabilities{hcUserSettings}; },
            [](TComponent* o) -> std::unique_ptr<TSynCustomHighlighter> {
                return std::make_unique<TTestHighlighter>(o);
            }};
        return info;
    }
    TSynCustomHighlighterClass ClassType() const noexcept override { return &ClassInfo(); }
    void SetSampleSource(std::string Value) override { sample = std::move(Value); }
    std::string GetSampleSource() const override { return sample; }
    std::string sample;
};

// Derives from the BASIC highlighter and keeps a sample of its own.
class TSynVBDerived : public TSynVBSyn {
public:
    using TSynVBSyn::TSynVBSyn;
    static const TSynHighlighterClassInfo& ClassInfo() noexcept {
        static const TSynHighlighterClassInfo info{"TSynVBDerived", &TSynVBSyn::ClassInfo(),
                                                   [] { return std::string("VB Dialect"); },
                                                   &TSynVBSyn::GetCapabilities, nullptr};
        return info;
    }
    TSynCustomHighlighterClass ClassType() const noexcept override { return &ClassInfo(); }
    void SetSampleSource(std::string Value) override { sample = std::move(Value); }
    std::string sample = "unchanged";
};

std::vector<std::string> AttributeNames(const TSynCustomHighlighter& hl) {
    std::vector<std::string> names;
    for (int i = 0; i < hl.GetAttribCount(); ++i)
        names.push_back(hl.GetAttribute(i)->Name());
    return names;
}

TEST(AttributeList, EnumeratesByNameIgnoringCaseNotByCreation) {
    TTestHighlighter hl(nullptr);
    hl.AddAttribute(std::make_unique<TSynHighlighterAttributes>("zeta"));
    hl.AddAttribute(std::make_unique<TSynHighlighterAttributes>("Alpha"));
    hl.AddAttribute(std::make_unique<TSynHighlighterAttributes>("beta"));
    EXPECT_EQ(AttributeNames(hl), (std::vector<std::string>{"Alpha", "beta", "zeta"}));

    TSynVBSyn vb(nullptr);
    EXPECT_EQ(AttributeNames(vb),
              (std::vector<std::string>{"Comment", "Identifier", "Number", "Reserved Word", "Space",
                                        "String", "Symbol"}));
}

TEST(AttributeList, OutOfRangeIndicesGiveNull) {
    TSynVBSyn vb(nullptr);
    EXPECT_EQ(vb.GetAttribute(-1), nullptr);
    EXPECT_EQ(vb.GetAttribute(7), nullptr);
    EXPECT_NE(vb.GetAttribute(6), nullptr);
}

TEST(AttributeList, RejectsADuplicateNameInAnyCaseAndStaysUnchanged) {
    TTestHighlighter hl(nullptr);
    hl.AddAttribute(std::make_unique<TSynHighlighterAttributes>("Comment"));
    try {
        hl.AddAttribute(std::make_unique<TSynHighlighterAttributes>("COMMENT"));
        FAIL() << "duplicate accepted";
    } catch (const EStringListError& e) {
        EXPECT_STREQ(e.what(), "String list does not allow duplicates");
    }
    EXPECT_EQ(AttributeNames(hl), (std::vector<std::string>{"Comment"}));
}

TEST(AttributeList, SetAttributesOnChangeRecordsDefaultsAndAttachesTheHandler) {
    TTestHighlighter hl(nullptr);
    TSynHighlighterAttributes* a =
        hl.AddAttribute(std::make_unique<TSynHighlighterAttributes>("A"));
    a->SetForeground(clLime);
    Recorder r;
    hl.HookAttrChangeEvent(r.Slot());
    EXPECT_EQ(r.Count(), 0); // no handler yet
    TSynCustomHighlighter* base = &hl;
    hl.SetAttributesOnChange(TNotifyEvent::Of<&TSynCustomHighlighter::DefHighlightChange>(base));
    EXPECT_FALSE(a->GetForegroundColorStored());
    a->SetForeground(clAqua);
    ASSERT_EQ(r.Count(), 1);
    EXPECT_EQ(r.senders[0], a);
}

TEST(BaseHighlighter, AnswersTheBaseValues) {
    TSynCustomHighlighter hl(nullptr);
    EXPECT_EQ(TSynCustomHighlighter::GetLanguageName(), "<Unknown>");
    EXPECT_EQ(hl.GetLanguageNameProp(), "<Unknown>");
    EXPECT_EQ(hl.GetCapabilitiesProp(), TSynHighlighterCapabilities{hcRegistry});
    EXPECT_FALSE(hl.GetCapabilitiesProp().Contains(hcUserSettings));
    EXPECT_TRUE(hl.Enabled());
    EXPECT_EQ(hl.GetDefaultFilter(), "");
    EXPECT_TRUE(hl.IsFilterStored());
    EXPECT_EQ(hl.GetSampleSource(), "");
    hl.SetSampleSource("ignored");
    EXPECT_EQ(hl.GetSampleSource(), "");
    EXPECT_FALSE(hl.IsKeyword("print"));
    EXPECT_EQ(hl.GetRange(), 0);
    EXPECT_EQ(hl.GetAttribCount(), 0);
    EXPECT_EQ(hl.ClassName(), "TSynCustomHighlighter");

    const TSynIdentChars ident = hl.GetIdentChars();
    EXPECT_EQ(ident.Count(), 223U);
    EXPECT_FALSE(ident.Contains(' '));
    EXPECT_TRUE(ident.Contains('!'));
    EXPECT_TRUE(ident.Contains(static_cast<unsigned char>(255)));

    const TSynIdentChars& breaks = hl.WordBreakChars();
    EXPECT_EQ(breaks.Count(), 22U);
    for (char c : std::string("!\"'()*+,-./:;=?[\\]^{|}"))
        EXPECT_TRUE(breaks.Contains(c)) << c;
    EXPECT_FALSE(breaks.Contains('_'));
    EXPECT_FALSE(breaks.Contains(' '));
}

TEST(BaseHighlighter, UserSettingsAreNotSupported) {
    TSynCustomHighlighter hl(nullptr);
    std::vector<std::string> settings{"left over"};
    hl.EnumUserSettings(settings);
    EXPECT_TRUE(settings.empty());
    EXPECT_FALSE(hl.UseUserSettings(0));
}

TEST(BaseHighlighter, AbstractOperationsFailWithAbstractError) {
    TSynCustomHighlighter hl(nullptr);
    const std::string line = "x";
    EXPECT_THROW(hl.SetLine(line, 0), EAbstractError);
    EXPECT_THROW(hl.Next(), EAbstractError);
    EXPECT_THROW(hl.GetEol(), EAbstractError);
    EXPECT_THROW(hl.GetToken(), EAbstractError);
    EXPECT_THROW(hl.GetTokenPos(), EAbstractError);
    EXPECT_THROW(hl.GetTokenKind(), EAbstractError);
    EXPECT_THROW(hl.GetTokenAttribute(), EAbstractError);
    EXPECT_THROW(hl.GetDefaultAttribute(0), EAbstractError);
    EXPECT_THROW(hl.NextToEol(), EAbstractError);
    try {
        hl.GetEol();
    } catch (const EAbstractError& e) {
        EXPECT_STREQ(e.what(), "Abstract Error");
    }
}

TEST(HighlighterAssign, CopiesAttributesByExactNameAndTheSettings) {
    TSynVBSyn source(nullptr), target(nullptr);
    source.KeyAttri()->SetForeground(clWhite);
    source.KeyAttri()->SetStyle(fsBold | fsItalic);
    source.CommentAttri()->SetBackground(clBlack);
    source.SetDefaultFilter("Basic|*.bas");
    source.SetEnabled(false);
    source.SetWordBreakChars(TSynIdentChars().Include('!'));
    Recorder r;
    target.HookAttrChangeEvent(r.Slot());
    target.Assign(&source);
    EXPECT_EQ(target.KeyAttri()->Foreground(), clWhite);
    EXPECT_EQ(target.KeyAttri()->Style(), fsBold | fsItalic);
    EXPECT_EQ(target.CommentAttri()->Background(), clBlack);
    EXPECT_EQ(target.GetDefaultFilter(), "Basic|*.bas");
    EXPECT_FALSE(target.Enabled());
    EXPECT_EQ(target.WordBreakChars(), TSynIdentChars().Include('!'));
    // Two changed attributes and Enabled.
    EXPECT_EQ(r.Count(), 3);
}

TEST(HighlighterAssign, MatchesAttributeNamesCaseSensitively) {
    TTestHighlighter source(nullptr), target(nullptr);
    source.AddAttribute(std::make_unique<TSynHighlighterAttributes>("comment"))
        ->SetForeground(clLime);
    source.AddAttribute(std::make_unique<TSynHighlighterAttributes>("Other"))
        ->SetForeground(clAqua);
    TSynHighlighterAttributes* own =
        target.AddAttribute(std::make_unique<TSynHighlighterAttributes>("Comment"));
    TSynHighlighterAttributes* other =
        target.AddAttribute(std::make_unique<TSynHighlighterAttributes>("Other"));
    target.Assign(&source);
    EXPECT_EQ(own->Foreground(), clNone);
    EXPECT_EQ(other->Foreground(), clAqua);
}

TEST(HighlighterAssign, TakesTheSampleOnlyFromTheSameOrADerivedClass) {
    TSynVBSyn vb(nullptr);
    TSynVBDerived derived(nullptr), same(nullptr);
    derived.Assign(&vb); // a base class of the target: no sample
    EXPECT_EQ(derived.sample, "unchanged");
    derived.Assign(&same);
    EXPECT_EQ(derived.sample, vb.GetSampleSource());

    TTestHighlighter a(nullptr), b(nullptr);
    b.sample = "b's sample";
    a.Assign(&b);
    EXPECT_EQ(a.sample, "b's sample");
}

TEST(HighlighterAssign, FromSomethingElseFails) {
    TSynVBSyn vb(nullptr);
    TSynHighlighterAttributes attribute("Comment");
    try {
        vb.Assign(&attribute);
        FAIL() << "no failure";
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "Cannot assign a TSynHighlighterAttributes to a TSynVBSyn");
    }
    EXPECT_THROW(vb.Assign(nullptr), EConvertError);
}

TEST(PlaceableHighlighters, TheBasicHighlighterIsRegisteredFromTheStart) {
    TSynHighlighterList& list = GetPlaceableHighlighters();
    ASSERT_GE(list.Count(), 1);
    EXPECT_EQ(list.GetItem(list.FindByName("Visual Basic")), &TSynVBSyn::ClassInfo());
    EXPECT_EQ(list.GetItem(-1), nullptr);
    EXPECT_EQ(list.GetItem(list.Count()), nullptr);
}

TEST(PlaceableHighlighters, RegisteringTwiceListsOnce) {
    TSynHighlighterList& list = GetPlaceableHighlighters();
    const int before = list.Count();
    RegisterPlaceableHighlighter(&TSynVBSyn::ClassInfo());
    EXPECT_EQ(list.Count(), before);
    RegisterPlaceableHighlighter(&TTestHighlighter::ClassInfo());
    RegisterPlaceableHighlighter(&TTestHighlighter::ClassInfo());
    EXPECT_EQ(list.Count(), before + 1);
}

TEST(PlaceableHighlighters, FindByNameIsExactAndCaseSensitive) {
    TSynHighlighterList list;
    list.Add(&TSynVBSyn::ClassInfo());
    list.Add(&TTestHighlighter::ClassInfo());
    EXPECT_EQ(list.FindByName("Visual Basic"), 0);
    EXPECT_EQ(list.FindByName("Test Language"), 1);
    EXPECT_EQ(list.FindByName("visual basic"), -1);
    EXPECT_EQ(list.FindByName("Visual"), -1);
}

TEST(PlaceableHighlighters, FindByClassAcceptsInstancesOfSubclasses) {
    TSynHighlighterList list;
    list.Add(&TTestHighlighter::ClassInfo());
    list.Add(&TSynVBSyn::ClassInfo());
    TSynVBDerived derived(nullptr);
    TSynVBSyn vb(nullptr);
    TSynCustomHighlighter base(nullptr);
    TComponent plain(nullptr);
    EXPECT_EQ(list.FindByClass(&vb), 1);
    EXPECT_EQ(list.FindByClass(&derived), 1);
    EXPECT_EQ(list.FindByClass(&base), -1);
    EXPECT_EQ(list.FindByClass(&plain), -1);
    EXPECT_EQ(list.FindByClass(nullptr), -1);
}

TEST(PlaceableHighlighters, ClassDescriptorsAnswerWithoutAnInstance) {
    const TSynCustomHighlighterClass vb = &TSynVBSyn::ClassInfo();
    EXPECT_EQ(vb->GetLanguageName(), "Visual Basic");
    EXPECT_EQ(vb->GetCapabilities(), TSynHighlighterCapabilities{hcRegistry});
    EXPECT_TRUE(vb->InheritsFrom(&TSynCustomHighlighter::ClassInfo()));
    EXPECT_FALSE(TSynCustomHighlighter::ClassInfo().InheritsFrom(vb));
    const std::unique_ptr<TSynCustomHighlighter> made = vb->Create(nullptr);
    EXPECT_EQ(made->ClassType(), vb);
    EXPECT_EQ(made->GetAttribCount(), 7);
}

} // namespace
} // namespace marlinet::highlight
