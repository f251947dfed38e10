#pragma once
// What the sub-commands share besides their option parser (cli/CommandLine.h): loading the
// operands with the common options, and output in UTF-8 or raw CP932.
#include "cli/CommandLine.h"

#include <string_view>

namespace lorvanel {
class CDoc;
class PostList;
class PostLog;
} // namespace lorvanel

namespace lorvanel::cli {

// Loads the operands as one log within --limit-mb (the analysis log emptied first) and puts
// the posts that --filter selects (every post without it) into selection. False when no
// file could be loaded; the selection is empty then.
bool loadPosts(PostLog& log, PostList& selection, const CommonOptions& options);

// Loads the operands into the document (its statistics and report) and narrows it to the
// posts of --filter, as the program does. False when either fails; the messages have gone
// to standard error.
bool loadDocument(CDoc& doc, const CommonOptions& options);

// Messages raised while loading or analysing go to standard error as "lorvanel-cli: TEXT",
// each once: the analysis log written to standard error leaves them out. Set by main.
void installErrorOutput();

// Flushes standard output. A write that failed (a full disk, /dev/full) is reported as
// "lorvanel-cli: standard output: reason" and turns the status into 1.
int finishOutput(int status);

// Writes a CP932 text to standard output, converted to UTF-8 unless raw.
void writeText(std::string_view cp932, bool raw);
// Writes the analysis log's text to standard error in UTF-8, less the messages that were
// already printed as errors.
void writeAnalysisLogToStderr();

} // namespace lorvanel::cli
