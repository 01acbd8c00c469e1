// Editor command codes and their names.
//
// Codes 1..1000 are executed by the editor; codes from ecUserFirst up are
// passed to the owner only. Movement commands 1..17 each have a selecting
// twin at code + 100. The codes are stored in keystroke streams: never renumber.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace marlinet::editor {

using TSynEditorCommand = std::uint16_t;

constexpr TSynEditorCommand ecNone = 0;

constexpr TSynEditorCommand ecLeft = 1;
constexpr TSynEditorCommand ecRight = 2;
constexpr TSynEditorCommand ecUp = 3;
constexpr TSynEditorCommand ecDown = 4;
constexpr TSynEditorCommand ecWordLeft = 5;
constexpr TSynEditorCommand ecWordRight = 6;
constexpr TSynEditorCommand ecLineStart = 7;
constexpr TSynEditorCommand ecLineEnd = 8;
constexpr TSynEditorCommand ecPageUp = 9;
constexpr TSynEditorCommand ecPageDown = 10;
constexpr TSynEditorCommand ecPageLeft = 11;
constexpr TSynEditorCommand ecPageRight = 12;
constexpr TSynEditorCommand ecPageTop = 13;
constexpr TSynEditorCommand ecPageBottom = 14;
constexpr TSynEditorCommand ecEditorTop = 15;
constexpr TSynEditorCommand ecEditorBottom = 16;
constexpr TSynEditorCommand ecGotoXY = 17;

constexpr TSynEditorCommand ecSelection = 100; // offset of the selecting twins
constexpr TSynEditorCommand ecSelLeft = ecLeft + ecSelection;
constexpr TSynEditorCommand ecSelRight = ecRight + ecSelection;
constexpr TSynEditorCommand ecSelUp = ecUp + ecSelection;
constexpr TSynEditorCommand ecSelDown = ecDown + ecSelection;
constexpr TSynEditorCommand ecSelWordLeft = ecWordLeft + ecSelection;
constexpr TSynEditorCommand ecSelWordRight = ecWordRight + ecSelection;
constexpr TSynEditorCommand ecSelLineStart = ecLineStart + ecSelection;
constexpr TSynEditorCommand ecSelLineEnd = ecLineEnd + ecSelection;
constexpr TSynEditorCommand ecSelPageUp = ecPageUp + ecSelection;
constexpr TSynEditorCommand ecSelPageDown = ecPageDown + ecSelection;
constexpr TSynEditorCommand ecSelPageLeft = ecPageLeft + ecSelection;
constexpr TSynEditorCommand ecSelPageRight = ecPageRight + ecSelection;
constexpr TSynEditorCommand ecSelPageTop = ecPageTop + ecSelection;
constexpr TSynEditorCommand ecSelPageBottom = ecPageBottom + ecSelection;
constexpr TSynEditorCommand ecSelEditorTop = ecEditorTop + ecSelection;
constexpr TSynEditorCommand ecSelEditorBottom = ecEditorBottom + ecSelection;
constexpr TSynEditorCommand ecSelGotoXY = ecGotoXY + ecSelection;

