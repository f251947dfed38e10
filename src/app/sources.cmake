list(APPEND LORVANEL_CORE_SOURCES
    src/app/Settings.cpp)
list(APPEND LORVANEL_GUI_SOURCES
    src/app/CAboutDlg.cpp
    src/app/CDlgAnalyzeOptions.cpp
    src/app/CDlgDropConfirm.cpp
    src/app/CDlgOpt1.cpp
    src/app/COptionSheet.cpp
    src/app/CUiPrompts.cpp)
list(APPEND LORVANEL_GUI_SOURCES
    src/app/CLorvanelApp.cpp
    src/app/CMainFrame.cpp
    src/app/CMainView.cpp)
set(LORVANEL_GUI_MAIN src/app/GuiMain.cpp)
