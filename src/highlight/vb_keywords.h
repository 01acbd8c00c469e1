// The character tables and the keyword list of the BASIC highlighter. All of
// it is constant data, fixed before any highlighter exists and shared by
// every instance.
//
// A keyword is found by its hash, the sum of the letter values of its
// characters (A and a 1 ... Z and z 26, "_" 31, digits 0), which picks a
// bucket; the words of that bucket are then compared one by one. The tables
// below and the bucket routines of TSynVBSyn must stay in step: the checks at
// the end of this file hold them together.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace marlinet::highlight::vb {

// True for the bytes that continue an identifier: 0-9, A-Z, "_", a-z.
inline constexpr std::array<bool, 256> kIdentifierChar = [] {
    std::array<bool, 256> table{};
    for (int c = 0; c < 256; ++c)
        table[static_cast<std::size_t>(c)] =
            (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || c == '_' || (c >= 'a' && c <= 'z');
    return table;
}();

// The hash contribution of each byte; 0 for everything but letters and "_".
inline constexpr std::array<std::int32_t, 256> kLetterValue = [] {
    std::array<std::int32_t, 256> table{};
    for (int c = 'A'; c <= 'Z'; ++c)
        table[static_cast<std::size_t>(c)] = c - 'A' + 1;
    for (int c = 'a'; c <= 'z'; ++c)
        table[static_cast<std::size_t>(c)] = c - 'a' + 1;
    table['_'] = 31;
    return table;
}();

// Both tables in one, for the hash walk: the letter value of an identifier
// byte, -1 for a byte that ends the identifier.
inline constexpr std::array<std::int8_t, 256> kHashStep = [] {
    std::array<std::int8_t, 256> table{};
    for (std::size_t c = 0; c < 256; ++c)
        table[c] = kIdentifierChar[c] ? static_cast<std::int8_t>(kLetterValue[c]) : std::int8_t{-1};
    return table;
}();

// Hash values from 0 to 133 have a bucket; a larger hash is no keyword.
inline constexpr int kBucketCount = 134;

struct Keyword {
    int hash;
    std::string_view word;
    // "rem" starts a comment instead of being shown as a keyword.
    bool starts_comment = false;
};

// Every word, grouped by hash in ascending order.
inline constexpr Keyword kKeywords[] = {
    {8, "adc"},          {8, "dac"},
    {10, "ddb"},         {15, "if"},
    {17, "each"},        {18, "me"},
    {19, "and"},         {19, "do"},
    {20, "as"},          {21, "cdbl"},
    {22, "abs"},         {23, "end"},
    {23, "asc"},         {23, "tab"},
    {24, "iif"},         {26, "mid"},
    {26, "eof"},         {26, "dim"},
    {26, "rdac"},        {27, "rgb"},
    {27, "base"},        {28, "fv"},
    {28, "beep"},        {28, "call"},
    {28, "case"},        {28, "is"},
    {29, "on"},          {29, "chr"},
    {30, "loc"},         {30, "date"},
    {31, "dir"},         {31, "len"},
    {32, "mod"},         {32, "get"},
    {33, "name"},        {33, "lof"},
    {33, "or"},          {33, "cdate"},
    {34, "log"},         {35, "clrb"},
    {35, "val"},         {35, "tan"},
    {35, "to"},          {35, "atn"},
    {36, "clng"},        {36, "rnd"},
    {36, "rem", true},   {37, "cos"},
    {37, "begin"},       {37, "let"},
    {37, "hex"},         {38, "spc"},
    {38, "pv"},          {38, "imp"},
    {38, "oct"},         {39, "dateadd"},
    {39, "clear"},       {39, "for"},
    {39, "fix"},         {40, "scale"},
    {40, "seek"},        {40, "sgn"},
    {40, "line"},        {40, "lcase"},
    {41, "lock"},        {41, "err"},
    {41, "else"},        {42, "chdir"},
    {42, "sub"},         {42, "sin"},
    {42, "new"},         {43, "csng"},
    {43, "int"},         {43, "left"},
    {44, "cvar"},        {44, "kill"},
    {44, "set"},         {44, "rate"},
    {44, "space"},       {44, "eqv"},
    {45, "ccur"},        {45, "irr"},
    {45, "sln"},         {45, "exp"},
    {46, "setb"},        {46, "cint"},
    {46, "wend"},        {47, "delay"},
    {47, "time"},        {47, "cbool"},
    {47, "then"},        {48, "long"},
    {48, "syd"},         {48, "erase"},
    {49, "wradc"},       {49, "ucase"},
    {49, "redim"},       {49, "pmt"},
    {49, "not"},         {50, "circle"},
    {50, "open"},        {52, "raise"},
    {52, "now"},         {52, "npv"},
    {52, "byte"},        {52, "form"},
    {53, "nper"},        {54, "sqr"},
    {54, "class"},       {54, "close"},
    {55, "mkdir"},       {55, "datediff"},
    {55, "object"},      {55, "cbyte"},
    {56, "lset"},        {56, "shell"},
    {56, "elseif"},      {57, "str"},
    {57, "goto"},        {57, "xor"},
    {57, "put"},         {57, "while"},
    {58, "mirr"},        {58, "isdate"},
    {58, "ipmt"},        {58, "exit"},
    {58, "loop"},        {59, "double"},
    {60, "with"},        {60, "second"},
    {60, "cstr"},        {60, "pset"},
    {60, "trim"},        {61, "tstb"},
    {62, "rmdir"},       {62, "right"},
    {62, "rset"},        {62, "hour"},
    {63, "next"},        {63, "filelen"},
    {63, "public"},      {63, "command"},
    {63, "array"},       {64, "select"},
    {64, "gosub"},       {64, "boolean"},
    {64, "width"},       {65, "timer"},
    {65, "ppmt"},        {66, "freefile"},
    {66, "single"},      {66, "cverr"},
    {67, "reset"},       {68, "lbound"},
    {69, "chdrive"},     {70, "stop"},
    {70, "month"},       {70, "module"},
    {71, "const"},       {71, "compare"},
    {72, "ltrim"},       {72, "static"},
    {73, "curdir"},      {73, "format"},
    {74, "weekday"},     {74, "error"},
    {75, "write"},       {76, "until"},
    {76, "unlock"},      {77, "ubound"},
    {77, "print"},       {78, "integer"},
    {78, "rtrim"},       {79, "empty"},
    {80, "instr"},       {80, "input"},
    {80, "msgbox"},      {81, "deftype"},
    {81, "resume"},      {82, "minute"},
    {82, "switch"},      {82, "qbcolor"},
    {83, "isobject"},    {85, "variant"},
    {85, "datepart"},    {87, "string"},
    {87, "nothing"},     {87, "isnull"},
    {87, "getobject"},   {89, "option"},
    {91, "private"},     {91, "datevalue"},
    {91, "fileattr"},    {91, "isarray"},
    {91, "filecopy"},    {91, "getattr"},
    {94, "dateserial"},  {96, "return"},
    {97, "environ"},     {98, "explicit"},
    {99, "typename"},    {101, "system"},
    {102, "function"},   {102, "version"},
    {102, "sendkeys"},   {102, "iserror"},
    {103, "setattr"},    {104, "doevents"},
    {104, "strcomp"},    {105, "randomize"},
    {107, "isempty"},    {107, "currency"},
    {107, "vartype"},    {107, "createobject"},
    {108, "timevalue"},  {109, "filedatetime"},
    {111, "isnumeric"},  {111, "strconv"},
    {111, "timeserial"}, {114, "appactivate"},
    {116, "attribute"},  {118, "ismissing"},
    {133, "property"},
};

inline constexpr std::size_t kKeywordCount = std::size(kKeywords);

// The slice of kKeywords that one hash value selects.
struct Bucket {
    std::size_t first = 0;
    std::size_t count = 0;
};

inline constexpr std::array<Bucket, kBucketCount> kBuckets = [] {
    std::array<Bucket, kBucketCount> buckets{};
    for (std::size_t i = kKeywordCount; i-- > 0;) {
        Bucket& bucket = buckets[static_cast<std::size_t>(kKeywords[i].hash)];
        bucket.first = i;
        ++bucket.count;
    }
    return buckets;
}();

constexpr int HashOf(std::string_view word) noexcept {
    int hash = 0;
    for (char c : word)
        hash += kLetterValue[static_cast<unsigned char>(c)];
    return hash;
}

// The checks that keep the list, its hashes and the buckets consistent.
constexpr bool KeywordListIsConsistent() noexcept {
    for (std::size_t i = 0; i < kKeywordCount; ++i) {
        const Keyword& k = kKeywords[i];
        if (k.hash < 0 || k.hash >= kBucketCount || HashOf(k.word) != k.hash) return false;
        if (i > 0 && kKeywords[i - 1].hash > k.hash) return false;
        for (char c : k.word)
            if (c < 'a' || c > 'z') return false;
    }
    return true;
}
static_assert(KeywordListIsConsistent());
static_assert(kKeywordCount == 223);
static_assert([] {
    int used = 0;
    std::size_t widest = 0;
    for (const Bucket& b : kBuckets) {
        used += b.count > 0 ? 1 : 0;
        widest = b.count > widest ? b.count : widest;
    }
    return used == 90 && widest == 6;
}());

} // namespace marlinet::highlight::vb