constexpr TSynEditorCommand ecSelWord = 198;
constexpr TSynEditorCommand ecSelectAll = 199;
constexpr TSynEditorCommand ecCopy = 201;
constexpr TSynEditorCommand ecScrollUp = 211;
constexpr TSynEditorCommand ecScrollDown = 212;
constexpr TSynEditorCommand ecScrollLeft = 213;
constexpr TSynEditorCommand ecScrollRight = 214;
constexpr TSynEditorCommand ecInsertMode = 221;
constexpr TSynEditorCommand ecOverwriteMode = 222;
constexpr TSynEditorCommand ecToggleMode = 223;
constexpr TSynEditorCommand ecNormalSelect = 231;
constexpr TSynEditorCommand ecColumnSelect = 232;
constexpr TSynEditorCommand ecLineSelect = 233;
constexpr TSynEditorCommand ecMatchBracket = 250;
constexpr TSynEditorCommand ecCommentBlock = 251;
constexpr TSynEditorCommand ecGotoMarker0 = 301; // ..ecGotoMarker0 + 9
constexpr TSynEditorCommand ecSetMarker0 = 351;  // ..ecSetMarker0 + 9
constexpr TSynEditorCommand ecContextHelp = 490;
constexpr TSynEditorCommand ecDeleteLastChar = 501;
constexpr TSynEditorCommand ecDeleteChar = 502;
constexpr TSynEditorCommand ecDeleteWord = 503;
constexpr TSynEditorCommand ecDeleteLastWord = 504;
constexpr TSynEditorCommand ecDeleteBOL = 505;
constexpr TSynEditorCommand ecDeleteEOL = 506;
constexpr TSynEditorCommand ecDeleteLine = 507;
constexpr TSynEditorCommand ecClearAll = 508;
constexpr TSynEditorCommand ecLineBreak = 509;
constexpr TSynEditorCommand ecInsertLine = 510;
constexpr TSynEditorCommand ecChar = 511;
constexpr TSynEditorCommand ecImeStr = 550;
constexpr TSynEditorCommand ecUndo = 601;
constexpr TSynEditorCommand ecRedo = 602;
constexpr TSynEditorCommand ecCut = 603;
constexpr TSynEditorCommand ecPaste = 604;
constexpr TSynEditorCommand ecBlockIndent = 610;
constexpr TSynEditorCommand ecBlockUnindent = 611;
constexpr TSynEditorCommand ecTab = 612;
constexpr TSynEditorCommand ecShiftTab = 613;
constexpr TSynEditorCommand ecUpperCase = 620;
constexpr TSynEditorCommand ecLowerCase = 621;
constexpr TSynEditorCommand ecToggleCase = 622;
constexpr TSynEditorCommand ecTitleCase = 623;
constexpr TSynEditorCommand ecUpperCaseBlock = 625;
constexpr TSynEditorCommand ecLowerCaseBlock = 626;
constexpr TSynEditorCommand ecToggleCaseBlock = 627;
constexpr TSynEditorCommand ecString = 630;
constexpr TSynEditorCommand ecAutoCompletion = 650;
constexpr TSynEditorCommand ecUserFirst = 1001;

constexpr TSynEditorCommand ecGotoMarker(int n) {
    return static_cast<TSynEditorCommand>(ecGotoMarker0 + n);
}
constexpr TSynEditorCommand ecSetMarker(int n) {
    return static_cast<TSynEditorCommand>(ecSetMarker0 + n);
}

// One entry of the name table.
struct TSynEditorCommandName {
    TSynEditorCommand Code;
    std::string_view Name;
};

// Number of entries in the name table.
constexpr int kEditorCommandNameCount = 101;

// Name to code, ignoring case; false when the name is not in the table.
bool IdentToEditorCommand(std::string_view Ident, TSynEditorCommand& Command);
// Code to the first name the table gives it; false when it has none.
bool EditorCommandToIdent(TSynEditorCommand Command, std::string& Ident);
// The name, or the code in decimal when it has none.
std::string EditorCommandToCodeString(TSynEditorCommand Command);
// Descriptions are not kept: always empty.
std::string EditorCommandToDescrString(TSynEditorCommand Command);

// "ecSelWordLeft" <-> "Select Word Left".
std::string ConvertCodeStringToExtended(std::string_view AString);
std::string ConvertExtendedToCodeString(std::string_view AString);
// A code name (any case after a lower-case "ec") to its code; ecNone if none.
TSynEditorCommand ConvertCodeStringToCommand(std::string_view AString);
// A readable or code name to its code; ecNone if none.
TSynEditorCommand ConvertExtendedToCommand(std::string_view AString);

// The code at 0-based position Index of the name table. Raises
// std::out_of_range outside 0..kEditorCommandNameCount - 1.
TSynEditorCommand IndexToEditorCommand(int Index);

using TGetStrProc = std::function<void(const std::string&)>;
// Calls Proc with every name of the table, in table order.
void GetEditorCommandValues(const TGetStrProc& Proc);
void GetEditorCommandExtended(const TGetStrProc& Proc);

} // namespace marlinet::editor
