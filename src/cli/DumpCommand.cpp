// lorvanel-cli dump: every post of the loaded logs as one JSON object per line.
#include "cli/CliSupport.h"
#include "cli/Command.h"
#include "input/PostLog.h"
#include "platform/Encoding.h"
#include "platform/LocalTime.h"

#include <cstdio>
#include <string>
#include <vector>

namespace lorvanel::cli {

namespace {

// A CP932 text as a JSON string: UTF-8, with quotes, backslashes and control bytes escaped.
void appendJsonString(std::string& out, const char* cp932, std::string& scratch) {
    scratch.clear();
    appendCp932AsUtf8(scratch, cp932 ? cp932 : "");
    out += '"';
    for (const char ch : scratch) {
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (c < 0x20) {
                char esc[8];
                std::snprintf(esc, sizeof esc, "\\u%04x", c);
                out += esc;
            } else {
                out += ch;
            }
        }
    }
    out += '"';
}

void appendPostJson(std::string& out, const PostRecord& p, std::string& scratch) {
    auto key = [&](const char* name) {
        out += out.empty() ? "{\"" : ",\"";
        out += name;
        out += "\":";
    };
    auto text = [&](const char* name, const char* value) {
        key(name);
        appendJsonString(out, value, scratch);
    };
    auto flag = [&](const char* name, bool value) {
        key(name);
        out += value ? "true" : "false";
    };
    key("seq");
    out += std::to_string(p.seq);
    key("time");
    out += std::to_string(p.time);
    // The same moment as the local date and time it was logged with, so that scripts need no
    // time zone arithmetic.
    const LocalTime t = toLocalTime(p.time);
    char date[32];
    std::snprintf(date, sizeof date, "%04d-%02d-%02dT%02d:%02d:%02d", t.year, t.month, t.day,
                  t.hour, t.minute, t.second);
    key("date");
    out += '"';
    out += date;
    out += '"';
    text("title", p.title);
    text("name", p.name);
    text("mail", p.mail);
    text("body", p.body);
    text("url", p.urlText().c_str());
    text("server", p.server);
    text("dir", p.dir);
    text("board", p.boardName().c_str());
    key("lines");
    out += std::to_string(p.lineCount);
    flag("new_thread", p.newThread());
    flag("known_bbs", p.knownBbs());
    flag("ascii_art", p.isAsciiArt());
    out += "}\n";
}

int runDump(const std::vector<std::string>& args) {
    const CommonOptions options = CommandLine(kLimitMb | kFilter).parse(args);
    PostLog log;
    PostList chosen;
    const bool loaded = loadPosts(log, chosen, options);
    {
        std::string line, scratch;
        for (const PostRecord* p : chosen) {
            line.clear();
            appendPostJson(line, *p, scratch);
            std::fwrite(line.data(), 1, line.size(), stdout);
        }
        std::fflush(stdout);
    }
    releasePosts(chosen);
    writeAnalysisLogToStderr();
    return loaded ? kExitOk : kExitFailed;
}

const CommandRegistration registration{{
    "dump",
    "  dump [--limit-mb N] [--filter TEXT] FILE...\n"
    "      Loads the logs (at most the newest N megabytes of each; 0 = whole files) and\n"
    "      prints every post (with --filter, every post that the filter text selects) as\n"
    "      one JSON object per line (UTF-8), keys in this order:\n"
    "      seq, time (the post's logged local time, read in the time zone TZ, as seconds\n"
    "      since 1970-01-01 00:00 UTC), date (that local time as \"YYYY-MM-DDTHH:MM:SS\"),\n"
    "      title, name, mail, body, url, server, dir, board, lines, new_thread, known_bbs,\n"
    "      ascii_art. The analysis log goes to standard error. Exit status 1 when no file\n"
    "      could be loaded.",
    10,
    &runDump,
}};

} // namespace

} // namespace lorvanel::cli
