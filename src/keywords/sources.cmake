list(APPEND LORVANEL_CORE_SOURCES
    src/keywords/AutoKeywordAnalysis.cpp
    src/keywords/FoldedBodies.cpp
    src/keywords/Folding.cpp
    src/keywords/KanaFoldTable.cpp
    src/keywords/KeywordCommands.cpp
    src/keywords/KeywordFileAnalysis.cpp
    src/keywords/KeywordSet.cpp
    src/keywords/WidthFoldTable.cpp
    src/keywords/WordCount.cpp
    src/keywords/WordCounter.cpp
    src/keywords/WordTokenizer.cpp)

# The bundled keyword files go beside the programs: the default keyword directory is
# "keywords" next to the executable.
file(GLOB LORVANEL_KEYWORD_FILES CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/../../resources/keywords/*.txt)
foreach(f ${LORVANEL_KEYWORD_FILES})
    get_filename_component(name ${f} NAME)
    configure_file(${f} ${CMAKE_BINARY_DIR}/keywords/${name} COPYONLY)
endforeach()
install(FILES ${LORVANEL_KEYWORD_FILES} DESTINATION bin/keywords)
