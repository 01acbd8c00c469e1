// TSynSearch: finds a pattern in the editor's lines, as plain text or as a
// regular expression (PCRE2), and works out what a replacement makes of a
// line. It only reads the lines; selecting a match and changing the text are
// the editor's (TCustomSynEdit::FindNext, ReplaceAll and their kin).
//
// Lines are 8-bit text read as Latin-1 and may hold any byte, NUL included.
// A match never spans lines. Ignoring case folds the Latin-1 letters in plain
// searches, but only A-Z in regular expressions (PCRE2 without UTF), where
// \w, \b and [[:alpha:]] are ASCII too.
//
// Empty matches (a regular expression such as ^ or x*) are found like others
// but never directly after the previous match, nor at the position a forward
// search starts from: so stepping from match to match, marking all the
// matches of a line and replacing them all see the same matches, and every
// step makes progress.
//
// Units: TBufferCoord is 1-based; byte offsets into a line are 0-based. A
// match's End is the position after its last character (equal to Start for
// an empty match).
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "editor/string_list.h"
#include "editor/types.h"
#include "highlight/char_set.h"

namespace marlinet::editor {

struct TSynSearchOptions {
    bool MatchCase = false;
    // A match must not start or end inside a word (see SetWordChars).
    bool WholeWord = false;
    // The pattern is a PCRE2 regular expression; replacements then insert
    // groups with $1, ${1} or ${name}, and $$ stands for a dollar sign.
    bool RegularExpression = false;
};

struct TSynSearchMatch {
    TBufferCoord Start;
    TBufferCoord End;

    bool operator==(const TSynSearchMatch&) const = default;
};

// Why a pattern or a replacement cannot be used, or why matching gave up:
// the message, and the 0-based byte offset in the pattern or replacement
// where the fault lies (-1 when there is none, as for a match that
// backtracked beyond the limit).
struct TSynSearchError {
    std::string Message;
    int Offset = -1;

    bool operator==(const TSynSearchError&) const = default;
};

struct TSynSearchResult {
    bool Found = false;
    // The search passed the end of the text (backwards: its start) and went
    // on from the other end.
    bool Wrapped = false;
    TSynSearchMatch Match;
    // Set when matching gave up; nothing is found then.
    std::optional<TSynSearchError> Error;
};

// What replacing did: how many matches were replaced, or why nothing was.
struct TSynReplaceResult {
    int Count = 0;
    std::optional<TSynSearchError> Error;
};

// What a replacement did to one line.
struct TSynLineReplace {
    int Count = 0;    // matches replaced
    std::string Text; // the new line (untouched when Count is 0)
    std::optional<TSynSearchError> Error;
};

class TSynSearch {
public:
    TSynSearch();
    ~TSynSearch();
    TSynSearch(TSynSearch&&) noexcept;
    TSynSearch& operator=(TSynSearch&&) noexcept;

    // Sets and compiles the pattern. A regular expression that does not
    // compile is reported (and kept in PatternError); the search then finds
    // nothing until the next SetPattern. An empty pattern finds nothing and
    // is no error.
    std::optional<TSynSearchError> SetPattern(std::string_view Pattern,
                                              const TSynSearchOptions& Options);
    const std::string& Pattern() const { return pattern_; }
    const TSynSearchOptions& Options() const { return options_; }
    const std::optional<TSynSearchError>& PatternError() const { return patternError_; }
    // A pattern that is not empty and compiled.
    bool Active() const;

    // The characters words are made of for WholeWord: by default the
    // Latin-1 letters, the digits and '_'.
    void SetWordChars(const highlight::TSynIdentChars& Chars) { wordChars_ = Chars; }
    const highlight::TSynIdentChars& WordChars() const { return wordChars_; }

    // The first match starting at From or after it (an empty one not at
    // From). With Wrap, when there is none up to the end of the text, the
    // first match from the start of the text up to From.
    TSynSearchResult FindNext(const TSynEditStringList& Lines, TBufferCoord From, bool Wrap);
    // The last match starting before From. With Wrap, when there is none,
    // the last match of the text starting at From or after it.
    TSynSearchResult FindPrevious(const TSynEditStringList& Lines, TBufferCoord From, bool Wrap);
    // Every match on lines FirstLine..LastLine (1-based, either clamped to
    // the text), in order and not overlapping: what replacing all of them
    // would replace. Stops at a line where matching gives up.
    std::vector<TSynSearchMatch> FindAll(const TSynEditStringList& Lines, int FirstLine,
                                         int LastLine);
    // The same into Matches (emptied first), which keeps its capacity: the
    // view marks the matches of the rows it paints without allocating.
    void FindAll(const TSynEditStringList& Lines, int FirstLine, int LastLine,
                 std::vector<TSynSearchMatch>& Matches);

    // Whether the match that a search from byte Start of Line finds is
    // exactly [Start, End).
    bool IsMatch(std::string_view Line, int Start, int End);
    // What replaces the match [Start, End) of Line: Replacement itself, or
    // for a regular expression with its groups filled in. Nothing when
    // [Start, End) is not a match (IsMatch) or the replacement is faulty
    // (Error tells why).
    std::optional<std::string> Expand(std::string_view Line, int Start, int End,
                                      std::string_view Replacement,
                                      std::optional<TSynSearchError>& Error);
    // Line with every match lying inside bytes [From, To) replaced.
    TSynLineReplace ReplaceInLine(std::string_view Line, int From, int To,
                                  std::string_view Replacement);

private:
    struct Regex;
    enum class Status { Found, None, Failed };

    // The first match in Line starting at byte From or after it, except an
    // empty one at NotEmptyAt; Error is set when matching fails.
    Status FindInLine(std::string_view Line, int From, int NotEmptyAt, int& Start, int& End,
                      std::optional<TSynSearchError>& Error);
    // One raw match (no word test) from Pos.
    Status MatchFrom(std::string_view Line, int Pos, bool NotEmptyAtPos, int& Start, int& End,
                     std::optional<TSynSearchError>& Error);
    bool WholeWordAt(std::string_view Line, int Start, int End) const;
    // Calls Visit(start, end) for each match of the line from byte From on, as
    // FindAll and ReplaceInLine see them, until it returns false.
    template <class F>
    Status EachMatch(std::string_view Line, int From, std::optional<TSynSearchError>& Error,
                     F&& Visit);
    // The last match of Line (as EachMatch sees them) with a start in
    // [Low, High).
    Status LastMatchIn(std::string_view Line, int Low, int High, int& Start, int& End,
                       std::optional<TSynSearchError>& Error);
    // A regular expression's replacement for the match just made.
    std::optional<std::string> Substitute(std::string_view Line, std::string_view Replacement,
                                          std::optional<TSynSearchError>& Error);

    std::string pattern_;
    std::string folded_; // the plain pattern in lower case, when case is ignored
    TSynSearchOptions options_;
    std::optional<TSynSearchError> patternError_;
    std::unique_ptr<Regex> regex_;
    highlight::TSynIdentChars wordChars_;
};

} // namespace marlinet::editor
