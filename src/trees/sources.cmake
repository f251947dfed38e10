# The filter tree's model: items, custom filters, generated nodes, combined text (core).
list(APPEND LORVANEL_CORE_SOURCES
    src/trees/CustomFilter.cpp
    src/trees/FilterTree.cpp
    src/trees/GeneratedNodes.cpp
    src/trees/TreeListing.cpp)
