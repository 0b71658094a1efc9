# cmake -DSRC=<fixtures> -DOUT=<folder> -P PackFixtures.cmake
find_program(SEVENZIP 7zz REQUIRED)
file(REMOVE_RECURSE "${OUT}")
file(MAKE_DIRECTORY "${OUT}/limits" "${OUT}/stored")

function(pack archive folder)
  execute_process(COMMAND ${SEVENZIP} a -bd -bso0 -t7z ${ARGN} "${archive}" .
                  WORKING_DIRECTORY "${folder}" RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "7zz failed on ${folder}")
  endif()
endfunction()

pack("${OUT}/skin.7z" "${SRC}/skin" -m0=lzma2 -ms=on)

# Exactly 4 MiB, and one byte more.
string(REPEAT "<" 4194304 exact)
file(WRITE "${OUT}/limits/exact.xml" "${exact}")
file(WRITE "${OUT}/limits/over.xml" "${exact}<")
file(WRITE "${OUT}/limits/empty.xml" "")
pack("${OUT}/limits.7z" "${OUT}/limits" -m0=lzma2 -ms=on)

# Each file its own uncompressed block, so damage to one leaves the others.
file(WRITE "${OUT}/stored/1-first.txt" "FIRST-ENTRY-CONTENT")
file(WRITE "${OUT}/stored/2-second.txt" "SECOND-ENTRY-CONTENT")
file(WRITE "${OUT}/stored/3-third.txt" "THIRD-ENTRY-CONTENT")
pack("${OUT}/stored.7z" "${OUT}/stored" -m0=Copy -ms=off)
