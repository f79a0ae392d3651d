# Compiles the message catalogues (words/<language>.txt) into the tools and the
# page, English first, so a run needs no file beside it to speak a language.
# Called from tools/CMakeLists.txt at configure time; an edited, added or
# removed catalogue configures again. The catalogues in words/ are the list of
# languages: a new words/xx.txt is compiled in with nothing else to edit.
file(GLOB catalogue_files CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/words/*.txt)
set(CATALOGUE_LANGUAGES en)
foreach(file IN LISTS catalogue_files)
  get_filename_component(language ${file} NAME_WE)
  if(NOT language STREQUAL "en")
    list(APPEND CATALOGUE_LANGUAGES ${language})
  endif()
endforeach()
set(entries "")
foreach(language IN LISTS CATALOGUE_LANGUAGES)
  set(file ${PROJECT_SOURCE_DIR}/words/${language}.txt)
  file(READ ${file} text)
  string(APPEND entries "        {\"${language}\", R\"catalogue(${text})catalogue\"},\n")
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${file})
endforeach()
file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/generated/catalogues.cpp.new
  "// Generated from words/*.txt by cmake/catalogues.cmake.\n"
  "#include <string_view>\n#include <utility>\n#include <vector>\n\n"
  "const std::vector<std::pair<std::string_view, std::string_view>>& catalogueTexts() {\n"
  "    static const std::vector<std::pair<std::string_view, std::string_view>> texts = {\n"
  "${entries}    };\n    return texts;\n}\n")
configure_file(${CMAKE_CURRENT_BINARY_DIR}/generated/catalogues.cpp.new
               ${CMAKE_CURRENT_BINARY_DIR}/generated/catalogues.cpp COPYONLY)

# The English catalogue's keys as names the compiler checks (message::check_empty_file), so code that names a
# key the catalogue lacks fails to build. A key with .one and .other forms is one counted key; two keys that
# would make the same name stop the configure.
file(READ ${PROJECT_SOURCE_DIR}/words/en.txt english_text)
string(REGEX MATCHALL "(^|\n)[ \t]*[A-Za-z0-9_.-]+ = " english_keys "${english_text}")
set(key_lines "")
set(key_names "")
set(counted_keys "")
set(counted_names "")
foreach(match IN LISTS english_keys)
  string(REGEX REPLACE "^\n?[ \t]*([A-Za-z0-9_.-]+) = $" "\\1" key "${match}")
  set(type MessageKey)
  if(key MATCHES "^(.+)\\.(one|few|many|other)$")
    set(key ${CMAKE_MATCH_1})
    set(type CountedMessageKey)
    if(key IN_LIST counted_keys)
      continue()
    endif()
    list(APPEND counted_keys ${key})
    string(MAKE_C_IDENTIFIER "${key}" counted_name)
    string(APPEND counted_names "${counted_name}, ")
  elseif(key STREQUAL "plural")
    continue()
  endif()
  string(MAKE_C_IDENTIFIER "${key}" name)
  if(name IN_LIST key_names)
    message(FATAL_ERROR "words/en.txt: the key ${key} makes the name message::${name}, which another key makes too; rename one of them")
  endif()
  list(APPEND key_names ${name})
  string(APPEND key_lines "    static constexpr ${type} ${name}{\"${key}\"};\n")
endforeach()
file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/generated/pellimore/common/message_keys.h.new
  "// Generated from words/en.txt by cmake/catalogues.cmake.\n#pragma once\n\n"
  "#include \"pellimore/common/message_key.h\"\n\n"
  "// Every message of words/en.txt, by its key with '.' written '_'.\nstruct message {\n${key_lines}\n"
  "    // The counted ones, for the tests that say each in every form.\n"
  "    static constexpr CountedMessageKey allCountedKeys[] = {${counted_names}};\n};\n")
configure_file(${CMAKE_CURRENT_BINARY_DIR}/generated/pellimore/common/message_keys.h.new
               ${CMAKE_CURRENT_BINARY_DIR}/generated/pellimore/common/message_keys.h COPYONLY)
