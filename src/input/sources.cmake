list(APPEND LORVANEL_CORE_SOURCES
    src/input/AnalysisLog.cpp
    src/input/BlockReader.cpp
    src/input/BoardDirectory.cpp
    src/input/DirectoryRules.cpp
    src/input/DomainConstants.cpp
    src/input/JDimLogFiles.cpp
    src/input/JDimReader.cpp
    src/input/JDimText.cpp
    src/input/KeyValueReader.cpp
    src/input/Loader.cpp
    src/input/LogFormat.cpp
    src/input/PathList.cpp
    src/input/PostList.cpp
    src/input/PostLog.cpp
    src/input/PostRecord.cpp
    src/input/ReaderFactory.cpp
    src/input/TimeParsing.cpp)
