#pragma once
// The built-in table of the known BBS family's boards and the rules that turn a post's
// server and directory into the board name people know, and a name back into a directory.
// A loader on the worker thread names boards while views and parallel walks read names, so
// every table but the built-in one is guarded; names handed out stay valid (entries are
// never erased).
#include <map>
#include <shared_mutex>
#include <string>
#include <string_view>
#include <utility>

namespace lorvanel {

struct PostRecord;

class BoardDirectory {
public:
    // Builds the boards map from the embedded board list; false when it is missing or empty.
    bool loadBoardList();
    // The same from a text in the board list's format (category and board lines, CP932).
    bool loadBoardListText(std::string_view text);

    // Display name of a directory: "不明な板" for none, the listed name, else the directory.
    const std::string& knownBoardName(std::string_view dir) const;
    // Display name of a post's board; names outside the family are "dir＠server". The text
    // stays valid until the program ends. Within the family each directory has texts of its
    // own (two directories of one name get two equal texts; a directory named later may get a
    // second), so the text a family post gets stands for its directory alone.
    const std::string& boardDisplayName(const PostRecord& post);
    // Directory of a display name (first board in directory order), else the name itself.
    std::string boardDirFromName(std::string_view name) const;
    // Server and directory that a filter's board name stands for; an empty server matches
    // any server. A name outside the family ("dir＠server") stands for its board only while a
    // loaded log has posts there; otherwise it resolves as an unknown name does (both empty).
    std::pair<std::string, std::string> resolveBoardFilter(std::string_view name) const;

    // A loaded log's names outside the family (as boardDisplayName handed them out): retained
    // when the log is loaded, released when it is cleared; a name counts while any log holds
    // it.
    void retainForeignBoard(std::string_view name);
    void releaseForeignBoard(std::string_view name);

    // A board name that a log wrote beside the post (JDim logs each post's board as the
    // browser shows it): from then on the display name of the post's board, when the built-in
    // list does not know that board, and a name brd_ selects it by. The first name given for
    // a board stays; a name that another board shows already is not taken.
    void nameBoard(const PostRecord& post, std::string_view name);

    // The built-in list, filled once at start before any other thread runs.
    const std::map<std::string, std::string, std::less<>>& boards() const { return boards_; }

private:
    const std::string& knownBoardNameLocked(std::string_view dir) const;

    mutable std::shared_mutex mutex_;
    // Names of directories the list lacks, handed out as stable texts.
    mutable std::map<std::string, std::string, std::less<>> unlisted_;
    std::map<std::string, std::string, std::less<>> boards_;
    struct ForeignBoard {
        std::string dir;
        int logs = 0; // loaded logs that hold posts of this board
    };
    // "dir＠server" of posts outside the family. Entries stay (their keys are the texts
    // handed out) while logs come and go.
    std::map<std::string, ForeignBoard, std::less<>> foreign_;
    // Names that logs wrote for boards the list lacks, by display name (server empty for a
    // board of the family); the key each board is found by ("dir" in the family,
    // "dir＠server" outside it) leads to its display name.
    struct NamedBoard {
        std::string dir;
        std::string server;
        int logs = 0; // loaded logs that hold posts of this board (outside the family)
    };
    std::map<std::string, NamedBoard, std::less<>> named_;
    std::map<std::string, const std::string*, std::less<>> namedByKey_;
};

// The process-wide directory.
BoardDirectory& boardDirectory();

// The embedded board list (CP932, CR LF).
std::string_view boardListResource();

} // namespace lorvanel
