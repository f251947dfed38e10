list(APPEND LORVANEL_CORE_SOURCES
    src/report/CalendarTables.cpp
    src/report/CalendarText.cpp
    src/report/ComputeStatistics.cpp
    src/report/CountRows.cpp
    src/report/PostTables.cpp
    src/report/ReportWindowText.cpp
    src/report/TextTables.cpp
    src/report/WriteReport.cpp)

# The report window (Qt).
list(APPEND LORVANEL_GUI_SOURCES
    src/report/CReportFrame.cpp
    src/report/CReportTree.cpp
    src/report/CReportView.cpp)
