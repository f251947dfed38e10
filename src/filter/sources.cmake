list(APPEND LORVANEL_CORE_SOURCES
    src/filter/BytePattern.cpp
    src/filter/CompileCommand.cpp
    src/filter/CompileFilter.cpp
    src/filter/Exception.cpp
    src/filter/FilterSelection.cpp
    src/filter/LogicNodes.cpp
    src/filter/Regex.cpp
    src/filter/RegexLiterals.cpp
    src/filter/TextNodes.cpp
    src/filter/TimeNodes.cpp)
