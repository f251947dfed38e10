# Fails when a core folder includes a folder above it. Run as
#   cmake -DSOURCE_DIR=<tree holding src/> -DCORE=doc,report,...,platform -DABOVE=paint,app,...
#         -P CheckLayers.cmake
# CORE lists the core folders from the top down: a file of one of them may include its own
# folder and the folders after it in CORE. ABOVE lists the folders built over the core, which
# no core file may include; any other first path component (a system or library header) is
# not a folder of ours and passes.
cmake_minimum_required(VERSION 3.25)
foreach(var SOURCE_DIR CORE)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "CheckLayers.cmake needs -D${var}=...")
    endif()
endforeach()
string(REPLACE "," ";" core "${CORE}")
string(REPLACE "," ";" above "${ABOVE}")

set(faults)
set(checked 0)
list(LENGTH core depth)
foreach(folder IN LISTS core)
    list(FIND core ${folder} level)
    if(NOT IS_DIRECTORY ${SOURCE_DIR}/src/${folder})
        list(APPEND faults "src/${folder}: a core folder that does not exist")
        continue()
    endif()
    file(GLOB files RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/src/${folder}/*.h
         ${SOURCE_DIR}/src/${folder}/*.cpp)
    foreach(file IN LISTS files)
        math(EXPR checked "${checked} + 1")
        file(STRINGS ${SOURCE_DIR}/${file} lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
        foreach(line IN LISTS lines)
            if(NOT line MATCHES "#[ \t]*include[ \t]*\"([A-Za-z0-9_]+)/")
                continue()
            endif()
            set(target ${CMAKE_MATCH_1})
            list(FIND core ${target} targetLevel)
            if(target IN_LIST above)
                list(APPEND faults "${file}: includes ${target}/, which is built over the core")
            elseif(targetLevel GREATER_EQUAL 0 AND targetLevel LESS level)
                list(APPEND faults "${file}: ${folder}/ includes ${target}/, a higher layer")
            endif()
        endforeach()
    endforeach()
endforeach()

if(faults)
    list(JOIN faults "\n  " text)
    message(FATAL_ERROR "Core folders that include upwards:\n  ${text}\n"
                        "Layer order, top down: ${CORE}")
endif()
if(checked EQUAL 0)
    message(FATAL_ERROR "No core file found under ${SOURCE_DIR}/src")
endif()
message(STATUS "${checked} core files include only their own folder and those below it")
