#pragma once
// Where a URL names its board directory: after ".cgi/" or "bbs=" in a thread URL, or as the
// path component before the last "/" of a board URL. The readers cut the URL after the
// directory so that `dir` can point into it.
namespace lorvanel {

struct DirectoryMatch {
    const char* dir = nullptr; // start of the directory; null when the rule found none
    char* end = nullptr;       // the byte after it, which the reader cuts
};

// Thread URLs: the text after ".cgi/" up to the next "/", else after "bbs=" up to the next
// "&". A rule whose closing byte is missing counts as not found. On the rental BBS whose
// boards are numbered within a category (hosts jbbs.shitaraba.net, jbbs.livedoor.jp and
// jbbs.shitaraba.com) the directory is the two components "CATEGORY/NUMBER" after ".cgi/"
// when both are there, so that its boards stay apart.
DirectoryMatch threadUrlDirectory(char* url);

// Board URLs: the component between the "/" before the last "/" (any "/" just before that
// one stepped over) and that point. None when no "/" precedes it. On that rental BBS, the two
// components of the path before that point when both are there.
DirectoryMatch boardUrlDirectory(char* url);

} // namespace lorvanel
