#pragma once
// The start-up check of `lorvanel --self-test`: once the window has loaded its files, every
// tab of both panes is shown and painted in turn, so that a crash or a hang of start-up or of
// a view's first paint shows up in CI, which has no one to look at the window.
namespace lorvanel {

class CMainFrame;

// Shows and paints each tab of the filter pane and the main view, processing the events
// that follow. Returns the number of tabs visited.
int tourTabs(CMainFrame& frame);

} // namespace lorvanel
