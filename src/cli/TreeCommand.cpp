// lorvanel-cli tree: the filter tree of the desktop program as text, or the filter text that
// a selection of its items stands for.
#include "cli/CliSupport.h"
#include "cli/Command.h"
#include "cli/CommandLine.h"
#include "doc/CDoc.h"
#include "doc/DocFilter.h"
#include "platform/Clock.h"
#include "trees/FilterTree.h"
#include "trees/TreeListing.h"

#include <cstdio>
#include <optional>

namespace lorvanel::cli {

namespace {

struct TreeRequest {
    std::vector<std::string> paths;
    std::uint64_t byteLimit = 0;
    std::optional<std::string> filter; // CP932, not yet compiled
    std::optional<Time32> now;
    bool expandAll = false;
    std::vector<std::string> selectPaths; // UTF-8 as given
};

TreeRequest parseRequest(const std::vector<std::string>& args) {
    TreeRequest r;
    CommandLine line(kLimitMb);
    // Not the common --filter, which refuses a text that doesn't compile before anything is
    // read: here such a text leaves the whole log in the tree, as a click on such an item
    // does in the program.
    line.option("--filter",
                [&](const std::string& v) { r.filter = argumentToCp932(v, "--filter"); });
    line.option("--now", [&](const std::string& v) { r.now = parseNow(v); });
    line.option("--expand", [&](const std::string& v) {
        if (v != "all") throw UsageError{"--expand takes only 'all'"};
        r.expandAll = true;
    });
    line.option("--select", [&](const std::string& v) { r.selectPaths.push_back(v); });
    const CommonOptions common = line.parse(args);
    r.paths = common.operands;
    r.byteLimit = common.byteLimit;
    return r;
}

int runTree(const std::vector<std::string>& args) {
    const TreeRequest request = parseRequest(args);
    FixedClock fixed(request.now.value_or(0));
    const Clock& clock = request.now ? static_cast<const Clock&>(fixed) : systemClock();
    CDoc doc;
    doc.setClock(clock);

    bool ok = doc.load(request.paths, false, request.byteLimit);
    if (ok && request.filter) ok = applyFilter(doc, *request.filter);

    FilterTree tree;
    tree.rebuild(doc.selectionStatistics(), !doc.postLog().posts.empty(), clock.now());
    if (request.expandAll) tree.expandAll(doc.wholeLogStatistics());

    if (request.selectPaths.empty()) {
        writeText(treeListing(tree), false);
        return ok ? kExitOk : kExitFailed;
    }
    TreeNodeSet selected;
    for (const std::string& path : request.selectPaths) {
        TreeNode* node = tree.findPath(argumentToCp932(path, "--select"), doc.wholeLogStatistics());
        if (!node) {
            std::fprintf(stderr, "no tree item: %s\n", path.c_str());
            return kExitUsage;
        }
        selected.insert(node);
    }
    writeText(tree.combinedText(selected) + "\n", false);
    return ok ? kExitOk : kExitFailed;
}

const CommandRegistration registration({
    "tree",
    "  tree [--limit-mb N] [--filter TEXT] [--now \"YYYY/MM/DD HH:MM:SS\"] [--expand all]\n"
    "       [--select PATH]... FILE...\n"
    "      Loads the files as one log and prints the filter tree of the program, one item\n"
    "      per line in tree order: two spaces per level, the label, a TAB, the item's filter\n"
    "      text, a TAB and its kind (\"-\" for the history root). --filter TEXT narrows the log\n"
    "      first, as selecting a tree item does; --now fixes the local time that today and\n"
    "      this week refer to; --expand all expands every item once. --select PATH (the\n"
    "      labels from the top level down joined by \"/\"; repeatable) prints only the\n"
    "      filter text of the selected items. Exit status 1 when the load fails or the\n"
    "      filter doesn't compile, 2 when a selected item doesn't exist.",
    35,
    &runTree,
});

} // namespace

} // namespace lorvanel::cli
