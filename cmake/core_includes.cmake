# cmake -DFILES=a.cpp,a.h,... -P core_includes.cmake: fails, naming the file
# and the line, where a file of the core includes a header of app/ or
# tests/, which sit above it.
string(REPLACE "," ";" FILES "${FILES}")
foreach(file IN LISTS FILES)
  file(STRINGS ${file} lines
    REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<](app|tests)/")
  foreach(line IN LISTS lines)
    message(FATAL_ERROR "${file}: \"${line}\": the core (grid/, sources/, "
      "display/ and solver/) includes nothing of app/ or tests/")
  endforeach()
endforeach()
