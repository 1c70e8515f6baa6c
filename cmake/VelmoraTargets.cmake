# Shared compile settings and the helpers that every folder uses to declare
# its library and its tests.
include(GNUInstallDirs)

# Exact-zero geometry tests must behave as written: no FMA contraction and no
# fast-math.
add_library(velmora_settings INTERFACE)
target_compile_options(velmora_settings INTERFACE
  -Wall -Wextra -ffp-contract=off -fno-fast-math)
# GCC 12's optimiser reports overlapping copies inside std::string that cannot
# happen (a known regression of that release), so it is off for GCC 12 only.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_GREATER_EQUAL 12
   AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  target_compile_options(velmora_settings INTERFACE -Wno-restrict)
endif()
if(VELMORA_SANITIZE)
  target_compile_options(velmora_settings INTERFACE
    -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_link_options(velmora_settings INTERFACE -fsanitize=address,undefined)
endif()
# The fuzz build: everything the harnesses link is instrumented for libFuzzer
# and checked by ASan and UBSan; only the harnesses link libFuzzer itself.
if(VELMORA_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "VELMORA_FUZZ needs clang: -DCMAKE_CXX_COMPILER=clang++")
  endif()
  target_compile_options(velmora_settings INTERFACE
    -fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer
    -fno-sanitize-recover=undefined)
  target_link_options(velmora_settings INTERFACE -fsanitize=address,undefined)
endif()
target_include_directories(velmora_settings INTERFACE ${PROJECT_SOURCE_DIR}/src)

# The resources, with the default content that fills a new program folder, as
# a build run from the source tree finds them.
set(VELMORA_SOURCE_RES_DIR ${PROJECT_SOURCE_DIR}/res)

# velmora_library(NAME SOURCES... [DEPENDS targets...])
# A static library of one subsystem or platform layer.
function(velmora_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_link_libraries(${name} PUBLIC velmora_settings ${ARG_DEPENDS})
endfunction()

# velmora_test(NAME LABEL unit|gl|gui SOURCES... DEPENDS targets...)
# One GoogleTest executable; each test case becomes a CTest test carrying the
# label, so scripts can select unit, gl or gui tests.
find_package(GTest)
include(GoogleTest)
function(velmora_test name)
  cmake_parse_arguments(ARG "" "LABEL" "SOURCES;DEPENDS" ${ARGN})
  if(NOT ARG_LABEL)
    set(ARG_LABEL unit)
  endif()
  add_executable(${name} ${ARG_SOURCES})
  # GUI tests start wx in their own main().
  if(ARG_LABEL STREQUAL "gui")
    set(test_main velmora_gui_test_main)
  else()
    set(test_main GTest::gtest_main)
  endif()
  target_link_libraries(${name} PRIVATE velmora_settings GTest::gtest ${test_main}
                        ${ARG_DEPENDS})
  target_compile_definitions(${name} PRIVATE
    VELMORA_TEST_DATA_DIR="${PROJECT_SOURCE_DIR}/tests/data")
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  set(properties LABELS ${ARG_LABEL} TIMEOUT 120)
  # GUI tests share one X display, which refuses new clients under load, so
  # they take turns.
  if(ARG_LABEL STREQUAL "gui")
    list(APPEND properties RESOURCE_LOCK x_display)
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    TEST_PREFIX "${name}."
    PROPERTIES ${properties})
endfunction()

# Every layer in dependency order, lowest first. src/ and tests/ both take a
# folder in once it has its CMakeLists.txt.
set(VELMORA_LAYERS
  platform/text platform/fs platform/gfx platform/draw platform/image
  platform/media platform/db platform/desktop
  foundation objects document view3d plan2d library output shell)
function(velmora_add_layers)
  foreach(layer IN LISTS VELMORA_LAYERS)
    if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${layer}/CMakeLists.txt)
      add_subdirectory(${layer})
    endif()
  endforeach()
endfunction()

# wxWidgets for the window layers and the GUI tests; the model libraries never
# link it.
find_package(wxWidgets REQUIRED COMPONENTS gl aui core base)
add_library(velmora_wx INTERFACE)
target_include_directories(velmora_wx SYSTEM INTERFACE ${wxWidgets_INCLUDE_DIRS})
target_compile_definitions(velmora_wx INTERFACE ${wxWidgets_DEFINITIONS})
target_compile_options(velmora_wx INTERFACE ${wxWidgets_CXX_FLAGS})
target_link_libraries(velmora_wx INTERFACE ${wxWidgets_LIBRARIES})
