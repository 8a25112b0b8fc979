# Our own code builds warning-free; Qt's headers come in as system headers.
function(korvo_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
endfunction()

# One static library per source folder: every .cpp/.h/.ui/.qrc directly in the folder.
function(korvo_library name)
    cmake_parse_arguments(ARG "" "" "DEPENDS" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS
        ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp
        ${CMAKE_CURRENT_SOURCE_DIR}/*.h
        ${CMAKE_CURRENT_SOURCE_DIR}/*.ui
        ${CMAKE_CURRENT_SOURCE_DIR}/*.qrc)
    list(FILTER sources EXCLUDE REGEX "/main\\.cpp$")
    set(compiled ${sources})
    list(FILTER compiled INCLUDE REGEX "\\.cpp$")
    if(NOT compiled)
        # A folder whose code is still to come: nothing to compile, only its dependencies to pass on.
        add_library(${name} INTERFACE)
        target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR})
        target_link_libraries(${name} INTERFACE ${ARG_DEPENDS})
        return()
    endif()
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${ARG_DEPENDS})
    korvo_warnings(${name})
endfunction()

# Lets the target include the generated headers of the screen layouts ("ui_HomeViewController.h"). The
# layouts are listed as sources too: found only through the search path, a changed layout would not
# regenerate its header.
function(korvo_use_layouts target)
    file(GLOB layouts CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/resources/layouts/*.ui)
    target_sources(${target} PRIVATE ${layouts})
    set_target_properties(${target} PROPERTIES AUTOUIC_SEARCH_PATHS ${PROJECT_SOURCE_DIR}/resources/layouts)
endfunction()

# Every tests/<folder>/tst_<name>.cpp is one Qt Test executable and one ctest test.
function(korvo_tests)
    cmake_parse_arguments(ARG "" "" "DEPENDS" ${ARGN})
    file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tst_*.cpp)
    get_filename_component(folder ${CMAKE_CURRENT_SOURCE_DIR} NAME)
    foreach(test_source ${tests})
        get_filename_component(test_name ${test_source} NAME_WE)
        set(target ${folder}_${test_name})
        add_executable(${target} ${test_source})
        target_link_libraries(${target} PRIVATE Qt6::Test korvo_testsupport ${ARG_DEPENDS})
        # Only the search path: several tests of one folder listing the layouts would generate the same
        # headers twice.
        set_target_properties(${target} PROPERTIES AUTOUIC_SEARCH_PATHS ${PROJECT_SOURCE_DIR}/resources/layouts)
        korvo_warnings(${target})
        add_test(NAME ${folder}.${test_name} COMMAND ${target})
        set_tests_properties(${folder}.${test_name} PROPERTIES
            ENVIRONMENT "QT_QPA_PLATFORM=offscreen;KORVO_TEST=1"
            TIMEOUT 120)
    endforeach()
endfunction()
