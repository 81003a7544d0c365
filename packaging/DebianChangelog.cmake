# CHANGELOG.md in the form of a Debian changelog, which is what Debian's tools read from
# /usr/share/doc/mnemex/changelog.gz of a native package.
#
# CHANGELOG.md: any text before the first release; then, newest first, one section per
# release: a heading `## VERSION (YYYY-MM-DD)` followed by items `- text`, whose further
# lines are indented. Anything else inside a release is refused, so that nothing written
# there is silently left out of the package.
#
# Included by the project for its functions; run as a script it writes the changelog:
#   cmake -DMNEMEX_CHANGELOG_MD=CHANGELOG.md -DMNEMEX_CHANGELOG_OUT=changelog
#         -DMNEMEX_PACKAGE=mnemex "-DMNEMEX_MAINTAINER=Name <address>" -P DebianChangelog.cmake

if(CMAKE_SCRIPT_MODE_FILE)
  cmake_minimum_required(VERSION 3.25)
endif()
include("${CMAKE_CURRENT_LIST_DIR}/MnemexWrap.cmake")

# Days from 1970-01-01 to the given date of the Gregorian calendar.
function(mnemex_days_since_1970 out year month day)
  # Count years from March, so that the leap day ends a year.
  if(month LESS_EQUAL 2)
    math(EXPR year "${year} - 1")
    math(EXPR month "${month} + 9")
  else()
    math(EXPR month "${month} - 3")
  endif()
  math(EXPR era "${year} / 400")
  math(EXPR year_of_era "${year} - ${era} * 400")
  math(EXPR day_of_year "(153 * ${month} + 2) / 5 + ${day} - 1")
  math(EXPR day_of_era
       "${year_of_era} * 365 + ${year_of_era} / 4 - ${year_of_era} / 100 + ${day_of_year}")
  math(EXPR days "${era} * 146097 + ${day_of_era} - 719468")
  set(${out} ${days} PARENT_SCOPE)
endfunction()

# The date in the form of a Debian changelog's signature line, at midnight UTC.
# DAY_TEXT is the day as written in the date, with its leading zero.
function(mnemex_changelog_date out year month day day_text)
  mnemex_days_since_1970(days ${year} ${month} ${day})
  math(EXPR weekday "(${days} + 4) % 7")  # 1970-01-01 was a Thursday
  set(weekdays Sun Mon Tue Wed Thu Fri Sat)
  set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
  list(GET weekdays ${weekday} weekday_name)
  math(EXPR month_index "${month} - 1")
  list(GET months ${month_index} month_name)
  set(${out} "${weekday_name}, ${day_text} ${month_name} ${year} 00:00:00 +0000" PARENT_SCOPE)
endfunction()

