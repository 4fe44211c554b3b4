# Post-link check of the loader image, run as `cmake -P` with
#   ELF=<image>  OBJECTS=<objects, ;-separated>  READELF=<tool>  OBJDUMP=<tool>
# The tool places the loader at any RAM address without relocating it, so the
# image must hold no GOT and no dynamic relocations, and the code must reach
# nothing of its own through an absolute address.
foreach(var ELF OBJECTS READELF OBJDUMP)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "check-position-independent: ${var} not given")
  endif()
endforeach()

set(problems "")

execute_process(COMMAND ${READELF} -S -W ${ELF} OUTPUT_VARIABLE sections RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cannot read ${ELF}")
endif()
foreach(name .got .got.plt .dynamic .interp .rel.dyn .rela.dyn .plt)
  string(REPLACE "." "\\." pattern "${name}")
  if(sections MATCHES "\\] ${pattern} ")
    list(APPEND problems "section ${name}")
  endif()
endforeach()

execute_process(COMMAND ${READELF} -r -d -W ${ELF} OUTPUT_VARIABLE relocs)
if(relocs MATCHES "Relocation section")
  list(APPEND problems "relocations")
endif()
if(relocs MATCHES "Dynamic section")
  list(APPEND problems "a dynamic section")
endif()

# In the objects, an absolute relocation in a loaded section is an address
# baked in at link time; GOT relocations mean data reached through a GOT.
foreach(object ${OBJECTS})
  execute_process(COMMAND ${OBJDUMP} -r ${object} OUTPUT_VARIABLE records RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "cannot read ${object}")
  endif()
  string(REPLACE "\n" ";" lines "${records}")
  set(section "")
  foreach(line ${lines})
    if(line MATCHES "^RELOCATION RECORDS FOR \\[([^]]+)\\]")
      set(section "${CMAKE_MATCH_1}")
    elseif(line MATCHES "R_ARM_[A-Z0-9_]+")
      set(type "${CMAKE_MATCH_0}")
      if(section MATCHES "^\\.(debug|ARM\\.attributes|comment)")
        continue()
      endif()
      if(type MATCHES "ABS|GOT|TARGET1|TARGET2|PLT")
        get_filename_component(base ${object} NAME)
        list(APPEND problems "${type} in ${section} of ${base}")
      endif()
    endif()
  endforeach()
endforeach()

if(problems)
  list(REMOVE_DUPLICATES problems)
  string(REPLACE ";" "\n  " text "${problems}")
  message(FATAL_ERROR "${ELF} is not position-independent:\n  ${text}")
endif()
