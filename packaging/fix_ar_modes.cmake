# Run by cpack once the .deb is made (CPACK_POST_BUILD_SCRIPTS). CPack gives each of the
# package's three ar members the mode its scratch file had on disk, which the umask of the
# one who builds decides; every member becomes 0644, so the package does not depend on it.
find_program(DD dd REQUIRED)
foreach(package IN LISTS CPACK_PACKAGE_FILES)
  file(SIZE ${package} package_size)
  set(at 8) # after the "!<arch>\n" signature
  while(at LESS package_size)
    # A member's header: name 16, time 12, owner 6, group 6, mode 8, size 10, then "`\n".
    math(EXPR size_at "${at} + 48")
    file(READ ${package} member_size OFFSET ${size_at} LIMIT 10)
    string(STRIP "${member_size}" member_size)
    math(EXPR mode_at "${at} + 40")
    execute_process(
      COMMAND ${CMAKE_COMMAND} -E echo_append "100644  "
      COMMAND ${DD} of=${package} bs=1 seek=${mode_at} conv=notrunc status=none
      COMMAND_ERROR_IS_FATAL ANY)
    # Members start at even offsets.
    math(EXPR at "${at} + 60 + ${member_size} + (${member_size} % 2)")
  endwhile()
endforeach()
