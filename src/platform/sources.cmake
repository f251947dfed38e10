list(APPEND LORVANEL_CORE_SOURCES
    src/platform/Alert.cpp
    src/platform/Clock.cpp
    src/platform/Cp932Encoder.cpp
    src/platform/Encoding.cpp
    src/platform/File.cpp
    src/platform/LocalTime.cpp
    src/platform/Mbcs.cpp
    src/platform/UserDirs.cpp)
list(APPEND LORVANEL_CORE_SOURCES
    src/platform/IniFile.cpp)
