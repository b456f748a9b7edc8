# Standard, warnings and sanitizers are set per target here, never in global flags.

function(veltrin_target_options target)
    target_compile_features(${target} PUBLIC cxx_std_20)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Werror=return-type)
    if(VELTRIN_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
    if(VELTRIN_SANITIZE)
        list(JOIN VELTRIN_SANITIZE "," sanitizers)
        target_compile_options(${target} PRIVATE -fsanitize=${sanitizers} -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
        target_link_options(${target} PUBLIC -fsanitize=${sanitizers})
    endif()
endfunction()

# veltrin_add_library(name SOURCES ... LIBS ...): one layer, linking only the layers it declares.
# Every library shares the include folder src/, so a call into a layer above compiles; it is the
# link of <name>_layer_check that fails: every object of the library, linked whole with its
# declared libraries alone, must leave no symbol undefined.
function(veltrin_add_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC ${ARG_LIBS})
    veltrin_target_options(${name})

    add_executable(${name}_layer_check ${PROJECT_SOURCE_DIR}/cmake/LayerCheck.cpp)
    target_link_libraries(${name}_layer_check PRIVATE "$<LINK_LIBRARY:WHOLE_ARCHIVE,${name}>" ${ARG_LIBS})
    target_link_options(${name}_layer_check PRIVATE LINKER:--no-undefined)
    veltrin_target_options(${name}_layer_check)
endfunction()

# veltrin_add_test(name SOURCES ... LIBS ...): one GoogleTest binary, run headless by CTest; LIBS
# holds what it tests and its main.
function(veltrin_add_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS})
    veltrin_target_options(${name})
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_LOGGING_RULES=qt.multimedia*=false" TIMEOUT 300)
endfunction()
