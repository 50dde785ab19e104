# Flags shared by every target of the project.
#
# The survey arithmetic depends on each floating-point operation being rounded
# exactly as written, so nothing may reassociate or fuse operations: no
# -ffast-math and no contraction into fused multiply-adds.
#
# Warnings are errors in our own builds (TANDEMO_WERROR, which the set-up script and CI
# turn on); a packager's compiler or flags may warn where ours do not, and that should
# not stop a distribution build.

add_compile_options(-Wall -Wextra -Wpedantic -ffp-contract=off)
if(TANDEMO_WERROR)
  add_compile_options(-Werror)
endif()

if(TANDEMO_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all
                      -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined -fno-sanitize-recover=all)
endif()
