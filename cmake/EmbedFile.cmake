# Turns a file into a C++ source defining `std::string_view SYMBOL()` over its bytes.
file(READ ${INPUT} hex HEX)
string(LENGTH "${hex}" hexlen)
math(EXPR size "${hexlen} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${hex}")
file(WRITE ${OUTPUT} "#include <string_view>\nnamespace lorvanel {\nstatic const char data[] = {${bytes} 0};\nstd::string_view ${SYMBOL}() { return {data, ${size}}; }\n}\n")
