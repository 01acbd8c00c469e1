// Loading and saving a highlighter's attributes: INI files and the settings
// store (TSynRegistry). The scanning classes know nothing of either; this
// unit reads and writes their published values through their setters and
// getters, so a load notifies exactly as the same changes made by hand.
//
// The layout, shared by both stores: one section (INI) or subkey (store) per
// attribute, named by the attribute's name, with the integer values
// "Background", "Foreground" (signed decimal TColor values) and "Style"
// (bold 1, italic 2, underline 4, strike-out 8).
#pragma once

#include <string>

#include "highlight/attributes.h"
#include "highlight/custom_highlighter.h"
#include "highlight/ini_file.h"
#include "highlight/settings_registry.h"

namespace marlinet::highlight {

// The key names of the persisted settings.
inline constexpr const char* kBackgroundKey = "Background";
inline constexpr const char* kForegroundKey = "Foreground";
inline constexpr const char* kStyleKey = "Style";

// ---- one attribute ----

// Loading answers false and changes nothing when the attribute's section is
// missing or empty; otherwise each key present is applied. Saving writes all
// three keys into the file's text (the caller writes the file).
bool LoadFromFile(TSynHighlighterAttributes& Attr, const TIniFile& Ini);
bool SaveToFile(const TSynHighlighterAttributes& Attr, TIniFile& Ini);

// The subkey beneath the store's current key, which is the same afterwards.
// Loading opens it read-only and answers false when it is missing; saving
// creates it when needed.
bool LoadFromRegistry(TSynHighlighterAttributes& Attr, TSynRegistry& Reg);
bool SaveToRegistry(const TSynHighlighterAttributes& Attr, TSynRegistry& Reg);

// ---- every attribute of a highlighter, in list order ----
//
// Each answers true only when every attribute answered true (and, saving,
// the file or store was written); every attribute is visited even after one
// failed.

// The named INI file; a missing file loads as an empty one.
bool LoadFromFile(TSynCustomHighlighter& Highlighter, const std::string& AFileName);
bool SaveToFile(const TSynCustomHighlighter& Highlighter, const std::string& AFileName);

// Beneath Key of the program's store of RootKey. Loading opens the key
// read-only, saving creates it; false when it cannot be opened.
bool LoadFromRegistry(TSynCustomHighlighter& Highlighter, TSynRootKey RootKey,
                      const std::string& Key);
bool SaveToRegistry(const TSynCustomHighlighter& Highlighter, TSynRootKey RootKey,
                    const std::string& Key);
// The same in a given store.
bool LoadFromRegistry(TSynCustomHighlighter& Highlighter, TSynRegistry& Reg,
                      const std::string& Key);
bool SaveToRegistry(const TSynCustomHighlighter& Highlighter, TSynRegistry& Reg,
                    const std::string& Key);

} // namespace marlinet::highlight
