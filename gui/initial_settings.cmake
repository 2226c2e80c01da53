# Writes a settings file holding only "INITIAL" to ${INI} unless one is
# there, so that the first start of a fresh build or installation shows the
# notice and the first-run defaults; a user's settings are never replaced.
if(NOT EXISTS "${INI}")
  file(WRITE "${INI}" "INITIAL\r\n")
endif()
