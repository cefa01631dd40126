# Writes a C++ source that returns the text of INPUT, byte for byte, from the
# function FUNCTION declared in HEADER: cmake -DINPUT=... -DOUTPUT=...
# -DHEADER=... -DFUNCTION=... -P embed_text.cmake
file(READ "${INPUT}" text)
set(delimiter "embedded")
string(FIND "${text}" ")${delimiter}\"" clash)
if(NOT clash EQUAL -1)
  message(FATAL_ERROR "${INPUT} contains the raw string delimiter )${delimiter}\"")
endif()
get_filename_component(source_name "${INPUT}" NAME)
file(WRITE "${OUTPUT}.tmp"
  "// Generated at build time from ${source_name}; edit that file instead.\n"
  "#include \"${HEADER}\"\n\n"
  "namespace prevod {\n\n"
  "const std::string& ${FUNCTION}() {\n"
  "  static const std::string text = R\"${delimiter}(${text})${delimiter}\";\n"
  "  return text;\n"
  "}\n\n"
  "}  // namespace prevod\n")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
