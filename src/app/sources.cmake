# The document and what it owns (core, no Qt).
list(APPEND LORVANEL_CORE_SOURCES
    src/app/CDoc.cpp
    src/app/DocFilter.cpp)

# The desktop shell's Qt files follow in their own block (LORVANEL_GUI_SOURCES).
