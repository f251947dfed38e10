list(APPEND LORVANEL_CORE_SOURCES
    src/graph/CalendarLayout.cpp
    src/graph/CalendarModel.cpp
    src/graph/WeekHourLayout.cpp
    src/graph/WeekHourModel.cpp)
