# The Windows build: Pellimore.asi, the stand-in hook DLL, the wine test
# driver, the import and version checks, and the release package.
enable_language(RC)

set(PELLIMORE_STATIC_RUNTIME -static -static-libgcc -static-libstdc++)

# Import library that maps the plain names to the hook's decorated exports.
set(HOOK_IMPORT_LIBRARY ${CMAKE_CURRENT_BINARY_DIR}/libScriptHookRDR2-import.a)
add_custom_command(
  OUTPUT ${HOOK_IMPORT_LIBRARY}
  COMMAND x86_64-w64-mingw32-dlltool -d ${CMAKE_CURRENT_SOURCE_DIR}/cmake/ScriptHookRDR2.def
          -l ${HOOK_IMPORT_LIBRARY}
  DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/cmake/ScriptHookRDR2.def
  COMMENT "Import library for ScriptHookRDR2.dll")
add_custom_target(hook_import_library DEPENDS ${HOOK_IMPORT_LIBRARY})

configure_file(src/host/version.rc.in ${CMAKE_CURRENT_BINARY_DIR}/version.rc @ONLY)

add_library(Pellimore MODULE ${PELLIMORE_SOURCES} ${CMAKE_CURRENT_BINARY_DIR}/version.rc)
set_target_properties(Pellimore PROPERTIES PREFIX "" OUTPUT_NAME Pellimore SUFFIX ".asi")
target_include_directories(Pellimore PRIVATE src)
add_dependencies(Pellimore hook_import_library)
target_link_libraries(Pellimore PRIVATE ${HOOK_IMPORT_LIBRARY})
target_link_options(Pellimore PRIVATE ${PELLIMORE_STATIC_RUNTIME} -Wl,--exclude-all-symbols)

# The stand-in hook, from the same sources as the native one.
add_library(ScriptHookRDR2 SHARED
  standin_host/standin_world.cpp
  standin_host/script_runner_fiber.cpp
  standin_host/ScriptHookRDR2-exports.def)
set_target_properties(ScriptHookRDR2 PROPERTIES PREFIX "" OUTPUT_NAME ScriptHookRDR2)
target_include_directories(ScriptHookRDR2 PUBLIC standin_host src)
target_compile_definitions(ScriptHookRDR2 PRIVATE STANDIN_HOST_BUILDING_DLL)
target_link_options(ScriptHookRDR2 PRIVATE ${PELLIMORE_STATIC_RUNTIME})

add_executable(end_to_end_driver tests/end_to_end/end_to_end_driver.cpp)
target_include_directories(end_to_end_driver PRIVATE standin_host src)
target_link_libraries(end_to_end_driver PRIVATE ScriptHookRDR2 version)
target_compile_definitions(end_to_end_driver PRIVATE PELLIMORE_VERSION="${PROJECT_VERSION}")
target_link_options(end_to_end_driver PRIVATE ${PELLIMORE_STATIC_RUNTIME})
add_dependencies(end_to_end_driver Pellimore)

enable_testing()
add_test(NAME module_imports
  COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/scripts/check-imports.sh $<TARGET_FILE:Pellimore>)
add_test(NAME end_to_end_under_wine
  COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/scripts/run-under-wine.sh
          $<TARGET_FILE:end_to_end_driver> $<TARGET_FILE:Pellimore>)
add_test(NAME release_package
  COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/scripts/check-package.sh ${CMAKE_CURRENT_BINARY_DIR}/Pellimore-${PROJECT_VERSION}.zip)

# Release archive: the module, the sample settings file and the player readme.
set(PACKAGE_FILE ${CMAKE_CURRENT_BINARY_DIR}/Pellimore-${PROJECT_VERSION}.zip)
add_custom_command(
  OUTPUT ${PACKAGE_FILE}
  COMMAND ${CMAKE_COMMAND} -E rm -rf package-staging
  COMMAND ${CMAKE_COMMAND} -E make_directory package-staging
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:Pellimore> package-staging/
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_CURRENT_SOURCE_DIR}/package/Pellimore.ini package-staging/
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_CURRENT_SOURCE_DIR}/package/README.txt package-staging/
  COMMAND ${CMAKE_COMMAND} -E rm -f ${PACKAGE_FILE}
  COMMAND ${CMAKE_COMMAND} -E chdir package-staging zip -q -X ${PACKAGE_FILE} Pellimore.asi Pellimore.ini README.txt
  DEPENDS Pellimore ${CMAKE_CURRENT_SOURCE_DIR}/package/Pellimore.ini ${CMAKE_CURRENT_SOURCE_DIR}/package/README.txt
  WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
  COMMENT "Packaging Pellimore-${PROJECT_VERSION}.zip")
add_custom_target(package_zip ALL DEPENDS ${PACKAGE_FILE})
