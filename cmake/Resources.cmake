# tessalink_add_resources(TARGET RC_FILE [DEPENDS files...] [INCLUDE_DIRS dirs...])
#
# Compiles a Win32 resource script with llvm-rc and links the resulting .res into
# TARGET. The bytes are embedded with .incbin under the symbols the kernel's module
# table looks for, so FindResourceW and friends read them from the executable.
#
# The script is run through the C compiler's preprocessor first (RC_INVOKED defined,
# as resource compilers do; no system headers), so llvm-rc needs no clang of its
# own, and the preprocessor's dependency file tells Ninja which headers the script
# includes. Every other file beside the script (bitmaps, icons) is a dependency too,
# since llvm-rc reports none. INCLUDE_DIRS are searched for such files too, after the
# script's own directory: for images generated into the build tree (list them in DEPENDS).
find_program(LLVM_RC NAMES llvm-rc llvm-rc-14 REQUIRED)

function(tessalink_add_resources target rc_file)
    cmake_parse_arguments(ARG "" "" "DEPENDS;INCLUDE_DIRS" ${ARGN})
    get_filename_component(rc_abs ${rc_file} ABSOLUTE)
    get_filename_component(rc_dir ${rc_abs} DIRECTORY)
    get_filename_component(rc_name ${rc_abs} NAME_WE)
    set(stem ${CMAKE_CURRENT_BINARY_DIR}/${target}_${rc_name})
    set(preprocessed ${stem}.rc)
    set(res ${stem}.res)
    set(asm ${stem}_res.S)
    file(GLOB rc_siblings CONFIGURE_DEPENDS ${rc_dir}/*)
    set(extra_includes)
    foreach(dir IN LISTS ARG_INCLUDE_DIRS)
        list(APPEND extra_includes -I ${dir})
    endforeach()

    add_custom_command(
        OUTPUT ${preprocessed}
        COMMAND ${CMAKE_C_COMPILER} -E -P -undef -nostdinc -x c -DRC_INVOKED
                -I ${rc_dir} -I ${TESSALINK_PUBLIC_INCLUDE}
                -MD -MF ${preprocessed}.d -MT ${preprocessed} -o ${preprocessed} ${rc_abs}
        DEPENDS ${rc_abs}
        DEPFILE ${preprocessed}.d
        COMMENT "Preprocessing resources ${rc_name}.rc"
        VERBATIM)
    # Scripts are UTF-8 (code page 65001); relative file names in them are found
    # beside the original script. llvm-rc also takes slash options, so a path such as
    # /check/... would read as option /c; "--" ends the options.
    add_custom_command(
        OUTPUT ${res}
        COMMAND ${LLVM_RC} -no-preprocess -C 65001 -I ${rc_dir} ${extra_includes} -fo ${res} -- ${preprocessed}
        DEPENDS ${preprocessed} ${rc_siblings} ${ARG_DEPENDS}
        WORKING_DIRECTORY ${rc_dir}
        COMMENT "Compiling resources ${rc_name}.rc"
        VERBATIM)

    file(WRITE ${asm}.in [=[
    .section .rodata
    .balign 16
    .global tessalink_module_resources
    .type tessalink_module_resources, @object
tessalink_module_resources:
    .incbin "@RES@"
    .global tessalink_module_resources_end
    .type tessalink_module_resources_end, @object
tessalink_module_resources_end:
    .section .note.GNU-stack,"",@progbits
]=])
    set(RES ${res})
    configure_file(${asm}.in ${asm} @ONLY)
    set_source_files_properties(${asm} PROPERTIES OBJECT_DEPENDS ${res})
    target_sources(${target} PRIVATE ${asm})
endfunction()