# mnemex_read_changelog(MD PACKAGE MAINTAINER)
# Sets, in the caller: MNEMEX_CHANGELOG_TEXT (the Debian changelog), MNEMEX_NEWEST_VERSION and
# MNEMEX_NEWEST_DATE (YYYY-MM-DD) of the newest release, MNEMEX_NEWEST_EPOCH (its midnight UTC
# in seconds since 1970).
function(mnemex_read_changelog md package maintainer)
  file(READ "${md}" content)
  string(ASCII 31 semicolon)
  string(REPLACE ";" "${semicolon}" content "${content}")
  string(REPLACE "\n" ";" lines "${content}")

  set(text "")
  set(version "")
  set(entry "")
  set(item "")
  set(line_number 0)
  set(newest_version "")
  set(previous_days "")
  set(close_release FALSE)
  # A sentinel heading at the end closes the last release like any other.
  list(APPEND lines "## end-of-file (9999-12-31)")
  foreach(line IN LISTS lines)
    math(EXPR line_number "${line_number} + 1")
    string(REGEX REPLACE "[ \t\r]+$" "" line "${line}")
    set(close_item FALSE)
    if(line MATCHES "^## +([^ ]+) +\\(([0-9][0-9][0-9][0-9])-([0-9][0-9])-([0-9][0-9])\\)$")
      set(next_version "${CMAKE_MATCH_1}")
      set(next_year "${CMAKE_MATCH_2}")
      set(next_month_text "${CMAKE_MATCH_3}")
      set(next_day_text "${CMAKE_MATCH_4}")
      set(next_date "${next_year}-${next_month_text}-${next_day_text}")
      # Without leading zeros for math() (each REGEX REPLACE also resets CMAKE_MATCH_<n>).
      string(REGEX REPLACE "^0" "" next_month "${next_month_text}")
      string(REGEX REPLACE "^0" "" next_day "${next_day_text}")
      set(close_item TRUE)
      set(close_release TRUE)
    elseif(version STREQUAL "")
      # Text before the first release introduces the file; it is not part of any release.
      continue()
    elseif(line MATCHES "^- +(.+)$")
      set(close_item TRUE)
      set(new_item "${CMAKE_MATCH_1}")
    elseif(line MATCHES "^ +(.+)$" AND NOT item STREQUAL "")
      string(APPEND item " ${CMAKE_MATCH_1}")
      continue()
    elseif(line STREQUAL "")
      set(close_item TRUE)
    else()
      message(FATAL_ERROR "${md}:${line_number}: a release holds only items starting with "
                          "\"- \" (and their indented further lines), not: ${line}")
    endif()

    if(close_item AND NOT item STREQUAL "")
      mnemex_wrap_text(wrapped "${item}" 78 "  * " "    ")
      string(APPEND entry "${wrapped}\n")
      set(item "")
    endif()
    if(line MATCHES "^- ")
      set(item "${new_item}")
      continue()
    endif()
    if(NOT close_release)
      continue()
    endif()
    set(close_release FALSE)

    if(NOT version STREQUAL "")
      if(entry STREQUAL "")
        message(FATAL_ERROR "${md}: release ${version} lists no changes")
      endif()
      string(APPEND text "${package} (${version}) unstable; urgency=medium\n\n${entry}\n"
                         " -- ${maintainer}  ${signature_date}\n")
    endif()
    if(next_version STREQUAL "end-of-file")
      break()
    endif()
    if(NOT text STREQUAL "")
      string(APPEND text "\n")
    endif()

    mnemex_days_since_1970(days ${next_year} ${next_month} ${next_day})
    if(NOT previous_days STREQUAL "" AND NOT days LESS previous_days)
      message(FATAL_ERROR "${md}:${line_number}: release ${next_version} must be older than "
                          "the one above it: newest first, one release a day at most")
    endif()
    set(previous_days ${days})
    mnemex_changelog_date(signature_date ${next_year} ${next_month} ${next_day} ${next_day_text})
    if(newest_version STREQUAL "")
      set(newest_version "${next_version}")
      set(newest_date "${next_date}")
      math(EXPR newest_epoch "${days} * 86400")
    endif()
    set(version "${next_version}")
    set(entry "")
  endforeach()

  if(newest_version STREQUAL "")
    message(FATAL_ERROR "${md}: no release heading \"## VERSION (YYYY-MM-DD)\"")
  endif()
  string(REPLACE "${semicolon}" ";" text "${text}")
  set(MNEMEX_CHANGELOG_TEXT "${text}" PARENT_SCOPE)
  set(MNEMEX_NEWEST_VERSION "${newest_version}" PARENT_SCOPE)
  set(MNEMEX_NEWEST_DATE "${newest_date}" PARENT_SCOPE)
  set(MNEMEX_NEWEST_EPOCH "${newest_epoch}" PARENT_SCOPE)
endfunction()

if(CMAKE_SCRIPT_MODE_FILE AND DEFINED MNEMEX_CHANGELOG_OUT)
  mnemex_read_changelog("${MNEMEX_CHANGELOG_MD}" "${MNEMEX_PACKAGE}" "${MNEMEX_MAINTAINER}")
  file(WRITE "${MNEMEX_CHANGELOG_OUT}" "${MNEMEX_CHANGELOG_TEXT}")
endif()
