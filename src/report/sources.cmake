list(APPEND LORVANEL_CORE_SOURCES
    src/report/CalendarTables.cpp
    src/report/CalendarText.cpp
    src/report/ComputeStatistics.cpp
    src/report/CountRows.cpp
    src/report/PostTables.cpp
    src/report/ReportWindowText.cpp
    src/report/TextTables.cpp
    src/report/WriteReport.cpp)

