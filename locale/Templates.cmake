# Extracts the marked texts of src/ into one template per domain.
#   MODE=update  writes locale/<domain>.pot when its texts changed and merges
#                it into locale/<lang>/<domain>.po
#   MODE=check   fails when a marked text is missing from its template or a
#                template text lacks a finished translation, and (with
#                PO_CHECK, the checker program) when a catalogue breaks the
#                rules of locale/Glossary.txt
# The keywords per domain follow the markers of support/GnuGettext.h.
cmake_minimum_required(VERSION 3.25)

set(keywords_default _ N_ gettext P_:1c,2 NP_:1c,2 NG_:1,2 ngettext:1,2)
set(keywords_dialogs D_ ND_ dgettext:2 DP_:1c,2 NDP_:1c,2 DNG_:1,2 dngettext:2,3)
set(keywords_runtime R_)
set(keywords_units U_)

string(REPLACE "," ";" LANGUAGES "${LANGUAGES}")
string(REPLACE "," ";" DOMAINS "${DOMAINS}")
set(locale_dir ${SOURCE_DIR}/locale)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

file(GLOB_RECURSE sources RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/src/*.cpp ${SOURCE_DIR}/src/*.h)
list(SORT sources)
list(JOIN sources "\n" source_list)
file(WRITE ${WORK_DIR}/sources.txt "${source_list}\n")

# The language names come from the built-in language list, commented-out
# lines included, so that a language can be switched on without new texts.
function(write_language_template out)
  file(STRINGS ${locale_dir}/Languages.txt lines)
  set(names)
  foreach(line IN LISTS lines)
    string(STRIP "${line}" line)
    string(REGEX REPLACE "^#+" "" line "${line}")
    if(line MATCHES "^[^=#]+=([^#]+)")
      string(STRIP "${CMAKE_MATCH_1}" name)
      if(name)
        list(APPEND names "${name}")
      endif()
    endif()
  endforeach()
  list(REMOVE_DUPLICATES names)
  list(SORT names)
  set(text "# Language names of the language menu.\nmsgid \"\"\nmsgstr \"\"\n\"Project-Id-Version: Ravelin\\n\"\n\"PO-Revision-Date: YEAR-MO-DA HO:MI+ZONE\\n\"\n\"Last-Translator: FULL NAME <EMAIL@ADDRESS>\\n\"\n\"Language-Team: LANGUAGE <LL@li.org>\\n\"\n\"Language: \\n\"\n\"MIME-Version: 1.0\\n\"\n\"Content-Type: text/plain; charset=UTF-8\\n\"\n\"Content-Transfer-Encoding: 8bit\\n\"\n")
  foreach(name IN LISTS names)
    string(APPEND text "\n#: locale/Languages.txt\nmsgid \"${name}\"\nmsgstr \"\"\n")
  endforeach()
  file(WRITE ${out} "${text}")
endfunction()

function(extract domain out)
  if(domain STREQUAL "languages")
    write_language_template(${out})
    return()
  endif()
  set(args)
  foreach(k IN LISTS keywords_${domain})
    list(APPEND args --keyword=${k})
  endforeach()
  execute_process(
    COMMAND ${XGETTEXT} --language=C++ --from-code=UTF-8 --keyword ${args}
            --add-comments=TRANSLATORS: --sort-output --add-location=file --force-po
            --package-name=Ravelin --files-from=${WORK_DIR}/sources.txt -o ${out}
    WORKING_DIRECTORY ${SOURCE_DIR}
    RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "xgettext failed for the domain ${domain}")
  endif()
  # Templates say UTF-8, as the engine requires of every catalogue.
  file(READ ${out} text)
  string(REPLACE "charset=CHARSET" "charset=UTF-8" text "${text}")
  # The engine looks texts up without CR, so CR LF line breaks in the code
  # are stored as LF. Escaped backslashes are set aside so "\\r" survives.
  string(REPLACE "\\\\" "@RAVELIN_BACKSLASH@" text "${text}")
  string(REPLACE "\\r" "" text "${text}")
  string(REPLACE "@RAVELIN_BACKSLASH@" "\\\\" text "${text}")
  file(WRITE ${out} "${text}")
endfunction()

# Template text without the lines that change on every run.
function(stable_text file var)
  set(text "")
  if(EXISTS ${file})
    file(READ ${file} text)
    string(REGEX REPLACE "\"POT-Creation-Date:[^\n]*\n" "" text "${text}")
  endif()
  set(${var} "${text}" PARENT_SCOPE)
endfunction()

set(failed FALSE)
foreach(domain IN LISTS DOMAINS)
  set(fresh ${WORK_DIR}/${domain}.pot)
  set(template ${locale_dir}/${domain}.pot)
  extract(${domain} ${fresh})
  if(MODE STREQUAL "update")
    stable_text(${fresh} new_text)
    stable_text(${template} old_text)
    if(NOT new_text STREQUAL old_text)
      file(COPY_FILE ${fresh} ${template})
      message(STATUS "Updated locale/${domain}.pot")
    endif()
    foreach(lang IN LISTS LANGUAGES)
      set(po ${locale_dir}/${lang}/${domain}.po)
      if(EXISTS ${po})
        execute_process(COMMAND ${MSGMERGE} --quiet --update --backup=none --sort-output
                                ${po} ${template} RESULT_VARIABLE rc)
      else()
        file(MAKE_DIRECTORY ${locale_dir}/${lang})
        execute_process(COMMAND ${MSGINIT} --no-translator --no-wrap --locale=${lang}.UTF-8
                                --input=${template} --output-file=${po}
                        RESULT_VARIABLE rc OUTPUT_QUIET ERROR_QUIET)
      endif()
      if(NOT rc EQUAL 0)
        message(FATAL_ERROR "msgmerge failed for locale/${lang}/${domain}.po")
      endif()
    endforeach()
  else()
    execute_process(COMMAND ${MSGCMP} --use-untranslated ${template} ${fresh}
                    RESULT_VARIABLE rc ERROR_VARIABLE err)
    if(NOT rc EQUAL 0)
      message(SEND_ERROR "locale/${domain}.pot lacks marked texts of the sources "
                         "(run `make pot` and translate them):\n${err}")
      set(failed TRUE)
    endif()
    foreach(lang IN LISTS LANGUAGES)
      execute_process(COMMAND ${MSGCMP} ${locale_dir}/${lang}/${domain}.po ${template}
                      RESULT_VARIABLE rc ERROR_VARIABLE err)
      if(NOT rc EQUAL 0)
        message(SEND_ERROR "locale/${lang}/${domain}.po lacks finished translations "
                           "(untranslated or fuzzy):\n${err}")
        set(failed TRUE)
      endif()
    endforeach()
  endif()
endforeach()
if(MODE STREQUAL "check" AND PO_CHECK)
  # Paths below the source folder, so that the faults name them shortly.
  set(catalogues)
  foreach(domain IN LISTS DOMAINS)
    list(APPEND catalogues locale/${domain}.pot)
    foreach(lang IN LISTS LANGUAGES)
      list(APPEND catalogues locale/${lang}/${domain}.po)
    endforeach()
  endforeach()
  execute_process(COMMAND ${PO_CHECK} locale/Glossary.txt ${catalogues}
                  WORKING_DIRECTORY ${SOURCE_DIR}
                  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT rc EQUAL 0)
    message(SEND_ERROR "The catalogues break the rules of locale/Glossary.txt:\n${out}")
    set(failed TRUE)
  endif()
endif()
if(failed)
  message(FATAL_ERROR "Translation catalogues are not up to date; see docs/DEVELOPING.md")
endif()
