list(APPEND LORVANEL_CORE_SOURCES
    src/app/Settings.cpp)
