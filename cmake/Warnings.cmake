# Warnings are errors everywhere in the project's own code.
add_library(tessalink_warnings INTERFACE)
target_compile_options(tessalink_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Werror
  -Wshadow -Wnon-virtual-dtor -Wcast-align -Wunused -Woverloaded-virtual
  -Wnull-dereference -Wimplicit-fallthrough)
