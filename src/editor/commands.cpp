#include "editor/commands.h"

#include <array>
#include <cctype>
#include <stdexcept>

#include "support/ascii.h"

namespace marlinet::editor {

namespace {

// The order is the order in which names are listed and searched.
constexpr std::array<TSynEditorCommandName, kEditorCommandNameCount> kCommandNames{{
    {ecNone, "ecNone"},
    {ecLeft, "ecLeft"},
    {ecRight, "ecRight"},
    {ecUp, "ecUp"},
    {ecDown, "ecDown"},
    {ecWordLeft, "ecWordLeft"},
    {ecWordRight, "ecWordRight"},
    {ecLineStart, "ecLineStart"},
    {ecLineEnd, "ecLineEnd"},
    {ecPageUp, "ecPageUp"},
    {ecPageDown, "ecPageDown"},
    {ecPageLeft, "ecPageLeft"},
    {ecPageRight, "ecPageRight"},
    {ecPageTop, "ecPageTop"},
    {ecPageBottom, "ecPageBottom"},
    {ecEditorTop, "ecEditorTop"},
    {ecEditorBottom, "ecEditorBottom"},
    {ecGotoXY, "ecGotoXY"},
    {ecSelLeft, "ecSelLeft"},
    {ecSelRight, "ecSelRight"},
    {ecSelUp, "ecSelUp"},
    {ecSelDown, "ecSelDown"},
    {ecSelWordLeft, "ecSelWordLeft"},
    {ecSelWordRight, "ecSelWordRight"},
    {ecSelLineStart, "ecSelLineStart"},
    {ecSelLineEnd, "ecSelLineEnd"},
    {ecSelPageUp, "ecSelPageUp"},
    {ecSelPageDown, "ecSelPageDown"},
    {ecSelPageLeft, "ecSelPageLeft"},
    {ecSelPageRight, "ecSelPageRight"},
    {ecSelPageTop, "ecSelPageTop"},
    {ecSelPageBottom, "ecSelPageBottom"},
    {ecSelEditorTop, "ecSelEditorTop"},
    {ecSelEditorBottom, "ecSelEditorBottom"},
    {ecSelGotoXY, "ecSelGotoXY"},
    {ecSelWord, "ecSelWord"},
    {ecSelectAll, "ecSelectAll"},
    {ecDeleteLastChar, "ecDeleteLastChar"},
    {ecDeleteChar, "ecDeleteChar"},
    {ecDeleteWord, "ecDeleteWord"},
    {ecDeleteLastWord, "ecDeleteLastWord"},
    {ecDeleteBOL, "ecDeleteBOL"},
    {ecDeleteEOL, "ecDeleteEOL"},
    {ecDeleteLine, "ecDeleteLine"},
    {ecClearAll, "ecClearAll"},
    {ecLineBreak, "ecLineBreak"},
    {ecInsertLine, "ecInsertLine"},
    {ecChar, "ecChar"},
    {ecImeStr, "ecImeStr"},
    {ecUndo, "ecUndo"},
    {ecRedo, "ecRedo"},
    {ecCut, "ecCut"},
    {ecCopy, "ecCopy"},
    {ecPaste, "ecPaste"},
    {ecScrollUp, "ecScrollUp"},
    {ecScrollDown, "ecScrollDown"},
    {ecScrollLeft, "ecScrollLeft"},
    {ecScrollRight, "ecScrollRight"},
    {ecInsertMode, "ecInsertMode"},
    {ecOverwriteMode, "ecOverwriteMode"},
    {ecToggleMode, "ecToggleMode"},
    {ecBlockIndent, "ecBlockIndent"},
    {ecBlockUnindent, "ecBlockUnindent"},
    {ecTab, "ecTab"},
    {ecShiftTab, "ecShiftTab"},
    {ecMatchBracket, "ecMatchBracket"},
    {ecCommentBlock, "ecCommentBlock"},
    {ecNormalSelect, "ecNormalSelect"},
    {ecColumnSelect, "ecColumnSelect"},
    {ecLineSelect, "ecLineSelect"},
    {ecAutoCompletion, "ecAutoCompletion"},
    {ecUserFirst, "ecUserFirst"},
    {ecContextHelp, "ecContextHelp"},
    {ecGotoMarker(0), "ecGotoMarker0"},
    {ecGotoMarker(1), "ecGotoMarker1"},
    {ecGotoMarker(2), "ecGotoMarker2"},
    {ecGotoMarker(3), "ecGotoMarker3"},
    {ecGotoMarker(4), "ecGotoMarker4"},
    {ecGotoMarker(5), "ecGotoMarker5"},
    {ecGotoMarker(6), "ecGotoMarker6"},
    {ecGotoMarker(7), "ecGotoMarker7"},
    {ecGotoMarker(8), "ecGotoMarker8"},
    {ecGotoMarker(9), "ecGotoMarker9"},
    {ecSetMarker(0), "ecSetMarker0"},
    {ecSetMarker(1), "ecSetMarker1"},
    {ecSetMarker(2), "ecSetMarker2"},
    {ecSetMarker(3), "ecSetMarker3"},
    {ecSetMarker(4), "ecSetMarker4"},
    {ecSetMarker(5), "ecSetMarker5"},
    {ecSetMarker(6), "ecSetMarker6"},
    {ecSetMarker(7), "ecSetMarker7"},
    {ecSetMarker(8), "ecSetMarker8"},
    {ecSetMarker(9), "ecSetMarker9"},
    {ecUpperCase, "ecUpperCase"},
    {ecLowerCase, "ecLowerCase"},
    {ecToggleCase, "ecToggleCase"},
    {ecTitleCase, "ecTitleCase"},
    {ecUpperCaseBlock, "ecUpperCaseBlock"},
    {ecLowerCaseBlock, "ecLowerCaseBlock"},
    {ecToggleCaseBlock, "ecToggleCaseBlock"},
    {ecString, "ecString"},
}};

bool IsUpperOrDigit(char c) {
    return std::isupper(static_cast<unsigned char>(c)) ||
           std::isdigit(static_cast<unsigned char>(c));
}

void ReplaceAll(std::string& s, std::string_view from, std::string_view to) {
    for (std::size_t pos = s.find(from); pos != std::string::npos;
         pos = s.find(from, pos + to.size()))
        s.replace(pos, from.size(), to);
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    return s;
}

} // namespace

bool IdentToEditorCommand(std::string_view Ident, TSynEditorCommand& Command) {
    for (const auto& entry : kCommandNames) {
        if (support::SameText(entry.Name, Ident)) {
            Command = entry.Code;
            return true;
        }
    }
    return false;
}

bool EditorCommandToIdent(TSynEditorCommand Command, std::string& Ident) {
    for (const auto& entry : kCommandNames) {
        if (entry.Code == Command) {
            Ident = entry.Name;
            return true;
        }
    }
    return false;
}

std::string EditorCommandToCodeString(TSynEditorCommand Command) {
    std::string name;
    if (EditorCommandToIdent(Command, name)) return name;
    return std::to_string(Command);
}

std::string EditorCommandToDescrString(TSynEditorCommand) {
    return {};
}

std::string ConvertCodeStringToExtended(std::string_view AString) {
    if (!AString.starts_with("ec")) return std::string(AString);
    std::string_view name = AString.substr(2);
    std::string spaced;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (i > 0 && IsUpperOrDigit(name[i]) && !IsUpperOrDigit(name[i - 1])) spaced += ' ';
        spaced += name[i];
    }
    std::string result(Trim(spaced));
    ReplaceAll(result, "Sel ", "Select ");
    ReplaceAll(result, "Marker ", "Bookmark ");
    return result;
}

