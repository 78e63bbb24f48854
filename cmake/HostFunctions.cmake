# The host's exported function table exists in two places: the plug-in looks
# every name up, the stand-in hosts export them. Both are generated from the
# one list in plugin/hostfunctions.txt so they cannot drift apart.

set(KESTREL_HOST_FUNCTION_LIST ${CMAKE_SOURCE_DIR}/plugin/hostfunctions.txt)

# The four functions the plug-in calls; a host implements them by hand.
set(KESTREL_CALLED_HOST_FUNCTIONS
    hxGetVersionOfLodestarHX hxShowLogPane hxLogText hxMessageBox)

function(kestrel_read_host_functions out_var)
    file(STRINGS ${KESTREL_HOST_FUNCTION_LIST} lines REGEX "^hx")
    set(${out_var} ${lines} PARENT_SCOPE)
endfunction()

# Writes a C++ fragment listing every name as a string literal, one per line,
# for the plug-in's table of names.
function(kestrel_generate_host_function_names out_file)
    kestrel_read_host_functions(names)
    set(text "// Generated from plugin/hostfunctions.txt; do not edit.\n")
    foreach(name IN LISTS names)
        string(APPEND text "\"${name}\",\n")
    endforeach()
    file(GENERATE OUTPUT ${out_file} CONTENT "${text}")
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${KESTREL_HOST_FUNCTION_LIST})
endfunction()

# Writes the exported stubs of a stand-in host: every function the plug-in
# never calls, except those named after OMIT, says that it is not provided.
function(kestrel_generate_host_stubs out_file)
    cmake_parse_arguments(ARG "" "" "OMIT" ${ARGN})
    kestrel_read_host_functions(names)
    set(text "// Generated from plugin/hostfunctions.txt; do not edit.\n#include \"hostexport.h\"\n\n")
    foreach(name IN LISTS names)
        if(name IN_LIST KESTREL_CALLED_HOST_FUNCTIONS OR name IN_LIST ARG_OMIT)
            continue()
        endif()
        string(APPEND text "LODESTAR_EXPORT void ${name}() { reportNotProvided(\"${name}\"); }\n")
    endforeach()
    file(GENERATE OUTPUT ${out_file} CONTENT "${text}")
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${KESTREL_HOST_FUNCTION_LIST})
endfunction()
