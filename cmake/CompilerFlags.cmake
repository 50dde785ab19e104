# Flags shared by every target of the project.
#
# The survey arithmetic depends on each floating-point operation being rounded
# exactly as written, so nothing may reassociate or fuse operations: no
# -ffast-math and no contraction into fused multiply-adds.

add_compile_options(-Wall -Wextra -Wpedantic -Werror -ffp-contract=off)

if(TANDEMO_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all
                      -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined -fno-sanitize-recover=all)
endif()
