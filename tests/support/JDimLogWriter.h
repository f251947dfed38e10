#pragma once
// Post logs written the way JDim's own code writes them, from the texts as the user typed
// them: one line per post, UTF-8, appended; every newline becomes "<br>" (a CR typed before
// one stays, as CR "<br>"); "&", """, "<" and ">" are escaped in the board name, subject,
// name, mail and message, except inside a URL of the message, which is written raw. A URL
// starts at one of the schemes "http://", "https://", "ftp://", "ttp://", "ttps://", "tp://",
// "tps://", "sssp://" wherever it stands and runs over the characters
// !#$%&'()*+,-./0-9:;=?@A-Z[]^_a-z|~ only.
#include <string>
#include <vector>

namespace lorvanel::testing {

// One post as it was typed and sent; all texts UTF-8.
struct JDimTypedPost {
    std::string url;   // the thread URL (a new thread's key is 0000000000)
    std::string board; // the board's name as the browser shows it
    std::string subject;
    std::string name; // a trip as typed: "name#key"
    std::string mail;
    std::string date;    // "2024/06/22(土) 12:34:56"
    std::string message; // lines end in "\n" (or "\r\n" pasted)
};

// The text as JDim escapes it outside a URL.
std::string jdimEscaped(const std::string& typed);
// The message as JDim writes it: escaped outside URLs, newlines as "<br>".
std::string jdimMessage(const std::string& typed);
// The post's line, with its newline.
std::string jdimLogLine(const JDimTypedPost& post);

// Files of a rotated log: JDim starts a new "postlog" once the current one holds
// postsPerFile posts, renaming the full ones "postlog-1", "postlog-2", ... (oldest first).
// Returns the file names, oldest first, with their contents.
std::vector<std::pair<std::string, std::string>>
jdimLogFiles(const std::vector<JDimTypedPost>& posts, std::size_t postsPerFile);

} // namespace lorvanel::testing
