# Writes OUTPUT, a C++ source whose function FUNCTION (in NAMESPACE) returns
# the bytes of INPUT as a std::string_view: resources built into the program.
file(READ "${INPUT}" content HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${content}")
file(WRITE "${OUTPUT}.tmp"
  "// Generated from ${INPUT}: do not edit.\n"
  "#include <string_view>\n"
  "namespace ${NAMESPACE} {\n"
  "namespace { constexpr unsigned char kData[] = {${bytes}}; }\n"
  "std::string_view ${FUNCTION}() { return {reinterpret_cast<const char*>(kData), sizeof kData}; }\n"
  "}\n")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
