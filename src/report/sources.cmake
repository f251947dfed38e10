list(APPEND LORVANEL_CORE_SOURCES
    src/report/BoardTables.cpp
    src/report/CalendarText.cpp
    src/report/ComputeStatistics.cpp
    src/report/CountRows.cpp
    src/report/ReportWindowText.cpp
    src/report/TimeTables.cpp
    src/report/WriteReport.cpp)
