#pragma once
// The material the generated posts are made of: the boards a user visits, the words, lines
// and ASCII art of their bodies, thread titles, names. All texts are CP932 bytes (this tool
// compiles its literals to CP932).
#include "Random.h"

#include <string>
#include <vector>

namespace loggen {

enum class Family { Main, Adult, Regional, Rental, Forum };
enum class Topic { Generic, Tech, News, Live, Hobby };
// How long a thread of the board stays open: fast boards fill a thread in hours.
enum class Pace { Fast, Medium, Slow };

struct Board {
    Family family;
    std::string server; // the host's first label, or the whole host outside the main BBS
    std::string dir;
    std::string name; // display name as the board list has it
    Topic topic;
    Pace pace;
    double weight;
    bool oneOff; // threads are one-off chatter, never numbered series
};

const std::vector<Board>& allBoards();

// The title of part `part` of a numbered series.
std::string seriesTitle(const std::string& series, int part);

// Name that the board's posters get when they leave the name empty.
const std::string& defaultName(const Board& board);

// The BBS name that a newest-first log writes after "＠" (empty: no "＠" at all).
const char* bbsLabel(Family family);

struct ThreadTitle {
    std::string text;
    std::string series; // non-empty for numbered series: the title with "%d" for the part
    int part = 0;
};

class Vocabulary {
public:
    explicit Vocabulary(std::string_view seed);

    // A body line in the style of the topic (never empty, never a separator).
    const std::string& line(Random& r, Topic topic) const;
    const std::string& urlLine(Random& r) const { return r.pick(urls_); }
    const std::vector<std::string>& asciiArt(Random& r) const { return r.pick(art_); }
    ThreadTitle title(Random& r, const Board& board) const;
    // Handles the user writes under, with and without a trip key.
    std::vector<std::string> handles(Random& r) const;

private:
    std::vector<std::vector<std::string>> pools_; // by Topic
    std::vector<std::string> urls_;
    std::vector<std::vector<std::string>> art_;
};

} // namespace loggen
