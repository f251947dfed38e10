# Every file of src/cli is part of the command-line program; sub-commands register themselves.
file(GLOB LORVANEL_CLI_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*.cpp)
