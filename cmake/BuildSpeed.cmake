# Most of a build's time goes to parsing the same headers again in hundreds of small
# compile units, three configurations over. A library's units are compiled in batches
# (a unity build), so that each batch parses the headers its units share once; a compiler
# cache, when one is installed, keeps whatever did not change from an earlier build.
find_program(TESSALINK_CCACHE ccache)
if(TESSALINK_CCACHE AND NOT CMAKE_CXX_COMPILER_LAUNCHER)
    set(CMAKE_C_COMPILER_LAUNCHER ${TESSALINK_CCACHE})
    set(CMAKE_CXX_COMPILER_LAUNCHER ${TESSALINK_CCACHE})
endif()

option(TESSALINK_UNITY_BUILD "Compile each library's and test executable's units in batches" ON)

# tessalink_unity_build(TARGET): TARGET's units are compiled in batches of sixteen. Test
# executables are batched too: each of their units spends most of its time parsing the
# test framework's headers.
function(tessalink_unity_build target)
    if(TESSALINK_UNITY_BUILD)
        set_target_properties(${target} PROPERTIES UNITY_BUILD ON UNITY_BUILD_BATCH_SIZE 16)
    endif()
endfunction()
