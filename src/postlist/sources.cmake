list(APPEND LORVANEL_CORE_SOURCES
    src/postlist/PostRows.cpp
    src/postlist/PostSearch.cpp
    src/postlist/PostText.cpp
    src/postlist/RowCopy.cpp
    src/postlist/RowViewport.cpp
    src/postlist/UrlCheck.cpp)
