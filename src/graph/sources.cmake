list(APPEND LORVANEL_CORE_SOURCES
    src/graph/CalendarLayout.cpp
    src/graph/CalendarModel.cpp
    src/graph/ChartAxis.cpp
    src/graph/ChartPainter.cpp
    src/graph/ChartTrace.cpp
    src/graph/CumulativeGraph.cpp
    src/graph/DateTicks.cpp
    src/graph/DensityMap.cpp
    src/graph/FluctuationGraph.cpp
    src/graph/GraphKind.cpp
    src/graph/GraphKinds.cpp
    src/graph/GraphSeries.cpp
    src/graph/TimeDistributionGraph.cpp
    src/graph/WeekHourLayout.cpp
    src/graph/WeekHourModel.cpp)
