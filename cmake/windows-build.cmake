# Build settings of the Windows program, included by the top-level CMakeLists.txt before any
# target is made. Stripped, vexo.exe went from 224,768 bytes (-O3) to 145,920 with these.

# Small: a calculator gains nothing from -O3. -Os, and dropping every function nothing calls,
# take a third off vexo.exe. No -fdata-sections: on PE targets GCC then puts zero-filled
# variables into .data instead of .bss, and the file grows by their size (the tape's 21 KB).
string(REPLACE "-O3" "-Os" CMAKE_CXX_FLAGS_RELEASE "${CMAKE_CXX_FLAGS_RELEASE}")
add_compile_options($<$<COMPILE_LANGUAGE:CXX>:-ffunction-sections>)
add_link_options(-Wl,--gc-sections)

# Reproducible: no link time in the PE header, no folder of this machine in any object.
add_link_options(-Wl,--no-insert-timestamp)
add_compile_options($<$<COMPILE_LANGUAGE:CXX>:-ffile-prefix-map=${PROJECT_SOURCE_DIR}/=>
                    $<$<COMPILE_LANGUAGE:CXX>:-ffile-prefix-map=${PROJECT_BINARY_DIR}/=>)

# A program that goes into the release zip: lumo_release_program(target).
function(lumo_release_program target)
  target_link_options(${target} PRIVATE
    # Shipped as linked: without its symbol table, so the tests run the very file users get.
    $<$<CONFIG:Release,MinSizeRel>:-s>
    # std::terminate's default handler writes the uncaught exception's type to stderr, which a
    # window program has not got, and brings the C++ name demangler with it (48 KB). The
    # program throws nothing; should the runtime ever terminate it, abort() alone ends it.
    -Wl,--defsym,_ZN9__gnu_cxx27__verbose_terminate_handlerEv=abort)
endfunction()
