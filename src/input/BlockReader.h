#pragma once
// The reader of every log written as blocks: a separator line, a fixed set of header lines,
// the message and a fixed terminator (formats 1, 2, 3, 5, 6, 7 and 8). A table of keywords
// configures it per format; it cuts the text in place and undoes its cuts exactly wherever
// a block turns out not to be one.
#include "input/DirectoryRules.h"
#include "input/LogReader.h"
#include "input/PostRecord.h"

#include <initializer_list>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace lorvanel {

class BlockReader : public LogReader {
public:
    // Keywords are matched byte-exactly at the start of a line; an empty one matches any.
    struct Keywords {
        std::string_view separator, date, board, subject, url, from, mail, terminator;
    };

    explicit BlockReader(int format) { configure(format); }

    // False for a number that is not a block format; the reader then parses nothing.
    bool configure(int format);
    int format() const { return format_; }

    bool parse(PostList& posts, PostArena& arena, char* text, std::size_t length) override;
    // "Jane" or "V2C" for a reader started as format 6, once it has parsed.
    const char* formatName() const override;

private:
    enum class Outcome { Ok, Failed, FallBackToV2c };
    enum class Match { Yes, No, Incomplete };
    enum class Scan { Block, None, Incomplete };

    struct Line {
        char* start;
        char* end;  // the line break, or the end of the text
        char* next; // the next line's start
        bool hasBreak() const { return end != next; }
    };
    // A byte that parsing overwrote with NUL, and what stood there.
    struct Cut {
        char* at;
        char was;
    };

    // One header line: its keyword, and where its value and its line break are kept.
    struct Step {
        std::string_view keyword;
        const char** value = nullptr;
        const char** lineEnd = nullptr;
    };

    static char* crlfTextOf(PostArena& arena, const char* text, std::size_t& length);
    Outcome parseOnce(PostList& posts, PostArena& arena, char* text, std::size_t length);
    Outcome fallBack(PostList& posts, PostArena& arena, PostRecord* previous);
    // Finds the next block at or after cursor and reads its header into current_. On Block,
    // cursor moves to the block's message; separator is where the block starts (also for an
    // incomplete block at the end of the text).
    Scan scanBlock(char*& cursor, char*& separator);
    // The start of the first line at or after the line start p that equals the separator.
    char* findSeparatorLine(char* p) const;
    // Header layouts: on Yes p is the message's first line, on No the line that failed.
    Match matchJaneFamily(char*& p, const char*& date);
    Match matchKachusha(char*& p, const char*& date);
    Match matchLive2ch(char*& p, const char*& date);
    Match matchHotzonu(char*& p, const char*& date, const char*& board);
    Match key(char*& p, std::string_view keyword, const char** value,
              const char** lineEnd = nullptr);
    Match keys(char*& p, std::initializer_list<Step> steps);
    void finishBlock(const char* date, char* board);
    void setDirectory(const DirectoryMatch& match);
    void setHotzonuBoard(char* board);

    Line lineAt(char* p) const;
    void cut(char* p);
    void restoreCutsFrom(std::size_t mark);
    bool endsWithTerminator(const char* body, const char* end) const;
    bool mayFallBack(const PostList& posts) const;
    void admit(PostList& posts, PostArena& arena, PostRecord* record, char* bodyEnd);

    int format_ = 0;
    Keywords kw_{};
    char* end_ = nullptr;
    PostRecord current_; // the block being read, copied into the arena once it is a post
    // The end of the block's URL line while its keys are read; the record keeps it as a
    // distance from the URL once the block is whole.
    const char* urlEnd_ = nullptr;
    std::vector<Cut> cuts_;
    std::size_t blockMark_ = 0; // first cut of the block being read
    // ホットゾヌ２ board names of the main BBS and their directories (null: the name itself).
    std::map<std::string, const char*, std::less<>> mainBbsDirs_;
};

} // namespace lorvanel
