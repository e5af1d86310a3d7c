# tessalink_add_resources(TARGET RC_FILE [DEPENDS files...])
#
# Compiles a Win32 resource script with llvm-rc and links the resulting .res into
# TARGET. The bytes are embedded with .incbin under the symbols the kernel's module
# table looks for, so FindResourceW and friends read them from the executable.
find_program(LLVM_RC NAMES llvm-rc llvm-rc-14 REQUIRED)

function(tessalink_add_resources target rc_file)
    cmake_parse_arguments(ARG "" "" "DEPENDS" ${ARGN})
    get_filename_component(rc_abs ${rc_file} ABSOLUTE)
    get_filename_component(rc_dir ${rc_abs} DIRECTORY)
    get_filename_component(rc_name ${rc_abs} NAME_WE)
    set(res ${CMAKE_CURRENT_BINARY_DIR}/${target}_${rc_name}.res)
    set(asm ${CMAKE_CURRENT_BINARY_DIR}/${target}_${rc_name}_res.S)

    add_custom_command(
        OUTPUT ${res}
        COMMAND ${LLVM_RC} -I ${rc_dir} -I ${TESSALINK_PUBLIC_INCLUDE} -fo ${res} ${rc_abs}
        DEPENDS ${rc_abs} ${ARG_DEPENDS}
        WORKING_DIRECTORY ${rc_dir}
        COMMENT "Compiling resources ${rc_name}.rc"
        VERBATIM)

    file(WRITE ${asm}.in [=[
    .section .rodata
    .balign 16
    .global tessalink_module_resources
tessalink_module_resources:
    .incbin "@RES@"
    .global tessalink_module_resources_end
tessalink_module_resources_end:
    .section .note.GNU-stack,"",@progbits
]=])
    set(RES ${res})
    configure_file(${asm}.in ${asm} @ONLY)
    set_source_files_properties(${asm} PROPERTIES OBJECT_DEPENDS ${res})
    target_sources(${target} PRIVATE ${asm})
endfunction()
