# Text reflowed for Debian's files, whose checker refuses lines over 80 columns: the package
# description and the changelog are written from Markdown paragraphs of any width.

# mnemex_wrap_text(OUT TEXT WIDTH FIRST_PREFIX NEXT_PREFIX)
# Joins TEXT's words with single blanks, removes Markdown's backticks, and breaks the result
# into lines of at most WIDTH columns (a longer word stands alone on its line). The first line
# starts with FIRST_PREFIX, the others with NEXT_PREFIX; lines are joined by newlines.
function(mnemex_wrap_text out text width first_prefix next_prefix)
  # A semicolon would split CMake's list of words; it travels as a control character instead.
  string(ASCII 31 semicolon)
  string(REPLACE ";" "${semicolon}" text "${text}")
  string(REPLACE "`" "" text "${text}")
  string(REGEX MATCHALL "[^ \t\r\n]+" words "${text}")
  set(result "")
  set(line "")
  set(prefix "${first_prefix}")
  foreach(word IN LISTS words)
    if(line STREQUAL "")
      set(candidate "${prefix}${word}")
    else()
      set(candidate "${line} ${word}")
    endif()
    string(LENGTH "${candidate}" length)
    if(length GREATER width AND NOT line STREQUAL "")
      string(APPEND result "${line}\n")
      set(prefix "${next_prefix}")
      set(line "${prefix}${word}")
    else()
      set(line "${candidate}")
    endif()
  endforeach()
  string(APPEND result "${line}")
  string(REPLACE "${semicolon}" ";" result "${result}")
  set(${out} "${result}" PARENT_SCOPE)
endfunction()
