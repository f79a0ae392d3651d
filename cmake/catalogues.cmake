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
