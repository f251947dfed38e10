#pragma once
// The command numbers of the window's menus, tool bar and context menus, in one place. The
// actions are named members of their widgets; a number stays on an action (QAction::data) only
// because the tool bar order, the recent and keyword ranges and the graph options are written
// in these numbers.
namespace lorvanel::cmd {

// Main window.
inline constexpr int kFileOpen = 57601;
inline constexpr int kFileMerge = 32817;
inline constexpr int kFileClose = 57602;
inline constexpr int kReload = 32819;
inline constexpr int kReadWhole = 32829;
inline constexpr int kOpenInEditor = 32818;
inline constexpr int kOpenJDimLog = 32840;
inline constexpr int kRecentFirst = 3328;
inline constexpr int kRecentLast = 3343;
inline constexpr int kKeywordFirst = 3345;
inline constexpr int kKeywordLast = 3409;
inline constexpr int kAutoKeywords = 32797;
inline constexpr int kFilterTree = 32798;
inline constexpr int kMultiSelect = 32824;
inline constexpr int kClearFilter = 32793;
inline constexpr int kOptions = 32773;
inline constexpr int kAbout = 57664;
inline constexpr int kExit = 57665;
// Also the post list's context menu.
inline constexpr int kCopy = 57634;
inline constexpr int kSelectAll = 57642;

// The filter pane's context menu.
inline constexpr int kFilterProperties = 32822;
inline constexpr int kFilterDelete = 32823;
inline constexpr int kFilterFromSelection = 32825;
inline constexpr int kFilterDuplicate = 32826;
inline constexpr int kFilterNew = 32827;
inline constexpr int kFilterRestoreDefaults = 32828;

// The post list's link menu.
inline constexpr int kCopyPost = 32786;
inline constexpr int kCopyUrl = 32783;
inline constexpr int kOpenInBrowser = 32785;

// The graph's "画像をコピー".
inline constexpr int kCopyGraphImage = 32812;

} // namespace lorvanel::cmd
