#include "TreeSteps.h"

#include "doc/CDoc.h"
#include "doc/DocFilter.h"
#include "input/AnalysisLog.h"
#include "platform/Clock.h"
#include "report/ReportWindowText.h"
#include "trees/FilterTree.h"

#include <functional>
#include <memory>
#include <stdexcept>

namespace lorvanel::bench {

namespace {

// What the other views do with a new selection that costs anything without a screen: the
// report window puts the report and the analysis log together.
class ReportListener : public DocListener {
public:
    void documentUpdated(CDoc& doc, const DocUpdate& update) override {
        if (update.hint == DocHint::DataChanged)
            text = reportWindowText(doc.reportText(), analysisLog().text());
    }
    std::string text;
};

// A document with the log loaded, the tree over it, and a view that hears the document.
struct TreeState {
    FixedClock clock{1500000000};
    CDoc doc;
    FilterTree tree;
    ReportListener report;
    // The tree as the user clicks it: it applies selections and is not told of them.
    ReportListener self;

    void rebuild() {
        tree.rebuild(doc.selectionStatistics(), !doc.postLog().posts.empty(), clock.now());
    }
    TreeNode* find(FilterKind kind, const std::string& text) {
        TreeNode* found = nullptr;
        tree.forEach([&](TreeNode& n) {
            if (!found && n.item && n.item->kind == kind && (text.empty() || n.item->text == text))
                found = &n;
        });
        return found;
    }
    // The custom filter of that name in the "カスタム" branch.
    TreeNode* findCustom(const std::string& name) {
        TreeNode* found = nullptr;
        tree.forEach([&](TreeNode& n) {
            if (!found && n.item && n.item->kind == FilterKind::Custom && n.item->filter &&
                n.item->filter->name == name)
                found = &n;
        });
        return found;
    }
    // As if the log had just been loaded: no post has been tested for ASCII art yet.
    void forgetAsciiArt() {
        for (PostRecord* p : doc.postLog().posts)
            p->flags &= ~(PostRecord::kAsciiArt | PostRecord::kNotAsciiArt);
    }
};

// A click that selects one item alone: its combined text compiled, the posts of the whole log
// selected and applied, the views told. Before each run the whole log is selected again and
// the tree rebuilt and expanded, as the user would have it, and the item looked up in it.
Step clickStep(std::string name, double target, std::shared_ptr<TreeState> s,
               std::function<TreeNode*(TreeState&)> find, bool freshAsciiArt = false) {
    auto node = std::make_shared<TreeNode*>(nullptr);
    Step step;
    step.name = std::move(name);
    step.target = target;
    step.state = s;
    step.prepare = [s, find, node, freshAsciiArt, label = step.name] {
        s->doc.clearFilter();
        if (freshAsciiArt) s->forgetAsciiArt();
        s->rebuild();
        s->tree.expandAll(s->doc.wholeLogStatistics());
        *node = find(*s);
        if (!*node) throw std::runtime_error("the tree has no item for " + label);
    };
    step.run = [s, node] {
        const std::string text = s->tree.combinedText({*node});
        if (!applyFilter(s->doc, text, &s->self) || s->doc.selection().empty())
            throw std::runtime_error("the click on '" + text + "' selected nothing");
    };
    return step;
}

} // namespace

void appendTreeSteps(std::vector<Step>& steps, const std::string& path) {
    auto s = std::make_shared<TreeState>();
    s->doc.setClock(s->clock);
    s->doc.addListener(&s->report);
    s->doc.addListener(&s->self);
    if (!s->doc.load({path}, false, 0)) throw std::runtime_error("loading " + path + " failed");
    const PostStatistics& whole = s->doc.wholeLogStatistics();

    Step rebuild;
    rebuild.name = "filter tree: rebuild (history, categories, custom filters)";
    rebuild.state = s;
    rebuild.run = [s] { s->rebuild(); };
    steps.push_back(std::move(rebuild));

    Step expand;
    expand.name = "filter tree: expand the boards and every year";
    expand.state = s;
    expand.prepare = [s] { s->rebuild(); };
    expand.run = [s, &whole] {
        for (const auto& top : s->tree.topLevel()) {
            if (top->kind() == FilterKind::BoardRoot) s->tree.expand(*top, whole);
            for (const auto& child : top->children)
                if (child->kind() == FilterKind::Year) s->tree.expand(*child, whole);
        }
    };
    steps.push_back(std::move(expand));

    const PostList& posts = s->doc.postLog().posts;
    const std::string year = "date" + std::to_string(posts[posts.size() / 2]->local().year);
    steps.push_back(clickStep("click: a year (the middle post's), report and views updated", 0.3, s,
                              [year](TreeState& t) { return t.find(FilterKind::Year, year); }));
    steps.push_back(
        clickStep("click: the commonest board, report and views updated", 0.3, s, [](TreeState& t) {
            TreeNode* boards = t.find(FilterKind::BoardRoot, "");
            return boards && !boards->children.empty() ? boards->children.front().get() : nullptr;
        }));
    // The default custom filters "長文" (!AA&line6-), whose first use after a load tests every
    // post for ASCII art, and "レスアンカ" (a regular expression over every body).
    const std::string longPosts = "長文";
    steps.push_back(clickStep(
        "click: custom filter of long posts (!AA&line6-), first after the load", 0.3, s,
        [longPosts](TreeState& t) { return t.findCustom(longPosts); }, true));
    steps.push_back(clickStep("click: custom filter of long posts (!AA&line6-), again", 0.3, s,
                              [longPosts](TreeState& t) { return t.findCustom(longPosts); }));
    const std::string anchors = "レスアンカ";
    steps.push_back(clickStep("click: custom filter of anchors (a msgr_ regex)", 0.3, s,
                              [anchors](TreeState& t) { return t.findCustom(anchors); }));
    // Back to the whole log, as a click on a category root and "フィルタ解除" do.
    Step back;
    back.name = "click: a category root / clear the filter (back to the whole log)";
    back.target = 0.3;
    back.state = s;
    back.prepare = [s, year] { applyFilter(s->doc, year, &s->self); };
    back.run = [s] {
        if (!s->tree.combinedText({}).empty() || !s->doc.clearFilter(&s->self) ||
            s->doc.canClearFilter())
            throw std::runtime_error("the category root did not give back the whole log");
    };
    steps.push_back(std::move(back));
}

} // namespace lorvanel::bench
