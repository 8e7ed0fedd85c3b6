# Writes the page's service worker into DIR from TEMPLATE: the release VERSION and a digest of
# the FILES it keeps (names parted by "|", as they are in DIR), so that every new release or build is a new worker
# with a cache of its own.
set(digests "")
set(names "")
string(REPLACE "|" ";" files "${FILES}")
foreach(file IN LISTS files)
  file(SHA256 "${DIR}/${file}" digest)
  string(APPEND digests "${file}:${digest}\n")
  if(names)
    string(APPEND names ", ")
  endif()
  string(APPEND names "'${file}'")
endforeach()
string(SHA256 digest "${digests}")
string(SUBSTRING "${digest}" 0 12 ROLVI_DIGEST)
set(ROLVI_VERSION "${VERSION}")
set(ROLVI_FILES "${names}")
configure_file("${TEMPLATE}" "${DIR}/service-worker.js" @ONLY)