std::string ConvertExtendedToCodeString(std::string_view AString) {
    if (AString.starts_with("ec")) return std::string(AString);
    std::string result(AString);
    if (result.find("Select All") == std::string::npos) ReplaceAll(result, "Select ", "Sel ");
    ReplaceAll(result, "Bookmark ", "Marker ");
    std::erase(result, ' ');
    return "ec" + result;
}

TSynEditorCommand ConvertCodeStringToCommand(std::string_view AString) {
    TSynEditorCommand command = ecNone;
    IdentToEditorCommand(AString, command);
    return command;
}

TSynEditorCommand ConvertExtendedToCommand(std::string_view AString) {
    return ConvertCodeStringToCommand(ConvertExtendedToCodeString(AString));
}

TSynEditorCommand IndexToEditorCommand(int Index) {
    if (Index < 0 || Index >= kEditorCommandNameCount)
        throw std::out_of_range("Editor command index " + std::to_string(Index) +
                                " is outside the name table");
    return kCommandNames[static_cast<std::size_t>(Index)].Code;
}

void GetEditorCommandValues(const TGetStrProc& Proc) {
    for (const auto& entry : kCommandNames)
        Proc(std::string(entry.Name));
}

void GetEditorCommandExtended(const TGetStrProc& Proc) {
    for (const auto& entry : kCommandNames)
        Proc(ConvertCodeStringToExtended(entry.Name));
}

} // namespace marlinet::editor
