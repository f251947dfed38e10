# The document and what it owns (core, no Qt).
list(APPEND LORVANEL_CORE_SOURCES
    src/app/CDoc.cpp
    src/app/DocFilter.cpp)

# The settings record and its file (core).
list(APPEND LORVANEL_CORE_SOURCES
    src/app/Settings.cpp)

# The desktop shell (Qt).
list(APPEND LORVANEL_GUI_SOURCES
    src/app/CAboutDlg.cpp
    src/app/CDlgAnalyzeOptions.cpp
    src/app/CDlgDropConfirm.cpp
    src/app/CDlgFilter.cpp
    src/app/CDlgOpt1.cpp
    src/app/CFilterTree.cpp
    src/app/CLorvanelApp.cpp
    src/app/CMainFrame.cpp
    src/app/CMainView.cpp
    src/app/COptionSheet.cpp
    src/app/CReportFrame.cpp
    src/app/CReportTree.cpp
    src/app/CReportView.cpp
    src/app/CUiPrompts.cpp
    src/app/StartupTour.cpp)
set(LORVANEL_GUI_MAIN src/app/GuiMain.cpp)
