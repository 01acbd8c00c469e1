// The main window's configuration of its editor and highlighter, and the
// copies of it that the editor's and highlighter's own tests run under
// (tests/editor/window_settings.h, tests/editor/qt/window_like_edit.h): a
// change to the window that is not made there too fails here.
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "highlight/component.h"
#include "recorder.h"
#include "window_like_edit.h"
#include "window_settings.h"
#include "workbench/main_window_editor.h"
#include "workbench/main_window_highlighter.h"

namespace marlinet::workbench {
namespace {

using namespace highlight;
using highlight::testing::Recorder;

TEST(MainWindowHighlighter, GivesTheWindowsColoursOverTheHighlightersOwn) {
    const auto window = CreateMainWindowHighlighter(nullptr);
    using Getter = TSynHighlighterAttributes* (TSynVBSyn::*)() const noexcept;
    const struct Expected {
        Getter get;
        TColor foreground;
        TFontStyles style;
    } expected[] = {
        {&TSynVBSyn::CommentAttri, clNone, fsItalic},
        {&TSynVBSyn::IdentifierAttri, RGB(255, 255, 0), {}},
        {&TSynVBSyn::KeyAttri, RGB(255, 255, 255), fsBold | fsItalic},
        {&TSynVBSyn::NumberAttri, RGB(0, 255, 255), {}},
        {&TSynVBSyn::SpaceAttri, clNone, {}},
        {&TSynVBSyn::StringAttri, RGB(128, 255, 255), {}},
        {&TSynVBSyn::SymbolAttri, clNone, {}},
    };
    for (const Expected& e : expected) {
        const TSynHighlighterAttributes* a = ((*window).*e.get)();
        EXPECT_EQ(a->Foreground(), e.foreground) << a->Name();
        EXPECT_EQ(a->Style(), e.style) << a->Name();
        EXPECT_EQ(a->Background(), clNone) << a->Name();
    }
    EXPECT_EQ(window->Name(), "SynVBSyn1");
    EXPECT_TRUE(window->Enabled());
    EXPECT_EQ(window->ComponentState() & csLoading, 0);
}

TEST(MainWindowHighlighter, StoresOnlyWhatDiffersFromTheConstructor) {
    const auto hl = CreateMainWindowHighlighter(nullptr);
    EXPECT_TRUE(hl->KeyAttri()->GetFontStyleStored());
    EXPECT_TRUE(hl->KeyAttri()->GetForegroundColorStored());
    EXPECT_FALSE(hl->KeyAttri()->GetBackgroundColorStored());
    EXPECT_FALSE(hl->CommentAttri()->GetFontStyleStored());
    EXPECT_FALSE(hl->SymbolAttri()->GetForegroundColorStored());
    EXPECT_FALSE(hl->IsFilterStored());
}

TEST(MainWindowHighlighter, LoadingTheSettingsNotifiesOnceWithNoSender) {
    TSynVBSyn hl(nullptr);
    Recorder editor;
    hl.HookAttrChangeEvent(editor.Slot());
    LoadMainWindowSettings(hl);
    ASSERT_EQ(editor.Count(), 1);
    EXPECT_EQ(editor.senders[0], nullptr);
    EXPECT_EQ(hl.KeyAttri()->Style(), fsBold | fsItalic);
}

TEST(MainWindowHighlighter, OwnerHearsOfItAndListenersHookedLaterHearChanges) {
    TComponent form(nullptr);
    const auto hl = CreateMainWindowHighlighter(&form);
    EXPECT_EQ(form.Components(0), hl.get());
    Recorder editor;
    hl->HookAttrChangeEvent(editor.Slot());
    hl->KeyAttri()->SetForeground(clLime);
    EXPECT_EQ(editor.Count(), 1);
}

TEST(MainWindowConfig, EditorTestsRunUnderTheWindowsOptionsAndColours) {
    EXPECT_EQ(editor::testing::kWindowOptions, kMainWindowEditorOptions);
    const auto window = CreateMainWindowHighlighter(nullptr);
    const auto copy = editor::testing::MakeWindowHighlighter();
    ASSERT_EQ(copy->GetAttribCount(), window->GetAttribCount());
    for (int i = 0; i < window->GetAttribCount(); ++i) {
        const TSynHighlighterAttributes* w = window->GetAttribute(i);
        const TSynHighlighterAttributes* c = copy->GetAttribute(i);
        EXPECT_EQ(std::tuple(c->Foreground(), c->Background(), c->Style().Bits()),
                  std::tuple(w->Foreground(), w->Background(), w->Style().Bits()))
            << w->Name();
    }
}

TEST(MainWindowConfig, QtEditorTestsConfigureTheWidgetAsTheWindowDoes) {
    editor::qt::TSynEdit window, copy;
    const auto highlighter = CreateMainWindowHighlighter(nullptr);
    ApplyMainWindowEditorSettings(window, highlighter.get());
    editor::testing::ConfigureLikeTheWindow(copy, highlighter.get());
    // Every setting either one makes, as text, so that a difference reads.
    const auto settings = [&](const editor::qt::TSynEdit& Edit) {
        const editor::TCustomSynEdit& c = Edit.Core();
        const auto font = [](const editor::TFont& f) {
            return f.Name() + " " + std::to_string(f.Height()) + " " + std::to_string(f.Color()) +
                   " " + std::to_string(int(f.Pitch())) + " " + std::to_string(f.Style().Bits()) +
                   " " + std::to_string(f.Charset());
        };
        return std::to_string(Edit.width()) + "x" + std::to_string(Edit.height()) + " colour " +
               std::to_string(c.Color()) + " font " + font(c.Font()) + " gutter " +
               std::to_string(c.Gutter().DigitCount()) + " " +
               std::to_string(c.Gutter().ShowLineNumbers()) + " " + font(c.Gutter().Font()) +
               " scroll bars " + std::to_string(int(c.ScrollBars())) + " options " +
               std::to_string(c.Options().Bits()) + " selection " +
               std::to_string(int(c.SelectionMode())) +
               (c.Highlighter() == highlighter.get() ? " bound" : " unbound");
    };
    EXPECT_EQ(settings(copy), settings(window));
}

} // namespace
} // namespace marlinet::workbench
