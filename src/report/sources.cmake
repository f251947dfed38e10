list(APPEND LORVANEL_GUI_SOURCES
    src/report/CReportTree.cpp
    src/report/CReportView.cpp)
list(APPEND LORVANEL_GUI_SOURCES
    src/report/CReportFrame.cpp)
